// What the painted slide shows of charts, organisation charts, tables, turned
// and stacked objects, background fills, colour schemes and masters.
#include "movie/widgets/slides/slidepainter.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// Slides are painted at one pixel a point.
QImage paint(const Slide& slide, const QString& design = {})
{
    QImage image(720, 540, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintSlide(painter, QRectF(0, 0, 720, 540), slide, design, SlidePaintMode::Show);
    return image;
}

QImage paint(const Presentation& p, int n)
{
    QImage image(720, 540, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSlide(painter, QRectF(0, 0, 720, 540), p, p.slides[size_t(n - 1)], SlidePaintMode::Show);
    return image;
}

Slide blankWith(const SlideShape& shape)
{
    Slide slide;
    slide.layout = u"空白"_s;
    slide.shapes.push_back(shape);
    return slide;
}

SlideShape shape(const QString& type, double x, double y, double w, double h)
{
    SlideShape s;
    s.type = type;
    s.x = x, s.y = y, s.w = w, s.h = h;
    return s;
}

bool near(const QColor& a, const QColor& b, int tolerance = 24)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

int count(const QImage& image, const QRect& area, const std::function<bool(const QColor&)>& test)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

// A chart from x = 40 to 680 has its legend right of this.
constexpr int kLegendLeft = 560;

// The runs of a colour along a row: how many separate stretches of it there are.
int runsAlongRow(const QImage& image, int y, const QColor& colour, int from = 0, int to = kLegendLeft)
{
    int runs = 0;
    bool inside = false;
    for (int x = from; x <= to; ++x) {
        const bool here = near(image.pixelColor(x, y), colour, 10);
        runs += here && !inside ? 1 : 0;
        inside = here;
    }
    return runs;
}

// The pixels of a colour left of the legend, as their bounding box.
QRect boundsOf(const QImage& image, const QColor& colour, int right = kLegendLeft)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < right; ++x)
            if (near(image.pixelColor(x, y), colour, 10))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

const QColor kFirstSeries(0x99, 0x99, 0xFF);

} // namespace

TEST(SlideObjects, ChartsAreDrawnAsTheirKind)
{
    SlideShape chart = shape(u"chart"_s, 40, 40, 640, 460);
    const auto drawn = [&](const QString& kind) {
        chart.chart = kind;
        return paint(blankWith(chart));
    };
    // Columns: the first series stands once in each of the four quarters, on one baseline.
    const QImage columns = drawn(u"簇状柱形图"_s);
    const QRect columnBounds = boundsOf(columns, kFirstSeries);
    EXPECT_EQ(runsAlongRow(columns, columnBounds.bottom() - 2, kFirstSeries), 4);
    // Bars lie across: stacked above one another, not side by side.
    const QImage bars = drawn(u"簇状条形图"_s);
    const QRect barBounds = boundsOf(bars, kFirstSeries);
    EXPECT_GT(barBounds.width(), barBounds.height() / 2);
    EXPECT_EQ(runsAlongRow(bars, barBounds.top() + 3, kFirstSeries), 1);

    // A pie: one wedge of the first quarter, crossed once by any row, and no bars.
    const QImage pie = drawn(u"饼图"_s);
    const QRect wedge = boundsOf(pie, kFirstSeries, 480); // a pie's legend lists the categories
    ASSERT_FALSE(wedge.isEmpty());
    for (int y = wedge.top() + 2; y < wedge.bottom(); y += 7)
        EXPECT_LE(runsAlongRow(pie, y, kFirstSeries, 0, 480), 1) << y;
    // Pulled apart, the wedges leave the background between them.
    const QRect whole = boundsOf(pie, QColor(0x99, 0x33, 0x66), 480).united(wedge);
    const QImage exploded = drawn(u"分离型饼图"_s);
    const auto white = [](const QColor& c) { return near(c, Qt::white, 3); };
    EXPECT_GT(count(exploded, whole, white), count(pie, whole, white) + 100);

    // Lines: thin lines with markers, no filled columns of the first series.
    const QImage lines = drawn(u"数据点折线图"_s);
    EXPECT_LT(count(lines, QRect(0, 0, 720, 540), [](const QColor& c) { return near(c, kFirstSeries, 10); }),
              200);
    EXPECT_GT(
        count(lines, QRect(0, 0, 720, 540), [](const QColor& c) { return near(c, QColor(0, 0, 0x80), 30); }),
        300);
    // A cylinder is shaded round, a box column is flat.
    const auto shadesOfSecondSeries = [](const QImage& image) {
        QSet<QRgb> shades;
        for (int x = 40; x < 300; ++x) {
            const QColor c = image.pixelColor(x, 420);
            if (c.red() > c.green() + 40 && c.blue() > c.green())
                shades.insert(c.rgb());
        }
        return shades.size();
    };
    EXPECT_GT(shadesOfSecondSeries(drawn(u"柱形圆柱图"_s)), 8);
    EXPECT_LT(shadesOfSecondSeries(columns), 5);

    // The datasheet's values set the columns' heights.
    chart.chart = u"簇状柱形图"_s;
    chart.data.categories = {u"甲"_s, u"乙"_s};
    chart.data.series = {{u"销量"_s, {10, 40}}};
    const QImage data = paint(blankWith(chart));
    const QRect both = boundsOf(data, kFirstSeries);
    EXPECT_EQ(runsAlongRow(data, both.bottom() - 2, kFirstSeries), 2);
    EXPECT_EQ(runsAlongRow(data, both.top() + 2, kFirstSeries), 1); // only the taller one reaches up
}

