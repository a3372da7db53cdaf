// The class's PostgreSQL server, real: its schema and roles, and the delivery
// of the learners' queues — many PCs at once, a server that stops and comes
// back, a sender killed at any moment — each hand-in arriving exactly once.
#include "classroom/classreport.h"
#include "classroom/classroomsender.h"
#include "classroom/delivery.h"
#include "classroom/deliveryqueue.h"
#include "classroom/serverschema.h"
#include "tests/classroom/classroomfixtures.h"
#include "tests/support/postgresserver.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

class ServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!PostgresServer::available())
            GTEST_SKIP() << "the PostgreSQL server programs are not installed";
        server = std::make_unique<PostgresServer>();
        ASSERT_TRUE(server->started()) << server->failure().toStdString();
        ASSERT_TRUE(server->initClass());
    }

    ServerLogin learner() const
    {
        const ClassroomConfig c = server->config();
        return {c.host, c.port, c.database, c.learnerUser, c.learnerPassword, c.sslMode};
    }
    ServerLogin teacher() const
    {
        const ClassroomConfig c = server->config();
        return {c.host, c.port, c.database, c.teacherUser, c.teacherPassword, c.sslMode};
    }
    std::unique_ptr<ServerConnection> connectAs(const ServerLogin& login)
    {
        auto connected = ServerConnection::connect(login);
        EXPECT_TRUE(connected.ok()) << connected.error().toStdString();
        return connected ? std::move(connected.value()) : nullptr;
    }
    int count(const QString& sql)
    {
        auto admin = server->connectAsAdmin();
        auto rows = admin->query(sql);
        EXPECT_TRUE(rows.ok()) << rows.error().toStdString();
        return rows && !rows->empty() ? rows->front().front().toInt() : -1;
    }
    // The server holds every hand-in once, with all its questions.
    void expectExactlyOnce(int attempts, int questionsEach)
    {
        EXPECT_EQ(count(u"SELECT count(*) FROM attempts"_s), attempts);
        EXPECT_EQ(count(u"SELECT count(DISTINCT attempt_id) FROM attempts"_s), attempts);
        EXPECT_EQ(count(u"SELECT count(*) FROM attempt_questions"_s), attempts * questionsEach);
        EXPECT_EQ(count(u"SELECT count(*) FROM (SELECT attempt_id FROM attempt_questions GROUP BY attempt_id "
                        u"HAVING count(*) <> "_s +
                        QString::number(questionsEach) + u") odd"_s),
                  0);
    }

    std::unique_ptr<PostgresServer> server;
    TempProgramFolder folder;
};

QString firstMessage(const QString& path)
{
    auto conn = Connection::open(path, databasePassword());
    EXPECT_TRUE(conn.ok());
    auto queued = queuedAttempts(*conn.value(), 1);
    conn.value()->close();
    return queued && !queued->empty() ? queued->front().message : QString();
}

} // namespace

TEST_F(ServerTest, TheSchemaIsVersionedAndSettingUpAgainChangesNothing)
{
    EXPECT_EQ(count(u"SELECT max(version) FROM schema_version"_s), latestServerSchemaVersion());
    auto admin = server->connectAsAdmin();
    auto again = migrateServerSchema(*admin);
    ASSERT_TRUE(again.ok()) << again.error().toStdString();
    EXPECT_EQ(again.value(), latestServerSchemaVersion());
    EXPECT_TRUE(setUpClassRoles(*admin, server->config()).ok());
    EXPECT_EQ(count(u"SELECT count(*) FROM schema_version"_s), latestServerSchemaVersion());
}

