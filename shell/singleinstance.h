#pragma once

#include <QString>

namespace pptdrill {

// True when no other main program of this user runs. The lock is then this
// program's until it ends; a lock left behind by a run that was killed does
// not count.
bool claimSingleInstance();
void releaseSingleInstance();
QString singleInstanceLockPath();

} // namespace pptdrill
