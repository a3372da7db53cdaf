// The movie fields of objects, backgrounds, colour schemes and masters: how
// they are read, refused and changed by a step.
#include "movie/document/movie.h"
#include "tests/support/moviesource.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

using pptdrill::test::movieOf;

// One slide with three shapes side by side (one line).
constexpr const char* kThreeShapes =
    R"({"slides": [{"title": "A", "shapes": [{"type": "rect", "x": 10, "y": 10, "w": 50, "h": 50}, {"type": "ellipse", "x": 100, "y": 40, "w": 80, "h": 30}, {"type": "chart", "x": 300, "y": 100, "w": 200, "h": 150}]}]})";

Presentation threeShapes()
{
    auto m = parseMovie(movieOf(kThreeShapes, {R"({"hint": "h", "accept": ["thumb:1"]})"}));
    EXPECT_TRUE(m.ok()) << m.error().toStdString();
    return m->presentation;
}

Status change(Presentation& p, const char* json)
{
    return applyPresentationChanges(p, QJsonDocument::fromJson(json).object());
}

} // namespace

TEST(MovieObjects, BadValuesAreRefusedAtTheirLineWithTheirPath)
{
    const struct
    {
        const char* set;
        QString says;
    } cases[] = {
        {R"({"fill": {"type": "wallpaper"}})", u"set.fill.type"_s},
        {R"({"fill": {"texture": "羊皮纸"}})", u"set.fill.type 缺少"_s},
        {R"({"fill": {"type": "texture", "texture": "大理石"}})", u"“大理石”"_s},
        {R"({"fill": {"type": "texture"}})", u"纹理需要 texture"_s},
        {R"({"fill": {"type": "pattern"}})", u"图案需要 pattern"_s},
        {R"({"fill": {"type": "gradient"}})", u"渐变需要 colors 或 preset"_s},
        {R"({"fill": {"type": "gradient", "colors": ["#000000", "#FFFFFF", "#FF0000"]}})",
         u"set.fill.colors"_s},
        {R"({"fill": {"type": "gradient", "colors": ["black"]}})", u"set.fill.colors[0]"_s},
        {R"({"fill": {"type": "gradient", "preset": "雨后初晴", "style": "斜角"}})", u"set.fill.style"_s},
        {R"({"fill": {"type": "gradient", "preset": "雨后初晴", "variant": 5}})", u"set.fill.variant"_s},
        {R"({"fill": {"type": "pattern", "pattern": "大网格", "foreground": "蓝色"}})",
         u"set.fill.foreground"_s},
        {R"({"fill": "羊皮纸"})", u"set.fill"_s},
        {R"({"ignoreMasterGraphics": "yes"})", u"set.ignoreMasterGraphics"_s},
        {R"({"scheme": {"link": "#0000FF"}})", u"set.scheme.link"_s},
        {R"({"titleFont": {"color": "强调"}})", u"set.titleFont.color"_s},
        {R"({"scheme": {"title": "#00F"}})", u"set.scheme.title"_s},
        {R"({"editShape": {"shape": 4, "rotation": 10}})", u"没有第 4 个图形"_s},
        {R"({"editShape": {"shape": 1, "rotation": 400}})", u"set.editShape.rotation"_s},
        {R"({"editShape": {"shape": 1, "group": 1.5}})", u"set.editShape.group"_s},
        {R"({"editShape": {"shape": 1, "order": "置于前面"}})", u"set.editShape.order"_s},
        {R"({"editShape": {"shape": 1, "chart": "饼图"}})", u"只有图表"_s},
        {R"({"editShape": {"shape": 3, "data": {"categories": ["甲", "乙"], "series": [{"name": "x", "values": [1]}]}}})",
         u"set.editShape.data.series[0].values"_s},
        {R"({"editShape": {"shape": 3, "data": {"categories": [], "series": []}}})",
         u"set.editShape.data.categories"_s},
        {R"({"editShape": {"shape": 1, "orgLayout": "右侧悬挂"}})", u"set.editShape.orgLayout"_s},
        {R"({"editShape": {"shape": 1, "subordinates": -1}})", u"set.editShape.subordinates"_s},
        {R"({"editShape": {"shape": 1, "assistants": 21}})", u"set.editShape.assistants"_s},
        {R"({"editShape": {"shape": 1, "borderWidth": 10}})", u"set.editShape.borderWidth"_s},
        {R"({"alignShapes": {"shapes": [1], "align": "左对齐"}})", u"set.alignShapes.shapes"_s},
        {R"({"alignShapes": {"shapes": [1, 2], "align": "横向分布"}})", u"set.alignShapes.shapes"_s},
        {R"({"alignShapes": {"shapes": [1, 1], "align": "左对齐"}})", u"列了两次"_s},
        {R"({"alignShapes": {"shapes": [1, 2], "align": "居左"}})", u"set.alignShapes.align"_s},
        {R"({"groupShapes": [2]})", u"set.groupShapes"_s},
        {R"({"ungroupShapes": 1})", u"不在组合中"_s},
        {R"({"titleMaster": true})", u"set.titleMaster"_s},
        {R"({"titleMaster": {"fill": {"type": "picture"}, "titleFont": {"size": -3}}})",
         u"set.titleMaster.titleFont.size"_s},
    };
    for (const auto& c : cases) {
        const QByteArray step = R"({"hint": "h", "accept": ["thumb:1"], "set": )" + QByteArray(c.set) + "}";
        auto movie = parseMovie(movieOf(kThreeShapes, {step.constData()}), u"bad.movie"_s);
        ASSERT_FALSE(movie.ok()) << c.set;
        EXPECT_TRUE(movie.error().startsWith(u"bad.movie:4: "_s))
            << c.set << " → " << movie.error().toStdString();
        EXPECT_TRUE(movie.error().contains(c.says)) << c.set << " → " << movie.error().toStdString();
    }

    // In the presentation, a bad field is refused at its own line.
    auto movie = parseMovie(movieOf(R"({"slides": [{"title": "A"},
        {"title": "B", "fill": {"type": "pattern", "pattern": "大网格", "background": "#12345"}}]})",
                                    {R"({"hint": "h", "accept": ["thumb:1"]})"}),
                            u"bad.movie"_s);
    ASSERT_FALSE(movie.ok());
    EXPECT_TRUE(movie.error().startsWith(u"bad.movie:3: "_s)) << movie.error().toStdString();
    EXPECT_TRUE(movie.error().contains(u"presentation.slides[1].fill.background"_s))
        << movie.error().toStdString();
}

