#include "shell/singleinstance.h"

#include "platform/systemfolder.h"

#include <QLockFile>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

std::unique_ptr<QLockFile> g_runtimeLock;
std::unique_ptr<QLockFile> g_databaseLock;

// The lock at `path`, or why it could not be had.
std::unique_ptr<QLockFile> tryLock(const QString& path, InstanceClaim& failure)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Never stale by age: the program may run for days. A lock whose owner
    // process no longer runs is stale and is taken over by tryLock.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return lock;
    // A lock that cannot be written at all is no sign of another program.
    failure = lock->error() == QLockFile::LockFailedError ? InstanceClaim::AlreadyRunning
                                                          : InstanceClaim::LockNotWritable;
    return nullptr;
}

} // namespace

QString singleInstanceLockPath()
{
    const QString folder = systemDirectory();
    return folder.isEmpty() ? QString() : folder + u"/pptdrill.lock"_s;
}

QString databaseLockPath(const QString& databaseFile)
{
    return databaseFile + u".lock"_s;
}

std::unique_ptr<QLockFile> lockDatabaseFile(const QString& databaseFile, InstanceClaim& failure)
{
    return tryLock(databaseLockPath(databaseFile), failure);
}

InstanceClaim claimSingleInstance(const QString& databaseFile)
{
    if (g_runtimeLock && g_databaseLock)
        return InstanceClaim::Claimed;
    const QString runtimePath = singleInstanceLockPath();
    if (runtimePath.isEmpty())
        return InstanceClaim::NoRuntimeFolder;
    InstanceClaim failure = InstanceClaim::Claimed;
    auto runtimeLock = tryLock(runtimePath, failure);
    if (!runtimeLock)
        return failure;
    auto databaseLock = tryLock(databaseLockPath(databaseFile), failure);
    if (!databaseLock)
        return failure;
    g_runtimeLock = std::move(runtimeLock);
    g_databaseLock = std::move(databaseLock);
    return InstanceClaim::Claimed;
}

void releaseSingleInstance()
{
    g_databaseLock.reset();
    g_runtimeLock.reset();
}

} // namespace pptdrill
