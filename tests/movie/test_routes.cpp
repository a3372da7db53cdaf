// The other routes PowerPoint 2003 takes to the state a step asks for, driven through the
// window as a learner takes them: clicks on what is on view, keys and typing.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// Slide 1 holds a picture, a WordArt, a chart, a movie and a rectangle; slide 2 a title and text.
std::unique_ptr<KitView> viewOf(const QString& steps, const QString& taskpane = u"null"_s)
{
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1, "file": "年度总结",
            "presentation": {"view": "normal", "taskpane": %2,
            "slides": [{"layout": "空白",
                        "shapes": [{"type": "picture", "x": 40, "y": 40, "w": 160, "h": 120},
                                   {"type": "wordart", "x": 260, "y": 40, "w": 200, "h": 80, "text": "欢迎"},
                                   {"type": "chart", "x": 40, "y": 260, "w": 240, "h": 180},
                                   {"type": "movie", "x": 320, "y": 260, "w": 160, "h": 120, "text": "宣传片.avi"},
                                   {"type": "rect", "x": 540, "y": 260, "w": 120, "h": 80}]},
            {"title": "主要工作", "body": ["年度市场", "研发"]}]}, "steps": [%1]})j"_s.arg(steps, taskpane);
    return windowtesting::viewOfMovie(json);
}

void click(KitView& view, const QString& locator, Qt::MouseButton button = Qt::LeftButton)
{
    const auto at = view.locate(locator);
    ASSERT_TRUE(at.has_value()) << "not on view: " << locator.toStdString();
    QTest::mouseClick(&view, button, {}, at->center());
}

void doubleClick(KitView& view, const QString& locator)
{
    const auto at = view.locate(locator);
    ASSERT_TRUE(at.has_value()) << "not on view: " << locator.toStdString();
    // The first click, then the second, as a double-click arrives.
    view.clickAt(at->center());
    view.clickAt(at->center(), Qt::LeftButton, true);
}

void chooseMenu(KitView& view, const QStringList& path)
{
    click(view, locators::menuTitle(path.first()));
    for (qsizetype i = 1; i < path.size(); ++i)
        click(view, locators::menuItem(path.mid(0, i + 1)));
}

QString dialogName(KitView& view)
{
    return view.session().dialog() ? view.session().dialog()->name : QString();
}

const QString designSteps = uR"j({"hint": "设计。", "accept": ["toolbar:设计"]},
         {"hint": "Kimono。", "accept": ["taskpane:幻灯片设计/应用设计模板=Kimono.pot"], "set": {"design": "Kimono.pot"}})j"_s;

} // namespace

