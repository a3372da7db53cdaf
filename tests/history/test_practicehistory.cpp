// The practice history: what a hand-in writes, what keeps it (exit clean-up,
// compaction, a rebuilt bank), the parts of the module from the weakest, and
// the weak-point paper drawn from them.
#include "bank/bankcompiler.h"
#include "bank/banksource.h"
#include "cipher/textfields.h"
#include "db/compact.h"
#include "db/learnerdata.h"
#include "db/schema.h"
#include "db/statements.h"
#include "paper/examsession.h"
#include "paper/paperbuilder.h"
#include "paper/practicehistory.h"
#include "paper/results.h"
#include "platform/programfolder.h"
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

void setTopic(Connection& conn, qint64 id, const QString& topic)
{
    ASSERT_TRUE(conn.run(u"INSERT OR REPLACE INTO 试题考点 (ID, 考点) VALUES (?, ?)"_s, {id, topic}).ok());
}

void setPaperScore(Connection& conn, qint64 stid, double points)
{
    ASSERT_TRUE(
        conn.run(u"UPDATE st SET 得分 = ?, 是否已做 = ? WHERE stid = ?"_s, {points, points > 0 ? 1 : 0, stid})
            .ok());
}

int scalar(Connection& conn, const QString& sql, const QVariantList& values = {})
{
    auto rows = conn.select(sql, values);
    EXPECT_TRUE(rows.ok()) << rows.error().toStdString();
    return rows && !rows->empty() ? rows->front().front().toInt() : -1;
}

// A program folder with a bank and a paper of its own.
class HistoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        conn = createTestDatabase(folder.file(u"stdata.db"_s));
        ASSERT_TRUE(conn);
        setProgramFolderForTesting(folder.path());
    }
    void TearDown() override
    {
        if (conn)
            conn->close();
        setProgramFolderForTesting(QString());
    }

    // A paper of one question per entry of `points`, each on a bank row of its
    // own examining `topics[i]`, on the session as the bar starts it.
    void makePaper(const std::vector<double>& points, const QStringList& topics)
    {
        for (size_t i = 0; i < points.size(); ++i) {
            const qint64 id = addBankRow(*conn, u"第2套题"_s, static_cast<int>(i) + 1);
            setTopic(*conn, id, topics[static_cast<qsizetype>(i)]);
            const qint64 stid = addPaperRow(conn, id);
            setPaperScore(*conn, stid, points[i]);
            bankIds.push_back(id);
            stids.push_back(stid);
        }
        session.choice = practiceChoiceNamed(u"第2套题"_s);
        session.startPaper(static_cast<int>(points.size()));
    }

    TempProgramFolder folder;
    std::shared_ptr<Connection> conn;
    ExamSession session;
    std::vector<qint64> bankIds;
    std::vector<qint64> stids;
};

} // namespace

TEST_F(HistoryTest, HandInWritesOneRowWithEachQuestionsOutcome)
{
    makePaper({2.5, 0, 2.5, 2.5}, {u"动画"_s, u"文本"_s, u"放映"_s, u"打印"_s});
    session.candidate.examMode = false;
    session.noteDemonstration(3);
    session.noteHint(4);
    session.noteDemonstration(9); // outside the paper: nothing

    auto results = scorePaper(&session);
    ASSERT_TRUE(results.ok()) << results.error().toStdString();
    EXPECT_EQ(results->score, 7.5);
    EXPECT_NE(session.historyRecordId, 0);

    auto attempts = readAttempts(*conn);
    ASSERT_TRUE(attempts.ok());
    ASSERT_EQ(attempts->size(), 1u);
    const Attempt& a = attempts->front();
    EXPECT_EQ(a.id, session.historyRecordId);
    EXPECT_EQ(a.setName, u"第2套题"_s);
    EXPECT_EQ(a.score, 7.5);
    EXPECT_EQ(a.questionCount, 4);
    EXPECT_EQ(a.rightCount, 3);
    EXPECT_FALSE(a.examMode);
    EXPECT_TRUE(a.startedAt.isValid());
    EXPECT_LE(a.startedAt, a.handedInAt);

    auto questions = readAttemptQuestions(*conn, a.id);
    ASSERT_TRUE(questions.ok());
    ASSERT_EQ(questions->size(), 4u);
    const bool right[] = {true, false, true, true};
    const QString topics[] = {u"动画"_s, u"文本"_s, u"放映"_s, u"打印"_s};
    for (size_t i = 0; i < 4; ++i) {
        const AttemptQuestion& q = (*questions)[i];
        EXPECT_EQ(q.position, static_cast<int>(i) + 1);
        EXPECT_EQ(q.stkid, bankIds[i]);
        EXPECT_EQ(q.topic, topics[i]);
        EXPECT_EQ(q.right, right[i]) << i;
        EXPECT_EQ(q.demonstration, i == 2) << i;
        EXPECT_EQ(q.hint, i == 3) << i;
    }
    // Solved by watching the demonstration: scores, but not mastered.
    EXPECT_TRUE((*questions)[2].right);
    EXPECT_FALSE((*questions)[2].mastered());
    // The bank flags are written as before.
    EXPECT_EQ(readValue(conn, u"stk"_s, u"ID"_s, bankIds[1], u"错题"_s).toInt(), 1);
    EXPECT_EQ(readValue(conn, u"stk"_s, u"ID"_s, bankIds[0], u"错题"_s).toInt(), 0);
}

