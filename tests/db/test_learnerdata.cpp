#include "bank/bankcompiler.h"
#include "db/database.h"
#include "db/learnerdata.h"
#include "db/schema.h"
#include "paper/practicehistory.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

using QuestionKey = std::pair<QString, QString>;

// The stem addBankRow gives a question, so that a compiled bank and a file
// written row by row agree on the unchanged ones.
QString stemOf(const QString& setName, int number)
{
    return u"%1 第%2题"_s.arg(setName).arg(number);
}

BankSet setOf(int set, const std::vector<int>& numbers, const std::map<int, QString>& reworded = {})
{
    const QString name = u"第%1套题"_s.arg(set);
    BankSet bankSet{name, bankCourseName(), u"%1.txt"_s.arg(set), {}};
    for (int n : numbers) {
        const auto stem = reworded.find(n);
        bankSet.questions.push_back({n,
                                     u"5"_s,
                                     stem != reworded.end() ? stem->second : stemOf(name, n),
                                     bankTopics()[n % bankTopics().size()],
                                     {},
                                     {},
                                     0,
                                     bankSet.sourceFile,
                                     n});
    }
    return bankSet;
}

Attempt attemptOn(const QString& setName, int daysAgo)
{
    const QDateTime at = QDateTime::currentDateTimeUtc().addDays(-daysAgo);
    return Attempt{0, setName, at, at.addSecs(600), 0, 0, 0, false};
}

std::map<qint64, QuestionKey> keysById(Connection& conn)
{
    std::map<qint64, QuestionKey> keys;
    const auto rows = conn.select(u"SELECT ID, 套题类, 套题子类 FROM stk"_s);
    for (const Connection::Row& row : rows.value())
        keys[row[0].toLongLong()] = {row[1].toString(), row[2].toString()};
    return keys;
}

std::set<QuestionKey> flaggedKeys(Connection& conn)
{
    std::set<QuestionKey> keys;
    const auto rows = conn.select(u"SELECT 套题类, 套题子类 FROM stk WHERE 错题 <> 0"_s);
    for (const Connection::Row& row : rows.value())
        keys.insert({row[0].toString(), row[1].toString()});
    return keys;
}

qint64 scalar(Connection& conn, const QString& sql)
{
    const auto rows = conn.select(sql);
    return rows.value().front().front().toLongLong();
}

} // namespace

TEST(QuestionKeys, AQuestionAddedToASetLeavesEveryFlagAndTheHistoryOnTheirQuestions)
{
    // A file of the earlier numbering, the bank's rows numbered in the order they were written:
    // three sets of five questions, every one answered wrongly, and two papers handed in.
    TempProgramFolder folder;
    const QString output = folder.file(u"stdata.db"_s);
    std::map<qint64, QuestionKey> oldKeys;
    {
        auto old = createTestDatabase(output);
        for (int set = 1; set <= 3; ++set) {
            for (int n = 1; n <= 5; ++n)
                addBankRow(*old, u"第%1套题"_s.arg(set), n, 1);
        }
        oldKeys = keysById(*old);
        ASSERT_EQ(oldKeys.size(), 15u);
        std::vector<AttemptQuestion> setTwo, random;
        for (int n = 1; n <= 5; ++n)
            setTwo.push_back({n, 5 + n, bankTopics()[n], n % 2 == 0, false, false});
        for (qint64 id : {2, 9, 14})
            random.push_back({static_cast<int>(random.size()) + 1, id, u"动画"_s, false, true, false});
        ASSERT_TRUE(writeAttempt(*old, attemptOn(u"第2套题"_s, 2), setTwo).ok());
        ASSERT_TRUE(writeAttempt(*old, attemptOn(u"随机练习"_s, 1), random).ok());
    }

    // The next edition adds a sixth question at the end of set 1.
    const auto built = compileBank(
        {setOf(1, {1, 2, 3, 4, 5, 6}), setOf(2, {1, 2, 3, 4, 5}), setOf(3, {1, 2, 3, 4, 5})}, output);
    ASSERT_TRUE(built.ok()) << built.error().toStdString();

    auto conn = Connection::open(output, databasePassword());
    ASSERT_TRUE(conn.ok());
    std::set<QuestionKey> expected;
    for (const auto& [id, key] : oldKeys)
        expected.insert(key);
    EXPECT_EQ(flaggedKeys(*conn.value()), expected);

    const auto newKeys = keysById(*conn.value());
    const auto details =
        conn.value()->select(u"SELECT stkid FROM 练习记录明细 ORDER BY 记录ID, 题号"_s).value();
    const std::vector<qint64> oldIds{6, 7, 8, 9, 10, 2, 9, 14};
    ASSERT_EQ(details.size(), oldIds.size());
    for (size_t i = 0; i < details.size(); ++i) {
        const auto now = newKeys.find(details[i][0].toLongLong());
        ASSERT_NE(now, newKeys.end()) << i;
        EXPECT_EQ(now->second, oldKeys[oldIds[i]]) << i;
    }
}

