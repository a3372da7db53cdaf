// The simulated window keeps PowerPoint's own state whether or not the task's
// step names what the learner does: the view turned by every route, dialogs
// backed out of, and a selection made with either mouse button. Driven through
// the real window with mouse and key events, on the shipped kit and bank movies.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/kitview.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

std::unique_ptr<KitView> viewOfMovie(Movie movie)
{
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(std::move(movie), KitCatalog::instance()));
    view->setPace(0);
    return view;
}

std::unique_ptr<KitView> viewOf(const QString& steps, const QString& start = u"normal"_s)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "%1", "taskpane": "开始工作",
            "slides": [{"layout": "标题幻灯片", "title": "年度总结", "subtitle": "2026年"},
            {"title": "主要工作", "body": ["市场", "研发"]}, {"title": "下一步"}]}, "steps": [%2]})j"_s.arg(
            start, steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return viewOfMovie(movie.value());
}

std::unique_ptr<KitView> bankMovie(const QString& name)
{
    auto movie = loadMovieFile(QString::fromUtf8(DRILL_SOURCE_DIR) + u"/bank/movies/"_s + name);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return viewOfMovie(movie.value());
}

// A click with the mouse on an element as the window shows it now.
void click(KitView& view, const QString& locator, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = {})
{
    const auto at = view.locate(locator);
    ASSERT_TRUE(at.has_value()) << "not on view: " << locator.toStdString();
    QTest::mouseClick(&view, button, modifiers, at->center());
}

// A menu command through the menu bar: the title, then each item down to the command.
void chooseMenu(KitView& view, const QStringList& path)
{
    click(view, locators::menuTitle(path.first()));
    for (qsizetype i = 1; i < path.size(); ++i)
        click(view, locators::menuItem(path.mid(0, i + 1)));
}

ViewKind viewNow(KitView& view)
{
    return view.session().view().kind();
}

const QString kHold = uR"j({"hint": "单击第3张幻灯片。", "accept": ["thumb:3"]})j"_s;

} // namespace

