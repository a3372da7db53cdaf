// The 自定义动画 pane's list of effects: choosing, deleting and reordering
// effects, and triggers set on 效果选项's 计时 tab.
#include "movie/document/effectlist.h"
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QImage>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::shot;

namespace {

const QString kSlides = uR"j([
    {"layout": "标题幻灯片", "title": "项目汇报", "subtitle": "研发部"},
    {"layout": "标题和文本", "title": "进度", "body": ["需求已确认", "设计已完成"],
     "shapes": [{"type": "picture", "x": 420, "y": 170, "w": 240, "h": 200},
                {"type": "rect", "x": 100, "y": 400, "w": 120, "h": 60}],
     "effects": [{"target": "title", "effect": "飞入"}, {"target": "body", "effect": "擦除"},
                 {"target": "shape:1", "effect": "盒状"}]}])j"_s;

Slide slideWithEffects()
{
    auto movie = parseMovie(uR"j({"format": "pptdrill-movie", "version": 1,
        "presentation": {"slides": %1}, "steps": [{"hint": "h", "accept": ["thumb:2"]}]})j"_s.arg(kSlides)
                                .toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.value().presentation.slides[1];
}

Status apply(Slide& slide, const char* json)
{
    Presentation p;
    p.slides = {slide};
    const Status s = applyPresentationChanges(p, QJsonDocument::fromJson(json).object());
    slide = p.slides[0];
    return s;
}

std::unique_ptr<KitView> viewOf(const QString& steps)
{
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1,
        "presentation": {"view": "normal", "taskpane": "自定义动画", "selected": 2, "slides": %1},
        "steps": [%2]})j"_s.arg(kSlides, steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    view->show();
    return view;
}

} // namespace

TEST(EffectList, RemovingAndMovingEffectsKeepTheOthersInOrder)
{
    Slide slide = slideWithEffects();
    ASSERT_TRUE(apply(slide, R"json({"moveEffect": {"index": 3, "to": 1}})json").ok());
    ASSERT_EQ(slide.effects.size(), 3u);
    EXPECT_EQ(slide.effects[0].target, u"shape:1"_s);
    EXPECT_EQ(slide.effects[1].target, u"title"_s);
    EXPECT_EQ(slide.effects[2].target, u"body"_s);
    ASSERT_TRUE(apply(slide, R"json({"moveEffect": {"index": 1, "to": 3}})json").ok());
    EXPECT_EQ(slide.effects[2].target, u"shape:1"_s);
    ASSERT_TRUE(apply(slide, R"json({"removeEffect": 1})json").ok());
    ASSERT_EQ(slide.effects.size(), 2u);
    EXPECT_EQ(slide.effects[0].target, u"body"_s);

    // A place the list does not have, or a field PowerPoint does not offer, is refused whole.
    const Slide before = slide;
    for (const char* bad : {R"json({"removeEffect": 3})json", R"json({"removeEffect": 0})json",
                            R"json({"moveEffect": {"index": 1, "to": 3}})json",
                            R"json({"moveEffect": {"index": 1}})json", R"json({"moveEffect": 2})json",
                            R"json({"changeEffect": {"index": 1, "afterAnimation": "变暗"}})json",
                            R"json({"changeEffect": {"index": 1, "repeatUntil": "永远"}})json"}) {
        SCOPED_TRACE(bad);
        Slide s = slide;
        EXPECT_FALSE(apply(s, bad).ok());
        EXPECT_EQ(s, before);
    }
    ASSERT_TRUE(apply(slide, R"json({"changeEffect": {"index": 2, "afterAnimation": "播放动画后隐藏",
                                     "rewind": true, "repeatUntil": "直到下一次单击"}})json")
                    .ok());
    EXPECT_EQ(slide.effects[1].afterAnimation, u"播放动画后隐藏"_s);
    EXPECT_TRUE(slide.effects[1].rewind);
    EXPECT_EQ(slide.effects[1].repeatUntil, u"直到下一次单击"_s);
}

TEST(EffectList, ListsTheClicksSequenceThenEachTriggersEffectsUnderItsHeading)
{
    Slide slide = slideWithEffects();
    ASSERT_TRUE(apply(slide, R"json({"changeEffect": {"index": 1, "trigger": "shape:2"}})json").ok());
    QStringList items;
    for (const EffectListRow& row : effectListRows(slide, slide.effects))
        items << row.item;
    EXPECT_EQ(items,
              (QStringList{u"2. 需求已确认"_s, u"3. 图片 3"_s, u"触发器: 矩形 4"_s, u"1. 标题 1: 进度"_s}));
    EXPECT_EQ(effectOfListItem(slide, u"1. 标题 1: 进度"_s), 0);
    EXPECT_EQ(effectOfListItem(slide, u"触发器: 矩形 4"_s), -1);
    EXPECT_EQ(slideObjectNames(slide),
              (QStringList{u"标题 1: 进度"_s, u"文本占位符 2: 需求已确认"_s, u"图片 3"_s, u"矩形 4"_s}));
}