TEST(QuestionKeys, AChangedStemDropsOnlyItsFlagAndARemovedQuestionKeepsItsHistory)
{
    TempProgramFolder folder;
    const QString output = folder.file(u"stdata.db"_s);
    ASSERT_TRUE(compileBank({setOf(1, {1, 2, 3, 4})}, output).ok());
    const qint64 removed = bankQuestionId(u"第1套题"_s, 3);
    {
        auto conn = Connection::open(output, databasePassword());
        ASSERT_TRUE(conn.ok());
        ASSERT_TRUE(conn.value()->run(u"UPDATE stk SET 错题 = 1"_s).ok());
        std::vector<AttemptQuestion> questions;
        for (int n = 1; n <= 4; ++n)
            questions.push_back({n, bankQuestionId(u"第1套题"_s, n), QString(), false, false, false});
        ASSERT_TRUE(writeAttempt(*conn.value(), attemptOn(u"第1套题"_s, 1), questions).ok());
    }

    // Question 2 reworded, question 3 gone, question 5 new.
    ASSERT_TRUE(compileBank({setOf(1, {1, 2, 4, 5}, {{2, u"改过的题干"_s}})}, output).ok());
    auto conn = Connection::open(output, databasePassword());
    ASSERT_TRUE(conn.ok());
    Connection& db = *conn.value();
    EXPECT_EQ(flaggedKeys(db), (std::set<QuestionKey>{{u"第1套题"_s, u"1"_s}, {u"第1套题"_s, u"4"_s}}));

    auto attempts = readAttempts(db);
    ASSERT_TRUE(attempts.ok());
    ASSERT_EQ(attempts->size(), 1u);
    auto questions = readAttemptQuestions(db, attempts->front().id);
    ASSERT_TRUE(questions.ok());
    ASSERT_EQ(questions->size(), 4u);
    EXPECT_EQ((*questions)[2].stkid, removed);
    EXPECT_FALSE((*questions)[2].topic.isEmpty());
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM stk WHERE ID = %1"_s.arg(removed)), 0);

    // What reads the history works with a row whose question is gone.
    EXPECT_TRUE(readTopicShares(db, 10).ok());
    QRandomGenerator random(7);
    auto chosen = chooseWeakPointQuestions(db, 40, random);
    ASSERT_TRUE(chosen.ok());
    EXPECT_EQ(chosen->size(), 4u);
    EXPECT_EQ(std::count(chosen->begin(), chosen->end(), removed), 0);
}

namespace {

// Hands a paper in on its own connection the moment the carry starts reading
// the question rows of the history.
struct HandInDuringTheCopy
{
    std::shared_ptr<Connection> writer;
    bool handedIn = false;
    bool tried = false;

    static int onStatement(unsigned, void* context, void*, void* sqlText)
    {
        auto* self = static_cast<HandInDuringTheCopy*>(context);
        const QString sql = QString::fromUtf8(static_cast<const char*>(sqlText));
        if (self->tried || !sql.contains(u"FROM 练习记录明细"_s))
            return 0;
        self->tried = true;
        Connection& w = *self->writer;
        if (!w.executeScript(u"BEGIN IMMEDIATE"_s))
            return 0;
        const bool written =
            writeAttempt(w, attemptOn(u"第1套题"_s, 0), {{1, 1, u"文本"_s, true, false, false}}).ok() &&
            w.executeScript(u"COMMIT"_s).ok();
        if (!written)
            w.executeScript(u"ROLLBACK"_s);
        self->handedIn = written;
        return 0;
    }
};

} // namespace

TEST(QuestionKeys, AHandInDuringTheCopyIsCarriedWholeOrNotAtAll)
{
    TempProgramFolder folder;
    auto from = createTestDatabase(folder.file(u"old.db"_s));
    auto to = createTestDatabase(folder.file(u"new.db"_s));
    for (int n = 1; n <= 2; ++n) {
        addBankRow(*from, u"第1套题"_s, n);
        addBankRow(*to, u"第1套题"_s, n);
    }
    ASSERT_TRUE(
        writeAttempt(*from, attemptOn(u"第1套题"_s, 1), {{1, 1, u"文本"_s, false, false, false}}).ok());

    HandInDuringTheCopy handIn;
    auto writer = Connection::open(folder.file(u"old.db"_s), databasePassword());
    ASSERT_TRUE(writer.ok());
    handIn.writer = writer.value();
    sqlite3_busy_timeout(handIn.writer->handle(), 0);
    sqlite3_trace_v2(from->handle(), SQLITE_TRACE_STMT, &HandInDuringTheCopy::onStatement, &handIn);
    const Status carried = carryLearnerData(from, to);
    sqlite3_trace_v2(from->handle(), 0, nullptr, nullptr);
    ASSERT_TRUE(carried.ok()) << carried.error().toStdString();
    ASSERT_TRUE(handIn.tried);

    // No question row without its paper; the paper handed in meanwhile is wholly there or wholly not.
    EXPECT_EQ(
        scalar(*to, u"SELECT COUNT(*) FROM 练习记录明细 WHERE 记录ID NOT IN (SELECT 记录ID FROM 练习记录)"_s),
        0);
    const qint64 papers = scalar(*to, u"SELECT COUNT(*) FROM 练习记录"_s);
    EXPECT_EQ(scalar(*to, u"SELECT COUNT(*) FROM 练习记录明细"_s), papers);
    EXPECT_TRUE(papers == 1 || (papers == 2 && handIn.handedIn)) << papers;
}
