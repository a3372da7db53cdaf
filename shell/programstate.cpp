#include "shell/programstate.h"

namespace pptdrill {

QString setname;
bool randomdraw = false;
bool exammode = false;
QString seatno;
QString idno;
QString coursetitle;
QString playercmd;
bool closeallowed = false;
int remainsecs = 0;
std::optional<Recordset> currentrs;
std::optional<Recordset> workrs;

} // namespace pptdrill
