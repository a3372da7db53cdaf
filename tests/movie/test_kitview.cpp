#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/window/moviecontrol.h"
#include "tests/movie/testkit.h"
#include "tests/support/craftedmovie.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

std::unique_ptr<KitView> viewOf(const QByteArray& json)
{
    auto movie = parseMovie(json);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view = std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), smallKit()));
    view->setPace(0);
    return view;
}

// Clicks the element a locator names; fails the test when it is not on view.
void click(KitView& view, const QString& locator, Qt::MouseButton button = Qt::LeftButton)
{
    auto r = view.locate(locator);
    ASSERT_TRUE(r.has_value()) << "not on view: " << locator.toStdString();
    view.clickAt(r->center(), button);
}

const QByteArray kSaveAsMovie = R"json({"format": "pptdrill-movie", "version": 1,
  "presentation": {"slides": [{"title": "产品"}]},
  "steps": [
    {"hint": "a", "accept": ["menu:文件(F)/另存为(A)..."]},
    {"hint": "b", "accept": ["dialog:另存为/保存类型=网页 (*.htm; *.html)"]},
    {"hint": "c", "accept": ["dialog:另存为/文件名=产品介绍"]},
    {"hint": "d", "accept": ["dialog:另存为/份数=2"]},
    {"hint": "e", "accept": ["dialog:另存为/保存(S)"]}
  ]})json";

} // namespace

TEST(KitView, ALearnerClicksThroughMenusAndPanes)
{
    auto view = viewOf(layoutMovieJson());
    QSignalSpy done(view.get(), &KitView::completed);
    EXPECT_EQ(view->nextTargetLocator(), u"thumb:2"_s);

    click(*view, u"thumb:1"_s); // not the task's slide: nothing happens
    EXPECT_EQ(view->session().stepIndex(), 0);
    click(*view, u"thumb:2"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);

    // The hint marks the menu title first, then the command in the open menu.
    EXPECT_EQ(view->nextTargetLocator(), u"menutitle:格式(O)"_s);
    click(*view, u"menutitle:格式(O)"_s);
    EXPECT_EQ(view->nextTargetLocator(), u"menuitem:格式(O)/幻灯片版式(L)..."_s);
    // A wrong command closes the menu and changes nothing.
    click(*view, u"menuitem:格式(O)/字体(F)..."_s);
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_FALSE(view->locate(u"menuitem:格式(O)/字体(F)..."_s).has_value());
    EXPECT_EQ(view->session().stepIndex(), 1);

    // The context menu of the slide is another way.
    click(*view, u"area:slideempty"_s, Qt::RightButton);
    click(*view, u"ctxitem:幻灯片版式(L)..."_s);
    EXPECT_EQ(view->session().presentation().taskpane, u"幻灯片版式"_s);
    click(*view, u"item:幻灯片版式/版式/标题和竖排文字"_s);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(done.count(), 1);
    view->clickAt(QPoint(400, 300));
    EXPECT_EQ(done.count(), 1);
}

