#include "db/database.h"
#include "db/statements.h"
#include "platform/programfolder.h"
#include "player/resultbridge.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <grp.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

// A program folder with its own copy of drillbridge and a paper of three rows.
class BridgeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bridge = folder.file(u"drillbridge"_s);
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(DRILLBRIDGE_EXE), bridge));
        conn = createTestDatabase(folder.file(u"stdata.db"_s));
        ASSERT_TRUE(conn);
        for (int i = 0; i < 3; ++i)
            stids.push_back(addPaperRow(conn, 10 + i));
    }

    int runBridge(const QStringList& args) { return runBridgeReporting(args).exitCode; }

    struct Run
    {
        int exitCode = -1;
        QString standardError;
    };
    // Runs the bridge; `asOther` runs it as another user when the test runs as
    // root (for whom no permission bit is a barrier).
    Run runBridgeReporting(const QStringList& args, bool asOther = false)
    {
        QProcess p;
        if (asOther && ::getuid() == 0) {
            p.setChildProcessModifier([] {
                const gid_t nogroup = 65534;
                if (::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0 || ::setuid(65534) != 0)
                    ::_exit(120);
            });
        }
        p.start(bridge, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        Run run;
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        run.standardError = QString::fromUtf8(p.readAllStandardError());
        return run;
    }

    // (得分, 是否已做) of every paper row, through a fresh recordset.
    std::vector<std::pair<double, int>> outcomes()
    {
        std::vector<std::pair<double, int>> out;
        auto rs = Recordset::open(conn, sql::SelectPaper);
        EXPECT_TRUE(rs.ok());
        for (; rs && !rs->eof(); rs->moveNext())
            out.emplace_back(rs->field(u"得分"_s)->toDouble(), rs->field(u"是否已做"_s)->toInt());
        return out;
    }

    // Makes the program folder read-only, as an installed one is: the bridge then
    // works on the learner's copy in their data folder, where the database is
    // moved. Both folders can be reached by the other user of runBridgeReporting.
    QString moveDatabaseToUserFolder()
    {
        conn->close();
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        const auto reachable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                               QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(dataHome.path(), reachable);
        QDir(dataHome.path()).mkdir(u"pptdrill"_s);
        QFile::setPermissions(dataHome.filePath(u"pptdrill"_s), reachable);
        const QString moved = dataHome.filePath(u"pptdrill/stdata.db"_s);
        EXPECT_TRUE(QFile::rename(folder.file(u"stdata.db"_s), moved));
        QFile::setPermissions(folder.path(), reachable & ~QFile::Permissions(QFile::WriteOwner));
        return moved;
    }
    void TearDown() override
    {
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!m_oldDataHome.isNull())
            qputenv("XDG_DATA_HOME", m_oldDataHome);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    using Outcomes = std::vector<std::pair<double, int>>;
    TempProgramFolder folder;
    QTemporaryDir dataHome;
    QByteArray m_oldDataHome = qgetenv("XDG_DATA_HOME");
    QString bridge;
    std::shared_ptr<Connection> conn;
    std::vector<qint64> stids;
};

} // namespace

TEST_F(BridgeTest, RecordsTheNamedRowOnlyAndRepeatsHarmlessly)
{
    const QString second = QString::number(stids[1]);
    EXPECT_EQ(runBridge({u"  "_s + second + u"   "_s}), 0);
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {2.5, 1}, {0, 0}}));
    EXPECT_EQ(runBridge({second}), 0);
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {2.5, 1}, {0, 0}}));
    // The score is a real number, the flag a small integer.
    auto rs = Recordset::open(conn, sql::SelectPaperRowWhere, QVariant(stids[1]));
    EXPECT_EQ(rs->field(u"得分"_s)->typeId(), QMetaType::Double);
    EXPECT_EQ(rs->field(u"是否已做"_s)->typeId(), QMetaType::LongLong);
}

