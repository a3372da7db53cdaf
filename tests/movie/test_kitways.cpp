// The ways of the real PowerPoint 2003 that reach a command other than its
// menu, clicked through the window with the shipped kit.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::at;

namespace {

std::unique_ptr<KitView> viewOf(const QString& presentation, const QString& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": %1, "steps": [%2]})j"_s.arg(
            presentation, steps);
    return windowtesting::viewOfMovie(json);
}

const QString kTwoSlides =
    uR"j({"view": "normal", "slides": [{"layout": "标题幻灯片", "title": "产品"}, {"title": "要点", "body": ["一"]}]})j"_s;

} // namespace

TEST(KitWays, ShiftAndAViewButtonOpenTheMastersAndTheShowSettings)
{
    {
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:视图(V)/母版(M)/幻灯片母版(S)",
                                                                   "toolbar:Shift+普通视图(恢复窗格)"]})j"_s);
        // A plain click on the button stays in normal view.
        view->clickAt(at(*view, u"tb:普通视图(恢复窗格)"_s).center());
        EXPECT_EQ(view->session().stepIndex(), 0);
        view->clickAt(at(*view, u"tb:普通视图(恢复窗格)"_s).center(), Qt::LeftButton, false,
                      Qt::ShiftModifier);
        EXPECT_TRUE(view->session().isComplete());
        EXPECT_EQ(view->session().view().kind(), ViewKind::SlideMaster);
    }
    {
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:视图(V)/母版(M)/讲义母版(H)",
                                                                   "toolbar:Shift+幻灯片浏览视图"]})j"_s);
        ASSERT_TRUE(view->performThroughUi(u"toolbar:Shift+幻灯片浏览视图"_s));
        EXPECT_EQ(view->session().view().kind(), ViewKind::HandoutMaster);
    }
    {
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:幻灯片放映(D)/设置放映方式(S)...",
                                                   "toolbar:Shift+从当前幻灯片开始幻灯片放映(Shift+F5)"]},
                                          {"hint": "b", "accept": ["dialog:设置放映方式/确定"]})j"_s);
        view->clickAt(at(*view, u"tb:从当前幻灯片开始幻灯片放映(Shift+F5)"_s).center(), Qt::LeftButton, false,
                      Qt::ShiftModifier);
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->name, u"设置放映方式"_s);
        EXPECT_NE(view->session().view().kind(), ViewKind::Show);
    }
    // A button without a Shift meaning is not a way.
    EXPECT_FALSE(KitCatalog::instance().resolve(u"toolbar:Shift+新建"_s).ok());
}

TEST(KitWays, DoubleClickingAnAutoShapeOrAPlaceholderBorderOpensItsFormatDialog)
{
    {
        auto view = viewOf(uR"j({"slides": [{"title": "流程", "shapes": [
                                 {"type": "roundrect", "x": 100, "y": 200, "w": 200, "h": 100},
                                 {"type": "chart", "x": 400, "y": 200, "w": 200, "h": 150}]}]})j"_s,
                           uR"j({"hint": "a", "accept": ["menu:格式(O)/自选图形(O)...", "dblclick:shape:1"]},
                               {"hint": "b", "accept": ["dialog:设置自选图形格式/确定"]})j"_s);
        // A chart is no AutoShape: a double-click on it activates Graph, whose datasheet is no format dialog.
        view->clickAt(at(*view, u"shape:2"_s).center(), Qt::LeftButton, true);
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->name, u"数据表"_s);
        EXPECT_EQ(view->session().stepIndex(), 0);
        view->clickAt(at(*view, u"shape:1"_s).center(), Qt::LeftButton, true);
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->name, u"设置自选图形格式"_s);
        EXPECT_TRUE(view->performThroughUi(u"dialog:设置自选图形格式/确定"_s));
        EXPECT_TRUE(view->session().isComplete());
    }
    {
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["context:text/设置占位符格式(O)...",
                                                                   "dblclick:frame:title"]},
                                          {"hint": "b", "accept": ["dialog:设置占位符格式/标签=尺寸"]},
                                          {"hint": "c", "accept": ["dialog:设置占位符格式/确定"]})j"_s);
        // Inside the placeholder a double-click edits its text; on the border it opens the dialog.
        view->clickAt(at(*view, u"ph:title"_s).center(), Qt::LeftButton, true);
        EXPECT_FALSE(view->session().dialog().has_value());
        view->clickAt(at(*view, u"frame:title"_s).center(), Qt::LeftButton, true);
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->name, u"设置占位符格式"_s);
        // It has the pages of 设置自选图形格式.
        EXPECT_TRUE(view->performThroughUi(u"dialog:设置占位符格式/标签=尺寸"_s));
        EXPECT_TRUE(view->performThroughUi(u"dialog:设置占位符格式/确定"_s));
        EXPECT_TRUE(view->session().isComplete());
    }
}

