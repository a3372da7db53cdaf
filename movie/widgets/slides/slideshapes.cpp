// The objects on a slide: AutoShapes, pictures, clip art, WordArt, tables,
// charts, organisation charts, media and action buttons.
#include "movie/document/tablecells.h"
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QCache>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

// ------------------------------------------------------------------ shapes

constexpr double kShapeLineWidth = 0.75;
constexpr double kShapeTextSize = 18;

TextStyle shapeTextStyle(const QColor& colour, Qt::Alignment align = Qt::AlignHCenter)
{
    TextStyle style;
    style.family = songFamily();
    style.size = kShapeTextSize;
    style.color = colour;
    style.bulletColor = colour;
    style.align = align;
    style.middle = true;
    return style;
}

// A text box's text: its own font, direction, anchor and insets.
TextStyle textBoxStyle(const SlideShape& shape, const Design& design)
{
    constexpr double kPointsPerCentimetre = 72 / 2.54;
    const SlideFont& font = shape.font;
    TextStyle style = shapeTextStyle(design.text, alignmentOf(font.align, Qt::AlignLeft));
    if (!font.family.isEmpty())
        style.family = slideFamily(font.family);
    if (!font.latinFamily.isEmpty())
        style.latinFamily = latinFace(font.latinFamily);
    if (font.size > 0)
        style.size = font.size;
    style.bold = font.bold.value_or(false);
    style.italic = font.italic.value_or(false);
    style.underline = font.underline.value_or(false);
    style.shadow = font.shadow.value_or(false);
    style.emboss = font.emboss.value_or(false);
    style.distribute = font.align == u"distribute"_s;
    if (const QColor colour = colorFrom(font.color); colour.isValid())
        style.color = style.bulletColor = colour;
    style.vertical = shape.vertical;
    const QString& anchor = shape.anchor;
    style.middle = anchor.startsWith(u"中部"_s);
    style.bottom = anchor.startsWith(u"底部"_s);
    style.centredBlock = anchor.endsWith(u"居中"_s);
    style.wrap = shape.wordWrap;
    style.insets = QMarginsF(shape.insetLeft, shape.insetTop, shape.insetRight, shape.insetBottom) *
                   kPointsPerCentimetre;
    return style;
}

QPainterPath blockArrowPath(const QRectF& r)
{
    const double headStart = r.right() - std::min(r.width(), r.height()) * 0.5;
    const double shaftTop = r.top() + r.height() * 0.25;
    const double shaftBottom = r.bottom() - r.height() * 0.25;
    QPainterPath path;
    path.moveTo(r.left(), shaftTop);
    path.lineTo(headStart, shaftTop);
    path.lineTo(headStart, r.top());
    path.lineTo(r.right(), r.center().y());
    path.lineTo(headStart, r.bottom());
    path.lineTo(headStart, shaftBottom);
    path.lineTo(r.left(), shaftBottom);
    path.closeSubpath();
    return path;
}

// A five-point star that fills its box, as an AutoShape star does.
QPainterPath starInBox(const QRectF& r)
{
    const QPainterPath unit = starPath(QPointF(0, 0), 1, 0.382, 5);
    const QRectF bounds = unit.boundingRect();
    QTransform t;
    t.translate(r.left(), r.top());
    t.scale(r.width() / bounds.width(), r.height() / bounds.height());
    t.translate(-bounds.left(), -bounds.top());
    return t.map(unit);
}

void paintSmiley(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line)
{
    p.setPen(QPen(line, kShapeLineWidth));
    p.setBrush(fill);
    p.drawEllipse(r);
    p.setBrush(fill.darker(160));
    const double eyeW = r.width() * 0.1;
    const double eyeH = r.height() * 0.12;
    p.drawEllipse(QRectF(r.left() + r.width() * 0.3 - eyeW / 2, r.top() + r.height() * 0.3, eyeW, eyeH));
    p.drawEllipse(QRectF(r.left() + r.width() * 0.7 - eyeW / 2, r.top() + r.height() * 0.3, eyeW, eyeH));
    QPainterPath smile;
    smile.moveTo(r.left() + r.width() * 0.25, r.top() + r.height() * 0.66);
    smile.quadTo(r.center().x(), r.top() + r.height() * 0.86, r.left() + r.width() * 0.75,
                 r.top() + r.height() * 0.66);
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
}

// A landscape photograph: sky, sun, hills.
} // namespace