TEST(PaneRoutes, TheDesignPaneOpensByTheMenuAsByTheButton)
{
    auto view = viewOf(designSteps);
    chooseMenu(*view, {u"格式(O)"_s, u"幻灯片设计(D)..."_s});
    EXPECT_EQ(view->session().presentation().taskpane, u"幻灯片设计"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    ASSERT_TRUE(view->performThroughUi(u"taskpane:幻灯片设计/应用设计模板=Kimono.pot"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(PaneRoutes, TheTaskPanesTitleListTurnsToThePaneAStepWants)
{
    auto view = viewOf(designSteps, u"\"开始工作\""_s);
    click(*view, locators::paneTitle());
    click(*view, locators::contextItem({u"幻灯片设计"_s}));
    EXPECT_EQ(view->session().presentation().taskpane, u"幻灯片设计"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
}

TEST(PaneRoutes, TheTitleListOpensTheDesignPaneOnItsColourSchemesPage)
{
    const QString steps = uR"j({"hint": "设计。", "accept": ["toolbar:设计"]},
        {"hint": "配色方案。", "accept": ["taskpane:幻灯片设计/配色方案"]},
        {"hint": "方案。", "accept": ["taskpane:幻灯片设计 - 配色方案/应用配色方案=第3行第2列"]})j"_s;
    const QString page = u"幻灯片设计 - 配色方案"_s;
    // The design pane shown: the list's page takes the step its 配色方案 link takes.
    auto view = viewOf(steps, u"\"开始工作\""_s);
    click(*view, locators::button(u"设计"_s));
    ASSERT_EQ(view->session().stepIndex(), 1);
    click(*view, locators::paneTitle());
    click(*view, locators::contextItem({page}));
    EXPECT_EQ(view->session().presentation().taskpane, page);
    EXPECT_EQ(view->session().stepIndex(), 2);
    ASSERT_TRUE(view->performThroughUi(u"taskpane:幻灯片设计 - 配色方案/应用配色方案=第3行第2列"_s));
    EXPECT_TRUE(view->session().isComplete());

    // From another pane while the step wants the design pane: it opens on that page, both steps taken.
    auto early = viewOf(steps, u"\"开始工作\""_s);
    click(*early, locators::paneTitle());
    click(*early, locators::contextItem({page}));
    EXPECT_EQ(early->session().presentation().taskpane, page);
    EXPECT_EQ(early->session().stepIndex(), 2);
}

TEST(PaneRoutes, TheButtonTakesTheStepOfTheMenuAndAPaneOpenedEarlyCountsWhenItsStepComes)
{
    const QString steps = uR"j({"hint": "h", "accept": ["thumb:2"]},
                          {"hint": "设计。", "accept": ["menu:格式(O)/幻灯片设计(D)..."]})j"_s;
    auto view = viewOf(steps);
    click(*view, locators::thumb(2));
    click(*view, locators::button(u"设计"_s));
    EXPECT_EQ(view->session().presentation().taskpane, u"幻灯片设计"_s);
    EXPECT_TRUE(view->session().isComplete());

    // Too early, the pane shows all the same (it changes nothing) and is no step to take again.
    auto early = viewOf(steps);
    click(*early, locators::button(u"设计"_s));
    EXPECT_EQ(early->session().presentation().taskpane, u"幻灯片设计"_s);
    EXPECT_EQ(early->session().stepIndex(), 0);
    click(*early, locators::thumb(2));
    EXPECT_TRUE(early->session().isComplete());
}

TEST(FindRoutes, FindTurnsIntoReplaceKeepingWhatWasTyped)
{
    const QString steps = uR"j({"hint": "替换。", "accept": ["menu:编辑(E)/替换(E)..."]},
             {"hint": "年度。", "accept": ["dialog:替换/查找内容=年度"]},
             {"hint": "年终。", "accept": ["dialog:替换/替换为=年终"]},
             {"hint": "全部替换。", "accept": ["dialog:替换/全部替换(A)"]})j"_s;
    // Typed into 查找 first, then 替换(R)...: the words come along, and their step is done.
    auto view = viewOf(steps);
    chooseMenu(*view, {u"编辑(E)"_s, u"查找(F)..."_s});
    ASSERT_EQ(dialogName(*view), u"查找"_s);
    view->typeText(u"年度"_s);
    click(*view, locators::control(u"查找"_s, u"替换(R)..."_s));
    ASSERT_EQ(dialogName(*view), u"替换"_s);
    EXPECT_EQ(view->session().dialog()->value(u"查找内容"_s), u"年度"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
    click(*view, locators::control(u"替换"_s, u"替换为"_s));
    view->typeText(u"年终"_s);
    click(*view, locators::control(u"替换"_s, u"全部替换(A)"_s));
    EXPECT_TRUE(view->session().isComplete());

    // 替换(R)... first, then typed into 替换.
    auto other = viewOf(steps);
    chooseMenu(*other, {u"编辑(E)"_s, u"查找(F)..."_s});
    click(*other, locators::control(u"查找"_s, u"替换(R)..."_s));
    ASSERT_EQ(dialogName(*other), u"替换"_s);
    other->typeText(u"年度"_s);
    EXPECT_EQ(other->session().stepIndex(), 2);
}

TEST(FileDialogRoutes, ANameTypedAndEnterOpensTheFileAsADoubleClickDoes)
{
    auto view = viewOf(uR"j({"hint": "打开。", "accept": ["menu:文件(F)/打开(O)..."]},
                          {"hint": "文件。", "accept": ["dialog:打开/文件=培训计划.ppt"]},
                          {"hint": "打开。", "accept": ["dialog:打开/打开(O)"], "set": {"file": "培训计划"}})j"_s);
    chooseMenu(*view, {u"文件(F)"_s, u"打开(O)..."_s});
    ASSERT_EQ(dialogName(*view), u"打开"_s);
    // A name the folder does not hold: the dialog stays, as PowerPoint's warning keeps it.
    view->typeText(u"培训.ppt"_s);
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(dialogName(*view), u"打开"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    click(*view, locators::control(u"打开"_s, u"文件名"_s));
    view->typeText(u"培训计划.ppt"_s);
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().presentation().file, u"培训计划"_s);
}

TEST(FileDialogRoutes, AFileClickedIsNamedInTheNameBoxAndAFolderIsNot)
{
    const QString d = u"插入图片"_s;
    auto view = viewOf(uR"j({"hint": "图片。", "accept": ["menu:插入(I)/图片(P)/来自文件(F)..."]},
        {"hint": "标志。", "accept": ["dialog:插入图片/文件=标志.jpg"]},
        {"hint": "插入。", "accept": ["dialog:插入图片/插入(S)"],
         "set": {"addShape": {"type": "picture", "x": 500, "y": 40, "w": 100, "h": 80}}})j"_s);
    chooseMenu(*view, {u"插入(I)"_s, u"图片(P)"_s, u"来自文件(F)..."_s});
    ASSERT_EQ(dialogName(*view), d);
    click(*view, locators::item(d, u"文件"_s, u"我的图片"_s));
    EXPECT_EQ(view->session().dialog()->value(u"文件名"_s), QString());
    click(*view, locators::item(d, u"文件"_s, u"风景.jpg"_s));
    EXPECT_EQ(view->session().dialog()->value(u"文件名"_s), u"风景.jpg"_s);
    click(*view, locators::item(d, u"文件"_s, u"标志.jpg"_s));
    EXPECT_EQ(view->session().dialog()->value(u"文件名"_s), u"标志.jpg"_s);
    click(*view, locators::control(d, u"插入(S)"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(FileDialogRoutes, EnterInsertsThePictureOrMovieNamedAndSavesUnderTheNameTyped)
{
    auto picture = viewOf(uR"j({"hint": "图片。", "accept": ["menu:插入(I)/图片(P)/来自文件(F)..."]},
        {"hint": "标志。", "accept": ["dialog:插入图片/文件=标志.jpg"]},
        {"hint": "插入。", "accept": ["dialog:插入图片/插入(S)"],
         "set": {"addShape": {"type": "picture", "x": 500, "y": 40, "w": 100, "h": 80}}})j"_s);
    chooseMenu(*picture, {u"插入(I)"_s, u"图片(P)"_s, u"来自文件(F)..."_s});
    ASSERT_EQ(dialogName(*picture), u"插入图片"_s);
    // The name without its extension names the file too, as Windows finds it.
    picture->typeText(u"标志"_s);
    QTest::keyClick(picture.get(), Qt::Key_Return);
    EXPECT_TRUE(picture->session().isComplete());

    auto movie = viewOf(uR"j({"hint": "影片。", "accept": ["menu:插入(I)/影片和声音(V)/文件中的影片(I)..."]},
        {"hint": "宣传片。", "accept": ["dialog:插入影片/文件=宣传片.avi"]},
        {"hint": "确定。", "accept": ["dialog:插入影片/确定"]})j"_s);
    chooseMenu(*movie, {u"插入(I)"_s, u"影片和声音(V)"_s, u"文件中的影片(I)..."_s});
    ASSERT_EQ(dialogName(*movie), u"插入影片"_s);
    movie->typeText(u"宣传片.avi"_s);
    QTest::keyClick(movie.get(), Qt::Key_Return);
    EXPECT_EQ(movie->session().stepIndex(), 3);

    auto save = viewOf(uR"j({"hint": "另存为。", "accept": ["menu:文件(F)/另存为(A)..."]},
        {"hint": "名称。", "accept": ["dialog:另存为/文件名=会议纪要"]},
        {"hint": "保存。", "accept": ["dialog:另存为/保存(S)"]})j"_s);
    chooseMenu(*save, {u"文件(F)"_s, u"另存为(A)..."_s});
    ASSERT_EQ(dialogName(*save), u"另存为"_s);
    save->typeText(u"会议纪要"_s);
    QTest::keyClick(save.get(), Qt::Key_Return);
    EXPECT_FALSE(save->session().dialog().has_value());
    EXPECT_TRUE(save->session().isComplete());
    EXPECT_EQ(save->session().presentation().file, u"会议纪要"_s);
}

TEST(ToolbarRoutes, TheFloatingAutoShapesToolbarDrawsTheShapeTheDrawingToolbarsMenuDraws)
{
    auto view = viewOf(uR"j({"hint": "椭圆。", "accept": ["toolbar:自选图形/基本形状(B)/椭圆"]},
        {"hint": "画。", "accept": ["draw:slide"],
         "set": {"addShape": {"type": "ellipse", "x": 500, "y": 60, "w": 100, "h": 80}}})j"_s);
    chooseMenu(*view, {u"插入(I)"_s, u"图片(P)"_s, u"自选图形(A)"_s});
    EXPECT_TRUE(view->session().shownToolbars().contains(u"自选图形"_s));
    ASSERT_TRUE(view->locate(locators::button(u"基本形状"_s)).has_value());
    EXPECT_EQ(view->session().stepIndex(), 0);
    ASSERT_TRUE(view->performThroughUi(u"toolbar:基本形状/椭圆"_s));
    EXPECT_TRUE(view->session().drawingToolChosen());
    EXPECT_EQ(view->session().stepIndex(), 1);
}

TEST(WindowMenu, ListsTheOpenPresentationWithACheck)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["thumb:2"]})j"_s);
    click(*view, locators::menuTitle(u"窗口(W)"_s));
    EXPECT_TRUE(view->locate(locators::menuItem({u"窗口(W)"_s, u"1 年度总结"_s})).has_value());
}

TEST(MovieObject, EditMenusMovieObjectIsReachedOnlyWithAMovieSelected)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["click:shape:4"]},
                          {"hint": "h", "accept": ["context:movie/编辑影片对象(O)..."]},
                          {"hint": "h", "accept": ["dialog:影片选项/确定"]})j"_s);
    const QStringList path{u"编辑(E)"_s, u"影片 对象(O)"_s, u"编辑影片对象(E)..."_s};
    click(*view, locators::shape(4));
    chooseMenu(*view, path);
    EXPECT_EQ(dialogName(*view), u"影片选项"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
}

TEST(DoubleClickRoutes, APictureAndAWordArtOpenTheirDialogs)
{
    auto picture = viewOf(uR"j({"hint": "h", "accept": ["click:shape:1"]},
                             {"hint": "h", "accept": ["context:picture/设置图片格式(O)..."]},
                             {"hint": "h", "accept": ["dialog:设置图片格式/确定"]})j"_s);
    doubleClick(*picture, locators::shape(1));
    EXPECT_EQ(dialogName(*picture), u"设置图片格式"_s);
    EXPECT_EQ(picture->session().stepIndex(), 2);

    auto wordart = viewOf(uR"j({"hint": "h", "accept": ["click:shape:2"]},
                             {"hint": "h", "accept": ["context:wordart/编辑文字(X)..."]},
                             {"hint": "h", "accept": ["dialog:编辑“艺术字”文字/确定"]})j"_s);
    doubleClick(*wordart, locators::shape(2));
    ASSERT_EQ(dialogName(*wordart), u"编辑“艺术字”文字"_s);
    EXPECT_EQ(wordart->session().stepIndex(), 2);
    // It opens on the WordArt's own words.
    EXPECT_EQ(wordart->session().dialog()->value(u"文字"_s), u"欢迎"_s);
}

namespace {

// The rectangle's format painted onto the picture, then onto the WordArt.
const QString paintingSteps = uR"j({"hint": "矩形。", "accept": ["click:shape:5"]},
         {"hint": "格式刷。", "accept": ["toolbar:格式刷"]},
         {"hint": "图片。", "accept": ["click:shape:1"], "set": {"editShape": {"shape": 1, "line": "#FF0000"}}},
         {"hint": "艺术字。", "accept": ["click:shape:2"], "set": {"editShape": {"shape": 2, "line": "#FF0000"}}})j"_s;

} // namespace

