#include "platform/processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

struct ProcessStatus
{
    uid_t realUid = 0;
    bool zombie = false;
};

QString procPath(qint64 pid, const QString& entry)
{
    return u"/proc/%1/%2"_s.arg(pid).arg(entry);
}

// The real uid and the state of a process, from /proc/<pid>/status; nothing
// when the process does not exist (any more).
std::optional<ProcessStatus> readStatus(qint64 pid)
{
    QFile file(procPath(pid, u"status"_s));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    ProcessStatus status;
    bool haveUid = false;
    for (const QByteArray& line : lines) {
        if (line.startsWith("State:")) {
            status.zombie = line.mid(6).trimmed().startsWith('Z');
        } else if (line.startsWith("Uid:")) {
            // Real, effective, saved and file-system uid: the first one owns the process.
            const QList<QByteArray> ids = line.mid(4).simplified().split(' ');
            bool ok = false;
            status.realUid = static_cast<uid_t>(ids.value(0).toUInt(&ok));
            haveUid = ok;
        }
    }
    if (!haveUid)
        return std::nullopt;
    return status;
}

// A running (not ended) process of the current user.
bool isOwnRunningProcess(qint64 pid)
{
    const std::optional<ProcessStatus> status = readStatus(pid);
    return status && status->realUid == ::getuid() && !status->zombie;
}

// The path of the process's executable, without the mark of a replaced file;
// empty when the link cannot be read.
QString executablePath(qint64 pid)
{
    QString target = QFileInfo(procPath(pid, u"exe"_s)).symLinkTarget();
    // An executable replaced or removed since it was started.
    static const QString deleted = u" (deleted)"_s;
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target;
}

// The file name of the process's executable; the kernel's short command name
// (at most 15 characters) when the executable link cannot be read.
QString executableFileName(qint64 pid)
{
    const QString target = executablePath(pid);
    if (!target.isEmpty())
        return QFileInfo(target).fileName();
    QFile comm(procPath(pid, u"comm"_s));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    QByteArray name = comm.readAll();
    if (name.endsWith('\n'))
        name.chop(1);
    return QFile::decodeName(name);
}

std::vector<qint64> processIds()
{
    std::vector<qint64> pids;
    const QStringList entries = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (ok && pid > 0)
            pids.push_back(pid);
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

} // namespace

QString findProcessId(const QString& wanted)
{
    QString result;
    for (const qint64 pid : processIds()) {
        if (!isOwnRunningProcess(pid))
            continue;
        // The first N characters equal `wanted`; a shorter name never matches.
        if (executableFileName(pid).startsWith(wanted, Qt::CaseSensitive))
            result = QString::number(pid);
    }
    return result;
}

bool isProcessRunning(std::int64_t id)
{
    return id > 0 && isOwnRunningProcess(id);
}

std::int32_t killProcessById(std::int32_t id)
{
    if (id <= 0)
        return 0;
    // Holding a pidfd while checking the owner makes sure the signal reaches the
    // process that was checked, not a newcomer that reused its id.
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, id, 0));
    if (pidfd < 0) {
        if (errno != ENOSYS)
            return 0;
        if (!isOwnRunningProcess(id))
            return 0;
        return ::kill(id, SIGKILL) == 0 ? 1 : 0;
    }
    std::int32_t result = 0;
    if (isOwnRunningProcess(id) && ::syscall(SYS_pidfd_send_signal, pidfd, SIGKILL, nullptr, 0) == 0)
        result = 1;
    ::close(pidfd);
    return result;
}

QString playerExecutableName()
{
    return u"drillplay"_s;
}

void stopRunningPlayer()
{
    const std::int32_t id = findProcessId(playerExecutableName()).toInt();
    if (id != 0)
        killProcessById(id);
}

void stopLeftoverPlayers(const QString& programFolder)
{
    // The kernel names executables by their real path.
    const QString player = QFileInfo(programFolder + u'/' + playerExecutableName()).canonicalFilePath();
    if (player.isEmpty())
        return;
    // The link is read first: it is cheaper than the status, and unreadable for other users' processes.
    for (const qint64 pid : processIds()) {
        if (executablePath(pid) == player && isOwnRunningProcess(pid))
            killProcessById(static_cast<std::int32_t>(pid));
    }
}

} // namespace pptdrill
