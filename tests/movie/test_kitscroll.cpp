#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
#include "tests/support/testsupport.h"

#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

std::unique_ptr<KitView> realViewOf(const QByteArray& json)
{
    auto movie = parseMovie(json);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    return view;
}

void click(KitView& view, const QString& locator)
{
    auto r = view.locate(locator);
    ASSERT_TRUE(r.has_value()) << "not on view: " << locator.toStdString();
    view.clickAt(r->center());
}

void wheel(KitView& view, QPoint at, bool down)
{
    QWheelEvent event(QPointF(at), QPointF(view.mapToGlobal(at)), QPoint(), QPoint(0, down ? -120 : 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &event);
}

QByteArray slidesJson(int count, const QString& view, const QString& taskpane = u"开始工作"_s)
{
    QByteArray slides;
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            slides += ',';
        slides += u"{\"title\": \"第%1张\", \"body\": [\"甲%1\", \"乙%1\", \"\\t丙%1\", \"丁%1\"]}"_s.arg(i)
                      .toUtf8();
    }
    return u"{\"format\": \"pptdrill-movie\", \"version\": 1, \"presentation\": {\"view\": \"%1\", "
           "\"taskpane\": \"%2\", \"slides\": ["_s.arg(view, taskpane)
               .toUtf8() +
           slides + "]}, \"steps\": [{\"hint\": \"a\", \"accept\": [\"key:Ctrl+S\"]}]}";
}

const QByteArray kPromoteMovie = R"json({"format": "pptdrill-movie", "version": 1,
  "presentation": {"view": "outline", "selected": 1, "slides": [
    {"layout": "标题幻灯片", "title": "年度总结", "subtitle": "市场部"},
    {"title": "主要工作", "body": ["市场拓展", "产品研发", "人才建设", "\t引进骨干"]}]},
  "steps": [
    {"hint": "在“大纲”选项卡中单击第2张幻灯片的第3段文本。", "accept": ["click:outline:2/3", "click:body"]},
    {"hint": "单击“升级”按钮。", "accept": ["toolbar:升级", "key:Shift+Tab"],
     "set": {"slide": 2, "body": ["市场拓展", "产品研发"],
             "insertSlide": {"at": 3, "title": "人才建设", "body": ["引进骨干"]}}},
    {"hint": "单击“折叠”按钮。", "accept": ["toolbar:折叠"], "set": {"slide": 3, "collapsed": true}}
  ]})json";

} // namespace

TEST(Outline, EveryLineTakesClicksAndTheToolbarActsOnTheSelectedParagraph)
{
    auto view = realViewOf(kPromoteMovie);
    // The demonstration and the hint go through the outline.
    EXPECT_EQ(view->nextTargetLocator(), u"outline:2/3"_s);
    // Every paragraph has its line, the subtitle of a title slide too; the indented one lies further right.
    ASSERT_TRUE(view->locate(u"outline:1/1"_s));
    ASSERT_TRUE(view->locate(u"outline:2/4"_s));
    EXPECT_GT(view->locate(u"outline:2/4"_s)->left(), view->locate(u"outline:2/3"_s)->left());

    click(*view, u"outline:2/2"_s); // not the paragraph of the task
    EXPECT_EQ(view->session().stepIndex(), 0);
    EXPECT_EQ(view->session().selection().paragraph(), 0);
    click(*view, u"outline:2/3"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
    EXPECT_EQ(view->session().presentation().selected, 2);
    EXPECT_EQ(view->session().selection().paragraph(), 3);

    // 升级 on the 大纲 toolbar: the paragraph becomes the title of a new slide.
    click(*view, u"tb:升级"_s);
    EXPECT_EQ(view->session().stepIndex(), 2);
    EXPECT_TRUE(view->locate(u"thumb:3"_s));
    EXPECT_TRUE(view->locate(u"outline:3/1"_s));
    EXPECT_FALSE(view->locate(u"outline:2/3"_s));

    // 折叠 hides the body lines of the slide, its title stays.
    click(*view, u"tb:折叠"_s);
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_TRUE(view->locate(u"thumb:3"_s));
    EXPECT_FALSE(view->locate(u"outline:3/1"_s));
    EXPECT_TRUE(view->locate(u"outline:2/2"_s));
    EXPECT_FALSE(view->grab().isNull());
}

TEST(Outline, AParagraphClickNamesAParagraphThatIsThere)
{
    QByteArray json = kPromoteMovie;
    json.replace("click:outline:2/3", "click:outline:2/7");
    auto bad = parseMovie(json);
    ASSERT_FALSE(bad.ok());
    EXPECT_TRUE(bad.error().contains(u"第 7 段"_s)) << bad.error().toStdString();
    json = kPromoteMovie;
    json.replace("click:outline:2/3", "click:outline:2");
    EXPECT_FALSE(parseMovie(json).ok());
    // Headless, a paragraph click is out of reach outside the outline.
    auto movie = parseMovie(kPromoteMovie).value();
    movie.presentation.view = WindowView(ViewKind::Normal);
    MovieSession session(movie, KitCatalog::instance());
    EXPECT_FALSE(session.perform(u"click:outline:2/3"_s));
    EXPECT_TRUE(session.perform(u"click:body"_s));
}

TEST(LeftPane, TheSlidesTabScrollsByArrowTroughThumbAndWheel)
{
    auto view = realViewOf(slidesJson(9, u"normal"_s));
    EXPECT_FALSE(view->locate(u"thumb:6"_s));
    ASSERT_TRUE(view->locate(u"scroll:slides:down"_s));
    EXPECT_FALSE(view->locate(u"scroll:slides:pageup"_s)); // at the top

    for (int i = 0; i < 5; ++i)
        click(*view, u"scroll:slides:down"_s);
    EXPECT_TRUE(view->locate(u"thumb:6"_s));
    click(*view, u"scroll:slides:up"_s);
    click(*view, u"scroll:slides:pageup"_s);
    EXPECT_TRUE(view->locate(u"thumb:1"_s));

    click(*view, u"scroll:slides:pagedown"_s);
    EXPECT_FALSE(view->locate(u"thumb:1"_s));
    click(*view, u"scroll:slides:pageup"_s);

    // Dragging the thumb to the foot of the bar shows the last slide.
    const QRect thumb = *view->locate(u"scroll:slides:thumb"_s);
    const QRect down = *view->locate(u"scroll:slides:down"_s);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, thumb.center());
    QTest::mouseMove(view.get(), QPoint(thumb.center().x(), down.top() - 2));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(thumb.center().x(), down.top() - 2));
    EXPECT_TRUE(view->locate(u"thumb:9"_s));
    EXPECT_FALSE(view->locate(u"scroll:slides:pagedown"_s));

    for (int i = 0; i < 5; ++i)
        wheel(*view, QPoint(80, 300), false);
    EXPECT_TRUE(view->locate(u"thumb:1"_s));

    // A presentation that opens on a later slide has it on view in the slides tab.
    QByteArray onTheEighth = slidesJson(9, u"normal"_s);
    onTheEighth.replace("\"presentation\": {", "\"presentation\": {\"selected\": 8, ");
    auto later = realViewOf(onTheEighth);
    EXPECT_TRUE(later->locate(u"thumb:8"_s));
    EXPECT_FALSE(later->locate(u"thumb:1"_s));
}

