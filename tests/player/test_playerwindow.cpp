#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/window/moviecontrol.h"
#include "platform/programfolder.h"
#include "platform/systemfolder.h"
#include "player/channel.h"
#include "player/resultbridge.h"
#include "player/widgets/playerwindow.h"
#include "tests/channel/printers.h"
#include "tests/channel/privateruntime.h"
#include "tests/channel/rawsender.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

QString sampleMovie()
{
    return sourceFolder() + u"/tests/data/movies/sample.movie"_s;
}

// Counts the mouse presses and context-menu requests that reach it.
class Probe : public QWidget
{
public:
    using QWidget::QWidget;
    int rightPresses = 0;
    int leftPresses = 0;
    int contextMenus = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        ++(e->button() == Qt::RightButton ? rightPresses : leftPresses);
    }
    void contextMenuEvent(QContextMenuEvent*) override { ++contextMenus; }
};

void click(QWidget* w, Qt::MouseButton button)
{
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    if (button == Qt::RightButton)
        QApplication::sendEvent(w, &menu);
}

class PlayerWindowTest : public ::testing::Test
{
protected:
    // Records every start; a started program's end is up to the test (finish()).
    ProcessStarter recorder(bool succeeds = true)
    {
        return [this, succeeds](const QString& program, const QStringList& args, ProcessFinished finished) {
            started.push_back({program, args});
            if (succeeds)
                finishers.push_back(std::move(finished));
            return succeeds;
        };
    }

    // Ends the last started program the way `end` says.
    void finish(const ProcessEnd& end)
    {
        ASSERT_FALSE(finishers.empty());
        ProcessFinished finished = std::move(finishers.back());
        finishers.pop_back();
        finished(end);
    }

    // Does every step of the staged movie but the last, through the window.
    static void doAllButTheLastStep(PlayerWindow& form)
    {
        KitView* view = form.movieControl()->kitView();
        ASSERT_NE(view, nullptr);
        const auto& steps = view->session().movie().steps;
        while (view->session().stepIndex() + 1 < static_cast<int>(steps.size()))
            ASSERT_TRUE(
                view->performThroughUi(steps[static_cast<size_t>(view->session().stepIndex())].accept[0]));
    }
    static void doTheLastStep(PlayerWindow& form)
    {
        KitView* view = form.movieControl()->kitView();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(view->performThroughUi(view->session().movie().steps.back().accept[0]));
        ASSERT_TRUE(view->session().isComplete());
    }

    // Puts the sample movie in the movie folder as the movie of `movieno`.
    bool stageSampleMovie(const QString& movieno)
    {
        if (!QFile::exists(sampleMovie()))
            return false;
        QDir().mkpath(systemDirectory() + u"/pczcksw"_s);
        QFile::copy(buildProgramFolder() + u"/completed.swf"_s,
                    systemDirectory() + u"/pczcksw/completed.swf"_s);
        return QFile::copy(sampleMovie(), movieFilePath(movieno));
    }

    // Delivers `text` to the form the way the question bar's send does.
    static bool deliver(const PlayerWindow& form, const QString& text)
    {
        RawSender sender(form.receiver().window().socketPath);
        sender.write(copydata::encode(text));
        return sender.acknowledged();
    }

    using Started = std::vector<std::pair<QString, QStringList>>;
    PrivateRuntimeFolder runtime;
    FakeMessageBoxes boxes;
    Started started;
    std::vector<ProcessFinished> finishers;
};

} // namespace

