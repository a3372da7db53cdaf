#include "platform/windowregistry.h"

#include "platform/localsocket.h"
#include "platform/systemfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QString kFolderName = u"pptdrill-windows"_s;
const QString kCounterName = u"sequence"_s;
const QString kEntrySuffix = u".entry"_s;
constexpr int kSequenceDigits = 20;

QString systemError(const QString& what, int err)
{
    return u"%1: %2"_s.arg(what, QString::fromLocal8Bit(std::strerror(err)));
}

QString entryFileName(quint64 sequence)
{
    return u"%1"_s.arg(sequence, kSequenceDigits, 10, QLatin1Char('0')) + kEntrySuffix;
}

// Holds the registry's counter file locked for as long as it lives.
class CounterLock
{
public:
    explicit CounterLock(const QString& folder) : m_folder(folder)
    {
        const QString path = folder + u'/' + kCounterName;
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            m_error = systemError(path, errno);
            return;
        }
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                m_error = systemError(path, errno);
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~CounterLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // also releases the lock
    }
    CounterLock(const CounterLock&) = delete;
    CounterLock& operator=(const CounterLock&) = delete;

    const QString& error() const { return m_error; }

    // The next sequence number; the counter file remembers it.
    Result<quint64> next()
    {
        char buffer[32] = {};
        const ssize_t n = ::pread(m_fd, buffer, sizeof buffer - 1, 0);
        if (n < 0)
            return Result<quint64>::failure(systemError(u"registry counter"_s, errno));
        bool ok = false;
        quint64 last = QByteArray(buffer, n).trimmed().toULongLong(&ok);
        if (!ok)
            last = 0; // a new or damaged counter starts again above every entry
        last = qMax(last, highestEntry());
        const quint64 sequence = last + 1;
        const QByteArray text = QByteArray::number(sequence) + '\n';
        if (::pwrite(m_fd, text.constData(), text.size(), 0) != text.size() ||
            ::ftruncate(m_fd, text.size()) != 0)
            return Result<quint64>::failure(systemError(u"registry counter"_s, errno));
        return sequence;
    }

private:
    quint64 highestEntry() const
    {
        quint64 highest = 0;
        const QStringList names = QDir(m_folder).entryList(QDir::Files);
        for (const QString& name : names) {
            if (name.endsWith(kEntrySuffix))
                highest = qMax(highest, name.chopped(kEntrySuffix.size()).toULongLong());
        }
        return highest;
    }

    int m_fd = -1;
    QString m_error;
    QString m_folder;
};

Status writeEntry(const QString& path, const RegisteredWindow& window)
{
    QJsonObject o;
    o[u"title"_s] = window.title;
    o[u"socket"_s] = window.socketPath;
    o[u"pid"_s] = window.pid;
    // An entry lives no longer than the session: it is written beside its
    // place and renamed into it, so a reader sees it whole, but never synced
    // to the disk, which costs a start tens of milliseconds off a tmpfs.
    const QString part = path + u".part"_s;
    QFile file(part);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Status::failure(u"%1: %2"_s.arg(part, file.errorString()));
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray text = QJsonDocument(o).toJson(QJsonDocument::Compact);
    const bool written = file.write(text) == text.size() && file.flush();
    file.close();
    if (!written || ::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString why = written ? systemError(path, errno) : u"%1: %2"_s.arg(part, file.errorString());
        QFile::remove(part);
        return Status::failure(why);
    }
    return {};
}

std::optional<RegisteredWindow> readEntry(const QString& path, quint64 sequence)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(64 * 1024));
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    RegisteredWindow w;
    w.sequence = sequence;
    w.title = o.value(u"title"_s).toString();
    w.socketPath = o.value(u"socket"_s).toString();
    w.pid = o.value(u"pid"_s).toInteger();
    if (w.pid <= 0 || w.socketPath.isEmpty())
        return std::nullopt;
    return w;
}

bool processExists(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// True when the window's socket definitely takes no connections any more.
bool socketRefuses(const QString& socketPath)
{
    return localsocket::refuses(socketPath);
}

// Removes a dead window's entry and, when it lies in the registry, its socket file.
void removeDead(const QString& folder, const QString& entryPath, const QString& socketPath)
{
    QFile::remove(entryPath);
    if (!socketPath.isEmpty() && QFileInfo(socketPath).absolutePath() == folder)
        QFile::remove(socketPath);
}

struct EntryFile
{
    quint64 sequence;
    QString path;
};

std::vector<EntryFile> entryFiles(const QString& folder)
{
    static const QRegularExpression pattern(u"^[0-9]{%1}\\.entry$"_s.arg(kSequenceDigits));
    std::vector<EntryFile> out;
    // Zero-padded names sort in registration order.
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (pattern.match(name).hasMatch())
            out.push_back({name.chopped(kEntrySuffix.size()).toULongLong(), folder + u'/' + name});
    }
    return out;
}

