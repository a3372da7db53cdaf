// The exam clock on the question bar: allowance, label, progress and time-up.
#include "tests/bar/barfixture.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

// Message boxes that let the program run on while one is open, as a modal box
// does: `whileOpen` runs inside each.
class MessageBoxesWithEvents : public FakeMessageBoxes
{
public:
    MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override
    {
        const MessageAnswer answer = FakeMessageBoxes::show(title, text, icon, buttons);
        if (whileOpen)
            whileOpen();
        return answer;
    }
    std::function<void()> whileOpen;
};

} // namespace

TEST_F(BarTest, FortyQuestionsGetFiftyMinutes)
{
    QuestionBar* bar = loadBar(40);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->cell(40)->isHidden());
    EXPECT_EQ(session().remainingSeconds(), 3000);
    // The whole allowance shows from the first frame, before the clock's first tick.
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余50分0秒"_s);
    EXPECT_EQ(bar->timeBar()->maximum(), 50);
    EXPECT_EQ(bar->timeBar()->minimum(), 1);
    EXPECT_EQ(bar->clockTimer()->interval(), 1000);
    tick(bar, 1);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余49分59秒"_s);
    EXPECT_EQ(bar->timeBar()->value(), 1);
}

TEST_F(BarTest, TheLastMinuteIsShownWithoutLeadingZeros)
{
    QuestionBar* bar = loadBar(2);
    session().setRemainingSeconds(61);
    tick(bar, 1);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余1分0秒"_s);
    EXPECT_EQ(bar->timeBar()->value(), 1);
    tick(bar, 1);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余0分59秒"_s);
    EXPECT_EQ(bar->timeBar()->value(), 2);
}

TEST_F(BarTest, TheClockTurnsRedForTheLastFiveMinutes)
{
    QuestionBar* bar = loadBar(40);
    const int normal = bar->remainingTimeLabel()->foreColor();
    EXPECT_NE(normal, 0x0000FF);
    session().setRemainingSeconds(301);
    tick(bar, 1);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余5分0秒"_s);
    EXPECT_EQ(bar->remainingTimeLabel()->foreColor(), 0x0000FF);
}

TEST_F(BarTest, APaperShorterThanFiveMinutesWarnsFromItsFirstFrame)
{
    QuestionBar* bar = loadBar(3);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余3分45秒"_s);
    EXPECT_EQ(bar->remainingTimeLabel()->foreColor(), 0x0000FF);
}

TEST_F(BarTest, APositionBelowTheMinimumDoesNotStopTheClock)
{
    QuestionBar* bar = loadBar(15);
    EXPECT_EQ(session().remainingSeconds(), 1125);
    EXPECT_EQ(bar->timeBar()->maximum(), 18);
    tick(bar, 45);
    EXPECT_EQ(bar->timeBar()->value(), 0);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余18分0秒"_s);
    tick(bar, 1);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余17分59秒"_s);
    EXPECT_EQ(bar->timeBar()->value(), 1);
    EXPECT_TRUE(bar->clockTimer()->isEnabled());
}

TEST_F(BarTest, TimeUpTellsTheLearnerHidesTheBarAndShowsTheResultsOnce)
{
    MessageBoxesWithEvents messages;
    QuestionBar* bar = loadBar(1);
    QSignalSpy timeUps(bar, &QuestionBar::timeUp);
    EXPECT_EQ(session().remainingSeconds(), 75);
    tick(bar, 75);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余0分0秒"_s);
    EXPECT_EQ(timeUps.size(), 0);
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    EXPECT_TRUE(messages.shown.empty());

    // Ticks while the message is open do not start a second time-up.
    messages.whileOpen = [&] {
        EXPECT_FALSE(trainer.resultsWindow().isLoaded());
        tick(bar, 3);
    };
    tick(bar, 1);
    EXPECT_EQ(timeUps.size(), 4);
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    ResultsWindow* results = trainer.resultsWindow().loaded();
    EXPECT_TRUE(results->isVisible());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"考试结束时间到！"_s);
    EXPECT_EQ(messages.shown[0].title, u"朔禾软件"_s);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余0分0秒"_s);

    // Nor do ticks while the results window is open.
    messages.whileOpen = {};
    tick(bar, 3);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(trainer.resultsWindow().loaded(), results);

    // Back from the results ("返回检查"): the next tick runs the time-up again.
    results->backToPaperButton()->click();
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    EXPECT_TRUE(bar->isVisible());
    tick(bar, 1);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(bar->clockTimer()->isEnabled());
}

TEST_F(BarTest, TimeUpWhileTheResultsAreOpenLeavesThemAlone)
{
    QuestionBar* bar = loadBar(1);
    trainer.showResults();
    ResultsWindow* results = trainer.resultsWindow().loaded();
    ASSERT_NE(results, nullptr);
    session().setRemainingSeconds(0);
    tick(bar, 2);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(trainer.resultsWindow().loaded(), results);
    EXPECT_TRUE(results->isVisible());
}

TEST_F(BarTest, TimeUpWhileMinimizedLeavesTheIconInPlace)
{
    QuestionBar* bar = loadBar(1);
    bar->setWindowState(Qt::WindowMinimized);
    BarIcon* icon = trainer.barIcon().loaded();
    ASSERT_NE(icon, nullptr);
    icon->move(40, 50);
    tick(bar, 76);
    EXPECT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_EQ(boxes.shown.size(), 1u);
    ASSERT_TRUE(trainer.barIcon().isLoaded());
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->pos(), QPoint(40, 50));
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(BarTest, TheClockCountsTheTimeThatPassedNotItsTicks)
{
    QuestionBar* bar = loadBar(2);
    ASSERT_EQ(session().remainingSeconds(), 150);
    // The program was blocked for 11 s: one late tick catches up.
    clock.advance(std::chrono::seconds(11));
    bar->clockTimer()->tick();
    EXPECT_EQ(session().remainingSeconds(), 139);
    EXPECT_EQ(bar->remainingTimeLabel()->caption(), u"剩余2分19秒"_s);
    // Ticks a little early or late neither lose nor add a second.
    clock.advance(std::chrono::milliseconds(950));
    bar->clockTimer()->tick();
    clock.advance(std::chrono::milliseconds(1040));
    bar->clockTimer()->tick();
    clock.advance(std::chrono::milliseconds(1010));
    bar->clockTimer()->tick();
    EXPECT_EQ(session().remainingSeconds(), 136);
    // A tick with no time passed (a timer that fired twice) counts nothing.
    bar->clockTimer()->tick();
    EXPECT_EQ(session().remainingSeconds(), 136);
    // A block that outlasts the exam ends it at the next tick.
    clock.advance(std::chrono::seconds(200));
    bar->clockTimer()->tick();
    EXPECT_EQ(session().remainingSeconds(), -64);
    EXPECT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(BarTest, EveryModeGetsTheSameAllowance)
{
    session().candidate.examMode = true;
    loadBar(8);
    EXPECT_EQ(session().remainingSeconds(), 600);
}