TEST(SlideObjects, OrganisationChartsHangTheirSubordinatesAsTheirLayoutSays)
{
    const QColor fill(0xCC, 0xEE, 0xFF);
    SlideShape org = shape(u"orgchart"_s, 110, 60, 500, 420);
    org.fill = fill.name().toUpper();
    const auto boxPixels = [&](const QString& layout, const QRect& area) {
        org.orgLayout = layout;
        const QImage image = paint(blankWith(org));
        return count(image, area, [&](const QColor& c) { return near(c, fill, 4); });
    };
    // Below the top shape's row, left and right of the stem at the chart's centre.
    const QRect left(110, 200, 240, 280), right(370, 200, 240, 280);
    EXPECT_GT(boxPixels(u"右悬挂"_s, right), 2000);
    EXPECT_EQ(boxPixels(u"右悬挂"_s, left), 0);
    EXPECT_GT(boxPixels(u"左悬挂"_s, left), 2000);
    EXPECT_EQ(boxPixels(u"左悬挂"_s, right), 0);
    EXPECT_GT(boxPixels(u"两边悬挂"_s, left), 2000);
    EXPECT_GT(boxPixels(u"两边悬挂"_s, right), 2000);
    EXPECT_GT(boxPixels(u"标准"_s, left), 2000);

    // Added shapes add boxes: a subordinate to the row under the top shape, an
    // assistant on a row of its own between them, a co-worker beside the top shape.
    const auto boxesAlong = [&](int y) {
        org.orgLayout = u"标准"_s;
        return runsAlongRow(paint(blankWith(org)), y, fill, 0, 719);
    };
    EXPECT_EQ(boxesAlong(375), 3);
    EXPECT_EQ(boxesAlong(165), 1);
    EXPECT_EQ(boxesAlong(270), 0);
    org.subordinates = 4;
    EXPECT_EQ(boxesAlong(375), 4);
    org.subordinates = 3;
    org.assistants = 1;
    EXPECT_EQ(boxesAlong(270), 1);
    EXPECT_EQ(boxesAlong(410), 3);
    org.assistants = 0;
    org.coworkers = 1;
    EXPECT_EQ(boxesAlong(165), 2);
}