TEST(PlayerCommandLine, SplitsAtTheFirstAmpersand)
{
    auto cmd = splitPlayerCommandLine(u"57&3"_s);
    EXPECT_EQ(cmd.questionid, u"57"_s);
    EXPECT_EQ(cmd.movieno, u"3"_s);
    cmd = splitPlayerCommandLine(u"57&3&9"_s);
    EXPECT_EQ(cmd.questionid, u"57"_s);
    EXPECT_EQ(cmd.movieno, u"3&9"_s);
    cmd = splitPlayerCommandLine(u" 57 & 3"_s);
    EXPECT_EQ(cmd.questionid, u" 57 "_s);
    EXPECT_EQ(cmd.movieno, u" 3"_s);
    cmd = splitPlayerCommandLine(u"57"_s);
    EXPECT_EQ(cmd.questionid, u"57"_s);
    EXPECT_EQ(cmd.movieno, QString());
}

TEST(PlayerCommandLine, ALeadingReviewOptionPlaysForALookBack)
{
    auto cmd = splitPlayerCommandLine(u"--review 57&3"_s);
    EXPECT_TRUE(cmd.review);
    EXPECT_EQ(cmd.questionid, u"57"_s);
    EXPECT_EQ(cmd.movieno, u"3"_s);
    // Only the whole word at the front: a stid is never taken for the option.
    cmd = splitPlayerCommandLine(u"--reviewed&3"_s);
    EXPECT_FALSE(cmd.review);
    EXPECT_EQ(cmd.questionid, u"--reviewed"_s);
    EXPECT_FALSE(splitPlayerCommandLine(u"57&3 --review"_s).review);
}

TEST_F(PlayerWindowTest, AReviewRecordsNothingAndOneClickLeavesIt)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    PlayerWindow form(u"57"_s, u"3"_s, recorder());
    form.setReview(true);
    form.movieControl()->setDemonstrationPace(0);
    form.show();
    auto* back = form.findChild<QPushButton*>(u"backtoresults"_s);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isVisible());
    EXPECT_EQ(back->text(), u"返回成绩"_s);
    doAllButTheLastStep(form);
    doTheLastStep(form);
    // No bridge: the paper keeps the result that was handed in.
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(form.bridgeState(), PlayerWindow::BridgeState::NotStarted);
    QTRY_VERIFY_WITH_TIMEOUT(!form.movieControl()->completionText().isEmpty(), 5000);
    EXPECT_TRUE(boxes.shown.empty());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(PlayerWindowTest, InExamModeTheCompletedQuestionIsRecordedButShowsNoPicture)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    PlayerWindow form(u"57"_s, u"3"_s, recorder());
    form.setExamMode(true);
    form.movieControl()->setDemonstrationPace(0);
    form.show();
    doAllButTheLastStep(form);
    doTheLastStep(form);
    ASSERT_EQ(started.size(), 1u);
    finish({true, 0, {}});
    EXPECT_EQ(form.bridgeState(), PlayerWindow::BridgeState::Recorded);
    QTest::qWait(1500);
    EXPECT_TRUE(form.movieControl()->completionText().isEmpty());
}

TEST_F(PlayerWindowTest, APlayerWhoseTrainerHasGoneClosesByItself)
{
    QProcess trainer;
    trainer.start(u"sleep"_s, {u"60"_s});
    ASSERT_TRUE(trainer.waitForStarted());
    PlayerWindow form(u"57"_s, u"3"_s, recorder());
    form.closeWhenTrainerEnds(trainer.processId());
    form.show();
    QTest::qWait(1500);
    EXPECT_TRUE(form.isVisible());
    trainer.kill();
    trainer.waitForFinished();
    QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 10000);
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(PlayerWindowTest, AMovieReadBeforeTheWindowIsPlayedAsOneItReadsItself)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    // Read on another thread while the window is not yet made, as drillplay does.
    std::future<Result<Movie>> read =
        std::async(std::launch::async, [path = movieFilePath(u"3"_s)] { return loadMovieFile(path); });
    PlayerWindow ahead(u"57"_s, u"3"_s, std::move(read));
    PlayerWindow itself(u"57"_s, u"3"_s, recorder());
    EXPECT_EQ(ahead.movieControl()->movie(), itself.movieControl()->movie());
    EXPECT_TRUE(ahead.movieControl()->loadError().isEmpty())
        << ahead.movieControl()->loadError().toStdString();
    ASSERT_NE(ahead.movieControl()->kitView(), nullptr);
    ASSERT_NE(itself.movieControl()->kitView(), nullptr);
    const Movie& aheadMovie = ahead.movieControl()->kitView()->session().movie();
    const Movie& itsMovie = itself.movieControl()->kitView()->session().movie();
    EXPECT_EQ(aheadMovie.source, itsMovie.source);
    EXPECT_EQ(aheadMovie.steps.size(), itsMovie.steps.size());
    EXPECT_EQ(ahead.readySum(), itself.readySum());

    // A read that failed is told inside the window, as a movie that cannot be read is.
    std::promise<Result<Movie>> failed;
    failed.set_value(Result<Movie>::failure(u"试题动画已损坏"_s));
    PlayerWindow damaged(u"57"_s, u"3"_s, failed.get_future());
    EXPECT_EQ(damaged.movieControl()->kitView(), nullptr);
    EXPECT_EQ(damaged.movieControl()->loadError(), u"试题动画已损坏"_s);
}

