// Microsoft Graph in place, driven through the window: a double-click on a chart turns the menus
// and toolbars into Graph's and floats the datasheet over the slide; a click outside leaves it.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "windowtesting.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::at;
using windowtesting::click;

namespace {

// One slide with a chart of its own data (a 2 × 2 sheet) at the left of the slide.
const QString chartSlide = uR"j({"layout": "空白",
    "shapes": [{"type": "chart", "x": 40, "y": 120, "w": 360, "h": 300,
                "data": {"categories": ["一月", "二月"],
                         "series": [{"name": "甲", "values": [3, 4.5]}, {"name": "乙", "values": [7, 8]}]}}]})j"_s;

// The cell A1 typed as 35: the chart's first value changes with it.
const QString cellStep = uR"j({"hint": "A1。", "accept": ["dialog:数据表/A1=35"],
    "set": {"slide": 1, "editShape": {"shape": 1, "data": {"categories": ["一月", "二月"],
            "series": [{"name": "甲", "values": [35, 4.5]}, {"name": "乙", "values": [7, 8]}]}}}})j"_s;

const QString doubleClickStep = uR"j({"hint": "双击图表。", "accept": ["dblclick:shape:1"]})j"_s;

std::unique_ptr<KitView> viewOf(const QString& steps, const QString& slides = chartSlide)
{
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1, "file": "销售",
            "presentation": {"view": "normal", "taskpane": null, "slides": [%2]}, "steps": [%1]})j"_s.arg(
        steps, slides);
    return windowtesting::viewOfMovie(json);
}

void doubleClickChart(KitView& view)
{
    const QPoint chart = at(view, locators::shape(1)).center();
    view.clickAt(chart);
    view.clickAt(chart, Qt::LeftButton, true);
}

// A point of the slide left of nothing: above the chart, inside the slide.
void clickBesideChart(KitView& view)
{
    const QRect chart = at(view, locators::shape(1));
    view.clickAt(QPoint(chart.center().x(), chart.top() - 20));
}

bool menuOnView(const KitView& view, const QString& title)
{
    return view.locate(locators::menuTitle(title)).has_value();
}

QString sheetValue(KitView& view, const QString& cell)
{
    const auto& d = view.session().dialog();
    return d && d->name == u"数据表"_s ? d->value(cell) : u"(no datasheet)"_s;
}

} // namespace

TEST(GraphInPlace, ADoubleClickOnAChartShowsGraphsMenusToolbarsAndTheDatasheet)
{
    auto view = viewOf(doubleClickStep + u","_s + cellStep);
    EXPECT_TRUE(menuOnView(*view, u"幻灯片放映(D)"_s));
    doubleClickChart(*view);
    EXPECT_EQ(view->session().stepIndex(), 1);
    // Graph's menu bar: 数据 and 图表 in place of 幻灯片放映; 文件 and 窗口 stay PowerPoint's.
    EXPECT_TRUE(menuOnView(*view, u"数据(D)"_s));
    EXPECT_TRUE(menuOnView(*view, u"图表(C)"_s));
    EXPECT_FALSE(menuOnView(*view, u"幻灯片放映(D)"_s));
    EXPECT_TRUE(menuOnView(*view, u"文件(F)"_s));
    // Graph's toolbars in place of PowerPoint's 常用 and 格式.
    EXPECT_TRUE(view->locate(locators::button(u"查看数据表"_s)));
    EXPECT_TRUE(view->locate(locators::button(u"按列"_s)));
    EXPECT_TRUE(view->locate(locators::button(u"图表对象"_s)));
    EXPECT_FALSE(view->locate(locators::button(u"新幻灯片"_s)));
    // The datasheet, at once, with the chart's own data rather than Graph's sample.
    EXPECT_EQ(sheetValue(*view, u"A列标题"_s), u"一月"_s);
    EXPECT_EQ(sheetValue(*view, u"2行标题"_s), u"乙"_s);
    EXPECT_EQ(sheetValue(*view, u"B1"_s), u"4.5"_s);
    EXPECT_EQ(sheetValue(*view, u"C1"_s), u""_s);
    EXPECT_EQ(sheetValue(*view, u"3行标题"_s), u""_s);
    // It floats over the slide: the toolbars and menus stay within reach, and its cells take typing.
    click(*view, locators::menuTitle(u"数据(D)"_s));
    EXPECT_TRUE(view->locate(locators::menuItem({u"数据(D)"_s, u"系列产生在列(C)"_s})));
    QTest::keyClick(view.get(), Qt::Key_Escape);
    click(*view, u"ctl:数据表/A1"_s);
    view->typeText(u"35"_s);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().selectedSlide().shapes[0].data.series[0].values[0], 35);
}

TEST(GraphInPlace, TheDatasheetButtonHidesAndShowsTheDatasheet)
{
    auto view = viewOf(doubleClickStep + u","_s + cellStep);
    doubleClickChart(*view);
    ASSERT_EQ(sheetValue(*view, u"A1"_s), u"3"_s);
    click(*view, locators::button(u"查看数据表"_s));
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_TRUE(menuOnView(*view, u"数据(D)"_s));
    EXPECT_FALSE(view->locate(u"ctl:数据表/A1"_s));
    // Shown again, it holds the chart's data.
    click(*view, locators::button(u"查看数据表"_s));
    EXPECT_EQ(sheetValue(*view, u"A1"_s), u"3"_s);
    // Hidden, the step waiting in it is still reached: the demonstration shows it first.
    click(*view, locators::dialogClose(u"数据表"_s));
    ASSERT_FALSE(view->session().dialog().has_value());
    EXPECT_TRUE(view->performThroughUi(u"dialog:数据表/A1=35"_s));
    EXPECT_TRUE(view->session().isComplete());
    // 视图 → 数据工作表 of Graph's menu bar hides it as well.
    click(*view, locators::menuTitle(u"视图(V)"_s));
    click(*view, locators::menuItem({u"视图(V)"_s, u"数据工作表(D)"_s}));
    EXPECT_FALSE(view->session().dialog().has_value());
}

