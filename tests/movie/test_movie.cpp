#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "tests/fuzz/fuzzinputs.h"
#include "tests/movie/testkit.h"
#include "tests/support/craftedmovie.h"
#include "tests/support/moviesource.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

Movie layoutMovie()
{
    auto m = parseMovie(layoutMovieJson());
    EXPECT_TRUE(m.ok()) << m.error().toStdString();
    return m.value();
}

QByteArray withChange(const QByteArray& json, const std::function<void(QJsonObject&)>& change)
{
    QJsonObject o = QJsonDocument::fromJson(json).object();
    change(o);
    return QJsonDocument(o).toJson();
}

using pptdrill::test::movieOf;

// Two slides, the first with one shape (one line).
constexpr const char* kTwoSlides =
    R"({"slides": [{"title": "A", "shapes": [{"type": "rect", "x": 10, "y": 10, "w": 50, "h": 50}]}, {"title": "B"}]})";

} // namespace

TEST(MovieFormat, ReadsAPresentationAndItsSteps)
{
    const Movie m = layoutMovie();
    EXPECT_EQ(m.file, u"工作总结"_s);
    ASSERT_EQ(m.presentation.slides.size(), 2u);
    EXPECT_EQ(m.presentation.slides[1].layout, u"标题和文本"_s);
    EXPECT_EQ(m.presentation.slides[1].body, QStringList({u"市场"_s, u"\t研发"_s}));
    EXPECT_EQ(m.presentation.taskpane, u"开始工作"_s);
    ASSERT_EQ(m.steps.size(), 3u);
    EXPECT_EQ(m.steps[1].caption, m.steps[1].hint);
    EXPECT_EQ(m.steps[1].accept.size(), 2);
}

TEST(MovieFormat, DamagedUnknownOrOversizedMoviesAreRefusedWithAMessage)
{
    const QByteArray good = layoutMovieJson();
    const QByteArray cases[] = {
        good.left(good.size() / 2), // truncated
        "",
        "\x89PNG\r\n\x1a\n",
        "[1,2,3]",
        withChange(good, [](QJsonObject& o) { o[u"version"_s] = 2; }),
        withChange(good, [](QJsonObject& o) { o[u"format"_s] = u"other"_s; }),
        withChange(good, [](QJsonObject& o) { o.remove(u"steps"_s); }),
        withChange(good,
                   [](QJsonObject& o) {
                       o[u"steps"_s] = QJsonArray{QJsonObject{{u"hint"_s, u"x"_s}}};
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       o[u"steps"_s] = QJsonArray{QJsonObject{{u"accept"_s, QJsonArray{u"thumb:1"_s}}}};
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       QJsonObject p = o[u"presentation"_s].toObject();
                       p[u"selected"_s] = 9;
                       o[u"presentation"_s] = p;
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       QJsonObject p = o[u"presentation"_s].toObject();
                       p[u"slides"_s] = QJsonArray{QJsonObject{{u"title"_s, 5}}};
                       o[u"presentation"_s] = p;
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       QJsonArray steps = o[u"steps"_s].toArray();
                       QJsonObject s = steps[0].toObject();
                       s[u"set"_s] = QJsonObject{{u"slide"_s, 7}, {u"title"_s, u"x"_s}};
                       steps[0] = s;
                       o[u"steps"_s] = steps;
                   }),
        QByteArray(kMaxMovieBytes + 1, ' '),
    };
    for (const QByteArray& bytes : cases) {
        auto m = parseMovie(bytes, u"1.w"_s);
        ASSERT_FALSE(m.ok()) << bytes.left(80).toStdString();
        // "1.w:line: what", or "1.w: what" for a fault of the whole file.
        EXPECT_TRUE(fuzz::namesItsPlace(m.error(), u"1.w"_s)) << m.error().toStdString();
    }
    auto missing = loadMovieFile(u"/nonexistent/1.w"_s);
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().startsWith(u"/nonexistent/1.w: "_s)) << missing.error().toStdString();
}