TEST(KitView, SubmenusKeysAndAccessKeys)
{
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["menu:文件(F)/发送(D)/邮件收件人(M)"]},
        {"hint": "b", "accept": ["key:Ctrl+B"]},
        {"hint": "c", "accept": ["menu:格式(O)/字体(F)..."]},
        {"hint": "d", "accept": ["dialog:字体/取消"]}
      ]})json");
    click(*view, u"menutitle:文件(F)"_s);
    EXPECT_FALSE(view->locate(u"menuitem:文件(F)/发送(D)/邮件收件人(M)"_s).has_value());
    click(*view, u"menuitem:文件(F)/发送(D)"_s);
    click(*view, u"menuitem:文件(F)/发送(D)/邮件收件人(M)"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    view->pressShortcut(u"Ctrl+I"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    QTest::keyClick(view.get(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(view->session().stepIndex(), 2);
    // Alt+O opens 格式(O); F picks 字体(F)...
    view->pressShortcut(u"Alt+O"_s);
    view->pressShortcut(u"F"_s);
    ASSERT_TRUE(view->session().dialog().has_value());
    // Escape cancels the dialog.
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitView, TabAndShiftTabReachTheSimulatedProgram)
{
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["key:Shift+Tab"]},
        {"hint": "b", "accept": ["key:Tab"]}
      ]})json");
    QTest::keyClick(view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(view->session().stepIndex(), 1);
    QTest::keyClick(view.get(), Qt::Key_Tab);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitView, AnEditableBoxOpensItsListFromTheArrowAndTakesTyping)
{
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["menu:格式(O)/字体(F)..."]},
        {"hint": "b", "accept": ["dialog:字体/中文字体=楷体_GB2312"]},
        {"hint": "d", "accept": ["dialog:字体/确定"]}
      ]})json");
    view->pressShortcut(u"Alt+O"_s);
    view->pressShortcut(u"F"_s);
    ASSERT_TRUE(view->session().dialog().has_value());
    // The hint points at the arrow, and the arrow opens the list.
    EXPECT_EQ(view->nextTargetLocator(), u"ctlarrow:字体/中文字体"_s);
    click(*view, u"ctlarrow:字体/中文字体"_s);
    ASSERT_TRUE(view->locate(u"drop:黑体"_s).has_value());
    click(*view, u"drop:黑体"_s);
    // A face the task does not ask for shows in the box, and is no step.
    EXPECT_EQ(view->session().dialog()->value(u"中文字体"_s), u"黑体"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);

    // The box itself still takes a typed name.
    click(*view, u"ctl:字体/中文字体"_s);
    EXPECT_FALSE(view->locate(u"drop:黑体"_s).has_value());
    view->typeText(u"楷体_GB2312"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
    EXPECT_TRUE(view->performThroughUi(u"dialog:字体/确定"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitView, AMenuTallerThanTheWindowStaysInsideAndScrolls)
{
    // The shipped kit's long lists are palettes now; a kit of our own gives 绘图's 自选图形 a
    // submenu of forty lines of text.
    QJsonObject json = QJsonDocument::fromJson(smallKitJson()).object();
    QJsonArray lines;
    QStringList basic;
    for (int i = 1; i <= 40; ++i) {
        basic << u"形状 %1"_s.arg(i);
        lines.append(QJsonObject{{u"text"_s, basic.last()}});
    }
    QJsonObject toolbars = json[u"toolbars"_s].toObject();
    toolbars[u"绘图"_s] = QJsonArray{QJsonObject{
        {u"name"_s, u"自选图形"_s},
        {u"text"_s, u"自选图形(U)"_s},
        {u"items"_s, QJsonArray{QJsonObject{{u"text"_s, u"基本形状(B)"_s}, {u"items"_s, lines}}}}}};
    json[u"toolbars"_s] = toolbars;
    auto parsed = KitCatalog::parse(QJsonDocument(json).toJson());
    ASSERT_TRUE(parsed.ok()) << parsed.error().toStdString();
    const KitCatalog& kit = parsed.value();
    const QString prefix = u"toolbar:自选图形/基本形状(B)/"_s;
    auto movie = parseMovie(uR"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [{"hint": "a", "accept": ["%1%2"]}, {"hint": "b", "accept": ["%1%3"]}]})json"_s
                                .arg(prefix, basic.first(), basic.last())
                                .toUtf8());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), kit));
    view.setPace(0);

    click(view, u"tb:自选图形"_s);
    click(view, u"tbitem:自选图形/基本形状(B)"_s);
    const QRect window(0, 0, 800, 600);
    const QStringList menu{u"自选图形"_s, u"基本形状(B)"_s};
    auto item = [&](const QString& name) {
        return view.locate(locators::toolbarItem(menu + QStringList{name}));
    };
    // The first shapes are on view inside the window; the last ones wait below the arrow.
    ASSERT_TRUE(item(basic.first()).has_value());
    EXPECT_TRUE(window.contains(*item(basic.first())));
    EXPECT_FALSE(item(basic.last()).has_value());
    for (const QString& name : basic) {
        if (auto r = item(name)) {
            EXPECT_TRUE(window.contains(*r)) << name.toStdString();
        }
    }
    // The lower arrow brings the next shape on view.
    const QString firstHidden =
        *std::find_if(basic.begin(), basic.end(), [&](const QString& n) { return !item(n); });
    click(view, locators::menuScroll(false, 1));
    EXPECT_TRUE(item(firstHidden).has_value());
    EXPECT_FALSE(item(basic.first()).has_value());
    click(view, locators::menuScroll(true, 1));
    ASSERT_TRUE(item(basic.first()).has_value());
    click(view, locators::toolbarItem(menu + QStringList{basic.first()}));
    EXPECT_EQ(view.session().stepIndex(), 1);

    // The learner's way and the demonstration reach the last shape through the arrows.
    EXPECT_TRUE(view.performThroughUi(prefix + basic.last()));
    EXPECT_TRUE(view.session().isComplete());
}