void paintPicture(QPainter& p, const QRectF& r)
{
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x3F, 0x8C, 0xD8));
    sky.setColorAt(0.65, QColor(0xBF, 0xDF, 0xF7));
    p.fillRect(r, sky);
    p.setPen(Qt::NoPen);
    const double unit = std::min(r.width(), r.height());
    QRadialGradient glow(QPointF(r.left() + r.width() * 0.76, r.top() + r.height() * 0.24), unit * 0.2);
    glow.setColorAt(0, QColor(0xFF, 0xF2, 0x9E));
    glow.setColorAt(0.55, QColor(0xFF, 0xD2, 0x3C));
    glow.setColorAt(1, QColor(0xFF, 0xD2, 0x3C, 0));
    p.setBrush(glow);
    p.drawEllipse(QPointF(r.left() + r.width() * 0.76, r.top() + r.height() * 0.24), unit * 0.2, unit * 0.2);
    QPainterPath far;
    far.moveTo(r.left(), r.bottom());
    far.lineTo(r.left(), r.top() + r.height() * 0.62);
    far.quadTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.38, r.left() + r.width() * 0.62,
               r.top() + r.height() * 0.66);
    far.quadTo(r.left() + r.width() * 0.82, r.top() + r.height() * 0.52, r.right(),
               r.top() + r.height() * 0.6);
    far.lineTo(r.right(), r.bottom());
    far.closeSubpath();
    p.fillPath(far, QColor(0x5E, 0x9E, 0x4A));
    QPainterPath near;
    near.moveTo(r.left(), r.bottom());
    near.lineTo(r.left(), r.top() + r.height() * 0.84);
    near.quadTo(r.left() + r.width() * 0.45, r.top() + r.height() * 0.62, r.right(),
                r.top() + r.height() * 0.8);
    near.lineTo(r.right(), r.bottom());
    near.closeSubpath();
    QLinearGradient grass(QPointF(0, r.top() + r.height() * 0.65), QPointF(0, r.bottom()));
    grass.setColorAt(0, QColor(0x7C, 0xC1, 0x4E));
    grass.setColorAt(1, QColor(0x3E, 0x7D, 0x2A));
    p.fillPath(near, grass);
    p.restore();
}
namespace {

// A 相册's picture in the frame of its 相框形状.
void paintFramedPicture(QPainter& p, const QRectF& r, const QString& frame)
{
    const double edge = std::min(r.width(), r.height()) * 0.05;
    p.save();
    if (frame == u"居中矩形阴影"_s)
        p.fillRect(r.translated(edge * 0.8, edge * 0.8), QColor(0, 0, 0, 90));
    if (frame == u"圆角矩形"_s) {
        QPainterPath rounded;
        rounded.addRoundedRect(r, edge * 2, edge * 2);
        p.setClipPath(rounded, Qt::IntersectClip);
    }
    paintPicture(p, r);
    p.setBrush(Qt::NoBrush);
    if (frame == u"简单框架，白色"_s || frame == u"简单框架，黑色"_s || frame == u"复杂框架，黑色"_s) {
        const QColor colour = frame == u"简单框架，白色"_s ? Qt::white : Qt::black;
        p.setPen(QPen(colour, edge, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(r.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2));
        if (frame == u"复杂框架，黑色"_s) {
            p.setPen(QPen(Qt::white, edge / 5));
            p.drawRect(r.adjusted(edge * 1.3, edge * 1.3, -edge * 1.3, -edge * 1.3));
        }
    } else if (frame == u"柔化边缘矩形"_s) {
        // The picture fades into the slide at its edges.
        for (int i = 0; i < 6; ++i) {
            p.setPen(QPen(QColor(255, 255, 255, 200 - i * 30), edge / 3));
            const double in = edge / 3 * i + edge / 6;
            p.drawRect(r.adjusted(in, in, -in, -in));
        }
    }
    p.restore();
}

// Clip art: a flower in a pot.
void paintClipArt(QPainter& p, const QRectF& box, const QColor& petals)
{
    const double side = std::min(box.width(), box.height());
    const QRectF r(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const auto at = [&r](double x, double y) {
        return QPointF(r.left() + x * r.width(), r.top() + y * r.height());
    };
    const QColor outline(0x33, 0x33, 0x33);
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), side * 0.035, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem;
    stem.moveTo(at(0.5, 0.72));
    stem.cubicTo(at(0.48, 0.6), at(0.53, 0.5), at(0.5, 0.38));
    p.drawPath(stem);
    p.setPen(QPen(outline, side * 0.012));
    p.setBrush(QColor(0x5C, 0xB8, 0x4A));
    for (const bool left : {true, false}) {
        QPainterPath leaf;
        const double dir = left ? -1 : 1;
        leaf.moveTo(at(0.5, 0.6));
        leaf.quadTo(at(0.5 + dir * 0.12, 0.46), at(0.5 + dir * 0.24, 0.52));
        leaf.quadTo(at(0.5 + dir * 0.14, 0.64), at(0.5, 0.6));
        p.drawPath(leaf);
    }
    p.setBrush(petals);
    const QPointF centre = at(0.5, 0.28);
    for (int i = 0; i < 6; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 60.0);
        p.drawEllipse(QRectF(-side * 0.075, -side * 0.22, side * 0.15, side * 0.17));
        p.restore();
    }
    p.setBrush(QColor(0xFF, 0xD5, 0x3A));
    p.drawEllipse(centre, side * 0.08, side * 0.08);
    QPainterPath pot;
    pot.moveTo(at(0.3, 0.72));
    pot.lineTo(at(0.7, 0.72));
    pot.lineTo(at(0.63, 0.97));
    pot.lineTo(at(0.37, 0.97));
    pot.closeSubpath();
    p.setBrush(QColor(0xC8, 0x6B, 0x3C));
    p.drawPath(pot);
    p.setBrush(QColor(0xB0, 0x57, 0x2C));
    p.drawRect(QRectF(at(0.27, 0.69), at(0.73, 0.77)));
}

// The outline of WordArt's words before it is fitted to its box. Making it
// from the font is most of the cost of painting WordArt, so the last few are kept.
QPainterPath wordArtOutline(const QString& words)
{
    static QCache<QString, QPainterPath> outlines(16);
    if (const QPainterPath* kept = outlines.object(words))
        return *kept;
    auto outline = std::make_unique<QPainterPath>();
    outline->addText(0, 0, makeFont(songFamily(), 100, true), words);
    QPainterPath copy = *outline;
    outlines.insert(words, outline.release());
    return copy;
}

// WordArt: the text stretched over its box, slightly arched, filled with a
// gradient and outlined, over a soft shadow; drawn in `r` at the origin.
void drawWordArt(QPainter& p, const QSizeF& size, const QString& words, const QColor& fill,
                 const QColor& line)
{
    QPainterPath path = wordArtOutline(words);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return;
    const QRectF r(QPointF(0, 0), size);
    const double arch = r.height() * 0.14;
    QTransform fit;
    fit.translate(r.left(), r.top() + arch);
    fit.scale(r.width() / bounds.width(), (r.height() - arch) / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    path = fit.map(path);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const double t = (e.x - r.center().x()) / (r.width() / 2);
        path.setElementPositionAt(i, e.x, e.y - arch * (1 - t * t));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x80, 0x80, 110));
    p.drawPath(path.translated(r.height() * 0.04, r.height() * 0.05));
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, fill.lighter(160));
    gradient.setColorAt(0.5, fill);
    gradient.setColorAt(1, fill.darker(150));
    p.setBrush(gradient);
    p.setPen(QPen(line, std::max(0.5, r.height() * 0.012)));
    p.drawPath(path);
}

