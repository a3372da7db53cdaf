// The question bar: grid, navigation, the player restarts, stem box, panels,
// hand-in, icon, close guard and input-method menu.
#include "platform/widgets/windowsystem.h"
#include "player/channel.h"
#include "tests/bar/barfixture.h"
#include "tests/channel/peer.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

// Places in failure messages as "x,y".
void PrintTo(const QPoint& point, std::ostream* out)
{
    *out << point.x() << ',' << point.y();
}

namespace {

// The question's mark in the session, and its cell painted to match: the
// button face while unvisited, green once visited, red while marked.
::testing::AssertionResult showsMark(Trainer& trainer, int question, QuestionMark mark)
{
    constexpr int green = 65280;
    constexpr int red = 255;
    const int colour = mark == QuestionMark::Marked    ? red
                       : mark == QuestionMark::Visited ? green
                                                       : windowsButtonFace;
    if (trainer.session().mark(question) != mark)
        return ::testing::AssertionFailure() << "question " << question << " has mark "
                                             << static_cast<int>(trainer.session().mark(question));
    const int painted = trainer.questionBar().loaded()->cell(question)->backColor();
    if (painted != colour)
        return ::testing::AssertionFailure()
               << "cell " << question << " is painted " << painted << ", not " << colour;
    return ::testing::AssertionSuccess();
}

void clickCell(QuestionBar* bar, int n)
{
    bar->chooseButton()->click();
    ASSERT_TRUE(bar->gridPanel()->isVisible());
    QTest::mouseClick(bar->cell(n), Qt::LeftButton);
}

// A mouse event as the window system delivers it, the pointer at `global`;
// `button` is the one that went down or up.
void sendMouse(QWidget* window, QEvent::Type type, QPoint global, Qt::MouseButtons held,
               Qt::MouseButton button = Qt::LeftButton)
{
    if (type == QEvent::MouseMove)
        button = Qt::NoButton;
    QMouseEvent event(type, window->mapFromGlobal(QPointF(global)), QPointF(global), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

// Counts how often a window is put on top.
class RaiseCounter : public QObject
{
public:
    explicit RaiseCounter(QWidget* window) { window->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ZOrderChange)
            ++count;
        return false;
    }
};

} // namespace

TEST_F(BarTest, LoadPlacesTheBarAndStartsThePlayerOnQuestionOne)
{
    QuestionBar* bar = loadBar(5);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->windowTitle(), u"第1题  共5题"_s);
    EXPECT_EQ(bar->size(), QSize(329, 197));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen->availableGeometry();
    EXPECT_EQ(bar->pos(), QPoint(screen->geometry().width() - 337, work.y() + work.height() - 235));
    EXPECT_EQ(takeEvents(), restartOn(1));
    EXPECT_EQ(session().playerCommand, u"drillplay %1&1"_s.arg(stids[0]));
    EXPECT_TRUE(showsMark(trainer, 1, QuestionMark::NotVisited));
    EXPECT_EQ(bar->markButton()->caption(), u"标识本题"_s);
    EXPECT_TRUE(bar->questionPanel()->isVisible());
    EXPECT_FALSE(bar->gridPanel()->isVisible());
    EXPECT_FALSE(session().barMayClose);
    EXPECT_TRUE(bar->keepOnTopTimer()->isEnabled());
    EXPECT_EQ(bar->keepOnTopTimer()->interval(), 1000);
    EXPECT_FALSE(bar->cell(5)->isHidden());
    EXPECT_TRUE(bar->cell(6)->isHidden());
    EXPECT_TRUE(bar->cell(40)->isHidden());
    EXPECT_EQ(bar->cell(7)->caption(), u" 7 "_s);
    EXPECT_EQ(bar->cell(17)->caption(), u"17 "_s);
    EXPECT_TRUE(bar->demonstrationButton()->isEnabled());
    EXPECT_TRUE(bar->hintButton()->isEnabled());
}

TEST_F(BarTest, AOneQuestionPaperGoesNowhere)
{
    QuestionBar* bar = loadBar(1);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), u"第1题  共1题"_s);
    EXPECT_TRUE(bar->cell(2)->isHidden());
    takeEvents();
    bar->previousButton()->click();
    bar->nextButton()->click();
    EXPECT_TRUE(takeEvents().empty());
    EXPECT_TRUE(showsMark(trainer, 1, QuestionMark::NotVisited));
    EXPECT_EQ(bar->windowTitle(), u"第1题  共1题"_s);
}