TEST_F(HistoryTest, AHandInAgainIsACorrectionThatLeavesTheFirstScoreAndANewPaperAddsOne)
{
    makePaper({0, 0}, {u"动画"_s, u"文本"_s});
    ASSERT_TRUE(scorePaper(&session).ok());
    const qint64 first = session.historyRecordId;

    // "返回检查", question 2 done, handed in again: the attempt keeps 0 and gains a correction of 2.5.
    setPaperScore(*conn, stids[1], 2.5);
    auto corrected = scorePaper(&session);
    ASSERT_TRUE(corrected.ok());
    EXPECT_TRUE(corrected->corrected);
    EXPECT_EQ(corrected->firstScore, 0);
    EXPECT_EQ(corrected->score, 2.5);
    EXPECT_EQ(session.historyRecordId, first);
    auto attempts = readAttempts(*conn);
    ASSERT_EQ(attempts->size(), 1u);
    EXPECT_EQ(attempts->front().score, 0);
    EXPECT_EQ(attempts->front().rightCount, 0);
    EXPECT_TRUE(attempts->front().corrected);
    EXPECT_EQ(attempts->front().correctedScore, 2.5);
    EXPECT_EQ(attempts->front().correctedRightCount, 1);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录明细"_s), 2);
    EXPECT_EQ(scalar(*conn, u"SELECT 做对 FROM 练习记录明细 WHERE 题号 = 2"_s), 0);
    // A third hand-in replaces the correction, never the first score.
    setPaperScore(*conn, stids[0], 2.5);
    ASSERT_TRUE(scorePaper(&session).ok());
    auto again = readAttempt(*conn, first);
    ASSERT_TRUE(again.ok() && again->has_value());
    EXPECT_EQ((*again)->score, 0);
    EXPECT_EQ((*again)->correctedScore, 5);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习订正"_s), 1);
    // The best score of the set is the first hand-in's.
    EXPECT_EQ(summarizeSets(readAttempts(*conn).value()).front().bestScore, 0);

    // The next paper is a new attempt; scoring without a session writes none.
    session.startPaper(2);
    auto next = scorePaper(&session);
    ASSERT_TRUE(next.ok());
    EXPECT_FALSE(next->corrected);
    EXPECT_NE(session.historyRecordId, first);
    ASSERT_TRUE(scorePaper().ok());
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录"_s), 2);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录明细"_s), 4);
    EXPECT_FALSE(readAttempt(*conn, session.historyRecordId).value()->corrected);
    EXPECT_FALSE(readAttempt(*conn, 999).value().has_value());
    ASSERT_TRUE(clearPracticeHistory(*conn).ok());
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习订正"_s), 0);
}

