// The practice history: opening the history window over 1,000 attempts until
// it is painted, and what writing the history adds to a hand-in (scoring a
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
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

constexpr int kAttempts = 1000;

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

bool generate(const QString& programFolder)
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
    for (int i = 0; i < kAttempts; ++i) {
        std::vector<AttemptQuestion> questions;
        for (int n = 1; n <= 40; ++n)
            questions.push_back({n, n, bankTopics()[n % 9], (n + i) % 5 != 0, n == 3, false});
        const QString set = i % 3 ? u"第%1套题"_s.arg(i % 12 + 1) : u"随机练习"_s;
        if (!writeAttempt(conn,
                          Attempt{0, set, now.addDays(i - kAttempts).addSecs(-1800),
                                  now.addDays(i - kAttempts), 75, 40, 30, false},
                          questions))
            return false;
    }
    return conn.executeScript(u"COMMIT"_s).ok();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTemporaryDir folder;
    if (!generate(folder.path())) {
        std::fprintf(stderr, "bench_history: could not generate the database\n");
        return 1;
    }
    setProgramFolderForTesting(folder.path());

    // The history window: read, laid out, shown and painted.
    std::vector<double> open;
    double first = 0;
    {
        Trainer trainer;
        for (int r = 0; r < runs + 1; ++r) {
            QElapsedTimer timer;
            timer.start();
            trainer.showHistory();
            HistoryWindow* history = trainer.historyWindow().loaded();
            if (!history)
                return 1;
            // Painted as the window system asks for it, once it is on screen.
            PaintWatch watch;
            history->installEventFilter(&watch);
            QElapsedTimer limit;
            limit.start();
            while (!watch.painted && limit.elapsed() < 2000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            history->removeEventFilter(&watch);
            const double ms = timer.nsecsElapsed() / 1e6;
            if (r == 0) // the first run also loads fonts and styles
                first = ms;
            else
                open.push_back(ms);
            trainer.historyWindow().unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // A hand-in: scoring alone, then scoring with the history row.
    std::vector<double> plain, withHistory;
    ExamSession session;
    session.choice = {u"第1套题"_s, false};
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
    std::printf("history window, %d attempts, opened and painted: %.1f ms (first open %.1f ms)\n", kAttempts,
                median(open), first);
    std::printf("hand-in of 40 questions: %.2f ms without the history, %.2f ms with it: %.2f ms more\n",
                median(plain), median(withHistory), median(withHistory) - median(plain));
    setProgramFolderForTesting(QString());
    return 0;
}
