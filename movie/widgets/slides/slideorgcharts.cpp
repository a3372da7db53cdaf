// Organisation charts on a slide: the top shape, its co-workers beside it,
// its assistants on an elbow of the stem, and its subordinates in the layout
// chosen (标准: a row under it; 两边悬挂, 左悬挂, 右悬挂: hanging from the stem).
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

} // namespace

void paintOrgChart(QPainter& p, const QRectF& r, const SlideShape& shape, const QColor& fill,
                   const QColor& line)
{
    const QStringList names = shape.text.split(u'\n');
    const int subordinates = std::max(shape.subordinates, static_cast<int>(names.size()) - 1);
    const int assistants = shape.assistants, coworkers = shape.coworkers;
    const QString layout = shape.orgLayout.isEmpty() ? u"标准"_s : shape.orgLayout;
    const bool standard = layout == u"标准"_s;
    const bool both = layout == u"两边悬挂"_s;
    const bool toLeft = layout == u"左悬挂"_s;

    // Rows: the top shape's, one for the assistants, then the subordinates'.
    const int hangingRows = both ? (subordinates + 1) / 2 : subordinates;
    const int subordinateRows = subordinates == 0 ? 0 : (standard ? 1 : hangingRows);
    const int assistantRows = (assistants + 1) / 2;
    const int rows = 1 + assistantRows + subordinateRows;
    const double rowH = r.height() / rows;
    const double boxH = rowH * (rows > 3 ? 0.58 : 0.62);
    const int widest = std::max({standard ? subordinates : 3, 1 + coworkers, 3});
    const double boxW = std::min(r.width() * 0.3, r.width() / widest * 0.86);

    std::vector<OrgBox> boxes;
    const auto name = [&](int i) { return i < names.size() ? names[i].trimmed() : QString(); };
    const QRectF top(r.center().x() - boxW / 2, r.top() + (rowH - boxH) / 2, boxW, boxH);
    boxes.push_back({top, name(0)});

    p.save();
    p.setPen(QPen(line, kOrgLine));
    // Co-workers stand on the top shape's row, alternately right and left of it.
    for (int i = 0; i < coworkers; ++i) {
        const double step = (boxW * 1.15) * (i / 2 + 1) * (i % 2 == 0 ? 1 : -1);
        boxes.push_back({top.translated(step, 0), {}});
    }

    const double stemX = top.center().x();
    const double subordinatesTop = r.top() + (1 + assistantRows) * rowH;
    const double stemEnd = subordinates == 0 ? top.bottom()
                           : standard        ? subordinatesTop + (rowH - boxH) / 2 - rowH * 0.19
                                             : subordinatesTop + (hangingRows - 1) * rowH + rowH / 2;
    double stemBottom = stemEnd;
    // Assistants hang on elbows of the stem, left and right, above the subordinates.
    for (int i = 0; i < assistants; ++i) {
        const double y = r.top() + (1 + i / 2) * rowH + rowH / 2;
        const bool left = i % 2 == 0;
        const QRectF box(left ? stemX - boxW * 0.25 - boxW : stemX + boxW * 0.25, y - boxH / 2, boxW, boxH);
        p.drawLine(QPointF(stemX, y), QPointF(left ? box.right() : box.left(), y));
        stemBottom = std::max(stemBottom, y);
        boxes.push_back({box, {}});
    }
    if (subordinates > 0 || assistants > 0)
        p.drawLine(QPointF(stemX, top.bottom()), QPointF(stemX, stemBottom));

    if (standard && subordinates > 0) {
        const double gap = (r.width() - subordinates * boxW) / std::max(subordinates, 1);
        const double y = subordinatesTop + (rowH - boxH) / 2;
        double firstX = 0, lastX = 0;
        for (int i = 0; i < subordinates; ++i) {
            const QRectF box(r.left() + gap / 2 + i * (boxW + gap), y, boxW, boxH);
            p.drawLine(QPointF(box.center().x(), stemEnd), QPointF(box.center().x(), y));
            (i == 0 ? firstX : lastX) = box.center().x();
            if (subordinates == 1)
                lastX = firstX;
            boxes.push_back({box, name(i + 1)});
        }
        p.drawLine(QPointF(firstX, stemEnd), QPointF(lastX, stemEnd));
    } else if (subordinates > 0) {
        // Hanging: each subordinate on its own elbow from the stem.
        for (int i = 0; i < subordinates; ++i) {
            const int row = both ? i / 2 : i;
            const bool left = both ? i % 2 == 0 : toLeft;
            const double y = subordinatesTop + row * rowH + rowH / 2;
            const QRectF box(left ? stemX - boxW * 0.2 - boxW : stemX + boxW * 0.2, y - boxH / 2, boxW, boxH);
            p.drawLine(QPointF(stemX, y), QPointF(left ? box.right() : box.left(), y));
            boxes.push_back({box, name(i + 1)});
        }
    }

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
    p.restore();
}

} // namespace pptdrill
