// Dialogs whose lists the presentation fills (custom shows, 本文档中的位置), and
// the keyboard in dialogs: access keys of captions, Tab, Esc, Enter and the
// close box, clicked and typed through the simulated window.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::at;
using windowtesting::click;

namespace {

const QString kSlides = uR"j([{"layout": "标题幻灯片", "title": "年度报告"}, {"title": "收支概况"},
    {"title": "重点工作"}, {"title": "各季度收入对比"}, {"title": ""}])j"_s;

std::unique_ptr<KitView> viewOf(const QStringList& ways, const QString& slides = kSlides)
{
    QStringList steps;
    for (const QString& way : ways)
        steps << uR"j({"hint": "h", "accept": ["%1"]})j"_s.arg(way);
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1,
        "presentation": {"taskpane": null, "slides": %1}, "steps": [%2]})j"_s.arg(slides, steps.join(u','));
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    view->show();
    return view;
}

void doubleClick(KitView& view, const QString& locator)
{
    view.clickAt(at(view, locator).center());
    view.clickAt(at(view, locator).center(), Qt::LeftButton, true);
}

void press(KitView& view, int key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(&view, static_cast<Qt::Key>(key), modifiers);
}

QString dialogName(KitView& view)
{
    return view.session().dialog() ? view.session().dialog()->name : QString();
}

const QString kDefine = u"定义自定义放映"_s;
const QString kShows = u"自定义放映"_s;
const QString kInShow = u"在自定义放映中的幻灯片"_s;
const QString kSlideList = u"在演示文稿中的幻灯片"_s;

} // namespace

