#include "platform/steadyclock.h"

namespace pptdrill {

namespace {
SteadyClock g_realClock;
SteadyClock* g_clock = &g_realClock;
} // namespace

std::chrono::steady_clock::time_point SteadyClock::now() const
{
    return std::chrono::steady_clock::now();
}

SteadyClock& steadyClock()
{
    return *g_clock;
}

void setSteadyClockForTesting(SteadyClock* clock)
{
    g_clock = clock ? clock : &g_realClock;
}

} // namespace pptdrill
