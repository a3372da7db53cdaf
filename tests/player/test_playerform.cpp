#include "movie/moviecontrol.h"
#include "platform/programfolder.h"
#include "platform/systemfolder.h"
#include "player/channel.h"
#include "player/playerform.h"
#include "tests/channel/printers.h"
#include "tests/channel/privateruntime.h"
#include "tests/channel/rawsender.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
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

class PlayerFormTest : public ::testing::Test
{
protected:
    ProcessStarter recorder(bool succeeds = true)
    {
        return [this, succeeds](const QString& program, const QStringList& args) {
            started.push_back({program, args});
            return succeeds;
        };
    }

    // Puts the sample movie in the movie folder as the movie of `movieno`.
    bool stageSampleMovie(const QString& movieno)
    {
        if (!QFile::exists(sampleMovie()))
            return false;
        QDir().mkpath(SystemDirectory() + u"/pczcksw"_s);
        QFile::copy(buildProgramFolder() + u"/completed.swf"_s,
                    SystemDirectory() + u"/pczcksw/completed.swf"_s);
        return QFile::copy(sampleMovie(), movieFilePath(movieno));
    }

    // Delivers `text` to the form the way the question bar's send does.
    static bool deliver(const PlayerForm& form, const QString& text)
    {
        RawSender sender(form.receiver().window().socketPath);
        sender.write(copydata::encode(text));
        return sender.acknowledged();
    }

    using Started = std::vector<std::pair<QString, QStringList>>;
    PrivateRuntimeFolder runtime;
    FakeMessageBoxes boxes;
    Started started;
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

TEST_F(PlayerFormTest, FillsAn800x600WindowAtTheTopLeftAndRegistersUnderItsTitle)
{
    PlayerForm form(u"57"_s, u"3&9"_s, recorder());
    form.show();
    EXPECT_EQ(form.objectName(), u"drillplay"_s);
    EXPECT_EQ(form.windowTitle(), u"试题播放"_s);
    EXPECT_EQ(form.pos(), QPoint(0, 0));
    EXPECT_EQ(form.size(), QSize(800, 600));
    EXPECT_EQ(form.findChild<MovieControl*>(u"stflash"_s), form.stflash());
    EXPECT_EQ(form.stflash()->geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(form.stflash()->movie(), runtime.path() + u"/pczcksw/3&9.w"_s);
    QLineEdit* receivenr = form.findChild<QLineEdit*>(u"receivenr"_s);
    ASSERT_EQ(receivenr, form.receivenr());
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

TEST_F(PlayerFormTest, TheBridgeStartsOnceWhenTheReadyStatesAddUpToFour)
{
    stageSampleMovie(u"3"_s);
    {
        // Loading reports its states before the sum is reset: they never count.
        PlayerForm form(u"57"_s, u"3"_s, recorder());
        EXPECT_TRUE(started.empty());
        EXPECT_EQ(form.readysum(), 0);
        emit form.stflash()->OnReadyStateChange(1);
        EXPECT_TRUE(started.empty());
        emit form.stflash()->OnReadyStateChange(3);
        EXPECT_EQ(started, (Started{{programFolder() + u"/drillbridge"_s, {u"57"_s}}}));
        emit form.stflash()->OnReadyStateChange(0);
        emit form.stflash()->OnReadyStateChange(4);
        EXPECT_EQ(form.readysum(), 8);
        EXPECT_EQ(started.size(), 1u);
    }
    started.clear();
    {
        PlayerForm form(u"57"_s, u"3"_s, recorder());
        emit form.stflash()->OnReadyStateChange(3);
        emit form.stflash()->OnReadyStateChange(4);
        EXPECT_EQ(form.readysum(), 7);
        EXPECT_TRUE(started.empty());
    }
    {
        PlayerForm form(u" 57 "_s, u"3"_s, recorder(false));
        emit form.stflash()->OnReadyStateChange(4);
        EXPECT_EQ(started, (Started{{programFolder() + u"/drillbridge"_s, {u" 57 "_s}}}));
        // A bridge that cannot start is said, since the question then stays undone.
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    }
    {
        PlayerForm form(u"57"_s, u"3"_s, recorder());
        for (int i = 0; i < 20000; ++i)
            emit form.stflash()->OnReadyStateChange(4);
        EXPECT_EQ(form.readysum(), 32767);
    }
}

TEST_F(PlayerFormTest, CommandWordsFromTheChannelShowTheHintAndStartTheDemonstration)
{
    if (!stageSampleMovie(u"3"_s))
        GTEST_SKIP() << "no sample movie at " << sampleMovie().toStdString();
    {
        PlayerForm form(u"57"_s, u"3"_s, recorder());
        ASSERT_TRUE(form.stflash()->loadError().isEmpty()) << form.stflash()->loadError().toStdString();
        EXPECT_FALSE(form.stflash()->hintVisible());
        ASSERT_TRUE(deliver(form, u"sh_caozuo"_s));
        EXPECT_FALSE(form.stflash()->hintVisible());
        ASSERT_TRUE(deliver(form, u"  SH_CaoZuo  "_s));
        EXPECT_EQ(form.receivenr()->text(), u"  SH_CaoZuo  "_s);
        EXPECT_TRUE(form.stflash()->hintVisible());
        EXPECT_FALSE(form.stflash()->isDemonstrating());
        // The same word again is acted on again.
        form.stflash()->TSetProperty(u"/tishi"_s, 7, u"0"_s);
        ASSERT_TRUE(deliver(form, u"  SH_CaoZuo  "_s));
        EXPECT_TRUE(form.stflash()->hintVisible());
    }
    {
        PlayerForm form(u"57"_s, u"3"_s, recorder());
        ASSERT_TRUE(deliver(form, u"SH_YanShi"_s));
        EXPECT_TRUE(form.stflash()->hintVisible());
        EXPECT_TRUE(form.stflash()->isDemonstrating());
    }
}

TEST_F(PlayerFormTest, TheMovieShowsNoMenuOfThePlayersOwn)
{
    PlayerForm form(u"57"_s, u"3"_s, recorder());
    form.show();
    // Widgets the movie control adds after the load are covered too.
    auto* inMovie = new Probe(form.stflash());
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

TEST_F(PlayerFormTest, OnlyRegisteredTopLevelWindowsAreFound)
{
    QWidget other;
    other.setWindowTitle(u"问题栏"_s);
    QWidget child(&other);
    child.setWindowTitle(u"试题播放"_s);
    other.show();
    CopyDataReceiver receiver;
    ASSERT_TRUE(receiver.start(other.windowTitle()).ok());
    auto result = SendPlayerCommand(u"SH_YanShi"_s, {}, std::chrono::seconds(60));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, PlayerCommandSent::NoPlayer);
}
