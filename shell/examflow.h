#pragma once

#include <functional>

// The seams between the question bar (with its clock and icon) and the hand-in
// and results windows. Each side installs its part when the program starts;
// tests install fakes.
namespace pptdrill::examflow {

// Installed by the question bar.
extern std::function<void()> showBarAgain; // "返回检查": the bar (or its icon) comes back
extern std::function<void()>
    hideBar; // the results take over: the bar is hidden (a minimized bar's icon stays)
extern std::function<void()> closeBar; // sets closeallowed and unloads the bar, its icon and clock

// Installed by the hand-in windows.
extern std::function<void(int undone)> confirmHandIn; // "结束考试": wzwjj when undone > 0, else jjzctx
extern std::function<void()> showResults;             // jjjs: scores the paper and shows it
extern std::function<bool()> resultsShowing;          // jjjs is loaded

} // namespace pptdrill::examflow
