// The pictures of the AutoShape palettes (自选图形's 线条, 连接符, 基本形状,
// 箭头总汇, 流程图, 星与旗帜 and 标注): each shape drawn small, outlined and
// lightly filled, so that it is found by its look.
#include "movie/widgets/icons/kitshapepainting.h"

namespace pptdrill::kiticons {
namespace {

using namespace shapes;

// --- 线条 and 连接符

void iconDoubleArrow(QPainter& p)
{
    Path path;
    path.moveTo(4, 12);
    path.lineTo(12, 4);
    strokeShape(p, path);
    arrowHead(p, {2.5, 13.5}, 135, 3.5, kShapeLine);
    arrowHead(p, {13.5, 2.5}, -45, 3.5, kShapeLine);
}

Path curve()
{
    Path path;
    path.moveTo(1.5, 12.5);
    path.cubicTo(4, 0, 9, 18, 14.5, 3.5);
    return path;
}

Path freeform()
{
    Path path = poly({{2.5, 12.5}, {4.5, 3.5}, {9.5, 6.5}, {13.5, 2.5}, {12.5, 13.5}});
    return path;
}

Path scribble()
{
    Path path;
    path.moveTo(1.5, 10.5);
    path.cubicTo(3, 2, 6, 2, 6.5, 8);
    path.cubicTo(7, 14, 10, 14, 10.5, 8);
    path.cubicTo(11, 3, 14, 4, 14.5, 7);
    return path;
}

// A connector between two small squares (the shapes it joins): straight,
// elbow or curved, with arrows at none, one or both ends.
template <int Kind, int Arrows> void iconConnector(QPainter& p)
{
    const bool straight = Kind == 0;
    const QPointF from = straight ? QPointF(3, 13) : QPointF(3, 12.5);
    const QPointF to = straight ? QPointF(13, 3) : QPointF(13, 3.5);
    Path path;
    path.moveTo(from);
    if (Kind == 0) {
        path.lineTo(to);
    } else if (Kind == 1) {
        path.lineTo(8, 12.5);
        path.lineTo(8, 3.5);
        path.lineTo(to);
    } else {
        path.cubicTo(9, 12.5, 7, 3.5, 13, 3.5);
    }
    strokeShape(p, path);
    p.setPen(iconPen(kShapeLine));
    p.setBrush(ink::paper);
    if (Arrows < 2)
        p.drawRect(QRectF(from.x() - 1.5, from.y() - 1.5, 3, 3));
    if (Arrows < 1)
        p.drawRect(QRectF(to.x() - 1.5, to.y() - 1.5, 3, 3));
    const double endAngle = straight ? -45 : 0;
    const QPointF reach = straight ? QPointF(1.2, -1.2) : QPointF(1.5, 0);
    if (Arrows >= 1)
        arrowHead(p, to + reach, endAngle, 3.5, kShapeLine);
    if (Arrows == 2)
        arrowHead(p, from - reach, endAngle + 180, 3.5, kShapeLine);
}

// --- 基本形状

Path rectangle()
{
    Path path;
    path.addRect(QRectF(2.5, 3.5, 11, 9));
    return path;
}

Path parallelogram()
{
    return poly({{5, 3.5}, {14.5, 3.5}, {11, 12.5}, {1.5, 12.5}});
}

Path trapezoid()
{
    return poly({{5, 3.5}, {11, 3.5}, {14.5, 12.5}, {1.5, 12.5}});
}

Path diamond()
{
    return poly({{8, 1.5}, {14.5, 8}, {8, 14.5}, {1.5, 8}});
}

Path roundedRectangle()
{
    Path path;
    path.addRoundedRect(QRectF(1.5, 3.5, 13, 9), 3, 3);
    return path;
}

// Flat sides on the pixel grid: drawn as a regular octagon it reads as a circle.
Path octagon()
{
    return poly({{5.5, 1.5},
                 {10.5, 1.5},
                 {14.5, 5.5},
                 {14.5, 10.5},
                 {10.5, 14.5},
                 {5.5, 14.5},
                 {1.5, 10.5},
                 {1.5, 5.5}});
}

Path triangle()
{
    return poly({{8, 2}, {14.5, 13.5}, {1.5, 13.5}});
}

Path rightTriangle()
{
    return poly({{2.5, 2}, {13.5, 13.5}, {2.5, 13.5}});
}

Path oval()
{
    Path path;
    path.addEllipse(QRectF(1.5, 3.5, 13, 9));
    return path;
}

Path hexagon()
{
    return poly({{4.5, 2.5}, {11.5, 2.5}, {14.5, 8}, {11.5, 13.5}, {4.5, 13.5}, {1.5, 8}});
}

Path cross()
{
    return poly({{5.5, 1.5},
                 {10.5, 1.5},
                 {10.5, 5.5},
                 {14.5, 5.5},
                 {14.5, 10.5},
                 {10.5, 10.5},
                 {10.5, 14.5},
                 {5.5, 14.5},
                 {5.5, 10.5},
                 {1.5, 10.5},
                 {1.5, 5.5},
                 {5.5, 5.5}});
}

Path pentagon()
{
    return regular(5, -90, 7).translated(0, 0.7);
}

void iconCan(QPainter& p)
{
    Path body;
    body.moveTo(3, 4);
    body.lineTo(3, 12);
    body.arcTo(QRectF(3, 10, 10, 4), 180, 180);
    body.lineTo(13, 4);
    fillShape(p, body);
    p.drawEllipse(QRectF(3, 2, 10, 4));
}

void iconCube(QPainter& p)
{
    fillShape(p, poly({{2, 5.5}, {10.5, 5.5}, {10.5, 14}, {2, 14}}));
    p.setBrush(kShapeFill.darker(112));
    p.drawPath(poly({{2, 5.5}, {5.5, 2}, {14, 2}, {10.5, 5.5}}));
    p.setBrush(kShapeFill.darker(130));
    p.drawPath(poly({{10.5, 5.5}, {14, 2}, {14, 10.5}, {10.5, 14}}));
}

void iconBevel(QPainter& p)
{
    fillShape(p, poly({{1.5, 2.5}, {14.5, 2.5}, {14.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(kShapeFill.darker(120));
    p.drawPath(poly({{1.5, 2.5}, {4.5, 5.5}, {4.5, 10.5}, {1.5, 13.5}}));
    p.drawPath(poly({{14.5, 2.5}, {11.5, 5.5}, {11.5, 10.5}, {14.5, 13.5}}));
    p.setBrush(ink::paper);
    p.drawRect(QRectF(4.5, 5.5, 7, 5));
}

void iconFoldedCorner(QPainter& p)
{
    fillShape(p, poly({{2.5, 2.5}, {13.5, 2.5}, {13.5, 10}, {10, 13.5}, {2.5, 13.5}}));
    p.setBrush(kShapeFill.darker(125));
    p.drawPath(poly({{13.5, 10}, {10.5, 10.5}, {10, 13.5}}));
}

void iconSmiley(QPainter& p)
{
    p.setPen(iconPen(kShapeLine));
    p.setBrush(kShapeFill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(kShapeLine);
    p.drawEllipse(QPointF(5.7, 6), 0.9, 0.9);
    p.drawEllipse(QPointF(10.3, 6), 0.9, 0.9);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 6, 7, 5.5), 200 * 16, 140 * 16);
}

Path donut()
{
    Path path;
    path.addEllipse(QRectF(1.5, 1.5, 13, 13));
    path.addEllipse(QRectF(5, 5, 6, 6));
    return path;
}

void iconNoSymbol(QPainter& p)
{
    Path ring;
    ring.addEllipse(QRectF(1.5, 1.5, 13, 13));
    ring.addEllipse(QRectF(4, 4, 8, 8));
    const Path bar = turned(poly({{2, 7}, {14, 7}, {14, 9}, {2, 9}}), 45);
    fillShape(p, ring.united(bar.intersected([] {
        Path disc;
        disc.addEllipse(QRectF(2, 2, 12, 12));
        return disc;
    }())));
}

Path blockArc()
{
    Path path;
    path.arcMoveTo(QRectF(1.5, 2.5, 13, 13), 180);
    path.arcTo(QRectF(1.5, 2.5, 13, 13), 180, -180);
    path.lineTo(11, 9);
    path.arcTo(QRectF(5, 6, 6, 6), 0, 180);
    path.closeSubpath();
    return path;
}

Path heart()
{
    Path path;
    path.moveTo(8, 14.5);
    path.cubicTo(-1, 8, 2, 0, 8, 4.5);
    path.cubicTo(14, 0, 17, 8, 8, 14.5);
    return path;
}

Path lightning()
{
    return poly({{6, 1.5},
                 {10.5, 5},
                 {9, 6},
                 {13, 9.5},
                 {11.5, 10.5},
                 {14.5, 14.5},
                 {7, 11.5},
                 {8.5, 10.5},
                 {3.5, 7.5},
                 {5, 6.5},
                 {1.5, 3.5}});
}

void iconSun(QPainter& p)
{
    p.setPen(iconPen(kShapeLine));
    p.setBrush(kShapeFill);
    for (int i = 0; i < 8; ++i)
        p.drawPath(turned(poly({{8, 0.5}, {9.3, 3.3}, {6.7, 3.3}}), 45.0 * i));
    p.drawEllipse(QPointF(8, 8), 3.6, 3.6);
}

Path moon()
{
    Path path;
    path.moveTo(11.5, 1.5);
    path.cubicTo(1, 2, 1, 14, 11.5, 14.5);
    path.cubicTo(6, 11, 6, 5, 11.5, 1.5);
    return path;
}

Path arc()
{
    Path path;
    path.arcMoveTo(QRectF(1.5, 2.5, 13, 13), 90);
    path.arcTo(QRectF(1.5, 2.5, 13, 13), 90, -90);
    return path;
}

Path leftBracket()
{
    Path path;
    path.moveTo(8, 1.5);
    path.quadTo(5.5, 1.5, 5.5, 4);
    path.lineTo(5.5, 12);
    path.quadTo(5.5, 14.5, 8, 14.5);
    return path;
}

Path leftBrace()
{
    Path path;
    path.moveTo(9.5, 1.5);
    path.quadTo(7, 1.5, 7, 4);
    path.lineTo(7, 6.5);
    path.quadTo(7, 8, 4.5, 8);
    path.quadTo(7, 8, 7, 9.5);
    path.lineTo(7, 12);
    path.quadTo(7, 14.5, 9.5, 14.5);
    return path;
}

Path rightBracket()
{
    return mirrored(leftBracket());
}

Path rightBrace()
{
    return mirrored(leftBrace());
}

Path bracketPair()
{
    Path path = leftBracket().translated(-3, 0);
    path.addPath(rightBracket().translated(3, 0));
    return path;
}

Path bracePair()
{
    Path path = leftBrace().translated(-2.5, 0);
    path.addPath(rightBrace().translated(2.5, 0));
    return path;
}

Path plaque()
{
    return poly({{4.5, 3.5},
                 {11.5, 3.5},
                 {11.5, 4.5},
                 {14.5, 4.5},
                 {14.5, 11.5},
                 {11.5, 11.5},
                 {11.5, 12.5},
                 {4.5, 12.5},
                 {4.5, 11.5},
                 {1.5, 11.5},
                 {1.5, 4.5},
                 {4.5, 4.5}});
}

} // namespace

void addLineAndBasicShapeIcons(QHash<QString, IconPainter>& painters)
{
    const std::pair<QString, IconPainter> icons[] = {
        {u"double-arrow"_s, iconDoubleArrow},
        {u"curve"_s, stroked<curve>},
        {u"freeform"_s, filled<freeform>},
        {u"scribble"_s, stroked<scribble>},
        {u"connector-straight"_s, iconConnector<0, 0>},
        {u"connector-straight-arrow"_s, iconConnector<0, 1>},
        {u"connector-straight-double"_s, iconConnector<0, 2>},
        {u"connector-elbow"_s, iconConnector<1, 0>},
        {u"connector-elbow-arrow"_s, iconConnector<1, 1>},
        {u"connector-elbow-double"_s, iconConnector<1, 2>},
        {u"connector-curved"_s, iconConnector<2, 0>},
        {u"connector-curved-arrow"_s, iconConnector<2, 1>},
        {u"connector-curved-double"_s, iconConnector<2, 2>},
        {u"shape-rectangle"_s, filled<rectangle>},
        {u"shape-parallelogram"_s, filled<parallelogram>},
        {u"shape-trapezoid"_s, filled<trapezoid>},
        {u"shape-diamond"_s, filled<diamond>},
        {u"shape-rounded-rectangle"_s, filled<roundedRectangle>},
        {u"shape-octagon"_s, filled<octagon>},
        {u"shape-triangle"_s, filled<triangle>},
        {u"shape-right-triangle"_s, filled<rightTriangle>},
        {u"shape-oval"_s, filled<oval>},
        {u"shape-hexagon"_s, filled<hexagon>},
        {u"shape-cross"_s, filled<cross>},
        {u"shape-pentagon"_s, filled<pentagon>},
        {u"shape-can"_s, iconCan},
        {u"shape-cube"_s, iconCube},
        {u"shape-bevel"_s, iconBevel},
        {u"shape-folded-corner"_s, iconFoldedCorner},
        {u"shape-smiley"_s, iconSmiley},
        {u"shape-donut"_s, filled<donut>},
        {u"shape-no-symbol"_s, iconNoSymbol},
        {u"shape-block-arc"_s, filled<blockArc>},
        {u"shape-heart"_s, filled<heart>},
        {u"shape-lightning"_s, filled<lightning>},
        {u"shape-sun"_s, iconSun},
        {u"shape-moon"_s, filled<moon>},
        {u"shape-arc"_s, stroked<arc>},
        {u"shape-bracket-pair"_s, stroked<bracketPair>},
        {u"shape-brace-pair"_s, stroked<bracePair>},
        {u"shape-left-bracket"_s, stroked<leftBracket>},
        {u"shape-right-bracket"_s, stroked<rightBracket>},
        {u"shape-left-brace"_s, stroked<leftBrace>},
        {u"shape-right-brace"_s, stroked<rightBrace>},
        {u"shape-plaque"_s, filled<plaque>},
    };
    for (const auto& [key, paint] : icons)
        painters.insert(key, paint);
}

} // namespace pptdrill::kiticons
