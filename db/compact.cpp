#include "db/compact.h"

#include "db/database.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <fcntl.h>
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

bool CompactDatabaseFile(const QString& path, const QString& password)
{
    const QString temp = compactionTempPath(path);
    if (temp.isEmpty())
        return true;
    if (!QFileInfo(path).isFile())
        return false;

    // A temporary file left by an interrupted run is stale.
    removeTemp(temp);

    {
        auto source = Connection::open(path, password);
        if (!source)
            return false;
        Connection& conn = *source.value();
        // The connection may not create files, so the target starts as an empty file.
        if (QFile empty(temp); !empty.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        const QString key = QString::fromLatin1(rawKeyPragmaValue(password));
        QString attach = u"ATTACH DATABASE '%1' AS compacted KEY \"%2\""_s;
        QString quotedTemp = temp;
        quotedTemp.replace(u"'"_s, u"''"_s);
        if (!conn.executeScript(attach.arg(quotedTemp, key)) ||
            !conn.executeScript(u"SELECT sqlcipher_export('compacted'); DETACH DATABASE compacted;"_s)) {
            conn.close();
            removeTemp(temp);
            return false;
        }
        conn.close();
    }

    const QString folder = QFileInfo(path).absolutePath();
    if (!syncPath(temp, O_RDONLY) ||
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        removeTemp(temp);
        return false;
    }
    syncPath(folder, O_RDONLY | O_DIRECTORY);
    return true;
}

} // namespace pptdrill
