#pragma once

#include "common/result.h"

#include <QString>
#include <memory>

namespace pptdrill {

class Connection;

// Every bank the bank compiler writes carries a stamp (PRAGMA user_version): a
// fingerprint of its questions. A working copy keeps the stamp of the bank it
// was made from, so a bank with another stamp is a new edition of the questions.
Result<int> bankStamp(Connection& connection);
Status setBankStamp(Connection& connection, int stamp);

// Makes the user's data folder where the programs of `programFolder` keep
// their database there, and makes it and every file in it private to the user
// (0700, 0600), also when they were there before; nothing to do otherwise.
Status makeDatabaseFolder(const QString& programFolder);

// What the start did to the learner's copy that the learner is told about.
struct PreparedCopy
{
    // Where a damaged copy was kept (empty: none was found).
    QString damagedCopy;
    int carriedAttempts = 0;
    int carriedFlags = 0;
    int unreadableRows = 0;
};

// Brings the user's working database up to the bank in `programFolder`, where
// the programs use a copy (usesUserDataFolder): on first start the copy is made
// from the bank; when the bank's stamp differs from the copy's (a package
// upgrade), the new bank takes the copy's place and carries over what the
// learner built up (carryLearnerData). The copy is replaced in one rename, so it
// is always whole. A copy that is no database of this system any more (empty,
// not readable with the key, damaged, a table missing or of another make) is
// never deleted: it is kept under a name of its own (damagedCopy) and a new copy
// takes what could still be read from it. The caller holds the lock beside the
// database.
Result<PreparedCopy> prepareUserDatabase(const QString& programFolder);

// What the learner is told when a damaged copy was replaced: what happened,
// where the old file is and what was carried.
QString damagedCopyNotice(const QString& workingFile, const PreparedCopy& prepared);

} // namespace pptdrill