TEST_F(PlayerWindowTest, FillsAn800x600WindowAtTheTopLeftAndRegistersUnderItsTitle)
{
    PlayerWindow form(u"57"_s, u"3&9"_s, recorder());
    form.show();
    EXPECT_EQ(form.objectName(), u"drillplay"_s);
    EXPECT_EQ(form.windowTitle(), u"试题播放"_s);
    EXPECT_EQ(form.pos(), QPoint(0, 0));
    EXPECT_EQ(form.size(), QSize(800, 600));
    EXPECT_EQ(form.findChild<MovieControl*>(u"stflash"_s), form.movieControl());
    EXPECT_EQ(form.movieControl()->geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(form.movieControl()->movie(), runtime.path() + u"/pczcksw/3&9.w"_s);
    QLineEdit* receivenr = form.findChild<QLineEdit*>(u"receivenr"_s);
    ASSERT_EQ(receivenr, form.commandBox());
    EXPECT_LT(receivenr->geometry().right(), 0);
    EXPECT_EQ(receivenr->text(), u"准备接收"_s);

    const RegisteredWindow found = windowregistry::findLast(u"试题播放"_s);
    EXPECT_EQ(found.pid, ::getpid());
    EXPECT_EQ(found.sequence, form.receiver().window().sequence);
    form.setWindowTitle(u"试题播放 "_s);
    EXPECT_TRUE(windowregistry::findLast(u"试题播放"_s).isNull());
    form.setWindowTitle(u"试题播放"_s);
    EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).sequence, found.sequence);

    // Escape, which closes a dialog, leaves the player open; closing always goes ahead.
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(windowregistry::findLast(u"试题播放"_s).isNull());
    EXPECT_TRUE(windowregistry::liveWindows().empty());
}

TEST_F(PlayerWindowTest, TheBridgeStartsOnceWhenTheReadyStatesAddUpToFour)
{
    stageSampleMovie(u"3"_s);
    {
        // Loading reports its states before the sum is reset: they never count.
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        EXPECT_TRUE(started.empty());
        EXPECT_EQ(form.readySum(), 0);
        emit form.movieControl()->readyStateChanged(1);
        EXPECT_TRUE(started.empty());
        emit form.movieControl()->readyStateChanged(3);
        EXPECT_EQ(started, (Started{{programFolder() + u"/drillbridge"_s, {u"57"_s}}}));
        emit form.movieControl()->readyStateChanged(0);
        emit form.movieControl()->readyStateChanged(4);
        EXPECT_EQ(form.readySum(), 8);
        EXPECT_EQ(started.size(), 1u);
    }
    started.clear();
    {
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        emit form.movieControl()->readyStateChanged(3);
        emit form.movieControl()->readyStateChanged(4);
        EXPECT_EQ(form.readySum(), 7);
        EXPECT_TRUE(started.empty());
    }
    {
        PlayerWindow form(u" 57 "_s, u"3"_s, recorder(false));
        emit form.movieControl()->readyStateChanged(4);
        EXPECT_EQ(started, (Started{{programFolder() + u"/drillbridge"_s, {u" 57 "_s}}}));
        // A bridge that cannot start is said, since the question then stays undone.
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(boxes.shown[0].title, u"朔禾软件"_s);
        EXPECT_TRUE(boxes.shown[0].text.contains(u"无法启动 drillbridge"_s))
            << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(u"重做本题"_s));
        EXPECT_EQ(form.bridgeState(), PlayerWindow::BridgeState::Failed);
        // Nothing is left waiting: the close goes ahead.
        form.show();
        EXPECT_TRUE(form.close());
    }
    {
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        for (int i = 0; i < 20000; ++i)
            emit form.movieControl()->readyStateChanged(4);
        EXPECT_EQ(form.readySum(), 32767);
    }
}

