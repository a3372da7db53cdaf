#include "db/userdatabase.h"

#include "db/database.h"
#include "db/databasecheck.h"
#include "db/learnerdata.h"
#include "db/salvage.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

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

enum class CopyState
{
    Current,    // made from this bank
    Outdated,   // made from another edition of the bank
    Damaged,    // no database of this system any more
    Unreadable, // cannot be read at all (its mode, say): not for this start to judge
};

bool isCutShort(Connection& connection, qint64 fileSize)
{
    const auto pages = connection.select(u"PRAGMA page_count"_s);
    const auto pageSize = connection.select(u"PRAGMA page_size"_s);
    if (!pages || !pageSize || pages->empty() || pageSize->empty())
        return true;
    return pages->front().front().toLongLong() * pageSize->front().front().toLongLong() > fileSize;
}

CopyState judgeWorkingCopy(const QString& working, int bankStampNow)
{
    // A copy is never empty; one killed before its first write is.
    if (QFileInfo(working).size() == 0)
        return CopyState::Damaged;
    auto current = Connection::open(working, databasePassword());
    if (!current) {
        const int why = current.code() & 0xFF;
        return why == SQLITE_NOTADB || why == SQLITE_CORRUPT ? CopyState::Damaged : CopyState::Unreadable;
    }
    // A file shorter than its pages was cut.
    if (isCutShort(*current.value(), QFileInfo(working).size()))
        return CopyState::Damaged;
    const Result<int> stamp = bankStamp(*current.value());
    if (!stamp)
        return CopyState::Damaged;
    if (stamp.value() != bankStampNow)
        return CopyState::Outdated;
    // A table gone or of another make would refuse every start, or end the
    // trainer the moment it is read. (A copy of another edition may lack what
    // this one added: the carry judges it.)
    return checkDatabaseTables(*current.value()) ? CopyState::Current : CopyState::Damaged;
}

// Puts a damaged copy aside under a name no earlier one has: stdata.db.damaged,
// then stdata.db.damaged.1, .2 … Its journal goes with it, so the two stay a pair.
Result<QString> keepDamagedCopy(const QString& working)
{
    QString kept = working + u".damaged"_s;
    for (int n = 1; QFileInfo::exists(kept) || QFileInfo::exists(kept + u"-journal"_s); ++n)
        kept = working + u".damaged.%1"_s.arg(n);
    // link() never replaces a file that appeared meanwhile; where the file
    // system has no links, the free name is renamed to.
    const QByteArray from = QFile::encodeName(working);
    const QByteArray to = QFile::encodeName(kept);
    const bool linked = ::link(from.constData(), to.constData()) == 0;
    const bool moved = linked ? ::unlink(from.constData()) == 0
                              : errno != EEXIST && std::rename(from.constData(), to.constData()) == 0;
    if (!moved)
        return Result<QString>::failure(u"数据库文件“%1”已损坏，且无法移开。"_s.arg(working));
    const QString journal = working + u"-journal"_s;
    if (QFileInfo::exists(journal))
        std::rename(QFile::encodeName(journal).constData(),
                    QFile::encodeName(kept + u"-journal"_s).constData());
    syncFolder(QFileInfo(working).absolutePath());
    return kept;
}

// What the new copy holds of the learner's: attempts and flags.
void countCarried(const QString& copy, PreparedCopy& prepared)
{
    auto conn = Connection::open(copy, databasePassword());
    if (!conn)
        return;
    if (auto rows = conn.value()->select(u"SELECT count(*) FROM 练习记录"_s); rows && !rows->empty())
        prepared.carriedAttempts = rows->front().front().toInt();
    if (auto rows = conn.value()->select(u"SELECT count(*) FROM stk WHERE 错题 <> 0"_s);
        rows && !rows->empty())
        prepared.carriedFlags = rows->front().front().toInt();
    conn.value()->close();
}

// Whether a failure to read a copy says the copy is damaged, rather than that
// the disk, the folder or the memory failed.
bool isDamage(int code)
{
    switch (code & 0xFF) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_PERM:
        return false;
    default:
        return true;
    }
}

