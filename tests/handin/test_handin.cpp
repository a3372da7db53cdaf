// The hand-in confirmations and the results window: scoring, bank flags and
// the three ways on from the results.
#include "db/statements.h"
#include "paper/paperbuilder.h"
#include "paper/results.h"
#include "paper/widgets/resultmarks.h"
#include "paper/widgets/scorechart.h"
#include "platform/steadyclock.h"
#include "tests/shell/shellfixture.h"
#include "tests/support/fulldisk.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTableView>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

const int green = 65280;
const int red = 255;

} // namespace

// A paper of the test's own on the real question bar, which has started the
// (recorded) player on question 1.
class HandIn : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        setSteadyClockForTesting(&clock);
    }

    void TearDown() override
    {
        ShellTest::TearDown();
        setSteadyClockForTesting(nullptr);
    }

    // A paper with one question per entry of `points` (its 得分), each drawing
    // on a bank row of its own whose 错题 starts as `initialWrong`, on the bar.
    void makePaper(const std::vector<double>& points, int initialWrong = 0)
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn);
        ASSERT_TRUE(conn->executeScript(u"BEGIN"_s).ok());
        for (double value : points) {
            const qint64 id =
                addBankRow(*conn, u"第3套题"_s, static_cast<int>(bankIds.size()) + 1, initialWrong);
            bankIds.push_back(id);
            const qint64 stid = addPaperRow(conn, id);
            stids.push_back(stid);
            setScore(conn, stid, value);
        }
        ASSERT_TRUE(conn->executeScript(u"COMMIT"_s).ok());
        conn->close();
        trainer.showQuestionBar();
        bar = trainer.questionBar().loaded();
        ASSERT_NE(bar, nullptr);
        ASSERT_TRUE(bar->isVisible());
        player.events.clear();
    }

    static void setScore(const std::shared_ptr<Connection>& conn, qint64 stid, double value)
    {
        auto row = Recordset::open(conn, u"select * from st where stid="_s, QVariant(stid));
        ASSERT_TRUE(row.ok());
        ASSERT_EQ(row->recordCount(), 1);
        ASSERT_TRUE(row->setField(u"得分"_s, value).ok());
        ASSERT_TRUE(row->setField(u"是否已做"_s, value != 0 ? 1 : 0).ok());
        ASSERT_TRUE(row->update().ok());
    }

    void changeScore(int position, double value)
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn);
        setScore(conn, stids[static_cast<size_t>(position - 1)], value);
        conn->close();
    }

    std::vector<int> wrongFlags()
    {
        auto conn = openTestDatabase();
        std::vector<int> flags;
        for (qint64 id : bankIds)
            flags.push_back(readValue(conn, u"stk"_s, u"ID"_s, id, u"错题"_s).toInt());
        conn->close();
        return flags;
    }

    // Through the second confirmation to the results.
    ResultsWindow* handInAllDone()
    {
        trainer.confirmHandIn(0);
        EXPECT_TRUE(trainer.handInDialog().isLoaded());
        if (!trainer.handInDialog().isLoaded())
            return nullptr;
        trainer.handInDialog()->okButton()->click();
        settle();
        return trainer.resultsWindow().loaded();
    }

    int playerStops() const
    {
        return static_cast<int>(std::count(player.events.begin(), player.events.end(), u"stop"_s));
    }

    void stageMovies()
    {
        ASSERT_TRUE(QDir().mkpath(movieFolder()));
        for (int n = 1; n <= 40; ++n) {
            QFile movie(movieFilePathOf(n));
            ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
            movie.write("movie");
            movie.close();
            if (n % 2)
                movie.setPermissions(QFile::ReadOwner);
        }
        QFile completed(movieFolder() + u"/completed.swf"_s);
        ASSERT_TRUE(completed.open(QIODevice::WriteOnly));
    }

    int stagedMovies() const
    {
        int found = 0;
        for (int n = 1; n <= 40; ++n)
            found += QFileInfo::exists(movieFilePathOf(n)) ? 1 : 0;
        return found;
    }

    std::vector<qint64> bankIds;
    std::vector<qint64> stids;
    QuestionBar* bar = nullptr;
    FakeSteadyClock clock;
};

