#include "bank/bankcompiler.h"
#include "db/compact.h"
#include "db/database.h"
#include "db/databasecheck.h"
#include "db/learnerdata.h"
#include "db/schema.h"
#include "db/userdatabase.h"
#include "paper/practicehistory.h"
#include "platform/programfolder.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

struct Question
{
    int number;
    QString stem;
};

std::vector<BankSet> bankOf(const std::vector<Question>& questions)
{
    BankSet set{u"第1套题"_s, u"PowerPoint模块"_s, u"01.txt"_s, {}};
    for (const Question& q : questions)
        set.questions.push_back({q.number, u"5"_s, q.stem, {}, {}, {}, 0, u"01.txt"_s, 0});
    return {set};
}

// A program folder with a compiled bank, read-only as an installed one is, and a
// user data folder of the test's own.
class UserDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The test's own data folder, through the environment as the programs find it.
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        QStandardPaths::setTestModeEnabled(false);
        installBank({{1, u"设置切换效果"_s}, {2, u"插入图片"_s}, {3, u"设置动画"_s}});
    }
    void TearDown() override
    {
        setProgramFolderWritable(true);
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    // Puts a bank of `questions` in the program folder, as a package upgrade does.
    void installBank(const std::vector<Question>& questions)
    {
        setProgramFolderWritable(true);
        ASSERT_TRUE(compileBank(bankOf(questions), bankPathInFolder(program.path())).ok());
        setProgramFolderWritable(false);
    }
    void setProgramFolderWritable(bool writable)
    {
        QFile::Permissions mode = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        if (writable)
            mode |= QFile::WriteOwner;
        QFile::setPermissions(program.path(), mode);
    }
    std::shared_ptr<Connection> openWorking()
    {
        auto opened = Connection::open(databasePathInFolder(program.path()), databasePassword());
        EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
        return opened ? opened.value() : nullptr;
    }
    // Flags question `number` of 第1套题.
    void flag(const std::shared_ptr<Connection>& conn, int number)
    {
        ASSERT_TRUE(
            conn->run(u"UPDATE stk SET 错题 = 1 WHERE 套题子类 = ?"_s, {QString::number(number)}).ok());
    }
    std::vector<int> flags(const std::shared_ptr<Connection>& conn)
    {
        std::vector<int> out;
        const auto rows = conn->select(u"SELECT 错题 FROM stk ORDER BY ID"_s);
        for (const Connection::Row& row : rows.value())
            out.push_back(row[0].toInt());
        return out;
    }

    QTemporaryDir program;
    QTemporaryDir dataHome;
    QByteArray m_oldDataHome;
};

} // namespace

TEST_F(UserDatabaseTest, AWritableProgramFolderKeepsItsOwnDatabase)
{
    setProgramFolderWritable(true);
    EXPECT_FALSE(usesUserDataFolder(program.path()));
    EXPECT_EQ(databasePathInFolder(program.path() + u'/'), program.filePath(u"stdata.db"_s));
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
    EXPECT_FALSE(QFileInfo::exists(dataHome.filePath(u"pptdrill"_s)));
}

TEST_F(UserDatabaseTest, FirstStartWithAReadOnlyProgramFolderMakesThePrivateCopy)
{
    EXPECT_TRUE(usesUserDataFolder(program.path()));
    const QString working = dataHome.filePath(u"pptdrill/stdata.db"_s);
    EXPECT_EQ(databasePathInFolder(program.path()), working);
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    EXPECT_EQ(QFileInfo(dataHome.filePath(u"pptdrill"_s)).permissions() & 0x0077, 0) << "private folder";
    const auto prepared = prepareUserDatabase(program.path());
    ASSERT_TRUE(prepared.ok()) << prepared.error().toStdString();

    EXPECT_EQ(QFileInfo(working).permissions() & 0x0077, 0) << "private file";
    auto conn = openWorking();
    ASSERT_TRUE(conn);
    EXPECT_EQ(countRows(conn, u"stk"_s), 3);
    // The copy is the learner's: it takes a paper, and the bank is never touched.
    addPaperRow(conn, 1);
    conn->close();
    auto bank = Connection::open(bankPathInFolder(program.path()), databasePassword());
    ASSERT_TRUE(bank.ok());
    EXPECT_EQ(countRows(bank.value(), u"st"_s), 0);
    EXPECT_EQ(QDir(dataHome.filePath(u"pptdrill"_s)).entryList(QDir::Files), QStringList({u"stdata.db"_s}));
}

TEST_F(UserDatabaseTest, TheSameBankLeavesTheCopyAloneAlsoAfterCompaction)
{
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
    auto conn = openWorking();
    flag(conn, 2);
    addPaperRow(conn, 2);
    conn->close();
    ASSERT_TRUE(compactDatabaseFile(databasePathInFolder(program.path()), databasePassword()));

    ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
    conn = openWorking();
    EXPECT_EQ(countRows(conn, u"st"_s), 1) << "the copy was replaced";
    EXPECT_EQ(flags(conn), (std::vector<int>{0, 1, 0}));
}

