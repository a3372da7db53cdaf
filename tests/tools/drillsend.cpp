// Sends one command word to the running player over the window text channel,
// as the question bar's buttons do. For process tests and screenshots.
#include "player/channel.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drillsend WORD\n");
        return 2;
    }
    const auto sent = pptdrill::sendPlayerCommand(QString::fromLocal8Bit(argv[1]));
    if (!sent) {
        std::fprintf(stderr, "drillsend: %s\n", sent.error().toUtf8().constData());
        return 1;
    }
    return sent.value() == pptdrill::PlayerCommandSent::Handled ? 0 : 3;
}