// Reads an entry; a damaged one or one of an ended process is removed.
std::optional<RegisteredWindow> readLiveProcessEntry(const QString& folder, const EntryFile& file)
{
    const std::optional<RegisteredWindow> w = readEntry(file.path, file.sequence);
    if (!w) {
        if (QFile::exists(file.path))
            QFile::remove(file.path);
        return std::nullopt;
    }
    if (!processExists(w->pid)) {
        removeDead(folder, file.path, w->socketPath);
        return std::nullopt;
    }
    return w;
}

} // namespace

namespace windowregistry {

Result<QString> folder()
{
    const QString base = systemDirectory();
    if (base.isEmpty())
        return Result<QString>::failure(u"no runtime folder"_s);
    const QString path = base + u'/' + kFolderName;
    if (!ensurePrivateFolder(path))
        return Result<QString>::failure(u"%1 is not a private folder of this user"_s.arg(path));
    return path;
}

Result<QString> newSocketPath()
{
    Result<QString> dir = folder();
    if (!dir)
        return dir;
    const quint64 nonce = QRandomGenerator::global()->generate64();
    return u"%1/w%2-%3.sock"_s.arg(*dir).arg(::getpid()).arg(nonce, 16, 16, QLatin1Char('0'));
}

std::vector<RegisteredWindow> liveWindows()
{
    std::vector<RegisteredWindow> out;
    Result<QString> dir = folder();
    if (!dir)
        return out;
    for (const EntryFile& file : entryFiles(*dir)) {
        std::optional<RegisteredWindow> w = readLiveProcessEntry(*dir, file);
        if (!w)
            continue;
        if (socketRefuses(w->socketPath)) {
            removeDead(*dir, file.path, w->socketPath);
            continue;
        }
        out.push_back(*w);
    }
    return out;
}

RegisteredWindow findLast(const QString& title)
{
    Result<QString> dir = folder();
    if (!dir)
        return {};
    // Walking backwards, the first live match is the last one registered.
    const std::vector<EntryFile> files = entryFiles(*dir);
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        std::optional<RegisteredWindow> w = readLiveProcessEntry(*dir, *it);
        if (!w || w->title != title)
            continue;
        if (socketRefuses(w->socketPath)) {
            removeDead(*dir, it->path, w->socketPath);
            continue;
        }
        return *w;
    }
    return {};
}

} // namespace windowregistry

WindowRegistration::WindowRegistration(RegisteredWindow window, QString entryPath)
    : m_window(std::move(window)), m_entryPath(std::move(entryPath))
{
}

Result<std::unique_ptr<WindowRegistration>> WindowRegistration::create(const QString& title,
                                                                       const QString& socketPath)
{
    using R = Result<std::unique_ptr<WindowRegistration>>;
    Result<QString> dir = windowregistry::folder();
    if (!dir)
        return R::failure(dir.error());
    CounterLock lock(*dir);
    if (!lock.error().isEmpty())
        return R::failure(lock.error());
    Result<quint64> sequence = lock.next();
    if (!sequence)
        return R::failure(sequence.error());

    RegisteredWindow window;
    window.sequence = *sequence;
    window.title = title;
    window.socketPath = socketPath;
    window.pid = ::getpid();
    const QString entryPath = *dir + u'/' + entryFileName(window.sequence);
    if (Status s = writeEntry(entryPath, window); !s)
        return R::failure(s.error());
    return std::unique_ptr<WindowRegistration>(new WindowRegistration(window, entryPath));
}

WindowRegistration::~WindowRegistration()
{
    QFile::remove(m_entryPath);
}

Status WindowRegistration::setTitle(const QString& title)
{
    if (title == m_window.title)
        return {};
    RegisteredWindow changed = m_window;
    changed.title = title;
    if (Status s = writeEntry(m_entryPath, changed); !s)
        return s;
    m_window = changed;
    return {};
}

} // namespace pptdrill
