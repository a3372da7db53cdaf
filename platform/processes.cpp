#include "platform/processes.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
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

// A small file of /proc read whole, without the file layer: every process of
// the system is asked, and a player is looked for at every move to a question.
QByteArray readProcFile(qint64 pid, const char* entry)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%lld/%s", static_cast<long long>(pid), entry);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray content;
    char buffer[2048];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0)
            content.append(buffer, n);
    }
    ::close(fd);
    return content;
}

// The real uid and the state of a process, from /proc/<pid>/status; nothing
// when the process does not exist (any more).
std::optional<ProcessStatus> readStatus(qint64 pid)
{
    const QByteArray text = readProcFile(pid, "status");
    ProcessStatus status;
    bool haveUid = false;
    for (const QByteArray& line : text.split('\n')) {
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
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%lld/exe", static_cast<long long>(pid));
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path, target, sizeof target - 1);
    if (n <= 0)
        return {};
    QByteArray link(target, n);
    // An executable replaced or removed since it was started.
    if (link.endsWith(" (deleted)"))
        link.chop(10);
    return QFile::decodeName(link);
}

// The file name of the process's executable; the kernel's short command name
// (at most 15 characters) when the executable link cannot be read.
QString executableFileName(qint64 pid)
{
    const QString target = executablePath(pid);
    if (!target.isEmpty())
        return QFileInfo(target).fileName();
    QByteArray name = readProcFile(pid, "comm");
    if (name.endsWith('\n'))
        name.chop(1);
    return QFile::decodeName(name);
}

std::vector<qint64> processIds()
{
    std::vector<qint64> pids;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return pids;
    while (const dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const long long pid = std::strtoll(entry->d_name, &end, 10);
        if (end != entry->d_name && *end == '\0' && pid > 0)
            pids.push_back(pid);
    }
    ::closedir(proc);
    std::sort(pids.begin(), pids.end());
    return pids;
}

} // namespace

QString findProcessId(const QString& wanted)
{
    QString result;
    // The name is asked first: it is cheaper than the status.
    for (const qint64 pid : processIds()) {
        // The first N characters equal `wanted`; a shorter name never matches.
        if (executableFileName(pid).startsWith(wanted, Qt::CaseSensitive) && isOwnRunningProcess(pid))
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