// Filling and outlining WordArt's curves costs far more than a picture of
// them, so each is drawn once at the size it is shown and then kept.
void paintWordArt(QPainter& p, const QRectF& r, const QString& text, const QColor& fill, const QColor& line)
{
    constexpr qsizetype kMaxWordArt = 200;
    constexpr double kLargestPicture = 4096; // pixels a side; larger is drawn directly
    const QString words =
        text.trimmed().isEmpty() ? u"请在此键入您自己的内容"_s : text.trimmed().left(kMaxWordArt);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const double margin = r.height() * 0.06 + 2; // the shadow and the outline's width
    const QRectF area = r.adjusted(-margin, -margin, margin, margin);
    const double scale =
        std::sqrt(std::abs(p.worldTransform().determinant())) * p.device()->devicePixelRatioF();
    const QSize pixels(qCeil(area.width() * scale), qCeil(area.height() * scale));
    p.save();
    if (pixels.isEmpty() || pixels.width() > kLargestPicture || pixels.height() > kLargestPicture) {
        p.translate(r.topLeft());
        drawWordArt(p, r.size(), words, fill, line);
        p.restore();
        return;
    }
    static QCache<QString, QImage> pictures(24);
    const QString key = u"%1|%2x%3|%4|%5|%6"_s.arg(words)
                            .arg(r.width())
                            .arg(r.height())
                            .arg(scale)
                            .arg(fill.rgba())
                            .arg(line.rgba());
    if (!pictures.contains(key)) {
        auto picture = std::make_unique<QImage>(pixels, QImage::Format_ARGB32_Premultiplied);
        picture->fill(Qt::transparent);
        QPainter q(picture.get());
        q.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        q.scale(scale, scale);
        q.translate(margin, margin);
        drawWordArt(q, r.size(), words, fill, line);
        q.end();
        pictures.insert(key, picture.release());
    }
    p.drawImage(area, *pictures.object(key));
    p.restore();
}

