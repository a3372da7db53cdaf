// One question of a real paper through the real processes: the bar starts
// drillplay, the demonstration completes the question, drillbridge records
// it, and the results count it.
#include "db/database.h"
#include "db/statements.h"
#include "paper/paperbuilder.h"
#include "platform/programfolder.h"
#include "platform/windowregistry.h"
#include "player/playerprocesses.h"
#include "shell/programend.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/formtimer.h"
#include "shell/widgets/trainer.h"
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

// The paper row of question 1, read through a fresh connection as the bar would.
std::pair<int, double> firstRowOutcome(const QString& db)
{
    auto conn = Connection::open(db, databasePassword());
    if (!conn)
        return {-1, -1};
    auto rs = Recordset::open(conn.value(), sql::SelectPaper);
    if (!rs || rs->recordCount() < 1)
        return {-1, -1};
    return {rs->field(u"是否已做"_s)->toInt(), rs->field(u"得分"_s)->toDouble()};
}

// The real player processes; once the test knows its player, a stop ends
// that process alone.
class PlayerStoppedByPid : public PlayerProcesses
{
public:
    void stopRunningPlayer() override
    {
        if (pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        else
            PlayerProcesses::stopRunningPlayer();
    }
    qint64 pid = 0;
};

} // namespace

TEST(WholeFlow, TheDemonstrationCompletesAQuestionThatTheResultsCount)
{
    PrivateRuntimeFolder runtime;
    TempProgramFolder folder;
    for (const QString& name : {u"drillplay"_s, u"drillbridge"_s, u"completed.swf"_s})
        ASSERT_TRUE(QFile::copy(buildProgramFolder() + u'/' + name, folder.file(name))) << name.toStdString();
    QFile movieFile(sourceFolder() + u"/tests/data/movies/sample.movie"_s);
    ASSERT_TRUE(movieFile.open(QIODevice::ReadOnly));
    const QByteArray movie = movieFile.readAll();
    {
        auto conn = createTestDatabase(folder.file(u"stdata.db"_s));
        addBankRow(*conn, u"第1套题"_s, 1, 0, movie);
        addBankRow(*conn, u"第1套题"_s, 2, 0, movie);
        conn->close();
    }
    setProgramFolderForTesting(folder.path());
    FormTimer::setManual(true);
    int endedWith = -1;
    setProgramEndHandler([&](int code) { endedWith = code; });

    BuildProgress progress{[](int, int) {}, [](int) {}, [] {}};
    auto built = buildSetPaper(u"第1套题"_s, folder.path(), progress);
    ASSERT_TRUE(built.ok()) << built.error().toStdString();
    ASSERT_EQ(built.value(), BuildOutcome::Built);
    ASSERT_TRUE(QFile::exists(movieFilePathOf(1)));

    PlayerStoppedByPid processes;
    Trainer trainer;
    trainer.setPlayerProcesses(&processes);
    ASSERT_FALSE(trainer.session().candidate.examMode);
    trainer.showQuestionBar();
    QuestionBar* bar = trainer.questionBar().loaded();
    ASSERT_NE(bar, nullptr);

    // The real player comes up and registers its window.
    RegisteredWindow player;
    QTRY_VERIFY_WITH_TIMEOUT(!(player = windowregistry::findLast(u"试题播放"_s)).isNull(), 20000);
    const QString command = trainer.session().playerCommand;
    EXPECT_TRUE(command.endsWith(u"&1"_s)) << command.toStdString();

    PushButton* demo = bar->demonstrationButton();
    ASSERT_NE(demo, nullptr);
    ASSERT_TRUE(demo->isEnabled());
    QTest::mouseClick(demo, Qt::LeftButton);

    // The demonstration plays at a learner's pace, then drillbridge records the question.
    const QString db = folder.file(u"stdata.db"_s);
    QTRY_VERIFY_WITH_TIMEOUT(firstRowOutcome(db).first == 1, 60000);
    EXPECT_EQ(firstRowOutcome(db).second, 2.5);

    trainer.showResults();
    ResultsWindow* results = trainer.resultsWindow().loaded();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->scoreLabel()->caption().contains(u" 2.5"_s))
        << results->scoreLabel()->caption().toStdString();
    EXPECT_EQ(results->cell(1)->backColor(), 65280);
    EXPECT_EQ(results->cell(2)->backColor(), 255);

    // Leave as a learner would: a new practice stops the player and removes the movies.
    processes.pid = player.pid;
    PushButton* again = results->newPracticeButton();
    ASSERT_NE(again, nullptr);
    QTest::mouseClick(again, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(movieFilePathOf(1)));
    QTRY_VERIFY_WITH_TIMEOUT(windowregistry::findLast(u"试题播放"_s).isNull(), 10000);
    EXPECT_EQ(endedWith, -1);

    trainer.discardWindows();
    setProgramEndHandler({});
    FormTimer::setManual(false);
    setProgramFolderForTesting(QString());
}