TEST(KitView, AClickedPlaceholderShowsItsSelectionUntilTheLearnerLetsGo)
{
    auto view = viewOf(layoutMovieJson());
    view->resize(800, 600);
    const QImage before = view->grab().toImage();
    const auto title = view->locate(u"ph:title"_s);
    ASSERT_TRUE(title.has_value());
    // A click that is not the task's step still selects, as in the real program.
    view->clickAt(title->center());
    EXPECT_EQ(view->session().stepIndex(), 0);
    EXPECT_EQ(view->selectedObject(), u"ph:title"_s);
    const QImage selected = view->grab().toImage();
    // The hatched band and the handles are painted around the placeholder.
    int changed = 0;
    for (int x = title->left() - 4; x <= title->right() + 4; ++x) {
        for (int y : {title->top() - 3, title->bottom() + 3})
            changed += selected.pixel(x, y) != before.pixel(x, y);
    }
    EXPECT_GT(changed, title->width() / 4);

    view->clickAt(view->locate(u"area:slideempty"_s)->center());
    EXPECT_TRUE(view->selectedObject().isEmpty());
    EXPECT_EQ(view->grab().toImage(), before);
}

TEST(KitView, AnotherMenuTitleSwitchesTheOpenMenu)
{
    auto view = viewOf(kSaveAsMovie);
    view->show();
    click(*view, u"menutitle:文件(F)"_s);
    ASSERT_TRUE(view->locate(u"menuitem:文件(F)/另存为(A)..."_s).has_value());
    // A click on the next title opens that menu instead.
    click(*view, u"menutitle:格式(O)"_s);
    EXPECT_FALSE(view->locate(u"menuitem:文件(F)/另存为(A)..."_s).has_value());
    EXPECT_TRUE(view->locate(u"menuitem:格式(O)/字体(F)..."_s).has_value());
    // So does the pointer passing over a title.
    QTest::mouseMove(view.get(), view->locate(u"menutitle:视图(V)"_s)->center());
    EXPECT_TRUE(view->locate(u"menuitem:视图(V)/幻灯片浏览(D)"_s).has_value());
    // A click on the open menu's own title closes it.
    click(*view, u"menutitle:视图(V)"_s);
    EXPECT_FALSE(view->locate(u"menuitem:视图(V)/幻灯片浏览(D)"_s).has_value());
}