TEST_F(HandIn, AllDoneGoesStraightToTheSecondConfirmation)
{
    makePaper(std::vector<double>(5, 2.5));
    bar->endExamButton()->click();
    EXPECT_FALSE(trainer.unansweredHandInDialog().isLoaded());
    ASSERT_TRUE(trainer.handInDialog().isLoaded());
    HandInDialog* confirm = trainer.handInDialog().loaded();
    EXPECT_TRUE(confirm->isVisible());
    EXPECT_TRUE(confirm->isModal());
    EXPECT_EQ(confirm->windowTitle(), u"提醒"_s);
    EXPECT_EQ(confirm->size(), QSize(376, 208));
    EXPECT_EQ(confirm->okButton()->caption(), u"确定"_s);
    EXPECT_EQ(confirm->cancelButton()->caption(), u"取消"_s);

    confirm->okButton()->click();
    settle();
    EXPECT_FALSE(trainer.handInDialog().isLoaded());
    ASSERT_TRUE(trainer.questionBar().isLoaded());
    EXPECT_FALSE(bar->isVisible()) << "the results take over from the bar";
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_TRUE(trainer.resultsWindow().loaded()->isVisible());
    EXPECT_EQ(trainer.resultsWindow().loaded()->scoreLabel()->caption(), u"得分： 12.5"_s);
}