TEST(SlideObjects, TablesTurnedAndStackedObjectsShowAsSet)
{
    // A thicker border draws more of its colour.
    SlideShape table = shape(u"table"_s, 60, 60, 600, 300);
    table.text = u"3x4"_s;
    table.line = u"#FF0000"_s;
    const auto red = [](const QColor& c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; };
    const int thin = count(paint(blankWith(table)), QRect(0, 0, 720, 540), red);
    table.borderWidth = 4.5;
    EXPECT_GT(count(paint(blankWith(table)), QRect(0, 0, 720, 540), red), thin * 3);

    // Turned 45°, a square leaves its box's corners empty and reaches past its sides.
    SlideShape square = shape(u"rect"_s, 260, 170, 200, 200);
    square.fill = u"#00FF00"_s;
    const auto green = [](const QColor& c) { return near(c, QColor(0, 255, 0), 30); };
    EXPECT_TRUE(green(paint(blankWith(square)).pixelColor(265, 175)));
    square.rotation = 45;
    const QImage turned = paint(blankWith(square));
    EXPECT_FALSE(green(turned.pixelColor(265, 175)));
    EXPECT_TRUE(green(turned.pixelColor(250, 270)));

    // The later shape lies on top where two overlap.
    SlideShape blue = shape(u"rect"_s, 300, 200, 200, 200);
    blue.fill = u"#0000FF"_s;
    square.rotation = 0;
    Slide slide = blankWith(square);
    slide.shapes.push_back(blue);
    EXPECT_EQ(paint(slide).pixelColor(350, 250), QColor(0, 0, 255));
    std::swap(slide.shapes[0], slide.shapes[1]);
    EXPECT_EQ(paint(slide).pixelColor(350, 250), QColor(0, 255, 0));
}

TEST(SlideObjects, BackgroundFillsAreDrawnAsChosen)
{
    Slide slide;
    slide.layout = u"空白"_s;
    // A two-colour gradient: its two ends differ; 水平 runs top to bottom, 垂直 left to right.
    slide.fill.type = u"gradient"_s;
    slide.fill.colors = {u"#000080"_s, u"#FFFF00"_s};
    slide.fill.style = u"水平"_s;
    QImage image = paint(slide);
    EXPECT_TRUE(near(image.pixelColor(360, 2), QColor(0, 0, 0x80), 20));
    EXPECT_TRUE(near(image.pixelColor(360, 537), QColor(0xFF, 0xFF, 0), 20));
    EXPECT_EQ(image.pixelColor(2, 100), image.pixelColor(717, 100));
    slide.fill.style = u"垂直"_s;
    image = paint(slide);
    EXPECT_NE(image.pixelColor(2, 270), image.pixelColor(717, 270));
    EXPECT_EQ(image.pixelColor(100, 2), image.pixelColor(100, 537));
    // Variant 3 runs out from the middle: both ends alike, the middle not.
    slide.fill.variant = 3;
    image = paint(slide);
    EXPECT_TRUE(near(image.pixelColor(2, 270), image.pixelColor(717, 270), 8));
    EXPECT_FALSE(near(image.pixelColor(2, 270), image.pixelColor(360, 270), 60));
    // A preset has colours of its own.
    slide.fill = {};
    slide.fill.type = u"gradient"_s;
    slide.fill.preset = u"雨后初晴"_s;
    image = paint(slide);
    EXPECT_NE(image.pixelColor(360, 2), image.pixelColor(360, 270));

    // Textures are grained, not one flat colour, and each looks like itself.
    QSet<QRgb> grain;
    slide.fill = {};
    slide.fill.type = u"texture"_s;
    slide.fill.texture = u"花岗岩"_s;
    const QImage granite = paint(slide);
    for (int y = 200; y < 260; ++y)
        for (int x = 300; x < 360; ++x)
            grain.insert(granite.pixel(x, y));
    EXPECT_GT(grain.size(), 50);
    slide.fill.texture = u"羊皮纸"_s;
    const QImage parchment = paint(slide);
    EXPECT_FALSE(near(granite.pixelColor(330, 230), parchment.pixelColor(330, 230), 30));

    // A pattern: the foreground's cells on the background.
    slide.fill = {};
    slide.fill.type = u"pattern"_s;
    slide.fill.pattern = u"大网格"_s;
    slide.fill.foreground = u"#0000FF"_s;
    slide.fill.background = u"#FFFFFF"_s;
    image = paint(slide);
    const QRect area(300, 200, 60, 60);
    const int blue = count(image, area, [](const QColor& c) { return c.blue() > 200 && c.red() < 120; });
    const int white = count(image, area, [](const QColor& c) { return near(c, Qt::white, 20); });
    EXPECT_GT(blue, 300);
    EXPECT_GT(white, 1000);

    // 忽略母版的背景图形: the design's graphics leave the slide, its background stays.
    Slide pixel;
    pixel.layout = u"空白"_s;
    const QImage with = paint(pixel, u"Pixel.pot"_s);
    pixel.ignoreMasterGraphics = true;
    const QImage without = paint(pixel, u"Pixel.pot"_s);
    const QRect squares(0, 0, 720, 18);
    const auto notWhite = [](const QColor& c) { return !near(c, Qt::white, 6); };
    EXPECT_GT(count(with, squares, notWhite), 2000);
    EXPECT_EQ(count(without, squares, notWhite), 0);
}