TEST(WindowViews, TheViewMenuTurnsTheViewWhereNoStepAsksForIt)
{
    auto view = viewOf(kHold);
    chooseMenu(*view, {u"视图(V)"_s, u"幻灯片浏览(D)"_s});
    EXPECT_EQ(viewNow(*view), ViewKind::Sorter);
    chooseMenu(*view, {u"视图(V)"_s, u"备注页(T)"_s});
    EXPECT_EQ(viewNow(*view), ViewKind::Notes);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"讲义母版(H)"_s});
    EXPECT_EQ(viewNow(*view), ViewKind::HandoutMaster);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"备注母版(N)"_s});
    EXPECT_EQ(viewNow(*view), ViewKind::NotesMaster);
    chooseMenu(*view, {u"视图(V)"_s, u"普通(N)"_s});
    EXPECT_EQ(viewNow(*view), ViewKind::Normal);
    // Looking around takes no step: the task still waits for its slide.
    EXPECT_EQ(view->session().stepIndex(), 0);
    click(*view, locators::thumb(3));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(WindowViews, TheViewButtonsWithAndWithoutShiftAndTheMasterToolbar)
{
    auto view = viewOf(kHold);
    click(*view, locators::button(u"幻灯片浏览视图"_s));
    EXPECT_EQ(viewNow(*view), ViewKind::Sorter);
    // The sorter's own toolbar floats there.
    EXPECT_TRUE(view->locate(locators::button(u"隐藏幻灯片"_s)).has_value());
    click(*view, locators::button(u"普通视图(恢复窗格)"_s));
    EXPECT_EQ(viewNow(*view), ViewKind::Normal);

    click(*view, locators::button(u"普通视图(恢复窗格)"_s), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(viewNow(*view), ViewKind::SlideMaster);
    click(*view, locators::button(u"关闭母版视图"_s));
    EXPECT_EQ(viewNow(*view), ViewKind::Normal);

    click(*view, locators::button(u"幻灯片浏览视图"_s), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(viewNow(*view), ViewKind::HandoutMaster);
    // The view buttons leave a master view too.
    click(*view, locators::button(u"幻灯片浏览视图"_s));
    EXPECT_EQ(viewNow(*view), ViewKind::Sorter);
    click(*view, locators::button(u"普通视图(恢复窗格)"_s), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(viewNow(*view), ViewKind::SlideMaster);
    click(*view, locators::button(u"普通视图(恢复窗格)"_s));
    EXPECT_EQ(viewNow(*view), ViewKind::Normal);
    EXPECT_EQ(view->session().stepIndex(), 0);
}

TEST(WindowViews, TheShowByItsKeysAndThePreviewGoBackWhereTheyCameFrom)
{
    auto view = viewOf(kHold, u"sorter"_s);
    QTest::keyClick(view.get(), Qt::Key_F5);
    EXPECT_EQ(viewNow(*view), ViewKind::Show);
    EXPECT_TRUE(view->slideShow().isRunning());
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(viewNow(*view), ViewKind::Sorter);
    EXPECT_FALSE(view->slideShow().isRunning());
    QTest::keyClick(view.get(), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(viewNow(*view), ViewKind::Show);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(viewNow(*view), ViewKind::Sorter);

    chooseMenu(*view, {u"文件(F)"_s, u"打印预览(V)"_s});
    EXPECT_EQ(viewNow(*view), ViewKind::PrintPreview);
    click(*view, locators::button(u"关闭预览"_s));
    EXPECT_EQ(viewNow(*view), ViewKind::Sorter);
    EXPECT_EQ(view->session().stepIndex(), 0);
}

TEST(WindowViews, AStepThatAsksForAViewTakesEveryRouteToIt)
{
    // The step names the menu only; the button and the other master's route are the same view.
    auto sorter = viewOf(uR"j({"hint": "幻灯片浏览。", "accept": ["menu:视图(V)/幻灯片浏览(D)"]})j"_s);
    click(*sorter, locators::button(u"幻灯片浏览视图"_s));
    EXPECT_TRUE(sorter->session().isComplete());

    auto master = viewOf(uR"j({"hint": "幻灯片母版。", "accept": ["menu:视图(V)/母版(M)/幻灯片母版(S)"]},
        {"hint": "关闭。", "accept": ["toolbar:关闭母版视图"]})j"_s);
    click(*master, locators::button(u"普通视图(恢复窗格)"_s), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(master->session().stepIndex(), 1);
    chooseMenu(*master, {u"视图(V)"_s, u"普通(N)"_s});
    EXPECT_TRUE(master->session().isComplete());

    // A bank question that ends by closing the master view, left by the 普通视图 button.
    auto bank = bankMovie(u"01/24.movie"_s);
    MovieSession& session = bank->session();
    while (session.stepIndex() < session.steps().count() - 1)
        ASSERT_TRUE(bank->performThroughUi(session.nextAction())) << session.nextAction().toStdString();
    click(*bank, locators::button(u"普通视图(恢复窗格)"_s));
    EXPECT_TRUE(session.isComplete());
    EXPECT_EQ(viewNow(*bank), ViewKind::Normal);
}

TEST(WindowDialogs, EveryWayOutOfADialogAStepOpenedLeavesTheDocumentAsItWas)
{
    const QString steps = uR"j({"hint": "字体。", "accept": ["menu:格式(O)/字体(F)..."]},
        {"hint": "字号。", "accept": ["dialog:字体/字号=28"]},
        {"hint": "确定。", "accept": ["dialog:字体/确定"], "set": {"slide": 1, "titleFont": {"size": 28}}})j"_s;
    const std::vector<std::function<void(KitView&)>> waysOut{
        [](KitView& v) { QTest::keyClick(&v, Qt::Key_Escape); },
        [](KitView& v) { QTest::keyClick(&v, Qt::Key_F4, Qt::AltModifier); },
        [](KitView& v) { click(v, locators::dialogClose(u"字体"_s)); },
        [](KitView& v) { click(v, locators::control(u"字体"_s, u"取消"_s)); },
    };
    for (size_t way = 0; way < waysOut.size(); ++way) {
        auto view = viewOf(steps);
        click(*view, locators::placeholder(u"title"_s));
        const Presentation before = view->session().presentation();
        ASSERT_TRUE(view->performThroughUi(u"menu:格式(O)/字体(F)..."_s));
        ASSERT_TRUE(view->performThroughUi(u"dialog:字体/字号=28"_s));
        waysOut[way](*view);
        EXPECT_FALSE(view->session().dialog().has_value()) << way;
        EXPECT_EQ(view->session().presentation(), before) << way;
        // The step that opened the dialog comes next again, and the hint says so.
        EXPECT_EQ(view->session().stepIndex(), 0) << way;
        EXPECT_EQ(view->nextTargetLocator(), locators::menuTitle(u"格式(O)"_s)) << way;
        // Opened again, the dialog starts afresh and the task can be finished.
        for (const QString& action :
             {u"menu:格式(O)/字体(F)..."_s, u"dialog:字体/字号=28"_s, u"dialog:字体/确定"_s})
            ASSERT_TRUE(view->performThroughUi(action)) << way << action.toStdString();
        EXPECT_TRUE(view->session().isComplete()) << way;
    }
}

TEST(WindowDialogs, CancellingADialogOpenedFromAnotherGoesBackToThatOne)
{
    // 取消 of 颜色 returns to 字体 as it was; Esc there closes 字体 too.
    auto view = bankMovie(u"01/24.movie"_s);
    MovieSession& session = view->session();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(view->performThroughUi(session.nextAction()));
    ASSERT_EQ(session.dialog()->name, u"颜色"_s);
    ASSERT_TRUE(view->performThroughUi(session.nextAction())); // 蓝色
    QTest::keyClick(view.get(), Qt::Key_Escape);
    ASSERT_TRUE(session.dialog().has_value());
    EXPECT_EQ(session.dialog()->name, u"字体"_s);
    EXPECT_EQ(session.nextAction(), u"dialog:字体/颜色=其他颜色(M)..."_s);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(session.dialog().has_value());
    EXPECT_EQ(session.nextAction(), u"menu:格式(O)/字体(F)..."_s);
    EXPECT_EQ(session.presentation().master.bodyFont.color, QString());
}

TEST(WindowDialogs, TheSavePromptBacksOutAndItsLettersWorkWithoutAlt)
{
    const QString steps = uR"j({"hint": "关闭。", "accept": ["menu:文件(F)/关闭(C)"]},
        {"hint": "否。", "accept": ["dialog:保存更改/否(N)"], "set": {"window": {"closed": true}}})j"_s;
    auto view = viewOf(steps);
    ASSERT_TRUE(view->performThroughUi(u"menu:文件(F)/关闭(C)"_s));
    ASSERT_EQ(view->session().dialog()->name, u"保存更改"_s);
    click(*view, locators::control(u"保存更改"_s, u"取消"_s));
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().stepIndex(), 0);
    ASSERT_TRUE(view->performThroughUi(u"menu:文件(F)/关闭(C)"_s));
    QTest::keyClick(view.get(), Qt::Key_N);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(WindowDialogs, TheTaskPaneClosesByItsCrossAndComesBackFromTheViewMenu)
{
    auto view = viewOf(uR"j({"hint": "空演示文稿。", "accept": ["taskpane:开始工作/新建演示文稿..."]})j"_s);
    click(*view, locators::paneClose());
    EXPECT_TRUE(view->session().presentation().taskpane.isEmpty());
    QTest::keyClick(view.get(), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(view->session().presentation().taskpane, u"开始工作"_s);
    ASSERT_TRUE(view->performThroughUi(u"taskpane:开始工作/新建演示文稿..."_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(WindowSelection, ARightClickSelectsForTheStepAsALeftClickDoes)
{
    // Right-click the title, then 自定义动画(M)... on its menu.
    auto animation = bankMovie(u"02/5.movie"_s);
    MovieSession& session = animation->session();
    while (session.nextAction() != u"click:title"_s)
        ASSERT_TRUE(animation->performThroughUi(session.nextAction()));
    click(*animation, locators::placeholder(u"title"_s), Qt::RightButton);
    EXPECT_EQ(animation->selectedObject(), locators::placeholder(u"title"_s));
    click(*animation, locators::contextItem({u"自定义动画(M)..."_s}));
    EXPECT_EQ(session.presentation().taskpane, u"自定义动画"_s);

    // After 剪切, right-click the slide now in its place, then 粘贴.
    auto cut = bankMovie(u"01/13.movie"_s);
    ASSERT_TRUE(cut->performThroughUi(u"thumb:2"_s));
    ASSERT_TRUE(cut->performThroughUi(u"key:Ctrl+X"_s));
    click(*cut, locators::thumb(2), Qt::RightButton);
    click(*cut, locators::contextItem({u"粘贴(P)"_s}));
    EXPECT_TRUE(cut->session().isComplete());
}

TEST(WindowSelection, CtrlOrShiftChoosesSeveralPicturesForTheAlbumAtOnce)
{
    for (const Qt::KeyboardModifier held : {Qt::ControlModifier, Qt::ShiftModifier}) {
        auto view = bankMovie(u"04/13.movie"_s);
        MovieSession& session = view->session();
        ASSERT_TRUE(view->performThroughUi(session.nextAction()));
        ASSERT_TRUE(view->performThroughUi(session.nextAction()));
        ASSERT_EQ(session.dialog()->name, u"插入新图片"_s);
        click(*view, locators::item(u"插入新图片"_s, u"文件"_s, u"荷花.jpg"_s));
        click(*view, locators::item(u"插入新图片"_s, u"文件"_s, u"竹林.jpg"_s), Qt::LeftButton, held);
        click(*view, locators::control(u"插入新图片"_s, u"插入(S)"_s));
        ASSERT_TRUE(session.dialog().has_value());
        EXPECT_EQ(session.dialog()->name, u"相册"_s);
        EXPECT_EQ(session.nextAction(), u"dialog:相册/创建(C)"_s) << held;
        ASSERT_TRUE(view->performThroughUi(session.nextAction()));
        EXPECT_TRUE(session.isComplete());
    }
}

// A dialog or pane opens with what the document holds now: the zoom of the view, the page as set up,
// the selected slide's layout.
TEST(WindowDialogs, DialogsOpenWithTheDocumentsValues)
{
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal",
            "slides": [{"layout": "标题幻灯片", "title": "年度总结"}, {"layout": "标题和文本", "title": "工作",
              "body": ["市场"]}],
            "pageSetup": {"width": 19.05, "height": 25.4, "firstNumber": 3},
            "window": {"zoom": 100, "sorterZoom": 50}},
          "steps": [{"hint": "a", "accept": ["menu:视图(V)/显示比例(Z)..."]},
                    {"hint": "b", "accept": ["dialog:显示比例/取消"]},
                    {"hint": "c", "accept": ["menu:视图(V)/幻灯片浏览(D)"]},
                    {"hint": "d", "accept": ["menu:视图(V)/显示比例(Z)..."]},
                    {"hint": "e", "accept": ["dialog:显示比例/取消"]},
                    {"hint": "f", "accept": ["menu:视图(V)/普通(N)"]},
                    {"hint": "g", "accept": ["menu:文件(F)/页面设置(U)..."]},
                    {"hint": "h", "accept": ["dialog:页面设置/取消"]},
                    {"hint": "i", "accept": ["thumb:2"]},
                    {"hint": "j", "accept": ["menu:格式(O)/幻灯片版式(L)..."]},
                    {"hint": "k", "accept": ["thumb:1"]}]})j"_s;
    auto movie = parseMovie(json.toUtf8());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view = viewOfMovie(movie.value());
    MovieSession& session = view->session();

    chooseMenu(*view, {u"视图(V)"_s, u"显示比例(Z)..."_s});
    ASSERT_TRUE(session.dialog());
    EXPECT_EQ(session.dialog()->value(u"百分比"_s), u"100"_s);
    EXPECT_EQ(session.dialog()->value(u"显示比例"_s), u"100%"_s);
    click(*view, locators::control(u"显示比例"_s, u"取消"_s));
    ASSERT_FALSE(session.dialog());
    // The sorter keeps a zoom of its own.
    chooseMenu(*view, {u"视图(V)"_s, u"幻灯片浏览(D)"_s});
    chooseMenu(*view, {u"视图(V)"_s, u"显示比例(Z)..."_s});
    ASSERT_TRUE(session.dialog());
    EXPECT_EQ(session.dialog()->value(u"百分比"_s), u"50"_s);
    EXPECT_EQ(session.dialog()->value(u"显示比例"_s), u"50%"_s);
    click(*view, locators::control(u"显示比例"_s, u"取消"_s));
    chooseMenu(*view, {u"视图(V)"_s, u"普通(N)"_s});

    chooseMenu(*view, {u"文件(F)"_s, u"页面设置(U)..."_s});
    ASSERT_TRUE(session.dialog());
    EXPECT_EQ(session.dialog()->value(u"宽度"_s), u"19.05"_s);
    EXPECT_EQ(session.dialog()->value(u"高度"_s), u"25.4"_s);
    EXPECT_EQ(session.dialog()->value(u"幻灯片方向"_s), u"纵向(P)"_s);
    EXPECT_EQ(session.dialog()->value(u"幻灯片编号起始值"_s), u"3"_s);
    click(*view, locators::control(u"页面设置"_s, u"取消"_s));
    ASSERT_FALSE(session.dialog());

    // The layout pane marks the layout of the slide selected, not the kit's first.
    click(*view, locators::thumb(2));
    chooseMenu(*view, {u"格式(O)"_s, u"幻灯片版式(L)..."_s});
    EXPECT_EQ(session.presentation().taskpane, u"幻灯片版式"_s);
    EXPECT_EQ(session.taskPane().value(u"版式"_s), u"标题和文本"_s);
    EXPECT_EQ(session.stepIndex(), 10);
}