TEST_F(HandIn, UndoneQuestionsAskTwice)
{
    makePaper({2.5, 0});
    bar->endExamButton()->click();
    ASSERT_TRUE(trainer.unansweredHandInDialog().isLoaded());
    EXPECT_FALSE(trainer.handInDialog().isLoaded());
    EXPECT_EQ(trainer.unansweredHandInDialog().loaded()->size(), QSize(364, 210));
    EXPECT_EQ(trainer.unansweredHandInDialog().loaded()->windowTitle(), u"提醒"_s);

    trainer.unansweredHandInDialog().loaded()->okButton()->click();
    settle();
    EXPECT_FALSE(trainer.unansweredHandInDialog().isLoaded());
    ASSERT_TRUE(trainer.handInDialog().isLoaded());
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    EXPECT_TRUE(bar->isVisible());

    trainer.handInDialog().loaded()->okButton()->click();
    settle();
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(HandIn, CancelOnEitherConfirmationKeepsThePaper)
{
    makePaper({2.5, 0}, 1);
    trainer.confirmHandIn(1);
    trainer.unansweredHandInDialog().loaded()->cancelButton()->click();
    settle();
    EXPECT_FALSE(trainer.unansweredHandInDialog().isLoaded());
    EXPECT_FALSE(trainer.handInDialog().isLoaded());

    trainer.confirmHandIn(1);
    trainer.unansweredHandInDialog().loaded()->okButton()->click();
    trainer.handInDialog().loaded()->cancelButton()->click();
    settle();

    // Closing from the caption bar is a "取消" as well.
    trainer.confirmHandIn(0);
    trainer.handInDialog().loaded()->close();
    settle();

    EXPECT_FALSE(trainer.handInDialog().isLoaded());
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    ASSERT_TRUE(trainer.questionBar().isLoaded());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(trainer.mainMenu().isLoaded());
    // No results were computed: the bank keeps its flags.
    EXPECT_EQ(wrongFlags(), (std::vector<int>{1, 1}));
}

TEST_F(HandIn, ThirtySevenRightOfFortyScoresAndFlagsTheBank)
{
    std::vector<double> points(40, 2.5);
    for (int wrong : {4, 17, 40})
        points[static_cast<size_t>(wrong - 1)] = 0;
    makePaper(points, 1);
    // One wrong question starts unflagged, so both directions of the flag are seen.
    {
        auto conn = openTestDatabase();
        auto row = Recordset::open(conn, u"select*from stk where ID="_s, QVariant(bankIds[16]));
        ASSERT_TRUE(row->setField(u"错题"_s, 0).ok());
        ASSERT_TRUE(row->update().ok());
        conn->close();
    }
    const QString db = folder.file(u"stdata.db"_s);
    const int openBeforeScoring = openDescriptorsOn(db);

    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 92.5"_s);
    EXPECT_DOUBLE_EQ(results->score(), 92.5);
    int greens = 0;
    for (int i = 1; i <= 40; ++i) {
        const bool wrong = i == 4 || i == 17 || i == 40;
        EXPECT_EQ(results->cell(i)->backColor(), wrong ? red : green) << i;
        EXPECT_TRUE(results->cell(i)->isEnabled());
        EXPECT_EQ(results->cell(i)->caption(), QString::number(i).rightJustified(2, u'0'));
        greens += results->cell(i)->backColor() == green ? 1 : 0;
    }
    EXPECT_EQ(greens, 37);
    // The legend says what the colours mean (表示, where an old text had a slip).
    EXPECT_EQ(results->findChild<Label*>(u"Label41"_s)->caption(),
              u"（说明：红色背景表示做错了，绿色背景表示做对了！）"_s);

    const std::vector<int> flags = wrongFlags();
    for (int i = 1; i <= 40; ++i) {
        const bool wrong = i == 4 || i == 17 || i == 40;
        EXPECT_EQ(flags[static_cast<size_t>(i - 1)], wrong ? 1 : 0) << i;
    }
    EXPECT_EQ(openDescriptorsOn(db), openBeforeScoring) << "the scoring left a connection open";
}

TEST_F(HandIn, TheScoreIsWrittenInThePlatformsNumberForm)
{
    makePaper(std::vector<double>(40, 2.5), 1);
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 100"_s);
    EXPECT_EQ(wrongFlags(), std::vector<int>(40, 0));

    EXPECT_EQ(numberText(0), u" 0"_s);
    EXPECT_EQ(numberText(7.5), u" 7.5"_s);
    EXPECT_EQ(numberText(-2.5), u"-2.5"_s);
}

TEST_F(HandIn, NothingAnsweredScoresZeroAndEveryCellIsRed)
{
    makePaper(std::vector<double>(12, 0));
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 0"_s);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(results->cell(i)->backColor(), red) << i;
    EXPECT_EQ(wrongFlags(), std::vector<int>(12, 1));
}

TEST_F(HandIn, CellsBeyondAShortPaperKeepTheirDesignColour)
{
    std::vector<double> points(25, 2.5);
    points[24] = 0;
    makePaper(points);
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 60"_s);
    EXPECT_EQ(results->cell(24)->backColor(), green);
    EXPECT_EQ(results->cell(25)->backColor(), red);
    for (int i = 26; i <= 40; ++i) {
        EXPECT_EQ(results->cell(i)->backColor(), windowsButtonFace) << i;
        EXPECT_TRUE(results->cell(i)->isEnabled()) << i;
    }
}

TEST_F(HandIn, AQuestionWhoseBankRowIsGoneIsStillScored)
{
    makePaper({2.5, 0, 2.5});
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->execute(u"delete from stk where ID="_s, QVariant(bankIds[1])).ok());
        conn->close();
    }
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 5"_s);
    EXPECT_EQ(results->cell(2)->backColor(), red);
    EXPECT_EQ(rowsOf(u"stk"_s), 7 + 2);
}