TEST(KitDialogKeys, CustomShowListsTheSlidesByTitleAndGathersTheChosenOnes)
{
    const QStringList ways{actions::menu({u"幻灯片放映(D)"_s, u"自定义放映(W)..."_s}),
                           actions::dialog(kShows, u"新建(N)..."_s),
                           actions::dialog(kDefine, u"幻灯片放映名称"_s, u"重点内容"_s),
                           actions::dialog(kDefine, kSlideList, u"2. 收支概况"_s),
                           actions::dialog(kDefine, u"添加(A) >>"_s),
                           actions::dialog(kDefine, kSlideList, u"3. 重点工作"_s),
                           actions::dialog(kDefine, u"添加(A) >>"_s),
                           actions::dialog(kDefine, kInShow, u"1. 收支概况"_s),
                           actions::dialog(kDefine, u"<< 删除(R)"_s),
                           actions::dialog(kDefine, kSlideList, u"5. 幻灯片 5"_s),
                           actions::dialog(kDefine, u"添加(A) >>"_s),
                           actions::dialog(kDefine, u"确定"_s),
                           actions::dialog(kShows, u"关闭"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    click(*view, locators::control(kShows, u"新建(N)..."_s));
    ASSERT_EQ(dialogName(*view), kDefine);
    // The name box has the focus, its text selected: typing replaces it.
    view->typeText(u"重点内容"_s);
    EXPECT_EQ(view->session().dialog()->value(u"幻灯片放映名称"_s), u"重点内容"_s);
    // This presentation's slides by number and title; an untitled one by its number.
    EXPECT_TRUE(view->locate(locators::item(kDefine, kSlideList, u"4. 各季度收入对比"_s)));
    EXPECT_FALSE(view->locate(locators::item(kDefine, kSlideList, u"2. 幻灯片 2"_s)));
    EXPECT_FALSE(view->locate(locators::item(kDefine, kSlideList, u"6. 幻灯片 6"_s)));
    click(*view, locators::item(kDefine, kSlideList, u"2. 收支概况"_s));
    click(*view, locators::control(kDefine, u"添加(A) >>"_s));
    EXPECT_TRUE(view->locate(locators::item(kDefine, kInShow, u"1. 收支概况"_s)));
    // A double-click adds as 添加 does; the show numbers its slides in its own order.
    doubleClick(*view, locators::item(kDefine, kSlideList, u"3. 重点工作"_s));
    EXPECT_TRUE(view->locate(locators::item(kDefine, kInShow, u"2. 重点工作"_s)));
    click(*view, locators::item(kDefine, kInShow, u"1. 收支概况"_s));
    click(*view, locators::control(kDefine, u"<< 删除(R)"_s));
    EXPECT_FALSE(view->locate(locators::item(kDefine, kInShow, u"2. 重点工作"_s)));
    EXPECT_TRUE(view->locate(locators::item(kDefine, kInShow, u"1. 重点工作"_s)));
    doubleClick(*view, locators::item(kDefine, kSlideList, u"5. 幻灯片 5"_s));
    EXPECT_TRUE(view->locate(locators::item(kDefine, kInShow, u"2. 幻灯片 5"_s)));
    click(*view, locators::control(kDefine, u"确定"_s));
    ASSERT_EQ(dialogName(*view), kShows);
    EXPECT_TRUE(view->locate(locators::item(kShows, kShows, u"重点内容"_s)));
    // The title bar's close box closes it as 关闭 does.
    click(*view, locators::dialogClose(kShows));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogKeys, MoveUpAndDownReorderTheShowAndKeepTheMovedSlideChosen)
{
    const QStringList ways{actions::menu({u"幻灯片放映(D)"_s, u"自定义放映(W)..."_s}),
                           actions::dialog(kShows, u"新建(N)..."_s),
                           actions::dialog(kDefine, kSlideList, u"2. 收支概况"_s),
                           actions::dialog(kDefine, u"添加(A) >>"_s),
                           actions::dialog(kDefine, kSlideList, u"3. 重点工作"_s),
                           actions::dialog(kDefine, u"添加(A) >>"_s),
                           actions::dialog(kDefine, kSlideList, u"4. 各季度收入对比"_s),
                           actions::dialog(kDefine, u"添加(A) >>"_s),
                           actions::dialog(kDefine, kInShow, u"3. 各季度收入对比"_s),
                           actions::dialog(kDefine, u"上移"_s),
                           actions::dialog(kDefine, u"上移"_s),
                           actions::dialog(kDefine, u"上移"_s),
                           actions::dialog(kDefine, kInShow, u"2. 收支概况"_s),
                           actions::dialog(kDefine, u"下移"_s),
                           actions::dialog(kDefine, u"下移"_s)};
    auto view = viewOf(ways);
    for (const QString& way : ways)
        ASSERT_TRUE(view->performThroughUi(way)) << way.toStdString();
    const FormState& d = *view->session().dialog();
    // 各季度收入对比 went to the top (a third 上移 there does nothing), 收支概况 to the bottom.
    EXPECT_EQ(view->session().itemsOf(*view->session().kit().dialog(kDefine)->control(kInShow), d),
              (QStringList{u"1. 各季度收入对比"_s, u"2. 重点工作"_s, u"3. 收支概况"_s}));
    EXPECT_EQ(d.value(kInShow), u"3. 收支概况"_s);
}

TEST(KitDialogKeys, AnItemNoSlideHasIsRefused)
{
    const QStringList ways{actions::menu({u"幻灯片放映(D)"_s, u"自定义放映(W)..."_s}),
                           actions::dialog(kShows, u"新建(N)..."_s),
                           actions::dialog(kDefine, kSlideList, u"6. 幻灯片 6"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    ASSERT_TRUE(view->performThroughUi(ways[1]));
    EXPECT_FALSE(view->session().perform(ways[2]));
    // A movie that names it cannot be played through.
    EXPECT_EQ(verifyMovie(view->session().movie(), KitCatalog::instance()).ok(), false);
}

TEST(KitDialogKeys, HyperlinkPlacesListThisPresentationsSlides)
{
    const QStringList ways{actions::key(u"Ctrl+K"_s),
                           actions::dialog(u"插入超链接"_s, u"标签"_s, u"本文档中的位置(A)"_s),
                           actions::dialog(u"插入超链接"_s, u"文档中的位置"_s, u"4. 各季度收入对比"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    ASSERT_TRUE(view->performThroughUi(ways[1]));
    EXPECT_FALSE(view->locate(locators::item(u"插入超链接"_s, u"文档中的位置"_s, u"4. 幻灯片 4"_s)));
    click(*view, locators::item(u"插入超链接"_s, u"文档中的位置"_s, u"4. 各季度收入对比"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogKeys, EscClosesADialogWhoseOnlyWayOutIsClose)
{
    const QStringList ways{actions::menu({u"幻灯片放映(D)"_s, u"自定义放映(W)..."_s}),
                           actions::dialog(kShows, u"关闭"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    press(*view, Qt::Key_Escape);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogKeys, CaptionsAccessKeysTabAndTheUnitOfSpinArrows)
{
    const QString d = u"行距"_s;
    const QStringList ways{actions::thumb(2),
                           actions::click(u"body"_s),
                           actions::menu({u"格式(O)"_s, u"行距(S)..."_s}),
                           actions::dialog(d, u"行距"_s, u"30"_s),
                           actions::dialog(d, u"段前"_s, u"0.4"_s),
                           actions::dialog(d, u"段后单位"_s, u"磅"_s),
                           actions::dialog(d, u"段后"_s, u"3"_s),
                           actions::dialog(d, u"确定"_s)};
    auto view = viewOf(ways);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(view->performThroughUi(ways[i])) << i;
    // Alt and the letter of a group's caption put the focus in its box.
    press(*view, Qt::Key_S, Qt::AltModifier);
    view->typeText(u"30"_s);
    EXPECT_EQ(view->session().dialog()->value(d), u"30"_s);
    // In 行 the arrows step by tenths.
    click(*view, locators::spinUp(d, u"段前"_s));
    click(*view, locators::spinUp(d, u"段前"_s));
    EXPECT_EQ(view->session().dialog()->value(u"段前"_s), u"0.4"_s);
    ASSERT_TRUE(view->performThroughUi(ways[5]));
    // Tab goes on from 段前 to 段后; a value no step asks for stays in the box.
    press(*view, Qt::Key_B, Qt::AltModifier);
    press(*view, Qt::Key_Tab);
    view->typeText(u"2"_s);
    // In 磅 they step by whole points, from the value typed.
    click(*view, locators::spinUp(d, u"段后"_s));
    EXPECT_EQ(view->session().dialog()->value(u"段后"_s), u"3"_s);
    press(*view, Qt::Key_Return);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogKeys, EnterPressesTheDefaultButton)
{
    const QString d = u"页眉和页脚"_s;
    const QStringList ways{actions::menu({u"视图(V)"_s, u"页眉和页脚(H)..."_s}),
                           actions::dialog(d, u"全部应用(Y)"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    press(*view, Qt::Key_Return);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogKeys, AccessKeyOfTheNameCaptionAndShiftTab)
{
    const QStringList ways{actions::menu({u"幻灯片放映(D)"_s, u"自定义放映(W)..."_s}),
                           actions::dialog(kShows, u"新建(N)..."_s),
                           actions::dialog(kDefine, u"幻灯片放映名称"_s, u"精简版"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    ASSERT_TRUE(view->performThroughUi(ways[1]));
    // Shift+Tab leaves the name box (it is the only box: it comes back to it), Alt+N returns to it.
    press(*view, Qt::Key_Backtab, Qt::ShiftModifier);
    press(*view, Qt::Key_N, Qt::AltModifier);
    view->typeText(u"精简版"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitDialogKeys, CtrlClickChoosesSeveralSlidesAndOneAddTakesThemInOrder)
{
    const auto show = [](const QStringList& order) {
        QStringList ways{actions::menu({u"幻灯片放映(D)"_s, u"自定义放映(W)..."_s}),
                         actions::dialog(kShows, u"新建(N)..."_s)};
        for (const QString& slide : order)
            ways << actions::dialog(kDefine, kSlideList, slide) << actions::dialog(kDefine, u"添加(A) >>"_s);
        return ways;
    };
    const QStringList slides{u"1. 年度报告"_s, u"3. 重点工作"_s, u"5. 幻灯片 5"_s};
    const auto chooseAndAdd = [&](KitView& view) {
        click(view, locators::item(kDefine, kSlideList, slides[0]));
        // Chosen from the bottom up: 添加 still adds them in the list's order.
        view.clickAt(at(view, locators::item(kDefine, kSlideList, slides[2])).center(), Qt::LeftButton, false,
                     Qt::ControlModifier);
        view.clickAt(at(view, locators::item(kDefine, kSlideList, slides[1])).center(), Qt::LeftButton, false,
                     Qt::ControlModifier);
        click(view, locators::control(kDefine, u"添加(A) >>"_s));
    };
    auto view = viewOf(show(slides));
    ASSERT_TRUE(view->performThroughUi(show(slides)[0]));
    ASSERT_TRUE(view->performThroughUi(show(slides)[1]));
    chooseAndAdd(*view);
    EXPECT_TRUE(view->session().isComplete());
    // Where the task adds them in another order, the one 添加 is refused and adds nothing.
    const QStringList otherOrder{slides[0], slides[2], slides[1]};
    auto refused = viewOf(show(otherOrder));
    ASSERT_TRUE(refused->performThroughUi(show(otherOrder)[0]));
    ASSERT_TRUE(refused->performThroughUi(show(otherOrder)[1]));
    chooseAndAdd(*refused);
    EXPECT_EQ(refused->session().stepIndex(), 3);
    EXPECT_FALSE(refused->locate(locators::item(kDefine, kInShow, u"1. 年度报告"_s)));
}

TEST(KitDialogKeys, AnOpenListTakesTheArrowsHomeEndAndEnterAndLeavesTheDialogOpen)
{
    const QString d = u"字体"_s;
    const QString box = u"中文字体"_s;
    const QStringList ways{actions::menu({u"格式(O)"_s, u"字体(F)..."_s}), actions::dialog(d, u"确定"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    const QStringList faces = KitCatalog::instance().dialog(d)->control(box)->items;
    ASSERT_GT(faces.size(), 14) << "a list longer than the rows it shows";
    const int first = static_cast<int>(faces.indexOf(view->session().dialog()->value(box)));
    ASSERT_GE(first, 0);
    ASSERT_LT(first, faces.size() - 1);

    // Down lights the face after the box's value; Enter chooses it and only closes the list.
    click(*view, locators::controlArrow(d, box));
    ASSERT_TRUE(view->locate(locators::drop(faces[first])).has_value());
    press(*view, Qt::Key_Down);
    press(*view, Qt::Key_Return);
    EXPECT_EQ(dialogName(*view), d) << "Enter in an open list pressed the dialog's 确定";
    EXPECT_EQ(view->session().dialog()->value(box), faces[first + 1]);
    EXPECT_FALSE(view->locate(locators::drop(faces[first + 1])).has_value()) << "the list stayed open";

    // End goes to the last face, scrolled into view; Home back to the first; Up stays there.
    click(*view, locators::controlArrow(d, box));
    press(*view, Qt::Key_End);
    EXPECT_TRUE(view->locate(locators::drop(faces.last())).has_value());
    press(*view, Qt::Key_Home);
    press(*view, Qt::Key_Up);
    EXPECT_TRUE(view->locate(locators::drop(faces.first())).has_value());
    press(*view, Qt::Key_Return);
    EXPECT_EQ(view->session().dialog()->value(box), faces.first());

    // PageDown moves a page of rows; Esc leaves the list and the value as they were.
    click(*view, locators::controlArrow(d, box));
    press(*view, Qt::Key_PageDown);
    press(*view, Qt::Key_Escape);
    EXPECT_EQ(dialogName(*view), d);
    EXPECT_EQ(view->session().dialog()->value(box), faces.first());
}

TEST(KitDialogKeys, InsertTableOpensWithTheFocusInColumnsSoTheSizesAreTyped)
{
    const QString d = u"插入表格"_s;
    const QStringList ways{actions::menu({u"插入(I)"_s, u"表格(B)..."_s}),
                           actions::dialog(d, u"列数"_s, u"3"_s), actions::dialog(d, u"行数"_s, u"4"_s),
                           actions::dialog(d, u"确定"_s)};
    auto view = viewOf(ways);
    ASSERT_TRUE(view->performThroughUi(ways[0]));
    ASSERT_EQ(dialogName(*view), d);
    // The first key replaces the value selected in 列数; Tab goes on to 行数.
    view->typeText(u"3"_s);
    press(*view, Qt::Key_Tab);
    view->typeText(u"4"_s);
    press(*view, Qt::Key_Return);
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_TRUE(view->session().isComplete());
}