TEST_F(BarTest, NextAndPreviousGreenTheCellsAndRestartThePlayer)
{
    QuestionBar* bar = loadBar(4);
    takeEvents();
    bar->nextButton()->click();
    EXPECT_TRUE(showsMark(trainer, 1, QuestionMark::Visited));
    EXPECT_TRUE(showsMark(trainer, 2, QuestionMark::Visited));
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::NotVisited));
    EXPECT_EQ(bar->windowTitle(), u"第2题  共4题"_s);
    EXPECT_EQ(takeEvents(), restartOn(2));
    EXPECT_EQ(session().playerCommand, u"drillplay %1&2"_s.arg(stids[1]));

    bar->nextButton()->click();
    bar->nextButton()->click();
    EXPECT_EQ(session().paper()->absolutePosition(), 4);
    takeEvents();
    bar->nextButton()->click(); // the last question: nothing
    EXPECT_TRUE(takeEvents().empty());
    bar->previousButton()->click();
    EXPECT_EQ(bar->windowTitle(), u"第3题  共4题"_s);
    EXPECT_EQ(takeEvents(), restartOn(3));
    EXPECT_TRUE(bar->questionPanel()->isVisible());
}

TEST_F(BarTest, ACellClickGoesThereAndTouchesNoOtherCell)
{
    QuestionBar* bar = loadBar(6);
    takeEvents();
    clickCell(bar, 5);
    EXPECT_TRUE(showsMark(trainer, 5, QuestionMark::Visited));
    EXPECT_TRUE(showsMark(trainer, 1, QuestionMark::NotVisited));
    EXPECT_EQ(bar->windowTitle(), u"第5题  共6题"_s);
    EXPECT_TRUE(bar->questionPanel()->isVisible());
    EXPECT_FALSE(bar->gridPanel()->isVisible());
    EXPECT_EQ(takeEvents(), restartOn(5));

    // The current question's own cell restarts the player on it.
    clickCell(bar, 5);
    EXPECT_EQ(takeEvents(), restartOn(5));
    EXPECT_TRUE(bar->questionPanel()->isVisible());
    EXPECT_EQ(bar->windowTitle(), u"第5题  共6题"_s);
}

TEST_F(BarTest, AMarkSurvivesNavigationAndSetsTheCaptionOnArrival)
{
    QuestionBar* bar = loadBar(5);
    bar->nextButton()->click();
    bar->nextButton()->click();
    bar->markButton()->click();
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_EQ(bar->markButton()->caption(), u"取消标识"_s);
    takeEvents();
    bar->markButton()->click(); // marking touches neither the player nor the position
    bar->markButton()->click();
    EXPECT_TRUE(takeEvents().empty());

    bar->nextButton()->click();
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_EQ(bar->markButton()->caption(), u"标识本题"_s);
    bar->previousButton()->click();
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_EQ(bar->markButton()->caption(), u"取消标识"_s);
    clickCell(bar, 1);
    clickCell(bar, 3);
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_EQ(bar->markButton()->caption(), u"取消标识"_s);

    bar->markButton()->click();
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Visited));
    EXPECT_EQ(bar->markButton()->caption(), u"标识本题"_s);
}

TEST_F(BarTest, UnmarkingANeverVisitedQuestionLeavesItGreen)
{
    QuestionBar* bar = loadBar(3);
    bar->markButton()->click();
    EXPECT_TRUE(showsMark(trainer, 1, QuestionMark::Marked));
    bar->markButton()->click();
    EXPECT_TRUE(showsMark(trainer, 1, QuestionMark::Visited));
}

