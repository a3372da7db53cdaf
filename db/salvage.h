#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

// What was read out of a damaged database.
struct SalvagedRows
{
    int bankRows = 0;         // stk rows (their 错题 flags)
    int attempts = 0;         // 练习记录
    int attemptQuestions = 0; // 练习记录明细
    int skippedRows = 0;      // rows that were there but could not be read or kept
};

// Reads what can still be read of the learner's data in the damaged database
// `damaged` (never written) into a new database `target` with the tables made
// afresh: the bank rows without their movies, and the practice history. Each
// table is read on its own, from both ends, so that a damaged page costs only
// the rows on it; columns the damaged tables lack take neutral values. Fails
// when the file cannot be opened at all (another key, no database); `target`
// is then not made.
Result<SalvagedRows> salvageLearnerData(const QString& damaged, const QString& target);

} // namespace pptdrill