TEST_F(HistoryTest, QuestionsNeverOpenedAreNotAskedInTheMastery)
{
    makePaper({0, 0, 0}, {u"动画"_s, u"文本"_s, u"放映"_s});
    session.setMark(1, QuestionMark::Visited);
    session.setMark(3, QuestionMark::Marked);
    ASSERT_TRUE(scorePaper(&session).ok());
    auto questions = readAttemptQuestions(*conn, session.historyRecordId);
    ASSERT_EQ(questions->size(), 3u);
    EXPECT_TRUE((*questions)[0].opened);
    EXPECT_FALSE((*questions)[1].opened);
    EXPECT_TRUE((*questions)[2].opened);

    auto shares = readTopicShares(*conn, kRecentAttempts);
    ASSERT_TRUE(shares.ok());
    const auto askedOf = [&](const QString& topic) {
        return std::find_if(shares->begin(), shares->end(),
                            [&](const TopicShare& t) { return t.topic == topic; })
            ->asked;
    };
    EXPECT_EQ(askedOf(u"动画"_s), 1);
    EXPECT_EQ(askedOf(u"文本"_s), 0); // not yet asked, not missed
    EXPECT_EQ(askedOf(u"放映"_s), 1);
}

TEST_F(HistoryTest, ExamModeAndAPaperWithoutTopicsAreRecorded)
{
    for (int n = 1; n <= 2; ++n)
        addPaperRow(conn, addBankRow(*conn, u"第1套题"_s, n));
    session.choice = practiceChoiceNamed(u"随机练习"_s);
    session.candidate.examMode = true;
    session.startPaper(2);
    ASSERT_TRUE(scorePaper(&session).ok());
    auto attempts = readAttempts(*conn);
    ASSERT_EQ(attempts->size(), 1u);
    EXPECT_TRUE(attempts->front().examMode);
    EXPECT_EQ(attempts->front().setName, u"随机练习"_s);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录明细 WHERE 考点 IS NULL"_s), 2);
}

TEST_F(HistoryTest, HistorySurvivesTheExitCleanUpAndCompaction)
{
    makePaper({2.5, 0}, {u"动画"_s, u"文本"_s});
    ASSERT_TRUE(scorePaper(&session).ok());
    for (const QString& statement : {sql::DeletePaper, sql::DeleteStkbf, sql::DeleteStlbf})
        ASSERT_TRUE(conn->execute(statement).ok());
    conn->close();
    conn.reset();
    ASSERT_TRUE(compactDatabaseFile(folder.file(u"stdata.db"_s), databasePassword()));

    auto reopened = openDatabase(folder.path());
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ(scalar(*reopened.value(), u"SELECT COUNT(*) FROM st"_s), 0);
    EXPECT_EQ(scalar(*reopened.value(), u"SELECT COUNT(*) FROM 练习记录"_s), 1);
    EXPECT_EQ(scalar(*reopened.value(), u"SELECT COUNT(*) FROM 练习记录明细"_s), 2);
    EXPECT_EQ(scalar(*reopened.value(), u"SELECT COUNT(*) FROM 试题考点"_s), 2);
}

TEST_F(HistoryTest, ClearingStartsTheLearnerOverAndKeepsTheBank)
{
    makePaper({2.5, 0, 0}, {u"动画"_s, u"文本"_s, u"放映"_s});
    ASSERT_TRUE(scorePaper(&session).ok());
    session.startPaper(3);
    ASSERT_TRUE(scorePaper(&session).ok());
    const int bankRows = scalar(*conn, u"SELECT COUNT(*) FROM stk"_s);
    ASSERT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM stk WHERE 错题 <> 0"_s), 2);

    // A step that fails half-way leaves everything as it was.
    ASSERT_TRUE(conn->executeScript(u"CREATE TRIGGER refuse BEFORE UPDATE ON stk "
                                    u"BEGIN SELECT RAISE(ABORT, 'refused'); END;"_s)
                    .ok());
    EXPECT_FALSE(clearPracticeHistory(*conn).ok());
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录"_s), 2);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录明细"_s), 6);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM stk WHERE 错题 <> 0"_s), 2);
    ASSERT_TRUE(conn->executeScript(u"DROP TRIGGER refuse"_s).ok());

    const Status cleared = clearPracticeHistory(*conn);
    ASSERT_TRUE(cleared.ok()) << cleared.error().toStdString();
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录"_s), 0);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 练习记录明细"_s), 0);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM stk WHERE 错题 <> 0"_s), 0);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM stk"_s), bankRows);
    EXPECT_EQ(scalar(*conn, u"SELECT COUNT(*) FROM 试题考点"_s), 3);

    // Practice goes on from nothing: the next hand-in is the only attempt.
    session.startPaper(3);
    ASSERT_TRUE(scorePaper(&session).ok());
    EXPECT_EQ(readAttempts(*conn)->size(), 1u);
}

