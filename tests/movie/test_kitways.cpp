// The ways of the real PowerPoint 2003 that reach a command other than its
// menu, clicked through the window with the shipped kit.
#include "movie/kitcatalog.h"
#include "movie/moviesession.h"
#include "movie/widgets/kitview.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

std::unique_ptr<KitView> viewOf(const QString& presentation, const QString& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": %1, "steps": [%2]})j"_s.arg(
            presentation, steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    return view;
}

QRect at(const KitView& view, const QString& locator)
{
    auto r = view.locate(locator);
    EXPECT_TRUE(r.has_value()) << "not on view: " << locator.toStdString();
    return r.value_or(QRect(-10, -10, 1, 1));
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
        EXPECT_EQ(view->session().view(), u"slidemaster"_s);
    }
    {
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:视图(V)/母版(M)/讲义母版(H)",
                                                                   "toolbar:Shift+幻灯片浏览视图"]})j"_s);
        ASSERT_TRUE(view->performThroughUi(u"toolbar:Shift+幻灯片浏览视图"_s));
        EXPECT_EQ(view->session().view(), u"handoutmaster"_s);
    }
    {
        auto view = viewOf(kTwoSlides, uR"j({"hint": "a", "accept": ["menu:幻灯片放映(D)/设置放映方式(S)...",
                                                   "toolbar:Shift+从当前幻灯片开始幻灯片放映(Shift+F5)"]},
                                          {"hint": "b", "accept": ["dialog:设置放映方式/确定"]})j"_s);
        view->clickAt(at(*view, u"tb:从当前幻灯片开始幻灯片放映(Shift+F5)"_s).center(), Qt::LeftButton, false,
                      Qt::ShiftModifier);
        ASSERT_TRUE(view->session().dialog().has_value());
        EXPECT_EQ(view->session().dialog()->name, u"设置放映方式"_s);
        EXPECT_NE(view->session().view(), u"show"_s);
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
        // A chart is no AutoShape: a double-click on it opens no dialog.
        view->clickAt(at(*view, u"shape:2"_s).center(), Qt::LeftButton, true);
        EXPECT_FALSE(view->session().dialog().has_value());
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
        EXPECT_TRUE(view->locate(u"tb:"_s + button).has_value()) << button.toStdString();
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