TEST(MovieFormat, ASlideOrShapeThatIsNotThereIsRefusedAtItsLine)
{
    // One slide, and a double-click on the ninth: before, the step's changes
    // were written past the end of the slides.
    auto m = parseMovie(kCraftedMovie, u"crafted.movie"_s);
    ASSERT_FALSE(m.ok());
    EXPECT_TRUE(m.error().startsWith(u"crafted.movie:4: "_s)) << m.error().toStdString();
    EXPECT_TRUE(m.error().contains(u"dblclick:thumb:9"_s)) << m.error().toStdString();
    EXPECT_TRUE(m.error().contains(u"没有第 9 张幻灯片"_s)) << m.error().toStdString();

    const struct
    {
        QByteArray json;
        int line;
        QString says;
    } cases[] = {
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["thumb:3"]})"}), 4, u"没有第 3 张幻灯片"_s},
        // Every accepted way counts, not only the demonstration's.
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["thumb:2", "click:thumb:3"]})"}), 4,
         u"click:thumb:3"_s},
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["click:shape:2"]})"}), 4,
         u"第 1 张幻灯片上没有第 2 个图形"_s},
        // The slide an earlier step selected is the one clicked on.
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["thumb:2"]})",
                              R"({"hint": "h", "accept": ["dblclick:shape:1"]})"}),
         5, u"第 2 张幻灯片上没有第 1 个图形"_s},
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["dblclick:thumb:0"]})"}), 4, u"dblclick:thumb:0"_s},
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["thumb:二"]})"}), 4, u"thumb:二"_s},
        {movieOf(kTwoSlides,
                 {R"({"hint": "h", "accept": ["click:title"], "set": {"slide": 3, "title": "x"}})"}),
         4, u"steps[0].set.slide"_s},
        {movieOf(kTwoSlides,
                 {R"({"hint": "h", "accept": ["click:title"], "set": {"slide": 1.5, "title": "x"}})"}),
         4, u"steps[0].set.slide"_s},
        // A slide deleted by an earlier step is not there to click.
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["click:title"], "set": {"deleteSlide": 2}})",
                              R"({"hint": "h", "accept": ["thumb:2"]})"}),
         5, u"没有第 2 张幻灯片"_s},
        // Nor may the last slide go: the window always shows one.
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["click:title"], "set": {"deleteSlide": 2}})",
                              R"({"hint": "h", "accept": ["click:title"], "set": {"deleteSlide": 1}})"}),
         5, u"steps[1].set.deleteSlide"_s},
        {movieOf(kTwoSlides,
                 {R"({"hint": "h", "accept": ["click:title"], "set": {"insertSlide": {"at": 9}}})"}),
         4, u"steps[0].set.insertSlide.at"_s},
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["click:title"], "set": {"moveSlideTo": 7}})"}), 4,
         u"steps[0].set.moveSlideTo"_s},
        {movieOf(kTwoSlides,
                 {R"({"hint": "h", "accept": ["click:title"], "set": {"slide": 5, "moveSlideTo": 1}})"}),
         4, u"steps[0].set.slide"_s},
        {movieOf(kTwoSlides,
                 {R"({"hint": "h", "accept": ["click:title"], "set": {"titleFont": {"size": 1e9}}})"}),
         4, u"steps[0].set.titleFont.size"_s},
        {movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["click:title"],
                                 "set": {"addShape": {"type": "star", "x": 1e300, "y": 0, "w": 9, "h": 9}}})"}),
         5, u"steps[0].set.addShape.x"_s}, // the item's own line, not the step's
        {movieOf(R"({"selected": 1.5, "slides": [{"title": "A"}]})",
                 {R"({"hint": "h", "accept": ["thumb:1"]})"}),
         2, u"presentation.selected"_s},
        {movieOf(R"({"selected": 3,
                     "slides": [{"title": "A"}]})",
                 {R"({"hint": "h", "accept": ["thumb:1"]})"}),
         2, u"没有第 3 张幻灯片"_s},
        {movieOf(R"({"slides": [{"title": "A"},
                                {"title": "B", "shapes": [{"type": "rect", "x": 0, "y": -5000, "w": 1, "h": 1}]}]})",
                 {R"({"hint": "h", "accept": ["thumb:1"]})"}),
         3, u"presentation.slides[1].shapes[0].y"_s},
    };
    for (const auto& c : cases) {
        auto movie = parseMovie(c.json, u"bad.movie"_s);
        ASSERT_FALSE(movie.ok()) << c.json.toStdString();
        EXPECT_TRUE(movie.error().startsWith(u"bad.movie:%1: "_s.arg(c.line)))
            << c.json.toStdString() << "\n → " << movie.error().toStdString();
        EXPECT_TRUE(movie.error().contains(c.says))
            << c.json.toStdString() << "\n → " << movie.error().toStdString();
    }

    // What is there may be clicked.
    auto fine = parseMovie(
        movieOf(
            R"({"slides": [{"title": "A"}, {"title": "B", "shapes": [{"type": "rect", "w": 5, "h": 5}]}]})",
            {R"({"hint": "h", "accept": ["dblclick:thumb:2", "thumb:2"]})",
             R"({"hint": "h", "accept": ["click:shape:1"], "set": {"slide": 1, "moveSlideTo": 2}})",
             R"({"hint": "h", "accept": ["thumb:1"], "set": {"deleteSlide": 2}})"}),
        u"fine.movie"_s);
    ASSERT_TRUE(fine.ok()) << fine.error().toStdString();
    EXPECT_EQ(fine->source, u"fine.movie"_s);
    EXPECT_EQ(fine->steps[1].line, 5);
    EXPECT_EQ(fine->steps[0].acceptLines, (std::vector<int>{4, 4}));
}

