// Charts on a slide: the chart type and sub-type that 图表类型 chose, drawn
// from the chart's datasheet, with axes, category labels and a legend.
#include "movie/widgets/window/kitpaintparts.h"
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

constexpr double kChartLine = 0.5;

// The datasheet a chart has when it is inserted.
ChartData sampleData()
{
    ChartData data;
    data.categories = {u"第一季度"_s, u"第二季度"_s, u"第三季度"_s, u"第四季度"_s};
    data.series = {{u"东部"_s, {20.4, 27.4, 90, 20.4}},
                   {u"西部"_s, {30.6, 38.6, 34.6, 31.6}},
                   {u"北部"_s, {45.9, 46.9, 45, 43.9}}};
    return data;
}

// The fills and lines the charts give their series, in order.
QColor seriesFill(size_t i)
{
    static constexpr std::array<QRgb, 8> fills = {0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
                                                  0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF};
    return QColor::fromRgb(fills[i % fills.size()]);
}

QColor seriesLine(size_t i)
{
    static constexpr std::array<QRgb, 6> lines = {0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000};
    return QColor::fromRgb(lines[i % lines.size()]);
}

// A round top for the value axis: 1, 2 or 5 times a power of ten, a step each.
double niceStep(double most)
{
    if (!(most > 0))
        return 1;
    const double rough = most / 5;
    const double power = std::pow(10, std::floor(std::log10(rough)));
    for (const double k : {1.0, 2.0, 5.0, 10.0})
        if (k * power >= rough)
            return k * power;
    return 10 * power;
}

struct Frame
{
    QRectF plot;
    QFont font;
    double text = 10;
};

// The legend at the right, and the plot area left of it.
Frame layoutChart(QPainter& p, const QRectF& r, const QStringList& entries, bool axes,
                  const std::function<QColor(size_t)>& swatch, bool lineSwatches)
{
    Frame f;
    f.text = std::max(3.0, std::min(r.width(), r.height() * 4 / 3) * 0.04);
    f.font = makeFont(songFamily(), f.text);
    const QFontMetricsF metrics(f.font);
    double widest = 0;
    for (const QString& e : entries)
        widest = std::max(widest, metrics.horizontalAdvance(e));
    const double legendW = widest + f.text * 2.6;
    const double legendH = f.text * 1.5 * entries.size() + f.text * 0.6;
    const QRectF legend(r.right() - legendW - f.text * 0.4, r.center().y() - legendH / 2, legendW, legendH);
    const double left = r.left() + (axes ? metrics.horizontalAdvance(u"100"_s) + f.text * 0.8 : f.text);
    f.plot = QRectF(left, r.top() + f.text, legend.left() - f.text * 0.8 - left,
                    r.height() - f.text * (axes ? 3.2 : 2));
    p.setFont(f.font);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), kChartLine));
    p.setBrush(Qt::white);
    p.drawRect(legend);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const double y = legend.top() + f.text * 0.3 + i * f.text * 1.5;
        const QRectF mark(legend.left() + f.text * 0.5, y + f.text * 0.35, f.text * 0.8, f.text * 0.8);
        if (lineSwatches) {
            p.setPen(QPen(swatch(size_t(i)), f.text * 0.15));
            p.drawLine(QPointF(mark.left() - f.text * 0.2, mark.center().y()),
                       QPointF(mark.right() + f.text * 0.2, mark.center().y()));
        } else {
            p.setPen(QPen(Qt::black, kChartLine));
            p.setBrush(swatch(size_t(i)));
            p.drawRect(mark);
        }
        p.setPen(Qt::black);
        p.drawText(QPointF(legend.left() + f.text * 1.8, y + f.text * 0.35 + metrics.ascent() * 0.85),
                   entries[i]);
    }
    return f;
}

struct Kind
{
    bool across = false;  // 条形图: bars run left to right
    bool stacked = false; // 堆积
    bool percent = false; // 百分比堆积
    bool depth = false;   // 三维
    QString solid;        // 圆柱, 圆锥, 棱锥, or a box
};

