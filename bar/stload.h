#pragma once

#include "shell/form.h"

#include <QString>
#include <QStringList>

namespace pptdrill {

// How the main program stops and starts the player. Tests install a recorder
// so that no real player runs.
class PlayerProcesses
{
public:
    virtual ~PlayerProcesses() = default;
    virtual void stopRunningPlayer();
    // Starts `program` with `arguments` (never through a shell); false when it
    // could not be started.
    virtual bool start(const QString& program, const QStringList& arguments);
};

PlayerProcesses& playerProcesses();
// Installs `processes` (not owned); nullptr restores the real one.
void setPlayerProcessesForTesting(PlayerProcesses* processes);

// Starts a command line as built in playercmd: the program name (found in the
// program folder) and, after the first blank, its single argument.
bool startPlayerCommand(const QString& commandLine);

// The loading window: showing it stops the running player and starts the
// player on the current row of currentrs; it then unloads itself.
class StloadForm : public Form
{
    Q_OBJECT

public:
    StloadForm();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void activate();
    bool m_activated = false;
};

// Loads and shows stload (modeless); it has unloaded itself when this returns.
void showStload();

} // namespace pptdrill
