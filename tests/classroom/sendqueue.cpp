// Delivers a learner's queue until it is empty, as the trainer's sender does;
// the tests kill it at random moments. Arguments: database host port user password.
#include "classroom/classroomsender.h"

#include <QCoreApplication>
#include <QThread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6)
        return 2;
    const pptdrill::ServerLogin login{args[2], args[3].toInt(), QStringLiteral("pptdrill"),
                                      args[4], args[5],         QStringLiteral("disable")};
    std::unique_ptr<pptdrill::ServerConnection> server;
    while (true) {
        const pptdrill::DeliveryRound round = pptdrill::deliverQueue(args[1], login, server, nullptr);
        if (round.pending == 0)
            return 0;
        if (round.pending < 0)
            return 3;
        QThread::msleep(50);
    }
}