TEST(KitWays, EnterInTheHelpSearchBoxRunsTheSearch)
{
    auto view = viewOf(uR"j({"taskpane": "PowerPoint 帮助", "slides": [{"title": "产品"}]})j"_s,
                       uR"j({"hint": "a", "accept": ["taskpane:PowerPoint 帮助/搜索=幻灯片切换"]},
                           {"hint": "b", "accept": ["taskpane:PowerPoint 帮助/开始搜索"]})j"_s);
    view->clickAt(at(*view, u"ctl:PowerPoint 帮助/搜索"_s).center());
    view->typeText(u"幻灯片切换"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitWays, InsertPictureAutoShapesShowsTheAutoShapesToolbar)
{
    auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:插入(I)/图片(P)/自选图形(A)"]},
                                      {"hint": "b", "accept": ["toolbar:基本形状/圆角矩形"]})j"_s);
    EXPECT_FALSE(view->locate(u"tb:基本形状"_s).has_value());
    ASSERT_TRUE(view->performThroughUi(u"menu:插入(I)/图片(P)/自选图形(A)"_s));
    EXPECT_TRUE(view->session().shownToolbars().contains(u"自选图形"_s));
    for (const QString& button : {u"线条"_s, u"连接符"_s, u"基本形状"_s, u"箭头总汇"_s, u"流程图"_s,
                                  u"星与旗帜"_s, u"标注"_s, u"动作按钮"_s, u"其他自选图形"_s})
        EXPECT_TRUE(view->locate(locators::button(button)).has_value()) << button.toStdString();
    EXPECT_TRUE(view->performThroughUi(u"toolbar:基本形状/圆角矩形"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitWays, TheInsertMenuOfTheSlideMasterViewInsertsANewTitleMaster)
{
    const QString step =
        uR"j({"hint": "a", "accept": ["toolbar:插入新标题母版", "menu:插入(I)/新标题母版(T)"]})j"_s;
    {
        auto view = viewOf(
            uR"j({"view": "slidemaster", "slides": [{"layout": "标题幻灯片", "title": "产品"}]})j"_s, step);
        view->clickAt(at(*view, u"menutitle:插入(I)"_s).center());
        // The master view's 插入 menu has the masters in place of 新幻灯片.
        EXPECT_FALSE(view->locate(u"menuitem:插入(I)/新幻灯片(N)..."_s).has_value());
        EXPECT_TRUE(view->locate(u"menuitem:插入(I)/新幻灯片母版(M)"_s).has_value());
        view->clickAt(at(*view, u"menuitem:插入(I)/新标题母版(T)"_s).center());
        EXPECT_TRUE(view->session().isComplete());
    }
    {
        // Normal view shows no master items, and the command is not there.
        auto view = viewOf(kTwoSlides, step);
        view->clickAt(at(*view, u"menutitle:插入(I)"_s).center());
        EXPECT_TRUE(view->locate(u"menuitem:插入(I)/新幻灯片(N)..."_s).has_value());
        EXPECT_FALSE(view->locate(u"menuitem:插入(I)/新标题母版(T)"_s).has_value());
        EXPECT_FALSE(view->session().perform(u"menu:插入(I)/新标题母版(T)"_s));
    }
}

TEST(KitWays, DoubleClickingAListItemChoosesItAndPressesTheButtonWhereTheRealDialogDoes)
{
    {
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:插入(I)/图片(P)/艺术字(W)..."]},
                                          {"hint": "b", "accept": ["dialog:艺术字库/样式=第1行第3列"]},
                                          {"hint": "c", "accept": ["dialog:艺术字库/确定"]})j"_s);
        ASSERT_TRUE(view->performThroughUi(u"menu:插入(I)/图片(P)/艺术字(W)..."_s));
        const QPoint item = at(*view, u"item:艺术字库/样式/第1行第3列"_s).center();
        view->clickAt(item);
        view->clickAt(item, Qt::LeftButton, true);
        EXPECT_TRUE(view->session().isComplete());
    }
    {
        // 字体's lists take no double-click: the dialog stays open.
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:格式(O)/字体(F)..."]},
                                          {"hint": "b", "accept": ["dialog:字体/字号=20"]},
                                          {"hint": "c", "accept": ["dialog:字体/确定"]})j"_s);
        ASSERT_TRUE(view->performThroughUi(u"menu:格式(O)/字体(F)..."_s));
        const QPoint item = at(*view, u"item:字体/字号/20"_s).center();
        view->clickAt(item);
        view->clickAt(item, Qt::LeftButton, true);
        EXPECT_EQ(view->session().stepIndex(), 2);
        EXPECT_TRUE(view->session().dialog().has_value());
    }
}