TEST(KitView, TheWordArtGalleryGivesNoStyleAwayByItsName)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [{"hint": "a", "accept": ["toolbar:插入艺术字"]},
                {"hint": "b", "accept": ["dialog:艺术字库/样式=第4行第2列"]}]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.setPace(0);
    ASSERT_TRUE(view.performThroughUi(u"toolbar:插入艺术字"_s));
    const auto cell = view.locate(u"item:艺术字库/样式/第4行第2列"_s);
    ASSERT_TRUE(cell.has_value());
    // The strip under the picture, where other galleries name their items, stays empty.
    const QImage shot = view.grab().toImage();
    const QRect strip(cell->left() + 4, cell->bottom() - 13, cell->width() - 8, 12);
    const QRgb background = shot.pixel(strip.left(), strip.top());
    int inked = 0;
    for (int x = strip.left(); x <= strip.right(); ++x) {
        for (int y = strip.top(); y <= strip.bottom(); ++y)
            inked += shot.pixel(x, y) != background;
    }
    EXPECT_EQ(inked, 0);
}

TEST(KitView, TheWordArtTextIsSelectedSoTypingReplacesIt)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [{"hint": "a", "accept": ["toolbar:插入艺术字"]},
                {"hint": "b", "accept": ["dialog:艺术字库/确定"]},
                {"hint": "c", "accept": ["dialog:编辑“艺术字”文字/文字=欢迎光临"]}]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.setPace(0);
    ASSERT_TRUE(view.performThroughUi(u"toolbar:插入艺术字"_s));
    ASSERT_TRUE(view.performThroughUi(u"dialog:艺术字库/确定"_s));
    ASSERT_EQ(view.session().dialog()->name, u"编辑“艺术字”文字"_s);
    // The learner types at once, without clicking the box first.
    QInputMethodEvent commit;
    commit.setCommitString(u"欢迎光临"_s);
    QCoreApplication::sendEvent(&view, &commit);
    EXPECT_TRUE(view.session().isComplete());
}