TEST_F(ServerTest, TheLearnersRoleInsertsItsOwnRowsAndCanNeverReadOrChangeOne)
{
    makeLearnerPc(folder.file(u"pc.db"_s), u"01"_s, u"110101199001011234"_s, 1, 3);
    auto pc = connectAs(learner());
    ASSERT_TRUE(pc);
    ASSERT_TRUE(deliverAttempt(*pc, firstMessage(folder.file(u"pc.db"_s))).ok());

    const int permission = static_cast<int>(ServerFailure::Permission);
    for (const QString& sql :
         {u"SELECT * FROM attempts"_s, u"SELECT is_right FROM attempt_questions"_s,
          u"SELECT * FROM learner_names"_s, u"SELECT * FROM schema_version"_s,
          u"UPDATE attempts SET score = 100"_s, u"DELETE FROM attempts"_s, u"DELETE FROM attempt_questions"_s,
          u"TRUNCATE attempts"_s, u"INSERT INTO learner_names VALUES ('测试班', '1', 'x')"_s,
          // Rows in another role's name are refused too.
          u"INSERT INTO attempts (attempt_id, hand_in, class_name, seat_number, identity_number, set_name, "
          u"started_at, handed_in_at, score, question_count, right_count, exam_mode, sent_by) VALUES "
          u"(gen_random_uuid(), 1, '测试班', '1', '1', 's', now(), now(), 0, 0, 0, false, 'teacher')"_s}) {
        auto refused = pc->query(sql);
        EXPECT_FALSE(refused.ok()) << sql.toStdString();
        EXPECT_EQ(refused.code(), permission) << sql.toStdString();
        EXPECT_FALSE(refused.error().contains(u"permission"_s)); // the words are the program's own
    }
    EXPECT_EQ(count(u"SELECT count(*) FROM attempts"_s), 1);
    EXPECT_EQ(count(u"SELECT count(*) FROM attempt_questions"_s), 3);

    // The teacher reads, keeps the roster's names, and changes nothing else.
    auto desk = connectAs(teacher());
    ASSERT_TRUE(desk);
    auto roster = readClassRoster(*desk, u"测试班"_s);
    ASSERT_TRUE(roster.ok()) << roster.error().toStdString();
    ASSERT_EQ(roster->size(), 1u);
    EXPECT_EQ(roster->front().identityNumber, u"110101199001011234"_s);
    ASSERT_TRUE(setLearnerName(*desk, u"测试班"_s, u"110101199001011234"_s, u"王小明"_s).ok());
    EXPECT_EQ(readClassRoster(*desk, u"测试班"_s)->front().name, u"王小明"_s);
    EXPECT_EQ(desk->query(u"DELETE FROM attempts"_s).code(), permission);
    EXPECT_EQ(desk->query(u"UPDATE attempt_questions SET is_right = true"_s).code(), permission);

    // A wrong password is told as such.
    ServerLogin wrong = learner();
    wrong.password = u"guess"_s;
    auto refused = ServerConnection::connect(wrong);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.code(), static_cast<int>(ServerFailure::Login));
}

TEST_F(ServerTest, AHandInSentTwiceIsKeptOnceAndTheTeacherSeesTheLastHandInOfAnAttempt)
{
    const QString path = folder.file(u"pc.db"_s);
    makeLearnerPc(path, u"02"_s, u"220"_s, 1, 5);
    auto pc = connectAs(learner());
    ASSERT_TRUE(pc);
    const QString message = firstMessage(path);
    ASSERT_TRUE(deliverAttempt(*pc, message).ok());
    ASSERT_TRUE(deliverAttempt(*pc, message).ok());
    expectExactlyOnce(1, 5);

    // The same paper handed in again after "返回检查", with one more right answer.
    QString second = message;
    second.replace(u"\"handIn\":1"_s, u"\"handIn\":2"_s).replace(u"\"score\":"_s, u"\"score\":1"_s);
    ASSERT_TRUE(deliverAttempt(*pc, second).ok());
    auto desk = connectAs(teacher());
    auto attempts = readLearnerAttempts(*desk, u"测试班"_s, u"220"_s);
    ASSERT_TRUE(attempts.ok()) << attempts.error().toStdString();
    ASSERT_EQ(attempts->size(), 1u);
    EXPECT_EQ(attempts->front().handIn, 2);
    auto questions = readClassAttemptQuestions(*desk, attempts->front().attemptId, 2);
    ASSERT_TRUE(questions.ok());
    ASSERT_EQ(questions->size(), 5u);
    EXPECT_EQ(questions->front().setName, u"第1套题"_s);
    EXPECT_EQ(questions->front().number, u"1"_s);

    // A message the server cannot take stays queued and is reported, the connection stays.
    EXPECT_EQ(deliverAttempt(*pc, u"{\"attempt\":\"not an id\"}"_s).code(),
              static_cast<int>(ServerFailure::Data));
    EXPECT_TRUE(pc->isUsable());
}

TEST_F(ServerTest, AServerThatDoesNotAnswerKeepsTheQueueUntilItComesBack)
{
    const QString path = folder.file(u"pc.db"_s);
    makeLearnerPc(path, u"03"_s, u"330"_s, 5, 4);
    ASSERT_TRUE(server->stop());
    std::unique_ptr<ServerConnection> connection;
    DeliveryRound round = deliverQueue(path, learner(), connection, nullptr);
    EXPECT_FALSE(round.serverReached);
    EXPECT_EQ(round.pending, 5);
    EXPECT_EQ(round.failure, serverFailureMessage(static_cast<int>(ServerFailure::Unreachable)));

    ASSERT_TRUE(server->start());
    round = deliverQueue(path, learner(), connection, nullptr);
    EXPECT_EQ(round.delivered, 5);
    EXPECT_EQ(round.pending, 0);
    expectExactlyOnce(5, 4);
}

