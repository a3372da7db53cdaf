// The learner's side of a classroom without a server: the class file, the
// queue written with the hand-in, its survival of a bank rebuild, the pauses
// between tries, and the teacher's CSV.
#include "classroom/classreport.h"
#include "classroom/classroomconfig.h"
#include "classroom/classroomsender.h"
#include "classroom/deliveryqueue.h"
#include "db/learnerdata.h"
#include "paper/examsession.h"
#include "paper/results.h"
#include "platform/programfolder.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

int scalar(Connection& conn, const QString& sql)
{
    auto rows = conn.select(sql);
    EXPECT_TRUE(rows.ok()) << rows.error().toStdString();
    return rows && !rows->empty() ? rows->front().front().toInt() : -1;
}

QJsonObject queuedMessage(Connection& conn, int index)
{
    auto queued = queuedAttempts(conn, 100);
    EXPECT_TRUE(queued.ok());
    if (!queued || static_cast<int>(queued->size()) <= index)
        return {};
    return QJsonDocument::fromJson(queued.value()[index].message.toUtf8()).object();
}

} // namespace

TEST(ClassroomConfig, NoFileIsNoClassAndTheUsersFileOverridesTheSystemsKeyByKey)
{
    TempProgramFolder folder;
    const QString system = folder.file(u"system.conf"_s);
    const QString user = folder.file(u"user.conf"_s);
    auto none = loadClassroomConfig({system, user});
    ASSERT_TRUE(none.ok());
    EXPECT_FALSE(none->has_value());

    writeFile(system, u"# the room's server\nhost = 10.0.0.5\nport=5433\ndatabase = pptdrill\n"
                      u"class = 2026春季班\nuser = learners\npassword = a=b#c\nsslmode = require\n"
                      u"future_key = ignored\n"_s);
    writeFile(user, u"\n  class = 周末班  \n"_s);
    auto loaded = loadClassroomConfig({system, user});
    ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    ASSERT_TRUE(loaded->has_value());
    const ClassroomConfig& c = loaded->value();
    EXPECT_EQ(c.host, u"10.0.0.5"_s);
    EXPECT_EQ(c.port, 5433);
    EXPECT_EQ(c.className, u"周末班"_s);
    EXPECT_EQ(c.learnerPassword, u"a=b#c"_s); // only the first '=' splits; '#' inside a value stays
    EXPECT_EQ(c.sslMode, u"require"_s);
    EXPECT_TRUE(checkLearnerConfig(c).ok());
    EXPECT_FALSE(checkTeacherConfig(c).ok());
}

TEST(ClassroomConfig, AFaultyFileIsRefusedInChinese)
{
    TempProgramFolder folder;
    const QString file = folder.file(u"classroom.conf"_s);
    const QString base = u"database = d\nclass = c\nuser = u\n"_s;
    for (const QString& bad : {u"port = 70000\n"_s, u"sslmode = sometimes\n"_s, u"just words\n"_s}) {
        writeFile(file, base + bad);
        auto loaded = loadClassroomConfig({file});
        ASSERT_FALSE(loaded.ok()) << bad.toStdString();
        EXPECT_TRUE(loaded.error().contains(u"班级设置文件"_s)) << loaded.error().toStdString();
    }
    writeFile(file, u"host = h\nuser = u\n"_s);
    auto incomplete = loadClassroomConfig({file});
    ASSERT_FALSE(incomplete.ok());
    EXPECT_TRUE(incomplete.error().startsWith(u"班级设置不完整"_s));
}

TEST(ClassroomSender, PausesGrowFromTwoSecondsToFiveMinutesWithARandomShortening)
{
    QRandomGenerator random(7);
    using std::chrono::milliseconds;
    long previousCeiling = 0;
    for (int failures = 1; failures <= 20; ++failures) {
        const long ceiling = std::min(2000L << (failures - 1 > 10 ? 10 : failures - 1), 300000L);
        for (int i = 0; i < 50; ++i) {
            const long delay = retryDelay(failures, random).count();
            EXPECT_LE(delay, ceiling) << failures;
            EXPECT_GE(delay, ceiling - ceiling / 4) << failures;
        }
        EXPECT_GE(ceiling, previousCeiling);
        previousCeiling = ceiling;
    }
    EXPECT_EQ(ClassroomSender::statusText(0), u"已同步"_s);
    EXPECT_EQ(ClassroomSender::statusText(3), u"3 条待上传"_s);
}

// A learner's PC: a bank, a paper of three questions of 第4套题, the session.
class QueueTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        conn = createTestDatabase(folder.file(u"stdata.db"_s));
        ASSERT_TRUE(conn);
        setProgramFolderForTesting(folder.path());
        for (int n : {7, 8, 9}) {
            const qint64 id = addBankRow(*conn, u"第4套题"_s, n);
            ASSERT_TRUE(conn->run(u"INSERT INTO 试题考点 (ID, 考点) VALUES (?, '动画')"_s, {id}).ok());
            const qint64 stid = addPaperRow(conn, id);
            ASSERT_TRUE(conn->run(u"UPDATE st SET 得分 = ?, 是否已做 = 1 WHERE stid = ?"_s,
                                  {n == 8 ? 0.0 : 2.5, stid})
                            .ok());
        }
        session.choice = practiceChoiceNamed(u"第4套题"_s);
        session.candidate = {u"07"_s, u"110101199001011234"_s, u"PowerPoint模块"_s, false};
        session.startPaper(3);
    }
    void TearDown() override
    {
        conn->close();
        setProgramFolderForTesting(QString());
    }

    TempProgramFolder folder;
    std::shared_ptr<Connection> conn;
    ExamSession session;
};