Result<PreparedCopy> replaceWorkingCopy(const QString& next, const QString& working,
                                        const PreparedCopy& prepared)
{
    if (std::rename(QFile::encodeName(next).constData(), QFile::encodeName(working).constData()) != 0) {
        QFile::remove(next);
        return Result<PreparedCopy>::failure(u"无法写入“%1”。"_s.arg(working));
    }
    return prepared;
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
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return Status::failure(u"无法建立本用户的数据文件夹“%1”。"_s.arg(folder));
    // The files hold the learner's history under a key every copy of the
    // program knows: only the modes keep them from other users. They are set
    // at every start, so that a start killed before its chmod, a copy made
    // by hand or a folder made by another program does not stay open.
    const QByteArray path = QFile::encodeName(folder);
    struct stat status = {};
    if (::chmod(path.constData(), 0700) != 0 || ::stat(path.constData(), &status) != 0 ||
        (status.st_mode & 0077) != 0)
        return Status::failure(u"无法把本用户的数据文件夹“%1”设为只有本用户可以访问。"_s.arg(folder));
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files) {
        const QByteArray file = QFile::encodeName(folder + u'/' + name);
        if (::lstat(file.constData(), &status) != 0 || !S_ISREG(status.st_mode) ||
            (status.st_mode & 0077) == 0)
            continue;
        if (::chmod(file.constData(), status.st_mode & 0700) != 0)
            return Status::failure(u"无法把文件“%1”设为只有本用户可以读写。"_s.arg(folder + u'/' + name));
    }
    return {};
}

Result<PreparedCopy> prepareUserDatabase(const QString& programFolder)
{
    using R = Result<PreparedCopy>;
    PreparedCopy prepared;
    if (!usesUserDataFolder(programFolder))
        return prepared;
    const QString bank = bankPathInFolder(programFolder);
    const QString working = databasePathInFolder(programFolder);
    if (!QFileInfo(bank).isFile())
        return R::failure(u"找不到题库文件“%1”。"_s.arg(bank));
    auto bankConnection = Connection::open(bank, databasePassword());
    if (!bankConnection)
        return R::failure(u"题库文件“%1”打不开：密码不对或文件已损坏。"_s.arg(bank));
    const Result<int> newStamp = bankStamp(*bankConnection.value());
    bankConnection.value()->close();
    if (!newStamp)
        return R::failure(newStamp.error());

    const QString next = working + u".new"_s;
    if (!QFileInfo::exists(working)) {
        const Status made = makeNewCopy(bank, QString(), next);
        if (!made) {
            QFile::remove(next);
            return R::failure(made.error(), made.code());
        }
        return replaceWorkingCopy(next, working, prepared);
    }
    const CopyState state = judgeWorkingCopy(working, newStamp.value());
    // A file that cannot be read at all is left for the start-up check to name.
    if (state == CopyState::Current || state == CopyState::Unreadable)
        return prepared;
    if (state == CopyState::Outdated) {
        const Status made = makeNewCopy(bank, working, next);
        if (made)
            return replaceWorkingCopy(next, working, prepared);
        QFile::remove(next);
        // A full disk or a file that cannot be written is no damage: the copy
        // stays as it is until the next start.
        if (!isDamage(made.code()))
            return R::failure(u"无法把“%1”中的练习记录转入新题库：%2。"_s.arg(
                                  QDir::toNativeSeparators(working), databaseFailureReason(made.code())),
                              made.code());
    }

    // Damaged: kept as it is, and what can be read of it goes into the new copy.
    const Result<QString> kept = keepDamagedCopy(working);
    if (!kept)
        return R::failure(kept.error());
    prepared.damagedCopy = kept.value();
    const QString salvage = working + u".salvaged"_s;
    const Result<SalvagedRows> salvaged = salvageLearnerData(kept.value(), salvage);
    Status made = salvaged ? makeNewCopy(bank, salvage, next) : Status::failure(salvaged.error());
    if (salvaged && made)
        prepared.unreadableRows = salvaged->skippedRows;
    if (!made) // what was read does not carry: the learner starts from the bank
        made = makeNewCopy(bank, QString(), next);
    QFile::remove(salvage);
    if (!made) {
        QFile::remove(next);
        return R::failure(made.error(), made.code());
    }
    countCarried(next, prepared);
    return replaceWorkingCopy(next, working, prepared);
}

QString damagedCopyNotice(const QString& workingFile, const PreparedCopy& prepared)
{
    QString text =
        u"本系统的练习数据文件“%1”已损坏，不能再使用。\n\n原文件没有删除，已原样保存为“%2”。\n"_s.arg(
            QDir::toNativeSeparators(workingFile), QDir::toNativeSeparators(prepared.damagedCopy));
    if (prepared.carriedAttempts == 0 && prepared.carriedFlags == 0)
        return text + u"原文件中已读不出练习记录和错题标记，新建立的练习数据文件从题库重新开始。"_s;
    text += u"系统已重新建立练习数据文件，并从原文件中读出了 %1 次练习记录和 %2 道错题的标记。"_s
                .arg(prepared.carriedAttempts)
                .arg(prepared.carriedFlags);
    if (prepared.unreadableRows > 0)
        text += u"原文件中另有 %1 条记录已无法读出。"_s.arg(prepared.unreadableRows);
    return text;
}

} // namespace pptdrill