// The grid is painted from the session's marks: a mark set there shows at
// once, and walking away and back keeps it.
TEST_F(BarTest, AMarkSetInTheSessionRepaintsItsCellAndSurvivesWalkingAwayAndBack)
{
    QuestionBar* bar = loadBar(4);
    session().setMark(3, QuestionMark::Marked);
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_TRUE(showsMark(trainer, 1, QuestionMark::NotVisited));

    clickCell(bar, 3);
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_EQ(bar->markButton()->caption(), u"取消标识"_s);
    bar->nextButton()->click();
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_TRUE(showsMark(trainer, 4, QuestionMark::Visited));
    clickCell(bar, 1);
    bar->previousButton()->click(); // nothing before question 1
    clickCell(bar, 3);
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Marked));
    EXPECT_EQ(bar->markButton()->caption(), u"取消标识"_s);

    // Taken away in the session, the mark goes from the cell too.
    session().setMark(3, QuestionMark::Visited);
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Visited));
    // On the current question the mark button follows the session's mark, so
    // that its next click does what it says.
    EXPECT_EQ(bar->markButton()->caption(), u"标识本题"_s);
    session().setMark(3, QuestionMark::Marked);
    EXPECT_EQ(bar->markButton()->caption(), u"取消标识"_s);
    bar->markButton()->click();
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::Visited));
}

TEST_F(BarTest, RedoRestartsTheLastCommandLine)
{
    QuestionBar* bar = loadBar(3);
    bar->nextButton()->click();
    takeEvents();
    bar->redoButton()->click();
    EXPECT_EQ(takeEvents(), restartOn(2));
    EXPECT_EQ(bar->windowTitle(), u"第2题  共3题"_s);
    EXPECT_EQ(session().paper()->absolutePosition(), 2);
    EXPECT_TRUE(showsMark(trainer, 3, QuestionMark::NotVisited));
}

TEST_F(BarTest, AFailedPlayerStartIsReported)
{
    player.startSucceeds = false;
    QuestionBar* bar = loadBar(2);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(boxes.shown[0].text.contains(u"drillplay"_s));
    EXPECT_EQ(bar->windowTitle(), u"第1题  共2题"_s);
}

TEST_F(BarTest, TheStemBoxShowsTypeFiveStemsAndCannotBeChanged)
{
    stids = writePaper(
        {{u"5"_s, u"设置幻灯片切换效果"_s}, {u"3"_s, u"不显示的题干"_s}, {u"5"_s, u"插入艺术字"_s}});
    QuestionBar* bar = showBar();
    ASSERT_NE(bar, nullptr);
    StemBox* box = bar->stemBox();
    EXPECT_EQ(box->toPlainText(), u"设置幻灯片切换效果"_s);
    bar->nextButton()->click();
    EXPECT_EQ(box->toPlainText(), u"设置幻灯片切换效果"_s);
    bar->nextButton()->click();
    EXPECT_EQ(box->toPlainText(), u"插入艺术字"_s);

    QTest::keyClicks(box, u"abc"_s);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(box->toPlainText(), u"插入艺术字"_s);

    QGuiApplication::clipboard()->setText(u"粘贴的文字"_s);
    box->selectAll();
    box->paste();
    EXPECT_EQ(box->toPlainText(), u"插入艺术字"_s);

    QGuiApplication::clipboard()->setText(u"剪贴板原文"_s);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"剪贴板原文"_s);
    EXPECT_EQ(box->toPlainText(), u"插入艺术字"_s);
}

TEST_F(BarTest, TheStemGivesNothingAwayThroughAnyPath)
{
    QuestionBar* bar = loadBar(1);
    StemBox* box = bar->stemBox();
    const QString stem = box->toPlainText();
    ASSERT_EQ(stem, u"第1题的题干"_s);

    // What a mouse selection offers X for a middle-click paste, and what a
    // drag carries, holds none of the text.
    box->selectAll();
    std::unique_ptr<QMimeData> offered(box->createMimeDataFromSelection());
    EXPECT_TRUE(offered->formats().isEmpty());
    if (QGuiApplication::clipboard()->supportsSelection()) {
        QTest::mousePress(box->viewport(), Qt::LeftButton, {}, QPoint(4, 6));
        QTest::mouseMove(box->viewport(), QPoint(80, 6));
        QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, QPoint(80, 6));
        EXPECT_FALSE(QGuiApplication::clipboard()->text(QClipboard::Selection).contains(u"题干"_s));
    }

    // The context menu is there; its copy and cut give nothing, its paste is undone.
    EXPECT_NE(box->contextMenuPolicy(), Qt::NoContextMenu);
    QGuiApplication::clipboard()->setText(u"剪贴板原文"_s);
    box->selectAll();
    std::unique_ptr<QMenu> menu(box->createStemMenu());
    auto action = [&](const QString& name) {
        for (QAction* a : menu->actions()) {
            if (a->objectName() == name)
                return a;
        }
        return static_cast<QAction*>(nullptr);
    };
    for (const QString& name : {u"edit-copy"_s, u"edit-cut"_s, u"edit-paste"_s})
        ASSERT_TRUE(action(name) && action(name)->isEnabled()) << name.toStdString();
    action(u"edit-copy"_s)->trigger();
    action(u"edit-cut"_s)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"剪贴板原文"_s);
    EXPECT_EQ(box->toPlainText(), stem);
    box->selectAll();
    action(u"edit-paste"_s)->trigger();
    EXPECT_EQ(box->toPlainText(), stem);
}

