// The classroom on screen: the trainer's menu with and without a class file,
// and the teacher's window over a real server.
#include "classroom/deliveryqueue.h"
#include "classroom/widgets/classwindow.h"
#include "db/schema.h"
#include "paper/widgets/attemptwindow.h"
#include "shell/widgets/mainmenu.h"
#include "tests/shell/shellfixture.h"
#include "tests/support/postgresserver.h"

#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpServer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

// A port on which nothing listens.
int closedPort()
{
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    return probe.serverPort();
}

class ClassroomMenuTest : public ShellTest
{
protected:
    void writeClassFile(const QString& text)
    {
        QFile file(folder.file(u"classroom.conf"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();
        trainer.setClassroomConfigFiles({folder.file(u"classroom.conf"_s)});
    }
    // One hand-in of the learner's history, queued as the results window does.
    void queueOneHandIn()
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn);
        ASSERT_TRUE(ensureLearnerTables(*conn).ok());
        Attempt attempt{
            0, u"第1套题"_s, QDateTime::currentDateTimeUtc(), QDateTime::currentDateTimeUtc(), 2.5, 1,
            1, false};
        auto id = writeAttempt(*conn, attempt, {{1, 1, u"动画"_s, true, false, false}});
        ASSERT_TRUE(id.ok());
        ASSERT_TRUE(queueAttempt(*conn, id.value(), {u"测试班"_s, u"01"_s, u"110"_s}).ok());
        conn->close();
    }
};

} // namespace

TEST_F(ClassroomMenuTest, WithoutAClassFileNothingRunsAndNothingShows)
{
    trainer.setClassroomConfigFiles({folder.file(u"none.conf"_s)});
    MainMenu* menu = startMenu();
    EXPECT_EQ(trainer.classroomSender(), nullptr);
    EXPECT_FALSE(menu->classroomStatus()->isVisible());
    EXPECT_TRUE(trainer.session().className.isEmpty());
}

TEST_F(ClassroomMenuTest, AServerThatDoesNotAnswerLeavesTheHandInsCountedOnTheMenu)
{
    queueOneHandIn();
    writeClassFile(u"host = 127.0.0.1\nport = %1\ndatabase = pptdrill\nclass = 测试班\nuser = learner_pc\n"
                   u"sslmode = disable\n"_s.arg(closedPort()));
    MainMenu* menu = startMenu();
    ASSERT_NE(trainer.classroomSender(), nullptr);
    EXPECT_EQ(trainer.session().className, u"测试班"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->classroomStatus()->isVisible(); }, 10000));
    EXPECT_EQ(menu->classroomStatus()->caption(), u"1 条待上传"_s);
    EXPECT_EQ(rowsOf(u"上传队列"_s), 1);
}

TEST_F(ClassroomMenuTest, AFaultyClassFileIsShownOnTheMenuAndTheTrainerWorksAlone)
{
    writeClassFile(u"host = 127.0.0.1\nport = many\n"_s);
    MainMenu* menu = startMenu();
    EXPECT_EQ(trainer.classroomSender(), nullptr);
    EXPECT_TRUE(menu->classroomStatus()->isVisible());
    EXPECT_EQ(menu->classroomStatus()->caption(), u"班级设置有误"_s);
    EXPECT_TRUE(trainer.session().className.isEmpty());
}

TEST_F(ClassroomMenuTest, WithTheServerUpTheQueueIsDeliveredAndTheMenuSaysSo)
{
    if (!PostgresServer::available())
        GTEST_SKIP() << "the PostgreSQL server programs are not installed";
    PostgresServer server;
    ASSERT_TRUE(server.started()) << server.failure().toStdString();
    ASSERT_TRUE(server.initClass());
    queueOneHandIn();
    writeClassFile(u"host = 127.0.0.1\nport = %1\ndatabase = pptdrill\nclass = 测试班\nuser = learner_pc\n"
                   u"password = learner-secret\nsslmode = disable\n"_s.arg(server.port()));
    MainMenu* menu = startMenu();
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->classroomStatus()->caption() == u"已同步"_s; }, 20000));
    EXPECT_EQ(rowsOf(u"上传队列"_s), 0);
    trainer.stopClassroom();
}

class ClassWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!PostgresServer::available())
            GTEST_SKIP() << "the PostgreSQL server programs are not installed";
        server = std::make_unique<PostgresServer>();
        ASSERT_TRUE(server->started()) << server->failure().toStdString();
        ASSERT_TRUE(server->initClass());
        ASSERT_TRUE(server->fillClass(8, 5));
    }

    std::unique_ptr<PostgresServer> server;
    FakeMessageBoxes boxes;
};

TEST_F(ClassWindowTest, TheRosterEachLearnersAttemptsAndGridAndTheClasssWeakPoints)
{
    ClassWindow window(server->config());
    ASSERT_TRUE(window.load()) << window.summary()->text().toStdString();
    window.show();
    EXPECT_EQ(window.summary()->text(), u"班级：测试班　　学员 8 人　　练习 40 次"_s);
    ASSERT_EQ(window.roster()->rowCount(), 8);
    EXPECT_EQ(window.roster()->item(0, 0)->text(), u"01"_s);
    EXPECT_EQ(window.roster()->item(0, 1)->text(), u"110101199000000001"_s);
    EXPECT_EQ(window.roster()->item(0, 3)->text(), u"5"_s);

    // The first learner is shown at once: five attempts, newest first, and a line per set.
    ASSERT_EQ(window.attempts()->rowCount(), 5);
    EXPECT_GE(window.attempts()->item(0, 0)->text(), window.attempts()->item(4, 0)->text());
    EXPECT_EQ(window.setSummary()->rowCount(), 5);
    EXPECT_EQ(window.setSummary()->item(0, 0)->text(), u"第2套题"_s);

    window.openAttempt(0);
    AttemptWindow* grid = window.attemptWindow();
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_TRUE(grid->cell(40)->isVisible());
    EXPECT_TRUE(grid->cell(1)->toolTip().contains(u"第1题"_s)) << grid->cell(1)->toolTip().toStdString();

    window.tabs()->setCurrentIndex(1);
    EXPECT_TRUE(window.pointsLoading());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.points()->rowCount() > 0; }, 30000))
        << window.pointsStatus()->text().toStdString();
    ASSERT_EQ(window.points()->rowCount(), 9);
    // Weakest first.
    const auto share = [&](int row) { return window.points()->item(row, 2)->text().chopped(1).toInt(); };
    for (int row = 1; row < 9; ++row)
        EXPECT_LE(share(row - 1), share(row)) << row;
    EXPECT_EQ(window.points()->item(0, 4)->text(), u"8"_s); // every learner met every part
    EXPECT_GE(window.points()->item(0, 3)->text().toInt(), window.points()->item(8, 3)->text().toInt());
}

TEST_F(ClassWindowTest, NamesAreKeptOnTheServerAndTheExportOpensInASpreadsheet)
{
    ClassWindow window(server->config());
    ASSERT_TRUE(window.load());
    window.roster()->item(2, 2)->setText(u"李娜"_s);
    ClassWindow reopened(server->config());
    ASSERT_TRUE(reopened.load());
    EXPECT_EQ(reopened.roster()->item(2, 2)->text(), u"李娜"_s);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"班级.csv"_s);
    ASSERT_TRUE(window.exportTo(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 41);
    EXPECT_TRUE(lines[0].startsWith(u"座位号,身份证号,姓名,套题"_s));
    EXPECT_EQ(lines.filter(u",李娜,"_s).size(), 5);
}

TEST_F(ClassWindowTest, AWrongPasswordOrAStoppedServerIsSaidInChinese)
{
    ClassroomConfig config = server->config();
    config.teacherPassword = u"wrong"_s;
    ClassWindow refused(config);
    EXPECT_FALSE(refused.load());
    EXPECT_EQ(refused.summary()->text(), u"班级服务器拒绝登录，请检查用户名和密码。"_s);

    ASSERT_TRUE(server->stop());
    ClassWindow unreachable(server->config());
    EXPECT_FALSE(unreachable.load());
    EXPECT_EQ(unreachable.summary()->text(), u"无法连接班级服务器，请检查网络和服务器地址。"_s);
}