TEST(KitWays, TheFormattingToolbarIsAnotherWayOfTheFontDialog)
{
    const QString steps = uR"j({"hint": "a", "accept": ["click:title"]},
        {"hint": "单击“格式”菜单中的“字体”命令。", "accept": ["menu:格式(O)/字体(F)...", "key:Ctrl+T"],
         "ways": [{"name": "格式工具栏", "replaces": 4, "steps": [
           {"hint": "在“字体”框中选择“黑体”。", "accept": ["toolbar:字体=黑体"], "set": {"titleFont": {"family": "黑体"}}},
           {"hint": "在“字号”框中选择“28”。", "accept": ["toolbar:字号=28"], "set": {"titleFont": {"size": 28}}}]}]},
        {"hint": "c", "accept": ["dialog:字体/中文字体=黑体"]},
        {"hint": "d", "accept": ["dialog:字体/字号=28"]},
        {"hint": "e", "accept": ["dialog:字体/确定"], "set": {"titleFont": {"family": "黑体", "size": 28}}})j"_s;
    {
        auto view = viewOf(kTwoSlides, steps);
        ASSERT_TRUE(view->performThroughUi(u"click:title"_s));
        // Until the learner takes another way, the hint points along the first.
        EXPECT_EQ(view->nextTargetLocator(), u"menutitle:格式(O)"_s);
        view->clickAt(at(*view, u"tbarrow:字体"_s).center());
        view->clickAt(at(*view, u"drop:黑体"_s).center());
        EXPECT_EQ(view->session().steps().way(), 0);
        EXPECT_EQ(view->session().presentation().slides[0].titleFont.family, u"黑体"_s);
        EXPECT_EQ(view->nextTargetLocator(), u"tbarrow:字号"_s);
        // The dialog's way is closed now.
        view->pressShortcut(u"Ctrl+T"_s);
        EXPECT_FALSE(view->session().dialog().has_value());
        ASSERT_TRUE(view->performThroughUi(u"toolbar:字号=28"_s));
        EXPECT_TRUE(view->session().isComplete());
        EXPECT_EQ(view->session().presentation().slides[0].titleFont.size, 28);
    }
    {
        // The demonstration keeps to the first way: it goes through the dialog.
        auto view = viewOf(kTwoSlides, steps);
        bool dialogShown = false, wayTaken = false;
        view->session().setChangeListener([&] {
            dialogShown = dialogShown || view->session().dialog().has_value();
            wayTaken = wayTaken || view->session().steps().way() >= 0;
        });
        view->startDemonstration();
        QTRY_VERIFY_WITH_TIMEOUT(!view->demonstration().isRunning(), 10000);
        EXPECT_TRUE(view->session().isComplete());
        EXPECT_TRUE(dialogShown);
        EXPECT_FALSE(wayTaken);
        EXPECT_EQ(view->demonstration().shortcuts(), 0);
    }
}