TEST_F(BarTest, ThePanelsSwitch)
{
    QuestionBar* bar = loadBar(2);
    bar->chooseButton()->click();
    EXPECT_TRUE(bar->gridPanel()->isVisible());
    EXPECT_FALSE(bar->questionPanel()->isVisible());
    bar->gridBackButton()->click();
    EXPECT_FALSE(bar->gridPanel()->isVisible());
    EXPECT_TRUE(bar->questionPanel()->isVisible());
}

TEST_F(BarTest, ExamModeDisablesDemonstrationAndHint)
{
    session().candidate.examMode = true;
    QuestionBar* bar = loadBar(2);
    EXPECT_FALSE(bar->demonstrationButton()->isEnabled());
    EXPECT_FALSE(bar->hintButton()->isEnabled());
    EXPECT_TRUE(bar->endExamButton()->isEnabled());
}

TEST_F(BarTest, DemonstrationWithoutAPlayerWindowSendsNothingAndSaysNothing)
{
    QuestionBar* bar = loadBar(2);
    bar->demonstrationButton()->click();
    bar->hintButton()->click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_LT(bar->sendBox()->geometry().bottom(), 0);
}

TEST_F(BarTest, AHungPlayerNeitherFreezesTheBarNorQueuesClicks)
{
    QuestionBar* bar = loadBar(2);
    QTemporaryDir logs;
    ReceiverPeer player(u"试题播放"_s, logs.filePath(u"player.log"_s));
    player.pause();

    // Each click returns at once; the clock and the buttons go on meanwhile.
    bar->demonstrationButton()->click();
    EXPECT_TRUE(bar->playerSender()->isSending());
    tick(bar, 1);
    EXPECT_EQ(session().remainingSeconds(), 149);
    bar->hintButton()->click();
    bar->demonstrationButton()->click();
    bar->nextButton()->click();
    EXPECT_EQ(bar->windowTitle(), u"第2题  共2题"_s);

    // Woken up, the player gets the first word only: the clicks made while it
    // was taking it were not kept for later.
    player.resume();
    QTRY_VERIFY_WITH_TIMEOUT(!bar->playerSender()->isSending(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(player.received(), QStringList{u"SH_YanShi"_s}, 10000);
    QTest::qWait(300);
    EXPECT_EQ(player.received(), QStringList{u"SH_YanShi"_s});

    // The next click goes through.
    bar->hintButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(player.received(), (QStringList{u"SH_YanShi"_s, u"SH_CaoZuo"_s}), 10000);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BarTest, TheIconAndTheLoadingWindowShowTheirWholePictures)
{
    // The icon's artwork is a blue tile of 50 × 50 pixels: its bottom corners
    // are painted too, not only a strip at the top.
    BarIcon icon;
    const QImage iconShot = icon.grab().toImage();
    for (QPoint p : {QPoint(2, 2), QPoint(2, 47), QPoint(47, 47)})
        EXPECT_EQ(iconShot.pixelColor(p), QColor(0x1f, 0x4e, 0x96)) << p.x() << "," << p.y();

    // The loading window's picture fills it, down to its bottom row.
    PlayerLauncher loading(trainer.session());
    const QImage loadingShot = loading.grab().toImage();
    ASSERT_EQ(loadingShot.size(), QSize(240, 90));
    for (QPoint p : {QPoint(5, 85), QPoint(234, 85), QPoint(150, 60)}) {
        const QColor c = loadingShot.pixelColor(p);
        EXPECT_GT(c.blue(), c.red() + 40) << p.x() << "," << p.y();
    }
}

TEST_F(BarTest, EndingTheExamPassesTheUndoneCount)
{
    stids = writePaper({{u"5"_s, u"一"_s, 0}, {u"5"_s, u"二"_s, -1}, {u"5"_s, u"三"_s, 0}});
    QuestionBar* bar = showBar();
    QSignalSpy handIns(bar, &QuestionBar::handInRequested);
    bar->endExamButton()->click();
    ASSERT_EQ(handIns.size(), 1);
    EXPECT_EQ(handIns.at(0).at(0).toInt(), 2);
    // Questions undone: the first confirmation asks.
    EXPECT_TRUE(trainer.unansweredHandInDialog().isLoaded());
    EXPECT_FALSE(trainer.handInDialog().isLoaded());
    trainer.unansweredHandInDialog()->cancelButton()->click();
    EXPECT_FALSE(trainer.unansweredHandInDialog().isLoaded());

    handIns.clear();
    auto conn = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(conn.ok());
    ASSERT_TRUE(conn.value()->execute(u"update st set 是否已做=1"_s).ok());
    conn.value()->close();
    bar->endExamButton()->click();
    ASSERT_EQ(handIns.size(), 1);
    EXPECT_EQ(handIns.at(0).at(0).toInt(), 0);
    // All done: straight to the second.
    EXPECT_FALSE(trainer.unansweredHandInDialog().isLoaded());
    EXPECT_TRUE(trainer.handInDialog().isLoaded());
}

TEST_F(BarTest, AnEmptyPaperClosesTheBarWithAMessage)
{
    stids = writePaper({});
    EXPECT_EQ(showBar(), nullptr);
    EXPECT_FALSE(trainer.questionBar().isLoaded());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, u"题库中没有试题！"_s);
    EXPECT_EQ(boxes.shown[0].title, u"提示"_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(player.events.empty());
    // No window of the program is left: the main menu comes back.
    ASSERT_TRUE(trainer.mainMenu().isLoaded());
    EXPECT_TRUE(trainer.mainMenu().loaded()->isVisible());
}

TEST_F(BarTest, TheBarClosesOnlyWhenAllowed)
{
    QuestionBar* bar = loadBar(2);
    bar->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(trainer.questionBar().isLoaded());
    EXPECT_TRUE(bar->isVisible());
    trainer.closeQuestionBar();
    EXPECT_TRUE(session().barMayClose);
    EXPECT_FALSE(trainer.questionBar().isLoaded());
}

TEST_F(BarTest, ResizingSnapsBackAndMaximizingIsUndone)
{
    QuestionBar* bar = loadBar(2);
    bar->resize(600, 500);
    EXPECT_EQ(bar->size(), QSize(329, 197));
    bar->setWindowState(Qt::WindowMaximized);
    EXPECT_EQ(bar->windowState(), Qt::WindowNoState);
    EXPECT_EQ(bar->size(), QSize(329, 197));
}

TEST_F(BarTest, MinimizingShowsTheIconAndADoubleClickBringsTheBarBack)
{
    QuestionBar* bar = loadBar(2);
    const QPoint place = bar->pos();
    bar->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
    BarIcon* icon = trainer.barIcon().loaded();
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->size(), QSize(52, 52));
    const QPoint corner = bottomRightOfWorkArea(QSize(52, 52));
    EXPECT_EQ(icon->pos(), corner);
    EXPECT_TRUE(icon->keepOnTopTimer()->isEnabled());
    EXPECT_TRUE(bar->clockTimer()->isEnabled());

    icon->move(10, 10);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(20, 20), icon->mapToGlobal(QPointF(20, 20)),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(icon, &doubleClick);
    QCoreApplication::processEvents();
    EXPECT_FALSE(trainer.barIcon().isLoaded());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->windowState(), Qt::WindowNoState);
    EXPECT_EQ(bar->pos(), place);
    EXPECT_EQ(bar->size(), QSize(329, 197));

    bar->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(trainer.barIcon().isLoaded());
    EXPECT_EQ(trainer.barIcon().loaded()->pos(), corner);
}

