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

// Makes the user's data folder (private to the user) where the programs of
// `programFolder` keep their database there; nothing to do otherwise.
Status makeDatabaseFolder(const QString& programFolder);

// Brings the user's working database up to the bank in `programFolder`, where
// the programs use a copy (usesUserDataFolder): on first start the copy is made
// from the bank; when the bank's stamp differs from the copy's (a package
// upgrade), the new bank takes the copy's place and carries over what the
// learner built up (carryLearnerData). The copy is replaced in one rename, so it
// is always whole; a copy that is no database any more is put aside as
// "stdata.db.damaged" and made again. The caller holds the lock beside the database.
Status prepareUserDatabase(const QString& programFolder);

} // namespace pptdrill
