// What the window shows and takes as PowerPoint 2003 does, whatever the task: the status bar
// in every view, and a command greyed until there is something for it to act on.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/chromepart.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/window/panelplacement.h"
#include "tests/movie/windowtesting.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

std::unique_ptr<KitView> viewOf(const QString& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal", "taskpane": null,
            "slides": [{"layout": "标题幻灯片", "title": "年度总结", "subtitle": "2026年",
                        "shapes": [{"type": "rect", "x": 500, "y": 380, "w": 120, "h": 80},
                                   {"type": "ellipse", "x": 60, "y": 380, "w": 120, "h": 80, "text": "重点"}]},
            {"title": "主要工作", "body": ["市场", "研发"]}, {"title": "下一步"}]}, "steps": [%1]})j"_s.arg(
            steps);
    return windowtesting::viewOfMovie(json);
}

void click(KitView& view, const QString& locator, Qt::MouseButton button = Qt::LeftButton)
{
    const auto at = view.locate(locator);
    ASSERT_TRUE(at.has_value()) << "not on view: " << locator.toStdString();
    QTest::mouseClick(&view, button, {}, at->center());
}

void chooseMenu(KitView& view, const QStringList& path)
{
    click(view, locators::menuTitle(path.first()));
    for (qsizetype i = 1; i < path.size(); ++i)
        click(view, locators::menuItem(path.mid(0, i + 1)));
}

} // namespace

TEST(StatusBar, SaysWhichSlideOrWhichMasterIsShown)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["thumb:3"]})j"_s);
    EXPECT_EQ(statusBarPlace(view->session()), u"幻灯片 1 / 3"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"幻灯片母版(S)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"幻灯片母版"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"讲义母版(H)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"讲义母版"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"备注母版(N)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"备注母版"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"备注页(T)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"备注 1 / 3"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"幻灯片浏览(D)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"幻灯片浏览"_s);
}

TEST(Menus, ActionSettingsIsGreyedUntilAnObjectIsSelected)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["menu:幻灯片放映(D)/动作设置(A)..."]},
                          {"hint": "h", "accept": ["dialog:动作设置/确定"]})j"_s);
    // Nothing selected: the command is shown greyed and does nothing.
    chooseMenu(*view, {u"幻灯片放映(D)"_s, u"动作设置(A)..."_s});
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().stepIndex(), 0);
    EXPECT_FALSE(view->session().accepts(u"menu:幻灯片放映(D)/动作设置(A)..."_s) &&
                 view->session().perform(u"menu:幻灯片放映(D)/动作设置(A)..."_s));
    QTest::keyClick(view.get(), Qt::Key_Escape);

    // With the rectangle selected it opens 动作设置.
    click(*view, locators::shape(1));
    chooseMenu(*view, {u"幻灯片放映(D)"_s, u"动作设置(A)..."_s});
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"动作设置"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
}

TEST(Dialogs, PortraitSlidesInPageSetupSwapTheWidthAndHeight)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["menu:文件(F)/页面设置(U)..."]},
                          {"hint": "h", "accept": ["dialog:页面设置/幻灯片方向=纵向(P)"]},
                          {"hint": "h", "accept": ["dialog:页面设置/幻灯片方向=横向(L)"]},
                          {"hint": "h", "accept": ["dialog:页面设置/确定"]})j"_s);
    chooseMenu(*view, {u"文件(F)"_s, u"页面设置(U)..."_s});
    ASSERT_TRUE(view->session().dialog().has_value());
    const FormState& page = *view->session().dialog();
    EXPECT_EQ(page.value(u"宽度"_s), u"25.4"_s);
    EXPECT_EQ(page.value(u"高度"_s), u"19.05"_s);
    click(*view, locators::item(u"页面设置"_s, u"幻灯片方向"_s, u"纵向(P)"_s));
    EXPECT_EQ(view->session().dialog()->value(u"宽度"_s), u"19.05"_s);
    EXPECT_EQ(view->session().dialog()->value(u"高度"_s), u"25.4"_s);
    click(*view, locators::item(u"页面设置"_s, u"幻灯片方向"_s, u"横向(L)"_s));
    EXPECT_EQ(view->session().dialog()->value(u"宽度"_s), u"25.4"_s);
    EXPECT_EQ(view->session().dialog()->value(u"高度"_s), u"19.05"_s);
}

