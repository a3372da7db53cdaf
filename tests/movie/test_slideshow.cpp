// The slide show: transitions drawn frame by frame, custom animations in
// order with their starts and triggers, and a show inside a task.
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/slides/slideshow.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

Presentation presentationOf(const QString& json)
{
    const QString movie =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": %1, "steps": [{"hint": "a", "accept": ["thumb:1"]}]})j"_s
            .arg(json);
    auto parsed = parseMovie(movie.toUtf8());
    EXPECT_TRUE(parsed.ok()) << parsed.error().toStdString();
    return parsed.ok() ? parsed.value().presentation : Presentation{};
}

QImage frameOf(SlideShow& show)
{
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    show.paint(p, image.rect());
    return image;
}

// How many of a sample of the frame's pixels are near each colour.
std::pair<int, int> countNear(const QImage& image, QColor a, QColor b)
{
    int na = 0, nb = 0;
    for (int y = 5; y < image.height(); y += 10) {
        for (int x = 5; x < image.width(); x += 10) {
            const QColor c = image.pixelColor(x, y);
            auto near = [&](QColor k) {
                return std::abs(c.red() - k.red()) + std::abs(c.green() - k.green()) +
                           std::abs(c.blue() - k.blue()) <
                       60;
            };
            na += near(a);
            nb += near(b);
        }
    }
    return {na, nb};
}

const QColor kRed(0xC0, 0x20, 0x20), kBlue(0x20, 0x40, 0xC0);

Presentation twoColouredSlides(const QString& transition)
{
    return presentationOf(uR"j({"slides": [
        {"layout": "空白", "background": "#C02020"},
        {"layout": "空白", "background": "#2040C0", "transition": {"effect": "%1", "speed": "中速"}}]})j"_s
                              .arg(transition));
}

} // namespace

TEST(SlideShow, ATransitionOfEachFamilyPaintsFramesBetweenTheOldSlideAndTheNew)
{
    const QStringList families = {u"向右擦除"_s, u"水平百叶窗"_s, u"垂直百叶窗"_s,       u"溶解"_s,
                                  u"向下推出"_s, u"向下插入"_s,   u"横向棋盘式"_s,       u"纵向棋盘式"_s,
                                  u"盒状展开"_s, u"盒状收缩"_s,   u"阶梯状向右下展开"_s, u"圆形"_s,
                                  u"向上揭开"_s, u"随机"_s,       u"随机水平线条"_s,     u"平滑淡出"_s};
    for (const QString& name : families) {
        SCOPED_TRACE(name.toStdString());
        SlideShow show;
        show.setManualClock(true);
        show.start(twoColouredSlides(name), 1);
        ASSERT_EQ(show.slide(), 1);
        show.next();
        ASSERT_EQ(show.slide(), 2);
        ASSERT_TRUE(show.inTransition());
        const QImage first = frameOf(show);
        show.advance(500); // 中速 lasts a second
        const QImage half = frameOf(show);
        show.advance(500);
        EXPECT_FALSE(show.inTransition());
        const QImage last = frameOf(show);
        EXPECT_EQ(countNear(first, kRed, kBlue).second, 0);
        EXPECT_EQ(countNear(last, kRed, kBlue).first, 0);
        const auto [red, blue] = countNear(half, kRed, kBlue);
        if (name == u"平滑淡出"_s) {
            // A cross-fade: every pixel is a mix of both.
            EXPECT_EQ(red + blue, 0);
            EXPECT_NE(half, first);
        } else {
            // Half-way, part of each slide shows.
            EXPECT_GT(red, 300);
            EXPECT_GT(blue, 300);
        }
    }
}

TEST(SlideShow, AWipeSweepsInItsDirectionAndADissolveMixesSquaresOfBoth)
{
    SlideShow wipe;
    wipe.setManualClock(true);
    wipe.start(twoColouredSlides(u"向右擦除"_s), 1);
    wipe.next();
    wipe.advance(500);
    const QImage frame = frameOf(wipe);
    EXPECT_EQ(countNear(frame.copy(0, 0, 380, 600), kRed, kBlue).first, 0);
    EXPECT_EQ(countNear(frame.copy(420, 0, 380, 600), kRed, kBlue).second, 0);

    SlideShow dissolve;
    dissolve.setManualClock(true);
    dissolve.start(twoColouredSlides(u"溶解"_s), 1);
    dissolve.next();
    dissolve.advance(500);
    // Each half of the slide has squares of both slides.
    const QImage mixed = frameOf(dissolve);
    for (const QRect part : {QRect(0, 0, 400, 600), QRect(400, 0, 400, 600)}) {
        const auto [red, blue] = countNear(mixed.copy(part), kRed, kBlue);
        EXPECT_GT(red, 300);
        EXPECT_GT(blue, 300);
    }
}

