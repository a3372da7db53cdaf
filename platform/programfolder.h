#pragma once

#include <QString>

namespace pptdrill {

// The folder of the running executable, where the three programs, "stdata.db"
// and "completed.swf" stand side by side. Ends without a separator.
QString programFolder();

// Tests point the programs at a private copy of the program folder.
void setProgramFolderForTesting(const QString& folder);

} // namespace pptdrill