TEST(Menus, AShapeHoldingTextOffersToEditItsTextNotToAddText)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["thumb:3"]})j"_s);
    const QString add = locators::contextItem({u"添加文本(X)"_s});
    const QString edit = locators::contextItem({u"编辑文本(X)"_s});
    click(*view, locators::shape(1), Qt::RightButton);
    EXPECT_TRUE(view->locate(add).has_value());
    EXPECT_FALSE(view->locate(edit).has_value());
    QTest::keyClick(view.get(), Qt::Key_Escape);

    click(*view, locators::shape(2), Qt::RightButton);
    EXPECT_FALSE(view->locate(add).has_value());
    ASSERT_TRUE(view->locate(edit).has_value());
    click(*view, edit);
    EXPECT_EQ(view->session().typingObject(), u"shape:2"_s);
    ASSERT_TRUE(view->session().typing().has_value());
    EXPECT_EQ(view->session().typing()->text(), u"重点"_s);
}

TEST(Hint, APanelStandsWhereItCoversNothingItMustKeepClear)
{
    const QRect window(0, 0, 800, 600);
    const QSize size(300, 100);
    const std::vector<QPoint> corners{{10, 480}, {10, 30}};
    // Nothing in the way: the first place.
    EXPECT_EQ(placeClear(size, corners, {}, window), QRect(QPoint(10, 480), size));
    // The target under the first place: the next one.
    EXPECT_EQ(placeClear(size, corners, {QRect(50, 500, 80, 20)}, window), QRect(QPoint(10, 30), size));
    // Both places covered: beside the first rect kept clear, right of it.
    const std::vector<QRect> both{QRect(50, 500, 80, 20), QRect(0, 20, 400, 150)};
    const QRect beside = placeClear(size, corners, both, window);
    for (const QRect& r : both)
        EXPECT_FALSE(beside.intersects(r)) << beside.x() << "," << beside.y();
    EXPECT_TRUE(window.contains(beside));
    // No place is clear of everything: the first rect (the framed target) is never covered
    // while a place leaves it clear, and the rest as little as can be.
    const QRect target(380, 260, 40, 30);
    const QRect dialog(60, 40, 680, 520);
    const QRect crowded = placeClear(size, {QPoint(300, 230)}, {target, dialog}, window);
    EXPECT_FALSE(crowded.intersects(target)) << crowded.x() << "," << crowded.y();
    EXPECT_TRUE(window.contains(crowded));
    const QRect overlap = crowded.intersected(dialog);
    EXPECT_LT(overlap.width() * overlap.height(), size.width() * size.height());
    // Near the window's edge it stays inside the window.
    const QRect edge = placeClear(size, {{700, 550}}, {}, window);
    EXPECT_TRUE(window.contains(edge));
}

TEST(Hint, ThePanelLeavesTheFramedTargetAndTheOpenMenuInView)
{
    // The next step clicks in the notes pane, under the lower left of the slide pane where the
    // panel stands at first.
    auto view = viewOf(uR"j({"hint": "h", "accept": ["click:notes"]})j"_s);
    view->setHintVisible(true);
    const auto notes = view->locate(locators::placeholder(u"notes"_s));
    ASSERT_TRUE(notes.has_value());
    EXPECT_FALSE(view->hint().panelRect().intersects(*notes));
    // An open menu stays in view too.
    click(*view, locators::menuTitle(u"视图(V)"_s));
    const auto item = view->locate(locators::menuItem({u"视图(V)"_s, u"显示比例(Z)..."_s}));
    ASSERT_TRUE(item.has_value());
    EXPECT_FALSE(view->hint().panelRect().intersects(*item));
}

