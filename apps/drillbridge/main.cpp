// drillbridge: records a completed question in the paper table. The player
// starts it with the paper row's stid and waits for it: exit code 0 means
// recorded; on a failure the exit code is 1 and standard error carries the
// reason, in Chinese, which the player shows to the learner.
#include "common/programinfo.h"
#include "player/resultbridge.h"

#include <QString>
#include <QStringList>
#include <csignal>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    if (const auto answered = pptdrill::answerInformationOption(
            argc, argv, "drillbridge",
            u"用法：drillbridge <stid>\n把试卷中的一道题记为已完成；由 drillplay 在题目完成时启动。\n"_s))
        return *answered;
    // The player may be gone before the report is written (the main program
    // stops it when the learner moves on); the report is then lost, not the bridge.
    std::signal(SIGPIPE, SIG_IGN);
    QStringList parts;
    for (int i = 1; i < argc; ++i)
        parts << QString::fromLocal8Bit(argv[i]);
    const pptdrill::Status s = pptdrill::recordCompletedQuestion(parts.join(QLatin1Char(' ')));
    if (!s) {
        const QByteArray report = pptdrill::bridgeFailureReport(s.error());
        std::fwrite(report.constData(), 1, static_cast<size_t>(report.size()), stderr);
        std::fflush(stderr);
        return 1;
    }
    return 0;
}
