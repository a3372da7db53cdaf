// The movie fields of text and page results: bullets, spacing, hyperlinks,
// headers and footers, page setup, window options and the notes master.
#include "movie/document/movie.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// A movie whose presentation fields follow its slide (line 3) and whose one step's `set` is on line 5.
QByteArray movieWith(const QByteArray& presentationFields, const QByteArray& set)
{
    return "{\"format\": \"pptdrill-movie\", \"version\": 1,\n\"presentation\": {\"slides\": [\n"
           "{\"title\": \"A\", \"body\": [\"x\", \"y\"]}]" +
           presentationFields +
           "},\n\"steps\": [\n{\"hint\": \"h\", \"accept\": [\"click:body\"], \"set\": " + set + "}\n]}\n";
}

} // namespace

TEST(MovieResults, FieldsAreReadAtTheStartAndChangedByAStep)
{
    const QByteArray json = movieWith(
        R"(, "footers": {"date": true, "fixedDate": "2026年5月20日"}, "pageSetup": {"width": 19.05, "height": 25.4},
        "notesFooters": {"header": "会议纪要"})",
        R"json({"bullets": {"numbering": "a) b) c)", "start": 3, "size": 90},
            "spacing": {"linePt": 32, "before": 0.5}, "titleLink": "mailto:a@example.com",
            "footers": {"footer": "培训计划", "notOnTitle": true}, "pageSetup": {"firstNumber": 0},
            "window": {"zoom": 75, "statusBar": false}, "notesMaster": {"bodyFont": {"size": 20}}})json");
    auto movie = parseMovie(json);
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    Presentation pres = movie.value().presentation;
    EXPECT_TRUE(pres.footers.date);
    EXPECT_EQ(pres.footers.fixedDate, u"2026年5月20日"_s);
    EXPECT_EQ(pres.notesFooters.header, u"会议纪要"_s);
    EXPECT_TRUE(pres.notesFooters.number); // the dialog's 页码 is ticked from the start
    EXPECT_DOUBLE_EQ(pres.page.height, 25.4);

    ASSERT_TRUE(applyPresentationChanges(pres, movie.value().steps[0].set).ok());
    const Slide& slide = pres.slides[0];
    EXPECT_EQ(slide.bullets.numbering, u"a) b) c)"_s);
    EXPECT_EQ(slide.bullets.start, 3);
    EXPECT_DOUBLE_EQ(slide.bullets.size, 90);
    EXPECT_TRUE(slide.spacing.linePoints);
    EXPECT_DOUBLE_EQ(slide.spacing.line, 32);
    EXPECT_FALSE(slide.spacing.beforePoints);
    EXPECT_DOUBLE_EQ(slide.spacing.before, 0.5);
    EXPECT_DOUBLE_EQ(slide.spacing.after, 0);
    EXPECT_EQ(slide.titleLink, u"mailto:a@example.com"_s);
    // A step changes what it names and keeps the rest.
    EXPECT_TRUE(pres.footers.date);
    EXPECT_EQ(pres.footers.footer, u"培训计划"_s);
    EXPECT_TRUE(pres.footers.notOnTitle);
    EXPECT_EQ(pres.page.firstNumber, 0);
    EXPECT_DOUBLE_EQ(pres.page.width, 19.05);
    EXPECT_EQ(pres.window.zoom, 75);
    EXPECT_FALSE(pres.window.statusBar);
    EXPECT_TRUE(pres.window.verticalRuler);
    EXPECT_DOUBLE_EQ(pres.notesMaster.bodyFont.size, 20);
    // Presentation fields are not slide fields: the slide master and the slides do not take them.
    EXPECT_EQ(pres.master, movie.value().presentation.master);
}

TEST(MovieResults, BadValuesAreRefusedAtTheirLine)
{
    const struct
    {
        QByteArray presentation;
        QByteArray set;
        int line;
        QString says;
    } cases[] = {
        {"", R"({"bullets": {"size": 10}})", 5, u"steps[0].set.bullets.size 应为 25 至 400"_s},
        {"", R"({"bullets": {"char": "■■"}})", 5, u"bullets.char 应为一个字符"_s},
        {"", R"({"bullets": {"char": ""}})", 5, u"bullets.char 应为一个字符"_s},
        {"", R"({"bullets": {"numbering": "1、2、3、"}})", 5, u"不是编号样式：“1、2、3、”"_s},
        {"", R"({"bullets": {"start": 2.5}})", 5, u"bullets.start 应为整数"_s},
        {"", R"({"bullets": {"start": 0}})", 5, u"bullets.start 应为 1 至 9999"_s},
        {"", R"({"bullets": {"color": "red"}})", 5, u"bullets.color 应为颜色"_s},
        {"", R"({"bullets": "■"})", 5, u"steps[0].set.bullets 应为对象"_s},
        {"", R"({"spacing": {"line": 1.5, "linePt": 20}})", 5, u"spacing.linePt 与 line 只能有一个"_s},
        {"", R"({"spacing": {"afterPt": 2000}})", 5, u"spacing.afterPt 应为 0 至 1584 磅"_s},
        {"", R"({"spacing": {"before": -1}})", 5, u"spacing.before 应为 0 至 9999 行"_s},
        {"", R"({"spacing": {"line": 0}})", 5, u"行距不能为 0 行"_s},
        {"", R"({"titleLink": true})", 5, u"titleLink 应为文字"_s},
        {"", R"({"footers": {"date": "yes"}})", 5, u"steps[0].set.footers.date 应为true 或 false"_s},
        {"", R"({"pageSetup": {"width": 1}})", 5, u"pageSetup.width 应为 2.54 至 142.24 厘米"_s},
        {"", R"({"pageSetup": {"firstNumber": -1}})", 5, u"pageSetup.firstNumber 应为 0 至 9999"_s},
        {"", R"({"window": {"zoom": 5}})", 5, u"window.zoom 应为 10 至 400 的整数"_s},
        {"", R"({"window": {"zoom": 66.5}})", 5, u"window.zoom 应为 10 至 400 的整数"_s},
        {"", R"({"notesMaster": {"bodyFont": {"size": 5000}}})", 5, u"notesMaster.bodyFont.size"_s},
        // At the start, the presentation's own fields.
        {R"(, "window": {"statusBar": 0})", "{}", 3, u"presentation.window.statusBar 应为true 或 false"_s},
        {R"(, "pageSetup": {"height": 200})", "{}", 3, u"presentation.pageSetup.height"_s},
        {R"(, "notesFooters": {"header": 1})", "{}", 3, u"presentation.notesFooters.header 应为文字"_s},
    };
    for (const auto& c : cases) {
        auto movie = parseMovie(movieWith(c.presentation, c.set), u"t.movie"_s);
        ASSERT_FALSE(movie.ok()) << c.set.toStdString();
        EXPECT_TRUE(movie.error().startsWith(u"t.movie:%1: "_s.arg(c.line))) << movie.error().toStdString();
        EXPECT_TRUE(movie.error().contains(c.says)) << movie.error().toStdString();
    }
}
