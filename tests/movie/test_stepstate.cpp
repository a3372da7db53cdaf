// A step is the state it asks for: a dialog's values in any order, a value or a page already
// there counts, a value corrected before 确定 is fine, and the 格式 toolbar and the table's
// borders take their settings in any order. Played through the window over bank questions.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "windowtesting.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// Does the movie's own first `count` steps through the window, as the demonstration would.
void playSteps(KitView& view, int count)
{
    for (int i = 0; i < count; ++i) {
        if (view.session().steps().isDone(StepTaking{-1, i}))
            continue;
        ASSERT_TRUE(
            view.performThroughUi(view.session().movie().steps[static_cast<size_t>(i)].accept.first()))
            << "step " << i + 1;
    }
}

QString hint(KitView& view)
{
    return view.session().currentStep() ? view.session().currentStep()->hint : QString();
}

const SlideEffect& firstEffect(KitView& view, int slide)
{
    return view.session().presentation().slides[static_cast<size_t>(slide - 1)].effects.front();
}

} // namespace

TEST(StepState, APageAlreadyInFrontIsNoStepToTake)
{
    // 效果选项 opens on its 效果 page: choosing 播放动画后隐藏 and 确定 is the whole task.
    auto view = windowtesting::viewOfBankMovie(u"05/36"_s);
    playSteps(*view, 4);
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->tab, u"效果"_s);
    EXPECT_FALSE(hint(*view).contains(u"选项卡"_s)) << hint(*view).toStdString();
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/动画播放后=播放动画后隐藏"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/确定"_s));
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(firstEffect(*view, 4).afterAnimation, u"播放动画后隐藏"_s);
}

