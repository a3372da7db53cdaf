#pragma once

class QWidget;

namespace pptdrill {

// When PPTDRILL_TRACE_FIRST_FRAME is set, writes "first-frame <ms since the
// epoch>" to standard error once `widget` has painted for the first time in
// this process. Benchmarks read it; nothing happens otherwise.
void traceFirstPaint(QWidget* widget);
// When PPTDRILL_TRACE_FIRST_FRAME is set, writes "<moment> <ms since the
// epoch>" to standard error: where a measured wait begins (a click on 下一题).
void traceMoment(const char* moment);

} // namespace pptdrill