TEST(LeftPane, TheOutlineScrollsToItsLastLine)
{
    auto view = realViewOf(slidesJson(6, u"outline"_s));
    EXPECT_FALSE(view->locate(u"outline:6/4"_s));
    ASSERT_TRUE(view->locate(u"scroll:outline:thumb"_s));
    for (int i = 0; i < 10; ++i)
        wheel(*view, QPoint(80, 300), true);
    EXPECT_TRUE(view->locate(u"outline:6/4"_s));
    EXPECT_FALSE(view->locate(u"thumb:1"_s));
    click(*view, u"scroll:outline:pageup"_s);
    EXPECT_TRUE(view->locate(u"thumb:1"_s));
}

TEST(TaskPane, TheClipArtPaneStaysInsideThePaneAndScrolls)
{
    // The pictures found show once 搜索 is pressed, making the pane taller than the window.
    QByteArray json = slidesJson(1, u"normal"_s, u"剪贴画"_s);
    json.replace("\"key:Ctrl+S\"]}",
                 "\"taskpane:剪贴画/搜索\"]}, {\"hint\": \"b\", \"accept\": [\"key:Ctrl+S\"]}");
    auto view = realViewOf(json);
    EXPECT_FALSE(view->locate(u"scroll:gallery:剪贴画/结果:down"_s));
    ASSERT_TRUE(view->performThroughUi(u"taskpane:剪贴画/搜索"_s));
    const QImage shot = view->grab().toImage();
    // The status bar under the pane is the status bar, as beside it.
    const int y = kit::kStatusY + 12;
    EXPECT_EQ(shot.pixelColor(700, y), shot.pixelColor(230, y));
    // Nothing of the pane answers clicks below it.
    EXPECT_FALSE(view->locate(u"ctl:剪贴画/查找剪辑提示"_s));

    // The pane's own bar brings the links at its foot on view.
    ASSERT_TRUE(view->locate(u"scroll:pane:down"_s));
    for (int i = 0; i < 40 && !view->locate(u"ctl:剪贴画/查找剪辑提示"_s); ++i)
        click(*view, u"scroll:pane:down"_s);
    EXPECT_TRUE(view->locate(u"ctl:剪贴画/查找剪辑提示"_s));

    // The gallery scrolls under the wheel anywhere over it, its own scroll bar too.
    ASSERT_TRUE(view->locate(u"scroll:gallery:剪贴画/结果:down"_s));
    EXPECT_FALSE(view->locate(u"item:剪贴画/结果/剪贴画 12"_s));
    const QRect bar = *view->locate(u"scroll:gallery:剪贴画/结果:down"_s);
    for (int i = 0; i < 8; ++i)
        wheel(*view, bar.center(), true);
    EXPECT_TRUE(view->locate(u"item:剪贴画/结果/剪贴画 12"_s));
    click(*view, u"scroll:gallery:剪贴画/结果:up"_s);
    for (int i = 0; i < 8 && view->locate(u"scroll:gallery:剪贴画/结果:pageup"_s); ++i)
        click(*view, u"scroll:gallery:剪贴画/结果:pageup"_s);
    EXPECT_TRUE(view->locate(u"item:剪贴画/结果/剪贴画 1"_s));
}