TEST(SlideShow, TheSpeedSetsHowLongATransitionLastsAndEveryFewSecondsMovesOnByItself)
{
    Presentation p = presentationOf(uR"j({"slides": [
        {"layout": "空白", "background": "#C02020", "transition": {"effect": "溶解", "after": 3}},
        {"layout": "空白", "background": "#2040C0", "transition": {"effect": "溶解", "speed": "慢速", "onClick": false}},
        {"layout": "空白"}]})j"_s);
    SlideShow show;
    show.setManualClock(true);
    show.start(p, 1);
    show.advance(500); // 快速: half a second from black
    EXPECT_FALSE(show.inTransition());
    show.advance(2900);
    EXPECT_EQ(show.slide(), 1);
    show.advance(200);
    EXPECT_EQ(show.slide(), 2);
    show.advance(1000);
    EXPECT_TRUE(show.inTransition()); // 慢速 lasts longer
    show.advance(500);
    EXPECT_FALSE(show.inTransition());
    // 单击鼠标时 unticked: a click stays, a key moves on.
    show.clickAt(QPoint(400, 300), QSize(800, 600));
    EXPECT_EQ(show.slide(), 2);
    show.next(false);
    EXPECT_EQ(show.slide(), 3);
    show.next();
    EXPECT_EQ(show.slide(), 0); // 放映结束
}

TEST(SlideShow, AnimationsComeInOrderWithTheirStartsAndTriggers)
{
    Presentation p =
        presentationOf(uR"j({"slides": [{"layout": "标题和文本", "title": "计划", "body": ["一", "二"],
        "shapes": [{"type": "rect", "x": 60, "y": 400, "w": 100, "h": 80, "fill": "#00A000"},
                   {"type": "ellipse", "x": 500, "y": 400, "w": 100, "h": 80, "fill": "#A000A0"}],
        "effects": [
          {"target": "title", "effect": "飞入", "start": "之前", "direction": "自左侧", "speed": "快速"},
          {"target": "body", "effect": "擦除", "speed": "快速", "textGrouping": "作为一个对象"},
          {"target": "shape:1", "kind": "强调", "effect": "陀螺旋", "start": "之后", "delay": 1, "speed": "快速"},
          {"target": "shape:1", "kind": "退出", "effect": "百叶窗", "trigger": "shape:2", "speed": "快速"}]}]})j"_s);
    SlideShow show;
    show.setManualClock(true);
    show.start(p, 1);
    // 之前 before any click: the title comes with the slide.
    EXPECT_EQ(show.startedEffects(), std::vector<int>{0});
    const QImage flying = (show.advance(500), frameOf(show));
    show.advance(600);
    EXPECT_TRUE(show.objectVisible(u"title"_s));
    EXPECT_NE(flying, frameOf(show));
    // 单击时 waits for a click.
    EXPECT_FALSE(show.objectVisible(u"body"_s));
    show.advance(5000);
    EXPECT_FALSE(show.objectVisible(u"body"_s));
    show.clickAt(QPoint(400, 300), QSize(800, 600));
    EXPECT_EQ(show.startedEffects(), (std::vector<int>{0, 1}));
    // 之后 follows, after its delay.
    show.advance(1000);
    EXPECT_TRUE(show.objectVisible(u"body"_s));
    EXPECT_EQ(show.startedEffects().size(), 2u);
    show.advance(1100);
    EXPECT_EQ(show.startedEffects(), (std::vector<int>{0, 1, 2}));
    show.advance(1000);
    // The trigger waits for a click on its object; a click elsewhere moves on instead.
    EXPECT_TRUE(show.objectVisible(u"shape:1"_s));
    show.clickAt(QPoint(550 * 800 / 720, 440 * 600 / 540), QSize(800, 600));
    EXPECT_EQ(show.startedEffects(), (std::vector<int>{0, 1, 2, 3}));
    show.advance(1000);
    EXPECT_FALSE(show.objectVisible(u"shape:1"_s));
    EXPECT_EQ(show.slide(), 1);
    show.clickAt(QPoint(400, 100), QSize(800, 600));
    EXPECT_EQ(show.slide(), 0);
}

