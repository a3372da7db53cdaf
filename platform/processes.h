#pragma once

#include <QString>
#include <cstdint>

namespace pptdrill {

// The id, in decimal, of the last running process of the current user (in
// ascending pid order) whose executable file name begins with `wanted`
// (case-sensitive); empty when there is none. Other users' processes are
// never considered.
QString findProcessId(const QString& wanted);

// Terminates the process (SIGKILL). Nonzero when the termination was
// requested, 0 when the process does not exist, is not the user's, or could
// not be signalled. Does not wait for the process to end.
std::int32_t killProcessById(std::int32_t id);

// Whether process `id` of the current user still runs (a zombie does not).
bool isProcessRunning(std::int64_t id);

// The player's executable name, as the main program looks it up.
QString playerExecutableName();

// The three steps every caller takes: find the player and stop it.
void stopRunningPlayer();

// Stops every player of this user started from `programFolder`. Only for a
// main program that holds that folder's database lock: such players are left
// over from an earlier run that was killed.
void stopLeftoverPlayers(const QString& programFolder);

} // namespace pptdrill