TEST_F(UserDatabaseTest, AnUpgradeKeepsTheFlagsOfUnchangedQuestionsOnly)
{
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
    auto conn = openWorking();
    flag(conn, 1);
    flag(conn, 2);
    flag(conn, 3);
    conn->close();

    // Question 2's stem is reworded, question 3 removed and question 5 takes its stem.
    installBank({{1, u"设置切换效果"_s}, {2, u"插入一张图片"_s}, {4, u"设置放映方式"_s}, {5, u"设置动画"_s}});
    const auto prepared = prepareUserDatabase(program.path());
    ASSERT_TRUE(prepared.ok()) << prepared.error().toStdString();
    conn = openWorking();
    EXPECT_EQ(countRows(conn, u"stk"_s), 4);
    EXPECT_EQ(flags(conn), (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ(readValue(conn, u"stk"_s, u"ID"_s, bankQuestionId(u"第1套题"_s, 5), u"套题子类"_s).toString(),
              u"5"_s);
    conn->close();
    EXPECT_FALSE(QFileInfo::exists(databasePathInFolder(program.path()) + u".new"_s));

    // Going on from the new bank: its copy is not replaced again.
    conn = openWorking();
    flag(conn, 5);
    conn->close();
    ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
    EXPECT_EQ(flags(openWorking()), (std::vector<int>{1, 0, 0, 1}));
}

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A learner's copy with two hand-ins and question 2 flagged wrong.
void addHistory(const std::shared_ptr<Connection>& conn)
{
    for (int n = 0; n < 2; ++n) {
        Attempt attempt;
        attempt.setName = u"第1套题"_s;
        attempt.startedAt = QDateTime(QDate(2026, 3, 1 + n), QTime(9, 0), Qt::UTC);
        attempt.handedInAt = attempt.startedAt.addSecs(600);
        attempt.score = 5;
        attempt.questionCount = 3;
        attempt.rightCount = 2;
        ASSERT_TRUE(
            writeAttempt(*conn, attempt, {{1, 1, {}, true}, {2, 2, {}, false}, {3, 3, {}, true}}).ok());
    }
    ASSERT_TRUE(conn->executeScript(u"UPDATE stk SET 错题 = 1 WHERE TRIM(套题子类) = '2'"_s).ok());
}

} // namespace

TEST_F(UserDatabaseTest, ADamagedCopyIsKeptAndWhatCanBeReadOfItIsCarried)
{
    struct Damage
    {
        const char* what;
        std::function<void(const QString& file)> apply;
        int attemptsCarried;
    };
    const auto rewrite = [](const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    const auto alter = [](const QString& sql) {
        return [sql](const QString& file) {
            auto conn = Connection::open(file, databasePassword());
            ASSERT_TRUE(conn.ok());
            ASSERT_TRUE(conn.value()->executeScript(sql).ok()) << conn.value()->lastError().toStdString();
        };
    };
    const Damage damages[] = {
        {"random bytes", [&](const QString& f) { rewrite(f, QByteArray(8192, 'x')); }, 0},
        {"empty", [&](const QString& f) { rewrite(f, {}); }, 0},
        {"another key",
         [&](const QString& f) {
             QFile::remove(f);
             auto other = Connection::create(f, u"another password"_s);
             ASSERT_TRUE(other.ok());
             ASSERT_TRUE(createSchema(*other.value()).ok());
         },
         0},
        {"the paper table gone", alter(u"DROP TABLE st"_s), 2},
        {"a history table of another make",
         alter(u"CREATE TABLE x AS SELECT 记录ID, setname, 开始时间, 交卷时间, 得分 FROM 练习记录;"
               u"DROP TABLE 练习记录; ALTER TABLE x RENAME TO 练习记录"_s),
         2},
    };
    const QString working = databasePathInFolder(program.path());
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    int round = 0;
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        if (QFileInfo::exists(working))
            QFile::remove(working);
        ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
        addHistory(openWorking());
        damage.apply(working);
        const QByteArray damagedBytes = contentsOf(working);

        const auto prepared = prepareUserDatabase(program.path());
        ASSERT_TRUE(prepared.ok()) << prepared.error().toStdString();
        // Never deleted, never overwritten: each fault has a copy of its own.
        const QString kept = round == 0 ? working + u".damaged"_s : working + u".damaged.%1"_s.arg(round);
        EXPECT_EQ(prepared->damagedCopy, kept);
        EXPECT_EQ(contentsOf(kept), damagedBytes);
        ++round;
        for (int earlier = 1; earlier < round; ++earlier)
            EXPECT_TRUE(QFileInfo::exists(working + u".damaged.%1"_s.arg(earlier)));

        // The new copy serves, and holds what was read.
        EXPECT_TRUE(checkDatabaseForUse(working, databasePassword()).ok());
        auto conn = openWorking();
        ASSERT_TRUE(conn);
        EXPECT_EQ(countRows(conn, u"stk"_s), 3);
        EXPECT_EQ(countRows(conn, u"练习记录"_s), damage.attemptsCarried);
        EXPECT_EQ(flags(conn), (std::vector<int>{0, damage.attemptsCarried ? 1 : 0, 0}));
        EXPECT_EQ(readAttempts(*conn).ok(), true);
        conn->close();
        EXPECT_EQ(prepared->carriedAttempts, damage.attemptsCarried);
        const QString notice = damagedCopyNotice(working, prepared.value());
        EXPECT_TRUE(notice.contains(kept)) << notice.toStdString();
        EXPECT_TRUE(notice.contains(damage.attemptsCarried ? u"读出了 2 次练习记录和 1 道错题的标记"_s
                                                           : u"已读不出练习记录和错题标记"_s))
            << notice.toStdString();

        // The next start finds the new copy sound.
        const auto again = prepareUserDatabase(program.path());
        ASSERT_TRUE(again.ok());
        EXPECT_TRUE(again->damagedCopy.isEmpty());
    }
    EXPECT_TRUE(QFileInfo::exists(working + u".damaged"_s));
}

TEST_F(UserDatabaseTest, ACopyCutShortKeepsTheRowsBeforeTheCut)
{
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
    auto conn = openWorking();
    // A long history, so that the cut takes its last pages only.
    ASSERT_TRUE(conn->executeScript(u"BEGIN"_s).ok());
    for (int n = 0; n < 300; ++n)
        addHistory(conn);
    ASSERT_TRUE(conn->executeScript(u"COMMIT"_s).ok());
    conn->close();
    const QString working = databasePathInFolder(program.path());
    const qint64 size = QFileInfo(working).size();
    const qint64 cut = size - size / 8 / 1024 * 1024;
    ASSERT_TRUE(QFile::resize(working, cut));

    const auto prepared = prepareUserDatabase(program.path());
    ASSERT_TRUE(prepared.ok()) << prepared.error().toStdString();
    EXPECT_EQ(prepared->damagedCopy, working + u".damaged"_s);
    EXPECT_EQ(QFileInfo(prepared->damagedCopy).size(), cut);
    conn = openWorking();
    const int carried = countRows(conn, u"练习记录"_s);
    std::printf("a copy of %lld bytes cut to %lld: %d of 600 attempts carried, %d rows unreadable\n", size,
                cut, carried, prepared->unreadableRows);
    EXPECT_GT(carried, 0);
    EXPECT_EQ(prepared->carriedAttempts, carried);
    EXPECT_EQ(prepared->carriedFlags, 1);
    EXPECT_TRUE(readAttempts(*conn).ok());
}

TEST_F(UserDatabaseTest, TheDataFolderAndItsFilesAreMadePrivateAtEveryStart)
{
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    ASSERT_TRUE(prepareUserDatabase(program.path()).ok());
    const QString folder = dataHome.filePath(u"pptdrill"_s);
    const QString working = databasePathInFolder(program.path());
    // As a start killed before its chmod, or a copy made by hand, leaves them.
    QFile other(dataHome.filePath(u"elsewhere.txt"_s));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    ASSERT_TRUE(QFile::link(other.fileName(), folder + u"/link"_s));
    const mode_t oldMask = ::umask(0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    for (const QString& file : {working, working + u".damaged"_s, working + u".lock"_s, other.fileName()}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.close();
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0644), 0);
    }
    ::umask(oldMask);

    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    const auto modeOf = [](const QString& path) {
        struct stat status = {};
        return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : 0u;
    };
    EXPECT_EQ(modeOf(folder), 0700u);
    for (const QString& file : {working, working + u".damaged"_s, working + u".lock"_s})
        EXPECT_EQ(modeOf(file), 0600u) << file.toStdString();
    // A link is not followed out of the folder.
    EXPECT_EQ(modeOf(other.fileName()), 0644u);
}