TEST_F(BridgeTest, BlankUnknownOrNonNumericArgumentsChangeNothing)
{
    conn->close();
    const QString db = folder.file(u"stdata.db"_s);
    const QDateTime modified = QFileInfo(db).lastModified();
    QThread::msleep(20);
    // No stid is a failure (the player would take success for "recorded"),
    // told without opening the database.
    const Run none = runBridgeReporting({});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.standardError.startsWith(u"drillbridge: 没有给出试题编号"_s))
        << none.standardError.toStdString();
    EXPECT_EQ(runBridge({u"    "_s}), 1);
    EXPECT_EQ(runBridge({u""_s}), 1);
    EXPECT_EQ(QFileInfo(db).lastModified(), modified);
    QFile::rename(db, db + u".away"_s);
    EXPECT_EQ(runBridgeReporting({u"   "_s}).standardError, none.standardError);
    QFile::rename(db + u".away"_s, db);

    // A stid with no row writes nothing, and says so.
    const Run unknown = runBridgeReporting({u"999"_s});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.standardError.startsWith(u"drillbridge: 试卷中没有编号为 999 的试题"_s))
        << unknown.standardError.toStdString();
    EXPECT_EQ(QFileInfo(db).lastModified(), modified);
    EXPECT_NE(runBridge({u"1 or 1=1"_s}), 0);
    EXPECT_NE(runBridge({u"1"_s, u"or"_s, u"1=1"_s}), 0);
    EXPECT_NE(runBridge({u"1;delete from st"_s}), 0);
    EXPECT_NE(runBridge({u"-1"_s}), 0);
    EXPECT_NE(runBridge({u"0x1"_s}), 0);
    auto reopened = Connection::open(db, databasePassword());
    ASSERT_TRUE(reopened.ok());
    conn = reopened.value();
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {0, 0}, {0, 0}}));
}

TEST_F(BridgeTest, MissingDatabaseFailsWithoutCreatingOne)
{
    conn->close();
    QFile::remove(folder.file(u"stdata.db"_s));
    const Run run = runBridgeReporting({u"1"_s});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.standardError.startsWith(u"drillbridge: 找不到数据库文件"_s))
        << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(u"stdata.db"_s)) << run.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(folder.file(u"stdata.db"_s)));
}

TEST_F(BridgeTest, WritesWhileTheBarHoldsASnapshotAndWaitsOutABriefLock)
{
    auto snapshot = Recordset::open(conn, sql::SelectPaper);
    ASSERT_TRUE(snapshot.ok());
    EXPECT_EQ(runBridge({QString::number(stids[0])}), 0);
    EXPECT_EQ(snapshot->field(u"是否已做"_s)->toInt(), 0);

    // Another process holds the write lock for a moment; the bridge waits.
    auto locker = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(locker.ok());
    ASSERT_TRUE(locker.value()
                    ->executeScript(u"BEGIN IMMEDIATE; UPDATE st SET 题号='x' WHERE stid=%1;"_s.arg(stids[0]))
                    .ok());
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        locker.value()->executeScript(u"COMMIT"_s);
    });
    EXPECT_EQ(runBridge({QString::number(stids[2])}), 0);
    release.join();
    EXPECT_EQ(outcomes(), (Outcomes{{2.5, 1}, {0, 0}, {2.5, 1}}));
    EXPECT_EQ(readValue(conn, u"st"_s, u"stid"_s, stids[0], u"题号"_s).toString(), u"x"_s);
}