// The text of a table's cells: at the cell's top or in its middle, and small enough for the row.
TextStyle tableCellStyle(const SlideShape& table, double cellHeight)
{
    TextStyle style = shapeTextStyle(Qt::black);
    style.middle = table.cellAlign == u"居中"_s;
    style.size = std::min(kShapeTextSize, cellHeight * 0.55);
    return style;
}

void paintTable(QPainter& p, const QRectF& r, const SlideShape& shape, const QColor& fill, const QColor& line,
                const QColor& header, const QColor& textColour)
{
    const QString& text = shape.text;
    const double borderWidth = shape.borderWidth;
    const TableGrid table = tableGridOf(text);
    const double cellW = r.width() / table.columns;
    const double cellH = r.height() / table.rows;
    // A table as inserted has no fill: the slide shows through its cells.
    if (header.isValid())
        p.fillRect(QRectF(r.left(), r.top(), r.width(), cellH), header);
    if (fill.isValid())
        p.fillRect(QRectF(r.left(), r.top() + cellH, r.width(), r.height() - cellH), fill);
    p.setPen(QPen(line, borderWidth > 0 ? borderWidth : kShapeLineWidth));
    for (int row = 0; row <= table.rows; ++row)
        p.drawLine(QPointF(r.left(), r.top() + row * cellH), QPointF(r.right(), r.top() + row * cellH));
    for (int col = 0; col <= table.columns; ++col)
        p.drawLine(QPointF(r.left() + col * cellW, r.top()), QPointF(r.left() + col * cellW, r.bottom()));
    // An outside border of its own is drawn over the outer lines.
    const QColor outerLine = colorFrom(shape.outerLine);
    if (shape.outerBorderWidth > 0 || outerLine.isValid()) {
        p.setPen(QPen(outerLine.isValid() ? outerLine : line,
                      shape.outerBorderWidth > 0 ? shape.outerBorderWidth
                                                 : (borderWidth > 0 ? borderWidth : kShapeLineWidth),
                      Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
    TextStyle style = tableCellStyle(shape, cellH);
    for (size_t row = 0; row < table.cells.size(); ++row)
        for (qsizetype col = 0; col < table.cells[row].size(); ++col) {
            const QColor under = row == 0 ? header : fill;
            // The borders' colour is theirs alone: on no fill the text keeps the design's colour.
            style.color = under.isValid() ? contrastingText(under) : textColour;
            const QRectF cell(r.left() + col * cellW, r.top() + row * cellH, cellW, cellH);
            paintText(p, cell, {{table.cells[row][col], 0}}, style);
        }
}

} // namespace

std::optional<ShapeText> tableCellText(const SlideShape& table, int row, int column)
{
    const TableGrid grid = tableGridOf(table.text);
    if (table.type != u"table"_s || row < 1 || row > grid.rows || column < 1 || column > grid.columns)
        return std::nullopt;
    const QRectF r = QRectF(table.x, table.y, table.w, table.h).normalized();
    const double cellW = r.width() / grid.columns;
    const double cellH = r.height() / grid.rows;
    const QRectF cell(r.left() + (column - 1) * cellW, r.top() + (row - 1) * cellH, cellW, cellH);
    return ShapeText{cell, {{cellText(table.text, row, column), 0}}, tableCellStyle(table, cellH), 0};
}

std::optional<std::pair<int, int>> tableCellAt(const SlideShape& table, const QPointF& onSlide)
{
    const TableGrid grid = tableGridOf(table.text);
    const QRectF r = QRectF(table.x, table.y, table.w, table.h).normalized();
    if (table.type != u"table"_s || !r.contains(onSlide) || r.width() <= 0 || r.height() <= 0)
        return std::nullopt;
    const int row =
        std::clamp(static_cast<int>((onSlide.y() - r.top()) * grid.rows / r.height()) + 1, 1, grid.rows);
    const int column = std::clamp(static_cast<int>((onSlide.x() - r.left()) * grid.columns / r.width()) + 1,
                                  1, grid.columns);
    return std::pair{row, column};
}

void paintSpeaker(QPainter& p, const QRectF& box, const QColor& colour)
{
    const double side = std::min(box.width(), box.height());
    const QRectF r(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const auto at = [&r](double x, double y) {
        return QPointF(r.left() + x * r.width(), r.top() + y * r.height());
    };
    QPainterPath speaker;
    speaker.moveTo(at(0.1, 0.36));
    speaker.lineTo(at(0.3, 0.36));
    speaker.lineTo(at(0.55, 0.12));
    speaker.lineTo(at(0.55, 0.88));
    speaker.lineTo(at(0.3, 0.64));
    speaker.lineTo(at(0.1, 0.64));
    speaker.closeSubpath();
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0, colour.lighter(150));
    body.setColorAt(1, colour.darker(130));
    p.setPen(QPen(QColor(0x30, 0x30, 0x40), side * 0.03, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(body);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const double radius = side * (0.12 + i * 0.12);
        p.drawArc(QRectF(at(0.56, 0.5) - QPointF(radius, radius), QSizeF(radius * 2, radius * 2)), -45 * 16,
                  90 * 16);
    }
}

void paintFilm(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(0x1C, 0x1C, 0x1C));
    const double strip = std::min(r.height() * 0.14, r.width() * 0.14);
    const double hole = strip * 0.5;
    const int holes = std::max(2, int(r.width() / (hole * 2)));
    const double step = r.width() / holes;
    for (int i = 0; i < holes; ++i) {
        const double x = r.left() + i * step + (step - hole) / 2;
        p.fillRect(QRectF(x, r.top() + (strip - hole) / 2, hole, hole), QColor(0xEE, 0xEE, 0xEE));
        p.fillRect(QRectF(x, r.bottom() - strip + (strip - hole) / 2, hole, hole), QColor(0xEE, 0xEE, 0xEE));
    }
    paintPicture(p, r.adjusted(strip * 0.5, strip, -strip * 0.5, -strip));
}
namespace {

// The picture on an action button's face, in the button's darker colour.
void paintActionButtonPicture(QPainter& p, const QRectF& face, const QString& kind, const QColor& ink)
{
    const double size = std::min(face.width(), face.height()) * 0.55;
    const QPointF c = face.center();
    const auto at = [&](double x, double y) { return QPointF(c.x() + x * size, c.y() + y * size); };
    const auto triangle = [&](double tip, double back) {
        return QPolygonF({at(back, -0.5), at(tip, 0), at(back, 0.5)});
    };
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (kind == u"自定义"_s) {
        return;
    } else if (kind == u"后退或前一项"_s) {
        p.drawPolygon(triangle(-0.5, 0.4));
    } else if (kind == u"开始"_s) {
        p.drawPolygon(triangle(-0.3, 0.5));
        p.drawRect(QRectF(at(-0.5, -0.5), at(-0.38, 0.5)));
    } else if (kind == u"结束"_s) {
        p.drawPolygon(triangle(0.3, -0.5));
        p.drawRect(QRectF(at(0.38, -0.5), at(0.5, 0.5)));
    } else if (kind == u"第一张"_s) {
        p.drawPolygon(QPolygonF({at(0, -0.5), at(0.5, 0), at(0.32, 0), at(0.32, 0.5), at(-0.32, 0.5),
                                 at(-0.32, 0), at(-0.5, 0)}));
    } else if (kind == u"上一张"_s) {
        // A U-turn arrow: out to the right, round and back to the left.
        QPainterPath turn;
        turn.moveTo(at(-0.2, -0.3));
        turn.lineTo(at(0.15, -0.3));
        turn.arcTo(QRectF(at(-0.05, -0.3), at(0.45, 0.3)), 90, -180);
        turn.lineTo(at(-0.2, 0.3));
        p.setPen(QPen(ink, size * 0.14));
        p.setBrush(Qt::NoBrush);
        p.drawPath(turn);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({at(-0.5, 0.3), at(-0.2, 0.08), at(-0.2, 0.52)}));
    } else if (kind == u"帮助"_s || kind == u"信息"_s) {
        QFont font(songFamily());
        font.setPixelSize(std::max(1, static_cast<int>(size)));
        font.setBold(true);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(face, Qt::AlignCenter, kind == u"帮助"_s ? u"?"_s : u"i"_s);
    } else if (kind == u"文档"_s) {
        p.drawPolygon(
            QPolygonF({at(-0.35, -0.5), at(0.15, -0.5), at(0.35, -0.3), at(0.35, 0.5), at(-0.35, 0.5)}));
    } else if (kind == u"声音"_s) {
        p.drawPolygon(QPolygonF({at(-0.5, -0.15), at(-0.25, -0.15), at(0.1, -0.5), at(0.1, 0.5),
                                 at(-0.25, 0.15), at(-0.5, 0.15)}));
    } else if (kind == u"影片"_s) {
        p.drawRect(QRectF(at(-0.5, -0.3), at(0.2, 0.3)));
        p.drawPolygon(QPolygonF({at(0.2, 0), at(0.5, -0.3), at(0.5, 0.3)}));
    } else {
        p.drawPolygon(triangle(0.5, -0.4));
    }
}

void paintActionButton(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line,
                       const QString& kind)
{
    const double bevel = std::min(r.width(), r.height()) * 0.125;
    const QRectF face = r.adjusted(bevel, bevel, -bevel, -bevel);
    p.setPen(Qt::NoPen);
    p.fillRect(r, fill);
    p.setBrush(fill.lighter(150));
    p.drawPolygon(QPolygonF(
        {r.topLeft(), r.topRight(), face.topRight(), face.topLeft(), face.bottomLeft(), r.bottomLeft()}));
    p.setBrush(fill.darker(160));
    p.drawPolygon(QPolygonF({r.bottomRight(), r.bottomLeft(), face.bottomLeft(), face.bottomRight(),
                             face.topRight(), r.topRight()}));
    p.setBrush(fill);
    p.drawRect(face);
    paintActionButtonPicture(p, face, kind, fill.darker(250));
    p.setPen(QPen(line, kShapeLineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

// 圆角矩形标注: a rounded box with a pointer down and to the left.
QPainterPath roundCalloutPath(const QRectF& r)
{
    const QRectF box(r.left(), r.top(), r.width(), r.height() * 0.78);
    const double radius = std::min(box.width(), box.height()) / 6;
    QPainterPath bubble;
    bubble.addRoundedRect(box, radius, radius);
    QPainterPath pointer;
    pointer.moveTo(box.left() + box.width() * 0.2, box.bottom() - 1);
    pointer.lineTo(r.left() + r.width() * 0.08, r.bottom());
    pointer.lineTo(box.left() + box.width() * 0.38, box.bottom() - 1);
    pointer.closeSubpath();
    return bubble.united(pointer);
}

// 横卷形: a sheet with its top edge rolled forward at the right and its
// bottom edge at the left; the curls are drawn over it.
QPainterPath scrollPath(const QRectF& r)
{
    const double roll = std::min(r.height() * 0.125, r.width() * 0.1);
    QPainterPath sheet;
    sheet.addRect(QRectF(r.left() + roll / 2, r.top() + roll, r.width() - roll, r.height() - roll * 2));
    QPainterPath top;
    top.addRoundedRect(QRectF(r.left() + roll / 2, r.top(), r.width() - roll / 2, roll * 2), roll, roll);
    QPainterPath bottom;
    bottom.addRoundedRect(QRectF(r.left(), r.bottom() - roll * 2, r.width() - roll / 2, roll * 2), roll,
                          roll);
    return sheet.united(top).united(bottom);
}

void paintScrollCurls(QPainter& p, const QRectF& r)
{
    const double roll = std::min(r.height() * 0.125, r.width() * 0.1);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(r.left() + roll / 2, r.top() + roll * 2),
               QPointF(r.right() - roll, r.top() + roll * 2));
    p.drawEllipse(QRectF(r.right() - roll * 1.5, r.top() + roll * 0.5, roll, roll));
    p.drawLine(QPointF(r.left() + roll, r.bottom() - roll * 2),
               QPointF(r.right() - roll / 2, r.bottom() - roll * 2));
    p.drawEllipse(QRectF(r.left() + roll * 0.5, r.bottom() - roll * 1.5, roll, roll));
}

// The outline of an AutoShape, for its shadow; other objects cast a box's.
QPainterPath outlineOf(const QString& type, const QRectF& r)
{
    QPainterPath path;
    if (type == u"roundrect"_s) {
        const double radius = std::min(r.width(), r.height()) / 6;
        path.addRoundedRect(r, radius, radius);
    } else if (type == u"ellipse"_s || type == u"smiley"_s) {
        path.addEllipse(r);
    } else if (type == u"arrow"_s) {
        path = blockArrowPath(r);
    } else if (type == u"star"_s) {
        path = starInBox(r);
    } else if (type == u"callout"_s) {
        path = roundCalloutPath(r);
    } else if (type == u"scroll"_s) {
        path = scrollPath(r);
    } else {
        path.addRect(r);
    }
    return path;
}

// Where 阴影样式 1 to 20 cast their shadow, in points: out in one of eight
// directions, each further eight further, as the perspective ones fall.
QPointF shadowOffset(int style)
{
    static const QPointF directions[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                         {-1, 1},  {1, 1},  {0, 1},  {1, 0}};
    const QPointF direction = directions[(style - 1) % 8];
    return direction * (style <= 8 ? 6.0 : style <= 16 ? 9.0 : 12.0);
}

} // namespace

namespace {

// A picture's 图像控制 and cropping: the whole picture is drawn into `r`
// enlarged by what is cut off, clipped to `r`, then its colours adjusted.
template <typename Paint>
void paintAdjustedPicture(QPainter& p, const QRectF& r, const SlideShape& shape, Paint paintWhole)
{
    const QRectF whole = r.adjusted(-shape.cropLeft, -shape.cropTop, shape.cropRight, shape.cropBottom);
    const QString colour = shape.pictureColor == u"自动"_s ? QString() : shape.pictureColor;
    // 冲蚀 is a bright, pale picture: brightness 85%, contrast 15% where not set otherwise.
    const bool washout = colour == u"冲蚀"_s;
    const double brightness = washout && shape.brightness == 50 ? 85 : shape.brightness;
    const double contrast = washout && shape.contrast == 50 ? 15 : shape.contrast;
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    if ((colour.isEmpty() || washout) && brightness == 50 && contrast == 50) {
        paintWhole(p, whole);
        p.restore();
        return;
    }
    const QRectF device = p.transform().mapRect(r);
    const QSize size(std::clamp(qCeil(device.width()), 1, 2000), std::clamp(qCeil(device.height()), 1, 2000));
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter q(&image);
        q.setRenderHint(QPainter::Antialiasing);
        q.scale(size.width() / r.width(), size.height() / r.height());
        q.translate(-r.topLeft());
        paintWhole(q, whole);
    }
    const double lift = (brightness - 50) / 50 * 255;
    const double stretch = contrast <= 50 ? contrast / 50 : 50 / std::max(100 - contrast, 5.0);
    const auto adjust = [&](double v) { return std::clamp((v + lift - 128) * stretch + 128, 0.0, 255.0); };
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            double red = qRed(c), green = qGreen(c), blue = qBlue(c);
            if (colour == u"灰度"_s || colour == u"黑白"_s) {
                double grey = 0.299 * red + 0.587 * green + 0.114 * blue;
                if (colour == u"黑白"_s)
                    grey = grey >= 128 ? 255 : 0;
                red = green = blue = grey;
            }
            line[x] = qRgba(int(adjust(red)), int(adjust(green)), int(adjust(blue)), qAlpha(c));
        }
    }
    p.drawImage(r, image);
    p.restore();
}

} // namespace

