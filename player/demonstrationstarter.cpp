#include "player/demonstrationstarter.h"

#include "player/channel.h"
#include "player/playerprocesses.h"

#include <QTimer>

namespace pptdrill {

namespace {
constexpr int kPollMs = 100;
}

DemonstrationStarter::DemonstrationStarter(QObject* parent, std::chrono::milliseconds waitForPlayer)
    : QObject(parent), m_waitForPlayer(waitForPlayer)
{
    m_poll = new QTimer(this);
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &DemonstrationStarter::poll);
    m_sender = new PlayerCommandSender(this);
}

bool DemonstrationStarter::isRunning() const
{
    return m_poll->isActive();
}

bool DemonstrationStarter::start(PlayerProcesses& processes, const QString& commandLine)
{
    const bool wasRunning = m_poll->isActive();
    m_poll->stop();
    m_previousWindow = findPlayerWindow().sequence;
    processes.stopRunningPlayer();
    if (!processes.startCommand(commandLine)) {
        if (wasRunning)
            emit finished();
        return false;
    }
    m_playerWindow = 0;
    m_startedAt = std::chrono::steady_clock::now();
    m_poll->start();
    return true;
}

void DemonstrationStarter::poll()
{
    const RegisteredWindow window = findPlayerWindow();
    if (m_playerWindow == 0) {
        // A window registered before the start is the old player's, on its way out.
        if (!window.isNull() && window.sequence > m_previousWindow) {
            m_playerWindow = window.sequence;
            m_sender->send(kYanShiWord);
            emit demonstrationSent();
        } else if (std::chrono::steady_clock::now() - m_startedAt > m_waitForPlayer) {
            m_poll->stop();
            emit finished();
        }
        return;
    }
    if (window.sequence != m_playerWindow) {
        m_poll->stop();
        emit finished();
    }
}

} // namespace pptdrill

#include "moc_demonstrationstarter.cpp"