TEST_F(BridgeTest, ARowDeletedBetweenItsReadAndItsWriteFails)
{
    // Another connection has deleted the row but not yet committed, and holds
    // the write lock: the bridge still reads the row, then waits to write it.
    auto locker = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(locker.ok());
    ASSERT_TRUE(locker.value()
                    ->executeScript(u"BEGIN IMMEDIATE; DELETE FROM st WHERE stid=%1;"_s.arg(stids[1]))
                    .ok());

    QProcess p;
    p.start(bridge, {QString::number(stids[1])});
    ASSERT_TRUE(p.waitForStarted(30000));
    // Its connection stays open until it ends: once the file is open, the read follows at once.
    const QString fds = u"/proc/%1/fd"_s.arg(p.processId());
    const QString dbPath = QFileInfo(folder.file(u"stdata.db"_s)).canonicalFilePath();
    QDeadlineTimer deadline(20000);
    bool opened = false;
    while (!opened && !deadline.hasExpired() && p.state() == QProcess::Running) {
        for (const QFileInfo& fd :
             QDir(fds).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() == dbPath)
                opened = true;
        }
        if (!opened)
            QThread::msleep(5);
    }
    ASSERT_TRUE(opened) << "the bridge never opened the database";
    QThread::msleep(400);
    ASSERT_EQ(p.state(), QProcess::Running) << "the bridge did not wait for the lock";
    ASSERT_TRUE(locker.value()->executeScript(u"COMMIT"_s).ok());

    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString said = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(said.contains(u"编号为 %1 的试题在记录前已从试卷中删除"_s.arg(stids[1])))
        << said.toStdString();
    // Nothing was written, and nothing came back.
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {0, 0}}));
}

TEST_F(BridgeTest, AWriteLockHeldPastTheWaitFailsWithTheReason)
{
    auto locker = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(locker.ok());
    ASSERT_TRUE(locker.value()->executeScript(u"BEGIN IMMEDIATE;"_s).ok());
    const Run run = runBridgeReporting({QString::number(stids[0])});
    ASSERT_TRUE(locker.value()->executeScript(u"ROLLBACK"_s).ok());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.startsWith(u"drillbridge: 数据库正被其他程序占用，等待 5 秒后仍未释放"_s))
        << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains(u"database is locked"_s)) << run.standardError.toStdString();
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {0, 0}, {0, 0}}));
}

TEST_F(BridgeTest, AnInstalledBridgeRecordsInTheLearnersDatabase)
{
    const QString db = moveDatabaseToUserFolder();
    EXPECT_EQ(runBridge({QString::number(stids[1])}), 0);
    auto reopened = Connection::open(db, databasePassword());
    ASSERT_TRUE(reopened.ok());
    conn = reopened.value();
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {2.5, 1}, {0, 0}}));
    EXPECT_FALSE(QFileInfo::exists(folder.file(u"stdata.db"_s)));
}

