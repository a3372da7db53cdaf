#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

// Marks the paper row named by `argumentText` (a stid in decimal, spaces around
// it ignored) as done with 2.5 points. Blank text does nothing and opens
// nothing; text that is not a plain decimal number, or a stid with no row,
// changes nothing.
Status RecordCompletedQuestion(const QString& argumentText);

} // namespace pptdrill