TEST(KitView, AltAndAnUnderlinedLetterWorkInADialog)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["menu:视图(V)/页眉和页脚(H)..."]},
        {"hint": "b", "accept": ["dialog:页眉和页脚/日期和时间(D)=on"]},
        {"hint": "c", "accept": ["dialog:页眉和页脚/更新方式=固定(X)"]},
        {"hint": "d", "accept": ["dialog:页眉和页脚/全部应用(Y)"]}
      ]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.setPace(0);
    ASSERT_TRUE(view.performThroughUi(u"menu:视图(V)/页眉和页脚(H)..."_s));
    QTest::keyClick(&view, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(view.session().stepIndex(), 2);
    QTest::keyClick(&view, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(view.session().stepIndex(), 3);
    // A letter that is no access key of the dialog does nothing, and types nothing.
    QTest::keyClick(&view, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(view.session().stepIndex(), 3);
    QTest::keyClick(&view, Qt::Key_Y, Qt::AltModifier);
    EXPECT_TRUE(view.session().isComplete());
}

TEST(KitView, DialogControlsTakeOnlyTheExpectedValues)
{
    auto view = viewOf(kSaveAsMovie);
    click(*view, u"menutitle:文件(F)"_s);
    click(*view, u"menuitem:文件(F)/另存为(A)..."_s);
    ASSERT_TRUE(view->session().dialog().has_value());
    // The window behind a dialog does not answer.
    click(*view, u"menutitle:文件(F)"_s);
    EXPECT_FALSE(view->locate(u"menuitem:文件(F)/另存为(A)..."_s).has_value());

    click(*view, u"ctl:另存为/保存类型"_s);
    click(*view, u"drop:网页 (*.htm; *.html)"_s);
    EXPECT_EQ(view->session().dialog()->value(u"保存类型"_s), u"网页 (*.htm; *.html)"_s);

    click(*view, u"ctl:另存为/文件名"_s);
    view->typeText(u"产品"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
    // Chinese arrives from the input method as committed text.
    QInputMethodEvent commit;
    commit.setCommitString(u"介绍"_s);
    QCoreApplication::sendEvent(view.get(), &commit);
    EXPECT_EQ(view->session().stepIndex(), 3);
    EXPECT_EQ(view->session().dialog()->value(u"文件名"_s), u"产品介绍"_s);

    click(*view, u"spindown:另存为/份数"_s); // 1 is the least: no change expected
    EXPECT_EQ(view->session().stepIndex(), 3);
    click(*view, u"spinup:另存为/份数"_s);
    EXPECT_EQ(view->session().dialog()->value(u"份数"_s), u"2"_s);
    EXPECT_EQ(view->session().presentation().file, u"演示文稿1"_s);
    click(*view, u"ctl:另存为/保存(S)"_s);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_FALSE(view->session().dialog().has_value());
    // The title bar names the document by the name it was saved under.
    EXPECT_EQ(view->session().presentation().file, u"产品介绍"_s);
}

TEST(KitView, ValuesOfADialogMayBeSetInAnyOrderAndSpinArrowsStepToThem)
{
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["menu:文件(F)/另存为(A)..."]},
        {"hint": "b", "accept": ["dialog:另存为/文件名=产品介绍"]},
        {"hint": "c", "accept": ["dialog:另存为/份数=4"]},
        {"hint": "d", "accept": ["dialog:另存为/保存(S)"]}
      ]})json");
    ASSERT_TRUE(view->performThroughUi(u"menu:文件(F)/另存为(A)..."_s));
    // The copies first: three steps up from 1, each shown, the last one taken.
    for (int i = 0; i < 3; ++i)
        click(*view, u"spinup:另存为/份数"_s);
    EXPECT_EQ(view->session().dialog()->value(u"份数"_s), u"4"_s);
    EXPECT_EQ(view->session().stepIndex(), 1); // the file name is still to do
    EXPECT_FALSE(view->session().accepts(u"dialog:另存为/保存(S)"_s));
    click(*view, u"ctl:另存为/文件名"_s);
    view->typeText(u"产品介绍"_s);
    EXPECT_EQ(view->session().stepIndex(), 3);
    click(*view, u"ctl:另存为/保存(S)"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitView, TheRightButtonSelectsTheSlideItOpensTheMenuOf)
{
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "a"}, {"title": "b"}, {"title": "c"}]},
      "steps": [
        {"hint": "a", "accept": ["thumb:3"]},
        {"hint": "b", "accept": ["context:thumbnail/删除幻灯片(D)"], "set": {"deleteSlide": 3}}
      ]})json");
    click(*view, u"thumb:3"_s, Qt::RightButton);
    EXPECT_EQ(view->session().presentation().selected, 3);
    click(*view, u"ctxitem:删除幻灯片(D)"_s);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().presentation().slides.size(), 2u);
}

TEST(KitView, LongDropDownsScrollToTheWantedValue)
{
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [{"hint": "a", "accept": ["toolbar:字号=72"]}, {"hint": "b", "accept": ["toolbar:字号=8"]}]})json");
    click(*view, u"tb:字号"_s);
    EXPECT_FALSE(view->locate(u"drop:72"_s).has_value()); // below the visible rows
    view->clickAt(QPoint(2, 300));                        // closes the list
    EXPECT_TRUE(view->performThroughUi(u"toolbar:字号=72"_s));
    // The box shows what was chosen in it.
    EXPECT_EQ(view->session().toolbarValue(u"字号"_s), u"72"_s);
    EXPECT_TRUE(view->performThroughUi(u"toolbar:字号=8"_s));
    EXPECT_EQ(view->session().toolbarValue(u"字号"_s), u"8"_s);
    EXPECT_TRUE(view->session().isComplete());
}

