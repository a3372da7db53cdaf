// The exam clock on the question bar: allowance, label, progress and time-up.
#include "tests/bar/barfixture.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

TEST_F(BarTest, FortyQuestionsGetFiftyMinutes)
{
    StbarForm* bar = loadBar(40);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->cell(40)->isHidden());
    EXPECT_EQ(remainsecs, 3000);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余00分00秒"_s);
    EXPECT_EQ(bar->ProgressBar1()->maximum(), 50);
    EXPECT_EQ(bar->ProgressBar1()->minimum(), 1);
    EXPECT_EQ(bar->Timer2()->interval(), 1000);
    tick(bar, 1);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余49分59秒"_s);
    EXPECT_EQ(bar->ProgressBar1()->value(), 1);
}

TEST_F(BarTest, TheLastMinuteIsShownWithoutLeadingZeros)
{
    StbarForm* bar = loadBar(2);
    remainsecs = 61;
    tick(bar, 1);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余1分0秒"_s);
    EXPECT_EQ(bar->ProgressBar1()->value(), 1);
    tick(bar, 1);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余0分59秒"_s);
    EXPECT_EQ(bar->ProgressBar1()->value(), 2);
}

TEST_F(BarTest, APositionBelowTheMinimumDoesNotStopTheClock)
{
    StbarForm* bar = loadBar(15);
    EXPECT_EQ(remainsecs, 1125);
    EXPECT_EQ(bar->ProgressBar1()->maximum(), 18);
    tick(bar, 45);
    EXPECT_EQ(bar->ProgressBar1()->value(), 0);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余18分0秒"_s);
    tick(bar, 1);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余17分59秒"_s);
    EXPECT_EQ(bar->ProgressBar1()->value(), 1);
    EXPECT_TRUE(bar->Timer2()->isEnabled());
}

TEST_F(BarTest, TimeUpTellsTheLearnerHidesTheBarAndShowsTheResultsOnce)
{
    StbarForm* bar = loadBar(1);
    EXPECT_EQ(remainsecs, 75);
    tick(bar, 75);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余0分0秒"_s);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_TRUE(boxes.shown.empty());

    // Ticks while the results window is open do not start a second time-up.
    duringResults = [&] {
        resultsOpen = true;
        tick(bar, 3);
    };
    tick(bar, 1);
    EXPECT_EQ(resultsShown, 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, u"考试结束时间到！"_s);
    EXPECT_EQ(boxes.shown[0].title, u"朔禾软件"_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Information);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余0分0秒"_s);

    // Back from the results ("返回检查"): the next tick runs the time-up again.
    resultsOpen = false;
    duringResults = {};
    examflow::showBarAgain();
    tick(bar, 1);
    EXPECT_EQ(resultsShown, 2);
    EXPECT_TRUE(bar->Timer2()->isEnabled());
}

TEST_F(BarTest, TimeUpWhileTheResultsAreOpenLeavesThemAlone)
{
    StbarForm* bar = loadBar(1);
    remainsecs = 0;
    resultsOpen = true;
    tick(bar, 2);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BarTest, TimeUpWhileMinimizedLeavesTheIconInPlace)
{
    StbarForm* bar = loadBar(1);
    bar->setWindowState(Qt::WindowMinimized);
    StbaricoForm* icon = stbaricoForm.loaded();
    ASSERT_NE(icon, nullptr);
    icon->move(40, 50);
    tick(bar, 76);
    EXPECT_EQ(resultsShown, 1);
    ASSERT_TRUE(stbaricoForm.isLoaded());
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->pos(), QPoint(40, 50));
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(BarTest, TheClockCountsTheTimeThatPassedNotItsTicks)
{
    StbarForm* bar = loadBar(2);
    ASSERT_EQ(remainsecs, 150);
    // The program was blocked for 11 s: one late tick catches up.
    clock.advance(std::chrono::seconds(11));
    bar->Timer2()->tick();
    EXPECT_EQ(remainsecs, 139);
    EXPECT_EQ(bar->remaintime()->caption(), u"剩余2分19秒"_s);
    // Ticks a little early or late neither lose nor add a second.
    clock.advance(std::chrono::milliseconds(950));
    bar->Timer2()->tick();
    clock.advance(std::chrono::milliseconds(1040));
    bar->Timer2()->tick();
    clock.advance(std::chrono::milliseconds(1010));
    bar->Timer2()->tick();
    EXPECT_EQ(remainsecs, 136);
    // A tick with no time passed (a timer that fired twice) counts nothing.
    bar->Timer2()->tick();
    EXPECT_EQ(remainsecs, 136);
    // A block that outlasts the exam ends it at the next tick.
    clock.advance(std::chrono::seconds(200));
    bar->Timer2()->tick();
    EXPECT_EQ(resultsShown, 1);
}

TEST_F(BarTest, EveryModeGetsTheSameAllowance)
{
    exammode = true;
    loadBar(8);
    EXPECT_EQ(remainsecs, 600);
}
