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
    for (const QRect& box : candidates) {
        if (!coversAny(box, keepClear))
            return box;
    }
    return candidates.empty() ? QRect(within.topLeft(), size) : candidates.front();
}

} // namespace pptdrill
