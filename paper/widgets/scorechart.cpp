#include "paper/widgets/scorechart.h"

#include "shell/widgets/controls.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QColor familyColours[] = {QColor(31, 100, 200), QColor(230, 120, 20), QColor(40, 160, 70),
                                QColor(200, 40, 40), QColor(130, 60, 180)};

const std::vector<QPointF> noPoints;

// The line through `points` as drawn: where many attempts fall on one pixel
// column, only the first, the lowest, the highest and the last of them, so that
// thousands of attempts draw as fast as a few hundred and look the same.
template <typename XOf, typename YOf>
QPolygonF onePixelApart(const std::vector<QPointF>& points, const XOf& xOf, const YOf& yOf)
{
    QPolygonF line;
    size_t i = 0;
    while (i < points.size()) {
        const double column = std::floor(xOf(points[i].x()));
        size_t end = i;
        size_t lowest = i;
        size_t highest = i;
        while (end < points.size() && std::floor(xOf(points[end].x())) == column) {
            if (points[end].y() < points[lowest].y())
                lowest = end;
            if (points[end].y() > points[highest].y())
                highest = end;
            ++end;
        }
        size_t kept[] = {i, std::min(lowest, highest), std::max(lowest, highest), end - 1};
        for (size_t k = 0; k < 4; ++k) {
            if (k > 0 && kept[k] == kept[k - 1])
                continue;
            line << QPointF(xOf(points[kept[k]].x()), yOf(points[kept[k]].y()));
        }
        i = end;
    }
    return line;
}

} // namespace

ScoreChart::ScoreChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"scoreChart"_s);
    m_lines.resize(static_cast<size_t>(setFamilies().size()));
}

void ScoreChart::setAttempts(const std::vector<Attempt>& attempts)
{
    for (auto& line : m_lines)
        line.clear();
    m_corrections.clear();
    m_count = static_cast<int>(attempts.size());
    // A history holds thousands of attempts of a few sets.
    QHash<QString, qsizetype> familyOfSet;
    for (int i = 0; i < m_count; ++i) {
        const Attempt& a = attempts[static_cast<size_t>(i)];
        auto known = familyOfSet.constFind(a.setName);
        if (known == familyOfSet.constEnd())
            known = familyOfSet.insert(a.setName,
                                       std::max<qsizetype>(0, setFamilies().indexOf(setFamily(a.setName))));
        m_lines[static_cast<size_t>(known.value())].push_back(QPointF(i, a.score));
        if (a.corrected) {
            m_corrections.push_back(
                {QPointF(i, a.correctedScore), a.score, static_cast<size_t>(known.value())});
        }
    }
    m_firstDay = m_count ? attempts.front().handedInAt.toLocalTime().toString(u"yyyy-MM-dd"_s) : QString();
    m_lastDay = m_count ? attempts.back().handedInAt.toLocalTime().toString(u"yyyy-MM-dd"_s) : QString();
    update();
}

const std::vector<QPointF>& ScoreChart::line(const QString& family) const
{
    const qsizetype i = setFamilies().indexOf(family);
    return i < 0 ? noPoints : m_lines[static_cast<size_t>(i)];
}

