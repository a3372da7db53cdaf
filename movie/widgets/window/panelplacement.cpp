#include "movie/widgets/window/panelplacement.h"

#include <algorithm>

namespace pptdrill {

namespace {

constexpr int kGap = 8;

QRect keptWithin(QRect box, const QRect& within)
{
    box.moveLeft(
        std::clamp(box.left(), within.left(), std::max(within.left(), within.right() - box.width() + 1)));
    box.moveTop(
        std::clamp(box.top(), within.top(), std::max(within.top(), within.bottom() - box.height() + 1)));
    return box;
}

bool coversAny(const QRect& box, const std::vector<QRect>& keepClear)
{
    return std::any_of(keepClear.begin(), keepClear.end(),
                       [&](const QRect& r) { return !r.isEmpty() && box.intersects(r); });
}

} // namespace

QRect placeClear(const QSize& size, const std::vector<QPoint>& places, const std::vector<QRect>& keepClear,
                 const QRect& within)
{
    std::vector<QRect> candidates;
    for (const QPoint& at : places)
        candidates.push_back(keptWithin(QRect(at, size), within));
    for (const QRect& r : keepClear) {
        if (r.isEmpty())
            continue;
        candidates.push_back(keptWithin(QRect(QPoint(r.right() + kGap, r.top()), size), within));
        candidates.push_back(
            keptWithin(QRect(QPoint(r.left() - kGap - size.width(), r.top()), size), within));
        candidates.push_back(keptWithin(QRect(QPoint(r.left(), r.bottom() + kGap), size), within));
        candidates.push_back(
            keptWithin(QRect(QPoint(r.left(), r.top() - kGap - size.height()), size), within));
    }
    for (const QPoint& corner :
         {within.topLeft(), within.topRight(), within.bottomLeft(), within.bottomRight()})
        candidates.push_back(keptWithin(QRect(corner, size), within));
    for (const QRect& box : candidates) {
        if (!coversAny(box, keepClear))
            return box;
    }
    // Nothing is clear of everything: what covers least of what matters most.
    const auto covered = [&](const QRect& box) {
        std::vector<long long> areas;
        for (const QRect& r : keepClear) {
            const QRect common = box.intersected(r);
            areas.push_back(common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height());
        }
        return areas;
    };
    return *std::min_element(candidates.begin(), candidates.end(),
                             [&](const QRect& a, const QRect& b) { return covered(a) < covered(b); });
}

} // namespace pptdrill
