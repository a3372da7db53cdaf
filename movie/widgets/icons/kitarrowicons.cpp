// The pictures of 箭头总汇 (block arrows) and 星与旗帜 (stars and banners).
#include "movie/widgets/icons/kitshapepainting.h"

namespace pptdrill::kiticons {
namespace {

using namespace shapes;

// --- 箭头总汇: most are one arrow pointing right, turned.

Path rightArrow()
{
    return poly({{1.5, 5.5}, {8.5, 5.5}, {8.5, 2}, {14.5, 8}, {8.5, 14}, {8.5, 10.5}, {1.5, 10.5}});
}

Path leftRightArrow()
{
    return poly(
        {{1, 8}, {5, 3.5}, {5, 6}, {11, 6}, {11, 3.5}, {15, 8}, {11, 12.5}, {11, 10}, {5, 10}, {5, 12.5}});
}

// Arrow heads on a cross of bars: to the right, down, left and up as `heads` says.
Path crossArrows(bool right, bool down, bool left, bool up)
{
    Path path;
    path.setFillRule(Qt::WindingFill);
    const bool heads[] = {right, down, left, up};
    path.addRect(QRectF(6.8, 6.8, 2.4, 2.4));
    for (int i = 0; i < 4; ++i)
        if (heads[i])
            path.addPath(turned(poly({{8, 6.8}, {12, 6.8}, {12, 5}, {15, 8}, {12, 11}, {12, 9.2}, {8, 9.2}}),
                                90.0 * i));
    return path.simplified();
}

Path quadArrow()
{
    return crossArrows(true, true, true, true);
}

Path teeArrow()
{
    return crossArrows(true, true, true, false);
}

Path leftRightUpArrow()
{
    return crossArrows(true, false, true, true);
}

Path uTurnArrow()
{
    Path path;
    path.moveTo(2, 14.5);
    path.lineTo(2, 7);
    path.arcTo(QRectF(2, 2, 10, 10), 180, -180);
    path.lineTo(14.5, 7);
    path.lineTo(10, 11.5);
    path.lineTo(5.5, 7);
    path.lineTo(8.5, 7);
    path.arcTo(QRectF(5.5, 5.5, 3, 3), 0, 180);
    path.lineTo(5.5, 14.5);
    path.closeSubpath();
    return path;
}

Path bentArrow()
{
    Path path;
    path.moveTo(2, 14.5);
    path.lineTo(2, 9);
    path.quadTo(2, 4, 7, 4);
    path.lineTo(10, 4);
    path.lineTo(10, 1);
    path.lineTo(14.5, 5.5);
    path.lineTo(10, 10);
    path.lineTo(10, 7);
    path.lineTo(7, 7);
    path.quadTo(5, 7, 5, 9);
    path.lineTo(5, 14.5);
    path.closeSubpath();
    return path;
}

// A broad band bending round the left side, its head pointing right at the bottom.
Path curvedRightArrow()
{
    Path path;
    path.moveTo(10, 1.5);
    path.cubicTo(3, 1.5, 1, 5, 1.5, 9);
    path.cubicTo(2, 12, 5, 13, 9, 13);
    path.lineTo(9, 15);
    path.lineTo(14.5, 11);
    path.lineTo(9, 7);
    path.lineTo(9, 9.5);
    path.cubicTo(6, 9.5, 5, 8, 5, 6.5);
    path.cubicTo(5, 4.5, 7, 3.5, 10, 3.5);
    path.closeSubpath();
    return path;
}

Path curvedLeftArrow()
{
    return mirrored(curvedRightArrow());
}

Path curvedUpArrow()
{
    return turned(mirrored(curvedRightArrow()), 90);
}

Path curvedDownArrow()
{
    return turned(curvedRightArrow(), -90);
}

Path notchedArrow()
{
    return poly({{1.5, 5.5}, {8.5, 5.5}, {8.5, 2}, {14.5, 8}, {8.5, 14}, {8.5, 10.5}, {1.5, 10.5}, {4, 8}});
}

void iconStripedArrow(QPainter& p)
{
    fillShape(p, poly({{5.5, 5.5}, {9, 5.5}, {9, 2}, {14.5, 8}, {9, 14}, {9, 10.5}, {5.5, 10.5}}));
    p.drawRect(QRectF(1.5, 5.5, 1, 5));
    p.drawRect(QRectF(3.5, 5.5, 1, 5));
}

Path homePlate()
{
    return poly({{1.5, 3.5}, {10, 3.5}, {14.5, 8}, {10, 12.5}, {1.5, 12.5}});
}

Path chevron()
{
    return poly({{1.5, 3.5}, {10, 3.5}, {14.5, 8}, {10, 12.5}, {1.5, 12.5}, {6, 8}});
}

// A box with arrows out of it, to the right, down, left and up as the flags say.
Path calloutArrows(bool right, bool down, bool left, bool up)
{
    const bool heads[] = {right, down, left, up};
    Path path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(QRectF(QPointF(left ? 5 : 1.5, up ? 5 : 1.5), QPointF(right ? 11 : 14.5, down ? 11 : 14.5)));
    for (int i = 0; i < 4; ++i)
        if (heads[i])
            path.addPath(
                turned(poly({{8, 7}, {12.5, 7}, {12.5, 4.5}, {15.5, 8}, {12.5, 11.5}, {12.5, 9}, {8, 9}}),
                       90.0 * i));
    return path.simplified();
}

Path calloutRight()
{
    return calloutArrows(true, false, false, false);
}

Path calloutLeft()
{
    return calloutArrows(false, false, true, false);
}

Path calloutUp()
{
    return calloutArrows(false, false, false, true);
}

Path calloutDown()
{
    return calloutArrows(false, true, false, false);
}

Path calloutLeftRight()
{
    return calloutArrows(true, false, true, false);
}

Path calloutUpDown()
{
    return calloutArrows(false, true, false, true);
}

Path calloutQuad()
{
    return calloutArrows(true, true, true, true);
}

// A broad ring three quarters round, its head pointing down on the right.
Path circularArrow()
{
    Path path;
    const QRectF outer(1, 3, 13, 13), inner(4.5, 6.5, 6, 6);
    path.arcMoveTo(outer, 210);
    path.arcTo(outer, 210, -205);
    path.lineTo(15.5, 8.5);
    path.lineTo(12, 13);
    path.lineTo(8.5, 8.5);
    path.arcTo(inner, 0, 210);
    path.closeSubpath();
    return path;
}

// --- 星与旗帜

// The digits of a many-pointed star's number, 3 × 5 pixels each, one row a
// string of three bits ("111" a full row).
void paintSmallNumber(QPainter& p, int number, QPointF topLeft)
{
    static const char* const digits[10][5] = {
        {"111", "101", "101", "101", "111"}, {"010", "110", "010", "010", "111"},
        {"111", "001", "111", "100", "111"}, {"111", "001", "111", "001", "111"},
        {"101", "101", "111", "001", "001"}, {"111", "100", "111", "001", "111"},
        {"111", "100", "111", "101", "111"}, {"111", "001", "001", "010", "010"},
        {"111", "101", "111", "101", "111"}, {"111", "101", "111", "001", "111"}};
    const QString text = QString::number(number);
    for (int i = 0; i < text.size(); ++i) {
        const int digit = text.at(i).digitValue();
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 3; ++column)
                if (digits[digit][row][column] == '1')
                    p.fillRect(QRectF(topLeft.x() + i * 4 + column, topLeft.y() + row, 1, 1), kShapeLine);
    }
}

// A star of 16 points and more is a serrated seal at this size: it carries its
// number, as the palette shows it, so that the three can be told apart.
template <int Points> void iconStar(QPainter& p)
{
    if constexpr (Points >= 16) {
        fillShape(p, starPath(QPointF(8, 8), 7.5, 5.6, Points, -90));
        paintSmallNumber(p, Points, QPointF(4, 5));
        return;
    }
    const double inner = Points <= 5 ? 2.8 : 3.8;
    fillShape(p, starPath(QPointF(8, 8.3), 7, inner, Points, Points == 4 || Points == 8 ? 0 : -90));
}

Path explosion1()
{
    return poly({{1, 4},
                 {5, 5},
                 {6, 1},
                 {8.5, 4.5},
                 {12, 1.5},
                 {11, 6},
                 {15, 6.5},
                 {12, 9},
                 {14.5, 13},
                 {9.5, 11},
                 {8, 15},
                 {6, 11.5},
                 {2, 13},
                 {4, 9.5},
                 {0.5, 8}});
}

Path explosion2()
{
    return poly({{2, 2.5},
                 {6, 5},
                 {7.5, 1},
                 {9.5, 4.5},
                 {14, 2.5},
                 {12, 7},
                 {15, 9},
                 {11.5, 10},
                 {13, 14.5},
                 {8.5, 12},
                 {6, 15},
                 {5, 11.5},
                 {1, 12},
                 {3.5, 8.5}});
}

// A band over two tails; up: its middle raised above the tails.
template <bool Up, bool Curved> void iconRibbon(QPainter& p)
{
    const double lift = Curved ? 1.5 : 0;
    Path tails = poly({{0.5, 5.5}, {4, 5.5}, {4, 12.5}, {0.5, 12.5}, {2, 9}});
    tails.addPath(mirrored(tails));
    Path band;
    band.moveTo(3.5, 3.5);
    band.quadTo(8, 3.5 - lift * 2, 12.5, 3.5);
    band.lineTo(12.5, 10.5);
    band.quadTo(8, 10.5 - lift * 2, 3.5, 10.5);
    band.closeSubpath();
    if (!Up) {
        tails = tails.translated(0, -2);
        band = band.translated(0, 2);
    }
    const QTransform flip = Up ? QTransform(1, 0, 0, -1, 0, 16) : QTransform();
    fillShape(p, flip.map(tails));
    fillShape(p, flip.map(band));
}

void iconVerticalScroll(QPainter& p)
{
    fillShape(p, poly({{3.5, 3}, {12.5, 3}, {12.5, 13}, {3.5, 13}}));
    p.drawEllipse(QRectF(2.5, 1.5, 11, 3));
    p.drawEllipse(QRectF(2.5, 11.5, 11, 3));
}

void iconHorizontalScroll(QPainter& p)
{
    p.save();
    p.translate(16, 0);
    p.rotate(90);
    iconVerticalScroll(p);
    p.restore();
}

Path wave(double amplitude, int humps)
{
    Path path;
    path.moveTo(1.5, 4);
    for (int i = 0; i < humps; ++i) {
        const double x = 1.5 + 13.0 * i / humps, w = 13.0 / humps;
        path.cubicTo(x + w / 3, 4 - amplitude, x + w * 2 / 3, 4 + amplitude, x + w, 4);
    }
    path.lineTo(14.5, 12);
    for (int i = humps; i > 0; --i) {
        const double x = 1.5 + 13.0 * i / humps, w = 13.0 / humps;
        path.cubicTo(x - w / 3, 12 + amplitude, x - w * 2 / 3, 12 - amplitude, x - w, 12);
    }
    path.closeSubpath();
    return path;
}

Path singleWave()
{
    return wave(3, 1);
}

Path doubleWave()
{
    return wave(2.5, 2);
}

} // namespace