TEST(Menus, AContextMenuOpensBelowRightOfThePointerOrLeftOfItAtTheWindowsEdge)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["thumb:3"]})j"_s);
    // High on the slide, where there is room below for the menu.
    const auto title = view->locate(locators::placeholder(u"title"_s));
    ASSERT_TRUE(title.has_value());
    const auto menuAt = [&](QPoint at) {
        QTest::mouseClick(view.get(), Qt::RightButton, {}, at);
        const auto item = view->locate(locators::contextItem({u"剪切(T)"_s}));
        QTest::keyClick(view.get(), Qt::Key_Escape);
        return item.value_or(QRect());
    };
    const QPoint middle(title->left() + 20, title->top() + 4);
    const QRect below = menuAt(middle);
    EXPECT_GE(below.left(), middle.x());
    EXPECT_GE(below.top(), middle.y());
    // Near the window's right edge there is no room: the menu opens left of the pointer, not under it.
    const QRect rectangle = view->locate(locators::shape(1)).value_or(QRect());
    const QPoint edge(rectangle.right() - 2, rectangle.top() + 4);
    const QRect left = menuAt(edge);
    ASSERT_FALSE(left.isEmpty());
    EXPECT_LT(left.right(), edge.x());
    EXPECT_GT(left.left(), 2);
}

TEST(Dialogs, TheColourDialogOpensAtTheColourBeingChanged)
{
    // The rectangle filled 浅黄: 填充颜色 → 其他填充颜色 opens 颜色 at 浅黄, on both pages.
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal", "taskpane": null,
            "slides": [{"layout": "空白", "shapes": [{"type": "rect", "x": 200, "y": 150, "w": 200, "h": 120,
                                                      "fill": "#FFFF99"}]}]},
            "steps": [{"hint": "h", "accept": ["click:shape:1"]},
                      {"hint": "h", "accept": ["toolbar:填充颜色/其他填充颜色(M)..."]},
                      {"hint": "h", "accept": ["dialog:颜色/确定"]}]})j"_s;
    auto movie = parseMovie(json.toUtf8());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.setPace(0);
    ASSERT_TRUE(view.performThroughUi(u"click:shape:1"_s));
    ASSERT_TRUE(view.performThroughUi(u"toolbar:填充颜色/其他填充颜色(M)..."_s));
    ASSERT_TRUE(view.session().dialog().has_value());
    const FormState& colour = *view.session().dialog();
    EXPECT_EQ(colour.name, u"颜色"_s);
    EXPECT_EQ(colour.value(u"标准颜色"_s), u"浅黄"_s);
    EXPECT_EQ(colour.value(u"红色(R)"_s), u"255"_s);
    EXPECT_EQ(colour.value(u"绿色(G)"_s), u"255"_s);
    EXPECT_EQ(colour.value(u"蓝色(B)"_s), u"153"_s);

    // From a dialog's colour box, the box's colour.
    FormState box;
    showColour(*KitCatalog::instance().dialog(u"颜色"_s), box, u"RGB(0,102,204)"_s);
    EXPECT_EQ(box.value(u"红色(R)"_s), u"0"_s);
    EXPECT_EQ(box.value(u"绿色(G)"_s), u"102"_s);
    EXPECT_EQ(box.value(u"蓝色(B)"_s), u"204"_s);
    EXPECT_TRUE(box.value(u"标准颜色"_s).isEmpty());
}

TEST(Dialogs, TheColourDialogFromAFormatDialogsFillBoxOpensAtTheShapesFill)
{
    // 设置自选图形格式's 填充颜色 → 其他颜色(M)... opens 颜色 at the shape's own fill, and at the
    // scheme's fill, as the box shows it, for a shape without one.
    const auto opened = [](const QString& fill) {
        const QString json =
            uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal", "taskpane": null,
                "slides": [{"layout": "空白", "shapes": [{"type": "roundrect", "x": 200, "y": 150, "w": 200,
                                                          "h": 120 %1}]}]},
                "steps": [{"hint": "h", "accept": ["dblclick:shape:1"]},
                          {"hint": "h", "accept": ["dialog:设置自选图形格式/填充颜色=其他颜色(M)..."]},
                          {"hint": "h", "accept": ["dialog:颜色/确定"]}]})j"_s.arg(fill);
        auto movie = parseMovie(json.toUtf8());
        EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
        auto view =
            std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
        view->setPace(0);
        EXPECT_TRUE(view->performThroughUi(u"dblclick:shape:1"_s));
        EXPECT_TRUE(view->performThroughUi(u"dialog:设置自选图形格式/填充颜色=其他颜色(M)..."_s));
        click(*view, locators::tab(u"颜色"_s, u"自定义"_s));
        return view;
    };
    const auto rgb = [](KitView& view) {
        const FormState& d = *view.session().dialog();
        return QColor(d.value(u"红色(R)"_s).toInt(), d.value(u"绿色(G)"_s).toInt(),
                      d.value(u"蓝色(B)"_s).toInt());
    };
    auto own = opened(uR"j(, "fill": "#FF9900")j"_s);
    ASSERT_EQ(own->session().dialog()->name, u"颜色"_s);
    EXPECT_EQ(rgb(*own), QColor(0xFF, 0x99, 0x00));

    auto none = opened({});
    ASSERT_EQ(none->session().dialog()->name, u"颜色"_s);
    const QColor schemeFill = kit::colourOf(u"遵循填充配色方案"_s, none->session().presentation().design);
    ASSERT_TRUE(schemeFill.isValid());
    EXPECT_NE(schemeFill, QColor(Qt::black));
    EXPECT_EQ(rgb(*none), schemeFill);
}