TEST(SlideShow, TextAnimatedByParagraphsComesAParagraphAClick)
{
    const QString slide =
        uR"j({"slides": [{"layout": "标题和文本", "title": "计划", "body": ["一", "\t甲", "二"],
        "effects": [{"target": "body", "effect": "出现" %1}]}]})j"_s;
    SlideShow byFirstLevel;
    byFirstLevel.setManualClock(true);
    byFirstLevel.start(presentationOf(slide.arg(QString())), 1);
    const QImage none = frameOf(byFirstLevel);
    byFirstLevel.next();
    byFirstLevel.advance(2000);
    // The first paragraph and the one under it; the second first-level paragraph waits.
    EXPECT_TRUE(byFirstLevel.objectVisible(u"body#0"_s));
    EXPECT_TRUE(byFirstLevel.objectVisible(u"body#1"_s));
    EXPECT_FALSE(byFirstLevel.objectVisible(u"body"_s));
    const QImage first = frameOf(byFirstLevel);
    byFirstLevel.next();
    byFirstLevel.advance(2000);
    EXPECT_TRUE(byFirstLevel.objectVisible(u"body"_s));
    EXPECT_NE(none, first);
    EXPECT_NE(first, frameOf(byFirstLevel));
    EXPECT_EQ(byFirstLevel.slide(), 1);

    // 所有段落同时 and 相反顺序.
    SlideShow together;
    together.setManualClock(true);
    together.start(presentationOf(slide.arg(u", \"textGrouping\": \"所有段落同时\""_s)), 1);
    together.next();
    together.advance(2000);
    EXPECT_TRUE(together.objectVisible(u"body"_s));
    SlideShow reversed;
    reversed.setManualClock(true);
    reversed.start(presentationOf(slide.arg(u", \"reverse\": true"_s)), 1);
    reversed.next();
    reversed.advance(2000);
    EXPECT_TRUE(reversed.objectVisible(u"body#2"_s));
    EXPECT_FALSE(reversed.objectVisible(u"body#0"_s));
}

TEST(SlideShow, ClicksAndKeysInAShowMoveTheShowOnButNotTheTask)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal", "slides": [
          {"title": "一", "effects": [{"target": "title", "effect": "飞入"}]},
          {"title": "二", "transition": "溶解"}]},
        "steps": [{"hint": "a", "accept": ["key:F5"]}, {"hint": "b", "accept": ["key:Esc"]},
                  {"hint": "c", "accept": ["thumb:2"]}]})j"_s;
    auto movie = parseMovie(json.toUtf8());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.slideShow().setManualClock(true);
    QTest::keyClick(&view, Qt::Key_F5);
    ASSERT_EQ(view.session().view().kind(), ViewKind::Show);
    EXPECT_EQ(view.session().stepIndex(), 1);
    EXPECT_FALSE(view.slideShow().objectVisible(u"title"_s));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_EQ(view.slideShow().startedEffects(), std::vector<int>{0});
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_EQ(view.slideShow().slide(), 2);
    EXPECT_EQ(view.session().stepIndex(), 1);
    // Esc is the task's next step here: it takes it.
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(view.session().stepIndex(), 2);
}

TEST(SlideShow, EscEndsAShowThatTheTaskDoesNotWaitIn)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "sorter", "slides": [
          {"title": "一"}, {"title": "二"}]},
        "steps": [{"hint": "a", "accept": ["key:F5"]}, {"hint": "b", "accept": ["thumb:2"]}]})j"_s;
    auto movie = parseMovie(json.toUtf8());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.slideShow().setManualClock(true);
    QTest::keyClick(&view, Qt::Key_F5);
    ASSERT_EQ(view.session().view().kind(), ViewKind::Show);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(view.session().view().kind(), ViewKind::Sorter);
    EXPECT_FALSE(view.slideShow().isRunning());
    EXPECT_EQ(view.session().stepIndex(), 1);
}