TEST_F(HandIn, BackToThePaperAndAgainRecomputes)
{
    makePaper({2.5, 0, 2.5, 2.5});
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 7.5"_s);
    EXPECT_EQ(results->backToPaperButton()->caption(), u"返回检查"_s);
    ASSERT_FALSE(bar->isVisible());

    QSignalSpy backToPaper(results, &ResultsWindow::backToPaperRequested);
    results->backToPaperButton()->click();
    settle();
    EXPECT_EQ(backToPaper.count(), 1);
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    ASSERT_TRUE(trainer.questionBar().isLoaded()) << "the bar was closed";
    EXPECT_TRUE(bar->isVisible()) << "the bar did not come back";
    EXPECT_FALSE(trainer.session().barMayClose);
    EXPECT_EQ(playerStops(), 0);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 1, 0, 0}));

    // The result bridge records question 2 while the learner is back at the paper.
    changeScore(2, 2.5);
    results = handInAllDone();
    ASSERT_NE(results, nullptr);
    // The attempt keeps its first score; the new one is its correction.
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 7.5　订正后： 10"_s);
    EXPECT_EQ(results->firstScore(), 7.5);
    EXPECT_EQ(results->score(), 10);
    EXPECT_EQ(results->cell(2)->backColor(), green);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(rowsOf(u"st"_s), 4);
}

TEST_F(HandIn, TimeUpClosesAnOpenConfirmationAndOpensTheResultsOnce)
{
    makePaper({2.5, 0});
    trainer.confirmHandIn(1);
    ASSERT_TRUE(trainer.unansweredHandInDialog().isLoaded());
    // The last second of the exam passes.
    trainer.session().setRemainingSeconds(0);
    clock.advance(std::chrono::seconds(1));
    bar->clockTimer()->tick();
    settle();
    EXPECT_EQ(boxes.texts(), QStringList{u"考试结束时间到！"_s});
    EXPECT_FALSE(trainer.unansweredHandInDialog().isLoaded());
    EXPECT_FALSE(bar->isVisible());
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    ResultsWindow* first = trainer.resultsWindow().loaded();
    EXPECT_EQ(first->scoreLabel()->caption(), u"得分： 2.5"_s);

    // A later time-up while the results show leaves them as they are; so does
    // a second call for the results.
    changeScore(2, 2.5);
    clock.advance(std::chrono::seconds(1));
    bar->clockTimer()->tick();
    trainer.showResults();
    settle();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(trainer.resultsWindow().loaded(), first);
    EXPECT_EQ(first->scoreLabel()->caption(), u"得分： 2.5"_s);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 1}));
}

TEST_F(HandIn, NewPracticeClosesTheBarStopsThePlayerAndRemovesTheMovies)
{
    makePaper({2.5, 2.5});
    stageMovies();
    ASSERT_TRUE(trainer.session().paper().has_value());
    // The menu was minimized by its own button before this paper was chosen.
    screen = QSize(800, 600);
    MainMenu* menu = startMenu();
    menu->button(u"PushButton1"_s)->click();
    menu->hide();
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->newPracticeButton()->caption(), u"重选套题练习"_s);

    QSignalSpy newPractice(results, &ResultsWindow::newPracticeRequested);
    results->newPracticeButton()->click();
    settle();
    EXPECT_EQ(newPractice.count(), 1);
    EXPECT_FALSE(trainer.questionBar().isLoaded());
    EXPECT_FALSE(trainer.barIcon().isLoaded());
    EXPECT_TRUE(trainer.session().barMayClose);
    EXPECT_FALSE(trainer.session().paper().has_value());
    EXPECT_EQ(player.events, std::vector<QString>{u"stop"_s});
    EXPECT_EQ(stagedMovies(), 0);
    EXPECT_TRUE(QFileInfo::exists(movieFolder() + u"/completed.swf"_s));
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    ASSERT_TRUE(trainer.mainMenu().isLoaded());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(menu->isMinimized());
    EXPECT_EQ(QApplication::activeWindow(), menu);
    EXPECT_FALSE(endedWith.has_value());
    // The flags written by the results stay.
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 0}));
}

