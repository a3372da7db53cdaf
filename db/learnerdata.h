#pragma once

#include "common/result.h"

#include <memory>

namespace pptdrill {

class Connection;

// Carries what the learner built up in an old database into a new bank: the 错题
// flag of every question whose ID and 题干 (stored text) are unchanged. A
// question that was removed or whose stem changed keeps the new bank's value.
// One transaction on `to`: all of it is carried or nothing.
Status carryLearnerData(const std::shared_ptr<Connection>& from, const std::shared_ptr<Connection>& to);

} // namespace pptdrill