// A colour is # and six hexadecimal digits (ASCII only), or empty.
TEST(MovieObjects, ColoursAreHashAndSixHexDigits)
{
    for (const char* colour : {"#a1B2c3", "#000000", ""}) {
        const QByteArray slides =
            R"({"slides": [{"title": "A", "background": ")" + QByteArray(colour) + R"("}]})";
        EXPECT_TRUE(parseMovie(movieOf(slides.constData(), {R"({"hint": "h", "accept": ["thumb:1"]})"}),
                               u"good.movie"_s)
                        .ok())
            << colour;
    }
    for (const char* colour : {"#12345G", "#1234567", "123456", "#12345", "#１２３４５６", "#12 456"}) {
        const QByteArray slides =
            R"({"slides": [{"title": "A", "background": ")" + QByteArray(colour) + R"("}]})";
        const auto movie = parseMovie(
            movieOf(slides.constData(), {R"({"hint": "h", "accept": ["thumb:1"]})"}), u"bad.movie"_s);
        ASSERT_FALSE(movie.ok()) << colour;
        EXPECT_TRUE(movie.error().contains(u"颜色 #RRGGBB"_s))
            << colour << " → " << movie.error().toStdString();
    }
}

TEST(MovieObjects, ShapesAreEditedStackedAlignedAndGrouped)
{
    Presentation p = threeShapes();
    ASSERT_TRUE(change(p, R"({"editShape": {"shape": 3, "chart": "饼图", "rotation": -30,
        "data": {"categories": ["甲", "乙"], "series": [{"name": "一月", "values": [3, 4.5]}]}}})")
                    .ok());
    const SlideShape& chart = p.slides[0].shapes[2];
    EXPECT_EQ(chart.chart, u"饼图"_s);
    EXPECT_EQ(chart.rotation, -30);
    EXPECT_EQ(chart.x, 300); // what the edit does not name stays
    ASSERT_EQ(chart.data.series.size(), 1u);
    EXPECT_EQ(chart.data.series[0].values, (std::vector<double>{3, 4.5}));

    // 置于顶层 moves the shape to the end of the list, which is painted last; 下移一层 one back.
    ASSERT_TRUE(change(p, R"({"editShape": {"shape": 1, "order": "置于顶层"}})").ok());
    EXPECT_EQ(p.slides[0].shapes[2].type, u"rect"_s);
    ASSERT_TRUE(change(p, R"({"editShape": {"shape": 3, "order": "下移一层"}})").ok());
    EXPECT_EQ(p.slides[0].shapes[1].type, u"rect"_s);
    ASSERT_TRUE(change(p, R"({"editShape": {"shape": 2, "order": "置于底层"}})").ok());
    EXPECT_EQ(p.slides[0].shapes[0].type, u"rect"_s);

    p = threeShapes();
    ASSERT_TRUE(change(p, R"({"alignShapes": {"shapes": [1, 2, 3], "align": "左对齐"}})").ok());
    for (const SlideShape& s : p.slides[0].shapes)
        EXPECT_EQ(s.x, 10);
    p = threeShapes();
    ASSERT_TRUE(change(p, R"({"alignShapes": {"shapes": [1, 2], "align": "底端对齐"}})").ok());
    EXPECT_EQ(p.slides[0].shapes[0].y + p.slides[0].shapes[0].h, 70);
    EXPECT_EQ(p.slides[0].shapes[1].y + p.slides[0].shapes[1].h, 70);
    EXPECT_EQ(p.slides[0].shapes[2].y, 100); // not named, not moved
    p = threeShapes();
    ASSERT_TRUE(change(p, R"({"alignShapes": {"shapes": [2], "align": "水平居中", "toSlide": true}})").ok());
    EXPECT_EQ(p.slides[0].shapes[1].x, 360 - 40);

    // Spread evenly: the gaps between neighbours are equal, the outer shapes stay.
    p = threeShapes();
    ASSERT_TRUE(change(p, R"({"alignShapes": {"shapes": [3, 1, 2], "align": "横向分布"}})").ok());
    const auto& s = p.slides[0].shapes;
    EXPECT_EQ(s[0].x, 10);
    EXPECT_EQ(s[2].x, 300);
    EXPECT_DOUBLE_EQ(s[1].x - (s[0].x + s[0].w), s[2].x - (s[1].x + s[1].w));

    p = threeShapes();
    ASSERT_TRUE(change(p, R"({"groupShapes": [1, 3]})").ok());
    EXPECT_EQ(p.slides[0].shapes[0].group, 1);
    EXPECT_EQ(p.slides[0].shapes[2].group, 1);
    EXPECT_EQ(p.slides[0].shapes[1].group, 0);
    ASSERT_TRUE(change(p, R"({"groupShapes": [2, 1]})").ok());
    EXPECT_EQ(p.slides[0].shapes[1].group, 2);
    // Ungrouping takes apart the group of the shape named, and no other.
    ASSERT_TRUE(change(p, R"({"ungroupShapes": 2})").ok());
    EXPECT_EQ(p.slides[0].shapes[0].group, 0);
    EXPECT_EQ(p.slides[0].shapes[1].group, 0);
    EXPECT_EQ(p.slides[0].shapes[2].group, 1);
}

