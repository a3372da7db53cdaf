// The pictures of the chart sub-types in 图表类型: each kind of chart drawn small,
// told apart by its name's words (堆积, 百分比, 三维, 数据点, 分离…).
#include "movie/widgets/window/kitpaintparts.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::kit {

namespace {

const QColor kSeries[] = {QColor(0x99, 0x99, 0xFF), QColor(0x99, 0x33, 0x66), QColor(0xFF, 0xFF, 0xCC)};
const double kValues[3][3] = {{0.45, 0.7, 0.55}, {0.3, 0.4, 0.6}, {0.25, 0.2, 0.3}};

// A bar of a column or bar chart: a box, a cylinder, a cone or a pyramid, with depth when 3-D.
void paintBar(QPainter& p, QRectF bar, const QColor& colour, const QString& shape, bool depth, bool across)
{
    p.setPen(QPen(Qt::black, 0.6));
    p.setBrush(colour);
    if (shape == u"圆锥"_s || shape == u"棱锥"_s) {
        QPolygonF cone;
        if (across)
            cone << bar.topLeft() << QPointF(bar.right(), bar.center().y()) << bar.bottomLeft();
        else
            cone << bar.bottomLeft() << QPointF(bar.center().x(), bar.top()) << bar.bottomRight();
        p.drawPolygon(cone);
        if (shape == u"棱锥"_s) {
            // A pyramid shows its shaded side face.
            p.setBrush(colour.darker(140));
            if (across)
                p.drawPolygon(QPolygonF{QPointF(bar.left(), bar.center().y()),
                                        QPointF(bar.right(), bar.center().y()), bar.bottomLeft()});
            else
                p.drawPolygon(QPolygonF{QPointF(bar.center().x(), bar.bottom()),
                                        QPointF(bar.center().x(), bar.top()), bar.bottomRight()});
        }
        return;
    }
    if (shape == u"圆柱"_s) {
        p.drawRect(bar);
        const QRectF cap = across ? QRectF(bar.right() - 2, bar.top(), 4, bar.height())
                                  : QRectF(bar.left(), bar.top() - 2, bar.width(), 4);
        p.setBrush(colour.lighter(130));
        p.drawEllipse(cap);
        return;
    }
    if (depth) {
        const double d = 3;
        p.setBrush(colour.darker(130));
        p.drawPolygon(QPolygonF{bar.topRight(), bar.topRight() + QPointF(d, -d),
                                bar.bottomRight() + QPointF(d, -d), bar.bottomRight()});
        p.setBrush(colour.lighter(120));
        p.drawPolygon(QPolygonF{bar.topLeft(), bar.topLeft() + QPointF(d, -d),
                                bar.topRight() + QPointF(d, -d), bar.topRight()});
        p.setBrush(colour);
    }
    p.drawRect(bar);
}

void paintColumns(QPainter& p, const QRectF& r, const QString& name, bool across)
{
    const bool stacked = name.contains(u"堆积"_s), percent = name.contains(u"百分比"_s);
    const bool depth = name.contains(u"三维"_s);
    const QString shape = name.contains(u"圆柱"_s)   ? u"圆柱"_s
                          : name.contains(u"圆锥"_s) ? u"圆锥"_s
                          : name.contains(u"棱锥"_s) ? u"棱锥"_s
                                                     : QString();
    const int series = stacked || percent ? 3 : 2;
    const double slot = (across ? r.height() : r.width()) / 3;
    for (int c = 0; c < 3; ++c) {
        double total = 0, base = 0;
        for (int s = 0; s < series; ++s)
            total += kValues[s][c];
        for (int s = 0; s < series; ++s) {
            double v = kValues[s][c] * (percent ? 1 / total : stacked ? 0.8 : 1.1);
            const double length = v * (across ? r.width() : r.height()) * 0.9;
            QRectF bar;
            const double thick = stacked || percent ? slot * 0.55 : slot * 0.32;
            const double at = c * slot + slot * 0.2 + (stacked || percent ? 0 : s * thick);
            if (across)
                bar = QRectF(r.left() + base, r.top() + at, length, thick);
            else
                bar = QRectF(r.left() + at, r.bottom() - base - length, thick, length);
            paintBar(p, bar, kSeries[s], shape, depth, across);
            if (stacked || percent)
                base += length;
        }
    }
}

void paintPie(QPainter& p, const QRectF& r, const QString& name)
{
    const bool exploded = name.contains(u"分离"_s), depth = name.contains(u"三维"_s);
    const bool compound = name.startsWith(u"复合"_s);
    QRectF pie = compound ? QRectF(r.left(), r.top() + r.height() * 0.15, r.height() * 0.7, r.height() * 0.7)
                          : QRectF(r.center().x() - r.height() * 0.45, r.top() + 2, r.height() * 0.9,
                                   r.height() * (depth ? 0.6 : 0.9));
    const int spans[] = {140, 130, 90};
    int start = 30;
    p.setPen(QPen(Qt::black, 0.6));
    for (int i = 0; i < 3; ++i) {
        QRectF slice = pie;
        if (exploded) {
            const double mid = (start + spans[i] / 2.0) * M_PI / 180;
            slice.translate(2.5 * std::cos(mid), -2.5 * std::sin(mid));
        }
        if (depth) {
            p.setBrush(kSeries[i].darker(140));
            p.drawPie(slice.translated(0, 4), start * 16, spans[i] * 16);
        }
        p.setBrush(kSeries[i]);
        p.drawPie(slice, start * 16, spans[i] * 16);
        start += spans[i];
    }
    if (compound) {
        // The second plot: a small pie, or a stacked bar, of the first one's smallest slice.
        const QRectF second(r.right() - r.height() * 0.45, r.top() + r.height() * 0.3, r.height() * 0.4,
                            r.height() * 0.4);
        p.setPen(QPen(Qt::gray, 0.6));
        p.drawLine(QPointF(pie.right() - 2, pie.top() + 4), second.topLeft());
        p.drawLine(QPointF(pie.right() - 2, pie.bottom() - 4), second.bottomLeft());
        p.setPen(QPen(Qt::black, 0.6));
        if (name.contains(u"条"_s)) {
            for (int i = 0; i < 3; ++i) {
                p.setBrush(kSeries[i]);
                p.drawRect(QRectF(second.left() + second.width() / 3, second.top() + i * second.height() / 3,
                                  second.width() / 3, second.height() / 3));
            }
        } else {
            p.setBrush(kSeries[2]);
            p.drawEllipse(second);
        }
    }
}

QPointF pointOf(const QRectF& r, int series, int index, bool stacked)
{
    double v = kValues[series][index % 3] + 0.1 * (index / 3);
    if (stacked) {
        for (int s = 0; s < series; ++s)
            v += kValues[s][index % 3] * 0.7;
        v *= 0.7;
    }
    return QPointF(r.left() + r.width() * (0.1 + 0.4 * index),
                   r.bottom() - std::min(1.0, v) * r.height() * 0.9);
}

void paintLines(QPainter& p, const QRectF& r, const QString& name, bool scatter)
{
    const bool stacked = name.contains(u"堆积"_s) || name.contains(u"百分比"_s);
    const bool markers = scatter ? !name.startsWith(u"无数据点"_s) : name.contains(u"数据点"_s);
    const bool joined = !scatter || name.contains(u"线"_s);
    for (int s = 0; s < 2; ++s) {
        QPolygonF line;
        for (int i = 0; i < 3; ++i)
            line << pointOf(r, s, i, stacked && s > 0);
        const QColor colour = s == 0 ? QColor(0x00, 0x00, 0x80) : QColor(0xFF, 0x00, 0xFF);
        if (joined) {
            p.setPen(QPen(colour, name.contains(u"三维"_s) ? 3 : 1.2));
            if (name.contains(u"平滑"_s)) {
                QPainterPath path(line[0]);
                path.cubicTo(line[0] + QPointF(8, -6), line[1] - QPointF(8, 0), line[1]);
                path.cubicTo(line[1] + QPointF(8, 0), line[2] - QPointF(8, -6), line[2]);
                p.setBrush(Qt::NoBrush);
                p.drawPath(path);
            } else {
                p.drawPolyline(line);
            }
        }
        if (markers) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            for (const QPointF& at : line)
                p.drawRect(QRectF(at - QPointF(2, 2), QSizeF(4, 4)));
        }
    }
}

