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

const QStringList& systemPrefixes()
{
    static const QStringList prefixes{u"/usr"_s,   u"/opt"_s,   u"/bin"_s,    u"/sbin"_s, u"/lib"_s,
                                      u"/lib32"_s, u"/lib64"_s, u"/libx32"_s, u"/snap"_s, u"/var/lib"_s};
    return prefixes;
}

bool isInstalledProgramFolder(const QString& programFolder, uint user, const QStringList& prefixes)
{
    // A program folder reached through a link is judged where it lies.
    const QFileInfo info(programFolder);
    const QString canonical = info.canonicalFilePath();
    const QString path = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    for (const QString& prefix : prefixes) {
        if (path == prefix || path.startsWith(prefix + u'/'))
            return true;
    }
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) != 0 || status.st_uid != user;
}

bool usesUserDataFolder(const QString& programFolder)
{
    // An installed trainer works on the learner's copy, whoever runs it: root
    // may write anywhere, and must not put one learner's history into the bank
    // every learner starts from.
    if (isInstalledProgramFolder(programFolder, ::geteuid(), systemPrefixes()))
        return true;
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