// Any button held on the icon drags it: the spot of the icon under the pointer
// stays under the pointer all the way. Offscreen no window manager takes the
// move over, so the icon follows the pointer itself.
TEST_F(BarTest, TheIconTracksDragging)
{
    QuestionBar* bar = loadBar(2);
    bar->setWindowState(Qt::WindowMinimized);
    BarIcon* icon = trainer.barIcon().loaded();
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->dragging());
    const QPoint corner = icon->pos();
    const QPoint spot(40, 12);
    const QPoint grip = icon->mapToGlobal(spot);
    sendMouse(icon, QEvent::MouseButtonPress, grip, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(icon->dragging());
    EXPECT_EQ(icon->pos(), corner);

    for (QPoint travel : {QPoint(-3, -1), QPoint(-70, -30), QPoint(-310, -205), QPoint(-290, -220)}) {
        sendMouse(icon, QEvent::MouseMove, grip + travel, Qt::RightButton);
        EXPECT_EQ(icon->pos(), corner + travel) << travel.x() << "," << travel.y();
        EXPECT_EQ(icon->mapFromGlobal(grip + travel), spot);
        EXPECT_TRUE(icon->dragging());
    }

    sendMouse(icon, QEvent::MouseButtonRelease, grip + QPoint(-290, -220), Qt::NoButton, Qt::RightButton);
    EXPECT_FALSE(icon->dragging());
    sendMouse(icon, QEvent::MouseMove, grip + QPoint(-100, -100), Qt::NoButton);
    EXPECT_EQ(icon->pos(), corner + QPoint(-290, -220));
}