TEST(EffectList, TheChosenEffectFollowsWhatTheStepsDoToIt)
{
    auto view = viewOf(uR"j(
        {"hint": "h", "accept": ["taskpane:自定义动画/动画列表=3. 图片 3"]},
        {"hint": "h", "accept": ["taskpane:自定义动画/上移"], "set": {"slide": 2, "moveEffect": {"index": 3, "to": 2}}},
        {"hint": "h", "accept": ["taskpane:自定义动画/删除"], "set": {"slide": 2, "removeEffect": 2}},
        {"hint": "h", "accept": ["taskpane:自定义动画/进入=飞入"], "set": {"slide": 2, "addEffect": {"target": "body", "effect": "飞入"}}})j"_s);
    MovieSession& session = view->session();
    const QImage unchosen = shot(*view);
    const auto row = view->locate(locators::item(u"自定义动画"_s, u"动画列表"_s, u"3. 图片 3"_s));
    ASSERT_TRUE(row.has_value());
    view->clickAt(row->center());
    EXPECT_EQ(session.chosenEffect(), 2);
    EXPECT_NE(shot(*view).copy(*row), unchosen.copy(*row)); // the chosen row is highlighted

    // Moved up, it stays chosen under its new place.
    ASSERT_TRUE(view->session().perform(u"taskpane:自定义动画/上移"_s));
    EXPECT_EQ(session.chosenEffect(), 1);
    EXPECT_EQ(session.taskPane().value(u"动画列表"_s), u"2. 图片 3"_s);
    // Deleted, nothing is chosen; an effect added is.
    ASSERT_TRUE(view->session().perform(u"taskpane:自定义动画/删除"_s));
    EXPECT_EQ(session.chosenEffect(), -1);
    ASSERT_TRUE(view->session().perform(u"taskpane:自定义动画/进入=飞入"_s));
    EXPECT_EQ(session.chosenEffect(), 2);
}

TEST(EffectList, TheTriggerChoicesShowOnlyOnceTriggerIsPressed)
{
    auto view = viewOf(uR"j(
        {"hint": "h", "accept": ["taskpane:自定义动画/动画列表=3. 图片 3"]},
        {"hint": "h", "accept": ["taskpane:自定义动画/计时(T)..."]},
        {"hint": "h", "accept": ["dialog:效果选项/标签=计时"]},
        {"hint": "h", "accept": ["dialog:效果选项/触发器(T)"]},
        {"hint": "h", "accept": ["dialog:效果选项/触发器=单击下列对象时启动效果(C):"]},
        {"hint": "h", "accept": ["dialog:效果选项/触发对象=矩形 4"]})j"_s);
    ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/动画列表=3. 图片 3"_s));
    ASSERT_TRUE(view->performThroughUi(u"taskpane:自定义动画/计时(T)..."_s));
    // 计时... opens on the page the task wants: the tab's step is done.
    ASSERT_EQ(view->session().dialog()->tab, u"计时"_s);
    const QString option = locators::item(u"效果选项"_s, u"触发器"_s, u"单击下列对象时启动效果(C):"_s);
    EXPECT_FALSE(view->locate(option).has_value());
    ASSERT_TRUE(view->performThroughUi(u"dialog:效果选项/触发器(T)"_s));
    ASSERT_TRUE(view->locate(option).has_value());
    view->clickAt(view->locate(option)->center());
    // The box lists the slide's objects by name.
    const KitControl* box = KitCatalog::instance().dialog(u"效果选项"_s)->control(u"触发对象"_s);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(view->session().itemsOf(*box, *view->session().dialog()).contains(u"矩形 4"_s));
    EXPECT_TRUE(view->performThroughUi(u"dialog:效果选项/触发对象=矩形 4"_s));
    EXPECT_TRUE(view->session().isComplete());
}

TEST(EffectList, TheShowHidesOrRewindsWhatTheEffectsOptionsSay)
{
    auto movie = parseMovie(uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"slides": [
        {"layout": "标题和文本", "title": "进度", "body": ["需求已确认"],
         "shapes": [{"type": "rect", "x": 100, "y": 400, "w": 120, "h": 60}],
         "effects": [{"target": "title", "effect": "飞入", "afterAnimation": "播放动画后隐藏"},
                     {"target": "body", "effect": "擦除", "afterAnimation": "下次单击后隐藏"},
                     {"target": "shape:1", "effect": "盒状", "rewind": true}]}]},
        "steps": [{"hint": "h", "accept": ["thumb:1"]}]})j"_s.toUtf8());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    SlideShow show;
    show.setManualClock(true);
    show.start(movie.value().presentation, 1);
    show.advance(2000);
    show.next();
    show.advance(3000);
    EXPECT_FALSE(show.objectVisible(u"title"_s)); // hidden once it has flown in
    show.next();
    show.advance(3000);
    EXPECT_TRUE(show.objectVisible(u"body"_s)); // until the next click
    show.next();
    EXPECT_FALSE(show.objectVisible(u"body"_s));
    show.advance(3000);
    EXPECT_FALSE(show.objectVisible(u"shape:1"_s)); // rewound to before it came in
}
