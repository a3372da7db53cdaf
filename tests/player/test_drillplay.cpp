// The real drillplay program, started as the main program starts it.
#include "player/channel.h"
#include "tests/channel/printers.h"
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

int runWithoutWindowSystem(const QStringList& args)
{
    QProcess p;
    // No platform plugin of that name exists: a window would end the program with an error.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"no-such-platform"_s);
    p.setProcessEnvironment(env);
    p.start(QString::fromUtf8(DRILLPLAY_EXE), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

TEST(DrillplayProgram, AnEmptyCommandLineEndsAtOnceWithoutAWindow)
{
    EXPECT_EQ(runWithoutWindowSystem({}), 0);
    EXPECT_EQ(runWithoutWindowSystem({QString()}), 0);
}

TEST(DrillplayProgram, ACompletedDemonstrationIsRecordedThroughTheBridge)
{
    const QString sample = sourceFolder() + u"/tests/data/movies/sample.movie"_s;
    if (!QFile::exists(sample))
        GTEST_SKIP() << "no sample movie at " << sample.toStdString();

    PrivateRuntimeFolder runtime;
    TempProgramFolder folder;
    for (const QString& program : {u"drillplay"_s, u"drillbridge"_s})
        ASSERT_TRUE(QFile::copy(buildProgramFolder() + u'/' + program, folder.file(program)));
    auto conn = createTestDatabase(folder.file(u"stdata.db"_s));
    ASSERT_TRUE(conn);
    const qint64 other = addPaperRow(conn, 1);
    const qint64 stid = addPaperRow(conn, 2);
    conn->close();

    const QString movies = runtime.path() + u"/pczcksw"_s;
    ASSERT_TRUE(QDir().mkpath(movies));
    ASSERT_TRUE(QFile::copy(sample, movies + u"/2.w"_s));
    ASSERT_TRUE(QFile::copy(buildProgramFolder() + u"/completed.swf"_s, movies + u"/completed.swf"_s));

    QProcess player;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    player.setProcessEnvironment(env);
    player.setProcessChannelMode(QProcess::ForwardedChannels);
    player.start(folder.file(u"drillplay"_s), {u"%1&2"_s.arg(stid)});
    ASSERT_TRUE(player.waitForStarted(30000));

    QDeadlineTimer deadline(60000);
    while (windowregistry::findLast(u"试题播放"_s).pid != player.processId() && !deadline.hasExpired())
        QThread::msleep(50);
    ASSERT_EQ(windowregistry::findLast(u"试题播放"_s).pid, player.processId())
        << "the player never registered";

    auto sent = sendPlayerCommand(u"SH_YanShi"_s, {}, std::chrono::seconds(20));
    ASSERT_TRUE(sent.ok()) << sent.error().toStdString();
    EXPECT_EQ(*sent, PlayerCommandSent::Handled);

    // The demonstration plays at a learner's pace; then the bridge records the question.
    double score = 0;
    int done = 0;
    deadline = QDeadlineTimer(300000);
    while (!deadline.hasExpired() && player.state() == QProcess::Running) {
        auto reader = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
        if (reader) {
            score = readValue(reader.value(), u"st"_s, u"stid"_s, stid, u"得分"_s).toDouble();
            done = readValue(reader.value(), u"st"_s, u"stid"_s, stid, u"是否已做"_s).toInt();
            reader.value()->close();
        }
        if (score == 2.5 && done == 1)
            break;
        // Also notices a player that ended (the loop has no event loop of its own).
        if (player.waitForFinished(250))
            break;
    }
    EXPECT_EQ(score, 2.5);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(player.state(), QProcess::Running) << "the player ended on its own";
    auto reader = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(reader.ok());
    EXPECT_EQ(readValue(reader.value(), u"st"_s, u"stid"_s, other, u"是否已做"_s).toInt(), 0);
    player.kill();
    player.waitForFinished(30000);
}
