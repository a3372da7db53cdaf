#pragma once

#include <QByteArray>
#include <QString>

namespace pptdrill {

// drillbridge ends with exit code 0 when the question has been recorded and 1
// otherwise; then its standard error carries the report below, which the
// player shows to the learner.
QByteArray bridgeFailureReport(const QString& message);
// The reason a bridge run did not record the question, from how it ended: its
// exit (normal or not), its exit code and its standard error. Empty when the
// question has been recorded.
QString bridgeFailureReason(bool normalExit, int exitCode, const QByteArray& standardError);

} // namespace pptdrill
