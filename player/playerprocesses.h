#pragma once

#include <QString>
#include <QStringList>

namespace pptdrill {

// How the main program stops and starts the player. Tests put a recorder in
// its place so that no real player runs.
class PlayerProcesses
{
public:
    virtual ~PlayerProcesses() = default;
    virtual void stopRunningPlayer();
    // Starts `program` with `arguments` (never through a shell); false when it
    // could not be started.
    virtual bool start(const QString& program, const QStringList& arguments);

    // Starts a player command line: the program name (found in the program
    // folder) and, after the first blank, its single argument. A failure is
    // told in a message box.
    bool startCommand(const QString& commandLine);
};

} // namespace pptdrill
