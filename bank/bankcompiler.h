#pragma once

#include "bank/banksource.h"
#include "common/result.h"

#include <QString>
#include <vector>

namespace pptdrill {

struct BankSummary
{
    int sets = 0;
    int questions = 0;
};

// Writes a complete database for `sets` to `outputPath`: all four tables, the
// stems enciphered, the database password set. The file is built beside the
// target and renamed into place, so a failed build leaves the old file.
Result<BankSummary> compileBank(const std::vector<BankSet>& sets, const QString& outputPath);

} // namespace pptdrill
