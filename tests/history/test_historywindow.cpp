// The windows of the practice history: the history of a thousand attempts and
// one attempt's grid, the menu's ways to them, and the demonstration of a
// missed question from the results.
#include "bank/banksource.h"
#include "db/schema.h"
#include "paper/practicehistory.h"
#include "paper/widgets/resultmarks.h"
#include "paper/widgets/scorechart.h"
#include "player/channel.h"
#include "tests/shell/shellfixture.h"

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

const QStringList kSets{u"第1套题"_s,  u"第2套题"_s,  u"第3套题"_s,  u"第4套题"_s,  u"第5套题"_s,
                        u"第6套题"_s,  u"第7套题"_s,  u"第8套题"_s,  u"第9套题"_s,  u"第10套题"_s,
                        u"第11套题"_s, u"第12套题"_s, u"随机练习"_s, u"错题练习"_s, u"薄弱考点练习"_s};

} // namespace

class HistoryWindowTest : public ShellTest
{
protected:
    // `count` attempts of 40 questions, one a day back from today, the sets in
    // turn; the part of question n is the module's part n mod 9, and 动画 is always missed.
    void generateHistory(int count)
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->executeScript(u"BEGIN"_s).ok());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int i = 0; i < count; ++i) {
            std::vector<AttemptQuestion> questions;
            int right = 0;
            for (int n = 1; n <= 40; ++n) {
                const QString topic = bankTopics()[n % 9];
                const bool isRight = topic != u"动画"_s && (n + i) % 4 != 0;
                right += isRight;
                questions.push_back({n, n, topic, isRight, n == 5, n == 6});
            }
            const QDateTime handedIn = now.addDays(i - count);
            const auto id = writeAttempt(*conn,
                                         Attempt{0, kSets[i % kSets.size()], handedIn.addSecs(-1800),
                                                 handedIn, right * 2.5, 40, right, i % 7 == 0},
                                         questions);
            ASSERT_TRUE(id.ok()) << id.error().toStdString();
            lastId = id.value();
        }
        ASSERT_TRUE(conn->executeScript(u"COMMIT"_s).ok());
        conn->close();
    }
    qint64 lastId = 0;
};

TEST_F(HistoryWindowTest, ShowsAThousandAttemptsAndOpensOne)
{
    generateHistory(1000);
    MainMenu* menu = startMenu();
    menu->button(u"historyButton"_s)->click();
    HistoryWindow* history = trainer.historyWindow().loaded();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->isVisible());
    EXPECT_EQ(history->objectName(), u"lxjl"_s);
    EXPECT_EQ(history->attempts().size(), 1000u);

    // Per set: every practice, attempts, last and best score.
    QTableWidget* sets = history->setTable();
    ASSERT_EQ(sets->rowCount(), 15);
    EXPECT_EQ(sets->item(0, 0)->text(), u"第1套题"_s);
    EXPECT_EQ(sets->item(11, 0)->text(), u"冲刺题3"_s);
    EXPECT_EQ(sets->item(0, 1)->text(), u"67"_s); // 1000 attempts over 15 practices: the first ten have 67
    EXPECT_EQ(sets->item(14, 1)->text(), u"66"_s);

    // The plot: one line per family, every attempt on one of them.
    size_t plotted = 0;
    for (const QString& family : setFamilies())
        plotted += history->scoreChart()->line(family).size();
    EXPECT_EQ(plotted, 1000u);
    EXPECT_EQ(history->scoreChart()->line(u"冲刺题"_s).size(), 67u + 66u + 66u);

    // The parts, weakest first, over the last 20 attempts.
    const auto& shares = history->topicChart()->shares();
    ASSERT_EQ(shares.size(), 9u);
    EXPECT_EQ(shares.front().topic, u"动画"_s);
    int asked = 0;
    for (const TopicShare& s : shares)
        asked += s.asked;
    EXPECT_EQ(asked, 20 * 40);

    // The attempts, newest first.
    QTableView* table = history->attemptTable();
    ASSERT_EQ(table->model()->rowCount(), 1000);
    EXPECT_EQ(history->attemptIdAtRow(0), lastId);
    // The newest attempt is of the first sprint set, named as the menu names it.
    EXPECT_EQ(kSets[999 % 15], u"第10套题"_s);
    EXPECT_EQ(table->model()->index(0, 1).data().toString(), u"冲刺题1"_s);
    EXPECT_EQ(table->model()->index(0, 4).data().toString(), u"30分00秒"_s);
    EXPECT_FALSE(history->grab().isNull());

    table->selectRow(0);
    history->openAttemptButton()->click();
    AttemptWindow* attempt = trainer.attemptWindow().loaded();
    ASSERT_NE(attempt, nullptr);
    EXPECT_TRUE(attempt->isVisible());
    for (int n = 1; n <= 40; ++n)
        EXPECT_TRUE(attempt->cell(n)->isVisible()) << n;
    const int green = windowsGreen, red = windowsRed;
    // Question 5 was done by its demonstration: green, with the demonstration's mark.
    EXPECT_EQ(attempt->cell(5)->backColor(), (5 + 999) % 4 != 0 ? green : red);
    EXPECT_EQ(hasDemonstrationMark(attempt->cell(5)), (5 + 999) % 4 != 0);
    EXPECT_FALSE(hasDemonstrationMark(attempt->cell(1)));
    EXPECT_TRUE(hasHintMark(attempt->cell(6)));
    EXPECT_EQ(attempt->cell(1)->backColor(), (1 + 999) % 4 != 0 ? green : red);
    EXPECT_TRUE(attempt->cell(6)->toolTip().contains(u"看过操作提示"_s));
    EXPECT_TRUE(attempt->scoreLabel()->caption().startsWith(u"得分："_s));
    attempt->closeButton()->click();
    settle();
    EXPECT_FALSE(trainer.attemptWindow().isLoaded());
    history->closeButton()->click();
    settle();
    EXPECT_FALSE(trainer.historyWindow().isLoaded());
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(HistoryWindowTest, AnEmptyHistoryShowsNoAttempts)
{
    startMenu();
    trainer.showHistory();
    HistoryWindow* history = trainer.historyWindow().loaded();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->setTable()->rowCount(), 0);
    EXPECT_EQ(history->attemptTable()->model()->rowCount(), 0);
    EXPECT_FALSE(history->openAttemptButton()->isEnabled());
    for (const TopicShare& s : history->topicChart()->shares())
        EXPECT_EQ(s.asked, 0);
    EXPECT_FALSE(history->grab().isNull());
}

