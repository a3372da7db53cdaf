#pragma once

class QWidget;

namespace pptdrill {

// When PPTDRILL_TRACE_FIRST_FRAME is set, writes "first-frame <ms since the
// epoch>" to standard error once `widget` has painted for the first time in
// this process. Benchmarks read it; nothing happens otherwise.
void traceFirstPaint(QWidget* widget);

} // namespace pptdrill