TEST(MovieFormat, AResultEitherShowsInTheWindowOrSaysWhyItDoesNot)
{
    auto movieEnding = [](const QByteArray& tail) {
        return movieOf(kTwoSlides, {R"({"hint": "h", "accept": ["thumb:2"]})"}).chopped(2) +
               ",\n\"result\": \"r\"" + tail + "}\n";
    };
    auto shows = parseMovie(movieEnding(",\n\"shows\": \"第2张幻灯片显示在幻灯片窗格中。\""));
    ASSERT_TRUE(shows.ok()) << shows.error().toStdString();
    EXPECT_EQ(shows->shows, u"第2张幻灯片显示在幻灯片窗格中。"_s);
    EXPECT_TRUE(shows->unseen.isEmpty());
    auto unseen = parseMovie(movieEnding(",\n\"unseen\": \"打印只把幻灯片送到打印机。\""));
    ASSERT_TRUE(unseen.ok()) << unseen.error().toStdString();
    EXPECT_EQ(unseen->unseen, u"打印只把幻灯片送到打印机。"_s);
    // Neither is the reader's concern: the bank compiler asks for one.
    EXPECT_TRUE(parseMovie(movieEnding({})).ok());

    const struct
    {
        QByteArray tail;
        int line;
        QString says;
    } refused[] = {
        {",\n\"shows\": \"看得见。\",\n\"unseen\": \"看不见。\"", 8, u"只能有一个"_s},
        {",\n\"unseen\": \"看不见。\",\n\"shows\": \"看得见。\"", 7, u"只能有一个"_s},
        {",\n\"shows\": \"  \"", 7, u"不能为空"_s},
        {",\n\"unseen\": 3", 7, u"应为文字"_s},
    };
    for (const auto& c : refused) {
        auto movie = parseMovie(movieEnding(c.tail), u"bad.movie"_s);
        ASSERT_FALSE(movie.ok()) << c.tail.toStdString();
        EXPECT_TRUE(movie.error().startsWith(u"bad.movie:%1: "_s.arg(c.line))) << movie.error().toStdString();
        EXPECT_TRUE(movie.error().contains(c.says)) << movie.error().toStdString();
    }
}