TEST_F(HistoryWindowTest, ClearingAsksFirstThenEmptiesTheHistoryAndTheWrongFlags)
{
    generateHistory(3);
    auto wrongFlags = [this] {
        auto conn = openTestDatabase();
        const auto rows = conn->select(u"SELECT COUNT(*) FROM stk WHERE 错题 <> 0"_s);
        conn->close();
        return rows ? rows->front().front().toInt() : -1;
    };
    ASSERT_GT(wrongFlags(), 0);
    startMenu();
    trainer.showHistory();
    HistoryWindow* history = trainer.historyWindow().loaded();
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->clearHistoryButton()->caption(), u"清除练习记录"_s);

    // 否 keeps everything.
    boxes.answers.push_back(MessageAnswer::No);
    history->clearHistoryButton()->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_TRUE(boxes.shown[0].text.contains(u"题库中的试题保留"_s));
    EXPECT_EQ(history->attempts().size(), 3u);
    EXPECT_GT(wrongFlags(), 0);

    boxes.answers.push_back(MessageAnswer::Yes);
    history->clearHistoryButton()->click();
    EXPECT_EQ(boxes.shown.size(), 2u) << "no message after a clearing that worked";
    EXPECT_TRUE(history->isVisible());
    EXPECT_TRUE(history->attempts().empty());
    EXPECT_EQ(history->setTable()->rowCount(), 0);
    EXPECT_EQ(history->attemptTable()->model()->rowCount(), 0);
    EXPECT_FALSE(history->openAttemptButton()->isEnabled());
    EXPECT_EQ(wrongFlags(), 0);
    EXPECT_FALSE(endedWith.has_value());
}