TEST_F(HandIn, QuitEndsAtOnceWithoutTheMenusCleanUp)
{
    makePaper({2.5, 0, 0});
    stageMovies();
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->quitButton()->caption(), u"退出"_s);

    QSignalSpy quit(results, &ResultsWindow::quitRequested);
    results->quitButton()->click();
    settle();
    EXPECT_EQ(quit.count(), 1);
    ASSERT_TRUE(endedWith.has_value());
    EXPECT_EQ(*endedWith, 0);
    EXPECT_EQ(player.events, std::vector<QString>{u"stop"_s});
    EXPECT_EQ(stagedMovies(), 0);
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    EXPECT_FALSE(trainer.mainMenu().isLoaded());
    EXPECT_TRUE(trainer.questionBar().isLoaded()) << "the bar was closed";
    EXPECT_EQ(rowsOf(u"st"_s), 3);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 1, 1}));
}

TEST_F(HandIn, TheKeepOnTopTimerTicksEverySecondUntilUnload)
{
    makePaper({2.5});
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->keepOnTopTimer()->interval(), 1000);
    EXPECT_TRUE(results->keepOnTopTimer()->isEnabled());
    EXPECT_TRUE(results->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    results->keepOnTopTimer()->tick();
    EXPECT_TRUE(results->isVisible());
    FormTimer* timer = results->keepOnTopTimer();
    trainer.resultsWindow().unload();
    EXPECT_FALSE(timer->isEnabled());
}

// Everything a hand-in may write: the paper, the bank's flags and the history.
QString learnerState(const std::shared_ptr<Connection>& conn)
{
    QStringList lines;
    for (const QString& sql : {u"SELECT * FROM st ORDER BY stid"_s, u"SELECT ID, 错题 FROM stk ORDER BY ID"_s,
                               u"SELECT * FROM 练习记录 ORDER BY 记录ID"_s,
                               u"SELECT * FROM 练习记录明细 ORDER BY 记录ID, 题号"_s}) {
        const auto rows = conn->select(sql);
        if (!rows)
            return rows.error();
        for (const Connection::Row& row : rows.value()) {
            QStringList values;
            for (const QVariant& value : row)
                values << value.toString();
            lines << values.join(u'|');
        }
        lines << u"--"_s;
    }
    return lines.join(u'\n');
}

TEST_F(HandIn, AFullDiskAtAnyWriteOfTheHandInIsToldAndLeavesThePaperForASecondHandIn)
{
    makePaper({2.5, 0, 2.5, 0}, 1);
    stageMovies();
    const auto state = [&] {
        auto conn = openTestDatabase();
        const QString text = learnerState(conn);
        conn->close();
        return text;
    };
    const QString before = state();
    ASSERT_FALSE(before.contains(u"no such"_s)) << before.toStdString();

    // The disk fills at each write of the hand-in in turn, until the hand-in
    // needs no more writes than the disk takes.
    int trials = 0;
    ResultsWindow* results = nullptr;
    for (int allowed = 0; allowed < 500 && !results; ++allowed) {
        boxes.shown.clear();
        player.events.clear();
        {
            FullDisk disk(allowed);
            results = handInAllDone();
            if (!disk.refusedAny()) {
                ASSERT_NE(results, nullptr) << allowed;
                break;
            }
        }
        ++trials;
        ASSERT_EQ(results, nullptr) << "a refused write counted as handed in, at write " << allowed;
        ASSERT_EQ(boxes.texts().size(), 1) << allowed;
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
        EXPECT_TRUE(boxes.shown[0].text.startsWith(u"交卷没有完成：磁盘已满，无法写入数据库。"_s))
            << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(u"再次单击“结束考试”"_s));
        EXPECT_EQ(playerStops(), 1) << "the player stays on screen";
        EXPECT_FALSE(endedWith.has_value()) << "the trainer ended at write " << allowed;
        ASSERT_TRUE(trainer.questionBar().isLoaded());
        EXPECT_TRUE(bar->isVisible()) << "the bar is not back";
        EXPECT_EQ(stagedMovies(), 40);
        ASSERT_EQ(state(), before) << "half written at write " << allowed;
    }
    std::printf("hand-in: the disk ran full at each of its %d writes, nothing lost\n", trials);
    EXPECT_GT(trials, 3);

    // The disk has room again: the same paper is handed in, once.
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 5"_s);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 1, 0, 1}));
    auto conn = openTestDatabase();
    EXPECT_EQ(countRows(conn, u"练习记录"_s), 1);
    EXPECT_EQ(countRows(conn, u"练习记录明细"_s), 4);
    conn->close();
}

