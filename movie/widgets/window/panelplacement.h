#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace pptdrill {

// Where a panel that explains (the hint, the demonstration's caption) stands: at the first of
// `places` (its top-left corners, best first) where it covers none of `keepClear`; failing
// those, beside the first rect to keep clear, right, left, below or above it, as a tooltip
// moves aside, or in a corner of `within`; always inside `within`. When no place is clear of
// everything, the one that covers least of the first rect, then of the next, and so on: the
// rects come in the order they matter (the framed target first).
QRect placeClear(const QSize& size, const std::vector<QPoint>& places, const std::vector<QRect>& keepClear,
                 const QRect& within);

} // namespace pptdrill
