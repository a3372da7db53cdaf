// The control set of the main program's windows.
#include "shell/widgets/controls.h"
#include "shell/widgets/formtimer.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

TEST(Twips, ConvertAtFifteenPerPixelWithEdgesRoundedOneByOne)
{
    EXPECT_EQ(twipsToPixels(11910), 794);
    EXPECT_EQ(twipsToPixels(937.5), 63);
    EXPECT_EQ(twipsToPixels(-322.5), -21);
    EXPECT_DOUBLE_EQ(pixelsToTwips(62.5), 937.5);
    // A menu button: Left 3933, Top 3760, 1695 × 615.
    EXPECT_EQ(twipsRect(3933, 3760, 1695, 615), QRect(262, 251, 113, 41));
    // Two controls that touch in twips touch on screen.
    const QRect first = twipsRect(1000, 0, 233, 10);
    const QRect second = twipsRect(1233, 0, 233, 10);
    EXPECT_EQ(first.right() + 1, second.left());
}

TEST(Label, BackColorReadsTheDesignColourUntilWrittenThenExactlyWhatWasWritten)
{
    QWidget form;
    Label cell(&form, u"Label7"_s, u"7"_s, windowsColor(255, 255, 255));
    EXPECT_EQ(cell.backColor(), 0xFFFFFF);
    Label plain(&form, u"Label8"_s);
    EXPECT_EQ(plain.property("BackColor").toInt(), windowsButtonFace);

    // The grid colours of the question bar and the result colours, by property name.
    for (int colour : {65280, 255, 0, windowsButtonFace, windowsColor(64, 128, 128)}) {
        ASSERT_TRUE(cell.setProperty("BackColor", colour));
        EXPECT_EQ(cell.property("BackColor").toInt(), colour);
    }
    EXPECT_EQ(colorFromWindows(65280), QColor(0, 255, 0));
    EXPECT_EQ(colorFromWindows(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromWindows(windowsColor(64, 128, 128)), QColor(64, 128, 128));
}

TEST(Label, IsFoundByItsNameAndReportsClicksOnlyWhileEnabled)
{
    QWidget form;
    for (int n = 1; n <= 3; ++n)
        (new Label(&form, u"Label%1"_s.arg(n), QString::number(n)))->setGeometry(0, n * 20, 40, 20);
    Label* cell = form.findChild<Label*>(u"Label2"_s);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->property("Caption").toString(), u"2"_s);
    cell->setCaption(u"12"_s);
    EXPECT_EQ(cell->caption(), u"12"_s);

    QSignalSpy clicks(cell, &Label::clicked);
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    cell->setEnabled(false);
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    cell->setVisible(false);
    EXPECT_TRUE(cell->isHidden());
}

TEST(Label, AutoWidthGrowsToItsCaptionButNeverBelowItsDesignWidth)
{
    QWidget form;
    Label label(&form, u"sttext"_s, u"电子表格Excel2003"_s);
    label.setGeometry(176, 321, 132, 14);
    label.setAutoWidth(true);
    label.setCaption(u"PowerPoint2003中文演示文稿，一个很长很长的课程名称"_s);
    EXPECT_GT(label.width(), 132);
    label.setCaption(u"短"_s);
    EXPECT_EQ(label.width(), 132);
}

TEST(PushButton, CaptionReadsBackAndClickIsSignalledOnlyWhileEnabled)
{
    QWidget form;
    PushButton mark(&form, u"PushButton3"_s, u"标记本题"_s);
    mark.resize(80, 28);
    EXPECT_EQ(mark.property("Caption").toString(), u"标记本题"_s);
    mark.setCaption(u"取消标记"_s);
    EXPECT_EQ(mark.caption(), u"取消标记"_s);

    QSignalSpy clicks(&mark, &PushButton::clicked);
    QTest::mouseClick(&mark, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    mark.setEnabled(false);
    QTest::mouseClick(&mark, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ProgressBar, AcceptsAnyValueAndDrawsItWithinTheFrame)
{
    QWidget form;
    ProgressBar bar(&form, u"stloadpro"_s);
    bar.resize(200, 20);
    // The builder writes the maximum before the minimum, and values beyond both.
    bar.setMaximum(57);
    bar.setMinimum(1);
    bar.setValue(0);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_DOUBLE_EQ(bar.filledFraction(), 0.0);
    bar.setValue(40);
    EXPECT_NEAR(bar.filledFraction(), 39.0 / 56.0, 1e-9);
    bar.setValue(90);
    EXPECT_EQ(bar.property("Value").toInt(), 90);
    EXPECT_DOUBLE_EQ(bar.filledFraction(), 1.0);

    // A range of one value (a one-question paper) and an inverted range draw without trouble.
    bar.setMaximum(1);
    bar.setValue(1);
    EXPECT_DOUBLE_EQ(bar.filledFraction(), 1.0);
    bar.setMinimum(5);
    EXPECT_DOUBLE_EQ(bar.filledFraction(), 1.0);
    EXPECT_FALSE(bar.grab().isNull());
}

TEST(FormTimer, TicksOnlyWhileEnabled)
{
    FormTimer::setManual(true);
    QObject form;
    FormTimer timer(&form, u"Timer1"_s, 1000);
    int ticks = 0;
    QObject::connect(&timer, &FormTimer::ticked, [&] { ++ticks; });
    timer.tick();
    timer.setEnabled(false);
    timer.tick();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer.interval(), 1000);
    EXPECT_EQ(form.findChild<FormTimer*>(u"Timer1"_s), &timer);
    FormTimer::setManual(false);
}
