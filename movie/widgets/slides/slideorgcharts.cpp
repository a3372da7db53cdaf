// Organisation charts on a slide: the top shape, its co-workers beside it,
// its assistants on an elbow of the stem, and its subordinates in the layout
// chosen (标准: a row under it; 两边悬挂, 左悬挂, 右悬挂: hanging from the stem).
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

constexpr double kOrgLine = 0.75;

struct OrgBox
{
    QRectF rect;
    QString text;
};

// Where a chart's rows and boxes lie, and the names its boxes show.
struct OrgChartLayout
{
    QStringList names;
    int subordinates = 0, assistants = 0, coworkers = 0;
    bool standard = true, both = false, toLeft = false;
    int hangingRows = 0, assistantRows = 0;
    double rowH = 0, boxH = 0, boxW = 0;
    QRectF top;       // the top shape
    double stemX = 0; // the stem down from the top shape
    double subordinatesTop = 0;
    double stemEnd = 0; // where the subordinates hang from the stem

    QString name(int i) const { return i < names.size() ? names[i].trimmed() : QString(); }
};

OrgChartLayout orgChartLayout(const QRectF& r, const SlideShape& shape)
{
    OrgChartLayout c;
    c.names = shape.text.split(u'\n');
    c.subordinates = std::max(shape.subordinates, static_cast<int>(c.names.size()) - 1);
    c.assistants = shape.assistants;
    c.coworkers = shape.coworkers;
    const QString layout = shape.orgLayout.isEmpty() ? u"标准"_s : shape.orgLayout;
    c.standard = layout == u"标准"_s;
    c.both = layout == u"两边悬挂"_s;
    c.toLeft = layout == u"左悬挂"_s;

    // Rows: the top shape's, one for the assistants, then the subordinates'.
    c.hangingRows = c.both ? (c.subordinates + 1) / 2 : c.subordinates;
    const int subordinateRows = c.subordinates == 0 ? 0 : (c.standard ? 1 : c.hangingRows);
    c.assistantRows = (c.assistants + 1) / 2;
    const int rows = 1 + c.assistantRows + subordinateRows;
    c.rowH = r.height() / rows;
    c.boxH = c.rowH * (rows > 3 ? 0.58 : 0.62);
    const int widest = std::max({c.standard ? c.subordinates : 3, 1 + c.coworkers, 3});
    c.boxW = std::min(r.width() * 0.3, r.width() / widest * 0.86);
    c.top = QRectF(r.center().x() - c.boxW / 2, r.top() + (c.rowH - c.boxH) / 2, c.boxW, c.boxH);

    c.stemX = c.top.center().x();
    c.subordinatesTop = r.top() + (1 + c.assistantRows) * c.rowH;
    c.stemEnd = c.subordinates == 0 ? c.top.bottom()
                : c.standard        ? c.subordinatesTop + (c.rowH - c.boxH) / 2 - c.rowH * 0.19
                                    : c.subordinatesTop + (c.hangingRows - 1) * c.rowH + c.rowH / 2;
    return c;
}

// Assistants hang on elbows of the stem, left and right, above the subordinates;
// the stem runs down to the lowest of them or to the subordinates.
void addAssistants(QPainter* p, const QRectF& r, const OrgChartLayout& c, std::vector<OrgBox>& boxes)
{
    double stemBottom = c.stemEnd;
    for (int i = 0; i < c.assistants; ++i) {
        const double y = r.top() + (1 + i / 2) * c.rowH + c.rowH / 2;
        const bool left = i % 2 == 0;
        const QRectF box(left ? c.stemX - c.boxW * 0.25 - c.boxW : c.stemX + c.boxW * 0.25, y - c.boxH / 2,
                         c.boxW, c.boxH);
        if (p)
            p->drawLine(QPointF(c.stemX, y), QPointF(left ? box.right() : box.left(), y));
        stemBottom = std::max(stemBottom, y);
        boxes.push_back({box, {}});
    }
    if (p && (c.subordinates > 0 || c.assistants > 0))
        p->drawLine(QPointF(c.stemX, c.top.bottom()), QPointF(c.stemX, stemBottom));
}

