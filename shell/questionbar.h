#pragma once

#include <functional>

namespace pptdrill {

// Hands the built paper over to the question bar.
void showQuestionBar();

// The question bar puts its own showing here; an empty handler restores the
// stand-in, a small window that tells how many questions the paper holds.
void setQuestionBarHandler(std::function<void()> handler);

} // namespace pptdrill
