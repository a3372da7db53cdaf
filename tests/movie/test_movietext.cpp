// The movie fields of text: text boxes (font, 竖排, anchor, wrapping, insets),
// font effects, picture bullets, the notes' own font, and the dialogs that set them.
#include "movie/kit/kitcatalog.h"
#include "movie/document/movie.h"
#include "movie/session/moviesession.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// A movie whose slide fields are on line 3 and whose one step (line 5) accepts `action` and sets `set`.
QByteArray movieWith(const QByteArray& slideFields, const QByteArray& set,
                     const QByteArray& action = "click:body", const QByteArray& presentationFields = "")
{
    return "{\"format\": \"pptdrill-movie\", \"version\": 1,\n\"presentation\": {" + presentationFields +
           "\"slides\": [\n{\"title\": \"A\", \"body\": [\"x\"]" + slideFields +
           "}, {\"title\": \"B\"}]},\n"
           "\"steps\": [\n{\"hint\": \"h\", \"accept\": [\"" +
           action + "\"], \"set\": " + set + "}\n]}\n";
}

Presentation played(const QByteArray& json)
{
    auto movie = parseMovie(json);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    if (!movie.ok())
        return {};
    Presentation p = movie.value().presentation;
    EXPECT_TRUE(applyPresentationChanges(p, movie.value().steps[0].set).ok());
    return p;
}

} // namespace

TEST(MovieText, TextBoxFieldsAreReadAndAStepChangesOnlyThoseItNames)
{
    const Presentation p = played(movieWith(
        R"(, "shapes": [{"type": "textbox", "x": 10, "y": 10, "w": 40, "h": 100, "text": "诚信为本",
            "vertical": true, "wordWrap": false, "insetLeft": 0.5, "font": {"family": "华文行楷", "size": 40}}])",
        R"({"editShape": {"shape": 1, "anchor": "中部居中", "font": {"color": "#FF0000"}}})"));
    ASSERT_EQ(p.slides[0].shapes.size(), 1u);
    const SlideShape& box = p.slides[0].shapes[0];
    EXPECT_TRUE(box.vertical);
    EXPECT_FALSE(box.wordWrap);
    EXPECT_DOUBLE_EQ(box.insetLeft, 0.5);
    EXPECT_DOUBLE_EQ(box.insetRight, 0.25); // the dialog's own
    EXPECT_EQ(box.anchor, u"中部居中"_s);
    EXPECT_EQ(box.font.family, u"华文行楷"_s);
    EXPECT_DOUBLE_EQ(box.font.size, 40);
    EXPECT_EQ(box.font.color, u"#FF0000"_s);
}

TEST(MovieText, FontEffectsAndTheLatinFamilyComeFromTheMasterUnlessTheSlideHasItsOwn)
{
    const Presentation p =
        played(movieWith(R"(, "titleFont": {"latinFamily": "Georgia"})",
                         R"({"master": {"titleFont": {"latinFamily": "Arial", "emboss": true},
                                                "bodyFont": {"shadow": true}}})"));
    const Slide first = slideAsShown(p, p.slides[0]);
    const Slide second = slideAsShown(p, p.slides[1]);
    EXPECT_EQ(first.titleFont.latinFamily, u"Georgia"_s);
    EXPECT_EQ(second.titleFont.latinFamily, u"Arial"_s);
    EXPECT_TRUE(first.titleFont.emboss.value_or(false));
    EXPECT_TRUE(second.bodyFont.shadow.value_or(false));
    EXPECT_FALSE(second.titleFont.shadow.value_or(false));
}

TEST(MovieText, PictureBulletsNotesFontAndTheSlideGoneToAreSet)
{
    const Presentation p = played(
        movieWith("", R"({"slide": 1, "bullets": {"picture": 3}, "notesFont": {"size": 20}, "selected": 2})",
                  "click:body", R"("selected": 1, )"));
    EXPECT_EQ(p.slides[0].bullets.picture, 3);
    EXPECT_DOUBLE_EQ(p.slides[0].notesFont.size, 20);
    EXPECT_EQ(p.selected, 2);
}