Kind kindOf(const QString& name)
{
    Kind k;
    k.across = name.contains(u"条形"_s) || (name.startsWith(u"条形"_s));
    k.percent = name.contains(u"百分比"_s);
    k.stacked = name.contains(u"堆积"_s) && !k.percent;
    k.depth = name.contains(u"三维"_s) || name.contains(u"圆柱"_s) || name.contains(u"圆锥"_s) ||
              name.contains(u"棱锥"_s);
    for (const QString& solid : {u"圆柱"_s, u"圆锥"_s, u"棱锥"_s})
        if (name.contains(solid))
            k.solid = solid;
    return k;
}

// The value axis (grid lines and labels) from 0 to `top`; along the bottom, or the left for bars.
void paintValueAxis(QPainter& p, const Frame& f, double top, double step, bool across, bool percent)
{
    const QFontMetricsF metrics(f.font);
    p.setFont(f.font);
    for (double v = 0; v <= top + step / 2; v += step) {
        const double t = v / top;
        const QString label = percent ? QString::number(std::lround(t * 100)) + u'%' : QString::number(v);
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), kChartLine * 0.6));
        if (across) {
            const double x = f.plot.left() + t * f.plot.width();
            p.drawLine(QPointF(x, f.plot.top()), QPointF(x, f.plot.bottom()));
            p.setPen(Qt::black);
            p.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2, f.plot.bottom() + f.text * 1.3),
                       label);
        } else {
            const double y = f.plot.bottom() - t * f.plot.height();
            p.drawLine(QPointF(f.plot.left(), y), QPointF(f.plot.right(), y));
            p.setPen(Qt::black);
            p.drawText(QPointF(f.plot.left() - f.text * 0.3 - metrics.horizontalAdvance(label),
                               y + metrics.ascent() / 2.5),
                       label);
        }
    }
    p.setPen(QPen(Qt::black, kChartLine));
    p.drawLine(f.plot.bottomLeft(), f.plot.bottomRight());
    p.drawLine(f.plot.bottomLeft(), f.plot.topLeft());
}

void paintCategoryLabels(QPainter& p, const Frame& f, const QStringList& categories, bool across,
                         bool between)
{
    const qsizetype n = std::max<qsizetype>(categories.size(), 1);
    const double slot =
        (across ? f.plot.height() : f.plot.width()) / double(between ? n : std::max<qsizetype>(n - 1, 1));
    const QFontMetricsF metrics(f.font);
    p.setPen(Qt::black);
    p.setFont(f.font);
    for (qsizetype i = 0; i < categories.size(); ++i) {
        const double at = between ? (i + 0.5) * slot : i * slot;
        const QString& c = categories[i];
        if (across)
            p.drawText(QPointF(f.plot.left() - f.text * 0.3 - metrics.horizontalAdvance(c),
                               f.plot.bottom() - at + metrics.ascent() / 2.5),
                       c);
        else
            p.drawText(QPointF(f.plot.left() + at - metrics.horizontalAdvance(c) / 2,
                               f.plot.bottom() + f.text * 1.4),
                       c);
    }
}

