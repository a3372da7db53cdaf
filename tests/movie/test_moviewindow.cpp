// PowerPoint's window around the slides: toolbars shown and hidden, the
// presentation's windows, closing and exiting with the question about saving,
// presentations made anew (相册) and the pictures' frames.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/document/movie.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"

#include <QImage>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

QByteArray movieWith(const QByteArray& presentationFields, const QByteArray& steps)
{
    return "{\"format\": \"pptdrill-movie\", \"version\": 1, \"file\": \"周报\",\n"
           "\"presentation\": {\"slides\": [{\"layout\": \"标题幻灯片\", \"title\": \"周报\"}]" +
           presentationFields + "},\n\"steps\": [" + steps + "], \"result\": \"r\", \"unseen\": \"u\"}\n";
}

Result<Movie> readMovie(const QByteArray& presentationFields, const QByteArray& set)
{
    return parseMovie(movieWith(presentationFields,
                                "{\"hint\": \"h\", \"accept\": [\"click:title\"], \"set\": " + set + "}"));
}

const KitCatalog& windowKit()
{
    static const KitCatalog kit = [] {
        auto loaded = KitCatalog::load({{u"kit.json"_s, R"json({
  "menus": [ { "title": "文件(F)", "items": [
    { "text": "保存(S)" }, { "text": "关闭(C)", "opens": "dialog:保存更改" },
    { "text": "新建相册(N)...", "opens": "dialog:相册" } ] } ],
  "toolbars": { "常用": [ { "name": "新建", "icon": "new" } ] },
  "dialogs": {
    "保存更改": { "asksToSave": true, "controls": [
      { "type": "label", "text": "是否保存对“{file}”的更改？" },
      { "type": "button", "id": "否(N)", "opens": "close" } ] },
    "相册": { "controls": [
      { "type": "button", "id": "文件/磁盘(F)...", "opens": "dialog:插入新图片" },
      { "type": "list", "id": "相册中的图片", "from": "插入新图片/文件" },
      { "type": "button", "id": "创建(C)", "opens": "close" } ] },
    "插入新图片": { "controls": [
      { "type": "list", "id": "文件", "items": ["荷花.jpg", "竹林.jpg"] },
      { "type": "button", "id": "插入(S)", "adds": "相册/相册中的图片", "opens": "close" } ] }
  }
})json"}});
        EXPECT_TRUE(loaded.ok()) << loaded.error().toStdString();
        return loaded.value();
    }();
    return kit;
}

Movie stepsMovie(const QByteArray& presentationFields, const QByteArray& steps)
{
    auto movie = parseMovie(movieWith(presentationFields, steps));
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.value();
}

QImage pictureOf(const Presentation& presentation)
{
    Movie still;
    still.presentation = presentation;
    KitView view(std::make_unique<MovieSession>(still, KitCatalog::instance()));
    view.resize(800, 600);
    return view.grab().toImage();
}

} // namespace

TEST(MovieWindow, WindowFieldsAreReadAndAStepChangesOnlyThoseItGives)
{
    auto movie = readMovie(R"(, "window": {"windows": 2, "toolbars": ["大纲"]})",
                           R"({"window": {"drawingToolbar": false, "arrange": "层叠", "closed": true}})");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    Presentation pres = movie.value().presentation;
    EXPECT_EQ(pres.window.windows, 2);
    EXPECT_EQ(pres.window.toolbars, QStringList{u"大纲"_s});
    EXPECT_TRUE(pres.window.drawingToolbar);
    ASSERT_TRUE(applyPresentationChanges(pres, movie.value().steps[0].set).ok());
    EXPECT_FALSE(pres.window.drawingToolbar);
    EXPECT_EQ(pres.window.arrange, u"层叠"_s);
    EXPECT_TRUE(pres.window.closed);
    EXPECT_FALSE(pres.window.exited);
    EXPECT_EQ(pres.window.windows, 2);
    EXPECT_EQ(pres.window.toolbars, QStringList{u"大纲"_s});
}

