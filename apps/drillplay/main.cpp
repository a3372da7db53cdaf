// drillplay: plays one question movie. Its command line is the paper row's
// stid and the paper position joined by "&", for example 57&3; "--review 57&3"
// plays it for a look back from the results, recording nothing.
#include "platform/widgets/qtmessageboxes.h"
#include "player/widgets/playerwindow.h"

#include <QApplication>
#include <QString>
#include <QStringList>

int main(int argc, char** argv)
{
    QStringList parts;
    for (int i = 1; i < argc; ++i)
        parts << QString::fromLocal8Bit(argv[i]);
    const QString commandLine = parts.join(QLatin1Char(' '));
    if (commandLine.isEmpty())
        return 0;

    QApplication app(argc, argv);
    pptdrill::setUpWindowProgram(app);
    const pptdrill::PlayerCommandLine cmd = pptdrill::splitPlayerCommandLine(commandLine);
    pptdrill::PlayerWindow form(cmd.questionid, cmd.movieno);
    form.setReview(cmd.review);
    form.setExamMode(qEnvironmentVariableIntValue(pptdrill::kExamModeVariable) == 1);
    form.closeWhenTrainerEnds(qEnvironmentVariableIntValue(pptdrill::kTrainerPidVariable));
    form.exec();
    return 0;
}
