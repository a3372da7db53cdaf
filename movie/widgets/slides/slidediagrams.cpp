// Diagrams (图示) on a slide: a cycle of arrows, shapes radiating from a
// centre, a pyramid's layers, overlapping circles and a target's rings, one
// colour a shape so that their order (and 反转图示) shows.
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

constexpr double kDiagramLine = 0.75;

// The colour of shape i of n: the scheme's fill, accent and second accent in
// turn, lighter the further round.
QColor diagramColour(const Design& design, int i)
{
    const QColor base[] = {design.shapeFill.isValid() ? design.shapeFill : QColor(0x99, 0xCC, 0x00),
                           design.accent.isValid() ? design.accent : QColor(0x33, 0x99, 0xCC),
                           design.accent2.isValid() ? design.accent2 : QColor(0xFF, 0x99, 0x33)};
    return base[i % 3].lighter(100 + 18 * (i / 3));
}

// The arc arrow of a cycle between two angles (degrees, counter-clockwise from three o'clock).
QPainterPath cycleArrow(const QPointF& centre, double outer, double inner, double from, double to)
{
    const auto at = [&](double radius, double degrees) {
        const double a = degrees * std::numbers::pi / 180;
        return QPointF(centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a));
    };
    const double head = std::copysign(12.0, to - from);
    QPainterPath path;
    const QRectF outerBox(centre.x() - outer, centre.y() - outer, outer * 2, outer * 2);
    const QRectF innerBox(centre.x() - inner, centre.y() - inner, inner * 2, inner * 2);
    path.arcMoveTo(outerBox, from);
    path.arcTo(outerBox, from, to - head - from);
    const double middle = (outer + inner) / 2, width = outer - inner;
    path.lineTo(at(middle + width * 0.9, to - head));
    path.lineTo(at(middle, to));
    path.lineTo(at(middle - width * 0.9, to - head));
    path.arcTo(innerBox, to - head, from - to + head);
    path.closeSubpath();
    return path;
}

void paintCycle(QPainter& p, const QRectF& r, int shapes, bool reversed, const Design& design)
{
    const double outer = std::min(r.width(), r.height()) * 0.46;
    const double inner = outer * 0.72;
    const double span = 360.0 / shapes;
    for (int i = 0; i < shapes; ++i) {
        // Clockwise from the top; reversed, the arrows run the other way round.
        const double start = 90 - i * span - span * 0.06;
        const double end = start - span * 0.88;
        p.setBrush(diagramColour(design, i));
        p.drawPath(reversed ? cycleArrow(r.center(), outer, inner, end, start)
                            : cycleArrow(r.center(), outer, inner, start, end));
    }
}

void paintRadial(QPainter& p, const QRectF& r, int shapes, bool reversed, const Design& design)
{
    const double size = std::min(r.width(), r.height());
    const double hub = size * 0.15, satellite = size * 0.12, reach = size * 0.36;
    const QPointF centre = r.center();
    std::vector<QPointF> around;
    for (int i = 0; i < shapes; ++i) {
        const double a = (90 - 360.0 * i / shapes) * std::numbers::pi / 180;
        around.emplace_back(centre.x() + reach * std::cos(a), centre.y() - reach * std::sin(a));
        p.drawLine(centre, around.back());
    }
    p.setBrush(diagramColour(design, 0));
    p.drawEllipse(centre, hub, hub);
    for (int i = 0; i < shapes; ++i) {
        p.setBrush(diagramColour(design, 1 + (reversed ? shapes - 1 - i : i)));
        p.drawEllipse(around[size_t(i)], satellite, satellite);
    }
}

void paintPyramid(QPainter& p, const QRectF& r, int shapes, bool reversed, const Design& design)
{
    const double h = std::min(r.height(), r.width() * 0.9) * 0.92;
    const double w = h / 0.9;
    const QRectF box(r.center().x() - w / 2, r.center().y() - h / 2, w, h);
    const auto halfWidthAt = [&](double y) { return (y - box.top()) / h * w / 2; };
    for (int i = 0; i < shapes; ++i) {
        const double top = box.top() + h * i / shapes, bottom = box.top() + h * (i + 1) / shapes;
        const double x = box.center().x();
        QPolygonF layer{QPointF(x - halfWidthAt(top), top), QPointF(x + halfWidthAt(top), top),
                        QPointF(x + halfWidthAt(bottom), bottom), QPointF(x - halfWidthAt(bottom), bottom)};
        p.setBrush(diagramColour(design, reversed ? shapes - 1 - i : i));
        p.drawPolygon(layer);
    }
}

void paintVenn(QPainter& p, const QRectF& r, int shapes, bool reversed, const Design& design)
{
    const double size = std::min(r.width(), r.height());
    const double radius = size * (shapes <= 3 ? 0.26 : 0.22), reach = shapes == 1 ? 0 : size * 0.17;
    for (int i = 0; i < shapes; ++i) {
        const double a = (90 - 360.0 * i / shapes) * std::numbers::pi / 180;
        const QPointF c(r.center().x() + reach * std::cos(a), r.center().y() - reach * std::sin(a));
        QColor colour = diagramColour(design, reversed ? shapes - 1 - i : i);
        colour.setAlpha(150);
        p.setBrush(colour);
        p.drawEllipse(c, radius, radius);
    }
}

void paintTarget(QPainter& p, const QRectF& r, int shapes, bool reversed, const Design& design)
{
    const double outer = std::min(r.width(), r.height()) * 0.46;
    // The first shape is the outermost ring, the last the centre.
    for (int i = 0; i < shapes; ++i) {
        const double radius = outer * (shapes - i) / shapes;
        p.setBrush(diagramColour(design, reversed ? shapes - 1 - i : i));
        p.drawEllipse(r.center(), radius, radius);
    }
}

} // namespace

void paintDiagram(QPainter& p, const QRectF& r, const SlideShape& shape, const Design& design)
{
    const int shapes = std::max(shape.diagramShapes, 1);
    const QString kind = shape.diagram.isEmpty() ? u"循环图"_s : shape.diagram;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(design.shapeLine.isValid() ? design.shapeLine : QColor(Qt::black), kDiagramLine));
    if (kind == u"射线图"_s)
        paintRadial(p, r, shapes, shape.diagramReversed, design);
    else if (kind == u"棱锥图"_s)
        paintPyramid(p, r, shapes, shape.diagramReversed, design);
    else if (kind == u"维恩图"_s)
        paintVenn(p, r, shapes, shape.diagramReversed, design);
    else if (kind == u"目标图"_s)
        paintTarget(p, r, shapes, shape.diagramReversed, design);
    else
        paintCycle(p, r, shapes, shape.diagramReversed, design);
    p.restore();
}

} // namespace pptdrill
