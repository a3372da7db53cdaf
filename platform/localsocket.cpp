#include "platform/localsocket.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool addressOf(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

// Waits until `fd` can be read or written; false when the time is up or poll fails.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    while (true) {
        pollfd watched{fd, events, 0};
        const int n = ::poll(&watched, 1, int(qMax<qint64>(0, deadline.remainingTime())));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

namespace localsocket {

Result<int> connectTo(const QString& path)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return Result<int>::failure(u"not a socket path: %1"_s.arg(path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return Result<int>::failure(systemError(errno));
    int result = 0;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    // A full backlog makes a non-blocking connect wait: the socket becomes writable once accepted.
    if (result != 0 && errno == EAGAIN) {
        int error = 0;
        socklen_t length = sizeof error;
        if (waitFor(fd, POLLOUT, QDeadlineTimer(3000)) &&
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            result = 0;
        else
            errno = error ? error : ETIMEDOUT;
    }
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        return Result<int>::failure(systemError(error), error);
    }
    return fd;
}

bool refuses(const QString& path)
{
    Result<int> fd = connectTo(path);
    if (fd) {
        ::close(fd.value());
        return false;
    }
    return fd.code() == ECONNREFUSED || fd.code() == ENOENT;
}

Status exchange(int fd, const QByteArray& data, qsizetype answerBytes, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    qsizetype written = 0;
    while (written < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + written, size_t(data.size() - written), MSG_NOSIGNAL);
        if (n > 0) {
            written += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitFor(fd, POLLOUT, deadline))
                return Status::failure(u"the player did not take the text"_s);
        } else {
            return Status::failure(u"the player did not take the text: "_s + systemError(errno));
        }
    }
    qsizetype read = 0;
    while (read < answerBytes) {
        char byte[64];
        const ssize_t n = ::recv(fd, byte, size_t(qMin<qsizetype>(answerBytes - read, sizeof byte)), 0);
        if (n > 0) {
            read += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitFor(fd, POLLIN, deadline))
                return Status::failure(u"the player did not answer"_s);
        } else {
            return Status::failure(n == 0 ? u"the player did not answer: it closed the connection"_s
                                          : u"the player did not answer: "_s + systemError(errno));
        }
    }
    return {};
}

void close(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

} // namespace localsocket

LocalExchange::LocalExchange(int fd, QByteArray data, QObject* parent)
    : QObject(parent), m_fd(fd), m_pending(std::move(data)),
      m_writable(new QSocketNotifier(fd, QSocketNotifier::Write, this)),
      m_readable(new QSocketNotifier(fd, QSocketNotifier::Read, this))
{
    connect(m_writable, &QSocketNotifier::activated, this, &LocalExchange::writeMore);
    connect(m_readable, &QSocketNotifier::activated, this, &LocalExchange::readAnswer);
}

LocalExchange::~LocalExchange()
{
    m_writable->setEnabled(false);
    m_readable->setEnabled(false);
    localsocket::close(m_fd);
}

void LocalExchange::writeMore()
{
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::send(m_fd, m_pending.constData(), size_t(m_pending.size()), MSG_NOSIGNAL);
        if (n > 0) {
            m_pending.remove(0, n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            return;
        } else {
            m_writable->setEnabled(false);
            m_readable->setEnabled(false);
            emit failed(u"the player cannot be reached: "_s + systemError(errno));
            return;
        }
    }
    m_writable->setEnabled(false);
}

void LocalExchange::readAnswer()
{
    char byte = 0;
    ssize_t n = 0;
    do {
        n = ::recv(m_fd, &byte, 1, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0 && errno == EAGAIN)
        return;
    m_writable->setEnabled(false);
    m_readable->setEnabled(false);
    if (n == 1)
        emit answered();
    else
        emit failed(u"the player cannot be reached: "_s +
                    (n == 0 ? u"it closed the connection"_s : systemError(errno)));
}

LocalConnection::LocalConnection(int fd, QObject* parent)
    : QObject(parent), m_fd(fd), m_readable(new QSocketNotifier(fd, QSocketNotifier::Read, this))
{
    connect(m_readable, &QSocketNotifier::activated, this, &LocalConnection::readAvailable);
}

LocalConnection::~LocalConnection()
{
    close();
}

void LocalConnection::write(const QByteArray& data)
{
    if (m_fd < 0)
        return;
    qsizetype written = 0;
    const QDeadlineTimer deadline(1000);
    while (written < data.size()) {
        const ssize_t n =
            ::send(m_fd, data.constData() + written, size_t(data.size() - written), MSG_NOSIGNAL);
        if (n > 0)
            written += n;
        else if (n < 0 && (errno == EINTR || (errno == EAGAIN && waitFor(m_fd, POLLOUT, deadline))))
            continue;
        else
            return;
    }
}

void LocalConnection::close()
{
    if (m_fd < 0)
        return;
    m_readable->setEnabled(false);
    ::close(m_fd);
    m_fd = -1;
}

void LocalConnection::readAvailable()
{
    bool ended = false;
    while (m_fd >= 0) {
        char buffer[4096];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            m_received.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        ended = !(n < 0 && errno == EAGAIN);
        break;
    }
    QPointer<LocalConnection> alive(this);
    if (!m_received.isEmpty())
        emit readyRead();
    if (alive && ended) {
        close();
        emit disconnected();
    }
}

LocalListener::LocalListener(QObject* parent) : QObject(parent) {}

LocalListener::~LocalListener()
{
    close();
}

Status LocalListener::listen(const QString& path)
{
    close();
    sockaddr_un address;
    if (!addressOf(path, address))
        return Status::failure(u"not a socket path: %1"_s.arg(path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return Status::failure(systemError(errno));
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0) {
        const int error = errno;
        ::close(fd);
        return Status::failure(systemError(error));
    }
    m_fd = fd;
    m_path = path;
    m_acceptable = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_acceptable, &QSocketNotifier::activated, this, &LocalListener::acceptAll);
    return {};
}

void LocalListener::close()
{
    if (m_fd < 0)
        return;
    delete m_acceptable;
    m_acceptable = nullptr;
    ::close(m_fd);
    m_fd = -1;
    QFile::remove(m_path);
}

void LocalListener::acceptAll()
{
    QPointer<LocalListener> alive(this);
    while (alive && m_fd >= 0) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        emit newConnection(new LocalConnection(fd, this));
    }
}

} // namespace pptdrill

#include "moc_localsocket.cpp"
