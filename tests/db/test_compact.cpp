#include "db/compact.h"
#include "db/database.h"
#include "db/statements.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

TEST(CompactionPath, TemporaryNameFollowsTheFileName)
{
    EXPECT_EQ(compactionTempPath(u"/e/app/stdata.db"_s), u"/e/app/stdata.~db"_s);
    EXPECT_EQ(compactionTempPath(u"/e/app/data"_s), u"/e/app/data.~"_s);
    EXPECT_EQ(compactionTempPath(u"/stdata.db"_s), QString()); // nothing before the separator
    EXPECT_EQ(compactionTempPath(u"/e/app/a.b.db"_s), QString());
    EXPECT_EQ(compactionTempPath(u"stdata.db"_s), QString());
    EXPECT_EQ(compactionTempPath(u"/e/app/"_s), QString());
}

TEST(CompactionPath, PathsTheRuleDoesNotTakeAreLeftAloneAndCountAsDone)
{
    TempProgramFolder folder;
    const QString twoDots = folder.file(u"a.b.db"_s);
    QFile f(twoDots);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a database");
    f.close();
    EXPECT_TRUE(compactDatabaseFile(twoDots, databasePassword()));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({u"a.b.db"_s}));
    EXPECT_TRUE(compactDatabaseFile(u"stdata.db"_s, databasePassword()));
}

TEST(CompactionPath, MissingOrUnreadableFileFailsAndCreatesNothing)
{
    TempProgramFolder folder;
    EXPECT_FALSE(compactDatabaseFile(folder.file(u"stdata.db"_s), databasePassword()));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    auto conn = createTestDatabase(folder.file(u"stdata.db"_s));
    conn->close();
    EXPECT_FALSE(compactDatabaseFile(folder.file(u"stdata.db"_s), u"wrong"_s));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({u"stdata.db"_s}));
    EXPECT_TRUE(Connection::open(folder.file(u"stdata.db"_s), databasePassword()).ok());
}

TEST(Compaction, ShrinksTheFileKeepsRowsPasswordAndNumbering)
{
    TempProgramFolder folder;
    const QString path = folder.file(u"stdata.db"_s);
    auto conn = createTestDatabase(path);
    const QByteArray movie(200 * 1024, 'm');
    for (int i = 1; i <= 20; ++i)
        addBankRow(*conn, u"第1套题"_s, i, i % 2, movie);
    qint64 lastStid = 0;
    for (int i = 0; i < 5; ++i)
        lastStid = addPaperRow(conn, i + 1);
    ASSERT_TRUE(conn->executeScript(u"DELETE FROM stk WHERE ID > 5"_s).ok());
    conn->close();
    const qint64 before = QFileInfo(path).size();

    ASSERT_TRUE(compactDatabaseFile(path, databasePassword()));
    EXPECT_FALSE(QFile::exists(folder.file(u"stdata.~db"_s)));
    EXPECT_LT(QFileInfo(path).size(), before / 2);

    auto reopened = Connection::open(path, databasePassword());
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    EXPECT_EQ(countRows(reopened.value(), u"stk"_s), 5);
    EXPECT_EQ(countRows(reopened.value(), u"st"_s), 5);
    EXPECT_EQ(readValue(reopened.value(), u"stk"_s, u"ID"_s, 3, u"内容多媒体文件"_s).toByteArray(), movie);
    EXPECT_GT(addPaperRow(reopened.value(), 99), lastStid);
}

TEST(Compaction, AStaleTemporaryFileFromAnEarlierRunIsReplaced)
{
    TempProgramFolder folder;
    const QString path = folder.file(u"stdata.db"_s);
    auto conn = createTestDatabase(path);
    addBankRow(*conn, u"第1套题"_s, 1);
    conn->close();
    QFile stale(folder.file(u"stdata.~db"_s));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(10000, 'z'));
    stale.close();

    ASSERT_TRUE(compactDatabaseFile(path, databasePassword()));
    EXPECT_FALSE(QFile::exists(stale.fileName()));
    auto reopened = Connection::open(path, databasePassword());
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ(countRows(reopened.value(), u"stk"_s), 1);
}

namespace {

struct FileStat
{
    mode_t mode = 0;
    uid_t uid = 0;
    gid_t gid = 0;
    bool link = false;
};

FileStat statOf(const QString& path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return {static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid, S_ISLNK(st.st_mode)};
}

// A group other than the user's primary one that the file may be given.
std::optional<gid_t> anotherGroup()
{
    if (::geteuid() == 0)
        return gid_t(65534);
    gid_t groups[64];
    const int n = ::getgroups(64, groups);
    for (int i = 0; i < n; ++i) {
        if (groups[i] != ::getegid())
            return groups[i];
    }
    return std::nullopt;
}

} // namespace