void paintAreas(QPainter& p, const QRectF& r, const QString& name)
{
    const bool stacked = name.contains(u"堆积"_s) || name.contains(u"百分比"_s);
    p.setPen(QPen(Qt::black, 0.6));
    for (int s = stacked ? 1 : 0; s >= 0; --s) {
        QPolygonF area;
        area << QPointF(r.left() + r.width() * 0.1, r.bottom());
        for (int i = 0; i < 3; ++i)
            area << pointOf(r, s, i, stacked && s > 0);
        area << QPointF(r.left() + r.width() * 0.9, r.bottom());
        p.setBrush(kSeries[s]);
        p.drawPolygon(name.contains(u"三维"_s) ? area.translated(s * 3, -s * 3) : area);
    }
}

void paintDoughnut(QPainter& p, const QRectF& r, const QString& name)
{
    const QPointF c = r.center();
    const double radius = r.height() * 0.42;
    const int spans[] = {140, 130, 90};
    int start = 30;
    for (int i = 0; i < 3; ++i) {
        QPainterPath ring;
        const double mid = (start + spans[i] / 2.0) * M_PI / 180;
        const QPointF shift =
            name.contains(u"分离"_s) ? QPointF(2 * std::cos(mid), -2 * std::sin(mid)) : QPointF();
        const QRectF outer(c + shift - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
        ring.arcMoveTo(outer, start);
        ring.arcTo(outer, start, spans[i]);
        ring.arcTo(outer.adjusted(radius / 2, radius / 2, -radius / 2, -radius / 2), start + spans[i],
                   -spans[i]);
        ring.closeSubpath();
        p.setBrush(kSeries[i]);
        p.drawPath(ring);
        start += spans[i];
    }
}

void paintRadar(QPainter& p, const QRectF& r, const QString& name)
{
    const QPointF c = r.center();
    const double radius = r.height() * 0.42;
    auto web = [&](double scale, int phase) {
        QPolygonF poly;
        for (int i = 0; i < 5; ++i) {
            const double a = (-90 + 72 * i) * M_PI / 180;
            const double k = scale * (phase ? 0.5 + 0.1 * ((i * phase) % 4) : 1);
            poly << c + QPointF(radius * k * std::cos(a), radius * k * std::sin(a));
        }
        return poly;
    };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::gray, 0.6));
    p.drawPolygon(web(1, 0));
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 1.2));
    p.setBrush(name.contains(u"填充"_s) ? QBrush(kSeries[0]) : QBrush(Qt::NoBrush));
    p.drawPolygon(web(1, 3));
    if (name.contains(u"数据点"_s)) {
        for (const QPointF& at : web(1, 3))
            p.fillRect(QRectF(at - QPointF(1.5, 1.5), QSizeF(3, 3)), QColor(0x00, 0x00, 0x80));
    }
}