TEST(KitView, TheDemonstrationPerformsEveryStepFromTheStart)
{
    for (const QByteArray& json : {layoutMovieJson(), kSaveAsMovie}) {
        auto view = viewOf(json);
        QSignalSpy done(view.get(), &KitView::completed);
        view->clickAt(view->locate(u"thumb:1"_s).value_or(QRect(0, 0, 1, 1)).center());
        view->startDemonstration();
        EXPECT_TRUE(view->demonstration().isRunning());
        EXPECT_EQ(view->session().stepIndex(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(view->session().isComplete(), 10000);
        QTRY_VERIFY(!view->demonstration().isRunning());
        EXPECT_EQ(done.count(), 1);
    }
}

TEST(KitView, PaintsEveryStateWithoutFault)
{
    auto view = viewOf(kSaveAsMovie);
    view->setHintVisible(true);
    QImage image(800, 600, QImage::Format_RGB32);
    view->render(&image);
    click(*view, u"menutitle:文件(F)"_s);
    view->render(&image);
    click(*view, u"menuitem:文件(F)/另存为(A)..."_s);
    click(*view, u"ctl:另存为/保存类型"_s);
    view->render(&image);
    view->setCompletionText(u"本题操作已完成"_s);
    view->render(&image);
    EXPECT_NE(image.pixel(400, 10), image.pixel(400, 300));
}

TEST(KitView, TheCompletionPictureLeavesTheSlideInViewAndFoldsWhenClicked)
{
    auto view = viewOf(kSaveAsMovie);
    view->resize(800, 600);
    QImage before(800, 600, QImage::Format_RGB32);
    view->render(&before);
    view->setCompletionText(u"本题操作已完成"_s);
    QImage after(800, 600, QImage::Format_RGB32);
    view->render(&after);
    // The slide pane, the slides tab and the task pane look as they did: only
    // the bottom strip (drawing toolbar, status bar) carries the picture.
    int changedAbove = 0;
    for (int y = 0; y < 480; y += 4)
        for (int x = 0; x < 800; x += 4)
            changedAbove += before.pixel(x, y) != after.pixel(x, y);
    EXPECT_EQ(changedAbove, 0);
    EXPECT_NE(before.pixel(400, 580), after.pixel(400, 580));

    // A click on it folds it into a tag at the right of the status bar; another unfolds it.
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 580));
    EXPECT_TRUE(view->isCompletionFolded());
    QImage folded(800, 600, QImage::Format_RGB32);
    view->render(&folded);
    EXPECT_EQ(folded.pixel(300, 580), before.pixel(300, 580));
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(700, 585));
    EXPECT_FALSE(view->isCompletionFolded());
}

TEST(KitView, ADemonstrationThatCannotDoAStepEnds)
{
    // An action that names nothing the window has: no move reaches it and it
    // cannot be performed (the player reads movies without the kit's check).
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [{"hint": "a", "accept": ["thumb:1"]}, {"hint": "b", "accept": ["fly:away"]}]})json");
    view->startDemonstration();
    QTRY_VERIFY_WITH_TIMEOUT(!view->demonstration().isRunning(), 5000);
    EXPECT_EQ(view->session().stepIndex(), 1);
    EXPECT_FALSE(view->session().isComplete());
}

