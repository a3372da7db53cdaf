#pragma once

#include "db/database.h"

#include <QString>

#include <memory>
#include <optional>

// The main program's program-wide state, shared by its windows.
namespace pptdrill {

// Booleans of the program keep the -1 / 0 convention where they are stored or
// compared as numbers; in C++ they are plain bool.
extern QString setname;   // "第1套题" … "第12套题", "随机练习", "错题练习"; empty until the first choice
extern bool randomdraw;   // the random practice was chosen
extern bool exammode;     // exam mode: no demonstration, no hint
extern QString seatno;
extern QString idno;
extern QString coursetitle;
extern QString playercmd; // the last player command line started
extern bool closeallowed; // the question bar may close
extern int remainsecs;    // the remaining exam seconds

// The recordset on the paper (the bar's current question), and the second
// recordset the builder, the bar's count and the results reuse.
extern std::optional<Recordset> currentrs;
extern std::optional<Recordset> workrs;

} // namespace pptdrill
