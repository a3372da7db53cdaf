#pragma once

// What the AutoShape palettes' pictures share: paths on the 16 × 16 grid,
// turned or mirrored, outlined and lightly filled.
#include "movie/widgets/icons/kiticonpainting.h"

#include <QPainterPath>
#include <QTransform>

namespace pptdrill::kiticons::shapes {

inline const QColor kShapeFill(0xDC, 0xE7, 0xF7);
inline const QColor kShapeLine(0x1F, 0x3A, 0x6B);

using Path = QPainterPath;

inline Path poly(std::initializer_list<QPointF> points)
{
    Path path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

inline Path regular(int corners, double rotation, double radius = 6.5)
{
    Path path;
    for (int i = 0; i < corners; ++i) {
        const double a = (rotation + 360.0 * i / corners) * kPi / 180;
        const QPointF at(8 + radius * std::cos(a), 8 + radius * std::sin(a));
        i == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

// The same path turned about the icon's centre (90: a quarter turn clockwise),
// or mirrored left to right.
inline Path turned(const Path& path, double degrees)
{
    return QTransform().translate(8, 8).rotate(degrees).translate(-8, -8).map(path);
}

inline Path mirrored(const Path& path)
{
    return QTransform(-1, 0, 0, 1, 16, 0).map(path);
}

inline void fillShape(QPainter& p, const Path& path)
{
    p.setPen(iconPen(kShapeLine));
    p.setBrush(kShapeFill);
    p.drawPath(path);
}

inline void strokeShape(QPainter& p, const Path& path, double width = 1)
{
    p.setPen(roundPen(kShapeLine, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

template <Path (*Make)()> void filled(QPainter& p)
{
    fillShape(p, Make());
}

template <Path (*Make)()> void stroked(QPainter& p)
{
    strokeShape(p, Make());
}

} // namespace pptdrill::kiticons::shapes