TEST_F(BridgeTest, AReadOnlyDatabaseFailsWithTheReason)
{
    const QString db = moveDatabaseToUserFolder();
    const QString dataFolder = QFileInfo(db).absolutePath();
    const auto folderMode = QFile::permissions(dataFolder);
    // The file and its folder are read-only (for root the bridge runs as another user).
    ASSERT_TRUE(QFile::setPermissions(db, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(QFile::setPermissions(dataFolder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    const QByteArray before = [&] {
        QFile f(db);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const Run run = runBridgeReporting({QString::number(stids[0])}, true);
    QFile::setPermissions(dataFolder, folderMode);
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.startsWith(u"drillbridge: 数据库文件是只读的"_s))
        << run.standardError.toStdString();
    QFile f(db);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(BridgeTest, AFolderThatCannotBeWrittenFailsWithTheReason)
{
    const QString db = moveDatabaseToUserFolder();
    const QString dataFolder = QFileInfo(db).absolutePath();
    const auto folderMode = QFile::permissions(dataFolder);
    // The file may be written, but no journal can be made beside it.
    ASSERT_TRUE(QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                              QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    ASSERT_TRUE(QFile::setPermissions(dataFolder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    const Run run = runBridgeReporting({QString::number(stids[0])}, true);
    QFile::setPermissions(dataFolder, folderMode);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.startsWith(u"drillbridge: 数据库所在的文件夹不可写"_s))
        << run.standardError.toStdString();
    auto reopened = Connection::open(db, databasePassword());
    ASSERT_TRUE(reopened.ok());
    conn = reopened.value();
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {0, 0}, {0, 0}}));
}

TEST_F(BridgeTest, AWrongPasswordFailsWithTheReason)
{
    conn->close();
    const QString db = folder.file(u"stdata.db"_s);
    ASSERT_TRUE(QFile::remove(db));
    auto other = Connection::create(db, u"another password"_s);
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(other.value()->executeScript(u"CREATE TABLE st (stid INTEGER PRIMARY KEY)"_s).ok());
    other.value()->close();
    const Run run = runBridgeReporting({u"1"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.startsWith(u"drillbridge: 数据库密码不对"_s))
        << run.standardError.toStdString();
}

namespace {

ssize_t fullWrite(int, const void*, size_t)
{
    errno = ENOSPC;
    return -1;
}
ssize_t fullPwrite(int, const void*, size_t, off_t)
{
    errno = ENOSPC;
    return -1;
}

} // namespace

TEST_F(BridgeTest, AFullDiskFailsWithTheReason)
{
    // Every write of the database engine meets a full disk.
    setProgramFolderForTesting(folder.path());
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    ASSERT_NE(vfs, nullptr);
    const char* writes[] = {"write", "pwrite", "pwrite64"};
    int replaced = 0;
    for (const char* name : writes) {
        const auto fake = name == std::string("write") ? reinterpret_cast<sqlite3_syscall_ptr>(&fullWrite)
                                                       : reinterpret_cast<sqlite3_syscall_ptr>(&fullPwrite);
        if (vfs->xSetSystemCall(vfs, name, fake) == SQLITE_OK)
            ++replaced;
    }
    ASSERT_GT(replaced, 0);
    const Status s = recordCompletedQuestion(QString::number(stids[0]));
    for (const char* name : writes)
        vfs->xSetSystemCall(vfs, name, nullptr);
    setProgramFolderForTesting(QString());

    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().startsWith(u"磁盘已满"_s)) << s.error().toStdString();
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {0, 0}, {0, 0}}));
    // The same call with room on the disk records the question.
    setProgramFolderForTesting(folder.path());
    EXPECT_TRUE(recordCompletedQuestion(QString::number(stids[0])).ok());
    setProgramFolderForTesting(QString());
    EXPECT_EQ(outcomes(), (Outcomes{{2.5, 1}, {0, 0}, {0, 0}}));
}

TEST(DatabaseFailureReason, NamesTheReasonInChinese)
{
    EXPECT_TRUE(databaseFailureReason(SQLITE_FULL).startsWith(u"磁盘已满"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_READONLY).startsWith(u"数据库文件是只读的"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_READONLY_DBMOVED).startsWith(u"数据库文件是只读的"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_READONLY | (6 << 8)).startsWith(u"数据库所在的文件夹不可写"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_BUSY).startsWith(u"数据库正被其他程序占用"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_LOCKED).startsWith(u"数据库正被其他程序占用"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_CANTOPEN).startsWith(u"无法打开数据库文件"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_NOTADB).startsWith(u"数据库密码不对"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_CORRUPT).startsWith(u"数据库文件已损坏"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_IOERR_WRITE).startsWith(u"读写数据库文件时发生磁盘错误"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_PERM).startsWith(u"没有访问数据库文件的权限"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_NOMEM).startsWith(u"内存不足"_s));
    EXPECT_TRUE(databaseFailureReason(0).startsWith(u"数据库出错"_s));
    EXPECT_TRUE(databaseFailureReason(SQLITE_ERROR).startsWith(u"数据库出错"_s));
}

TEST(BridgeFailureReason, ReadsTheBridgesReport)
{
    EXPECT_EQ(bridgeFailureReason(true, 0, {}), QString());
    EXPECT_EQ(bridgeFailureReason(true, 0, "noise\n"), QString());
    EXPECT_EQ(bridgeFailureReason(true, 1, "warning: x\n" + bridgeFailureReport(u"磁盘已满\n第二行"_s)),
              u"磁盘已满 第二行"_s);
    EXPECT_TRUE(bridgeFailureReason(true, 1, "warning: x\n").contains(u"退出码 1"_s));
    EXPECT_TRUE(bridgeFailureReason(false, 0, {}).contains(u"意外终止"_s));
    EXPECT_LT(bridgeFailureReason(true, 1, bridgeFailureReport(QString(5000, u'满'))).size(), 700);
}