namespace {

// A shape's colours: those it gives, and those it is drawn with (the design's where it gives none).
struct ShapeColours
{
    QColor givenFill, givenLine, fill, line;
};

// The shapes drawn as an outline filled and stroked with the shape's colours.
void drawOutlinedShape(QPainter& p, const QRectF& r, const QString& type)
{
    if (type == u"roundrect"_s) {
        const double radius = std::min(r.width(), r.height()) / 6;
        p.drawRoundedRect(r, radius, radius);
    } else if (type == u"ellipse"_s) {
        p.drawEllipse(r);
    } else if (type == u"arrow"_s) {
        p.drawPath(blockArrowPath(r));
    } else if (type == u"star"_s) {
        p.drawPath(starInBox(r));
    } else if (type == u"callout"_s) {
        p.drawPath(roundCalloutPath(r));
    } else if (type == u"scroll"_s) {
        p.drawPath(scrollPath(r));
        paintScrollCurls(p, r);
    } else {
        p.drawRect(r);
    }
}

void paintTextBox(QPainter& p, const QRectF& r, const SlideShape& shape, const Design& design,
                  const ShapeColours& colours)
{
    if (colours.givenFill.isValid())
        p.fillRect(r, colours.givenFill);
    if (colours.givenLine.isValid()) {
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
    const ShapeText text = shapeText(shape, design);
    paintText(p, r, text.paragraphs, text.style, text.growTo);
}

void paintPictureShape(QPainter& p, const QRectF& r, const SlideShape& shape, const ShapeColours& colours)
{
    paintFramedPicture(p, r, shape.frame);
    paintAdjustedPicture(p, r, shape, [](QPainter& q, const QRectF& whole) { paintPicture(q, whole); });
    if (colours.givenLine.isValid()) {
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
}

// The objects that draw themselves, text and all: false for a type that is not one of them.
bool paintObjectShape(QPainter& p, const QRectF& r, const SlideShape& shape, const Design& design,
                      const QString& type, const ShapeColours& c)
{
    const auto givenOr = [](const QColor& given, const QColor& fallback) {
        return given.isValid() ? given : fallback;
    };
    if (type == u"textbox"_s) {
        paintTextBox(p, r, shape, design, c);
    } else if (type == u"smiley"_s) {
        paintSmiley(p, r, c.fill, c.line);
    } else if (type == u"picture"_s) {
        paintPictureShape(p, r, shape, c);
    } else if (type == u"clipart"_s) {
        const QColor petals = givenOr(c.givenFill, QColor(0xF2, 0x6D, 0x8F));
        paintAdjustedPicture(p, r, shape,
                             [&petals](QPainter& q, const QRectF& whole) { paintClipArt(q, whole, petals); });
    } else if (type == u"wordart"_s) {
        paintWordArt(p, r, shape.text, givenOr(c.givenFill, QColor(0xF0, 0xA0, 0x30)),
                     givenOr(c.givenLine, QColor(0x7F, 0x3F, 0x00)));
    } else if (type == u"table"_s) {
        paintTable(p, r, shape, c.givenFill, givenOr(c.givenLine, design.text), c.givenFill, design.text);
    } else if (type == u"chart"_s) {
        paintChart(p, r, shape, design);
    } else if (type == u"orgchart"_s) {
        paintOrgChart(p, r, shape, c.fill, c.line);
    } else if (type == u"diagram"_s) {
        paintDiagram(p, r, shape, design);
    } else if (type == u"sound"_s) {
        paintSpeaker(p, r, givenOr(c.givenFill, QColor(0x6F, 0x8F, 0xC8)));
    } else if (type == u"movie"_s) {
        paintFilm(p, r);
    } else if (type == u"button"_s) {
        paintActionButton(p, r, givenOr(c.givenFill, QColor(0xC0, 0xC8, 0xD8)), c.line, shape.button);
    } else {
        return false;
    }
    return true;
}

// Turns the painter about the middle of `r` for the shape's rotation and flips.
void turnForShape(QPainter& p, const QRectF& r, const SlideShape& shape)
{
    if (shape.rotation != 0 || shape.flipH || shape.flipV) {
        p.translate(r.center());
        p.rotate(shape.rotation);
        p.scale(shape.flipH ? -1 : 1, shape.flipV ? -1 : 1);
        p.translate(-r.center());
    }
}

} // namespace

void paintShape(QPainter& p, const SlideShape& shape, const Design& design)
{
    const QRectF r = QRectF(shape.x, shape.y, shape.w, shape.h).normalized();
    if (!(r.width() > 0.1 && r.height() > 0.1))
        return;
    ShapeColours colours;
    colours.givenFill = colorFrom(shape.fill);
    colours.givenLine = colorFrom(shape.line);
    colours.fill = colours.givenFill.isValid() ? colours.givenFill : design.shapeFill;
    colours.line = colours.givenLine.isValid() ? colours.givenLine : design.shapeLine;
    const QString type = shape.type.trimmed().toLower();
    p.save();
    turnForShape(p, r, shape);
    if (shape.shadow > 0)
        p.fillPath(outlineOf(type, r).translated(shadowOffset(shape.shadow)), QColor(0x80, 0x80, 0x80));
    p.setPen(QPen(colours.line, kShapeLineWidth));
    p.setBrush(colours.fill);
    const bool textInside = !paintObjectShape(p, r, shape, design, type, colours);
    if (textInside)
        drawOutlinedShape(p, r, type);
    if (textInside && !shape.text.trimmed().isEmpty()) {
        // The text of a flipped shape still reads left to right.
        if (shape.flipH || shape.flipV) {
            p.translate(r.center());
            p.scale(shape.flipH ? -1 : 1, shape.flipV ? -1 : 1);
            p.translate(-r.center());
        }
        const ShapeText text = shapeText(shape, design);
        paintText(p, r, text.paragraphs, text.style);
    }
    p.restore();
}

ShapeText shapeText(const SlideShape& shape, const Design& design)
{
    ShapeText text;
    text.box = QRectF(shape.x, shape.y, shape.w, shape.h).normalized();
    if (shape.type.trimmed().toLower() == u"textbox"_s) {
        // Text anchored at the top runs on down past a box too small for it; the
        // middle and bottom anchors place it within the box as drawn.
        text.style = textBoxStyle(shape, design);
        text.paragraphs = paragraphsOf(shape.text.split(u'\n'));
        const bool growsDown = !text.style.vertical && !text.style.middle && !text.style.bottom;
        text.growTo = growsDown ? kSlideHeight - text.box.top() : 0;
        return text;
    }
    const QColor givenFill = colorFrom(shape.fill);
    text.style = shapeTextStyle(contrastingText(givenFill.isValid() ? givenFill : design.shapeFill));
    text.paragraphs = plainParagraphs(shape.text);
    return text;
}

} // namespace pptdrill
