// A program from process start to its first painted frame, and its peak
// memory, beside a bare Qt window (bench_barewindow) started in turn with it in
// the same run, so that the ratio holds on any machine. Run under a display
// (xvfb-run); prints medians, asserts nothing.
//   bench_firstframe [--movie FILE] [--installed] [--runs N] [--no-bare] PROGRAM [ARGS...]
// --movie stages FILE as the movie of paper position 1 in a private runtime
// folder (for drillplay "1&1"). --installed runs a copy of the program's folder
// made read-only, as an installed one is, with a new empty data folder every run:
// each start first makes the learner's copy of the bank.
#include "median.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

long peakKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

struct StartFigures
{
    double firstFrameMs = 0;
    double peakMb = 0;
};

// One start of the program: from the start to its first painted frame, and its peak memory.
std::optional<StartFigures> timeOneStart(const QString& program, const QStringList& arguments,
                                         const QString& runtime, bool installed)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("PPTDRILL_TRACE_FIRST_FRAME"), QStringLiteral("1"));
    QTemporaryDir dataHome;
    if (installed)
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    p.setProcessEnvironment(env);
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.setReadChannel(QProcess::StandardError);
    p.start(program, arguments);
    QByteArray err;
    while (!err.contains("first-frame") && p.waitForReadyRead(10000))
        err += p.readAllStandardError();
    const qsizetype mark = err.indexOf("first-frame ");
    if (mark < 0) {
        std::fprintf(stderr, "no frame painted: %s\n", err.constData());
        return std::nullopt;
    }
    const qint64 painted = err.mid(mark + 12).split('\n').first().toLongLong();
    const double firstFrameMs = static_cast<double>(painted - start);
    QThread::msleep(300);
    const double peakMb = peakKb(p.processId()) / 1024.0;
    p.kill();
    p.waitForFinished();
    // A program killed, not ended, leaves its locks behind; the next start
    // would take them over as a start after a crash does, slower than a learner's.
    for (const QString& lock : {runtime + QStringLiteral("/pptdrill.lock"),
                                QFileInfo(program).absolutePath() + QStringLiteral("/stdata.db.lock")})
        QFile::remove(lock);
    return StartFigures{firstFrameMs, peakMb};
}

void printFigures(const QString& name, const std::vector<double>& times, const std::vector<double>& peaks,
                  int runs)
{
    std::printf("%s start to first painted frame: median %.0f ms, min %.0f, max %.0f (%d runs)\n",
                qPrintable(name), median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), runs);
    std::printf("%s peak memory (VmHWM): median %.1f MB, max %.1f MB\n", qPrintable(name), median(peaks),
                *std::max_element(peaks.begin(), peaks.end()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString movie;
    bool installed = false;
    bool withBare = true;
    int runs = 11;
    int at = 1;
    for (; at < argc; ++at) {
        const QByteArray arg = argv[at];
        if (arg == "--movie" && at + 1 < argc)
            movie = QString::fromLocal8Bit(argv[++at]);
        else if (arg == "--installed")
            installed = true;
        else if (arg == "--no-bare")
            withBare = false;
        else if (arg == "--runs" && at + 1 < argc)
            runs = std::atoi(argv[++at]);
        else
            break;
    }
    if (at >= argc) {
        std::fprintf(stderr, "usage: bench_firstframe [--movie FILE] [--installed] [--runs N] [--no-bare] "
                             "PROGRAM [ARGS...]\n");
        return 2;
    }
    QString program = QString::fromLocal8Bit(argv[at]);
    QTemporaryDir installedFolder;
    if (installed) {
        const QDir from = QFileInfo(program).absoluteDir();
        for (const char* file : {"pptdrill", "drillplay", "drillbridge", "stdata.db", "completed.swf"})
            QFile::copy(from.filePath(QString::fromLatin1(file)),
                        installedFolder.filePath(QString::fromLatin1(file)));
        program = installedFolder.filePath(QFileInfo(program).fileName());
        QFile::setPermissions(installedFolder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    QStringList arguments;
    for (int i = at + 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir(runtime.path()).mkdir(QStringLiteral("pczcksw"));
    if (!movie.isEmpty())
        QFile::copy(movie, runtime.path() + QStringLiteral("/pczcksw/1.w"));

    const QString name = QFileInfo(program).fileName();
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_barewindow");
    const bool besideBare = withBare && QFileInfo(bare).isExecutable();
    std::vector<double> times;
    std::vector<double> peaks;
    std::vector<double> bareTimes;
    std::vector<double> barePeaks;
    for (int run = 0; run < runs; ++run) {
        if (besideBare) {
            const std::optional<StartFigures> figures = timeOneStart(bare, {}, runtime.path(), false);
            if (!figures)
                return 1;
            bareTimes.push_back(figures->firstFrameMs);
            barePeaks.push_back(figures->peakMb);
        }
        const std::optional<StartFigures> figures =
            timeOneStart(program, arguments, runtime.path(), installed);
        if (!figures) {
            QFile::setPermissions(installedFolder.path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            return 1;
        }
        times.push_back(figures->firstFrameMs);
        peaks.push_back(figures->peakMb);
    }
    if (installed)
        QFile::setPermissions(installedFolder.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (besideBare)
        printFigures("bare Qt window", bareTimes, barePeaks, runs);
    printFigures(name + (installed ? QStringLiteral(" (installed, first start: the learner's database made)")
                                   : QString()),
                 times, peaks, runs);
    if (besideBare)
        std::printf("%s beside the bare window: %.2fx its start, %+.1f MB its peak memory\n",
                    qPrintable(name), median(times) / median(bareTimes), median(peaks) - median(barePeaks));
    return 0;
}
