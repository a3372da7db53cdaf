#pragma once

#include <chrono>

namespace pptdrill {

// The monotonic clock that measures exam time: it does not jump with the
// system clock, and it keeps counting while the program is blocked or its
// timers are late. Tests put a clock of their own in its place.
class SteadyClock
{
public:
    virtual ~SteadyClock() = default;
    virtual std::chrono::steady_clock::time_point now() const;
};

SteadyClock& steadyClock();
// Null brings back the real clock.
void setSteadyClockForTesting(SteadyClock* clock);

} // namespace pptdrill
