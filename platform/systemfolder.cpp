#include "platform/systemfolder.h"

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

bool ensurePrivateFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st = {};
    if (::lstat(native.constData(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 0777) == 0700 || ::chmod(native.constData(), 0700) == 0;
}

QString systemDirectory()
{
    // Read on every call: tests give each case its own XDG_RUNTIME_DIR.
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!session.isEmpty()) {
        // Qt answers with a folder in /tmp when the session's is unusable: not ours.
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!folder.isEmpty() && QDir::cleanPath(folder) == QDir::cleanPath(session))
            return QDir::cleanPath(folder);
    }
    // The home folder is the user's own: nobody else can take the name first.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    const QString fallback = QDir::cleanPath(cache + u"/pptdrill-runtime"_s);
    return ensurePrivateFolder(fallback) ? fallback : QString();
}

} // namespace pptdrill
