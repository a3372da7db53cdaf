#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

class Connection;

// The module name the exam login expects in the bank's first row.
QString bankCourseName();

// Creates the bank table `stk`, the paper table `st` and the working tables
// `stkbf` and `stlbf`. The movie column stands last in `stk`, so that reading a
// row's other columns never walks the movie's pages.
Status createSchema(Connection& connection);

} // namespace pptdrill