// Offscreen, like X without a window manager, there is no move of the window
// system: the bar and its icon follow the pointer themselves, while a button is held.
TEST_F(BarTest, WithoutAWindowManagerTheBarAndTheIconFollowThePointerWhileAButtonIsHeld)
{
    QuestionBar* bar = loadBar(2);
    const QPoint start = bar->pos();
    const QPoint grip = bar->mapToGlobal(QPoint(2, 100)); // the bar's own surface
    sendMouse(bar, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    sendMouse(bar, QEvent::MouseMove, grip + QPoint(-40, -25), Qt::LeftButton);
    sendMouse(bar, QEvent::MouseMove, grip + QPoint(-120, -60), Qt::LeftButton);
    EXPECT_EQ(bar->pos(), start + QPoint(-120, -60));
    sendMouse(bar, QEvent::MouseButtonRelease, grip + QPoint(-120, -60), Qt::NoButton);
    // Moves after the release leave it where it was dropped.
    sendMouse(bar, QEvent::MouseMove, grip + QPoint(-300, -200), Qt::LeftButton);
    EXPECT_EQ(bar->pos(), start + QPoint(-120, -60));

    bar->setWindowState(Qt::WindowMinimized);
    BarIcon* icon = trainer.barIcon().loaded();
    ASSERT_NE(icon, nullptr);
    const QPoint corner = icon->pos();
    const QPoint middle = icon->mapToGlobal(QPoint(26, 26));
    sendMouse(icon, QEvent::MouseButtonPress, middle, Qt::LeftButton);
    sendMouse(icon, QEvent::MouseMove, middle + QPoint(-10, -5), Qt::LeftButton);
    sendMouse(icon, QEvent::MouseMove, middle + QPoint(-200, -150), Qt::LeftButton);
    EXPECT_EQ(icon->pos(), corner + QPoint(-200, -150));
    sendMouse(icon, QEvent::MouseButtonRelease, middle + QPoint(-200, -150), Qt::NoButton);
    EXPECT_FALSE(icon->dragging());
    sendMouse(icon, QEvent::MouseMove, middle + QPoint(-250, -180), Qt::LeftButton);
    EXPECT_EQ(icon->pos(), corner + QPoint(-200, -150));
}

// A window that comes over the bar (a new player's) puts the bar back on top
// at once rather than at the next keep-on-top tick; not over its own menu or
// a confirmation it waits for. Its icon does the same.
TEST_F(BarTest, AWindowComingOverTheBarPutsItBackOnTopAtOnce)
{
    QuestionBar* bar = loadBar(2);
    CoverWatch* barWatch = bar->findChild<CoverWatch*>();
    ASSERT_NE(barWatch, nullptr);
    RaiseCounter barRaises(bar);
    emit barWatch->covered();
    EXPECT_EQ(barRaises.count, 1);

    QTimer::singleShot(0, bar, [barWatch] {
        emit barWatch->covered();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    bar->inputMethodButton()->click(); // the input-method menu
    EXPECT_EQ(barRaises.count, 1);

    QDialog confirmation;
    confirmation.setWindowModality(Qt::ApplicationModal);
    QTimer::singleShot(0, &confirmation, [&] {
        emit barWatch->covered();
        confirmation.reject();
    });
    confirmation.exec();
    EXPECT_EQ(barRaises.count, 1);

    bar->setWindowState(Qt::WindowMinimized);
    BarIcon* icon = trainer.barIcon().loaded();
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(icon->findChild<CoverWatch*>(), nullptr);
    RaiseCounter iconRaises(icon);
    emit icon->findChild<CoverWatch*>()->covered();
    EXPECT_EQ(iconRaises.count, 1);
}

TEST_F(BarTest, TheResultsHideTheBarAndBackToThePaperBringsTheBarOrItsIcon)
{
    QuestionBar* bar = loadBar(2);
    trainer.showResults();
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_FALSE(bar->isVisible());
    trainer.resultsWindow().loaded()->backToPaperButton()->click();
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    EXPECT_TRUE(bar->isVisible());

    // The hand-in hides a minimized bar's stand-in no more than the bar: the
    // icon stays on screen where the learner put it.
    bar->setWindowState(Qt::WindowMinimized);
    BarIcon* icon = trainer.barIcon().loaded();
    ASSERT_NE(icon, nullptr);
    icon->move(30, 40);
    trainer.showResults();
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->pos(), QPoint(30, 40));
    trainer.resultsWindow().loaded()->backToPaperButton()->click();
    EXPECT_EQ(trainer.barIcon().loaded(), icon);
    EXPECT_TRUE(icon->isVisible());
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(BarTest, TheInputMethodMenuListsAtMost25LayoutsAndSwitchesThem)
{
    methods.installed = {
        {u"keyboard-us"_s, {}, false}, {u"pinyin"_s, u"拼音"_s, true}, {u"keyboard-ru"_s, {}, false}};
    methods.active = u"keyboard-us"_s;
    QuestionBar* bar = loadBar(2);
    QStringList texts;
    QList<int> ids;
    for (QAction* action : bar->inputMenu()->actions()) {
        texts << action->text();
        ids << action->data().toInt();
    }
    EXPECT_EQ(texts, (QStringList{u"english(american)"_s, u"拼音"_s, u"english(american)"_s}));
    EXPECT_EQ(ids, (QList<int>{301, 302, 303}));
    EXPECT_EQ(methods.activated, std::vector<QString>{u"keyboard-us"_s});

    bar->menuCommand(302);
    EXPECT_EQ(methods.active, u"pinyin"_s);
    bar->menuCommand(304); // no such layout
    bar->menuCommand(300);
    EXPECT_EQ(methods.active, u"pinyin"_s);
    EXPECT_EQ(bar->inputMethodButton()->caption(), u"EN"_s);
}

TEST_F(BarTest, TheMenuButtonStopsTheKeepOnTopTimer)
{
    methods.installed.clear();
    for (int i = 1; i <= 30; ++i)
        methods.installed.push_back({u"layout%1"_s.arg(i), {}, false});
    QuestionBar* bar = loadBar(2);
    EXPECT_EQ(bar->inputMenu()->actions().size(), 25);
    QTimer::singleShot(0, bar, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    bar->inputMethodButton()->click();
    EXPECT_FALSE(bar->keepOnTopTimer()->isEnabled());
    bar->keepOnTopTimer()->tick(); // a stopped timer does not tick
    EXPECT_EQ(bar->inputMethodButton()->caption(), u"EN"_s);
}

TEST(XkbQuery, LayoutsAndVariantsPairUp)
{
    const QString query =
        u"rules:      evdev\nmodel:      pc105\nlayout:     us,de,ru\nvariant:    ,nodeadkeys,\n"_s;
    EXPECT_EQ(xkbLayoutsFromQuery(query), (QStringList{u"us"_s, u"de(nodeadkeys)"_s, u"ru"_s}));
    EXPECT_TRUE(xkbLayoutsFromQuery(u"rules: evdev\n"_s).isEmpty());
}
