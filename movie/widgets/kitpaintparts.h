#pragma once

// Parts of the simulated window's look that its toolbars and dialogs share.
#include <QRect>

class QPainter;

namespace pptdrill::kit {

// The blue gradient of the menu bar, the toolbars and the task pane's header.
void barGradient(QPainter& p, const QRect& r);
// The white, blue-framed box of an edit or drop-down box.
void paintWhiteBox(QPainter& p, const QRect& r);
// The arrow button at the right end of a drop-down box.
void paintDropArrow(QPainter& p, const QRect& r);

} // namespace pptdrill::kit