TEST(Dialogs, FindAndReplaceOpenWithTheFocusInTheirFirstBox)
{
    for (const QString& dialog : {u"查找"_s, u"替换"_s}) {
        const QString command = dialog == u"查找"_s ? u"查找(F)..."_s : u"替换(E)..."_s;
        auto view = viewOf(uR"j({"hint": "h", "accept": ["menu:编辑(E)/%1"]},
                              {"hint": "h", "accept": ["dialog:%2/查找内容=年度"]})j"_s.arg(command, dialog));
        chooseMenu(*view, {u"编辑(E)"_s, command});
        ASSERT_TRUE(view->session().dialog().has_value());
        // Typed at once, without a click in the box.
        view->typeText(u"年度"_s);
        EXPECT_EQ(view->session().dialog()->value(u"查找内容"_s), u"年度"_s) << dialog.toStdString();
        EXPECT_TRUE(view->session().isComplete()) << dialog.toStdString();
    }
}

TEST(Dialogs, TheSavePromptShowsItsWarningSign)
{
    auto view = viewOf(uR"j({"hint": "关闭。", "accept": ["menu:文件(F)/关闭(C)"]},
        {"hint": "否。", "accept": ["dialog:保存更改/否(N)"], "set": {"window": {"closed": true}}})j"_s);
    ASSERT_TRUE(view->performThroughUi(u"menu:文件(F)/关闭(C)"_s));
    const auto yes = view->locate(locators::control(u"保存更改"_s, u"是(Y)"_s));
    ASSERT_TRUE(yes.has_value());
    // Left of the question, above the buttons: the yellow triangle.
    const QImage shown = view->grab().toImage();
    const QRect sign(yes->left() - 40, yes->top() - 50, 44, 44);
    int yellow = 0;
    for (int y = sign.top(); y <= sign.bottom(); ++y)
        for (int x = sign.left(); x <= sign.right(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            yellow += c.red() > 220 && c.green() > 180 && c.blue() < 100 ? 1 : 0;
        }
    EXPECT_GT(yellow, 100);
}

TEST(Dialogs, MovieOptionsNamesTheFileInserted)
{
    // 宣传片.avi inserted, then 编辑影片对象: the dialog's 文件 line is the movie selected.
    auto movie = loadMovieFile(QString::fromUtf8(DRILL_SOURCE_DIR) + u"/bank/movies/11/24.movie"_s);
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.setPace(0);
    MovieSession& session = view.session();
    while (!session.isComplete() && !(session.dialog() && session.dialog()->name == u"影片选项"_s))
        ASSERT_TRUE(view.performThroughUi(session.nextAction()));
    ASSERT_TRUE(session.dialog().has_value());
    const QList<int> selected = session.selectedShapes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(session.selectedSlide().shapes[static_cast<size_t>(selected.first() - 1)].text,
              u"宣传片.avi"_s);
    const KitControl* file = nullptr;
    for (const KitControl& c : KitCatalog::instance().dialog(u"影片选项"_s)->controls)
        file = c.text.startsWith(u"文件："_s) ? &c : file;
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->text, u"文件：{object}"_s);
}