// One column or bar: a box (with its top and side when 3-D), a cylinder, a cone or a pyramid.
void paintColumn(QPainter& p, const QRectF& bar, const QColor& colour, const Kind& k, double depth)
{
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), kChartLine * 0.8));
    if (k.solid == u"圆柱"_s) {
        const double cap = (k.across ? bar.height() : bar.width()) * 0.35;
        QLinearGradient shade(k.across ? bar.topLeft() : bar.topLeft(),
                              k.across ? bar.bottomLeft() : bar.topRight());
        shade.setColorAt(0, colour.darker(115));
        shade.setColorAt(0.4, colour.lighter(135));
        shade.setColorAt(1, colour.darker(150));
        QPainterPath body;
        if (k.across) {
            body.addRect(bar);
            p.setBrush(shade);
            p.drawPath(body);
            p.setBrush(colour.lighter(120));
            p.drawEllipse(QRectF(bar.right() - cap / 2, bar.top(), cap, bar.height()));
        } else {
            body.addRect(bar.adjusted(0, 0, 0, 0));
            p.setBrush(shade);
            p.drawPath(body);
            p.drawEllipse(QRectF(bar.left(), bar.bottom() - cap / 2, bar.width(), cap));
            p.setBrush(colour.lighter(120));
            p.drawEllipse(QRectF(bar.left(), bar.top() - cap / 2, bar.width(), cap));
        }
        return;
    }
    if (k.solid == u"圆锥"_s || k.solid == u"棱锥"_s) {
        QPolygonF cone;
        if (k.across)
            cone << bar.topLeft() << QPointF(bar.right(), bar.center().y()) << bar.bottomLeft();
        else
            cone << bar.bottomLeft() << QPointF(bar.center().x(), bar.top()) << bar.bottomRight();
        p.setBrush(colour);
        p.drawPolygon(cone);
        if (k.solid == u"棱锥"_s) {
            p.setBrush(colour.darker(140));
            p.drawPolygon(k.across ? QPolygonF{QPointF(bar.left(), bar.center().y()),
                                               QPointF(bar.right(), bar.center().y()), bar.bottomLeft()}
                                   : QPolygonF{QPointF(bar.center().x(), bar.bottom()),
                                               QPointF(bar.center().x(), bar.top()), bar.bottomRight()});
        }
        return;
    }
    if (k.depth && depth > 0) {
        p.setBrush(colour.darker(135));
        p.drawPolygon(QPolygonF{bar.topRight(), bar.topRight() + QPointF(depth, -depth),
                                bar.bottomRight() + QPointF(depth, -depth), bar.bottomRight()});
        p.setBrush(colour.lighter(125));
        p.drawPolygon(QPolygonF{bar.topLeft(), bar.topLeft() + QPointF(depth, -depth),
                                bar.topRight() + QPointF(depth, -depth), bar.topRight()});
    }
    p.setBrush(colour);
    p.drawRect(bar);
}

void paintColumns(QPainter& p, const QRectF& r, const ChartData& d, const Kind& k)
{
    QStringList names;
    for (const ChartSeries& s : d.series)
        names << s.name;
    Frame f = layoutChart(p, r, names, true, seriesFill, false);
    if (f.plot.width() <= 0 || f.plot.height() <= 0)
        return;
    const qsizetype n = d.categories.size();
    std::vector<double> totals(size_t(n), 0);
    double most = 0;
    for (qsizetype c = 0; c < n; ++c) {
        for (const ChartSeries& s : d.series) {
            const double v = std::max(0.0, s.values[size_t(c)]);
            totals[size_t(c)] += v;
            most = std::max(most, v);
        }
    }
    if (k.stacked)
        most = *std::max_element(totals.begin(), totals.end());
    const double step = k.percent ? 0.2 : niceStep(most);
    const double top = k.percent ? 1 : std::max(step, std::ceil(most / step) * step);
    const double depth = k.depth ? std::min(f.plot.width(), f.plot.height()) * 0.05 : 0;
    if (k.depth) {
        // The back wall that 3-D charts stand against.
        p.fillRect(f.plot.adjusted(depth, -depth, 0, 0), QColor(0xC0, 0xC0, 0xC0));
        f.plot.adjust(0, 0, -depth, 0);
    }
    paintValueAxis(p, f, top, k.percent ? 0.2 : step, k.across, k.percent);
    paintCategoryLabels(p, f, d.categories, k.across, true);
    const double slot = (k.across ? f.plot.height() : f.plot.width()) / double(n);
    const bool piled = k.stacked || k.percent;
    const double thick = piled ? slot * 0.55 : slot * 0.7 / double(d.series.size());
    for (qsizetype c = 0; c < n; ++c) {
        double base = 0;
        for (size_t s = 0; s < d.series.size(); ++s) {
            double v = std::max(0.0, d.series[s].values[size_t(c)]);
            if (k.percent)
                v = totals[size_t(c)] > 0 ? v / totals[size_t(c)] : 0;
            const double length = v / top * (k.across ? f.plot.width() : f.plot.height());
            const double at = c * slot + (piled ? slot * 0.225 : slot * 0.15 + double(s) * thick);
            // Bars run from the top of the plot down, as Graph draws the first category nearest the axis.
            const QRectF bar =
                k.across ? QRectF(f.plot.left() + base, f.plot.bottom() - at - thick, length, thick)
                         : QRectF(f.plot.left() + at, f.plot.bottom() - base - length, thick, length);
            paintColumn(p, bar, seriesFill(s), k, std::min(depth, thick * 0.5));
            if (piled)
                base += length;
        }
    }
}

