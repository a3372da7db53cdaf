#pragma once

#include "common/result.h"
#include "player/bridgereport.h"

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

} // namespace pptdrill