TEST(MovieFormat, StepChangesEditTheRightSlide)
{
    Presentation p = layoutMovie().presentation;
    ASSERT_TRUE(applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"slide": 2, "title": "新标题",
        "titleFont": {"size": 40, "bold": true}, "addShape": {"type": "star", "x": 1, "y": 2, "w": 3, "h": 4}})json")
                                                .object())
                    .ok());
    EXPECT_EQ(p.slides[1].title, u"新标题"_s);
    EXPECT_EQ(p.slides[1].titleFont.size, 40);
    EXPECT_EQ(p.slides[1].titleFont.bold, true);
    ASSERT_EQ(p.slides[1].shapes.size(), 1u);
    EXPECT_EQ(p.slides[0].title, u"年度总结"_s);

    ASSERT_TRUE(
        applyPresentationChanges(
            p, QJsonDocument::fromJson(R"json({"insertSlide": {"at": 2, "title": "插入"}})json").object())
            .ok());
    EXPECT_EQ(p.slides.size(), 3u);
    EXPECT_EQ(p.selected, 2);
    ASSERT_TRUE(applyPresentationChanges(
                    p, QJsonDocument::fromJson(R"json({"slide": 3, "moveSlideTo": 1})json").object())
                    .ok());
    EXPECT_EQ(p.slides[0].title, u"新标题"_s);
    ASSERT_TRUE(
        applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"deleteSlide": 1})json").object()).ok());
    EXPECT_EQ(p.slides.size(), 2u);
    ASSERT_TRUE(
        applyPresentationChanges(
            p, QJsonDocument::fromJson(R"json({"allSlides": true, "transition": "溶解"})json").object())
            .ok());
    EXPECT_EQ(p.slides[0].transition.effect, u"溶解"_s);
    EXPECT_EQ(p.slides[1].transition.effect, u"溶解"_s);
    EXPECT_FALSE(
        applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"deleteSlide": 5})json").object()).ok());

    // Changes apply all or none.
    const Presentation before = p;
    EXPECT_FALSE(
        applyPresentationChanges(
            p, QJsonDocument::fromJson(R"json({"design": "Blends", "title": "x", "slide": 9})json").object())
            .ok());
    EXPECT_FALSE(
        applyPresentationChanges(
            p,
            QJsonDocument::fromJson(R"json({"insertSlide": {"title": "y"}, "moveSlideTo": 8})json").object())
            .ok());
    EXPECT_EQ(p.design, before.design);
    ASSERT_EQ(p.slides.size(), before.slides.size());
    EXPECT_EQ(p.slides[0].title, before.slides[0].title);
    EXPECT_EQ(p.slides[1].title, before.slides[1].title);

    // The last slide stays, selected.
    ASSERT_TRUE(
        applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"deleteSlide": 2})json").object()).ok());
    EXPECT_EQ(p.selected, 1);
    EXPECT_FALSE(
        applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"deleteSlide": 1})json").object()).ok());
    EXPECT_EQ(p.slides.size(), 1u);
}

TEST(MovieFormat, TransitionsAndCustomAnimationsRecordWhatTheTaskSets)
{
    Presentation p;
    p.slides.resize(2);
    auto apply = [&p](const char* json) {
        return applyPresentationChanges(p, QJsonDocument::fromJson(json).object());
    };
    // The effect's name alone (older movies), then its speed, sound and advance on top of it.
    ASSERT_TRUE(apply(R"json({"slide": 2, "transition": "向下插入"})json").ok());
    ASSERT_TRUE(
        apply(
            R"json({"slide": 2, "transition": {"speed": "中速", "sound": "风铃", "onClick": false, "after": 3}})json")
            .ok());
    const SlideTransition& t = p.slides[1].transition;
    EXPECT_EQ(t.effect, u"向下插入"_s);
    EXPECT_EQ(t.speed, u"中速"_s);
    EXPECT_EQ(t.sound, u"风铃"_s);
    EXPECT_FALSE(t.onClick);
    EXPECT_EQ(t.after, 3);
    EXPECT_TRUE(p.slides[0].transition.isNone());

    ASSERT_TRUE(
        apply(
            R"json({"slide": 1, "addEffect": {"target": "title", "effect": "飞入", "direction": "自左侧"}})json")
            .ok());
    ASSERT_TRUE(
        apply(R"json({"slide": 1, "addEffect": {"target": "shape:2", "kind": "退出", "effect": "百叶窗",
                                  "start": "之后", "speed": "快速", "trigger": "title"}})json")
            .ok());
    ASSERT_TRUE(apply(R"json({"slide": 1, "changeEffect": {"index": 1, "delay": 2, "repeat": 3}})json").ok());
    ASSERT_EQ(p.slides[0].effects.size(), 2u);
    const SlideEffect& first = p.slides[0].effects[0];
    EXPECT_EQ(first.kind, u"进入"_s);
    EXPECT_EQ(first.start, u"单击时"_s);
    EXPECT_EQ(first.direction, u"自左侧"_s);
    EXPECT_EQ(first.delay, 2);
    EXPECT_EQ(first.repeat, 3);
    EXPECT_EQ(p.slides[0].effects[1].trigger, u"title"_s);

    // What PowerPoint cannot set is refused, and nothing of the change applies.
    const Presentation before = p;
    for (const char* bad :
         {R"json({"slide": 1, "addEffect": {"target": "title", "kind": "进场", "effect": "飞入"}})json",
          R"json({"slide": 1, "addEffect": {"target": "picture", "effect": "飞入"}})json",
          R"json({"slide": 1, "addEffect": {"target": "title", "effect": "飞入", "start": "随后"}})json",
          R"json({"slide": 1, "changeEffect": {"index": 3, "delay": 1}})json",
          R"json({"slide": 1, "changeEffect": {"index": 1, "repeat": 0}})json",
          R"json({"transition": {"effect": "溶解", "speed": "很快"}})json", R"json({"transition": 5})json"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(apply(bad).ok());
        EXPECT_EQ(p, before);
    }
}