// Bands of colour over a grid: a slanted mesh, or seen from above.
void paintSurface(QPainter& p, const QRectF& r, const QString& name)
{
    const bool above = name.contains(u"俯视"_s), frame = name.contains(u"框架"_s);
    for (int band = 0; band < 4; ++band) {
        QPolygonF poly;
        for (int i = 0; i <= 8; ++i) {
            const double x = r.left() + r.width() * i / 8;
            const double wave = std::sin(i * 0.8 + band) * r.height() * 0.08;
            poly << QPointF(x, r.top() + r.height() * (0.2 + band * 0.18) + (above ? 0 : wave));
        }
        for (int i = 8; i >= 0; --i)
            poly << QPointF(r.left() + r.width() * i / 8, r.top() + r.height() * (0.38 + band * 0.18));
        p.setBrush(frame ? QBrush(Qt::NoBrush) : QBrush(kSeries[band % 3]));
        p.drawPolygon(poly);
    }
}

void paintBubbles(QPainter& p, const QRectF& r, const QString& name)
{
    const double sizes[] = {0.18, 0.3, 0.22};
    for (int i = 0; i < 3; ++i) {
        const QPointF at(r.left() + r.width() * (0.2 + 0.3 * i), r.top() + r.height() * (0.6 - 0.15 * i));
        p.setBrush(name.contains(u"三维"_s) ? QBrush(kSeries[0].darker(110)) : QBrush(kSeries[0]));
        p.drawEllipse(at, r.height() * sizes[i], r.height() * sizes[i]);
    }
}