TEST_F(PlayerWindowTest, CommandWordsFromTheChannelShowTheHintAndStartTheDemonstration)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    {
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        ASSERT_TRUE(form.movieControl()->loadError().isEmpty())
            << form.movieControl()->loadError().toStdString();
        EXPECT_FALSE(form.movieControl()->hintVisible());
        ASSERT_TRUE(deliver(form, u"sh_caozuo"_s));
        EXPECT_FALSE(form.movieControl()->hintVisible());
        ASSERT_TRUE(deliver(form, u"  SH_CaoZuo  "_s));
        EXPECT_EQ(form.commandBox()->text(), u"  SH_CaoZuo  "_s);
        EXPECT_TRUE(form.movieControl()->hintVisible());
        EXPECT_FALSE(form.movieControl()->isDemonstrating());
        // The same word again is acted on again.
        form.movieControl()->TSetProperty(u"/tishi"_s, 7, u"0"_s);
        ASSERT_TRUE(deliver(form, u"  SH_CaoZuo  "_s));
        EXPECT_TRUE(form.movieControl()->hintVisible());
    }
    {
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        ASSERT_TRUE(deliver(form, u"SH_YanShi"_s));
        EXPECT_TRUE(form.movieControl()->hintVisible());
        EXPECT_TRUE(form.movieControl()->isDemonstrating());
    }
}

TEST_F(PlayerWindowTest, TheMovieShowsNoMenuOfThePlayersOwn)
{
    PlayerWindow form(u"57"_s, u"3"_s, recorder());
    form.show();
    // Widgets the movie control adds after the load are covered too.
    auto* inMovie = new Probe(form.movieControl());
    auto* deeper = new Probe(inMovie);
    auto* elsewhere = new Probe(&form);
    for (Probe* p : {inMovie, deeper, elsewhere}) {
        click(p, Qt::RightButton);
        click(p, Qt::LeftButton);
    }
    EXPECT_EQ(inMovie->contextMenus + deeper->contextMenus, 0);
    // The simulated program gets the button for its own context menus.
    EXPECT_EQ(inMovie->rightPresses + deeper->rightPresses, 2);
    EXPECT_EQ(inMovie->leftPresses + deeper->leftPresses, 2);
    EXPECT_EQ(elsewhere->rightPresses, 1);
    EXPECT_EQ(elsewhere->contextMenus, 1);

    form.close();
    click(inMovie, Qt::RightButton);
    EXPECT_EQ(inMovie->contextMenus, 1);
}

TEST_F(PlayerWindowTest, OnlyRegisteredTopLevelWindowsAreFound)
{
    QWidget other;
    other.setWindowTitle(u"问题栏"_s);
    QWidget child(&other);
    child.setWindowTitle(u"试题播放"_s);
    other.show();
    CopyDataReceiver receiver;
    ASSERT_TRUE(receiver.start(other.windowTitle()).ok());
    auto result = sendPlayerCommand(u"SH_YanShi"_s, {}, std::chrono::seconds(60));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, PlayerCommandSent::NoPlayer);
}

