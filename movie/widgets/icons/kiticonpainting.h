#pragma once

// The drawing primitives of the kit's icons, which are drawn on a 16 × 16 grid
// scaled to their rectangle; 1-unit lines sit on half units so they stay sharp
// at 16 pixels.
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QHash>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace pptdrill::kiticons {

using namespace Qt::Literals::StringLiterals;

namespace ink {
inline const QColor outline(0x4B, 0x5B, 0x73);
inline const QColor paper(0xFF, 0xFF, 0xFF);
inline const QColor paperLine(0x8A, 0x9A, 0xB2);
inline const QColor blue(0x2F, 0x62, 0xC6);
inline const QColor darkBlue(0x1B, 0x3B, 0x82);
inline const QColor lightBlue(0xA9, 0xC8, 0xF0);
inline const QColor yellow(0xF6, 0xCE, 0x46);
inline const QColor darkYellow(0xA7, 0x7A, 0x10);
inline const QColor red(0xD8, 0x2E, 0x2A);
inline const QColor green(0x3A, 0xA0, 0x3A);
inline const QColor grey(0x80, 0x88, 0x94);
inline const QColor text(0x1E, 0x1E, 0x1E);
} // namespace ink

inline QPen iconPen(const QColor& colour, double width = 1)
{
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

inline QPen roundPen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

inline void box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line)
{
    p.setPen(line.isValid() ? iconPen(line) : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawRect(r);
}

inline void rule(QPainter& p, double x1, double x2, double y, const QColor& colour, double width = 1)
{
    p.setPen(iconPen(colour, width));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
}

inline void polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& fill,
                    const QColor& line, double width = 1)
{
    p.setPen(line.isValid() ? iconPen(line, width) : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

// A sheet of paper with a folded corner.
inline void page(QPainter& p, const QRectF& r, bool lines)
{
    const double fold = std::min(r.width(), r.height()) * 0.3;
    polygon(p,
            {r.topLeft(), QPointF(r.right() - fold, r.top()), QPointF(r.right(), r.top() + fold),
             r.bottomRight(), r.bottomLeft()},
            ink::paper, ink::outline);
    polygon(p,
            {QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
             QPointF(r.right(), r.top() + fold)},
            QColor(0xDC, 0xE4, 0xF0), ink::outline);
    if (lines)
        for (double y = r.top() + fold + 2; y < r.bottom() - 1; y += 2)
            rule(p, r.left() + 2, r.right() - 2, y, ink::paperLine);
}

// Letters fitted to a box by their outline, so they fill it exactly.
inline void letters(QPainter& p, const QString& text, const QRectF& r, const QColor& colour, bool bold = true,
                    bool italic = false, const QString& family = {}, const QColor& outline = {})
{
    QFont font(family.isEmpty() ? serifFamily() : family);
    font.setPixelSize(48);
    font.setBold(bold);
    font.setItalic(italic);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return;
    const double scale = std::min(r.width() / bounds.width(), r.height() / bounds.height());
    QTransform t;
    t.translate(r.center().x(), r.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    p.setPen(outline.isValid() ? QPen(outline, 0.6) : QPen(Qt::NoPen));
    p.setBrush(colour);
    p.drawPath(t.map(path));
}

inline void textLines(QPainter& p, std::initializer_list<std::pair<double, double>> spans, double top,
                      double step, const QColor& colour = ink::text)
{
    double y = top;
    for (const auto& [from, to] : spans) {
        rule(p, from, to, y, colour);
        y += step;
    }
}

inline void arrowHead(QPainter& p, const QPointF& tip, double angleDegrees, double size, const QColor& colour)
{
    const double a = angleDegrees * kPi / 180;
    const QPointF back(tip.x() - size * std::cos(a), tip.y() - size * std::sin(a));
    const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
    polygon(p, {tip, back + side, back - side}, colour, {});
}

inline void pencil(QPainter& p, const QPointF& tip, double length)
{
    p.save();
    p.translate(tip);
    p.rotate(-45);
    polygon(p, {QPointF(0, 0), QPointF(3, -1.5), QPointF(3, 1.5)}, QColor(0xF1, 0xD2, 0xA8),
            QColor(0x6B, 0x4A, 0x1E), 0.6);
    polygon(p, {QPointF(0, 0), QPointF(1.2, -0.6), QPointF(1.2, 0.6)}, ink::text, {});
    p.setPen(iconPen(QColor(0x8A, 0x64, 0x0E), 0.6));
    p.setBrush(ink::yellow);
    p.drawRect(QRectF(3, -1.5, length - 5, 3));
    p.setBrush(QColor(0xE0, 0x7A, 0x8A));
    p.drawRect(QRectF(length - 2, -1.5, 2, 3));
    p.restore();
}

inline void magnifier(QPainter& p, const QPointF& centre, double radius)
{
    p.setPen(roundPen(QColor(0x6B, 0x45, 0x1C), 2.2));
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.6, radius * 1.6));
    p.setPen(iconPen(ink::text, 1.2));
    p.setBrush(QColor(0xD8, 0xEC, 0xFF, 220));
    p.drawEllipse(centre, radius, radius);
}

inline void slideFrame(QPainter& p, const QRectF& r)
{
    box(p, r, ink::paper, ink::outline);
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 2.5), ink::blue);
}

inline void colourBar(QPainter& p, const QColor& colour)
{
    p.fillRect(QRectF(1, 12.5, 14, 3), colour);
}

using IconPainter = void (*)(QPainter&);

// The icons of the toolbars (Standard, Formatting, Drawing, Outlining, the
// master views and the organisation chart), added to `painters` by key.
void addToolbarIcons(QHash<QString, IconPainter>& painters);
// The icons of the object toolbars (图示, 图片, 艺术字, 表格和边框).
void addObjectIcons(QHash<QString, IconPainter>& painters);
// The 审阅 toolbar's icons (comments and markup).
void addReviewIcons(QHash<QString, IconPainter>& painters);
// The file dialogs' icons: a folder, and their toolbar's buttons.
void addFileDialogIcons(QHash<QString, IconPainter>& painters);
// The AutoShape palettes' pictures: 线条, 连接符 and 基本形状; 箭头总汇 and 星与旗帜;
// 流程图 and 标注.
void addLineAndBasicShapeIcons(QHash<QString, IconPainter>& painters);
void addArrowAndStarIcons(QHash<QString, IconPainter>& painters);
void addFlowchartAndCalloutIcons(QHash<QString, IconPainter>& painters);

} // namespace pptdrill::kiticons