TEST(MovieWindow, WindowFieldsOutOfTheirRangeAreRefused)
{
    for (const char* window :
         {R"({"windows": 0})", R"({"windows": 10})", R"({"windows": 1.5})", R"({"arrange": "平铺"})",
          R"({"toolbars": "大纲"})", R"({"toolbars": [""]})", R"({"closed": "true"})"}) {
        auto movie = readMovie(", \"window\": " + QByteArray(window), "{}");
        EXPECT_FALSE(movie.ok()) << window;
        if (!movie.ok()) {
            EXPECT_TRUE(movie.error().contains(u"window"_s)) << movie.error().toStdString();
        }
    }
}

TEST(MovieWindow, ANewPresentationReplacesTheSlidesAndSelectsTheFirst)
{
    auto movie = readMovie(R"(, "selected": 1)", R"json({"file": "演示文稿2", "replaceSlides": [
        {"layout": "标题幻灯片", "title": "相册"},
        {"layout": "空白", "shapes": [{"type": "picture", "x": 72, "y": 54, "w": 576, "h": 432, "frame": "圆角矩形"}]},
        {"layout": "空白"}]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    Presentation pres = movie.value().presentation;
    ASSERT_TRUE(applyPresentationChanges(pres, movie.value().steps[0].set).ok());
    ASSERT_EQ(pres.slides.size(), 3u);
    EXPECT_EQ(pres.selected, 1);
    EXPECT_EQ(pres.file, u"演示文稿2"_s);
    EXPECT_EQ(pres.slides[1].shapes[0].frame, u"圆角矩形"_s);

    for (const char* set : {R"({"replaceSlides": []})", R"({"replaceSlides": [1]})",
                            R"({"replaceSlides": [{"shapes": [{"type": "rect", "frame": "圆角矩形"}]}]})",
                            R"({"replaceSlides": [{"shapes": [{"type": "picture", "frame": "椭圆"}]}]})"}) {
        auto bad = readMovie({}, set);
        EXPECT_FALSE(bad.ok()) << set;
    }
}

TEST(MovieWindow, AStepHidesTheTaskPaneOrShowsAnother)
{
    auto movie = readMovie(R"(, "taskpane": "幻灯片版式")", R"({"taskpane": null})");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    Presentation pres = movie.value().presentation;
    ASSERT_TRUE(applyPresentationChanges(pres, movie.value().steps[0].set).ok());
    EXPECT_TRUE(pres.taskpane.isEmpty());
    ASSERT_TRUE(applyPresentationChanges(pres, QJsonObject{{u"taskpane"_s, u"开始工作"_s}}).ok());
    EXPECT_EQ(pres.taskpane, u"开始工作"_s);
    EXPECT_EQ(pres.slides.size(), 1u); // nothing of the slides changed
}

TEST(MovieWindow, ClosingAsksToSaveOnlyWhileThereAreChanges)
{
    const QByteArray closeUnsaved = R"json({"hint": "h", "accept": ["menu:文件(F)/关闭(C)"]},
        {"hint": "h", "accept": ["dialog:保存更改/否(N)"], "set": {"window": {"closed": true}}})json";
    MovieSession unsaved(stepsMovie({}, closeUnsaved), windowKit());
    ASSERT_TRUE(unsaved.perform(u"menu:文件(F)/关闭(C)"_s));
    ASSERT_TRUE(unsaved.dialog().has_value());
    EXPECT_EQ(unsaved.dialog()->name, u"保存更改"_s);
    ASSERT_TRUE(unsaved.perform(u"dialog:保存更改/否(N)"_s));
    EXPECT_FALSE(unsaved.dialog().has_value());
    EXPECT_TRUE(unsaved.presentation().window.closed);

    const QByteArray saveThenClose = R"json(
        {"hint": "h", "accept": ["menu:文件(F)/保存(S)"], "set": {"window": {"saved": true}}},
        {"hint": "h", "accept": ["menu:文件(F)/关闭(C)"], "set": {"window": {"closed": true}}})json";
    MovieSession saved(stepsMovie({}, saveThenClose), windowKit());
    ASSERT_TRUE(saved.perform(u"menu:文件(F)/保存(S)"_s));
    ASSERT_TRUE(saved.perform(u"menu:文件(F)/关闭(C)"_s));
    EXPECT_FALSE(saved.dialog().has_value());
    EXPECT_TRUE(saved.isComplete());
}

