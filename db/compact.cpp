#include "db/compact.h"

#include "db/database.h"
#include "db/userdatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

bool syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void removeTemp(const QString& temp)
{
    QFile::remove(temp);
    QFile::remove(temp + u"-journal"_s);
}

// The new file takes the old one's permissions, group and (where allowed) owner,
// so a private database stays private and a shared one stays shared.
void copyOwnershipAndMode(const QString& from, const QString& to)
{
    struct stat old = {};
    const QByteArray target = QFile::encodeName(to);
    if (::stat(QFile::encodeName(from).constData(), &old) != 0)
        return;
    const auto changeOwner = [&](uid_t user, gid_t group) {
        return ::chown(target.constData(), user, group) == 0;
    };
    if (!changeOwner(old.st_uid, old.st_gid))
        changeOwner(static_cast<uid_t>(-1), old.st_gid);
    ::chmod(target.constData(), old.st_mode & 07777);
}

} // namespace

QString compactionTempPath(const QString& path)
{
    // Folder, base name without dot or separator, and an optional extension.
    static const QRegularExpression rule(u"^(.+)/([^/.]+)((.)([^/.]+))?$"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = rule.match(path);
    if (!m.hasMatch())
        return {};
    return m.captured(1) + u'/' + m.captured(2) + u".~"_s + m.captured(5);
}

bool compactDatabaseFile(const QString& givenPath, const QString& password)
{
    if (compactionTempPath(givenPath).isEmpty())
        return true;
    if (!QFileInfo(givenPath).isFile())
        return false;
    // A database reached through a symbolic link is compacted where it lies:
    // the link stays and keeps leading to it.
    const QString path = QFileInfo(givenPath).canonicalFilePath();
    const QString temp = compactionTempPath(path);
    if (temp.isEmpty())
        return true;

    // A temporary file left by an interrupted run is stale.
    removeTemp(temp);

    {
        auto source = Connection::open(path, password);
        if (!source)
            return false;
        Connection& conn = *source.value();
        // The connection may not create files, so the target starts as an empty
        // file, private until the copy is whole and takes the database's own mode.
        const int fd =
            ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        ::close(fd);
        const QString key = QString::fromLatin1(rawKeyPragmaValue(password));
        QString attach = u"ATTACH DATABASE '%1' AS compacted KEY \"%2\""_s;
        QString quotedTemp = temp;
        quotedTemp.replace(u"'"_s, u"''"_s);
        // The export copies tables and rows, not the bank's stamp (user_version).
        const Result<int> stamp = bankStamp(conn);
        if (!stamp || !conn.executeScript(attach.arg(quotedTemp, key)) ||
            !conn.executeScript(cipherSettingsScript(u"compacted"_s)) ||
            !conn.executeScript(u"SELECT sqlcipher_export('compacted'); PRAGMA compacted.user_version = %1; "
                                u"DETACH DATABASE compacted;"_s.arg(stamp.value()))) {
            conn.close();
            removeTemp(temp);
            return false;
        }
        conn.close();
    }

    const QString folder = QFileInfo(path).absolutePath();
    copyOwnershipAndMode(path, temp);
    if (!syncPath(temp, O_RDONLY) ||
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        removeTemp(temp);
        return false;
    }
    syncPath(folder, O_RDONLY | O_DIRECTORY);
    return true;
}

} // namespace pptdrill