TEST(StepState, AValueAlreadyRightIsNeitherAskedForNorNeeded)
{
    // 自定义 of 颜色 opened on black: 红色 already reads 0.
    auto view = windowtesting::viewOfBankMovie(u"06/30"_s);
    playSteps(*view, 6);
    ASSERT_EQ(view->session().dialog()->name, u"颜色"_s);
    ASSERT_TRUE(view->performThroughUi(u"dialog:颜色/标签=自定义"_s));
    EXPECT_EQ(view->session().dialog()->value(u"红色(R)"_s), u"0"_s);
    // The hint goes on to what is still missing, never to what is already there.
    EXPECT_TRUE(hint(*view).contains(u"绿色"_s)) << hint(*view).toStdString();
    EXPECT_TRUE(view->performThroughUi(u"dialog:颜色/绿色(G)=102"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:颜色/蓝色(B)=204"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:颜色/确定"_s));
    EXPECT_EQ(view->session().dialog()->name, u"编辑配色方案"_s);
    EXPECT_TRUE(view->performThroughUi(u"dialog:编辑配色方案/应用(A)"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(StepState, ADialogsValuesComeInAnyOrderAndOkChecksWhatItHolds)
{
    auto view = windowtesting::viewOfBankMovie(u"12/34"_s);
    playSteps(*view, 4);
    ASSERT_EQ(view->session().dialog()->name, u"效果选项"_s);
    // The page's second box first, and a wrong sound: the dialog shows it, 确定 does nothing.
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/动画播放后=播放动画后隐藏"_s));
    EXPECT_FALSE(view->performThroughUi(u"dialog:效果选项/声音=爆炸"_s));
    EXPECT_EQ(view->session().dialog()->value(u"声音"_s), u"爆炸"_s);
    EXPECT_FALSE(view->performThroughUi(u"dialog:效果选项/确定"_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_TRUE(hint(*view).contains(u"声音"_s)) << hint(*view).toStdString();
    // Corrected before 确定, it is as if it had been right all along.
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/声音=推动"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/标签=正文文本动画"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/组合文本=所有段落同时"_s));
    // A value done and then changed comes up again: 确定 waits for it.
    ASSERT_TRUE(view->performThroughUi(u"dialog:效果选项/标签=效果"_s) ||
                view->session().dialog()->tab == u"效果"_s);
    view->performThroughUi(u"dialog:效果选项/声音=锤打"_s);
    EXPECT_FALSE(view->performThroughUi(u"dialog:效果选项/确定"_s));
    EXPECT_TRUE(hint(*view).contains(u"声音"_s)) << hint(*view).toStdString();
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/声音=推动"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/确定"_s));
    EXPECT_TRUE(view->session().isComplete());
    const SlideEffect& effect = firstEffect(*view, 4);
    EXPECT_EQ(effect.sound, u"推动"_s);
    EXPECT_EQ(effect.afterAnimation, u"播放动画后隐藏"_s);
    EXPECT_EQ(effect.textGrouping, u"所有段落同时"_s);
}

TEST(StepState, TheFormattingToolbarTakesItsSettingsInAnyOrder)
{
    {
        // 倾斜 before 字号.
        auto view = windowtesting::viewOfBankMovie(u"06/8"_s);
        playSteps(*view, 1);
        EXPECT_TRUE(view->performThroughUi(u"toolbar:倾斜"_s));
        EXPECT_TRUE(view->performThroughUi(u"toolbar:字号=36"_s));
        EXPECT_TRUE(view->session().isComplete());
        const SlideFont& font = view->session().presentation().slides[0].bodyFont;
        EXPECT_TRUE(font.italic);
        EXPECT_EQ(font.size, 36);
    }
    {
        // 字号, 加粗 and only then 字体: the 格式 toolbar's way of 格式 → 字体.
        auto view = windowtesting::viewOfBankMovie(u"01/3"_s);
        playSteps(*view, 2);
        EXPECT_TRUE(view->performThroughUi(u"toolbar:字号=44"_s));
        EXPECT_TRUE(view->performThroughUi(u"toolbar:加粗"_s));
        EXPECT_TRUE(view->performThroughUi(u"toolbar:字体=黑体"_s));
        EXPECT_TRUE(view->session().isComplete());
        const SlideFont& font = view->session().presentation().slides[0].titleFont;
        EXPECT_EQ(font.family, u"黑体"_s);
        EXPECT_TRUE(font.bold);
    }
}

TEST(StepState, ATablesBorderColourComesBeforeOrAfterItsWidth)
{
    auto view = windowtesting::viewOfBankMovie(u"10/22"_s);
    playSteps(*view, 2);
    // The colour first: the hint follows the colour's steps once the learner has started them.
    EXPECT_TRUE(view->performThroughUi(u"toolbar:边框颜色/其他边框颜色(M)..."_s));
    EXPECT_TRUE(hint(*view).contains(u"深红"_s)) << hint(*view).toStdString();
    EXPECT_TRUE(view->performThroughUi(u"dialog:颜色/标准颜色=深红"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:颜色/确定"_s));
    EXPECT_TRUE(hint(*view).contains(u"边框宽度"_s)) << hint(*view).toStdString();
    // 框线 applies them only once both are chosen.
    const Presentation before = view->session().presentation();
    EXPECT_FALSE(view->performThroughUi(u"toolbar:框线/外侧框线(O)"_s));
    EXPECT_EQ(view->session().presentation(), before);
    EXPECT_TRUE(view->performThroughUi(u"toolbar:边框宽度=2.25 磅"_s));
    EXPECT_TRUE(view->performThroughUi(u"toolbar:框线/外侧框线(O)"_s));
    const SlideShape& table = view->session().presentation().slides[3].shapes[0];
    EXPECT_EQ(table.outerLine, u"#800000"_s);
}

TEST(StepState, AWrongChangeHasNoEffectWhileLookingAndBackingOutNeverBlock)
{
    auto view = windowtesting::viewOfBankMovie(u"12/34"_s);
    playSteps(*view, 4);
    // A value set and the dialog cancelled: the effect is as it was, and the task goes on.
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/声音=推动"_s));
    EXPECT_FALSE(view->performThroughUi(u"dialog:效果选项/取消"_s));
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_NE(firstEffect(*view, 4).sound, u"推动"_s);
    // The page turned to and back, the dialog opened again: the task goes on from there.
    playSteps(*view, 4);
    ASSERT_TRUE(view->session().dialog().has_value());
    view->performThroughUi(u"dialog:效果选项/标签=计时"_s);
    EXPECT_EQ(view->session().dialog()->tab, u"计时"_s);
    playSteps(*view, 10);
    EXPECT_TRUE(view->session().isComplete());

    // A size the task does not ask for changes nothing on the slide.
    auto font = windowtesting::viewOfBankMovie(u"06/8"_s);
    playSteps(*font, 1);
    const Presentation before = font->session().presentation();
    EXPECT_FALSE(font->performThroughUi(u"toolbar:字号=40"_s));
    EXPECT_EQ(font->session().presentation(), before);
}

TEST(StepState, AnotherSlideLookedAtBringsTheTasksSlideBackAsAStep)
{
    auto view = windowtesting::viewOfBankMovie(u"05/36"_s);
    playSteps(*view, 2);
    ASSERT_EQ(view->session().taskPane().name, u"自定义动画"_s);
    // The window goes to slide 2; the task's slide is wanted again before anything is done there.
    view->performThroughUi(u"thumb:2"_s);
    EXPECT_EQ(view->session().presentation().selected, 2);
    EXPECT_EQ(view->session().stepIndex(), 0);
    EXPECT_TRUE(hint(*view).contains(u"第4张"_s)) << hint(*view).toStdString();
    EXPECT_TRUE(view->performThroughUi(u"thumb:4"_s));
    // The pane stayed open: its step stays done.
    EXPECT_EQ(view->session().stepIndex(), 2);
    playSteps(*view, 7);
    EXPECT_TRUE(view->session().isComplete());

    // Once the task has changed something, another slide is not the task's to leave for.
    auto font = windowtesting::viewOfBankMovie(u"06/8"_s);
    playSteps(*font, 2);
    const int step = font->session().stepIndex();
    font->performThroughUi(u"thumb:2"_s);
    EXPECT_EQ(font->session().stepIndex(), step);
}

TEST(StepState, ARouteTheStemNamesIsTheOnlyOneThatTakesTheStep)
{
    // 利用“格式”工具栏…: Ctrl+I and 格式 → 字体 leave the subtitle as it is; the toolbar takes it.
    auto view = windowtesting::viewOfBankMovie(u"06/8"_s);
    playSteps(*view, 1);
    const Presentation before = view->session().presentation();
    EXPECT_FALSE(view->performThroughUi(u"key:Ctrl+I"_s));
    view->performThroughUi(u"menu:格式(O)/字体(F)..."_s);
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().presentation(), before);
    EXPECT_TRUE(view->performThroughUi(u"toolbar:倾斜"_s));
    EXPECT_TRUE(view->performThroughUi(u"toolbar:字号=36"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(StepState, OkRefusesASettingTheTaskDoesNotAskForOrAChoiceUndoneSince)
{
    {
        // 超链接到 → 幻灯片... → slide 5, then 超链接到 changed to 第一张幻灯片: 确定 does nothing, and the
        // hint asks for the slide again.
        auto view = windowtesting::viewOfBankMovie(u"10/25"_s);
        playSteps(*view, 7);
        ASSERT_EQ(view->session().dialog()->name, u"动作设置"_s);
        view->performThroughUi(u"dialog:动作设置/超链接到=第一张幻灯片"_s);
        for (int i = 7; i < 10; ++i)
            ASSERT_TRUE(
                view->performThroughUi(view->session().movie().steps[static_cast<size_t>(i)].accept.first()));
        EXPECT_FALSE(view->performThroughUi(u"dialog:动作设置/确定"_s));
        EXPECT_TRUE(view->session().dialog().has_value());
        EXPECT_FALSE(view->session().isComplete());
        EXPECT_EQ(view->session().currentStep(), &view->session().movie().steps[4]);
        playSteps(*view, 11);
        EXPECT_TRUE(view->session().isComplete());
    }
    {
        // 鼠标移过 is the task; an action left on the 单击鼠标 page would be a change it does not ask for.
        auto view = windowtesting::viewOfBankMovie(u"05/10"_s);
        playSteps(*view, 3);
        const QString was = view->session().dialog()->value(u"单击鼠标时的动作"_s);
        view->performThroughUi(u"dialog:动作设置/单击鼠标时的动作=超链接到(H):"_s);
        // Ctrl+Tab turns to the next page.
        view->pressShortcut(u"Ctrl+Tab"_s);
        EXPECT_EQ(view->session().dialog()->tab, u"鼠标移过"_s);
        playSteps(*view, 6);
        EXPECT_FALSE(view->performThroughUi(u"dialog:动作设置/确定"_s));
        view->performThroughUi(u"dialog:动作设置/标签=单击鼠标"_s);
        view->performThroughUi(u"dialog:动作设置/单击鼠标时的动作="_s + was);
        EXPECT_TRUE(view->performThroughUi(u"dialog:动作设置/确定"_s));
        EXPECT_TRUE(view->session().isComplete());
    }
}

TEST(StepState, AnActionButtonsDialogBackedOutOfOpensAgainWhenItIsDrawnAgain)
{
    auto view = windowtesting::viewOfBankMovie(u"08/27"_s);
    playSteps(*view, 3);
    ASSERT_EQ(view->session().dialog()->name, u"动作设置"_s);
    view->performThroughUi(u"dialog:动作设置/取消"_s);
    EXPECT_FALSE(view->session().dialog().has_value());
    ASSERT_TRUE(view->session().drawingToolChosen());
    ASSERT_TRUE(view->performThroughUi(u"draw:slide"_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"动作设置"_s);
    playSteps(*view, 7);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(StepState, ABulletsColourMayComeBeforeItsCharacter)
{
    auto view = windowtesting::viewOfBankMovie(u"04/23"_s);
    playSteps(*view, 3);
    EXPECT_TRUE(view->performThroughUi(u"dialog:项目符号和编号/项目符号颜色=其他颜色(M)..."_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:颜色/标准颜色=深蓝"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:颜色/确定"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:项目符号和编号/项目符号=✓"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:项目符号和编号/确定"_s));
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().presentation().slides[2].bullets.color, u"#000080"_s);
}

TEST(StepState, TheSlideAlreadyChosenIsNoStepToTake)
{
    // Slide 2 first, then the 审阅 toolbar: its buttons act on slide 2 without a second click on it.
    auto view = windowtesting::viewOfBankMovie(u"07/19"_s);
    view->performThroughUi(u"thumb:2"_s);
    EXPECT_EQ(view->session().presentation().selected, 2);
    EXPECT_TRUE(view->performThroughUi(u"menu:视图(V)/工具栏(T)/审阅"_s));
    EXPECT_EQ(view->session().stepIndex(), 2);
    EXPECT_TRUE(view->performThroughUi(u"toolbar:下一项"_s));
    EXPECT_TRUE(view->performThroughUi(u"toolbar:删除批注"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(StepState, APaneOpenedBeforeItsObjectIsChosenAndAnObjectAlreadySelectedCount)
{
    // 自定义动画 opened first, the picture clicked after: the pane's command is no step to repeat.
    auto view = windowtesting::viewOfBankMovie(u"04/35"_s);
    playSteps(*view, 1);
    EXPECT_FALSE(view->performThroughUi(u"menu:幻灯片放映(D)/自定义动画(M)..."_s));
    EXPECT_EQ(view->session().presentation().taskpane, u"自定义动画"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    EXPECT_TRUE(view->performThroughUi(u"click:shape:1"_s));
    EXPECT_EQ(view->session().stepIndex(), 3);
    EXPECT_TRUE(hint(*view).contains(u"添加效果"_s)) << hint(*view).toStdString();
    playSteps(*view, 6);
    EXPECT_TRUE(view->session().isComplete());

    // Opened on the first slide, before the task's slide is chosen: the pane stays, and counts.
    auto early = windowtesting::viewOfBankMovie(u"08/34"_s);
    early->performThroughUi(u"menu:幻灯片放映(D)/自定义动画(M)..."_s);
    playSteps(*early, 2);
    EXPECT_EQ(early->session().stepIndex(), 3);
    playSteps(*early, 6);
    EXPECT_TRUE(early->session().isComplete());

    // A table just inserted is selected: its fill colour is the next thing to do.
    auto table = windowtesting::viewOfBankMovie(u"08/25"_s);
    playSteps(*table, 5);
    EXPECT_EQ(table->session().stepIndex(), 6);
    EXPECT_TRUE(table->performThroughUi(u"toolbar:表格填充颜色/其他填充颜色(M)..."_s));
    ASSERT_TRUE(table->session().dialog().has_value());
    EXPECT_EQ(table->session().dialog()->name, u"颜色"_s);
}

TEST(StepState, TheHandoutsHeaderMayComeBeforeItsLayout)
{
    auto view = windowtesting::viewOfBankMovie(u"11/31"_s);
    playSteps(*view, 1);
    const auto& steps = view->session().movie().steps;
    for (size_t i = 2; i < steps.size(); ++i) {
        if (!view->session().steps().isDone(StepTaking{-1, static_cast<int>(i)})) {
            EXPECT_TRUE(view->performThroughUi(steps[i].accept.first())) << "step " << i + 1;
        }
    }
    EXPECT_FALSE(view->session().isComplete());
    EXPECT_TRUE(view->performThroughUi(u"toolbar:显示每页 9 张幻灯片的讲义"_s));
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().presentation().notesFooters.header, u"复习资料"_s);
}

TEST(StepState, PageDownAndTheArrowsGoFromSlideToSlide)
{
    auto view = windowtesting::viewOfBankMovie(u"07/19"_s);
    ASSERT_EQ(view->session().presentation().selected, 1);
    QTest::keyClick(view.get(), Qt::Key_PageDown);
    EXPECT_EQ(view->session().presentation().selected, 2);
    // On past the task's slide and back: the task's slide is chosen again by the key.
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_EQ(view->session().presentation().selected, 3);
    QTest::keyClick(view.get(), Qt::Key_End);
    QTest::keyClick(view.get(), Qt::Key_Home);
    EXPECT_EQ(view->session().presentation().selected, 1);
    QTest::keyClick(view.get(), Qt::Key_PageUp);
    EXPECT_EQ(view->session().presentation().selected, 1);
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_EQ(view->session().presentation().selected, 2);
    EXPECT_TRUE(view->performThroughUi(u"menu:视图(V)/工具栏(T)/审阅"_s));
    EXPECT_TRUE(view->performThroughUi(u"toolbar:下一项"_s));
    EXPECT_TRUE(view->performThroughUi(u"toolbar:删除批注"_s));
    EXPECT_TRUE(view->session().isComplete());
}
