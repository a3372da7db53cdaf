// A second process for the channel tests.
//   channel_peer receive <title> <log file> <handler delay ms>
//     registers a receiver, prints "registered <sequence>", and appends every
//     received text (one line each) to the log file, after the delay.
//   channel_peer register <count>
//     registers <count> windows as fast as it can and prints their sequences.
#include "player/channel.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QThread>
#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == u"receive"_s) {
        const QString logPath = args[3];
        const int delayMs = args[4].toInt();
        CopyDataReceiver receiver;
        QObject::connect(&receiver, &CopyDataReceiver::copyDataReceived, [&](const QString& text) {
            QThread::msleep(delayMs);
            QFile log(logPath);
            if (log.open(QIODevice::Append))
                log.write(text.toUtf8() + '\n');
        });
        if (Status s = receiver.start(args[2]); !s) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(s.error()));
            return 2;
        }
        std::printf("registered %llu\n", static_cast<unsigned long long>(receiver.window().sequence));
        std::fflush(stdout);
        return app.exec();
    }
    if (args.size() == 3 && args[1] == u"register"_s) {
        QLocalServer server;
        if (!server.listen(*windowregistry::newSocketPath()))
            return 2;
        std::vector<std::unique_ptr<WindowRegistration>> held;
        for (int i = 0; i < args[2].toInt(); ++i) {
            auto r = WindowRegistration::create(u"peer"_s, server.fullServerName());
            if (!r)
                return 3;
            std::printf("%llu\n", static_cast<unsigned long long>(r.value()->window().sequence));
            held.push_back(std::move(r.value()));
        }
        return 0;
    }
    return 1;
}
