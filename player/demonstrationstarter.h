#pragma once

#include <QObject>
#include <QString>
#include <chrono>

class QTimer;

namespace pptdrill {

class PlayerCommandSender;
class PlayerProcesses;

// Starts the player on a question and has it play the demonstration: the
// player is started with its usual command line, and once its window has
// registered, "SH_YanShi" goes to it as the bar's "全程演示" sends it. Reports
// when that player is gone again (or never came), so that a window that made
// way for it can come back.
class DemonstrationStarter : public QObject
{
    Q_OBJECT

public:
    explicit DemonstrationStarter(QObject* parent = nullptr,
                                  std::chrono::milliseconds waitForPlayer = std::chrono::seconds(10));

    // Stops a running player and starts `commandLine` ("drillplay <stid>&<n>").
    // False when the player could not be started.
    bool start(PlayerProcesses& processes, const QString& commandLine);
    bool isRunning() const;

signals:
    void demonstrationSent();
    // The player of the demonstration has ended, or did not come up in time.
    void finished();

private:
    void poll();

    QTimer* m_poll = nullptr;
    PlayerCommandSender* m_sender = nullptr;
    std::chrono::milliseconds m_waitForPlayer;
    std::chrono::steady_clock::time_point m_startedAt;
    quint64 m_previousWindow = 0; // the registration of the player before ours
    quint64 m_playerWindow = 0;   // ours, once it has registered
};

} // namespace pptdrill