TEST(MovieText, BadTextValuesAreRefusedAtTheirLine)
{
    const struct
    {
        QByteArray set;
        QString says;
    } cases[] = {
        {R"({"addShape": {"type": "textbox", "w": 9, "h": 9, "anchor": "居中"}})", u"anchor 不能是“居中”"_s},
        {R"({"addShape": {"type": "textbox", "w": 9, "h": 9, "insetLeft": -1}})",
         u"insetLeft 应为 0 至 100 厘米"_s},
        {R"({"addShape": {"type": "textbox", "w": 9, "h": 9, "vertical": "yes"}})",
         u"vertical 应为true 或 false"_s},
        {R"({"bullets": {"picture": 17}})", u"bullets.picture 应为 0 至 16"_s},
        {R"({"bullets": {"picture": 2.5}})", u"bullets.picture 应为整数"_s},
        {R"({"titleFont": {"emboss": 1}})", u"titleFont.emboss 应为true 或 false"_s},
        {R"({"selected": 3})", u"selected 没有第 3 张幻灯片"_s},
    };
    for (const auto& c : cases) {
        auto movie = parseMovie(movieWith("", c.set), u"t.movie"_s);
        ASSERT_FALSE(movie.ok()) << c.set.toStdString();
        EXPECT_TRUE(movie.error().contains(u"t.movie:5:"_s)) << movie.error().toStdString();
        EXPECT_TRUE(movie.error().contains(c.says)) << movie.error().toStdString();
    }
}

TEST(MovieText, APictureBulletChosenClosesBothDialogs)
{
    auto movie = parseMovie(R"({"format": "pptdrill-movie", "version": 1,
"presentation": {"slides": [{"title": "A", "body": ["x"]}]},
"steps": [
  {"hint": "h", "accept": ["click:body"]},
  {"hint": "h", "accept": ["menu:格式(O)/项目符号和编号(B)..."]},
  {"hint": "h", "accept": ["dialog:项目符号和编号/图片(P)..."]},
  {"hint": "h", "accept": ["dialog:图片项目符号/图片项目符号=第1行第3列"]},
  {"hint": "h", "accept": ["dialog:图片项目符号/确定"], "set": {"bullets": {"picture": 3}}}
]})");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), KitCatalog::instance());
    for (const char* action :
         {"click:body", "menu:格式(O)/项目符号和编号(B)...", "dialog:项目符号和编号/图片(P)...",
          "dialog:图片项目符号/图片项目符号=第1行第3列"})
        ASSERT_TRUE(s.perform(QString::fromUtf8(action))) << action;
    ASSERT_TRUE(s.dialog());
    EXPECT_EQ(s.dialog()->name, u"图片项目符号"_s);
    ASSERT_TRUE(s.perform(u"dialog:图片项目符号/确定"_s));
    EXPECT_FALSE(s.dialog());
    EXPECT_TRUE(s.isComplete());
}

TEST(MovieText, DoubleClickingATextBoxOpensItsFormatDialog)
{
    auto movie = parseMovie(R"({"format": "pptdrill-movie", "version": 1,
"presentation": {"slides": [{"title": "A", "shapes": [{"type": "textbox", "w": 90, "h": 30, "text": "t"}]}]},
"steps": [
  {"hint": "h", "accept": ["dblclick:shape:1"]},
  {"hint": "h", "accept": ["dialog:设置文本框格式/文本锚点类型=中部居中"]}
]})");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), KitCatalog::instance());
    ASSERT_TRUE(s.perform(u"dblclick:shape:1"_s));
    ASSERT_TRUE(s.dialog());
    EXPECT_EQ(s.dialog()->name, u"设置文本框格式"_s);
}