TEST(MovieWindow, PicturesInsertedFromTheirDialogGoIntoTheAlbumBeneath)
{
    const QByteArray steps = R"json({"hint": "h", "accept": ["menu:文件(F)/新建相册(N)..."]},
        {"hint": "h", "accept": ["dialog:相册/文件/磁盘(F)..."]},
        {"hint": "h", "accept": ["dialog:插入新图片/文件=竹林.jpg"]},
        {"hint": "h", "accept": ["dialog:插入新图片/插入(S)"]},
        {"hint": "h", "accept": ["dialog:相册/文件/磁盘(F)..."]},
        {"hint": "h", "accept": ["dialog:插入新图片/文件=荷花.jpg"]},
        {"hint": "h", "accept": ["dialog:插入新图片/插入(S)"]},
        {"hint": "h", "accept": ["dialog:相册/创建(C)"]})json";
    const Movie movie = stepsMovie({}, steps);
    MovieSession s(movie, windowKit());
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(s.perform(s.nextAction())) << i;
    ASSERT_TRUE(s.dialog().has_value());
    ASSERT_EQ(s.dialog()->name, u"相册"_s);
    const KitControl* list = windowKit().dialog(u"相册"_s)->control(u"相册中的图片"_s);
    EXPECT_EQ(s.itemsOf(*list, *s.dialog()), (QStringList{u"1. 竹林.jpg"_s, u"2. 荷花.jpg"_s}));
    EXPECT_TRUE(verifyMovie(movie, windowKit()).ok());
}

TEST(MovieWindow, AListFilledFromADialogThatIsNotThereIsRefused)
{
    auto loaded = KitCatalog::load({{u"kit.json"_s, R"json({"dialogs": {
        "相册": { "controls": [ { "type": "list", "id": "图片", "from": "插入新图片/文件" } ] } }})json"}});
    EXPECT_FALSE(loaded.ok());
}

TEST(MovieWindow, EachStateOfTheWindowLooksDifferent)
{
    Presentation pres;
    pres.file = u"周报"_s;
    pres.slides.push_back(Slide{});
    pres.slides[0].title = u"周报"_s;
    std::vector<QImage> pictures{pictureOf(pres)};
    const auto add = [&](auto change) {
        Presentation changed = pres;
        change(changed.window);
        pictures.push_back(pictureOf(changed));
    };
    add([](WindowOptions& w) { w.drawingToolbar = false; });
    add([](WindowOptions& w) { w.toolbars = {u"大纲"_s}; });
    add([](WindowOptions& w) { w.windows = 2; });
    add([](WindowOptions& w) {
        w.windows = 2;
        w.arrange = u"全部重排"_s;
    });
    add([](WindowOptions& w) {
        w.windows = 2;
        w.arrange = u"层叠"_s;
    });
    add([](WindowOptions& w) { w.assistant = true; });
    add([](WindowOptions& w) { w.closed = true; });
    add([](WindowOptions& w) { w.exited = true; });
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
}

TEST(MovieWindow, NothingOfAClosedPresentationCanBeClicked)
{
    Movie movie;
    movie.presentation.slides.push_back(Slide{});
    movie.presentation.slides.push_back(Slide{});
    movie.presentation.window.closed = true;
    KitView closed(std::make_unique<MovieSession>(movie, KitCatalog::instance()));
    closed.resize(800, 600);
    EXPECT_FALSE(closed.locate(locators::thumb(2)).has_value());
    EXPECT_TRUE(closed.locate(locators::menuTitle(u"文件(F)"_s)).has_value());

    movie.presentation.window.exited = true;
    KitView exited(std::make_unique<MovieSession>(movie, KitCatalog::instance()));
    exited.resize(800, 600);
    EXPECT_FALSE(exited.locate(locators::menuTitle(u"文件(F)"_s)).has_value());
}
