#include "shell/singleinstance.h"

#include "platform/systemfolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

std::unique_ptr<QLockFile> g_runtimeLock;
std::unique_ptr<QLockFile> g_databaseLock;

// A lock is written the moment it is made; one still empty (or unreadable)
// after this long was left by a run killed in between.
constexpr qint64 kUnwrittenLockAgeMs = 2000;

// Removes a lock file that names no owner, unless a program holds it open
// under its advisory lock (as every live lock's owner does) or it may still be
// being written.
bool removeUnwrittenLock(const QString& path)
{
    const QFileInfo info(path);
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    if (age < kUnwrittenLockAgeMs)
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool removed = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        removed = ::unlink(QFile::encodeName(path).constData()) == 0;
    ::close(fd);
    return removed;
}

// The lock at `path`, or why it could not be had.
std::unique_ptr<QLockFile> tryLock(const QString& path, InstanceClaimOutcome& failure)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Never stale by age: the program may run for days. A lock whose owner
    // process no longer runs on this computer is stale and is taken over by tryLock.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return lock;
    failure.lockFile = path;
    // A lock that cannot be written at all is no sign of another program.
    if (lock->error() != QLockFile::LockFailedError) {
        failure.claim = InstanceClaim::LockNotWritable;
        return nullptr;
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock->getLockInfo(&pid, &host, &application)) {
        if (removeUnwrittenLock(path) && lock->tryLock(0))
            return lock;
    } else if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        failure.claim = InstanceClaim::HeldOnAnotherHost;
        failure.otherHost = host;
        return nullptr;
    }
    failure.claim = InstanceClaim::AlreadyRunning;
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
    InstanceClaimOutcome outcome;
    auto lock = tryLock(databaseLockPath(databaseFile), outcome);
    failure = outcome.claim;
    return lock;
}

InstanceClaimOutcome claimSingleInstance(const QString& databaseFile)
{
    InstanceClaimOutcome outcome;
    if (g_runtimeLock && g_databaseLock)
        return outcome;
    const QString runtimePath = singleInstanceLockPath();
    if (runtimePath.isEmpty()) {
        outcome.claim = InstanceClaim::NoRuntimeFolder;
        return outcome;
    }
    auto runtimeLock = tryLock(runtimePath, outcome);
    if (!runtimeLock)
        return outcome;
    auto databaseLock = tryLock(databaseLockPath(databaseFile), outcome);
    if (!databaseLock)
        return outcome;
    g_runtimeLock = std::move(runtimeLock);
    g_databaseLock = std::move(databaseLock);
    return outcome;
}

void releaseSingleInstance()
{
    g_databaseLock.reset();
    g_runtimeLock.reset();
}

} // namespace pptdrill