TEST_F(PlayerWindowTest, TheLastAcceptedStepStartsTheBridgeAtOnce)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    // At a learner's pace, as the real player plays.
    PlayerWindow form(u"57"_s, u"3"_s, recorder());
    form.show();
    ASSERT_TRUE(form.movieControl()->loadError().isEmpty()) << form.movieControl()->loadError().toStdString();
    doAllButTheLastStep(form);
    QCoreApplication::processEvents();
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(form.movieControl()->isCompleted());

    // The learner may move on (and the player be killed) right after the last
    // step: the bridge is already on its way, without a moment's delay.
    doTheLastStep(form);
    EXPECT_EQ(started, (Started{{programFolder() + u"/drillbridge"_s, {u"57"_s}}}));
    EXPECT_EQ(form.readySum(), 4);
    EXPECT_EQ(form.bridgeState(), PlayerWindow::BridgeState::Running);

    // The completion picture still follows after a moment, once the bridge has recorded the question.
    EXPECT_TRUE(form.movieControl()->completionText().isEmpty());
    finish({true, 0, {}});
    EXPECT_EQ(form.bridgeState(), PlayerWindow::BridgeState::Recorded);
    EXPECT_TRUE(form.movieControl()->completionText().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!form.movieControl()->completionText().isEmpty(), 5000);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(started.size(), 1u);
}

TEST_F(PlayerWindowTest, TheCompletionPictureWaitsForTheBridge)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    PlayerWindow form(u"57"_s, u"3"_s, recorder());
    form.movieControl()->setDemonstrationPace(0);
    form.show();
    doAllButTheLastStep(form);
    doTheLastStep(form);
    ASSERT_EQ(started.size(), 1u);
    // A bridge that waits for a lock: no completion is claimed meanwhile.
    QTest::qWait(1200);
    EXPECT_TRUE(form.movieControl()->completionText().isEmpty());
    finish({true, 0, {}});
    EXPECT_EQ(form.movieControl()->completionText(), u"本题操作已完成"_s);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PlayerWindowTest, ABridgeThatFailsIsToldWithItsReasonAndNoCompletionIsShown)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    const QString reason = u"磁盘已满，无法写入数据库（详情：database or disk is full）"_s;
    struct Case
    {
        ProcessEnd end;
        QString said;
    };
    const std::vector<Case> cases{
        {{true, 1, "Qt: a stray warning\n" + bridgeFailureReport(reason)}, reason},
        {{true, 1, {}}, u"退出码 1"_s},
        {{false, 0, {}}, u"意外终止"_s},
    };
    for (const Case& c : cases) {
        boxes.shown.clear();
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        form.movieControl()->setDemonstrationPace(0);
        form.show();
        doAllButTheLastStep(form);
        doTheLastStep(form);
        ASSERT_EQ(form.bridgeState(), PlayerWindow::BridgeState::Running);
        // The window answers while the bridge runs.
        ASSERT_TRUE(deliver(form, u"SH_CaoZuo"_s));
        EXPECT_TRUE(form.movieControl()->hintVisible());
        finish(c.end);
        EXPECT_EQ(form.bridgeState(), PlayerWindow::BridgeState::Failed);
        ASSERT_EQ(boxes.shown.size(), 1u);
        const auto& box = boxes.shown[0];
        EXPECT_EQ(box.title, u"朔禾软件"_s);
        EXPECT_EQ(box.icon, MessageIcon::Critical);
        EXPECT_TRUE(box.text.contains(c.said)) << box.text.toStdString();
        EXPECT_TRUE(box.text.contains(u"没有记录"_s)) << box.text.toStdString();
        EXPECT_TRUE(box.text.contains(u"重做本题"_s)) << box.text.toStdString();
        EXPECT_FALSE(box.text.contains(u"Qt: a stray warning"_s));
        // The completion is not claimed, now or later.
        QTest::qWait(100);
        EXPECT_TRUE(form.movieControl()->completionText().isEmpty());
        EXPECT_EQ(boxes.shown.size(), 1u);
    }
}

