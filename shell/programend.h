#pragma once

#include <QString>
#include <functional>

namespace pptdrill {

// Ends the main program at once: its event loop stops and no window gets any
// further event (no unload, no clean-up).
void endProgram(int exitCode = 0);
bool programEnded();
int programExitCode();

// A failure that nothing in the program recovers from (a database or file
// operation inside an event handler): a critical message carrying the
// failure's text, then the end of the program.
void failProgram(const QString& text);

// Tests watch the end instead of having it happen; an empty handler restores
// the real end. Either resets programEnded().
void setProgramEndHandler(std::function<void(int exitCode)> handler);

} // namespace pptdrill