TEST_F(UserDatabaseTest, InstalledMeansAnotherOwnerOrASystemFolderWhoeverRunsIt)
{
    setProgramFolderWritable(true);
    const uint me = ::geteuid();
    const QString parent = QFileInfo(program.path()).absolutePath();
    EXPECT_FALSE(isInstalledProgramFolder(program.path(), me, {}));
    EXPECT_TRUE(isInstalledProgramFolder(program.path(), me + 1, {}));
    EXPECT_TRUE(isInstalledProgramFolder(program.path(), me, {parent}));
    EXPECT_TRUE(isInstalledProgramFolder(program.path() + u"/"_s, me, {program.path()}));
    EXPECT_FALSE(isInstalledProgramFolder(program.path(), me, {parent.left(parent.size() - 1)}));
    EXPECT_TRUE(systemPrefixes().contains(u"/usr"_s));
    EXPECT_TRUE(systemPrefixes().contains(u"/opt"_s));
    EXPECT_FALSE(usesUserDataFolder(program.path()));

    // Root may write into any folder; one it does not own is still an installed one.
    if (me == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(program.path()).constData(), 65534, 65534), 0);
        EXPECT_TRUE(usesUserDataFolder(program.path()));
        EXPECT_EQ(databasePathInFolder(program.path()), dataHome.filePath(u"pptdrill/stdata.db"_s));
        ASSERT_EQ(::chown(QFile::encodeName(program.path()).constData(), 0, 0), 0);
    }
}