TEST(KitWays, TheFormatMenuAndTheContextMenusNameWhatIsSelected)
{
    const QString slides = uR"j({"view": "normal", "slides": [{"title": "产品", "body": ["一"], "shapes": [
        {"type": "roundrect", "x": 40, "y": 380, "w": 100, "h": 60},
        {"type": "picture", "x": 200, "y": 380, "w": 100, "h": 60},
        {"type": "wordart", "x": 360, "y": 380, "w": 100, "h": 60, "text": "欢迎"},
        {"type": "textbox", "x": 520, "y": 380, "w": 100, "h": 60, "text": "说明"}]}]})j"_s;
    auto view = viewOf(slides, uR"j({"hint": "a", "accept": ["menu:格式(O)/占位符(O)..."]})j"_s);
    const QString format = u"格式(O)"_s;
    // The last item of the 格式 menu for each kind of selection.
    auto lastItem = [&]() -> QString {
        view->clickAt(at(*view, locators::menuTitle(format)).center());
        QString shown;
        for (const QString& item : {u"占位符(O)..."_s, u"自选图形(O)..."_s, u"图片(I)..."_s,
                                    u"艺术字(O)..."_s, u"文本框(O)..."_s, u"对象(O)..."_s}) {
            if (view->locate(locators::menuItem({format, item})))
                shown += (shown.isEmpty() ? QString() : u" "_s) + item;
        }
        view->pressShortcut(u"Escape"_s);
        return shown;
    };
    EXPECT_EQ(lastItem(), u"对象(O)..."_s);
    EXPECT_EQ(view->session().selectionKind(), u"nothing"_s);
    // With nothing selected it is there but does nothing.
    view->clickAt(at(*view, locators::menuTitle(format)).center());
    view->clickAt(at(*view, locators::menuItem({format, u"对象(O)..."_s})).center());
    EXPECT_TRUE(view->locate(locators::menuItem({format, u"对象(O)..."_s})).has_value());
    view->pressShortcut(u"Escape"_s);

    const std::pair<QString, QString> kinds[] = {{locators::shape(1), u"自选图形(O)..."_s},
                                                 {locators::shape(2), u"图片(I)..."_s},
                                                 {locators::shape(3), u"艺术字(O)..."_s},
                                                 {locators::shape(4), u"文本框(O)..."_s}};
    for (const auto& [object, item] : kinds) {
        view->clickAt(at(*view, object).center());
        EXPECT_EQ(view->selectedObject(), object);
        EXPECT_EQ(lastItem(), item) << object.toStdString();
        // The task's placeholder command is not there for another selection.
        EXPECT_FALSE(view->session().perform(u"menu:格式(O)/占位符(O)..."_s));
    }
    // Each object's context menu names it.
    const std::pair<QString, QString> contexts[] = {
        {locators::shape(1), u"设置自选图形格式(O)..."_s},
        {locators::shape(2), u"设置图片格式(O)..."_s},
        {locators::shape(3), u"设置艺术字格式(O)..."_s},
        {locators::shape(4), u"设置文本框格式(O)..."_s},
        {locators::placeholder(u"title"_s), u"设置占位符格式(O)..."_s}};
    for (const auto& [object, item] : contexts) {
        view->clickAt(at(*view, object).center(), Qt::RightButton);
        EXPECT_TRUE(view->locate(locators::contextItem({item})).has_value()) << item.toStdString();
        view->pressShortcut(u"Escape"_s);
    }
    // A click on the title (or its border) selects the placeholder.
    view->clickAt(at(*view, locators::frame(u"title"_s)).center());
    EXPECT_EQ(lastItem(), u"占位符(O)..."_s);
    ASSERT_TRUE(view->performThroughUi(u"menu:格式(O)/占位符(O)..."_s));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"设置占位符格式"_s);
}