TEST(FormatPainter, AClickPaintsOnceAndTheNextClickOnlySelects)
{
    auto view = viewOf(paintingSteps);
    click(*view, locators::shape(5));
    click(*view, locators::button(u"格式刷"_s));
    EXPECT_TRUE(view->session().painterTaken());
    click(*view, locators::shape(1));
    EXPECT_EQ(view->session().stepIndex(), 3);
    EXPECT_FALSE(view->session().painterTaken());
    // The painter is put down: the WordArt is only selected.
    click(*view, locators::shape(2));
    EXPECT_EQ(view->session().stepIndex(), 3);
    EXPECT_EQ(view->session().selectedObject(), u"shape:2"_s);
    // Taken up again, it paints.
    click(*view, locators::button(u"格式刷"_s));
    click(*view, locators::shape(2));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(FormatPainter, ADoubleClickHoldsItUntilEscOrAnotherClickOnTheButton)
{
    auto view = viewOf(paintingSteps);
    click(*view, locators::shape(5));
    doubleClick(*view, locators::button(u"格式刷"_s));
    click(*view, locators::shape(1));
    click(*view, locators::shape(2));
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_TRUE(view->session().painterTaken());
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->session().painterTaken());

    auto other = viewOf(paintingSteps);
    click(*other, locators::shape(5));
    doubleClick(*other, locators::button(u"格式刷"_s));
    ASSERT_TRUE(other->session().painterTaken());
    click(*other, locators::button(u"格式刷"_s));
    EXPECT_FALSE(other->session().painterTaken());
    // Put down before any stroke: a click on the picture only selects it.
    click(*other, locators::shape(1));
    EXPECT_EQ(other->session().stepIndex(), 2);
}

TEST(FormatPainter, TheDemonstrationDoubleClicksForSeveralStrokes)
{
    auto view = viewOf(paintingSteps);
    MovieSession& session = view->session();
    while (!session.isComplete())
        ASSERT_TRUE(view->performThroughUi(session.nextAction())) << session.nextAction().toStdString();
    EXPECT_TRUE(session.painterTaken());
}
