#include "db/userdatabase.h"

#include "db/database.h"
#include "db/learnerdata.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

Status syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Status::failure(u"无法写入“%1”"_s.arg(path));
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced ? Status() : Status::failure(u"无法写入“%1”"_s.arg(path));
}

// The new edition of the working database, made beside it: the bank copied, the
// learner's data of `previous` (when there is one) carried into it.
Status makeNewCopy(const QString& bank, const QString& previous, const QString& target)
{
    QFile::remove(target);
    QFile::remove(target + u"-journal"_s);
    if (!QFile::copy(bank, target))
        return Status::failure(u"无法把题库“%1”复制到“%2”。"_s.arg(bank, target));
    // The learner's own file: private, and writable whatever the installed bank's mode.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    if (!previous.isEmpty()) {
        auto from = Connection::open(previous, databasePassword());
        if (!from)
            return Status::failure(from.error(), from.code());
        auto to = Connection::open(target, databasePassword());
        if (!to)
            return Status::failure(to.error(), to.code());
        if (Status carried = carryLearnerData(from.value(), to.value()); !carried)
            return Status::failure(u"无法把“%1”中的练习记录转入新题库：%2"_s.arg(previous, carried.error()),
                                   carried.code());
    }
    return syncFile(target);
}

} // namespace

Result<int> bankStamp(Connection& connection)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), "PRAGMA user_version", -1, &st, nullptr) != SQLITE_OK)
        return Result<int>::failure(connection.lastError());
    int stamp = 0;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        stamp = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW)
        return Result<int>::failure(connection.lastError());
    return stamp;
}

Status setBankStamp(Connection& connection, int stamp)
{
    return connection.executeScript(u"PRAGMA user_version = %1"_s.arg(stamp));
}

Status makeDatabaseFolder(const QString& programFolder)
{
    if (!usesUserDataFolder(programFolder))
        return {};
    const QString folder = userDataFolder();
    if (QFileInfo(folder).isDir())
        return {};
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return Status::failure(u"无法建立本用户的数据文件夹“%1”。"_s.arg(folder));
    return {};
}

Status prepareUserDatabase(const QString& programFolder)
{
    if (!usesUserDataFolder(programFolder))
        return {};
    const QString bank = bankPathInFolder(programFolder);
    const QString working = databasePathInFolder(programFolder);
    if (!QFileInfo(bank).isFile())
        return Status::failure(u"找不到题库文件“%1”。"_s.arg(bank));
    auto bankConnection = Connection::open(bank, databasePassword());
    if (!bankConnection)
        return Status::failure(u"题库文件“%1”打不开：密码不对或文件已损坏。"_s.arg(bank));
    const Result<int> newStamp = bankStamp(*bankConnection.value());
    bankConnection.value()->close();
    if (!newStamp)
        return Status::failure(newStamp.error());

    bool exists = QFileInfo::exists(working);
    if (exists) {
        auto current = Connection::open(working, databasePassword());
        if (!current) {
            const int why = current.code() & 0xFF;
            // Any other failure (a file that cannot be read) is left for the start-up check to name.
            if (why != SQLITE_NOTADB && why != SQLITE_CORRUPT)
                return {};
            // A damaged copy would keep the trainer from starting for good: it is put
            // aside (for a look) and the learner starts again from the bank.
            const QString damaged = working + u".damaged"_s;
            QFile::remove(damaged);
            if (!QFile::rename(working, damaged))
                return Status::failure(u"数据库文件“%1”已损坏，且无法移开。"_s.arg(working));
            QFile::remove(working + u"-journal"_s);
            exists = false;
        } else {
            const Result<int> stamp = bankStamp(*current.value());
            current.value()->close();
            if (stamp && stamp.value() == newStamp.value())
                return {};
        }
    }
    const QString next = working + u".new"_s;
    if (Status made = makeNewCopy(bank, exists ? working : QString(), next); !made) {
        QFile::remove(next);
        return made;
    }
    if (std::rename(QFile::encodeName(next).constData(), QFile::encodeName(working).constData()) != 0) {
        QFile::remove(next);
        return Status::failure(u"无法写入“%1”。"_s.arg(working));
    }
    return {};
}

} // namespace pptdrill
