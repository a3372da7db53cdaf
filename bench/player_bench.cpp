// drillplay from process start to the first painted movie frame, and its peak
// memory. Run under a display (xvfb-run); prints medians, asserts nothing.
//   bench_player <drillplay> <movie file> [runs]
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_player <drillplay> <movie> [runs]\n");
        return 2;
    }
    const QString player = QString::fromLocal8Bit(argv[1]);
    const QString movie = QString::fromLocal8Bit(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 11;

    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir(runtime.path()).mkdir(QStringLiteral("pczcksw"));
    QFile::copy(movie, runtime.path() + QStringLiteral("/pczcksw/1.w"));

    std::vector<double> times;
    std::vector<double> peaks;
    for (int run = 0; run < runs; ++run) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("PPTDRILL_TRACE_FIRST_FRAME"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        const qint64 start = QDateTime::currentMSecsSinceEpoch();
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.setReadChannel(QProcess::StandardError);
        p.start(player, {QStringLiteral("1&1")});
        QByteArray err;
        while (!err.contains("first-frame") && p.waitForReadyRead(10000))
            err += p.readAllStandardError();
        const qsizetype at = err.indexOf("first-frame ");
        if (at < 0) {
            std::fprintf(stderr, "no frame painted: %s\n", err.constData());
            return 1;
        }
        const qint64 painted = err.mid(at + 12).split('\n').first().toLongLong();
        times.push_back(static_cast<double>(painted - start));
        QThread::msleep(300);
        peaks.push_back(peakKb(p.processId()) / 1024.0);
        p.kill();
        p.waitForFinished();
    }
    std::printf("drillplay start to first painted frame: median %.0f ms, min %.0f, max %.0f (%d runs)\n",
                median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), runs);
    std::printf("drillplay peak memory (VmHWM): median %.1f MB, max %.1f MB\n", median(peaks),
                *std::max_element(peaks.begin(), peaks.end()));
    return 0;
}