TEST_F(QueueTest, WithoutAClassAHandInQueuesNothing)
{
    ASSERT_TRUE(scorePaper(&session).ok());
    EXPECT_EQ(scalar(*conn, u"SELECT count(*) FROM 练习记录"_s), 1);
    EXPECT_EQ(scalar(*conn, u"SELECT count(*) FROM 上传队列"_s), 0);
    EXPECT_EQ(scalar(*conn, u"SELECT count(*) FROM 练习记录标识"_s), 0);
}

TEST_F(QueueTest, AHandInIsQueuedWithTheLearnerAndEachQuestionsSetAndNumber)
{
    session.className = u"2026春季班"_s;
    session.noteDemonstration(3);
    const auto handedIn = scorePaper(&session);
    ASSERT_TRUE(handedIn.ok()) << handedIn.error().toStdString();
    ASSERT_EQ(queuedAttemptCount(*conn).value(), 1);
    const QJsonObject m = queuedMessage(*conn, 0);
    EXPECT_EQ(m[u"class"_s].toString(), u"2026春季班"_s);
    EXPECT_EQ(m[u"seat"_s].toString(), u"07"_s);
    EXPECT_EQ(m[u"identity"_s].toString(), u"110101199001011234"_s);
    EXPECT_EQ(m[u"set"_s].toString(), u"第4套题"_s);
    EXPECT_EQ(m[u"handIn"_s].toInt(), 1);
    EXPECT_EQ(m[u"score"_s].toDouble(), 5.0);
    EXPECT_EQ(m[u"rightCount"_s].toInt(), 2);
    EXPECT_EQ(m[u"attempt"_s].toString().size(), 36);
    const QJsonArray questions = m[u"questions"_s].toArray();
    ASSERT_EQ(questions.size(), 3);
    const QJsonObject third = questions[2].toObject();
    EXPECT_EQ(third[u"set"_s].toString(), u"第4套题"_s);
    EXPECT_EQ(third[u"number"_s].toString(), u"9"_s);
    EXPECT_EQ(third[u"topic"_s].toString(), u"动画"_s);
    EXPECT_TRUE(third[u"demonstration"_s].toBool());
    EXPECT_FALSE(questions[1].toObject()[u"right"_s].toBool());

    // "返回检查" and the same paper handed in again: the same attempt, its second hand-in.
    ASSERT_TRUE(scorePaper(&session).ok());
    ASSERT_EQ(queuedAttemptCount(*conn).value(), 2);
    const QJsonObject again = queuedMessage(*conn, 1);
    EXPECT_EQ(again[u"attempt"_s], m[u"attempt"_s]);
    EXPECT_EQ(again[u"handIn"_s].toInt(), 2);
    // A new paper is a new attempt.
    session.startPaper(3);
    ASSERT_TRUE(scorePaper(&session).ok());
    EXPECT_NE(queuedMessage(*conn, 2)[u"attempt"_s], m[u"attempt"_s]);
}

TEST_F(QueueTest, AQueueThatCannotBeWrittenUndoesTheWholeHandIn)
{
    session.className = u"班"_s;
    ASSERT_TRUE(conn->executeScript(u"CREATE TRIGGER refuse BEFORE INSERT ON 上传队列 "
                                    u"BEGIN SELECT RAISE(ABORT, 'disk full'); END;"_s)
                    .ok());
    EXPECT_FALSE(scorePaper(&session).ok());
    EXPECT_EQ(scalar(*conn, u"SELECT count(*) FROM 练习记录"_s), 0);
    EXPECT_EQ(scalar(*conn, u"SELECT count(*) FROM 练习记录标识"_s), 0);
    EXPECT_EQ(scalar(*conn, u"SELECT sum(错题) FROM stk"_s), 0);
}

TEST_F(QueueTest, TheQueueAndTheAttemptsIdsSurviveABankRebuild)
{
    session.className = u"班"_s;
    ASSERT_TRUE(scorePaper(&session).ok());
    const QJsonObject before = queuedMessage(*conn, 0);
    auto fresh = createTestDatabase(folder.file(u"fresh.db"_s));
    ASSERT_TRUE(fresh);
    ASSERT_TRUE(carryLearnerData(conn, fresh).ok());
    EXPECT_EQ(queuedMessage(*fresh, 0), before);
    EXPECT_EQ(scalar(*fresh, u"SELECT 交卷次数 FROM 练习记录标识"_s), 1);
    fresh->close();
}

TEST(ClassCsv, OpensInASpreadsheetAsWritten)
{
    const QByteArray csv =
        csvBytes({{u"姓名"_s, u"得分"_s}, {u"王, 小明"_s, u"=1+1"_s}, {u"say \"hi\"\n"_s, u"97.5"_s}});
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(csv.mid(3)),
              u"姓名,得分\r\n\"王, 小明\",'=1+1\r\n\"say \"\"hi\"\"\n\",97.5\r\n"_s);
    TempProgramFolder folder;
    const QString path = folder.file(u"班级.csv"_s);
    ASSERT_TRUE(writeCsvFile(path, {{u"a"_s}}).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xEF\xBB\xBF"
                                         "a\r\n"));
    EXPECT_FALSE(writeCsvFile(folder.file(u"no/such/folder/x.csv"_s), {{u"a"_s}}).ok());
}
