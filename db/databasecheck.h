#pragma once

#include "common/result.h"

#include <QString>
#include <functional>

namespace pptdrill {

class Connection;

// Checks, before the learner chooses anything, that the database file can do
// its work: it exists and opens with the password, it holds its tables with
// every column the programs use, and it and its folder can be written
// (the paper, the bridge's results and the compaction at exit write there).
// The failure says in Chinese what is wrong and names the file or folder.
// `thenWith`, when given, runs on the same connection once the check has
// passed (the trainer adds the history's tables there), and its failure is
// the result.
Status checkDatabaseForUse(const QString& databaseFile, const QString& password,
                           const std::function<Status(Connection&)>& thenWith = {});

// The part of that check an open file can answer: the four tables with every
// column the programs use, and every column of the learner's tables that are
// there (the history, the parts of the module).
Status checkDatabaseTables(Connection& connection);

} // namespace pptdrill