TEST(KitWays, AShapeJustDrawnIsSelectedForTheFormatMenu)
{
    auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:插入(I)/图片(P)/自选图形(A)"]},
        {"hint": "b", "accept": ["toolbar:基本形状/圆角矩形"],
            "set": {"addShape": {"type": "roundrect", "x": 100, "y": 100, "w": 200, "h": 100}}},
        {"hint": "c", "accept": ["menu:格式(O)/自选图形(O)..."]})j"_s);
    ASSERT_TRUE(view->performThroughUi(u"menu:插入(I)/图片(P)/自选图形(A)"_s));
    EXPECT_EQ(view->session().selectionKind(), u"nothing"_s);
    ASSERT_TRUE(view->performThroughUi(u"toolbar:基本形状/圆角矩形"_s));
    EXPECT_EQ(view->session().selectionKind(), u"autoshape"_s);
    EXPECT_EQ(view->selectedObject(), locators::shape(1));
    EXPECT_TRUE(view->session().accepts(u"menu:格式(O)/自选图形(O)..."_s));
    // Another slide lets it go: the command is not on the menu there.
    view->clickAt(at(*view, locators::thumb(2)).center());
    EXPECT_EQ(view->session().selectionKind(), u"nothing"_s);
    EXPECT_FALSE(view->performThroughUi(u"menu:格式(O)/自选图形(O)..."_s));
    // Back on its slide, it is selected again by a click on it.
    view->clickAt(at(*view, locators::thumb(1)).center());
    EXPECT_EQ(view->session().selectionKind(), u"nothing"_s);
    view->clickAt(at(*view, locators::shape(1)).center());
    EXPECT_TRUE(view->performThroughUi(u"menu:格式(O)/自选图形(O)..."_s));
}

TEST(KitWays, TheActionButtonsArePalettesOfIconsNamedByTheirTooltips)
{
    auto view = viewOf(kTwoSlides,
                       uR"j({"hint": "a", "accept": ["menu:幻灯片放映(D)/动作按钮(I)/动作按钮: 前进或下一项",
                                                     "toolbar:自选图形/动作按钮(I)/动作按钮: 前进或下一项"]},
                           {"hint": "b", "accept": ["dialog:动作设置/确定"]})j"_s);
    const QStringList menu{u"幻灯片放映(D)"_s, u"动作按钮(I)"_s};
    view->clickAt(at(*view, locators::menuTitle(menu[0])).center());
    view->clickAt(at(*view, locators::menuItem(menu)).center());
    // Twelve cells of one size in rows of four, each as wide as it is high.
    std::vector<QRect> cells;
    for (const QString& name :
         {u"自定义"_s, u"第一张"_s, u"帮助"_s, u"信息"_s, u"后退或前一项"_s, u"前进或下一项"_s, u"开始"_s,
          u"结束"_s, u"上一张"_s, u"文档"_s, u"声音"_s, u"影片"_s})
        cells.push_back(at(*view, locators::menuItem(menu + QStringList{u"动作按钮: "_s + name})));
    ASSERT_EQ(cells.size(), 12u);
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i].size(), cells[0].size());
        EXPECT_EQ(cells[i].width(), cells[i].height());
        EXPECT_EQ(cells[i].top(), cells[i / 4 * 4].top()) << i;
        if (i % 4) {
            EXPECT_EQ(cells[i].left(), cells[i - 1].right() + 1) << i;
        }
    }
    EXPECT_LT(cells[0].width(), 40);
    // The name comes as the tooltip.
    QHelpEvent help(QEvent::ToolTip, cells[5].center(), view->mapToGlobal(cells[5].center()));
    QApplication::sendEvent(view.get(), &help);
    EXPECT_EQ(QToolTip::text(), u"动作按钮: 前进或下一项"_s);
    QToolTip::hideText();
    view->clickAt(cells[5].center());
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"动作设置"_s);

    // The 绘图 toolbar's 自选图形 → 动作按钮 is the same palette; a step naming a
    // button by its text is clicked there too.
    auto other = viewOf(kTwoSlides,
                        uR"j({"hint": "a", "accept": ["toolbar:自选图形/动作按钮(I)/动作按钮: 开始"]})j"_s);
    ASSERT_TRUE(other->performThroughUi(u"toolbar:自选图形/动作按钮(I)/动作按钮: 开始"_s));
    EXPECT_TRUE(other->session().isComplete());
}

