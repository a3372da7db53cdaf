#pragma once

#include "common/result.h"

#include <memory>

namespace pptdrill {

class Connection;

// Carries what the learner has done from the database `from` into a new bank
// `to`. Questions are known by their set and number (`套题类`, `套题子类`), not
// by their ID, so this holds whatever numbering `from`'s bank had: the 错题 flag
// of every question whose stored 题干 is the same in both; the whole practice
// history (`练习记录`, `练习记录明细`), which replaces any rows of the same ids in
// `to`, each 明细 row's stkid turned into its question's ID in `to`. `from` is
// read in one read transaction and `to` written in one transaction: on a
// failure `to` is as it was. A `from` without a history carries only the flags.
Status carryLearnerData(const std::shared_ptr<Connection>& from, const std::shared_ptr<Connection>& to);

} // namespace pptdrill