// Stock: high-low lines with open and close ticks, and volume columns beneath when named.
void paintStock(QPainter& p, const QRectF& r, const QString& name)
{
    const bool volume = name.contains(u"成交量"_s), open = name.contains(u"开盘"_s);
    const double top = r.top(), bottom = volume ? r.top() + r.height() * 0.6 : r.bottom();
    for (int i = 0; i < 4; ++i) {
        const double x = r.left() + r.width() * (0.15 + 0.23 * i);
        const double high = top + (bottom - top) * (0.1 + 0.1 * (i % 2)),
                     low = bottom - (bottom - top) * 0.15;
        if (volume) {
            p.setBrush(kSeries[0]);
            p.drawRect(QRectF(x - 4, r.bottom() - r.height() * (0.15 + 0.05 * i), 8,
                              r.height() * (0.15 + 0.05 * i)));
        }
        p.drawLine(QPointF(x, high), QPointF(x, low));
        if (open) {
            p.setBrush(i % 2 ? Qt::black : Qt::white);
            p.drawRect(QRectF(x - 3, high + 3, 6, (low - high) / 2));
        } else {
            p.drawLine(QPointF(x, (high + low) / 2), QPointF(x + 3, (high + low) / 2));
        }
    }
}

// The kinds without axes of columns, lines or areas, by a word of their name; stock
// charts where none is named.
void paintOther(QPainter& p, const QRectF& r, const QString& name)
{
    using KindPainter = void (*)(QPainter&, const QRectF&, const QString&);
    static const std::pair<QStringView, KindPainter> kinds[] = {
        {u"圆环", paintDoughnut}, {u"雷达", paintRadar}, {u"曲面", paintSurface}, {u"气泡", paintBubbles}};
    p.setPen(QPen(Qt::black, 0.6));
    for (const auto& [word, paint] : kinds) {
        if (name.contains(word)) {
            paint(p, r, name);
            return;
        }
    }
    paintStock(p, r, name);
}

} // namespace

void paintChartKind(QPainter& p, const QRect& rect, const QString& name)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect, Qt::white);
    const QRectF r = QRectF(rect).adjusted(6, 6, -6, -4);
    // The axes, for the kinds that have them.
    const bool round = name.contains(u"饼"_s) || name.contains(u"圆环"_s) || name.contains(u"雷达"_s);
    if (!round) {
        p.setPen(QPen(Qt::gray, 0.8));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topLeft());
    }
    const QRectF plot = r.adjusted(2, 2, -2, -1);
    if (name.contains(u"饼"_s))
        paintPie(p, plot, name);
    else if (name.contains(u"散点"_s))
        paintLines(p, plot, name, true);
    else if (name.contains(u"折线"_s))
        paintLines(p, plot, name, false);
    else if (name.contains(u"面积"_s))
        paintAreas(p, plot, name);
    else if (name.contains(u"柱形"_s) || name.contains(u"条形"_s))
        paintColumns(p, plot, name, name.contains(u"条形"_s));
    else
        paintOther(p, plot, name);
    p.restore();
}

} // namespace pptdrill::kit