TEST(KitCatalog, ResolvesEveryKindOfActionAndRefusesWhatItDoesNotHave)
{
    const KitCatalog& kit = smallKit();
    auto menu = kit.resolve(u"menu:格式(O)/字体(F)..."_s);
    ASSERT_TRUE(menu.ok());
    EXPECT_EQ(menu->opens, u"dialog:字体"_s);
    EXPECT_TRUE(kit.resolve(u"menu:文件(F)/发送(D)/邮件收件人(M)"_s).ok());
    EXPECT_TRUE(kit.resolve(u"context:thumbnail/删除幻灯片(D)"_s).ok());
    EXPECT_TRUE(kit.resolve(u"toolbar:加粗"_s).ok());
    EXPECT_TRUE(kit.resolve(u"key:ctrl+b"_s).ok());
    EXPECT_TRUE(kit.resolve(u"thumb:3"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dblclick:thumb:2"_s).ok());
    EXPECT_TRUE(kit.resolve(u"click:title"_s).ok());
    EXPECT_TRUE(kit.resolve(u"taskpane:幻灯片版式/版式=标题幻灯片"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:字体/字号=24"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:字体/标签=效果"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:字体/下划线(U)=on"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:另存为/文件名=任何文字"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:另存为/份数=3"_s).ok());
    EXPECT_EQ(kit.resolve(u"dialog:字体/确定"_s)->opens, u"close"_s);

    const char16_t* refused[] = {
        u"menu:格式(O)/没有(X)",
        u"menu:文件(F)/发送(D)",
        u"menu:文件(F)/权限(M)",
        u"menu:编辑(E)/撤消(U)",
        u"context:nowhere/剪切(T)",
        u"toolbar:不存在",
        u"key:Ctrl+Q",
        u"thumb:0",
        u"click:elsewhere",
        u"taskpane:幻灯片版式/版式=不存在",
        u"dialog:字体/字号=99",
        u"dialog:字体/下划线(U)=yes",
        u"dialog:另存为/份数=三",
        u"dialog:字体/确定=1",
        u"dialog:字体/字号",
        u"dialog:无/确定",
        u"nothing",
        u"fly:away",
    };
    for (const char16_t* action : refused)
        EXPECT_FALSE(kit.resolve(QString::fromUtf16(action)).ok())
            << QString::fromUtf16(action).toStdString();
}

TEST(MovieSession, OnlyTheExpectedActionTakesEffect)
{
    MovieSession s(layoutMovie(), smallKit());
    int changes = 0;
    s.setChangeListener([&] { ++changes; });
    EXPECT_FALSE(s.perform(u"thumb:1"_s));
    EXPECT_FALSE(s.perform(u"taskpane:幻灯片版式/版式=标题和竖排文字"_s)); // right layout, wrong slide
    EXPECT_EQ(s.stepIndex(), 0);
    EXPECT_EQ(s.presentation().selected, 1);
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(s.perform(u"thumb:2"_s));
    EXPECT_EQ(s.presentation().selected, 2);
    EXPECT_TRUE(s.perform(u"context:slide/幻灯片版式(L)..."_s));
    EXPECT_EQ(s.presentation().taskpane, u"幻灯片版式"_s);
    EXPECT_FALSE(s.perform(u"taskpane:幻灯片版式/版式=标题幻灯片"_s));
    EXPECT_FALSE(s.isComplete());
    EXPECT_TRUE(s.perform(u"taskpane:幻灯片版式/版式=标题和竖排文字"_s));
    EXPECT_TRUE(s.isComplete());
    EXPECT_EQ(s.presentation().slides[1].layout, u"标题和竖排文字"_s);
    EXPECT_EQ(s.taskPane().value(u"版式"_s), u"标题和竖排文字"_s);
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(s.perform(u"thumb:1"_s));

    s.reset();
    EXPECT_EQ(s.stepIndex(), 0);
    EXPECT_EQ(s.presentation().slides[1].layout, u"标题和文本"_s);
    EXPECT_EQ(s.presentation().taskpane, u"开始工作"_s);
}

TEST(MovieSession, AnOpenDialogKeepsTheWindowFromTheLearner)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["key:Ctrl+T", "menu:格式(O)/字体(F)..."]},
        {"hint": "b", "accept": ["dialog:字体/字号=24"]},
        {"hint": "c", "accept": ["toolbar:加粗", "dialog:字体/确定"], "set": {"titleFont": {"size": 24}}},
        {"hint": "d", "accept": ["dialog:字体/确定", "toolbar:加粗"]}
      ]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), smallKit());
    EXPECT_TRUE(s.perform(u"key:Ctrl+T"_s));
    ASSERT_TRUE(s.dialog().has_value());
    EXPECT_EQ(s.dialog()->name, u"字体"_s);
    EXPECT_EQ(s.dialog()->value(u"字号"_s), u"18"_s);
    EXPECT_EQ(s.dialog()->tab, u"字体"_s);
    EXPECT_TRUE(s.perform(u"dialog:字体/字号=24"_s));
    EXPECT_EQ(s.dialog()->value(u"字号"_s), u"24"_s);
    // The toolbar lies behind the dialog.
    EXPECT_FALSE(s.perform(u"toolbar:加粗"_s));
    EXPECT_TRUE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_FALSE(s.dialog().has_value());
    EXPECT_EQ(s.presentation().slides[0].titleFont.size, 24);
    EXPECT_FALSE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_TRUE(s.perform(u"toolbar:加粗"_s));
    EXPECT_TRUE(s.isComplete());
}

