// Diagrams and table borders: how a movie gives them and what the slide shows.
#include "movie/document/movie.h"
#include "movie/widgets/slides/slidepainter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

QImage paintAlone(const SlideShape& shape)
{
    Slide slide;
    slide.layout = u"空白"_s;
    slide.shapes.push_back(shape);
    QImage image(720, 540, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintSlide(painter, QRectF(0, 0, 720, 540), slide, {}, SlidePaintMode::Show);
    return image;
}

SlideShape diagram(const QString& kind, int shapes = 3)
{
    SlideShape s;
    s.type = u"diagram"_s;
    s.diagram = kind;
    s.diagramShapes = shapes;
    s.x = 160, s.y = 70, s.w = 400, s.h = 400;
    return s;
}

bool near(const QColor& a, const QColor& b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// How many separate stretches of one colour a column of pixels crosses.
int runsDownColumn(const QImage& image, int x, const QColor& colour, int from, int to)
{
    int runs = 0;
    bool inside = false;
    for (int y = from; y <= to; ++y) {
        const bool here = near(image.pixelColor(x, y), colour);
        runs += here && !inside ? 1 : 0;
        inside = here;
    }
    return runs;
}

QString movieError(const char* shape)
{
    const QByteArray json = R"({"format": "pptdrill-movie", "version": 1,
"presentation": {"slides": [{"title": "A", "shapes": [)" +
                            QByteArray(shape) + R"(]}]},
"steps": [{"hint": "h", "accept": ["thumb:1"]}]})";
    auto movie = parseMovie(json, u"m.movie"_s);
    return movie.ok() ? QString() : movie.error();
}

} // namespace

TEST(ObjectKit, DiagramAndTableFieldsAreReadAndBadOnesRefused)
{
    const struct
    {
        const char* shape;
        QString says; // empty: accepted
    } cases[] = {
        {R"({"type": "diagram", "diagram": "棱锥图", "diagramShapes": 5, "diagramReversed": true})", {}},
        {R"({"type": "diagram", "diagram": "金字塔"})", u"shapes[0].diagram"_s},
        {R"({"type": "rect", "diagram": "循环图"})", u"只有图示"_s},
        {R"({"type": "diagram", "diagramShapes": 0})", u"shapes[0].diagramShapes"_s},
        {R"({"type": "diagram", "diagramShapes": 13})", u"shapes[0].diagramShapes"_s},
        {R"({"type": "diagram", "diagramReversed": "yes"})", u"shapes[0].diagramReversed"_s},
        {R"({"type": "table", "outerBorderWidth": 2.25, "outerLine": "#FF0000", "cellAlign": "居中"})", {}},
        {R"({"type": "table", "outerBorderWidth": 7})", u"shapes[0].outerBorderWidth"_s},
        {R"({"type": "table", "outerLine": "红色"})", u"shapes[0].outerLine"_s},
        {R"({"type": "table", "cellAlign": "中部"})", u"shapes[0].cellAlign"_s},
    };
    for (const auto& c : cases) {
        const QString error = movieError(c.shape);
        if (c.says.isEmpty())
            EXPECT_TRUE(error.isEmpty()) << c.shape << " → " << error.toStdString();
        else
            EXPECT_TRUE(error.contains(c.says)) << c.shape << " → " << error.toStdString();
    }
}

TEST(ObjectKit, APyramidShowsOneLayerAShapeInItsOrder)
{
    // Down the pyramid's middle each layer has a colour of its own; the first
    // layer's colour is at the top, and at the bottom once the diagram is reversed.
    const QImage three = paintAlone(diagram(u"棱锥图"_s, 3));
    const QImage four = paintAlone(diagram(u"棱锥图"_s, 4));
    const QColor top = three.pixelColor(360, 190);
    const QColor bottom = three.pixelColor(360, 400);
    EXPECT_FALSE(near(top, bottom));
    EXPECT_EQ(runsDownColumn(three, 360, top, 80, 460), 1);
    EXPECT_NE(three, four);
    SlideShape reversed = diagram(u"棱锥图"_s, 3);
    reversed.diagramReversed = true;
    const QImage turned = paintAlone(reversed);
    EXPECT_TRUE(near(turned.pixelColor(360, 400), top));
    EXPECT_TRUE(near(turned.pixelColor(360, 190), bottom));
}

TEST(ObjectKit, EachDiagramKindIsDrawnItsOwnWay)
{
    const QStringList kinds{u"循环图"_s, u"射线图"_s, u"棱锥图"_s, u"维恩图"_s, u"目标图"_s};
    std::vector<QImage> images;
    const QImage empty = paintAlone(SlideShape{});
    for (const QString& kind : kinds) {
        images.push_back(paintAlone(diagram(kind)));
        EXPECT_NE(images.back(), empty) << kind.toStdString();
        EXPECT_EQ(std::count(images.begin(), images.end(), images.back()), 1) << kind.toStdString();
        // Another shape, or the order turned round, shows.
        EXPECT_NE(paintAlone(diagram(kind, 5)), images.back()) << kind.toStdString();
        SlideShape reversed = diagram(kind);
        reversed.diagramReversed = true;
        EXPECT_NE(paintAlone(reversed), images.back()) << kind.toStdString();
    }
    // A target's centre is its last shape.
    const QImage target = images[4];
    SlideShape reversed = diagram(u"目标图"_s);
    reversed.diagramReversed = true;
    EXPECT_TRUE(near(paintAlone(reversed).pixelColor(360, 270), target.pixelColor(360, 100)));
}

TEST(ObjectKit, ATablesOutsideBorderAndCellTextShowAsSet)
{
    SlideShape table;
    table.type = u"table"_s;
    table.x = 60, table.y = 60, table.w = 600, table.h = 400;
    table.text = u"甲|乙\n丙|丁"_s;
    table.line = u"#000000"_s;
    const QColor red(0xFF, 0, 0);
    const auto redAt = [&](const QImage& image, int x, int y) {
        return near(image.pixelColor(x, y), red, 40);
    };

    const QImage plain = paintAlone(table);
    EXPECT_FALSE(redAt(plain, 360, 60));
    table.outerLine = u"#FF0000"_s;
    table.outerBorderWidth = 6;
    const QImage framed = paintAlone(table);
    // The outside lines are red and thick; the line between the rows is not.
    EXPECT_TRUE(redAt(framed, 360, 58));
    EXPECT_TRUE(redAt(framed, 360, 62));
    EXPECT_TRUE(redAt(framed, 58, 260));
    EXPECT_FALSE(redAt(framed, 360, 260));

    // Text stands at the top of its cell, or in its middle when centred.
    const auto firstInkRow = [](const QImage& image) {
        for (int y = 75; y < 255; ++y)
            for (int x = 70; x < 350; ++x)
                if (image.pixelColor(x, y).lightness() < 100)
                    return y;
        return -1;
    };
    table.outerLine.clear();
    table.outerBorderWidth = 0;
    const int top = firstInkRow(paintAlone(table));
    table.cellAlign = u"居中"_s;
    const int middle = firstInkRow(paintAlone(table));
    ASSERT_GT(top, 0);
    EXPECT_GT(middle, top + 50);
}
