#include "shell/singleinstance.h"

#include "platform/systemfolder.h"

#include <QLockFile>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {
std::unique_ptr<QLockFile> g_lock;
}

QString singleInstanceLockPath()
{
    return SystemDirectory() + u"/pptdrill.lock"_s;
}

bool claimSingleInstance()
{
    if (g_lock && g_lock->isLocked())
        return true;
    auto lock = std::make_unique<QLockFile>(singleInstanceLockPath());
    // Never stale by age: the program may run for days. A lock whose owner
    // process no longer runs is stale and is taken over by tryLock.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    g_lock = std::move(lock);
    return true;
}

void releaseSingleInstance()
{
    g_lock.reset();
}

} // namespace pptdrill