TEST(MovieSession, ADialogOpenedFromADialogReturnsToIt)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["key:Ctrl+T"]},
        {"hint": "b", "accept": ["dialog:字体/字号=24"]},
        {"hint": "c", "accept": ["dialog:字体/更多..."]},
        {"hint": "d", "accept": ["dialog:另存为/取消"]},
        {"hint": "e", "accept": ["dialog:字体/确定"]}
      ]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), smallKit());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.perform(s.nextAction()));
    EXPECT_EQ(s.dialog()->name, u"另存为"_s);
    ASSERT_EQ(s.dialogsBeneath().size(), 1u);
    EXPECT_FALSE(s.perform(u"dialog:字体/确定"_s)); // under the other dialog
    ASSERT_TRUE(s.perform(u"dialog:另存为/取消"_s));
    ASSERT_TRUE(s.dialog().has_value());
    EXPECT_EQ(s.dialog()->name, u"字体"_s);
    EXPECT_EQ(s.dialog()->value(u"字号"_s), u"24"_s);
    EXPECT_TRUE(s.dialogsBeneath().empty());
    ASSERT_TRUE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_FALSE(s.dialog().has_value());
}

TEST(MovieSession, AClosingButtonThatLeadsOnReplacesItsDialog)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["menu:文件(F)/向导(W)..."]},
        {"hint": "b", "accept": ["dialog:向导/确定"]},
        {"hint": "c", "accept": ["dialog:另存为/取消"]}
      ]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), smallKit());
    ASSERT_TRUE(s.perform(s.nextAction()));
    ASSERT_TRUE(s.perform(s.nextAction()));
    EXPECT_EQ(s.dialog()->name, u"另存为"_s);
    EXPECT_TRUE(s.dialogsBeneath().empty());
    ASSERT_TRUE(s.perform(s.nextAction()));
    EXPECT_FALSE(s.dialog().has_value());
}