TEST_F(UserDatabaseTest, StampsFollowTheQuestions)
{
    setProgramFolderWritable(true);
    auto stampOf = [&](const std::vector<Question>& questions) {
        const QString path = program.filePath(u"stamped.db"_s);
        QFile::remove(path);
        EXPECT_TRUE(compileBank(bankOf(questions), path).ok());
        auto conn = Connection::open(path, databasePassword());
        return conn ? bankStamp(*conn.value()).value() : -1;
    };
    const int first = stampOf({{1, u"插入图片"_s}});
    EXPECT_NE(first, 0);
    EXPECT_EQ(stampOf({{1, u"插入图片"_s}}), first);
    EXPECT_NE(stampOf({{1, u"插入图片。"_s}}), first);
    EXPECT_NE(stampOf({{2, u"插入图片"_s}}), first);
}

TEST_F(UserDatabaseTest, AMissingBankOrAnUnwritableDataFolderIsAFailureThatSaysWhere)
{
    setProgramFolderWritable(true);
    QFile::remove(bankPathInFolder(program.path()));
    setProgramFolderWritable(false);
    ASSERT_TRUE(makeDatabaseFolder(program.path()).ok());
    const auto missing = prepareUserDatabase(program.path());
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains(bankPathInFolder(program.path())));

    installBank({{1, u"插入图片"_s}});
    QFile::setPermissions(dataHome.path(), QFile::ReadOwner | QFile::ExeOwner);
    QDir(dataHome.path()).rmdir(u"pptdrill"_s);
    const Status unwritable = makeDatabaseFolder(program.path());
    QFile::setPermissions(dataHome.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::geteuid() != 0) {
        EXPECT_FALSE(unwritable.ok());
        EXPECT_TRUE(unwritable.error().contains(dataHome.filePath(u"pptdrill"_s)));
    }
}

TEST(LearnerData, CarriesFlagsByIdAndStemInOneTransaction)
{
    TempProgramFolder folder;
    auto from = createTestDatabase(folder.file(u"old.db"_s));
    auto to = createTestDatabase(folder.file(u"new.db"_s));
    for (int n = 1; n <= 3; ++n) {
        addBankRow(*from, u"第1套题"_s, n, n == 2 ? 0 : 1);
        addBankRow(*to, u"第1套题"_s, n, 0);
    }
    ASSERT_TRUE(from->executeScript(
                        u"UPDATE stk SET 题干 = 'A' WHERE ID = 1; UPDATE stk SET 题干 = 'C' WHERE ID = 3"_s)
                    .ok());
    ASSERT_TRUE(to->executeScript(
                      u"UPDATE stk SET 题干 = 'A' WHERE ID = 1; UPDATE stk SET 题干 = 'C2' WHERE ID = 3"_s)
                    .ok());
    ASSERT_TRUE(carryLearnerData(from, to).ok());
    EXPECT_EQ(readValue(to, u"stk"_s, u"ID"_s, 1, u"错题"_s).toInt(), 1);
    EXPECT_EQ(readValue(to, u"stk"_s, u"ID"_s, 2, u"错题"_s).toInt(), 0);
    EXPECT_EQ(readValue(to, u"stk"_s, u"ID"_s, 3, u"错题"_s).toInt(), 0);

    // A target that cannot take the flags is left as it was.
    ASSERT_TRUE(to->executeScript(u"UPDATE stk SET 错题 = 0; CREATE TRIGGER refuse BEFORE UPDATE ON stk "
                                  "WHEN NEW.ID = 1 BEGIN SELECT RAISE(ABORT, 'no'); END"_s)
                    .ok());
    ASSERT_TRUE(from->executeScript(u"UPDATE stk SET 题干 = 'C2' WHERE ID = 3"_s).ok());
    EXPECT_FALSE(carryLearnerData(from, to).ok());
    EXPECT_EQ(readValue(to, u"stk"_s, u"ID"_s, 3, u"错题"_s).toInt(), 0);
}
