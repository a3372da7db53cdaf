#include "classroom/classroomsender.h"

#include "classroom/delivery.h"
#include "classroom/deliveryqueue.h"
#include "db/database.h"

#include <QThread>
#include <QTimer>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

std::chrono::milliseconds retryDelay(int failures, QRandomGenerator& random)
{
    using namespace std::chrono;
    constexpr milliseconds first = seconds(2);
    constexpr milliseconds longest = minutes(5);
    milliseconds delay = first;
    for (int i = 1; i < failures && delay < longest; ++i)
        delay *= 2;
    delay = std::min(delay, longest);
    const auto shortening = milliseconds(random.bounded(static_cast<qint64>(delay.count() / 4) + 1));
    return delay - shortening;
}

namespace {

constexpr int kBatch = 20;

ServerLogin learnerLogin(const ClassroomConfig& config)
{
    return {config.host,   config.port, config.database, config.learnerUser, config.learnerPassword,
            config.sslMode};
}

} // namespace

DeliveryRound deliverQueue(const QString& databasePath, const ServerLogin& login,
                           std::unique_ptr<ServerConnection>& server, const std::atomic<bool>* abort)
{
    DeliveryRound round;
    auto opened = Connection::open(databasePath, databasePassword());
    if (!opened) {
        round.failure = databaseFailureReason(opened.code());
        round.pending = -1;
        return round;
    }
    Connection& local = *opened.value();
    qint64 after = 0;
    while (!(abort && abort->load())) {
        const auto batch = local.select(
            u"SELECT 序号, 内容 FROM 上传队列 WHERE 序号 > ? ORDER BY 序号 LIMIT ?"_s, {after, kBatch});
        if (!batch) {
            round.failure = databaseFailureReason(batch.code());
            break;
        }
        if (batch->empty())
            break;
        if (!server || !server->isUsable()) {
            server.reset();
            auto connected = ServerConnection::connect(login, abort);
            if (!connected) {
                round.serverReached = false;
                round.failure = connected.error();
                break;
            }
            server = std::move(connected.value());
        }
        bool stop = false;
        for (const Connection::Row& row : batch.value()) {
            const qint64 sequence = row[0].toLongLong();
            after = sequence;
            if (Status sent = deliverAttempt(*server, row[1].toString()); !sent) {
                round.failure = sent.error();
                if (!server->isUsable() || sent.code() == static_cast<int>(ServerFailure::Login)) {
                    round.serverReached = false;
                    stop = true;
                    break;
                }
                continue; // this one stays queued; the others still go
            }
            // Committed on the server. Should this delete fail (or the program die
            // here), the hand-in is sent again and the server ignores the copy.
            if (Status removed = removeQueuedAttempt(local, sequence); !removed) {
                round.failure = databaseFailureReason(removed.code());
                stop = true;
                break;
            }
            ++round.delivered;
        }
        if (stop)
            break;
    }
    const auto left = queuedAttemptCount(local);
    round.pending = left ? left.value() : -1;
    local.close();
    return round;
}

class ClassroomSender::Worker : public QObject
{
public:
    Worker(const ClassroomConfig& config, const QString& databasePath, std::atomic<bool>* abort,
           ClassroomSender* owner)
        : m_login(learnerLogin(config)), m_databasePath(databasePath), m_abort(abort), m_owner(owner)
    {
    }

    void begin()
    {
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        connect(m_retry, &QTimer::timeout, this, &Worker::runRound);
        runRound();
    }

    void runRound()
    {
        if (!m_retry || m_abort->load())
            return;
        m_retry->stop();
        if (m_abort->load())
            return;
        const DeliveryRound round = deliverQueue(m_databasePath, m_login, m_server, m_abort);
        if (m_abort->load())
            return;
        QMetaObject::invokeMethod(
            m_owner, [owner = m_owner, round] { owner->reportRound(round.delivered, round.pending); },
            Qt::QueuedConnection);
        if (round.pending > 0 || round.pending < 0) {
            ++m_failures;
            m_retry->start(retryDelay(m_failures, m_random));
        } else {
            m_failures = 0;
        }
    }

    void end()
    {
        m_server.reset();
        delete m_retry;
        m_retry = nullptr;
    }

private:
    ServerLogin m_login;
    QString m_databasePath;
    std::atomic<bool>* m_abort;
    ClassroomSender* m_owner;
    std::unique_ptr<ServerConnection> m_server;
    QTimer* m_retry = nullptr;
    int m_failures = 0;
    QRandomGenerator m_random{QRandomGenerator::securelySeeded()};
};

ClassroomSender::ClassroomSender(const ClassroomConfig& config, const QString& databasePath, QObject* parent)
    : QObject(parent)
{
    m_thread = new QThread;
    m_thread->setObjectName(u"classroom sender"_s);
    m_worker = new Worker(config, databasePath, &m_abort, this);
    m_worker->moveToThread(m_thread);
}

ClassroomSender::~ClassroomSender()
{
    stop();
    delete m_worker;
    delete m_thread;
}

void ClassroomSender::start()
{
    if (m_thread->isRunning())
        return;
    m_abort = false;
    m_thread->start();
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->begin(); }, Qt::QueuedConnection);
}

void ClassroomSender::stop()
{
    if (!m_thread->isRunning())
        return;
    m_abort = true;
    // The round in progress gives up within a moment; the worker then lets go
    // of its connection and timer in its own thread.
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->end(); }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

void ClassroomSender::deliverSoon()
{
    if (m_thread->isRunning())
        QMetaObject::invokeMethod(
            m_worker, [worker = m_worker] { worker->runRound(); }, Qt::QueuedConnection);
}

void ClassroomSender::reportRound(int delivered, int pending)
{
    if (pending >= 0 && pending != m_pending) {
        m_pending = pending;
        emit pendingChanged(pending);
    }
    emit roundFinished(delivered, pending);
}

QString ClassroomSender::statusText(int pending)
{
    return pending == 0 ? u"已同步"_s : u"%1 条待上传"_s.arg(pending);
}

} // namespace pptdrill

#include "moc_classroomsender.cpp"