TEST_F(PlayerWindowTest, ACloseWaitsForARunningBridgeForABoundedTime)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    {
        // The bridge ends while the close waits: then the player closes.
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        form.movieControl()->setDemonstrationPace(0);
        form.show();
        doAllButTheLastStep(form);
        doTheLastStep(form);
        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(form.close());
        finish({true, 0, {}});
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_TRUE(windowregistry::findLast(u"试题播放"_s).isNull());
    }
    {
        // A failure found while the close waits is still said, then the player closes.
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        form.movieControl()->setDemonstrationPace(0);
        form.show();
        doAllButTheLastStep(form);
        doTheLastStep(form);
        EXPECT_FALSE(form.close());
        finish({true, 1, bridgeFailureReport(u"数据库正被其他程序占用"_s)});
        EXPECT_FALSE(form.isVisible());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains(u"数据库正被其他程序占用"_s));
    }
    boxes.shown.clear();
    {
        // A bridge that takes too long is let go: the player closes and the bridge runs on.
        PlayerWindow form(u"57"_s, u"3"_s, recorder());
        form.setBridgeWaitOnClose(200);
        form.movieControl()->setDemonstrationPace(0);
        form.show();
        doAllButTheLastStep(form);
        doTheLastStep(form);
        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 5000);
        EXPECT_EQ(form.bridgeState(), PlayerWindow::BridgeState::LetGo);
        finish({true, 1, bridgeFailureReport(u"too late"_s)});
        EXPECT_TRUE(boxes.shown.empty());
    }
}

TEST(WatchedProcess, ReportsHowTheProgramEndedWithoutWaitingForIt)
{
    std::optional<ProcessEnd> end;
    ASSERT_TRUE(startWatchedProcess(u"/bin/sh"_s, {u"-c"_s, u"sleep 0.3; echo 理由 >&2; exit 3"_s},
                                    [&](const ProcessEnd& e) { end = e; }));
    EXPECT_FALSE(end.has_value());
    QTRY_VERIFY_WITH_TIMEOUT(end.has_value(), 10000);
    EXPECT_TRUE(end->normalExit);
    EXPECT_EQ(end->exitCode, 3);
    EXPECT_EQ(QString::fromUtf8(end->standardError), u"理由\n"_s);

    end.reset();
    ASSERT_TRUE(
        startWatchedProcess(u"/bin/sh"_s, {u"-c"_s, u"kill -9 $$"_s}, [&](const ProcessEnd& e) { end = e; }));
    QTRY_VERIFY_WITH_TIMEOUT(end.has_value(), 10000);
    EXPECT_FALSE(end->normalExit);

    bool called = false;
    EXPECT_FALSE(
        startWatchedProcess(u"/no/such/drillbridge"_s, {}, [&](const ProcessEnd&) { called = true; }));
    QTest::qWait(50);
    EXPECT_FALSE(called);
}

TEST(WatchedProcess, RunsInASessionOfItsOwn)
{
    // What reaches the player's process group or session does not reach the bridge.
    QTemporaryDir dir;
    const QString out = dir.filePath(u"ids"_s);
    bool ended = false;
    ASSERT_TRUE(startWatchedProcess(
        u"/bin/sh"_s,
        {u"-c"_s,
         u"read -r pid comm state ppid pgrp sid rest < /proc/$$/stat; echo $pid $sid > '%1'"_s.arg(out)},
        [&](const ProcessEnd&) { ended = true; }));
    QTRY_VERIFY_WITH_TIMEOUT(ended, 10000);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> ids = f.readAll().trimmed().split(' ');
    ASSERT_EQ(ids.size(), 2);
    EXPECT_EQ(ids[0], ids[1]) << "the program leads a session of its own";
    EXPECT_NE(ids[1].toLongLong(), static_cast<qint64>(::getsid(0)));
}