TEST(KitView, PaintsWhatAMovieGivesWithoutFault)
{
    // Plays the demonstration, painting the window as it goes.
    QImage image(800, 600, QImage::Format_RGB32);
    auto demonstrate = [&image](KitView& view) {
        view.setPace(0);
        view.setHintVisible(true);
        view.render(&image);
        view.startDemonstration();
        QElapsedTimer clock;
        clock.start();
        for (int frame = 0; view.demonstration().isRunning() && clock.elapsed() < 10000; ++frame) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (frame < 40)
                view.render(&image);
        }
        view.render(&image);
        return !view.demonstration().isRunning();
    };

    // The handout master takes its slides per page from the master's notes.
    auto view = viewOf(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"view": "handoutmaster", "master": {"notes": "2147483647"},
                       "slides": [{"title": "t", "titleFont": {"size": 4000},
                                   "shapes": [{"type": "wordart", "text": "x", "x": -4032, "y": -4032,
                                               "w": 4032, "h": 4032}]}]},
      "steps": [{"hint": "a", "accept": ["key:Ctrl+B"], "set": {"view": "normal"}}]})json");
    EXPECT_TRUE(demonstrate(*view));

    // Every movie of the fuzzer's corpus, with the shipped kit.
    const QDir corpus(sourceFolder() + u"/tests/data/fuzz-movie"_s);
    int painted = 0;
    for (const QString& name : corpus.entryList(QDir::Files)) {
        QFile f(corpus.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        auto movie = parseMovie(f.readAll());
        if (!movie || movie->completion)
            continue;
        KitView v(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
        EXPECT_TRUE(demonstrate(v)) << name.toStdString();
        ++painted;
    }
    EXPECT_GT(painted, 0);
}

TEST(MovieControl, AMovieNamingASlideThatIsNotThereIsShownAsAMessage)
{
    // One slide, and a double-click on the ninth: the player crashed on it.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"1.w"_s);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kCraftedMovie);
    f.close();
    MovieControl control;
    control.setMovie(path);
    EXPECT_EQ(control.session(), nullptr);
    EXPECT_TRUE(control.loadError().startsWith(path + u":4: "_s)) << control.loadError().toStdString();
    QImage image(control.size(), QImage::Format_RGB32);
    control.render(&image);
}

TEST(KitView, ASearchShowsWhatItFoundInThePane)
{
    auto viewOfShipped = [](const QByteArray& json) {
        auto movie = parseMovie(json);
        EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
        auto view =
            std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
        view->setPace(0);
        view->resize(800, 600);
        return view;
    };
    // Help: the words typed go on to the 搜索结果 pane, whose topics are found for them.
    auto help = viewOfShipped(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"taskpane": "PowerPoint 帮助", "slides": [{"title": "A"}]},
      "steps": [
        {"hint": "a", "accept": ["taskpane:PowerPoint 帮助/搜索=自定义动画"]},
        {"hint": "b", "accept": ["taskpane:PowerPoint 帮助/开始搜索"]}
      ]})json");
    click(*help, u"ctl:PowerPoint 帮助/搜索"_s);
    help->typeText(u"自定义动画"_s);
    QTest::keyClick(help.get(), Qt::Key_Return);
    ASSERT_TRUE(help->session().isComplete());
    EXPECT_EQ(help->session().presentation().taskpane, u"搜索结果"_s);
    EXPECT_EQ(help->session().taskPane().value(u"搜索"_s), u"自定义动画"_s);
    EXPECT_TRUE(help->locate(u"item:搜索结果/结果/关于自定义动画"_s).has_value());
    EXPECT_FALSE(help->locate(u"item:搜索结果/结果/关于幻灯片切换"_s).has_value());

    // Clip art: the pictures found show only once 搜索 is pressed, and only then can one be inserted.
    auto clipArt = viewOfShipped(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"taskpane": "剪贴画", "slides": [{"title": "A"}]},
      "steps": [
        {"hint": "a", "accept": ["taskpane:剪贴画/搜索文字=计算机"]},
        {"hint": "b", "accept": ["taskpane:剪贴画/搜索"]},
        {"hint": "c", "accept": ["taskpane:剪贴画/结果=剪贴画 1"]}
      ]})json");
    ASSERT_TRUE(clipArt->session().perform(u"taskpane:剪贴画/搜索文字=计算机"_s));
    EXPECT_FALSE(clipArt->locate(u"item:剪贴画/结果/剪贴画 1"_s).has_value());
    EXPECT_FALSE(clipArt->session().perform(u"taskpane:剪贴画/结果=剪贴画 1"_s));
    click(*clipArt, u"ctl:剪贴画/搜索"_s);
    click(*clipArt, u"item:剪贴画/结果/剪贴画 1"_s);
    EXPECT_TRUE(clipArt->session().isComplete());
}