TEST_F(ServerTest, SixtyPcsHandingInFortyAttemptsEachAreDeliveredExactlyOnce)
{
    constexpr int pcs = 60;
    constexpr int attemptsEach = 40;
    std::vector<std::unique_ptr<ClassroomSender>> senders;
    for (int pc = 0; pc < pcs; ++pc) {
        const QString path = folder.file(u"pc%1.db"_s.arg(pc));
        makeLearnerPc(path, QString::number(pc + 1), u"1101011990%1"_s.arg(pc, 8, 10, QChar(u'0')),
                      attemptsEach);
        senders.push_back(std::make_unique<ClassroomSender>(server->config(), path));
    }
    int emptied = 0;
    QEventLoop loop;
    for (auto& sender : senders) {
        QObject::connect(sender.get(), &ClassroomSender::pendingChanged, &loop, [&](int pending) {
            if (pending == 0 && ++emptied == pcs)
                loop.quit();
        });
    }
    QElapsedTimer clock;
    clock.start();
    for (auto& sender : senders)
        sender->start();
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);
    loop.exec();
    const qint64 elapsed = clock.elapsed();
    for (auto& sender : senders)
        sender->stop();
    EXPECT_EQ(emptied, pcs);
    std::printf("[ figures ] %d PCs x %d attempts delivered in %lld ms\n", pcs, attemptsEach,
                static_cast<long long>(elapsed));
    expectExactlyOnce(pcs * attemptsEach, 40);
    for (int pc = 0; pc < pcs; ++pc)
        EXPECT_EQ(firstMessage(folder.file(u"pc%1.db"_s.arg(pc))), QString()) << pc;
}

TEST_F(ServerTest, ARestartingServerAndSendersKilledAtRandomLoseAndDoubleNothing)
{
    constexpr int pcs = 6;
    constexpr int attemptsEach = 40;
    for (int pc = 0; pc < pcs; ++pc)
        makeLearnerPc(folder.file(u"pc%1.db"_s.arg(pc)), QString::number(pc), u"ID%1"_s.arg(pc),
                      attemptsEach);
    const QString tool = QCoreApplication::applicationDirPath() + u"/classroom_sendqueue"_s;
    const ServerLogin login = learner();
    QRandomGenerator random(20260309);
    std::vector<bool> done(pcs, false);
    int kills = 0;
    int restarts = 0;
    for (int trial = 0; trial < 200 && std::count(done.begin(), done.end(), false) > 0; ++trial) {
        std::vector<std::unique_ptr<QProcess>> senders;
        for (int pc = 0; pc < pcs; ++pc) {
            if (done[pc]) {
                senders.push_back(nullptr);
                continue;
            }
            auto process = std::make_unique<QProcess>();
            process->start(tool, {folder.file(u"pc%1.db"_s.arg(pc)), login.host, QString::number(login.port),
                                  login.user, login.password});
            ASSERT_TRUE(process->waitForStarted());
            senders.push_back(std::move(process));
        }
        QThread::msleep(random.bounded(20, 400));
        // Every third trial the server goes away under the senders, sometimes as if it crashed.
        if (trial % 3 == 1) {
            ASSERT_TRUE(server->stop(trial % 2 ? u"immediate"_s : u"fast"_s));
            QThread::msleep(random.bounded(0, 300));
            ASSERT_TRUE(server->start()) << server->failure().toStdString();
            ++restarts;
            QThread::msleep(random.bounded(20, 200));
        }
        for (int pc = 0; pc < pcs; ++pc) {
            QProcess* process = senders[pc].get();
            if (!process)
                continue;
            if (process->state() != QProcess::NotRunning) {
                ::kill(static_cast<pid_t>(process->processId()), SIGKILL);
                ++kills;
            }
            process->waitForFinished();
            if (process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0)
                done[pc] = true;
        }
    }
    std::printf("[ figures ] %d senders killed, server restarted %d times\n", kills, restarts);
    EXPECT_EQ(std::count(done.begin(), done.end(), false), 0);
    EXPECT_GT(kills, 0);
    expectExactlyOnce(pcs * attemptsEach, 40);
}