TEST(LearnerTables, AnOlderDatabaseGetsThemAndKeepsItsTables)
{
    TempProgramFolder folder;
    auto conn = Connection::create(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(conn.ok());
    ASSERT_TRUE(conn.value()->executeScript(schemaScript()).ok());
    auto columnsOf = [&](const QString& table) {
        QStringList names;
        auto rows = conn.value()->select(u"PRAGMA table_info(\"%1\")"_s.arg(table));
        for (const auto& row : rows.value())
            names << row[1].toString();
        return names;
    };
    std::map<QString, QStringList> before;
    for (const QString& table : {u"stk"_s, u"st"_s, u"stkbf"_s, u"stlbf"_s})
        before[table] = columnsOf(table);
    EXPECT_FALSE(conn.value()->hasTable(u"练习记录"_s));

    ASSERT_TRUE(ensureLearnerTables(*conn.value()).ok());
    ASSERT_TRUE(ensureLearnerTables(*conn.value()).ok()); // a second start changes nothing
    for (const QString& table : {u"试题考点"_s, u"练习记录"_s, u"练习记录明细"_s, u"练习订正"_s})
        EXPECT_TRUE(conn.value()->hasTable(table)) << table.toStdString();
    for (const auto& [table, columns] : before)
        EXPECT_EQ(columnsOf(table), columns) << table.toStdString();
}

TEST(LearnerTables, AHistoryOfAnEarlierVersionGainsTheOpenedColumnWithItsRowsCountedAsOpened)
{
    TempProgramFolder folder;
    auto conn = Connection::create(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(conn.ok());
    ASSERT_TRUE(conn.value()->executeScript(schemaScript()).ok());
    ASSERT_TRUE(
        conn.value()
            ->executeScript(u"CREATE TABLE 练习记录明细 (记录ID INTEGER NOT NULL, 题号 INTEGER NOT NULL, "
                            u"stkid INTEGER, 考点 TEXT, 做对 INTEGER NOT NULL DEFAULT 0, 看过演示 INTEGER "
                            u"NOT NULL DEFAULT 0, 看过提示 INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (记录ID, "
                            u"题号)); INSERT INTO 练习记录明细 (记录ID, 题号, 做对) VALUES (1, 1, 0);"_s)
            .ok());
    EXPECT_FALSE(tableHasColumn(*conn.value(), u"练习记录明细"_s, u"打开过"_s));
    ASSERT_TRUE(ensureLearnerTables(*conn.value()).ok());
    ASSERT_TRUE(ensureLearnerTables(*conn.value()).ok());
    EXPECT_TRUE(tableHasColumn(*conn.value(), u"练习记录明细"_s, u"打开过"_s));
    auto questions = readAttemptQuestions(*conn.value(), 1);
    ASSERT_TRUE(questions.ok());
    ASSERT_EQ(questions->size(), 1u);
    EXPECT_TRUE(questions->front().opened);
}

TEST(LearnerData, CarriesTheHistoryAndTheFlagsOfUnchangedQuestions)
{
    TempProgramFolder folder;
    auto from = createTestDatabase(folder.file(u"old.db"_s));
    auto to = createTestDatabase(folder.file(u"new.db"_s));
    ASSERT_TRUE(from && to);
    // Old bank: 1 and 2 wrong, 3 right. New bank: 1 the same, 2 with a new stem, 3 the same.
    for (int n = 1; n <= 3; ++n)
        addBankRow(*from, u"第1套题"_s, n, n <= 2 ? 1 : 0);
    for (int n = 1; n <= 3; ++n)
        addBankRow(*to, u"第1套题"_s, n);
    ASSERT_TRUE(to->run(u"UPDATE stk SET 题干 = ? WHERE ID = 2"_s, {encryptTextToHex(u"改过的题干"_s)}).ok());
    for (int i = 0; i < 3; ++i) {
        Attempt a{0,
                  u"第1套题"_s,
                  QDateTime::currentDateTimeUtc().addDays(i - 3),
                  QDateTime::currentDateTimeUtc().addDays(i - 3).addSecs(600),
                  2.5 * i,
                  3,
                  i,
                  false};
        AttemptQuestion unopened{2, 2, u"文本"_s, false, true, false};
        unopened.opened = false;
        ASSERT_TRUE(
            writeAttempt(
                *from, a,
                {{1, 1, u"动画"_s, i > 0, false, false}, unopened, {3, 3, u"打印"_s, true, false, true}})
                .ok());
    }
    // The last attempt was corrected after 返回检查.
    Attempt correction{
        readAttempts(*from)->back().id, u"第1套题"_s, {}, QDateTime::currentDateTimeUtc(), 7.5, 3, 3, false};
    ASSERT_TRUE(writeAttempt(*from, correction, {}).ok());

    ASSERT_TRUE(carryLearnerData(from, to).ok());
    EXPECT_EQ(readValue(to, u"stk"_s, u"ID"_s, 1, u"错题"_s).toInt(), 1);
    EXPECT_EQ(readValue(to, u"stk"_s, u"ID"_s, 2, u"错题"_s).toInt(), 0); // its stem changed
    EXPECT_EQ(readValue(to, u"stk"_s, u"ID"_s, 3, u"错题"_s).toInt(), 0);
    auto carried = readAttempts(*to);
    auto original = readAttempts(*from);
    ASSERT_EQ(carried->size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ((*carried)[i].id, (*original)[i].id);
        EXPECT_EQ((*carried)[i].handedInAt, (*original)[i].handedInAt);
        EXPECT_EQ((*carried)[i].score, (*original)[i].score);
    }
    auto questions = readAttemptQuestions(*to, carried->back().id);
    ASSERT_EQ(questions->size(), 3u);
    EXPECT_TRUE((*questions)[1].demonstration);
    EXPECT_TRUE((*questions)[2].hint);
    EXPECT_FALSE((*questions)[1].opened);
    EXPECT_TRUE((*questions)[0].opened);
    EXPECT_TRUE(carried->back().corrected);
    EXPECT_EQ(carried->back().correctedScore, 7.5);
    EXPECT_EQ(carried->back().score, 5);
    // A later hand-in into the new bank takes a fresh id.
    auto next = writeAttempt(*to,
                             Attempt{0, u"第1套题"_s, QDateTime::currentDateTimeUtc(),
                                     QDateTime::currentDateTimeUtc(), 0, 0, 0, false},
                             {});
    ASSERT_TRUE(next.ok());
    EXPECT_GT(next.value(), carried->back().id);

    // From a bank of an earlier version, without any history: only the flags.
    auto older = Connection::create(folder.file(u"older.db"_s), databasePassword());
    ASSERT_TRUE(older.ok());
    ASSERT_TRUE(older.value()->executeScript(schemaScript()).ok());
    addBankRow(*older.value(), u"第1套题"_s, 3, 1);
    auto fresh = createTestDatabase(folder.file(u"fresh.db"_s));
    for (int n = 1; n <= 3; ++n)
        addBankRow(*fresh, u"第1套题"_s, n);
    ASSERT_TRUE(carryLearnerData(older.value(), fresh).ok());
    EXPECT_EQ(scalar(*fresh, u"SELECT COUNT(*) FROM 练习记录"_s), 0);
    // Older bank row 1 is question 3 there: the flag follows the question, not the row's ID.
    EXPECT_EQ(scalar(*fresh, u"SELECT 套题子类 FROM stk WHERE 错题 <> 0"_s), 3);
}

TEST(LearnerData, ABankRebuiltByTheCompilerKeepsTheHistoryAndFlags)
{
    TempProgramFolder folder;
    const QString bank = folder.file(u"bank"_s);
    ASSERT_TRUE(QDir().mkpath(bank + u"/sets"_s));
    auto writeSet = [&](const QString& secondStem) {
        QFile file(bank + u"/sets/01.txt"_s);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(
            u"套题类 = 第1套题\n\n[1]\n题型 = 5\n考点 = 动画\n题干 = 第一题。\n\n[2]\n题型 = 5\n考点 = 打印\n题干 = "_s
                .toUtf8() +
            secondStem.toUtf8() + "\n");
    };
    writeSet(u"第二题。"_s);
    const QString output = folder.file(u"stdata.db"_s);
    auto sets = readBankFolder(bank);
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    ASSERT_TRUE(compileBank(sets.value(), output).ok());
    {
        auto conn = openDatabase(folder.path());
        ASSERT_TRUE(conn.ok());
        EXPECT_EQ(scalar(*conn.value(), u"SELECT COUNT(*) FROM 试题考点"_s), 2);
        EXPECT_EQ(conn.value()->select(u"SELECT 考点 FROM 试题考点 ORDER BY ID"_s)->back().front().toString(),
                  u"打印"_s);
        ASSERT_TRUE(conn.value()->run(u"UPDATE stk SET 错题 = 1"_s).ok());
        ASSERT_TRUE(writeAttempt(*conn.value(),
                                 Attempt{0, u"第1套题"_s, QDateTime::currentDateTimeUtc(),
                                         QDateTime::currentDateTimeUtc(), 0, 2, 0, false},
                                 {{1, bankQuestionId(u"第1套题"_s, 1), QString(), false, false, false},
                                  {2, bankQuestionId(u"第1套题"_s, 2), QString(), false, false, false}})
                        .ok());
    }

    writeSet(u"第二题，改过了。"_s);
    sets = readBankFolder(bank);
    ASSERT_TRUE(compileBank(sets.value(), output).ok());
    auto conn = openDatabase(folder.path());
    ASSERT_TRUE(conn.ok());
    EXPECT_EQ(scalar(*conn.value(), u"SELECT COUNT(*) FROM 练习记录"_s), 1);
    EXPECT_EQ(scalar(*conn.value(), u"SELECT COUNT(*) FROM 练习记录明细 WHERE 考点 = '打印'"_s), 1);
    EXPECT_EQ(scalar(*conn.value(), u"SELECT 错题 FROM stk WHERE 套题子类 = '1'"_s), 1);
    EXPECT_EQ(scalar(*conn.value(), u"SELECT 错题 FROM stk WHERE 套题子类 = '2'"_s), 0);

    // An old file that cannot be read is not replaced: its history is not lost.
    conn.value()->close();
    QFile::remove(output);
    QFile bad(output);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(4096, 'x'));
    bad.close();
    EXPECT_FALSE(compileBank(sets.value(), output).ok());
    EXPECT_EQ(QFileInfo(output).size(), 4096);
}

namespace {

// A bank of ten questions in each part of the module, and a history in which
// 动画 went worst, then 打印, 文本 and 放映; the other parts were all mastered.
class WeakPointTest : public HistoryTest
{
protected:
    void SetUp() override
    {
        HistoryTest::SetUp();
        int number = 0;
        for (const QString& topic : bankTopics()) {
            for (int i = 0; i < 10; ++i) {
                const qint64 id = addBankRow(*conn, u"第1套题"_s, ++number, 0, "movie");
                setTopic(*conn, id, topic);
                idsOf[topic].push_back(id);
            }
        }
        const std::map<QString, int> rightOfTen{
            {u"动画"_s, 1}, {u"打印"_s, 3}, {u"文本"_s, 5}, {u"放映"_s, 7}};
        std::vector<AttemptQuestion> questions;
        for (const QString& topic : bankTopics()) {
            auto found = rightOfTen.find(topic);
            const int right = found == rightOfTen.end() ? 10 : found->second;
            // 动画 was asked only on its first five questions, three times each.
            const int asked = topic == u"动画"_s ? 5 : 10;
            for (int i = 0; i < asked; ++i) {
                const bool isRight = topic == u"动画"_s ? i == 0 : i < right;
                questions.push_back({static_cast<int>(questions.size()) + 1,
                                     idsOf[topic][static_cast<size_t>(i)], topic, isRight, false, false});
            }
        }
        for (int k = 0; k < 3; ++k) {
            std::vector<AttemptQuestion> paper = questions;
            ASSERT_TRUE(writeAttempt(*conn,
                                     Attempt{0, u"第1套题"_s, QDateTime::currentDateTimeUtc(),
                                             QDateTime::currentDateTimeUtc(), 0, 0, 0, false},
                                     paper)
                            .ok());
        }
    }
    std::map<QString, std::vector<qint64>> idsOf;
};

QString topicOf(const std::map<QString, std::vector<qint64>>& idsOf, qint64 id)
{
    for (const auto& [topic, ids] : idsOf)
        if (std::find(ids.begin(), ids.end(), id) != ids.end())
            return topic;
    return {};
}

} // namespace

TEST_F(WeakPointTest, PartsComeWeakestFirstAndTheDemonstrationIsNotMastery)
{
    auto shares = readTopicShares(*conn, kRecentAttempts);
    ASSERT_TRUE(shares.ok());
    ASSERT_EQ(shares->size(), 9u);
    EXPECT_EQ((*shares)[0].topic, u"动画"_s);
    EXPECT_EQ((*shares)[0].asked, 15);
    EXPECT_EQ((*shares)[0].mastered, 3);
    EXPECT_EQ((*shares)[1].topic, u"打印"_s);
    EXPECT_EQ((*shares)[2].topic, u"文本"_s);
    EXPECT_EQ((*shares)[3].topic, u"放映"_s);
    EXPECT_EQ((*shares)[8].share(), 1.0);

    // A newer paper where every 打印 question was solved by the demonstration.
    std::vector<AttemptQuestion> watched;
    for (qint64 id : idsOf[u"打印"_s])
        watched.push_back({static_cast<int>(watched.size()) + 1, id, u"打印"_s, true, true, false});
    ASSERT_TRUE(writeAttempt(*conn,
                             Attempt{0, u"第1套题"_s, QDateTime::currentDateTimeUtc(),
                                     QDateTime::currentDateTimeUtc(), 25, 10, 10, false},
                             watched)
                    .ok());
    auto after = readTopicShares(*conn, kRecentAttempts);
    auto print =
        std::find_if(after->begin(), after->end(), [](const TopicShare& s) { return s.topic == u"打印"_s; });
    EXPECT_EQ(print->asked, 40);
    EXPECT_EQ(print->mastered, 9);
    // Only the recent attempts count.
    auto lastOnly = readTopicShares(*conn, 1);
    EXPECT_EQ(lastOnly->front().topic, u"打印"_s);
    EXPECT_EQ(lastOnly->front().mastered, 0);
}

TEST_F(WeakPointTest, ThePaperIsDrawnFromTheWeakestPartsWithTheirUnmissedQuestionsToo)
{
    QRandomGenerator random(7);
    auto chosen = chooseWeakPointQuestions(*conn, exam::maxQuestions, random);
    ASSERT_TRUE(chosen.ok()) << chosen.error().toStdString();
    ASSERT_EQ(chosen->size(), 40u);
    std::vector<QString> topics;
    for (qint64 id : chosen.value())
        topics.push_back(topicOf(idsOf, id));
    const QString expected[] = {u"动画"_s, u"打印"_s, u"文本"_s, u"放映"_s};
    for (size_t i = 0; i < 40; ++i)
        EXPECT_EQ(topics[i], expected[i / 10]) << i;
    // 动画: the four missed questions first, then the five never asked, then the mastered one.
    const std::vector<qint64>& animation = idsOf[u"动画"_s];
    const QSet<qint64> firstFour(chosen->begin(), chosen->begin() + 4);
    EXPECT_EQ(firstFour, QSet<qint64>({animation[1], animation[2], animation[3], animation[4]}));
    const QSet<qint64> nextFive(chosen->begin() + 4, chosen->begin() + 9);
    EXPECT_EQ(nextFive, QSet<qint64>(animation.begin() + 5, animation.end()));
    EXPECT_EQ((*chosen)[9], animation[0]);
    EXPECT_EQ(QSet<qint64>(chosen->begin(), chosen->end()).size(), 40);

    // A smaller paper stays in the weakest part.
    auto ten = chooseWeakPointQuestions(*conn, 10, random);
    for (qint64 id : ten.value())
        EXPECT_EQ(topicOf(idsOf, id), u"动画"_s);
}

TEST_F(WeakPointTest, TheBuilderPutsTheWeakPointPaperOnTheTable)
{
    PrivateRuntimeFolder runtime;
    QFile completed(folder.file(u"completed.swf"_s));
    ASSERT_TRUE(completed.open(QIODevice::WriteOnly));
    completed.write("completion");
    completed.close();
    BuildProgress progress;
    QRandomGenerator random(3);
    auto outcome = buildWeakPointPaper(folder.path(), progress, random);
    ASSERT_TRUE(outcome.ok()) << outcome.error().toStdString();
    EXPECT_EQ(outcome.value(), BuildOutcome::Built);
    auto paper = conn->select(u"SELECT stkid, 分值 FROM st ORDER BY stid"_s);
    ASSERT_EQ(paper->size(), 40u);
    for (size_t i = 0; i < 40; ++i) {
        const QString topic = topicOf(idsOf, paper.value()[i][0].toLongLong());
        EXPECT_TRUE(topic == u"动画"_s || topic == u"打印"_s || topic == u"文本"_s || topic == u"放映"_s)
            << i;
        EXPECT_EQ(paper.value()[i][1].toDouble(), 2.5);
        EXPECT_TRUE(QFileInfo::exists(movieFilePathOf(static_cast<int>(i) + 1)));
    }
}

TEST(WeakPointPaper, ABankWithoutPartsGivesTheEmptySelection)
{
    TempProgramFolder folder;
    PrivateRuntimeFolder runtime;
    FakeMessageBoxes boxes;
    auto conn = createTestDatabase(folder.file(u"stdata.db"_s));
    addBankRow(*conn, u"第1套题"_s, 1);
    BuildProgress progress;
    QRandomGenerator random(1);
    auto outcome = buildWeakPointPaper(folder.path(), progress, random);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.value(), BuildOutcome::Empty);
    EXPECT_EQ(boxes.texts(), QStringList{u"没有该类试题！"_s});
}