TEST(SlideObjects, SchemesAndMastersReachTheSlidesThatFollowThem)
{
    Presentation p;
    p.master.layout = u"标题和文本"_s;
    for (const QString& title : {u"封面"_s, u"二"_s, u"三"_s}) {
        Slide slide;
        slide.title = title;
        slide.layout = p.slides.empty() ? u"标题幻灯片"_s : u"标题和文本"_s;
        slide.body = {u"要点"_s};
        p.slides.push_back(slide);
    }
    const auto reddish = [](const QColor& c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; };
    const QRect titleArea(36, 20, 648, 100);
    EXPECT_EQ(count(paint(p, 3), titleArea, reddish), 0);

    // A title colour on the master shows on slide 3, and stays in master view's own slide.
    p.master.titleFont.color = u"#CC0000"_s;
    EXPECT_GT(count(paint(p, 3), titleArea, reddish), 40);
    // A slide with a colour of its own keeps it.
    p.slides[1].titleFont.color = u"#000000"_s;
    EXPECT_EQ(count(paint(p, 2), titleArea, reddish), 0);

    // A picture on the master shows on every slide; a title master gives the title slide its own.
    p.master.shapes.push_back(shape(u"picture"_s, 600, 440, 100, 80));
    const QImage withPicture = paint(p, 3);
    EXPECT_NE(withPicture.pixelColor(650, 460), QColor(Qt::white));
    p.titleMaster = p.master;
    p.titleMaster->layout = u"标题幻灯片"_s;
    p.titleMaster->shapes.clear();
    p.titleMaster->titleFont.color = u"#0000CC"_s;
    const QImage cover = paint(p, 1);
    EXPECT_EQ(cover.pixelColor(650, 460), QColor(Qt::white));
    EXPECT_EQ(count(cover, QRect(36, 150, 648, 140), reddish), 0);
    EXPECT_GT(count(cover, QRect(36, 150, 648, 140),
                    [](const QColor& c) { return c.blue() > 150 && c.red() < 90; }),
              40);

    // A colour scheme recolours the background and the title.
    p.slides[2].scheme.background = u"#3A2460"_s;
    p.slides[2].scheme.title = u"#FFFF00"_s;
    p.master.titleFont.color.clear();
    const QImage schemed = paint(p, 3);
    EXPECT_EQ(schemed.pixelColor(5, 270), QColor(0x3A, 0x24, 0x60));
    EXPECT_GT(count(schemed, titleArea,
                    [](const QColor& c) { return c.red() > 200 && c.green() > 200 && c.blue() < 80; }),
              40);
    // Text that follows a scheme colour (遵循强调配色方案) takes the slide's scheme's.
    p.slides[2].titleFont.color = u"accent"_s;
    p.slides[2].scheme.accent = u"#00CC00"_s;
    EXPECT_GT(count(paint(p, 3), titleArea, [](const QColor& c) { return c.green() > 150 && c.red() < 90; }),
              40);
    // Each scheme the pane offers has all eight colours.
    for (const ColorScheme& scheme : standardSchemes())
        for (const QString& colour : {scheme.background, scheme.text, scheme.shadow, scheme.title,
                                      scheme.fill, scheme.accent, scheme.hyperlink, scheme.followed})
            EXPECT_TRUE(QColor(colour).isValid());
}