TEST(Compaction, TheFileKeepsItsPermissionsGroupAndLink)
{
    TempProgramFolder folder;
    const QString path = folder.file(u"stdata.db"_s);
    createTestDatabase(path)->close();
    const QByteArray native = QFile::encodeName(path);

    // A private database stays private whatever the umask.
    const mode_t oldMask = ::umask(022);
    ASSERT_EQ(::chmod(native.constData(), 0600), 0);
    ASSERT_TRUE(compactDatabaseFile(path, databasePassword()));
    EXPECT_EQ(statOf(path).mode, 0600u);

    // A database shared by a group stays writable for that group.
    ASSERT_EQ(::chmod(native.constData(), 0664), 0);
    const std::optional<gid_t> group = anotherGroup();
    if (group) {
        ASSERT_EQ(::chown(native.constData(), static_cast<uid_t>(-1), *group), 0);
    }
    const FileStat shared = statOf(path);
    ASSERT_TRUE(compactDatabaseFile(path, databasePassword()));
    EXPECT_EQ(statOf(path).mode, 0664u);
    EXPECT_EQ(statOf(path).gid, shared.gid);
    ::umask(oldMask);

    // Through a symbolic link the target is compacted and the link stays.
    TempProgramFolder programs;
    const QString link = programs.file(u"stdata.db"_s);
    ASSERT_TRUE(QFile::link(path, link));
    {
        auto conn = Connection::open(link, databasePassword());
        ASSERT_TRUE(conn.ok());
        addBankRow(*conn.value(), u"第1套题"_s, 1);
        conn.value()->close();
    }
    ASSERT_TRUE(compactDatabaseFile(link, databasePassword()));
    EXPECT_TRUE(statOf(link).link);
    EXPECT_FALSE(QFile::exists(programs.file(u"stdata.~db"_s)));
    EXPECT_FALSE(QFile::exists(folder.file(u"stdata.~db"_s)));
    auto reopened = Connection::open(path, databasePassword());
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ(countRows(reopened.value(), u"stk"_s), 1);
}

TEST(Compaction, KilledAtRandomMomentsAlwaysLeavesAWholeDatabase)
{
    TempProgramFolder folder;
    const QString path = folder.file(u"stdata.db"_s);
    auto conn = createTestDatabase(path);
    QByteArray movie(64 * 1024, '\0');
    for (qsizetype i = 0; i < movie.size(); ++i)
        movie[i] = static_cast<char>(i % 251);
    ASSERT_TRUE(conn->executeScript(u"BEGIN"_s).ok());
    for (int i = 1; i <= 150; ++i)
        addBankRow(*conn, u"第%1套题"_s.arg(i % 12 + 1), i, 0, movie);
    ASSERT_TRUE(conn->executeScript(u"COMMIT"_s).ok());
    conn->close();
    // A private database: what it holds is never readable by others, also
    // not in the copy a compaction leaves when killed.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    const mode_t oldMask = ::umask(0);

    QRandomGenerator random(20261208);
    const QString temp = folder.file(u"stdata.~db"_s);
    int leftBehind = 0;
    constexpr int kRounds = 30;
    int killedMidWay = 0;
    for (int round = 0; round < kRounds; ++round) {
        QProcess child;
        child.start(QString::fromUtf8(COMPACT_CHILD), {path});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(10000));
        QThread::usleep(random.bounded(2000, 400000));
        if (child.state() == QProcess::Running)
            ++killedMidWay;
        child.kill();
        child.waitForFinished();
        for (const QString& file : {path, temp, temp + u"-journal"_s}) {
            struct stat status = {};
            if (::stat(QFile::encodeName(file).constData(), &status) == 0) {
                EXPECT_EQ(status.st_mode & 0777, 0600u) << "round " << round << ": " << file.toStdString();
                leftBehind += file == temp;
            }
        }

        auto reopened = Connection::open(path, databasePassword());
        ASSERT_TRUE(reopened.ok()) << "round " << round << ": " << reopened.error().toStdString();
        auto rs = Recordset::open(reopened.value(), sql::SelectBank);
        ASSERT_TRUE(rs.ok()) << "round " << round;
        ASSERT_EQ(rs->recordCount(), 150) << "round " << round;
        ASSERT_TRUE(rs->setAbsolutePosition(1 + random.bounded(150)).ok());
        ASSERT_EQ(rs->field(u"内容多媒体文件"_s)->toByteArray(), movie) << "round " << round;
    }
    ::umask(oldMask);
    EXPECT_EQ(killedMidWay, kRounds);
    std::printf("compaction killed %d times, %d times while its copy was being written\n", kRounds,
                leftBehind);
    // The next orderly compaction cleans up after the killed ones.
    EXPECT_TRUE(compactDatabaseFile(path, databasePassword()));
    EXPECT_FALSE(QFile::exists(folder.file(u"stdata.~db"_s)));
}