namespace {

std::unique_ptr<KitView> viewOf(const QString& presentation, const QString& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": %1, "steps": [%2]})j"_s.arg(
            presentation, steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
}

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

TEST(SlideShow, TheCustomAnimationPaneTagsEachAnimatedObjectAndListsItsEffects)
{
    const QString slide =
        uR"j({"view": "normal", "taskpane": "自定义动画", "slides": [{"title": "计划", "body": ["一", "二"],
            "shapes": [{"type": "rect", "x": 400, "y": 380, "w": 120, "h": 80}] %1}]})j"_s;
    const QString effects =
        uR"j(, "effects": [{"target": "title", "effect": "飞入", "start": "之前"}, {"target": "body", "effect": "擦除"},
              {"target": "shape:1", "kind": "退出", "effect": "百叶窗", "start": "之后"}])j"_s;
    const QString step = uR"j({"hint": "a", "accept": ["thumb:1"]})j"_s;
    auto plain = viewOf(slide.arg(QString()), step);
    auto animated = viewOf(slide.arg(effects), step);
    const QImage before = plain->grab().toImage();
    const QImage after = animated->grab().toImage();
    // Three grey tags of 11 × 10 pixels, less their numbers.
    EXPECT_GE(countColour(after, 0xE0E0E0) - countColour(before, 0xE0E0E0), 3 * 70);
    // The pane's list names them.
    EXPECT_NE(before.copy(animated->locate(u"ctl:自定义动画/动画列表"_s).value_or(QRect())),
              after.copy(animated->locate(u"ctl:自定义动画/动画列表"_s).value_or(QRect())));
    EXPECT_EQ(effectClickNumbers(playedEffects(animated->session().presentation().slides[0])),
              (std::vector<int>{0, 1, 1}));
    // Text animated by paragraphs has a tag for each of them; as one object, one tag.
    auto whole = viewOf(
        slide.arg(QString(effects).replace(u"\"擦除\""_s, u"\"擦除\", \"textGrouping\": \"作为一个对象\""_s)),
        step);
    EXPECT_GE(countColour(after, 0xE0E0E0) - countColour(whole->grab().toImage(), 0xE0E0E0), 70);
}

TEST(SlideShow, AnEffectChosenWithAutoPreviewPlaysOnceOnTheSlidePane)
{
    auto view = viewOf(
        uR"j({"view": "normal", "taskpane": "幻灯片切换", "slides": [{"title": "计划", "background": "#2040C0"}]})j"_s,
        uR"j({"hint": "a", "accept": ["taskpane:幻灯片切换/效果=溶解"], "set": {"transition": "溶解"}})j"_s);
    view->transitionPreview().setManualClock(true);
    // A choice the task does not want changes nothing, and plays nothing.
    EXPECT_FALSE(view->performThroughUi(u"taskpane:幻灯片切换/效果=水平百叶窗"_s));
    EXPECT_FALSE(view->transitionPreview().isRunning());
    const QImage still = view->grab().toImage();
    ASSERT_TRUE(view->performThroughUi(u"taskpane:幻灯片切换/效果=溶解"_s));
    ASSERT_TRUE(view->transitionPreview().inTransition());
    view->transitionPreview().advance(250); // 快速: half a second
    const QImage half = view->grab().toImage();
    view->transitionPreview().advance(300);
    EXPECT_FALSE(view->transitionPreview().isRunning());
    const QImage end = view->grab().toImage();
    EXPECT_NE(half, end);
    EXPECT_NE(half, still);
}

TEST(SlideShow, AShowTheTaskDoesNotAskForCanBeWatchedAndLeftWithoutTouchingTheTask)
{
    // The task sets slide 2's transition; F5 before or after shows the presentation as it stands.
    auto view = viewOf(
        uR"j({"view": "normal", "slides": [{"title": "一"}, {"title": "二", "transition": "溶解"}]})j"_s,
        uR"j({"hint": "a", "accept": ["thumb:2"]}, {"hint": "b", "accept": ["menu:幻灯片放映(D)/幻灯片切换(T)..."]})j"_s);
    view->slideShow().setManualClock(true);
    QTest::keyClick(view.get(), Qt::Key_F5);
    ASSERT_EQ(view->session().view().kind(), ViewKind::Show);
    EXPECT_TRUE(view->slideShow().isRunning());
    EXPECT_EQ(view->slideShow().slide(), 1);
    EXPECT_EQ(view->session().stepIndex(), 0);
    // A click moves the show on to slide 2 (with its transition), not the task.
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(view->slideShow().slide(), 2);
    EXPECT_EQ(view->session().stepIndex(), 0);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(view->session().view().kind(), ViewKind::Normal);
    EXPECT_FALSE(view->slideShow().isRunning());
    // The task goes on where it was.
    EXPECT_TRUE(view->session().perform(u"thumb:2"_s));
    EXPECT_EQ(view->session().stepIndex(), 1);
}
