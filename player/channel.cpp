#include "player/channel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>
#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString playerWindowTitle()
{
    return u"试题播放"_s;
}

namespace copydata {

QByteArray encode(const QString& text)
{
    QByteArray data = text.toUtf8();
    data.append('\0');
    QByteArray record(kHeaderSize, '\0');
    qToLittleEndian<quint32>(0, record.data());
    qToLittleEndian<quint32>(static_cast<quint32>(data.size()), record.data() + 4);
    return record + data;
}

QString decodeText(const QByteArray& data)
{
    const qsizetype end = data.indexOf('\0');
    return QString::fromUtf8(end < 0 ? data : data.left(end));
}

} // namespace copydata

RegisteredWindow findPlayerWindow()
{
    return windowregistry::findLast(playerWindowTitle());
}

namespace {

int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(qMax<qint64>(0, deadline.remainingTime()));
}

// Finds the player window and makes the record of the text that the send box
// gives back for `word`; an empty record when there is no player.
Result<QByteArray> prepareSend(const QString& word, const SendBox& sendBox, RegisteredWindow& player)
{
    player = findPlayerWindow();
    const QString text = sendBox ? sendBox(word) : word;
    if (player.isNull())
        return QByteArray();
    QByteArray record = copydata::encode(text);
    if (record.size() - copydata::kHeaderSize > qsizetype(copydata::kMaxDataSize))
        return Result<QByteArray>::failure(u"text too long for the player: %1 bytes"_s.arg(record.size()));
    return record;
}

} // namespace

Result<PlayerCommandSent> sendPlayerCommand(const QString& word, const SendBox& sendBox,
                                            std::chrono::milliseconds timeout)
{
    using R = Result<PlayerCommandSent>;
    RegisteredWindow player;
    const Result<QByteArray> record = prepareSend(word, sendBox, player);
    if (!record)
        return R::failure(record.error());
    if (record->isEmpty())
        return PlayerCommandSent::NoPlayer;

    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    socket.connectToServer(player.socketPath);
    if (!socket.waitForConnected(remainingMs(deadline)))
        return R::failure(u"the player cannot be reached: "_s + socket.errorString());
    socket.write(record.value());
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remainingMs(deadline)))
            return R::failure(u"the player did not take the text: "_s + socket.errorString());
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(remainingMs(deadline)))
            return R::failure(u"the player did not answer: "_s + socket.errorString());
    }
    socket.abort();
    return PlayerCommandSent::Handled;
}

PlayerCommandSender::PlayerCommandSender(QObject* parent, std::chrono::milliseconds timeout)
    : QObject(parent), m_timeout(timeout), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this,
            [this] { finish(false, u"the player did not answer in time"_s); });
}

PlayerCommandSender::~PlayerCommandSender()
{
    if (m_socket)
        m_socket->abort();
}

bool PlayerCommandSender::send(const QString& word, const SendBox& sendBox)
{
    if (m_socket)
        return false;
    RegisteredWindow player;
    const Result<QByteArray> record = prepareSend(word, sendBox, player);
    if (!record || record->isEmpty()) {
        emit finished(false, record ? QString() : record.error());
        return true;
    }
    m_socket = new QLocalSocket(this);
    const QByteArray data = record.value();
    connect(m_socket, &QLocalSocket::connected, m_socket, [socket = m_socket, data] { socket->write(data); });
    connect(m_socket, &QLocalSocket::readyRead, this, [this] { finish(true, {}); });
    connect(m_socket, &QLocalSocket::errorOccurred, this,
            [this] { finish(false, u"the player cannot be reached: "_s + m_socket->errorString()); });
    m_timer->start(m_timeout);
    m_socket->connectToServer(player.socketPath);
    return true;
}

void PlayerCommandSender::finish(bool handled, const QString& error)
{
    if (!m_socket)
        return;
    m_timer->stop();
    QLocalSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    emit finished(handled, error);
}

CopyDataReceiver::CopyDataReceiver(QObject* parent) : QObject(parent) {}

CopyDataReceiver::~CopyDataReceiver() = default;

Status CopyDataReceiver::start(const QString& title)
{
    stop();
    Result<QString> path = windowregistry::newSocketPath();
    if (!path)
        return Status::failure(path.error());
    auto* server = new QLocalServer(this);
    if (!server->listen(*path)) {
        const QString error = server->errorString();
        delete server;
        return Status::failure(u"%1: %2"_s.arg(*path, error));
    }
    auto registration = WindowRegistration::create(title, server->fullServerName());
    if (!registration) {
        delete server;
        return Status::failure(registration.error());
    }
    m_server = server;
    m_registration = std::move(*registration);
    connect(m_server, &QLocalServer::newConnection, this, &CopyDataReceiver::acceptConnections);
    return {};
}

Status CopyDataReceiver::setTitle(const QString& title)
{
    if (!m_registration)
        return Status::failure(u"not registered"_s);
    return m_registration->setTitle(title);
}

void CopyDataReceiver::stop()
{
    m_registration.reset();
    if (m_server) {
        m_server->close();
        // A handler may stop the receiver while one of the server's sockets is being read.
        m_server->deleteLater();
        m_server = nullptr;
    }
}

bool CopyDataReceiver::isListening() const
{
    return m_server && m_server->isListening();
}

RegisteredWindow CopyDataReceiver::window() const
{
    return m_registration ? m_registration->window() : RegisteredWindow{};
}

void CopyDataReceiver::acceptConnections()
{
    auto* server = qobject_cast<QLocalServer*>(sender());
    if (!server)
        return;
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRecords(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            readRecords(socket);
    }
}

void CopyDataReceiver::readRecords(QLocalSocket* rawSocket)
{
    const QPointer<QLocalSocket> socket(rawSocket);
    while (socket && socket->bytesAvailable() >= copydata::kHeaderSize) {
        const QByteArray header = socket->peek(copydata::kHeaderSize);
        const quint32 size = qFromLittleEndian<quint32>(header.constData() + 4);
        if (size > copydata::kMaxDataSize) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < copydata::kHeaderSize + qint64(size))
            return;
        socket->skip(copydata::kHeaderSize);
        const QString text = copydata::decodeText(socket->read(size));
        try {
            emit copyDataReceived(text);
        } catch (const std::exception& e) {
            qCritical("copy-data handler failed: %s", e.what());
        } catch (...) {
            qCritical("copy-data handler failed");
        }
        // The handler may have stopped or destroyed the receiver, and with it the socket.
        if (!socket)
            return;
        socket->write("", 1);
        socket->flush();
    }
}

} // namespace pptdrill

#include "moc_channel.cpp"
