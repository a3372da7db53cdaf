// The practice history: opening the history window over 1,000 and 10,000
// attempts until it is painted, the memory it takes over a history holding a
// set name of 50 MB, and what writing the history adds to a hand-in (scoring a
// 40-question paper with and without it). Medians of several runs; prints
// figures, asserts nothing.
//
//   bench_history [runs]
// Runs offscreen unless a display is set.
#include "bank/banksource.h"
#include "db/database.h"
#include "db/schema.h"
#include "median.h"
#include "paper/examsession.h"
#include "paper/practicehistory.h"
#include "paper/results.h"
#include "paper/widgets/historywindow.h"
#include "platform/programfolder.h"
#include "shell/widgets/trainer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// Notes the first paint of the watched window.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

bool generate(const QString& programFolder, int attempts)
{
    auto created = Connection::create(databasePathInFolder(programFolder), databasePassword());
    if (!created || !createSchema(*created.value()))
        return false;
    Connection& conn = *created.value();
    conn.executeScript(u"BEGIN"_s);
    for (int n = 1; n <= 40; ++n) {
        conn.run(u"INSERT INTO stk (ID, 课程名, 套题类, 套题子类, 题型, 题干) VALUES (?, 'PowerPoint模块', "
                 u"'第1套题', ?, "
                 u"'5', '00')"_s,
                 {n, n});
        conn.run(u"INSERT INTO 试题考点 (ID, 考点) VALUES (?, ?)"_s, {n, bankTopics()[n % 9]});
        conn.run(
            u"INSERT INTO st (大题类, 题号, 分值, stkid, 是否已做, 得分) VALUES ('第1套题', ?, 2.5, ?, ?, ?)"_s,
            {n, n, n % 4 ? 1 : 0, n % 4 ? 2.5 : 0.0});
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < attempts; ++i) {
        std::vector<AttemptQuestion> questions;
        for (int n = 1; n <= 40; ++n)
            questions.push_back({n, n, bankTopics()[n % 9], (n + i) % 5 != 0, n == 3, false});
        const QString set = i % 3 ? u"第%1套题"_s.arg(i % 12 + 1) : u"随机练习"_s;
        if (!writeAttempt(conn,
                          Attempt{0, set, now.addSecs(3600 * (i - attempts) - 1800),
                                  now.addSecs(3600 * (i - attempts)), 75, 40, 30, false},
                          questions))
            return false;
    }
    return conn.executeScript(u"COMMIT"_s).ok();
}

// Opens the history window `runs` times until it is painted: the median in
// milliseconds, and the first open (which also loads fonts and styles).
bool timeHistoryWindow(int runs, double& median_, double& first)
{
    std::vector<double> open;
    Trainer trainer;
    for (int r = 0; r < runs + 1; ++r) {
        QElapsedTimer timer;
        timer.start();
        trainer.showHistory();
        HistoryWindow* history = trainer.historyWindow().loaded();
        if (!history)
            return false;
        // Painted as the window system asks for it, once it is on screen.
        PaintWatch watch;
        history->installEventFilter(&watch);
        QElapsedTimer limit;
        limit.start();
        while (!watch.painted && limit.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        history->removeEventFilter(&watch);
        const double ms = timer.nsecsElapsed() / 1e6;
        if (r == 0)
            first = ms;
        else
            open.push_back(ms);
        trainer.historyWindow().unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    median_ = median(open);
    return true;
}

// The most memory the process has held since the last reset, in MB.
long peakMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong() / 1024;
    }
    return -1;
}

void resetPeakMemory()
{
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    for (int attempts : {1000, 10000}) {
        QTemporaryDir folder;
        if (!generate(folder.path(), attempts)) {
            std::fprintf(stderr, "bench_history: could not generate the database\n");
            return 1;
        }
        setProgramFolderForTesting(folder.path());
        double opened = 0, first = 0;
        if (!timeHistoryWindow(attempts > 1000 ? std::max(1, runs / 3) : runs, opened, first))
            return 1;
        std::printf("history window, %d attempts, opened and painted: %.1f ms (first open %.1f ms)\n",
                    attempts, opened, first);
    }
    {
        // A set name of 50 MB among ten attempts: the memory the window takes.
        QTemporaryDir folder;
        if (!generate(folder.path(), 10)) {
            std::fprintf(stderr, "bench_history: could not generate the database\n");
            return 1;
        }
        setProgramFolderForTesting(folder.path());
        if (auto conn = openDatabase();
            !conn || !conn.value()->run(u"UPDATE 练习记录 SET setname = "
                                        u"replace(hex(zeroblob(26214400)), '0', 'x') "
                                        u"WHERE 记录ID = 1"_s)) {
            std::fprintf(stderr, "bench_history: could not write the long set name\n");
            return 1;
        }
        double opened = 0, first = 0;
        resetPeakMemory();
        const long before = peakMegabytes();
        if (!timeHistoryWindow(1, opened, first))
            return 1;
        std::printf("history window over a 50 MB set name: peak memory %ld MB, %ld MB before opening; "
                    "opened in %.1f ms\n",
                    peakMegabytes(), before, first);
    }

    QTemporaryDir folder;
    if (!generate(folder.path(), 1000)) {
        std::fprintf(stderr, "bench_history: could not generate the database\n");
        return 1;
    }
    setProgramFolderForTesting(folder.path());

    // A hand-in: scoring alone, then scoring with the history row.
    std::vector<double> plain, withHistory;
    ExamSession session;
    session.choice = practiceChoiceNamed(u"第1套题"_s);
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        if (!scorePaper())
            return 1;
        plain.push_back(timer.nsecsElapsed() / 1e6);
        session.startPaper(40);
        timer.restart();
        if (!scorePaper(&session))
            return 1;
        withHistory.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("hand-in of 40 questions: %.2f ms without the history, %.2f ms with it: %.2f ms more\n",
                median(plain), median(withHistory), median(withHistory) - median(plain));
    setProgramFolderForTesting(QString());
    return 0;
}