TEST(MovieSession, ASlideOrShapeThatIsNotThereCannotBeClicked)
{
    // A movie made without the reader: nothing checked it.
    Movie m;
    m.presentation.slides.resize(1);
    MovieStep step;
    step.hint = step.caption = u"h"_s;
    step.accept = QStringList{u"dblclick:thumb:9"_s, u"click:thumb:9"_s, u"thumb:9"_s, u"click:shape:1"_s};
    step.set = QJsonObject{{u"title"_s, u"B"_s}};
    m.steps.push_back(step);
    MovieSession s(m, KitCatalog::instance());
    for (const QString& action : step.accept)
        EXPECT_FALSE(s.perform(action)) << action.toStdString();
    EXPECT_EQ(s.presentation().selected, 1);
    EXPECT_EQ(s.presentation().slides.size(), 1u);
    EXPECT_TRUE(s.presentation().slides[0].title.isEmpty());
    EXPECT_FALSE(verifyMovie(m, KitCatalog::instance()).ok());

    // A presentation without slides, or a selection beyond them, shows the first slide.
    m.presentation.slides.clear();
    m.presentation.selected = 4;
    MovieSession empty(m, KitCatalog::instance());
    EXPECT_EQ(empty.presentation().slides.size(), 1u);
    EXPECT_EQ(empty.presentation().selected, 1);
    m.steps[0].accept.clear();
    EXPECT_TRUE(MovieSession(m, KitCatalog::instance()).nextAction().isEmpty());
    EXPECT_FALSE(verifyMovie(m, KitCatalog::instance()).ok());
}

TEST(MovieSession, VerificationPlaysEveryAcceptedWayAndNamesTheFault)
{
    EXPECT_TRUE(verifyMovie(layoutMovie(), smallKit()).ok());

    Movie unknown = layoutMovie();
    unknown.steps[1].accept << u"menu:格式(O)/不存在(Z)"_s;
    Status s = verifyMovie(unknown, smallKit());
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().contains(u"第 2 步"_s)) << s.error().toStdString();

    // The pane's gallery is out of reach before the pane is open.
    Movie unreachable = layoutMovie();
    unreachable.steps[1].accept << u"taskpane:幻灯片版式/版式=标题幻灯片"_s;
    s = verifyMovie(unreachable, smallKit());
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().contains(u"第 2 步"_s)) << s.error().toStdString();

    Movie dialogFirst = layoutMovie();
    dialogFirst.steps[0].accept = QStringList{u"dialog:字体/确定"_s};
    EXPECT_FALSE(verifyMovie(dialogFirst, smallKit()).ok());

    // A movie read from a file: the fault is given at the action's line.
    auto read = parseMovie(
        movieOf(R"({"slides": [{"title": "A"}]})", {R"({"hint": "h", "accept": ["key:Ctrl+T"]})",
                                                    R"j({"hint": "h", "accept": ["dialog:字体/确定",
                                                                   "menu:格式(O)/不存在(Z)"]})j"}),
        u"v.movie"_s);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    s = verifyMovie(read.value(), smallKit());
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().startsWith(u"v.movie:6: 第 2 步"_s)) << s.error().toStdString();
}

TEST(MovieSession, SavingNamesTheTitleBarButAnRtfOutlineIsOnlyAnExport)
{
    auto savedAs = [](const QString& type) {
        const QByteArray json = u"{\"format\": \"pptdrill-movie\", \"version\": 1, \"file\": \"演示文稿1\",\n"
                                u"\"presentation\": {\"slides\": [{\"title\": \"A\"}]},\n\"steps\": [\n"
                                u"{\"hint\": \"h\", \"accept\": [\"menu:文件(F)/另存为(A)...\"]},\n"
                                u"{\"hint\": \"h\", \"accept\": [\"dialog:另存为/文件名=培训计划\"]},\n"
                                u"{\"hint\": \"h\", \"accept\": [\"dialog:另存为/文件类型=%1\"]},\n"
                                u"{\"hint\": \"h\", \"accept\": [\"dialog:另存为/保存(S)\"]}]}\n"_s.arg(type)
                                    .toUtf8();
        auto movie = parseMovie(json);
        EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
        MovieSession session(movie.value(), KitCatalog::instance());
        while (!session.isComplete())
            EXPECT_TRUE(session.perform(session.nextAction()));
        return session.presentation().file;
    };
    EXPECT_EQ(savedAs(u"单个文件网页 (*.mht; *.mhtml)"_s), u"培训计划"_s);
    EXPECT_EQ(savedAs(u"大纲/RTF 文件 (*.rtf)"_s), u"演示文稿1"_s);
}