QPointF linePoint(const Frame& f, qsizetype i, qsizetype count, double v, double top)
{
    const double x = f.plot.left() + f.plot.width() * (i + 0.5) / double(count);
    return QPointF(x, f.plot.bottom() - std::clamp(v / top, 0.0, 1.0) * f.plot.height());
}

void paintLinesOrAreas(QPainter& p, const QRectF& r, const ChartData& d, const QString& name, bool area)
{
    QStringList names;
    for (const ChartSeries& s : d.series)
        names << s.name;
    const Frame f = layoutChart(p, r, names, true, area ? seriesFill : seriesLine, !area);
    if (f.plot.width() <= 0 || f.plot.height() <= 0)
        return;
    const bool stacked = name.contains(u"堆积"_s) || name.contains(u"百分比"_s);
    const qsizetype n = d.categories.size();
    std::vector<std::vector<double>> heights(d.series.size(), std::vector<double>(size_t(n), 0));
    double most = 0;
    for (size_t s = 0; s < d.series.size(); ++s)
        for (qsizetype c = 0; c < n; ++c) {
            const double v = std::max(0.0, d.series[s].values[size_t(c)]);
            heights[s][size_t(c)] = v + (stacked && s > 0 ? heights[s - 1][size_t(c)] : 0);
            most = std::max(most, heights[s][size_t(c)]);
        }
    const double step = niceStep(most);
    const double top = std::max(step, std::ceil(most / step) * step);
    paintValueAxis(p, f, top, step, false, false);
    paintCategoryLabels(p, f, d.categories, false, true);
    const bool markers = name.contains(u"数据点"_s);
    // Areas are drawn back to front so that the first series stays in sight.
    for (size_t i = 0; i < d.series.size(); ++i) {
        const size_t s = area && !stacked ? i : (area ? d.series.size() - 1 - i : i);
        QPolygonF line;
        for (qsizetype c = 0; c < n; ++c)
            line << linePoint(f, c, n, heights[s][size_t(c)], top);
        if (area) {
            QPolygonF shape = line;
            shape.prepend(QPointF(line.first().x(), f.plot.bottom()));
            shape << QPointF(line.last().x(), f.plot.bottom());
            p.setPen(QPen(Qt::black, kChartLine));
            p.setBrush(seriesFill(s));
            p.drawPolygon(shape);
            continue;
        }
        p.setPen(QPen(seriesLine(s), f.text * (name.contains(u"三维"_s) ? 0.4 : 0.18)));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
        if (markers) {
            p.setPen(Qt::NoPen);
            p.setBrush(seriesLine(s));
            const double m = f.text * 0.35;
            for (const QPointF& at : line) {
                // Graph's markers: a diamond, a square, a triangle, …
                if (s % 3 == 0)
                    p.drawPolygon(QPolygonF{at + QPointF(0, -m), at + QPointF(m, 0), at + QPointF(0, m),
                                            at + QPointF(-m, 0)});
                else if (s % 3 == 1)
                    p.drawRect(QRectF(at - QPointF(m * 0.8, m * 0.8), QSizeF(m * 1.6, m * 1.6)));
                else
                    p.drawPolygon(
                        QPolygonF{at + QPointF(0, -m), at + QPointF(m, m * 0.8), at + QPointF(-m, m * 0.8)});
            }
        }
    }
}