TEST(SetSummaries, LastAndBestScorePerSetInTheMenusOrder)
{
    auto at = [](int minutes) { return QDateTime(QDate(2026, 12, 1), QTime(8, 0)).addSecs(minutes * 60); };
    const std::vector<Attempt> attempts{
        {1, u"第10套题"_s, at(0), at(30), 60, 40, 24, false},
        {2, u"第2套题"_s, at(40), at(80), 90, 40, 36, false},
        {3, u"随机练习"_s, at(90), at(99), 50, 40, 20, true},
        {4, u"第2套题"_s, at(100), at(140), 70, 40, 28, false},
    };
    auto summaries = summarizeSets(attempts);
    ASSERT_EQ(summaries.size(), 3u);
    EXPECT_EQ(summaries[0].setName, u"第2套题"_s);
    EXPECT_EQ(summaries[0].attempts, 2);
    EXPECT_EQ(summaries[0].lastScore, 70);
    EXPECT_EQ(summaries[0].bestScore, 90);
    EXPECT_EQ(summaries[1].setName, u"第10套题"_s);
    EXPECT_EQ(summaries[2].setName, u"随机练习"_s);
    EXPECT_EQ(setFamily(u"第10套题"_s), u"冲刺题"_s);
    EXPECT_EQ(setTitle(u"第10套题"_s), u"冲刺题1"_s);
    EXPECT_EQ(setTitle(u"第12套题"_s), u"冲刺题3"_s);
    EXPECT_EQ(setTitle(u"第9套题"_s), u"第9套题"_s);
    EXPECT_EQ(setTitle(u"薄弱考点练习"_s), u"薄弱考点练习"_s);
    EXPECT_EQ(setFamily(u"第9套题"_s), u"套题"_s);
    EXPECT_EQ(setFamily(weakPointPracticeName()), weakPointPracticeName());
    EXPECT_EQ(attempts[2].secondsTaken(), 540);
}
