// drillplay: plays one question movie. Its command line is the paper row's
// stid and the paper position joined by "&", for example 57&3; "--review 57&3"
// plays it for a look back from the results, recording nothing.
#include "common/programinfo.h"
#include "common/widgets/fonts.h"
#include "movie/kit/kitcatalog.h"
#include "platform/programfolder.h"
#include "platform/widgets/qtmessageboxes.h"
#include "player/readahead.h"
#include "player/widgets/playerwindow.h"

#include <QApplication>
#include <QString>
#include <QStringList>
#include <future>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    if (const auto answered = pptdrill::answerInformationOption(
            argc, argv, "drillplay",
            u"用法：drillplay <stid>&<题号>\n"
            u"播放一道试题，例如 drillplay \"57&3\"；由 pptdrill 的题目栏启动。\n"
            u"drillplay --review <stid>&<题号> 只回顾一道试题，不记录完成情况。\n"_s))
        return *answered;
    QStringList parts;
    for (int i = 1; i < argc; ++i)
        parts << QString::fromLocal8Bit(argv[i]);
    const QString commandLine = parts.join(QLatin1Char(' '));
    if (commandLine.isEmpty())
        return 0;

    const pptdrill::PlayerCommandLine cmd = pptdrill::splitPlayerCommandLine(commandLine);
    // The kit and the movie are read while the toolkit connects to the display.
    std::future<pptdrill::Result<pptdrill::Movie>> movieRead =
        pptdrill::readAhead([path = pptdrill::movieFilePath(cmd.movieno)] {
            pptdrill::KitCatalog::instance();
            return pptdrill::loadMovieFile(path);
        });

    QApplication app(argc, argv);
    pptdrill::setUpWindowProgram(app);
    pptdrill::useSlideSongFace(pptdrill::programFolder() + u"/slidesong.ttf"_s);
    pptdrill::PlayerWindow form(cmd.questionid, cmd.movieno, std::move(movieRead));
    form.setReview(cmd.review);
    if (cmd.review)
        form.setReviewStem(qEnvironmentVariable(pptdrill::kReviewStemVariable));
    form.setExamMode(qEnvironmentVariableIntValue(pptdrill::kExamModeVariable) == 1);
    form.closeWhenTrainerEnds(qEnvironmentVariableIntValue(pptdrill::kTrainerPidVariable));
    form.exec();
    return 0;
}
