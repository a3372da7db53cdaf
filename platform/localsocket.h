#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>

class QSocketNotifier;

namespace pptdrill {

// The local (Unix domain, stream) sockets the trainer and the player talk
// over, on the system's sockets directly: the programs need no network
// library, whose load cost every start of the player.
namespace localsocket {

// The file descriptor of a new connection to the socket at `path`, non-blocking;
// the reason when it cannot be made.
Result<int> connectTo(const QString& path);
// True when nothing listens at `path` any more (no such socket, or refused).
bool refuses(const QString& path);
// Writes all of `data` and reads `answerBytes` back before `timeout` ends.
Status exchange(int fd, const QByteArray& data, qsizetype answerBytes, std::chrono::milliseconds timeout);
void close(int fd);

} // namespace localsocket

// A connection that sends one block and waits for an answer, with the event
// loop running: `answered` once a byte comes back, `failed` when the peer
// cannot be reached or goes away first.
class LocalExchange : public QObject
{
    Q_OBJECT

public:
    LocalExchange(int fd, QByteArray data, QObject* parent = nullptr);
    ~LocalExchange() override;

signals:
    void answered();
    void failed(const QString& reason);

private:
    void writeMore();
    void readAnswer();

    int m_fd;
    QByteArray m_pending;
    QSocketNotifier* m_writable;
    QSocketNotifier* m_readable;
};

// A connection accepted by a LocalListener: its bytes as they come.
class LocalConnection : public QObject
{
    Q_OBJECT

public:
    LocalConnection(int fd, QObject* parent);
    ~LocalConnection() override;

    // What has come and is not yet taken.
    QByteArray& received() { return m_received; }
    void write(const QByteArray& data);
    void close();

signals:
    void readyRead();
    void disconnected();

private:
    void readAvailable();

    int m_fd;
    QByteArray m_received;
    QSocketNotifier* m_readable;
};

// Listens at a path; each connection becomes a LocalConnection child.
class LocalListener : public QObject
{
    Q_OBJECT

public:
    explicit LocalListener(QObject* parent = nullptr);
    ~LocalListener() override;

    Status listen(const QString& path);
    // Stops listening and removes the socket file.
    void close();
    bool isListening() const { return m_fd >= 0; }
    QString path() const { return m_path; }

signals:
    void newConnection(LocalConnection* connection);

private:
    void acceptAll();

    int m_fd = -1;
    QString m_path;
    QSocketNotifier* m_acceptable = nullptr;
};

} // namespace pptdrill
