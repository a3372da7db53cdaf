#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace pptdrill {

enum class InstanceClaim
{
    Claimed,
    // Another main program uses this runtime folder or this database.
    AlreadyRunning,
    // The database's lock was written by a trainer on another computer that
    // shares the folder; whether it still runs cannot be told from here.
    HeldOnAnotherHost,
    // There is no private runtime folder to hold the lock in.
    NoRuntimeFolder,
    // A lock file cannot be written (a read-only folder, say).
    LockNotWritable,
};

struct InstanceClaimOutcome
{
    InstanceClaim claim = InstanceClaim::Claimed;
    QString lockFile;  // the lock in the way, when not claimed
    QString otherHost; // for HeldOnAnotherHost
};

// Claims this main program's two locks: one in the user's runtime folder,
// which guards the movie folder, and one beside the database file, which
// guards the paper that every trainer on that database shares, whatever its
// user or runtime folder. The locks are then this program's until it ends. A
// lock left behind by a run that was killed does not count: one whose process
// no longer runs on this computer, and one left empty by a run killed between
// making the file and writing it.
InstanceClaimOutcome claimSingleInstance(const QString& databaseFile);
void releaseSingleInstance();
QString singleInstanceLockPath();
QString databaseLockPath(const QString& databaseFile);

// The lock beside `databaseFile` alone, the one a trainer on that file holds,
// kept until the returned lock is destroyed: for a program that replaces the
// database, so that it never does while a trainer uses it and no trainer starts
// on it meanwhile. Null when it cannot be had, with `failure` saying why.
std::unique_ptr<QLockFile> lockDatabaseFile(const QString& databaseFile, InstanceClaim& failure);

} // namespace pptdrill
