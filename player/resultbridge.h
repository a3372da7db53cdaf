#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QString>

namespace pptdrill {

// Marks the paper row named by `argumentText` (a stid in decimal, spaces around
// it ignored) as done with 2.5 points. Blank text, text that is not a plain
// decimal number, a stid with no row, a row that is gone by the time it is
// written, and every database failure change nothing and fail, with a Chinese
// message that names the reason (disk full, database read-only, database busy,
// no such row, ...).
Status recordCompletedQuestion(const QString& argumentText);

// drillbridge ends with exit code 0 when the question has been recorded and 1
// otherwise; then its standard error carries the report below, which the
// player shows to the learner.
QByteArray bridgeFailureReport(const QString& message);
// The reason a bridge run did not record the question, from how it ended: its
// exit (normal or not), its exit code and its standard error. Empty when the
// question has been recorded.
QString bridgeFailureReason(bool normalExit, int exitCode, const QByteArray& standardError);

} // namespace pptdrill
