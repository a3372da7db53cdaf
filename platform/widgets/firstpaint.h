#pragma once

#include <functional>

class QWidget;

namespace pptdrill {

// When PPTDRILL_TRACE_FIRST_FRAME is set, writes "first-frame <ms since the
// epoch>" to standard error once `widget` has painted for the first time in
// this process. Benchmarks read it; nothing happens otherwise.
void traceFirstPaint(QWidget* widget);
// Runs `then` once, in the event loop's turn after `widget` first painted:
// work the window need not wait for. Should the window not paint within
// `latestMs` (kept off screen), `then` runs all the same; with a negative
// `latestMs` it waits for the paint however long it takes.
void afterFirstPaint(QWidget* widget, std::function<void()> then, int latestMs = 1000);
// When PPTDRILL_TRACE_FIRST_FRAME is set, writes "<moment> <ms since the
// epoch>" to standard error: where a measured wait begins (a click on 下一题).
void traceMoment(const char* moment);

} // namespace pptdrill