TEST(MovieObjects, SlidesTakeWhatTheyDoNotSetFromTheirMaster)
{
    auto m = parseMovie(movieOf(
        R"({"slides": [{"layout": "标题幻灯片", "title": "封面"},
        {"title": "A", "titleFont": {"color": "#00FF00"}}, {"title": "B", "background": "#FFFF00"},
        {"title": "C", "ignoreMasterGraphics": true}]})",
        {R"({"hint": "h", "accept": ["thumb:1"], "set": {"master": {"titleFont": {"color": "#FF0000", "bold": true},
             "fill": {"type": "texture", "texture": "羊皮纸"}, "scheme": {"accent": "#123456"},
             "addShape": {"type": "picture", "x": 600, "y": 440, "w": 100, "h": 80}}}})",
         R"({"hint": "h", "accept": ["thumb:1"], "set": {"titleMaster": {"titleFont": {"color": "#0000FF"}}}})"}));
    ASSERT_TRUE(m.ok()) << m.error().toStdString();
    Presentation p = m->presentation;
    ASSERT_TRUE(applyPresentationChanges(p, m->steps[0].set).ok());

    Slide shown = slideAsShown(p, p.slides[2]);
    EXPECT_EQ(shown.titleFont.color, u"#FF0000"_s);
    EXPECT_EQ(shown.titleFont.bold, true);
    EXPECT_EQ(shown.scheme.accent, u"#123456"_s);
    EXPECT_EQ(shown.background, u"#FFFF00"_s); // a background of its own
    EXPECT_TRUE(shown.fill.type.isEmpty());
    ASSERT_EQ(shown.shapes.size(), 1u);
    EXPECT_EQ(shown.shapes[0].type, u"picture"_s);
    EXPECT_EQ(slideAsShown(p, p.slides[1]).titleFont.color, u"#00FF00"_s); // its own colour stays
    EXPECT_EQ(slideAsShown(p, p.slides[1]).fill.texture, u"羊皮纸"_s);
    EXPECT_TRUE(slideAsShown(p, p.slides[3]).shapes.empty()); // it leaves out the master's graphics
    EXPECT_EQ(p.slides[2].titleFont.color, QString());        // the slide itself is unchanged

    // 插入新标题母版: a copy of the slide master that title slides follow from then on.
    ASSERT_TRUE(applyPresentationChanges(p, m->steps[1].set).ok());
    ASSERT_TRUE(p.titleMaster);
    EXPECT_EQ(p.titleMaster->layout, u"标题幻灯片"_s);
    EXPECT_EQ(slideAsShown(p, p.slides[0]).titleFont.color, u"#0000FF"_s);
    EXPECT_EQ(slideAsShown(p, p.slides[0]).fill.texture, u"羊皮纸"_s);
    EXPECT_EQ(slideAsShown(p, p.slides[2]).titleFont.color, u"#FF0000"_s);
    ASSERT_TRUE(change(p, R"({"titleMaster": null})").ok());
    EXPECT_FALSE(p.titleMaster);

    // A background colour chosen later replaces a fill effect; a fill may be taken away with null.
    ASSERT_TRUE(
        change(p, R"({"slide": 2, "fill": {"type": "gradient", "colors": ["#000080"], "style": "垂直"}})")
            .ok());
    EXPECT_EQ(p.slides[1].fill.type, u"gradient"_s);
    ASSERT_TRUE(change(p, R"({"slide": 2, "background": "#FFFFFF"})").ok());
    EXPECT_TRUE(p.slides[1].fill.type.isEmpty());
    ASSERT_TRUE(change(p, R"({"slide": 3, "fill": {"type": "picture"}})").ok());
    ASSERT_TRUE(change(p, R"({"slide": 3, "fill": null})").ok());
    EXPECT_TRUE(p.slides[2].fill.type.isEmpty());

    // An edited scheme colour keeps the others.
    ASSERT_TRUE(change(p, R"({"slide": 2, "scheme": {"background": "#FFFFCC", "title": "#336600"}})").ok());
    ASSERT_TRUE(change(p, R"({"slide": 2, "scheme": {"title": "#990000"}})").ok());
    EXPECT_EQ(p.slides[1].scheme.background, u"#FFFFCC"_s);
    EXPECT_EQ(p.slides[1].scheme.title, u"#990000"_s);
}