TEST(ShippedKit, LoadsAndEveryOpensNamesSomethingItHas)
{
    const KitCatalog& kit = KitCatalog::instance();
    ASSERT_EQ(kit.menus().size(), 9u);
    EXPECT_EQ(kit.menus().front().title, u"文件(F)"_s);
    EXPECT_EQ(kit.menus().back().title, u"帮助(H)"_s);
    QStringList opens;
    std::function<void(const std::vector<KitMenuItem>&)> walk = [&](const std::vector<KitMenuItem>& items) {
        for (const KitMenuItem& i : items) {
            if (!i.opens.isEmpty())
                opens << i.opens;
            walk(i.items);
        }
    };
    for (const KitMenu& m : kit.menus())
        walk(m.items);
    // Graph's menu bar: ten menus, 文件 and 窗口 PowerPoint's own.
    ASSERT_EQ(kit.graphMenus().size(), 10u);
    EXPECT_EQ(kit.graphMenus().front().items, kit.menus().front().items);
    EXPECT_EQ(kit.graphMenus()[6].title, u"数据(D)"_s);
    for (const KitMenu& m : kit.graphMenus()) {
        walk(m.items);
        // Each command of a menu has an access key of its own.
        QStringList keys;
        for (const KitMenuItem& item : m.items) {
            const qsizetype open = item.text.lastIndexOf(u'(');
            if (open >= 0 && item.text.mid(open + 2, 1) == u")"_s) {
                EXPECT_FALSE(keys.contains(item.text.mid(open + 1, 1))) << item.text.toStdString();
                keys << item.text.mid(open + 1, 1);
            }
        }
    }
    EXPECT_NE(kit.dialog(kit.graphDatasheet()), nullptr);
    for (const char* area : {"slide", "thumbnail", "text", "sorter"}) {
        ASSERT_NE(kit.contextMenu(QString::fromLatin1(area)), nullptr) << area;
        walk(*kit.contextMenu(QString::fromLatin1(area)));
    }
    for (const QString& o : std::as_const(opens)) {
        if (o.startsWith(u"dialog:"_s))
            EXPECT_NE(kit.dialog(o.mid(7)), nullptr) << o.toStdString();
        else if (o.startsWith(u"taskpane:"_s))
            EXPECT_NE(kit.taskPane(o.mid(9)), nullptr) << o.toStdString();
        else if (o.startsWith(u"view:"_s))
            EXPECT_TRUE(knownViews().contains(o.mid(5))) << o.toStdString();
        else if (o.startsWith(u"toolbar:"_s))
            EXPECT_TRUE(std::any_of(kit.toolbars().begin(), kit.toolbars().end(), [&](const auto& bar) {
                return bar.first == o.mid(8);
            })) << o.toStdString();
        else if (o.startsWith(u"graph"_s))
            EXPECT_TRUE(o == u"graph"_s || o == u"graph:datasheet"_s) << o.toStdString();
        else
            EXPECT_EQ(o, u"close"_s) << o.toStdString();
    }
}

TEST(MovieFormat, TheFuzzersCorpusPlaysWithoutFault)
{
    // Inputs a fuzzing run found interesting (scripts/fuzz.sh movie), and the
    // faults it once found (regression-*): each goes through what the fuzz
    // target does with it (tests/fuzz/fuzzinputs.h), with the shipped kit.
    const QDir corpus(sourceFolder() + u"/tests/data/fuzz-movie"_s);
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GT(files.size(), 10);
    EXPECT_FALSE(corpus.entryList({u"regression-*"_s}, QDir::Files).isEmpty());
    int accepted = 0;
    for (const QString& name : files) {
        QFile f(corpus.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        accepted += parseMovie(bytes).ok();
        EXPECT_EQ(fuzz::playMovieInput(bytes, KitCatalog::instance()), QString()) << name.toStdString();
    }
    std::printf("%lld corpus files, %d read as movies\n", static_cast<long long>(files.size()), accepted);
}