TEST_F(HistoryWindowTest, TheMenuGainsTwoButtonsAndKeepsItsFourteen)
{
    MainMenu* menu = startMenu();
    const QStringList fourteen{u"PushButton5"_s,  u"PushButton6"_s,  u"PushButton7"_s,  u"PushButton8"_s,
                               u"PushButton9"_s,  u"PushButton10"_s, u"PushButton11"_s, u"PushButton12"_s,
                               u"PushButton13"_s, u"PushButton14"_s, u"PushButton15"_s, u"PushButton16"_s,
                               u"PushButton18"_s, u"PushButton19"_s};
    const int lefts[] = {1500, 3933, 6373, 8813};
    const int tops[] = {2520, 3760, 5000};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(menu->button(fourteen[i])->geometry(), twipsRect(lefts[i % 4], tops[i / 4], 1695, 615))
            << i;
    EXPECT_EQ(menu->button(u"PushButton18"_s)->geometry(), twipsRect(3933, 6240, 1695, 615));
    EXPECT_EQ(menu->button(u"PushButton19"_s)->geometry(), twipsRect(6373, 6240, 1695, 615));

    for (const QString& added : {u"historyButton"_s, u"weakPointButton"_s}) {
        PushButton* button = menu->button(added);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(menu->rect().contains(button->geometry()));
        for (const QString& name : fourteen)
            EXPECT_FALSE(button->geometry().intersects(menu->button(name)->geometry())) << name.toStdString();
        EXPECT_FALSE(button->geometry().intersects(menu->btgr()->geometry()));
    }
    EXPECT_EQ(menu->button(u"weakPointButton"_s)->caption(), u"薄弱考点练习"_s);

    menu->button(u"weakPointButton"_s)->click();
    settle();
    EXPECT_EQ(trainer.session().choice.setName, u"薄弱考点练习"_s);
    EXPECT_FALSE(trainer.session().choice.isRandom());
    EXPECT_TRUE(trainer.loginBackdrop().isLoaded());
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(HistoryWindowTest, AnOlderDatabaseGetsTheHistoryTablesAtStart)
{
    QFile::remove(folder.file(u"stdata.db"_s));
    {
        auto conn = Connection::create(folder.file(u"stdata.db"_s), databasePassword());
        ASSERT_TRUE(conn.ok());
        ASSERT_TRUE(conn.value()->executeScript(schemaScript()).ok());
        addBankRow(*conn.value(), u"第1套题"_s, 1);
        conn.value()->close();
    }
    startMenu();
    EXPECT_FALSE(endedWith.has_value());
    auto conn = openTestDatabase();
    EXPECT_TRUE(conn->hasTable(u"练习记录"_s));
    EXPECT_TRUE(conn->hasTable(u"练习记录明细"_s));
    EXPECT_TRUE(conn->hasTable(u"试题考点"_s));
    conn->close();
    trainer.showHistory();
    EXPECT_TRUE(trainer.historyWindow().isLoaded());
}

// A paper on the real bar, handed in, and the results window.
class ResultsDemonstrationTest : public ShellTest
{
protected:
    void startPaper(const std::vector<double>& points, bool examMode)
    {
        auto conn = openTestDatabase();
        for (size_t i = 0; i < points.size(); ++i) {
            const qint64 stid = addPaperRow(conn, static_cast<qint64>(i) + 1);
            ASSERT_TRUE(conn->run(u"UPDATE st SET 得分 = ?, 是否已做 = ? WHERE stid = ?"_s,
                                  {points[i], points[i] > 0 ? 1 : 0, stid})
                            .ok());
            stids.push_back(stid);
        }
        conn->close();
        trainer.session().choice = practiceChoiceNamed(u"第1套题"_s);
        trainer.session().candidate.examMode = examMode;
        trainer.showQuestionBar();
        ASSERT_TRUE(trainer.questionBar().isLoaded());
    }

    ResultsWindow* handIn()
    {
        trainer.confirmHandIn(0);
        trainer.handInDialog()->okButton()->click();
        settle();
        return trainer.resultsWindow().loaded();
    }

    int demonstrationFlag(int position)
    {
        auto conn = openTestDatabase();
        const auto rows = conn->select(u"SELECT 看过演示 FROM 练习记录明细 WHERE 题号 = ?"_s, {position});
        conn->close();
        return rows && rows->size() == 1 ? rows->front().front().toInt() : -1;
    }

    std::vector<qint64> stids;
};

TEST_F(ResultsDemonstrationTest, AMissedQuestionPlaysItsDemonstrationOverTheResults)
{
    startPaper({2.5, 0, 0}, false);
    // The bar's 全程演示 on question 1 is kept for the history.
    trainer.questionBar()->demonstrationButton()->click();
    EXPECT_TRUE(trainer.session().hadDemonstration(1));
    EXPECT_FALSE(trainer.session().hadHint(1));

    ResultsWindow* results = handIn();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(demonstrationFlag(1), 1);
    EXPECT_EQ(demonstrationFlag(2), 0);
    EXPECT_TRUE(results->offersDemonstration(1));
    EXPECT_TRUE(results->offersDemonstration(2));
    EXPECT_TRUE(results->offersDemonstration(3));
    EXPECT_FALSE(results->offersDemonstration(4)); // beyond the paper
    EXPECT_TRUE(results->demonstrationNote()->isVisible());

    // A cell opens the question's review; its button plays the demonstration.
    player.events.clear();
    QTest::mouseClick(results->cell(2), Qt::LeftButton);
    EXPECT_TRUE(player.events.empty());
    ASSERT_TRUE(trainer.reviewWindow().isLoaded());
    trainer.reviewWindow()->demonstrationButton()->click();
    ASSERT_EQ(player.events.size(), 2u);
    EXPECT_EQ(player.events[0], u"stop"_s);
    // A review: the player records nothing, and the learner did not watch it while answering.
    EXPECT_EQ(player.events[1], u"start "_s + folder.file(u"drillplay"_s) + u" --review "_s +
                                    QString::number(stids[1]) + u"&2"_s);
    EXPECT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_FALSE(results->keepOnTopTimer()->isEnabled());
    EXPECT_FALSE(trainer.session().hadDemonstration(2));
    // The bar's current question stays question 1.
    EXPECT_EQ(trainer.session().paper()->absolutePosition(), 1);

    // The player's window comes up and is told to play the demonstration.
    CopyDataReceiver fakePlayer;
    QStringList received;
    QObject::connect(&fakePlayer, &CopyDataReceiver::copyDataReceived,
                     [&](const QString& text) { received << text; });
    ASSERT_TRUE(fakePlayer.start(playerWindowTitle()).ok());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }, 5000));
    EXPECT_EQ(received, QStringList{kYanShiWord});

    // The player closes: the review comes back, and once it is closed the results take the top again.
    fakePlayer.stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return trainer.reviewWindow()->isVisible(); }, 5000));
    trainer.reviewWindow()->closeButton()->click();
    settle();
    EXPECT_TRUE(results->keepOnTopTimer()->isEnabled());

    // Back to the paper: the bar's own question plays again; handed in again,
    // the same history row, and the review left no demonstration mark on question 2.
    player.events.clear();
    results->backToPaperButton()->click();
    settle();
    ASSERT_FALSE(player.events.empty());
    EXPECT_TRUE(player.events.back().endsWith(QString::number(stids[0]) + u"&1"_s));
    ASSERT_NE(handIn(), nullptr);
    EXPECT_EQ(demonstrationFlag(2), 0);
    EXPECT_EQ(rowsOf(u"练习记录"_s), 1);
}

