#pragma once

#include "classroom/classroomconfig.h"
#include "classroom/serverconnection.h"

#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <atomic>
#include <chrono>
#include <memory>

class QThread;
class QTimer;

namespace pptdrill {

// How long the sender waits after the `failures`-th failed round in a row:
// 2 s, twice as long after each further failure, at most 5 minutes, each
// wait shortened by a random part of up to a quarter, so that a room's PCs do
// not all call at the same moment when the server comes back.
std::chrono::milliseconds retryDelay(int failures, QRandomGenerator& random);

// What one round of delivery did.
struct DeliveryRound
{
    int delivered = 0;
    int pending = 0; // left in the queue
    bool serverReached =
        true;        // false: the round stopped because the server did not answer or refused the login
    QString failure; // in Chinese, when something was not delivered
};

// Sends the queue of the learner's database at `databasePath`, oldest first:
// each hand-in in its own transaction on the server, and only after the
// server's commit it leaves the queue. A hand-in the server refuses is kept
// and tried again in a later round; the others go on. `server` is kept open
// between rounds and opened again when it broke.
DeliveryRound deliverQueue(const QString& databasePath, const ServerLogin& login,
                           std::unique_ptr<ServerConnection>& server, const std::atomic<bool>* abort);

// The learner's background sender: one thread of its own with its own
// connections, so the trainer's window never waits for the network. It
// delivers at start, after every hand-in and, while something is left, again
// after a growing pause.
class ClassroomSender : public QObject
{
    Q_OBJECT

public:
    ClassroomSender(const ClassroomConfig& config, const QString& databasePath, QObject* parent = nullptr);
    ~ClassroomSender() override;

    void start();
    // Ends a wait on the server at once and the thread with it. Whatever was
    // not committed stays in the queue for the next start.
    void stop();
    // A hand-in was queued: deliver now rather than after the pause.
    void deliverSoon();

    // The last count reported; -1 before the first round.
    int pending() const { return m_pending; }

    // What the trainer shows: "已同步" or "N 条待上传".
    static QString statusText(int pending);

signals:
    void pendingChanged(int pending);
    // A round ended (tests wait for it).
    void roundFinished(int delivered, int pending);

private:
    class Worker;
    void reportRound(int delivered, int pending);
    QThread* m_thread = nullptr;
    Worker* m_worker = nullptr;
    std::atomic<bool> m_abort{false};
    int m_pending = -1;
};

} // namespace pptdrill
