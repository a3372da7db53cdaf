#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

// Checks, before the learner chooses anything, that the database file can do
// its work: it exists and opens with the password, it holds the four tables
// with every column the programs use, and it and its folder can be written
// (the paper, the bridge's results and the compaction at exit write there).
// The failure says in Chinese what is wrong and names the file or folder.
Status checkDatabaseForUse(const QString& databaseFile, const QString& password);

} // namespace pptdrill
