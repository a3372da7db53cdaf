#pragma once

#include <QString>

namespace pptdrill {

// The text of the menu's 关于 box: the system's name and version, what it is,
// the licence, and where this learner's data is kept (`databasePath`).
QString aboutText(const QString& databasePath);

} // namespace pptdrill