TEST_F(HandIn, AFailedHandInAtTimeUpIsNotRetriedEverySecond)
{
    makePaper({2.5, 0});
    const QString timeUp = u"考试结束时间到！"_s;
    {
        FullDisk disk(0);
        trainer.endExamOnTime();
        settle();
        ASSERT_EQ(boxes.texts().size(), 2);
        EXPECT_EQ(boxes.texts()[0], timeUp);
        EXPECT_TRUE(boxes.texts()[1].startsWith(u"交卷没有完成："_s));
        // The bar's clock keeps saying the time is up.
        trainer.endExamOnTime();
        EXPECT_EQ(boxes.texts().size(), 2);
    }
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(endedWith.has_value());
    ASSERT_NE(handInAllDone(), nullptr);
}

TEST_F(HandIn, DemonstrationsAndHintsAreMarkedAndAHandInAgainShowsBothScoresEverywhere)
{
    makePaper({2.5, 2.5, 0, 2.5});
    trainer.session().noteDemonstration(1);
    trainer.session().noteHint(3);
    ResultsWindow* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->cell(1)->backColor(), green);
    EXPECT_TRUE(hasDemonstrationMark(results->cell(1)));
    EXPECT_FALSE(hasHintMark(results->cell(1)));
    EXPECT_FALSE(hasDemonstrationMark(results->cell(2)));
    EXPECT_FALSE(hasHintMark(results->cell(2)));
    EXPECT_EQ(results->cell(3)->backColor(), red);
    EXPECT_TRUE(hasHintMark(results->cell(3)));
    ASSERT_NE(results->marksLegend(), nullptr);
    EXPECT_TRUE(results->marksLegend()->isVisible());
    // The legend lies inside the window, below the cells.
    EXPECT_TRUE(results->rect().contains(results->marksLegend()->geometry()));
    EXPECT_GT(results->marksLegend()->geometry().top(), results->cellFrame()->geometry().bottom());

    results->backToPaperButton()->click();
    settle();
    changeScore(3, 2.5);
    results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->scoreLabel()->caption(), u"得分： 7.5　订正后： 10"_s);
    const qint64 attemptId = trainer.session().historyRecordId;
    trainer.resultsWindow().unload();

    trainer.showHistory();
    HistoryWindow* history = trainer.historyWindow().loaded();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->attemptTable()->model()->index(0, 2).data().toString(), u"7.5（订正10）"_s);
    ASSERT_EQ(history->scoreChart()->corrections().size(), 1u);
    EXPECT_EQ(history->scoreChart()->corrections().front().point.y(), 10);
    EXPECT_EQ(history->scoreChart()->corrections().front().firstScore, 7.5);
    EXPECT_EQ(history->scoreChart()->line(u"套题"_s).front().y(), 7.5);

    trainer.showAttempt(attemptId);
    AttemptWindow* attempt = trainer.attemptWindow().loaded();
    ASSERT_NE(attempt, nullptr);
    EXPECT_TRUE(attempt->scoreLabel()->caption().startsWith(u"得分： 7.5"_s));
    EXPECT_TRUE(attempt->scoreLabel()->caption().contains(u"订正后： 10"_s));
    // The attempt's grid is the first hand-in's: question 3 wrong, with its hint.
    EXPECT_EQ(attempt->cell(3)->backColor(), red);
    EXPECT_TRUE(hasHintMark(attempt->cell(3)));
    EXPECT_TRUE(hasDemonstrationMark(attempt->cell(1)));
}