// 标准: the subordinates in a row under the top shape, on a bar across their stems.
void addSubordinateRow(QPainter* p, const QRectF& r, const OrgChartLayout& c, std::vector<OrgBox>& boxes)
{
    const double gap = (r.width() - c.subordinates * c.boxW) / std::max(c.subordinates, 1);
    const double y = c.subordinatesTop + (c.rowH - c.boxH) / 2;
    double firstX = 0, lastX = 0;
    for (int i = 0; i < c.subordinates; ++i) {
        const QRectF box(r.left() + gap / 2 + i * (c.boxW + gap), y, c.boxW, c.boxH);
        if (p)
            p->drawLine(QPointF(box.center().x(), c.stemEnd), QPointF(box.center().x(), y));
        (i == 0 ? firstX : lastX) = box.center().x();
        if (c.subordinates == 1)
            lastX = firstX;
        boxes.push_back({box, c.name(i + 1)});
    }
    if (p)
        p->drawLine(QPointF(firstX, c.stemEnd), QPointF(lastX, c.stemEnd));
}

// Hanging: each subordinate on its own elbow from the stem.
void addHangingSubordinates(QPainter* p, const OrgChartLayout& c, std::vector<OrgBox>& boxes)
{
    for (int i = 0; i < c.subordinates; ++i) {
        const int row = c.both ? i / 2 : i;
        const bool left = c.both ? i % 2 == 0 : c.toLeft;
        const double y = c.subordinatesTop + row * c.rowH + c.rowH / 2;
        const QRectF box(left ? c.stemX - c.boxW * 0.2 - c.boxW : c.stemX + c.boxW * 0.2, y - c.boxH / 2,
                         c.boxW, c.boxH);
        if (p)
            p->drawLine(QPointF(c.stemX, y), QPointF(left ? box.right() : box.left(), y));
        boxes.push_back({box, c.name(i + 1)});
    }
}

void paintOrgBoxes(QPainter& p, const std::vector<OrgBox>& boxes, double boxH, const QColor& fill,
                   const QColor& line)
{
    TextStyle style;
    style.family = songFamily();
    style.size = std::min(18.0, boxH * 0.32);
    style.color = style.bulletColor = contrastingText(fill);
    style.align = Qt::AlignHCenter;
    style.middle = true;
    for (const OrgBox& box : boxes) {
        p.setPen(QPen(line, kOrgLine));
        p.setBrush(fill);
        p.drawRect(box.rect);
        if (!box.text.isEmpty())
            paintText(p, box.rect, {{box.text, 0}}, style);
    }
}

// The chart's boxes in `r`, the top shape first, with the lines joining them drawn where `p` is given.
std::vector<OrgBox> orgBoxes(QPainter* p, const QRectF& r, const OrgChartLayout& chart)
{
    std::vector<OrgBox> boxes;
    boxes.push_back({chart.top, chart.name(0)});
    // Co-workers stand on the top shape's row, alternately right and left of it.
    for (int i = 0; i < chart.coworkers; ++i) {
        const double step = (chart.boxW * 1.15) * (i / 2 + 1) * (i % 2 == 0 ? 1 : -1);
        boxes.push_back({chart.top.translated(step, 0), {}});
    }
    addAssistants(p, r, chart, boxes);
    if (chart.standard && chart.subordinates > 0)
        addSubordinateRow(p, r, chart, boxes);
    else if (chart.subordinates > 0)
        addHangingSubordinates(p, chart, boxes);
    return boxes;
}

} // namespace

void paintOrgChart(QPainter& p, const QRectF& r, const SlideShape& shape, const QColor& fill,
                   const QColor& line)
{
    const OrgChartLayout chart = orgChartLayout(r, shape);
    p.save();
    p.setPen(QPen(line, kOrgLine));
    const std::vector<OrgBox> boxes = orgBoxes(&p, r, chart);
    paintOrgBoxes(p, boxes, chart.boxH, fill, line);
    p.restore();
}

std::vector<QRectF> orgChartBoxes(const QRectF& r, const SlideShape& shape)
{
    std::vector<QRectF> rects;
    for (const OrgBox& box : orgBoxes(nullptr, r, orgChartLayout(r, shape)))
        rects.push_back(box.rect);
    return rects;
}

} // namespace pptdrill
