#include "shell/examflow.h"

namespace pptdrill::examflow {

std::function<void()> showBarAgain;
std::function<void()> hideBar;
std::function<void()> closeBar;
std::function<void(int)> confirmHandIn;
std::function<void()> showResults;
std::function<bool()> resultsShowing;

} // namespace pptdrill::examflow