TEST(GraphInPlace, AClickOutsideTheChartLeavesGraphAndTheChartKeepsItsEdit)
{
    auto view = viewOf(doubleClickStep + u","_s + cellStep);
    doubleClickChart(*view);
    click(*view, u"ctl:数据表/A1"_s);
    view->typeText(u"35"_s);
    ASSERT_TRUE(view->session().isComplete());
    clickBesideChart(*view);
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_TRUE(menuOnView(*view, u"幻灯片放映(D)"_s));
    EXPECT_FALSE(menuOnView(*view, u"数据(D)"_s));
    EXPECT_TRUE(view->locate(locators::button(u"新幻灯片"_s)));
    EXPECT_FALSE(view->locate(locators::button(u"查看数据表"_s)));
    EXPECT_EQ(view->session().selectedSlide().shapes[0].data.series[0].values[0], 35);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(GraphInPlace, AStepLeftWaitingInsideGraphIsReachedByANewDoubleClick)
{
    auto view = viewOf(doubleClickStep + u","_s + cellStep);
    doubleClickChart(*view);
    // Leaving by another slide's thumbnail or a click beside the chart takes no step back.
    clickBesideChart(*view);
    ASSERT_FALSE(menuOnView(*view, u"数据(D)"_s));
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().stepIndex(), 1);
    EXPECT_FALSE(view->session().accepts(u"dblclick:shape:1"_s));
    doubleClickChart(*view);
    EXPECT_TRUE(menuOnView(*view, u"数据(D)"_s));
    EXPECT_EQ(sheetValue(*view, u"A1"_s), u"3"_s);
    click(*view, u"ctl:数据表/A1"_s);
    view->typeText(u"35"_s);
    EXPECT_TRUE(view->session().isComplete());

    // The demonstration and the hint reach such a step by the double-click too.
    auto shown = viewOf(doubleClickStep + u","_s + cellStep);
    doubleClickChart(*shown);
    shown->clickAt(at(*shown, locators::thumb(1)).center());
    ASSERT_FALSE(menuOnView(*shown, u"数据(D)"_s));
    EXPECT_TRUE(shown->performThroughUi(u"dialog:数据表/A1=35"_s));
    EXPECT_TRUE(shown->session().isComplete());
}

TEST(GraphInPlace, GraphsChartTypeOpensOverTheDatasheetAndReturnsToIt)
{
    const QString steps = doubleClickStep + uR"j(,
        {"hint": "图表类型。", "accept": ["context:chart/图表类型(Y)..."]},
        {"hint": "饼图。", "accept": ["dialog:图表类型/图表类型=饼图"]},
        {"hint": "确定。", "accept": ["dialog:图表类型/确定"], "set": {"slide": 1, "editShape": {"shape": 1, "chart": "饼图"}}})j"_s;
    auto view = viewOf(steps);
    doubleClickChart(*view);
    view->clickAt(at(*view, locators::shape(1)).center(), Qt::RightButton);
    click(*view, locators::contextItem({u"图表类型(Y)..."_s}));
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"图表类型"_s);
    EXPECT_TRUE(view->performThroughUi(u"dialog:图表类型/图表类型=饼图"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:图表类型/确定"_s));
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(sheetValue(*view, u"A1"_s), u"3"_s);
    EXPECT_EQ(view->session().selectedSlide().shapes[0].chart, u"饼图"_s);
}

TEST(GraphInPlace, AChartJustInsertedOpensGraphWithTheSampleSheet)
{
    const QString steps = uR"j({"hint": "插入图表。", "accept": ["toolbar:插入图表"],
        "set": {"slide": 1, "addShape": {"type": "chart", "x": 110, "y": 150, "w": 500, "h": 330}}})j"_s;
    auto view = viewOf(steps, uR"j({"layout": "空白"})j"_s);
    click(*view, locators::button(u"插入图表"_s));
    ASSERT_TRUE(view->session().isComplete());
    EXPECT_TRUE(menuOnView(*view, u"数据(D)"_s));
    EXPECT_EQ(sheetValue(*view, u"1行标题"_s), u"东部"_s);
    EXPECT_EQ(sheetValue(*view, u"A1"_s), u"20.4"_s);
}

TEST(GraphInPlace, BankMoviesWithADatasheetPlayToTheEndByTheirWays)
{
    for (const QString& name : {u"04/26"_s, u"07/27"_s, u"10/23"_s, u"11/23"_s, u"12/22"_s}) {
        SCOPED_TRACE(name.toStdString());
        auto movie =
            loadMovieFile(QString::fromUtf8(DRILL_SOURCE_DIR) + u"/bank/movies/"_s + name + u".movie"_s);
        ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
        EXPECT_TRUE(verifyMovie(movie.value(), KitCatalog::instance()).ok());
        // Through the window as the demonstration plays it: the datasheet comes up with the double-click.
        EXPECT_TRUE(windowtesting::playsToTheEndThroughTheWindow(name));
        for (const auto& step : movie.value().steps)
            EXPECT_FALSE(step.accept.contains(u"toolbar:查看数据表"_s)) << "the datasheet is already shown";
    }
}
