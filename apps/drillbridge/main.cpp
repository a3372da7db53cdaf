// drillbridge: records a completed question in the paper table. The player
// starts it with the paper row's stid; it has no window and nobody reads its
// exit code, so failures only go to standard error.
#include "player/resultbridge.h"

#include <QString>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QStringList parts;
    for (int i = 1; i < argc; ++i)
        parts << QString::fromLocal8Bit(argv[i]);
    const pptdrill::Status s = pptdrill::RecordCompletedQuestion(parts.join(QLatin1Char(' ')));
    if (!s) {
        std::fprintf(stderr, "drillbridge: %s\n", s.error().toUtf8().constData());
        return 1;
    }
    return 0;
}
