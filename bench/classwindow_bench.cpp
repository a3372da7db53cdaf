// The teacher's window over a class of 100 learners with 200 attempts each
// (800,000 answers) on a real PostgreSQL server: from its construction to the
// roster and the first learner's attempts painted, and the class's weak
// points summed when their tab is opened. Medians of several runs; prints
// figures, asserts nothing.
//
//   bench_classwindow [runs]
// Runs offscreen unless a display is set.
#include "classroom/classreport.h"
#include "classroom/widgets/classwindow.h"
#include "median.h"
#include "tests/support/postgresserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    if (!test::PostgresServer::available()) {
        std::puts("no PostgreSQL server programs: nothing measured");
        return 0;
    }
    test::PostgresServer server;
    if (!server.started() || !server.initClass()) {
        std::printf("the server did not start: %s\n", qPrintable(server.failure()));
        return 1;
    }
    QElapsedTimer filling;
    filling.start();
    if (!server.fillClass(100, 200)) {
        std::printf("could not fill the class: %s\n", qPrintable(server.failure()));
        return 1;
    }
    std::printf("class of 100 learners x 200 attempts x 40 questions filled in %lld ms\n",
                static_cast<long long>(filling.elapsed()));

    // Where an open's time goes: the login, the roster, the first learner's attempts.
    std::vector<double> logins, rosters, learners;
    for (int run = 0; run < runs; ++run) {
        const ClassroomConfig c = server.config();
        QElapsedTimer clock;
        clock.start();
        auto connection = ServerConnection::connect(
            {c.host, c.port, c.database, c.teacherUser, c.teacherPassword, c.sslMode});
        logins.push_back(clock.nsecsElapsed() / 1e6);
        if (!connection)
            return 1;
        clock.restart();
        auto roster = readClassRoster(*connection.value(), c.className);
        rosters.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        if (roster && !roster->empty())
            readLearnerAttempts(*connection.value(), c.className, roster->front().identityNumber);
        learners.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("of which: login %.1f ms, roster %.1f ms, a learner's attempts %.1f ms (medians)\n",
                median(logins), median(rosters), median(learners));

    std::vector<double> opens;
    std::vector<double> points;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        ClassWindow window(server.config());
        if (!window.load()) {
            std::printf("the window did not load: %s\n", qPrintable(window.summary()->text()));
            return 1;
        }
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
        opens.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        window.tabs()->setCurrentIndex(1);
        while (window.points()->rowCount() == 0 && window.pointsLoading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        QCoreApplication::processEvents();
        window.repaint();
        points.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("teacher's window open (roster + first learner, painted): median %.1f ms over %d runs "
                "(asked: <= 300 ms)\n",
                median(opens), runs);
    std::printf("weak points tab, summed on its own thread (800,000 answers): median %.1f ms over %d runs\n",
                median(points), runs);
    return 0;
}