void addArrowAndStarIcons(QHash<QString, IconPainter>& painters)
{
    const std::pair<QString, IconPainter> icons[] = {
        {u"block-right"_s, filled<rightArrow>},
        {u"block-left"_s, [](QPainter& p) { fillShape(p, mirrored(rightArrow())); }},
        {u"block-up"_s, [](QPainter& p) { fillShape(p, turned(rightArrow(), -90)); }},
        {u"block-down"_s, [](QPainter& p) { fillShape(p, turned(rightArrow(), 90)); }},
        {u"block-left-right"_s, filled<leftRightArrow>},
        {u"block-up-down"_s, [](QPainter& p) { fillShape(p, turned(leftRightArrow(), 90)); }},
        {u"block-quad"_s, filled<quadArrow>},
        {u"block-left-right-up"_s, filled<teeArrow>},
        {u"block-bent-up"_s, filled<uTurnArrow>},
        {u"block-left-up"_s, filled<leftRightUpArrow>},
        {u"block-bent"_s, filled<bentArrow>},
        {u"block-curved-right"_s, filled<curvedRightArrow>},
        {u"block-curved-left"_s, filled<curvedLeftArrow>},
        {u"block-curved-up"_s, filled<curvedUpArrow>},
        {u"block-curved-down"_s, filled<curvedDownArrow>},
        {u"block-notched"_s, filled<notchedArrow>},
        {u"block-striped"_s, iconStripedArrow},
        {u"block-pentagon"_s, filled<homePlate>},
        {u"block-chevron"_s, filled<chevron>},
        {u"block-callout-right"_s, filled<calloutRight>},
        {u"block-callout-left"_s, filled<calloutLeft>},
        {u"block-callout-up"_s, filled<calloutUp>},
        {u"block-callout-down"_s, filled<calloutDown>},
        {u"block-callout-left-right"_s, filled<calloutLeftRight>},
        {u"block-callout-up-down"_s, filled<calloutUpDown>},
        {u"block-callout-quad"_s, filled<calloutQuad>},
        {u"block-circular"_s, filled<circularArrow>},
        {u"star-explosion-1"_s, filled<explosion1>},
        {u"star-explosion-2"_s, filled<explosion2>},
        {u"star-4"_s, iconStar<4>},
        {u"star-5"_s, iconStar<5>},
        {u"star-8"_s, iconStar<8>},
        {u"star-16"_s, iconStar<16>},
        {u"star-24"_s, iconStar<24>},
        {u"star-32"_s, iconStar<32>},
        {u"ribbon-up"_s, iconRibbon<true, false>},
        {u"ribbon-down"_s, iconRibbon<false, false>},
        {u"ribbon-curved-up"_s, iconRibbon<true, true>},
        {u"ribbon-curved-down"_s, iconRibbon<false, true>},
        {u"scroll-vertical"_s, iconVerticalScroll},
        {u"scroll-horizontal"_s, iconHorizontalScroll},
        {u"wave"_s, filled<singleWave>},
        {u"double-wave"_s, filled<doubleWave>},
    };
    for (const auto& [key, paint] : icons)
        painters.insert(key, paint);
}

} // namespace pptdrill::kiticons
