// One question of a real paper through the real processes: the bar starts
// drillplay, the demonstration completes the question, drillbridge records
// it, and the results count it.
#include "bar/stbar.h"
#include "db/database.h"
#include "db/statements.h"
#include "paper/handin.h"
#include "paper/paperbuilder.h"
#include "paper/resultsform.h"
#include "platform/programfolder.h"
#include "platform/windowregistry.h"
#include "shell/widgets/controls.h"
#include "shell/examflow.h"
#include "shell/widgets/formtimer.h"
#include "shell/programend.h"
#include "shell/programstate.h"
#include "shell/questionbar.h"
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

    installQuestionBar();
    installHandIn();
    exammode = false;
    showQuestionBar();
    StbarForm* bar = stbarForm.loaded();
    ASSERT_NE(bar, nullptr);

    // The real player comes up and registers its window.
    RegisteredWindow player;
    QTRY_VERIFY_WITH_TIMEOUT(!(player = windowregistry::findLast(u"试题播放"_s)).isNull(), 20000);
    EXPECT_TRUE(playercmd.endsWith(u"&1"_s)) << playercmd.toStdString();

    auto* demo = bar->findChild<PushButton*>(u"PushButton6"_s);
    ASSERT_NE(demo, nullptr);
    ASSERT_TRUE(demo->isEnabled());
    QTest::mouseClick(demo, Qt::LeftButton);

    // The demonstration plays at a learner's pace, then drillbridge records the question.
    const QString db = folder.file(u"stdata.db"_s);
    QTRY_VERIFY_WITH_TIMEOUT(firstRowOutcome(db).first == 1, 60000);
    EXPECT_EQ(firstRowOutcome(db).second, 2.5);

    examflow::showResults();
    JjjsForm* results = jjjsForm.loaded();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->yfdflb()->caption().contains(u" 2.5"_s))
        << results->yfdflb()->caption().toStdString();
    EXPECT_EQ(results->cell(1)->backColor(), 65280);
    EXPECT_EQ(results->cell(2)->backColor(), 255);

    // Leave as a learner would: a new practice stops the player and removes the movies.
    setPlayerStopper([pid = player.pid] { ::kill(static_cast<pid_t>(pid), SIGKILL); });
    auto* again = results->findChild<PushButton*>(u"PushButton1"_s);
    ASSERT_NE(again, nullptr);
    QTest::mouseClick(again, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(movieFilePathOf(1)));
    QTRY_VERIFY_WITH_TIMEOUT(windowregistry::findLast(u"试题播放"_s).isNull(), 10000);
    EXPECT_EQ(endedWith, -1);

    setPlayerStopper({});
    setProgramEndHandler({});
    FormTimer::setManual(false);
    setProgramFolderForTesting(QString());
}
