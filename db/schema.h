#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

class Connection;

// The module name the exam login expects in the bank's first row.
QString bankCourseName();

// Creates the bank table `stk`, the paper table `st` and the working tables
// `stkbf` and `stlbf`. Long values (LONGTEXT, BLOB) stand last in `stk`, so that
// reading a row's short columns never walks the pages of its stem or movie.
Status createSchema(Connection& connection);
// The statements createSchema runs.
QString schemaScript();

} // namespace pptdrill