TEST(KitWays, AddEffectDropsDownItsEffectsInCascadingMenus)
{
    const QString pane = u"自定义动画"_s, button = u"添加效果"_s;
    auto view = viewOf(uR"j({"taskpane": "自定义动画", "slides": [{"title": "产品"}]})j"_s,
                       uR"j({"hint": "a", "accept": ["click:title"]},
                           {"hint": "b", "accept": ["taskpane:自定义动画/添加效果"]},
                           {"hint": "c", "accept": ["taskpane:自定义动画/退出=棋盘"],
                            "set": {"animation": "棋盘"}})j"_s);
    // The effects are not boxes of the pane: they are in the button's menu.
    EXPECT_FALSE(view->locate(locators::control(pane, u"进入"_s)).has_value());
    ASSERT_TRUE(view->performThroughUi(u"click:title"_s));
    view->clickAt(at(*view, locators::control(pane, button)).center());
    EXPECT_EQ(view->session().stepIndex(), 2);
    for (const QString& submenu : {u"进入(E)"_s, u"强调(M)"_s, u"退出(X)"_s, u"动作路径(P)"_s})
        EXPECT_TRUE(view->locate(locators::paneItem({pane, button, submenu})).has_value())
            << submenu.toStdString();
    // Each submenu lists the effects used last, numbered, then 其他效果.
    view->clickAt(at(*view, locators::paneItem({pane, button, u"退出(X)"_s})).center());
    EXPECT_TRUE(view->locate(locators::paneItem({pane, button, u"退出(X)"_s, u"1. 百叶窗"_s})).has_value());
    EXPECT_TRUE(
        view->locate(locators::paneItem({pane, button, u"退出(X)"_s, u"其他效果(M)..."_s})).has_value());
    EXPECT_EQ(view->nextTargetLocator(), locators::paneItem({pane, button, u"退出(X)"_s, u"3. 棋盘"_s}));
    // Another effect changes nothing and closes the menu; the button opens it again.
    view->clickAt(at(*view, locators::paneItem({pane, button, u"退出(X)"_s, u"1. 百叶窗"_s})).center());
    EXPECT_EQ(view->session().stepIndex(), 2);
    EXPECT_FALSE(view->locate(locators::paneItem({pane, button, u"退出(X)"_s})).has_value());
    EXPECT_EQ(view->nextTargetLocator(), locators::control(pane, button));
    ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/退出=棋盘"_s));
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().presentation().slides[0].animation, u"棋盘"_s);
}

TEST(KitWays, AnEffectOfTheAddEffectMenuIsAlsoPickedThroughItsDialogAndTheOtherWayRound)
{
    const QString slides = uR"j({"taskpane": "自定义动画", "slides": [{"title": "产品"}]})j"_s;
    const QString pane = u"自定义动画"_s, button = u"添加效果"_s;
    const QString throughTheDialog = uR"j({"hint": "a", "accept": ["click:title"]},
        {"hint": "b", "accept": ["taskpane:自定义动画/添加效果"]},
        {"hint": "c", "accept": ["taskpane:自定义动画/进入=其他效果(M)..."]},
        {"hint": "d", "accept": ["dialog:添加进入效果/效果=%1"]},
        {"hint": "e", "accept": ["dialog:添加进入效果/确定"], "set": {"animation": "%1"}})j"_s;
    {
        // The menu lists 飞入: picking it there takes the dialog's three steps.
        auto view = viewOf(slides, throughTheDialog.arg(u"飞入"_s));
        ASSERT_EQ(view->session().movie().ways.size(), 1u);
        EXPECT_EQ(view->session().movie().ways[0].from, 2);
        EXPECT_EQ(view->session().movie().ways[0].count, 3);
        ASSERT_TRUE(view->performThroughUi(u"click:title"_s));
        view->clickAt(at(*view, locators::control(pane, button)).center());
        view->clickAt(at(*view, locators::paneItem({pane, button, u"进入(E)"_s})).center());
        view->clickAt(at(*view, locators::paneItem({pane, button, u"进入(E)"_s, u"5. 飞入"_s})).center());
        EXPECT_TRUE(view->session().isComplete());
        EXPECT_EQ(view->session().presentation().slides[0].animation, u"飞入"_s);
        EXPECT_TRUE(verifyMovie(view->session().movie(), KitCatalog::instance()).ok());
    }
    {
        // 向内溶解 is only in the dialog: there is no other way.
        auto view = viewOf(slides, throughTheDialog.arg(u"向内溶解"_s));
        EXPECT_TRUE(view->session().movie().ways.empty());
    }
    {
        // A movie that picks 菱形 in the menu takes 其他效果, the dialog's 菱形 and 确定.
        auto view = viewOf(slides, uR"j({"hint": "a", "accept": ["click:title"]},
            {"hint": "b", "accept": ["taskpane:自定义动画/添加效果"]},
            {"hint": "c", "accept": ["taskpane:自定义动画/进入=菱形"], "set": {"addEffect": {"target": "title", "effect": "菱形"}}},
            {"hint": "d", "accept": ["taskpane:自定义动画/速度=慢速"], "set": {"changeEffect": {"index": 1, "speed": "慢速"}}})j"_s);
        ASSERT_TRUE(view->performThroughUi(u"click:title"_s));
        ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/添加效果"_s));
        ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/进入=其他效果(M)..."_s));
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().steps().way(), 0);
        // The hint now names the dialog's steps.
        EXPECT_EQ(view->session().currentStep()->hint, u"在“添加进入效果”对话框中单击“菱形”。"_s);
        EXPECT_EQ(view->nextTargetLocator(), locators::item(u"添加进入效果"_s, u"效果"_s, u"菱形"_s));
        ASSERT_TRUE(view->performThroughUi(u"dialog:添加进入效果/效果=菱形"_s));
        ASSERT_TRUE(view->performThroughUi(u"dialog:添加进入效果/确定"_s));
        ASSERT_EQ(view->session().presentation().slides[0].effects.size(), 1U);
        EXPECT_EQ(view->session().presentation().slides[0].effects[0].effect, u"菱形"_s);
        EXPECT_EQ(view->session().stepIndex(), 3);
        ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/速度=慢速"_s));
        EXPECT_TRUE(view->session().isComplete());
    }
}