TEST_F(PlayerWindowTest, AReviewShowsTheStemAboveAndItsDemonstrationPausesStepsAndChangesSpeed)
{
    if (!stageSampleMovie(u"review7"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    // A question of the history: no paper row, so "返回" rather than "返回成绩".
    PlayerWindow form(QString(), u"review7"_s, recorder());
    form.setReview(true);
    form.setReviewStem(u"将第3张幻灯片的切换效果设置为“水平百叶窗”，速度为“中速”。"_s);
    form.movieControl()->setDemonstrationPace(0);
    form.show();
    auto* stem = form.findChild<QLabel*>(u"reviewstem"_s);
    ASSERT_NE(stem, nullptr);
    EXPECT_EQ(stem->text(), u"题干：将第3张幻灯片的切换效果设置为“水平百叶窗”，速度为“中速”。"_s);
    // The stem lies above the simulated window, which keeps its whole 800 × 600.
    EXPECT_EQ(form.movieControl()->geometry(), QRect(0, PlayerWindow::kReviewStripHeight, 800, 600));
    EXPECT_FALSE(stem->geometry().intersects(form.movieControl()->geometry()));
    auto* back = form.findChild<QPushButton*>(u"backtoresults"_s);
    auto* pause = form.findChild<QPushButton*>(u"pausedemo"_s);
    auto* stepOn = form.findChild<QPushButton*>(u"stepdemo"_s);
    auto* replay = form.findChild<QPushButton*>(u"replaydemo"_s);
    auto* speed = form.findChild<QComboBox*>(u"demospeed"_s);
    ASSERT_TRUE(back && pause && stepOn && replay && speed);
    EXPECT_EQ(back->text(), u"返回"_s);
    EXPECT_FALSE(pause->isEnabled()); // nothing plays yet

    const MovieSession& session = form.movieControl()->kitView()->session();
    // At a learner's pace, the controls come alive with the demonstration.
    form.movieControl()->setDemonstrationPace(1);
    form.movieControl()->gotoFrame(u"/yanshi"_s, 1);
    ASSERT_TRUE(form.movieControl()->isDemonstrating());
    ASSERT_TRUE(QTest::qWaitFor([&] { return pause->isEnabled(); }, 2000));
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_TRUE(form.movieControl()->isDemonstrationPaused());
    form.movieControl()->setDemonstrationPace(0);
    EXPECT_EQ(pause->text(), u"继续"_s);
    QTest::qWait(50);
    EXPECT_EQ(session.stepIndex(), 0); // held

    // One step on at a time, holding before the next.
    for (int expected = 1; expected <= 2; ++expected) {
        QTest::mouseClick(stepOn, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return form.movieControl()->isDemonstrationPaused() && session.stepIndex() == expected; },
            5000))
            << expected;
        QTest::qWait(30);
        EXPECT_EQ(session.stepIndex(), expected);
        EXPECT_FALSE(form.movieControl()->demonstrationCaption().isEmpty());
    }
    QTest::mouseClick(pause, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.isComplete(); }, 5000));
    EXPECT_TRUE(started.empty()); // a review records nothing

    // The speeds: 2× halves every wait of the demonstration, 0.5× doubles it.
    speed->setCurrentIndex(speed->findText(u"2×"_s));
    EXPECT_DOUBLE_EQ(form.movieControl()->demonstrationPace(), 0.5);
    speed->setCurrentIndex(speed->findText(u"0.5×"_s));
    EXPECT_DOUBLE_EQ(form.movieControl()->demonstrationPace(), 2.0);

    // 重新演示 plays it again from the start.
    QTest::mouseClick(replay, Qt::LeftButton);
    EXPECT_TRUE(form.movieControl()->isDemonstrating());
    EXPECT_FALSE(session.isComplete());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}
