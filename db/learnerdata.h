#pragma once

#include "common/result.h"

#include <memory>

namespace pptdrill {

class Connection;

// Carries what the learner has done from the database `from` into a new bank
// `to`: the 错题 flag of every question whose ID and stored 题干 are the same in
// both, and the whole practice history (`练习记录`, `练习记录明细`), which
// replaces any rows of the same ids in `to`. One transaction on `to`: on a
// failure `to` is as it was. A `from` without a history carries only the flags.
Status carryLearnerData(const std::shared_ptr<Connection>& from, const std::shared_ptr<Connection>& to);

} // namespace pptdrill
