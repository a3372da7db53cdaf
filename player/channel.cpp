#include "player/channel.h"

#include "platform/localsocket.h"

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

    Result<int> fd = localsocket::connectTo(player.socketPath);
    if (!fd)
        return R::failure(u"the player cannot be reached: "_s + fd.error());
    const Status exchanged = localsocket::exchange(*fd, record.value(), 1, timeout);
    localsocket::close(*fd);
    if (!exchanged)
        return R::failure(exchanged.error());
    return PlayerCommandSent::Handled;
}

PlayerCommandSender::PlayerCommandSender(QObject* parent, std::chrono::milliseconds timeout)
    : QObject(parent), m_timeout(timeout), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this,
            [this] { finish(false, u"the player did not answer in time"_s); });
}

PlayerCommandSender::~PlayerCommandSender() = default;

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
    Result<int> fd = localsocket::connectTo(player.socketPath);
    if (!fd) {
        // Told from the event loop, as an exchange's end is.
        QTimer::singleShot(0, this, [this, error = fd.error()] {
            emit finished(false, u"the player cannot be reached: "_s + error);
        });
        return true;
    }
    m_socket = new LocalExchange(*fd, record.value(), this);
    connect(m_socket, &LocalExchange::answered, this, [this] { finish(true, {}); });
    connect(m_socket, &LocalExchange::failed, this, [this](const QString& reason) { finish(false, reason); });
    m_timer->start(m_timeout);
    return true;
}

void PlayerCommandSender::finish(bool handled, const QString& error)
{
    if (!m_socket)
        return;
    m_timer->stop();
    LocalExchange* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
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
    auto* server = new LocalListener(this);
    if (const Status listening = server->listen(*path); !listening) {
        delete server;
        return Status::failure(u"%1: %2"_s.arg(*path, listening.error()));
    }
    auto registration = WindowRegistration::create(title, server->path());
    if (!registration) {
        delete server;
        return Status::failure(registration.error());
    }
    m_server = server;
    m_registration = std::move(*registration);
    connect(m_server, &LocalListener::newConnection, this, &CopyDataReceiver::acceptConnection);
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

void CopyDataReceiver::acceptConnection(LocalConnection* socket)
{
    connect(socket, &LocalConnection::readyRead, this, [this, socket] { readRecords(socket); });
    connect(socket, &LocalConnection::disconnected, socket, &QObject::deleteLater);
}

void CopyDataReceiver::readRecords(LocalConnection* rawSocket)
{
    const QPointer<LocalConnection> socket(rawSocket);
    while (socket && socket->received().size() >= copydata::kHeaderSize) {
        QByteArray& received = socket->received();
        const quint32 size = qFromLittleEndian<quint32>(received.constData() + 4);
        if (size > copydata::kMaxDataSize) {
            socket->close();
            socket->deleteLater();
            return;
        }
        if (received.size() < copydata::kHeaderSize + qint64(size))
            return;
        const QString text = copydata::decodeText(received.mid(copydata::kHeaderSize, size));
        received.remove(0, copydata::kHeaderSize + qsizetype(size));
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
        socket->write(QByteArray(1, '\0'));
    }
}

} // namespace pptdrill

#include "moc_channel.cpp"