TEST(KitWays, AnObjectMovedInTheStackingOrderStaysSelected)
{
    const QString threeShapes = uR"j({"view": "normal", "slides": [{"title": "层次", "shapes": [
        {"type": "rect", "x": 60, "y": 150, "w": 120, "h": 80}, {"type": "oval", "x": 220, "y": 150, "w": 120, "h": 80},
        {"type": "rect", "x": 380, "y": 150, "w": 120, "h": 80}]}]})j"_s;
    auto view = viewOf(threeShapes, uR"j({"hint": "a", "accept": ["click:shape:1"]},
        {"hint": "b", "accept": ["toolbar:绘图/叠放次序(R)/置于顶层(T)"],
            "set": {"editShape": {"shape": 1, "order": "置于顶层"}}},
        {"hint": "c", "accept": ["toolbar:绘图/叠放次序(R)/下移一层(B)"],
            "set": {"editShape": {"shape": 3, "order": "下移一层"}}})j"_s);
    ASSERT_TRUE(view->performThroughUi(u"click:shape:1"_s));
    ASSERT_TRUE(view->performThroughUi(u"toolbar:绘图/叠放次序(R)/置于顶层(T)"_s));
    EXPECT_EQ(view->selectedObject(), locators::shape(3));
    EXPECT_EQ(view->session().presentation().slides[0].shapes[2].x, 60.0);
    ASSERT_TRUE(view->performThroughUi(u"toolbar:绘图/叠放次序(R)/下移一层(B)"_s));
    EXPECT_EQ(view->selectedObject(), locators::shape(2));
    EXPECT_EQ(view->session().presentation().slides[0].shapes[1].x, 60.0);
}

TEST(KitWays, TheToolbarListsTickTheToolbarsOnView)
{
    auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:视图(V)/母版(M)/幻灯片母版(S)"]},
        {"hint": "b", "accept": ["menu:视图(V)/工具栏(T)/审阅"]})j"_s);
    for (const QString& shown : {u"常用"_s, u"格式"_s, u"绘图"_s})
        EXPECT_TRUE(view->toolbarShown(shown)) << shown.toStdString();
    for (const QString& hidden : {u"审阅"_s, u"图片"_s, u"幻灯片母版视图"_s})
        EXPECT_FALSE(view->toolbarShown(hidden)) << hidden.toStdString();
    ASSERT_TRUE(view->performThroughUi(u"menu:视图(V)/母版(M)/幻灯片母版(S)"_s));
    EXPECT_TRUE(view->toolbarShown(u"幻灯片母版视图"_s));
    ASSERT_TRUE(view->performThroughUi(u"menu:视图(V)/工具栏(T)/审阅"_s));
    EXPECT_TRUE(view->toolbarShown(u"审阅"_s));
}