// A pie of the first series, a wedge a category; 分离 pulls the wedges apart, 三维 tilts it.
void paintPie(QPainter& p, const QRectF& r, const ChartData& d, const QString& name)
{
    const Frame f = layoutChart(p, r, d.categories, false, seriesFill, false);
    const bool exploded = name.contains(u"分离"_s), tilted = name.contains(u"三维"_s);
    const double side = std::min(f.plot.width(), f.plot.height()) * 0.86;
    if (side <= 0)
        return;
    const double height = tilted ? side * 0.55 : side;
    const double thickness = tilted ? side * 0.1 : 0;
    QRectF pie(f.plot.center().x() - side / 2, f.plot.center().y() - (height + thickness) / 2, side, height);
    double total = 0;
    const ChartSeries& s = d.series.front();
    for (const double v : s.values)
        total += std::max(0.0, v);
    if (!(total > 0))
        return;
    std::vector<std::pair<double, double>> wedges; // start, span in degrees
    double start = 90;
    for (const double v : s.values) {
        const double span = -std::max(0.0, v) / total * 360;
        wedges.push_back({start, span});
        start += span;
    }
    const auto offset = [&](size_t i) {
        if (!exploded)
            return QPointF();
        const double mid = (wedges[i].first + wedges[i].second / 2) * kPi / 180;
        return QPointF(std::cos(mid), -std::sin(mid) * (tilted ? 0.55 : 1)) * side * 0.06;
    };
    p.setPen(QPen(Qt::black, kChartLine));
    if (tilted) {
        // The pie's rim, below its top face.
        for (size_t i = 0; i < wedges.size(); ++i) {
            for (double t = thickness; t > 0; t -= thickness / 6) {
                p.setBrush(seriesFill(i).darker(145));
                p.setPen(t > thickness / 6 ? Qt::NoPen : QPen(Qt::black, kChartLine));
                p.drawPie(pie.translated(offset(i) + QPointF(0, t)), int(wedges[i].first * 16),
                          int(wedges[i].second * 16));
            }
        }
        p.setPen(QPen(Qt::black, kChartLine));
    }
    for (size_t i = 0; i < wedges.size(); ++i) {
        p.setBrush(seriesFill(i));
        p.drawPie(pie.translated(offset(i)), int(wedges[i].first * 16), int(wedges[i].second * 16));
    }
}

} // namespace

void paintChart(QPainter& p, const QRectF& r, const SlideShape& shape, const Design& design)
{
    const ChartData data = shape.data.series.empty() ? sampleData() : shape.data;
    // The inserted chart is a 3-D clustered column chart.
    const QString name = shape.chart.isEmpty() ? u"三维簇状柱形图"_s : shape.chart;
    p.save();
    if (const QColor fill = colorFrom(shape.fill); fill.isValid())
        p.fillRect(r, fill);
    Q_UNUSED(design);
    if (name.contains(u"饼"_s)) {
        paintPie(p, r, data, name);
    } else if (name.contains(u"折线"_s)) {
        paintLinesOrAreas(p, r, data, name, false);
    } else if (name.contains(u"面积"_s)) {
        paintLinesOrAreas(p, r, data, name, true);
    } else if (name.contains(u"柱形"_s) || name.contains(u"条形"_s) || name.contains(u"圆柱"_s) ||
               name.contains(u"圆锥"_s) || name.contains(u"棱锥"_s)) {
        paintColumns(p, r, data, kindOf(name));
    } else {
        // The other kinds (雷达图, 圆环图, 气泡图 …) as 图表类型 pictures them, grown to the chart's size.
        const QRect picture(0, 0, 120, 90);
        p.translate(r.topLeft());
        p.scale(r.width() / picture.width(), r.height() / picture.height());
        kit::paintChartKind(p, picture, name);
    }
    p.restore();
}

} // namespace pptdrill