namespace {

// The legend across the top: each family's colour, and the hollow dot of a correction.
void paintLegend(QPainter& p, bool withCorrections)
{
    const QFontMetrics fm(p.font());
    int x = 36;
    for (qsizetype f = 0; f < setFamilies().size(); ++f) {
        p.fillRect(QRect(x, 8, 14, 4), familyColours[f]);
        p.setPen(QColor(40, 50, 70));
        p.drawText(QPoint(x + 18, 8 + fm.ascent() / 2 + 2), setFamilies()[f]);
        x += 24 + fm.horizontalAdvance(setFamilies()[f]);
    }
    if (withCorrections) {
        p.setPen(QPen(QColor(90, 100, 120), 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(x + 4, 10), 3, 3);
        p.setPen(QColor(40, 50, 70));
        p.drawText(QPoint(x + 12, 8 + fm.ascent() / 2 + 2), u"订正"_s);
    }
}

// The score axis, 0 to 100 in steps of 20, with a faint line across at each step.
template <typename YOf> void paintScoreAxes(QPainter& p, const QRectF& plot, const YOf& yOf)
{
    for (int score = 0; score <= 100; score += 20) {
        const double y = yOf(score);
        p.setPen(QColor(232, 238, 246));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(QColor(90, 100, 120));
        p.drawText(QRectF(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(score));
    }
    p.setPen(QColor(150, 160, 180));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
}

} // namespace

void ScoreChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 182, 210));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(songFont(9));
    const QFontMetrics fm(p.font());
    paintLegend(p, !m_corrections.empty());

    const QRectF plot(36, 24, width() - 48, height() - 46);
    auto yOf = [&](double score) {
        return plot.bottom() - plot.height() * std::clamp(score, 0.0, 100.0) / 100.0;
    };
    auto xOf = [&](double index) {
        return m_count <= 1 ? plot.center().x() : plot.left() + plot.width() * index / (m_count - 1);
    };

    paintScoreAxes(p, plot, yOf);

    // The pass mark.
    const double passY = yOf(passMark);
    p.setPen(QPen(QColor(220, 30, 30), 1, Qt::DashLine));
    p.drawLine(QPointF(plot.left(), passY), QPointF(plot.right(), passY));

    // Over the lines, so that it stays readable.
    const auto drawPassLabel = [&] {
        const QString passText = u"及格线 %1 分"_s.arg(passMark);
        const QRectF passLabel(plot.left() + 4, passY - 16, fm.horizontalAdvance(passText) + 6, 14);
        p.fillRect(passLabel, QColor(255, 255, 255, 220));
        p.setPen(QColor(200, 30, 30));
        p.drawText(passLabel, Qt::AlignCenter, passText);
    };
    p.setPen(QColor(90, 100, 120));
    if (m_count == 0) {
        p.drawText(plot, Qt::AlignCenter, u"还没有练习记录"_s);
        drawPassLabel();
        return;
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 3, 200, 16), Qt::AlignLeft | Qt::AlignVCenter, m_firstDay);
    p.drawText(QRectF(plot.right() - 200, plot.bottom() + 3, 200, 16), Qt::AlignRight | Qt::AlignVCenter,
               m_lastDay);

    p.setRenderHint(QPainter::Antialiasing);
    for (size_t f = 0; f < m_lines.size(); ++f) {
        const std::vector<QPointF>& points = m_lines[f];
        if (points.empty())
            continue;
        const QPolygonF line = onePixelApart(points, xOf, yOf);
        p.setPen(QPen(familyColours[f], 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
        // Dots only while they stay apart.
        if (m_count <= 60) {
            p.setBrush(familyColours[f]);
            for (const QPointF& point : std::as_const(line))
                p.drawEllipse(point, 2.5, 2.5);
        }
    }
    // Each correction beside its first score: a dotted stem and a hollow dot.
    for (const Correction& c : m_corrections) {
        const QPointF first(xOf(c.point.x()), yOf(c.firstScore));
        const QPointF corrected(xOf(c.point.x()), yOf(c.point.y()));
        p.setPen(QPen(familyColours[c.family], 1, Qt::DotLine));
        p.drawLine(first, corrected);
        p.setPen(QPen(familyColours[c.family], 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(corrected, 3, 3);
    }
    drawPassLabel();
}

TopicChart::TopicChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"topicChart"_s);
}

void TopicChart::setShares(const std::vector<TopicShare>& shares)
{
    m_shares = shares;
    update();
}

void TopicChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 182, 210));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(songFont(9));
    if (m_shares.empty())
        return;
    const double rowHeight = std::min(22.0, (height() - 8.0) / static_cast<double>(m_shares.size()));
    const double barLeft = 82, barRight = width() - 104.0;
    for (size_t i = 0; i < m_shares.size(); ++i) {
        const TopicShare& s = m_shares[i];
        const double top = 4 + rowHeight * static_cast<double>(i);
        p.setPen(QColor(30, 40, 60));
        p.drawText(QRectF(6, top, barLeft - 10, rowHeight), Qt::AlignRight | Qt::AlignVCenter, s.topic);
        const QRectF track(barLeft, top + rowHeight * 0.25, barRight - barLeft, rowHeight * 0.5);
        p.fillRect(track, QColor(236, 240, 246));
        if (s.asked == 0) {
            p.setPen(QColor(120, 130, 150));
            p.drawText(QRectF(barRight + 6, top, width() - barRight - 8, rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, u"未练习"_s);
            continue;
        }
        const double share = s.share();
        const QColor fill = share < 0.6   ? QColor(220, 60, 50)
                            : share < 0.8 ? QColor(240, 170, 40)
                                          : QColor(50, 170, 80);
        p.fillRect(QRectF(track.left(), track.top(), track.width() * share, track.height()), fill);
        p.setPen(QColor(30, 40, 60));
        p.drawText(QRectF(barRight + 6, top, width() - barRight - 8, rowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   u"%1%（%2/%3）"_s.arg(qRound(share * 100)).arg(s.mastered).arg(s.asked));
    }
}

} // namespace pptdrill

#include "moc_scorechart.cpp"
