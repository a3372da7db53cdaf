#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {
QString g_override;
}

QString programFolder()
{
    if (!g_override.isEmpty())
        return g_override;
    // /proc/self/exe names the executable even without a QCoreApplication.
    const QString exe = QFileInfo(u"/proc/self/exe"_s).symLinkTarget();
    return QDir::cleanPath(QFileInfo(exe).absolutePath());
}

void setProgramFolderForTesting(const QString& folder)
{
    g_override = folder;
}

QString userDataFolder()
{
    // Not AppDataLocation: that is named after each program, and all three share one database.
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           u"/pptdrill"_s);
}

bool usesUserDataFolder(const QString& programFolder)
{
    // The database, its journal, its lock and the compaction's temporary file are
    // all made beside it, so the folder must be writable, not only the file. A
    // folder whose mode lets no one write is read-only also for root.
    const QByteArray path = QFile::encodeName(programFolder);
    struct stat info = {};
    if (::stat(path.constData(), &info) != 0 || (info.st_mode & 0222) == 0)
        return true;
    return ::access(path.constData(), W_OK) != 0;
}

QString databaseFolder(const QString& programFolder)
{
    return usesUserDataFolder(programFolder) ? userDataFolder() : QDir::cleanPath(programFolder);
}

} // namespace pptdrill