TEST_F(ResultsDemonstrationTest, NoDemonstrationAfterAPaperInExamMode)
{
    startPaper({2.5, 0}, true);
    ResultsWindow* results = handIn();
    ASSERT_NE(results, nullptr);
    EXPECT_FALSE(results->offersDemonstration(2));
    player.events.clear();
    trainer.showDemonstration(2);
    EXPECT_TRUE(player.events.empty());
    EXPECT_TRUE(results->keepOnTopTimer()->isEnabled());
    EXPECT_FALSE(trainer.session().hadDemonstration(2));
}

TEST_F(ResultsDemonstrationTest, ATimeUpIsKeptAndTheOrderlyExitKeepsTheHistory)
{
    startPaper({2.5, 0}, false);
    trainer.endExamOnTime();
    settle();
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_EQ(rowsOf(u"练习记录"_s), 1);
    EXPECT_EQ(rowsOf(u"练习记录明细"_s), 2);

    trainer.resultsWindow()->newPracticeButton()->click();
    settle();
    MainMenu* menu = trainer.mainMenu().loaded();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->load());
    menu->button(u"closebt"_s)->click();
    EXPECT_EQ(endedWith, 0);
    EXPECT_EQ(rowsOf(u"st"_s), 0);
    EXPECT_EQ(rowsOf(u"练习记录"_s), 1);
    EXPECT_EQ(rowsOf(u"练习记录明细"_s), 2);
    EXPECT_EQ(rowsOf(u"试题考点"_s), 0);
}

TEST_F(HistoryWindowTest, AHistoryThatCannotBeReadIsToldWithoutEndingTheTrainer)
{
    generateHistory(3);
    {
        // A history table of another make: its columns end before those read.
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->executeScript(u"CREATE TABLE x AS SELECT 记录ID, setname FROM 练习记录; "
                                        u"DROP TABLE 练习记录; ALTER TABLE x RENAME TO 练习记录"_s)
                        .ok());
        conn->close();
    }
    trainer.showHistory();
    EXPECT_FALSE(trainer.historyWindow().isLoaded());
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts()[0], u"无法读取练习记录：数据库出错。"_s);
    EXPECT_FALSE(endedWith.has_value());
}

TEST_F(HistoryWindowTest, AVeryLongSetNameIsReadCut)
{
    generateHistory(2);
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->run(u"UPDATE 练习记录 SET setname = replace(hex(zeroblob(500000)), '0', 'x') "
                              u"WHERE 记录ID = ?"_s,
                              {lastId})
                        .ok());
        conn->close();
    }
    trainer.showHistory();
    HistoryWindow* history = trainer.historyWindow().loaded();
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->attempts().size(), 2u);
    EXPECT_EQ(history->attempts().back().setName, QString(kLongestSetName, u'x'));
    trainer.showAttempt(lastId);
    ASSERT_TRUE(trainer.attemptWindow().isLoaded());
    EXPECT_TRUE(
        trainer.attemptWindow()->titleLabel()->caption().startsWith(QString(kLongestSetName, u'x') + u'　'))
        << trainer.attemptWindow()->titleLabel()->caption().left(100).toStdString();
    EXPECT_FALSE(endedWith.has_value());
}
