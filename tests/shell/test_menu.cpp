// Start-up, the main menu's layout and choices, and the orderly exit.
#include "common/programinfo.h"
#include "db/compact.h"
#include "platform/widgets/firstpaint.h"
#include "shell/widgets/menulayout.h"
#include "tests/shell/shellfixture.h"

#include <QApplication>
#include <QDateTime>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

const QString smallScreenMessage =
    u"系统运行的最低分辨率是800X600，请确保你的显示分辨率已设置不低于该分辨率！"_s;

ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

TEST(MenuLayout, ExactlyEightHundredBySixHundredIsCaptionlessAtTheTopLeftWithTheButtonGroup)
{
    const MenuLayout exact = computeMenuLayout(800, 600, false);
    EXPECT_TRUE(exact.laidOut);
    EXPECT_TRUE(exact.captionless);
    EXPECT_TRUE(exact.btgrVisible);
    EXPECT_EQ(exact.leftTwips, 0);
    EXPECT_EQ(exact.topTwips, 0);
    EXPECT_FALSE(exact.screenTooSmall);

    for (QSize size : {QSize(801, 600), QSize(800, 601)}) {
        const MenuLayout l = computeMenuLayout(size.width(), size.height(), false);
        EXPECT_FALSE(l.captionless) << size.width() << "x" << size.height();
        EXPECT_FALSE(l.btgrVisible);
        EXPECT_DOUBLE_EQ(l.leftTwips, (size.width() - 800) / 2.0 * 15);
        EXPECT_DOUBLE_EQ(l.topTwips, (size.height() - 643) / 2.0 * 15);
    }
}

TEST(MenuLayout, OtherScreensCentreTheCaptionedWindowInHalfPixels)
{
    const MenuLayout xga = computeMenuLayout(1024, 768, false);
    EXPECT_DOUBLE_EQ(xga.leftTwips, 1680);
    EXPECT_DOUBLE_EQ(xga.topTwips, 937.5);
    // 600 high and wider than 800: the upper edge lies above the screen.
    EXPECT_DOUBLE_EQ(computeMenuLayout(1280, 600, false).topTwips, -322.5);
    EXPECT_DOUBLE_EQ(computeMenuLayout(801, 600, false).leftTwips, 7.5);
}

TEST(MenuLayout, MinimizedSkipsTheLayoutButNotTheResolutionTest)
{
    const MenuLayout minimized = computeMenuLayout(1024, 768, true);
    EXPECT_FALSE(minimized.laidOut);
    EXPECT_FALSE(minimized.screenTooSmall);
    EXPECT_TRUE(computeMenuLayout(1024, 599, true).screenTooSmall);
    EXPECT_TRUE(computeMenuLayout(799, 1024, false).screenTooSmall);
    EXPECT_FALSE(computeMenuLayout(800, 600, true).screenTooSmall);
}

using StartUp = ShellTest;

TEST_F(StartUp, ResetsTheSessionMeasuresTheScreenAndShowsTheMenuWithItsChoices)
{
    ExamSession& session = trainer.session();
    session.choice = practiceChoiceNamed(u"随机练习"_s);
    session.candidate.examMode = true;
    MainMenu* menu = startMenu();
    EXPECT_FALSE(endedWith.has_value());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(session.choice.kind, PaperKind::Set);
    EXPECT_FALSE(session.candidate.examMode);
    EXPECT_EQ(menu->measuredScreen(), QSize(1024, 768));
    EXPECT_EQ(menu->dbfile(), folder.file(u"stdata.db"_s));
    EXPECT_EQ(menu->dbpassword(), databasePassword());

    EXPECT_EQ(menu->windowTitle(), u"朔禾职称计算机考试练习系统"_s);
    EXPECT_EQ(menu->size(), QSize(794, 599));
    const QStringList captions = {u"第1套题"_s, u"第2套题"_s, u"第3套题"_s,  u"第4套题"_s,  u"第5套题"_s,
                                  u"第6套题"_s, u"第7套题"_s, u"第8套题"_s,  u"第9套题"_s,  u"冲刺题1"_s,
                                  u"冲刺题2"_s, u"冲刺题3"_s, u"随机练习"_s, u"错题练习 "_s};
    const QList<int> numbers = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19};
    for (int i = 0; i < numbers.size(); ++i) {
        PushButton* button = menu->button(u"PushButton%1"_s.arg(numbers[i]));
        ASSERT_NE(button, nullptr) << numbers[i];
        EXPECT_EQ(button->caption(), captions[i]);
        EXPECT_EQ(button->size(), QSize(113, 41));
        EXPECT_EQ(button->font().pixelSize(), 16); // 12 points
    }
    EXPECT_EQ(menu->button(u"PushButton7"_s)->pos(), QPoint(425, 168));
    EXPECT_EQ(menu->button(u"PushButton19"_s)->pos(), QPoint(425, 416));
    EXPECT_EQ(menu->btgr()->geometry(), QRect(273, 480, 249, 49));
    EXPECT_EQ(menu->button(u"closebt"_s)->parentWidget(), menu->btgr());
    EXPECT_EQ(menu->button(u"closebt"_s)->caption(), u"退出系统"_s);
    EXPECT_EQ(menu->button(u"PushButton1"_s)->caption(), u"最小化窗口"_s);
}

TEST_F(StartUp, ScreensBelowEightHundredBySixHundredEndTheProgramWithTheMessage)
{
    for (QSize size : {QSize(799, 1024), QSize(1024, 599)}) {
        screen = size;
        endedWith.reset();
        boxes.shown.clear();
        EXPECT_FALSE(trainer.mainMenu()->load());
        EXPECT_EQ(endedWith, 0);
        ASSERT_EQ(boxes.texts(), QStringList{smallScreenMessage});
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(boxes.shown[0].title, u"朔禾软件"_s);
    }
}

TEST_F(StartUp, ASecondInstanceIsRefusedBeforeAnythingElse)
{
    // Another running main program holds the lock.
    QLockFile other(singleInstanceLockPath());
    ASSERT_TRUE(other.tryLock(0));
    screen = QSize(640, 480);
    EXPECT_FALSE(trainer.mainMenu()->load());
    EXPECT_EQ(boxes.texts(), QStringList{u"请不要重复运行本系统！"_s});
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(endedWith, 0);
}

TEST_F(StartUp, TheDatabaseIsGuardedWhateverTheRuntimeFolder)
{
    // A trainer of another user, or of this user with another runtime folder,
    // works on the same database: its paper would be emptied by our first choice.
    QLockFile other(databaseLockPath(folder.file(u"stdata.db"_s)));
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_FALSE(trainer.mainMenu()->load());
    EXPECT_EQ(boxes.texts(), QStringList{u"请不要重复运行本系统！"_s});
    EXPECT_EQ(endedWith, 0);

    // Once that trainer has ended, the start goes ahead.
    other.unlock();
    boxes.shown.clear();
    endedWith.reset();
    EXPECT_TRUE(trainer.mainMenu()->load());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartUp, LocksLeftByKilledRunsAreTakenOverAndOneOfAnotherHostIsNamed)
{
    const QString lock = databaseLockPath(folder.file(u"stdata.db"_s));
    const auto writeLock = [&](const QByteArray& content, qint64 secondsOld) {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsOld),
                         QFileDevice::FileModificationTime);
    };
    const auto start = [&] {
        boxes.shown.clear();
        endedWith.reset();
        const bool loaded = trainer.mainMenu()->load();
        if (loaded)
            releaseSingleInstance();
        return loaded;
    };
    // Killed between making the lock and writing it: an empty file.
    writeLock({}, 60);
    EXPECT_TRUE(start());
    EXPECT_TRUE(boxes.shown.empty());
    // Unreadable content counts the same.
    writeLock("not a lock", 60);
    EXPECT_TRUE(start());

    // A process of this computer that no longer runs.
    QProcess gone;
    gone.start(u"true"_s);
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    writeLock(QByteArray::number(pid) + "\npptdrill\n" + host + "\n", 0);
    EXPECT_TRUE(start()) << boxes.texts().join(u' ').toStdString();

    // A trainer on another computer sharing the folder: not taken, and said so.
    writeLock(QByteArray::number(::getpid()) + "\npptdrill\nclassroom-pc-07\n", 3600);
    EXPECT_FALSE(start());
    EXPECT_EQ(endedWith, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(u"另一台计算机“classroom-pc-07”"_s))
        << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains(lock)) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(QFile::exists(lock));

    // A live lock of this computer still keeps a second trainer out.
    QFile::remove(lock);
    QLockFile other(lock);
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_FALSE(start());
    EXPECT_EQ(boxes.texts(), QStringList{u"请不要重复运行本系统！"_s});
}

TEST_F(StartUp, WithoutARuntimeFolderTheLockLivesInAPrivateFolderOfTheUser)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("HOME", QFile::encodeName(home.path()));
    for (const QByteArray& runtime : {QByteArray(), QFile::encodeName(home.filePath(u"not-a-folder"_s))}) {
        if (runtime.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            QFile file(QFile::decodeName(runtime));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            qputenv("XDG_RUNTIME_DIR", runtime);
        }
        const QString lock = singleInstanceLockPath();
        EXPECT_TRUE(lock.startsWith(home.path() + u'/')) << lock.toStdString();
        struct stat info = {};
        ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(lock).path()).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_EQ(info.st_uid, ::geteuid());
    }
    EXPECT_TRUE(trainer.mainMenu()->load());
    EXPECT_TRUE(boxes.shown.empty());
    releaseSingleInstance();
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    qputenv("HOME", oldHome);
}

TEST_F(StartUp, AnUnusableDatabaseIsNamedInChineseAndEndsTheProgram)
{
    const QString db = folder.file(u"stdata.db"_s);
    struct Case
    {
        QString damage;
        QString says;
    };
    const Case cases[] = {
        {u"DROP TABLE st"_s, u"缺少数据表“st”"_s},
        // A bank of an older make: its tables end before the columns named.
        {u"CREATE TABLE x AS SELECT ID, 课程名, 套题类, 套题子类, 题型, 内容多媒体1 FROM stk;"
         u"DROP TABLE stk; ALTER TABLE x RENAME TO stk"_s,
         u"数据表“stk”缺少字段“错题”"_s},
        {u"CREATE TABLE x AS SELECT stid, 大题类, 题号, 题型, 题干, 内容多媒体类型, 内容多媒体2, "
         u"内容多媒体文件名, 解析多媒体1, 解析多媒体文件, 解析多媒体2, 解析多媒体文件名, 解析多媒体类型, "
         u"解析, "
         u"分值, stkid, 是否已做 FROM st; DROP TABLE st; ALTER TABLE x RENAME TO st"_s,
         u"数据表“st”缺少字段“得分”"_s},
    };
    const QString pristine = folder.file(u"pristine.db"_s);
    ASSERT_TRUE(QFile::copy(db, pristine));
    for (const Case& c : cases) {
        QFile::remove(db);
        ASSERT_TRUE(QFile::copy(pristine, db));
        auto conn = openTestDatabase();
        const Status damaged = conn->executeScript(c.damage);
        ASSERT_TRUE(damaged.ok()) << damaged.error().toStdString();
        conn->close();
        boxes.shown.clear();
        endedWith.reset();
        EXPECT_FALSE(trainer.mainMenu()->load()) << c.damage.toStdString();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains(c.says)) << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(db));
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(endedWith, 1);
        releaseSingleInstance();
    }

    // Not the database at all, or no file.
    QFile::remove(db);
    QFile junk(db);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    boxes.shown.clear();
    EXPECT_FALSE(trainer.mainMenu()->load());
    EXPECT_TRUE(boxes.texts().value(0).contains(u"打不开"_s));
    releaseSingleInstance();
    QFile::remove(db);
    boxes.shown.clear();
    EXPECT_FALSE(trainer.mainMenu()->load());
    EXPECT_TRUE(boxes.texts().value(0).startsWith(u"找不到题库文件"_s));
    releaseSingleInstance();

    // A folder no one may write, as an installed program's: the menu works on the
    // learner's copy of the bank in their data folder and leaves the folder alone.
    QTemporaryDir dataHome;
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    QStandardPaths::setTestModeEnabled(false);
    ASSERT_TRUE(QFile::copy(pristine, db));
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    boxes.shown.clear();
    const bool loaded = trainer.mainMenu()->load();
    const QStringList programFiles = QDir(folder.path()).entryList(QDir::Files);
    releaseSingleInstance();
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_DATA_HOME", oldDataHome);
    QStandardPaths::setTestModeEnabled(true);
    EXPECT_TRUE(loaded) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(QFileInfo::exists(dataHome.filePath(u"pptdrill/stdata.db"_s)));
    EXPECT_FALSE(programFiles.contains(u"stdata.db.lock"_s));
}

using MenuWindow = ShellTest;

TEST_F(MenuWindow, TheLayoutFollowsTheScreenOnEveryResize)
{
    screen = QSize(800, 600);
    MainMenu* menu = startMenu();
    EXPECT_TRUE(menu->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(menu->btgr()->isHidden());
    EXPECT_EQ(menu->frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(menu->size(), QSize(800, 600));
    // The footer sends the learner to a way out the window has.
    EXPECT_EQ(menu->exitHint(), u"练习完毕请单击“退出系统”退出"_s);

    screen = QSize(1024, 768);
    menu->layOutForScreen();
    EXPECT_FALSE(menu->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->btgr()->isHidden());
    EXPECT_EQ(menu->exitHint(), u"练习完毕请关闭窗口退出"_s);
    EXPECT_EQ(menu->size(), QSize(794, 599));
    EXPECT_DOUBLE_EQ(menu->lastLayout().leftTwips, 1680);
    EXPECT_DOUBLE_EQ(menu->lastLayout().topTwips, 937.5);
    EXPECT_EQ(menu->frameGeometry().topLeft(), QPoint(112, 63));

    screen = QSize(1280, 600);
    menu->layOutForScreen();
    EXPECT_EQ(menu->frameGeometry().top(), -21);

    screen = QSize(800, 600);
    menu->layOutForScreen();
    EXPECT_TRUE(menu->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(menu->btgr()->isHidden());
    EXPECT_FALSE(endedWith.has_value());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MenuWindow, AboutShowsTheVersionTheLicenceAndWhereTheDataLies)
{
    screen = QSize(800, 600);
    MainMenu* menu = startMenu();
    PushButton* about = menu->button(u"aboutButton"_s);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->caption(), u"关于"_s);
    for (QSize size : {QSize(800, 600), QSize(1024, 768)}) {
        screen = size;
        menu->layOutForScreen();
        EXPECT_TRUE(about->isVisible());
        EXPECT_TRUE(menu->rect().contains(about->geometry())) << size.width();
        EXPECT_FALSE(about->geometry().intersects(menu->btgr()->geometry()));
    }
    about->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"关于"_s);
    EXPECT_TRUE(boxes.shown[0].text.contains(u"版本 "_s + programVersion()));
    EXPECT_TRUE(boxes.shown[0].text.contains(u"GPL-3.0-or-later"_s));
    EXPECT_TRUE(boxes.shown[0].text.contains(menu->dbfile())) << boxes.shown[0].text.toStdString();
    EXPECT_FALSE(endedWith.has_value());
}

TEST_F(MenuWindow, MinimizingSkipsTheLayoutButStillTestsTheResolution)
{
    screen = QSize(800, 600);
    MainMenu* menu = startMenu();
    menu->button(u"PushButton1"_s)->click(); // "最小化窗口"
    ASSERT_TRUE(menu->isMinimized());
    screen = QSize(1024, 768);
    menu->layOutForScreen();
    EXPECT_TRUE(menu->windowFlags().testFlag(Qt::FramelessWindowHint)) << "laid out while minimized";
    EXPECT_FALSE(endedWith.has_value());

    screen = QSize(1024, 599);
    menu->layOutForScreen();
    EXPECT_EQ(boxes.texts(), QStringList{smallScreenMessage});
    EXPECT_EQ(endedWith, 0);
}

// The menu's own "最小化窗口" leaves it iconic; a choice then hides it. Each way
// back must show it normal and active, or the learner faces an empty screen.
TEST_F(MenuWindow, EveryWayBackAfterItsOwnMinimizeShowsTheMenuNormalAndActive)
{
    screen = QSize(800, 600);
    MainMenu* menu = startMenu();
    const auto minimizeThenChoose = [&](int choice) {
        menu->button(u"PushButton1"_s)->click(); // "最小化窗口"
        ASSERT_TRUE(menu->isMinimized());
        menu->button(u"PushButton%1"_s.arg(choice))->click();
        settle();
        ASSERT_FALSE(menu->isVisible());
        ASSERT_TRUE(trainer.loginDialog().isLoaded());
    };
    const auto expectMenuBack = [&](const char* way) {
        settle();
        EXPECT_TRUE(menu->isVisible()) << way;
        EXPECT_FALSE(menu->isMinimized()) << way;
        EXPECT_EQ(menu->windowHandle()->visibility(), QWindow::Windowed) << way;
        EXPECT_EQ(QApplication::activeWindow(), menu) << way;
    };

    minimizeThenChoose(5);
    trainer.loginDialog()->backButton()->click(); // "返  回"
    expectMenuBack("返  回");

    minimizeThenChoose(9); // 第5套题 has no questions
    logIn(u"18"_s, u"4401"_s);
    settle();
    ASSERT_TRUE(trainer.loadingWindow().isLoaded());
    trainer.loadingWindow()->buildTimer()->tick();
    trainer.loadingWindow()->buildTimer()->tick();
    expectMenuBack("没有该类试题！");

    // The learner closes the login windows through their caption bars.
    minimizeThenChoose(5);
    trainer.loginDialog()->close();
    settle();
    trainer.loginBackdrop()->close();
    expectMenuBack("closed login");
    EXPECT_FALSE(endedWith.has_value());
}

using MenuChoices = ShellTest;

TEST_F(MenuChoices, EachChoiceEmptiesThePaperSetsThePracticeAndOpensTheLogin)
{
    struct Expected
    {
        int button;
        QString set;
        PaperKind kind;
    };
    const Expected choices[] = {
        {5, u"第1套题"_s, PaperKind::Set},      {9, u"第5套题"_s, PaperKind::Set},
        {13, u"第9套题"_s, PaperKind::Set},     {14, u"第10套题"_s, PaperKind::Set},
        {15, u"第11套题"_s, PaperKind::Set},    {16, u"第12套题"_s, PaperKind::Set},
        {18, u"随机练习"_s, PaperKind::Random}, {19, u"错题练习"_s, PaperKind::WrongQuestions}};
    MainMenu* menu = startMenu();
    for (const Expected& choice : choices) {
        auto conn = openTestDatabase();
        addPaperRow(conn, 1);
        conn->close();

        menu->button(u"PushButton%1"_s.arg(choice.button))->click();
        settle();
        EXPECT_EQ(trainer.session().choice.setName, choice.set);
        EXPECT_EQ(trainer.session().choice.kind, choice.kind) << choice.button;
        EXPECT_EQ(rowsOf(u"st"_s), 0);
        EXPECT_FALSE(menu->isVisible());
        ASSERT_TRUE(trainer.loginBackdrop().isLoaded());
        EXPECT_TRUE(trainer.loginBackdrop()->isVisible());
        ASSERT_TRUE(trainer.loginDialog().isLoaded()) << "the backdrop did not bring up the login";
        EXPECT_TRUE(trainer.loginDialog()->isVisible());

        // Abandoning the login: back to the menu, the paper stays empty, the choice stays.
        trainer.loginDialog()->backButton()->click();
        settle();
        EXPECT_FALSE(trainer.loginDialog().isLoaded());
        EXPECT_FALSE(trainer.loginBackdrop().isLoaded());
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(trainer.session().choice.setName, choice.set);
        EXPECT_EQ(rowsOf(u"st"_s), 0);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MenuChoices, RandomThenBackThenWrongQuestionsIsNoLongerRandom)
{
    MainMenu* menu = startMenu();
    menu->button(u"PushButton18"_s)->click();
    settle();
    EXPECT_TRUE(trainer.session().choice.isRandom());
    trainer.loginDialog()->backButton()->click();
    settle();
    menu->button(u"PushButton19"_s)->click();
    EXPECT_EQ(trainer.session().choice.kind, PaperKind::WrongQuestions);
    EXPECT_EQ(trainer.session().choice.setName, u"错题练习"_s);
}

TEST_F(MenuChoices, ADatabaseThatCannotBeOpenedEndsTheProgramWithItsError)
{
    MainMenu* menu = startMenu();
    ASSERT_TRUE(QFile::remove(folder.file(u"stdata.db"_s)));
    menu->button(u"PushButton5"_s)->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(boxes.shown[0].text.isEmpty());
    EXPECT_EQ(endedWith, 1);
    EXPECT_FALSE(trainer.loginBackdrop().isLoaded());
    EXPECT_TRUE(trainer.session().choice.setName.isEmpty());
}

TEST_F(StartUp, TheMenuIsShownBeforeTheDatabaseIsOpenedAndItsChoicesWaitForIt)
{
    MainMenu* menu = trainer.mainMenu().get();
    ASSERT_TRUE(menu->claimProgram());
    menu->show();
    EXPECT_FALSE(menu->databaseReady());
    // A click that comes before the database is open does nothing: no paper
    // is emptied, no login is shown, the program goes on.
    menu->button(u"PushButton5"_s)->click();
    menu->button(u"historyButton"_s)->click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(endedWith.has_value());
    EXPECT_FALSE(trainer.loginBackdrop().isLoaded());
    EXPECT_TRUE(menu->isVisible());

    ASSERT_TRUE(menu->openDatabase().ok());
    EXPECT_TRUE(menu->databaseReady());
    menu->button(u"PushButton5"_s)->click();
    EXPECT_TRUE(trainer.loginBackdrop().isLoaded());
    EXPECT_FALSE(menu->isVisible());
    releaseSingleInstance();
}

TEST_F(StartUp, AMenuLeftBeforeItsDatabaseWasOpenedLeavesTheFileAsItWas)
{
    const QString db = folder.file(u"stdata.db"_s);
    QFile junk(db);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    MainMenu* menu = trainer.mainMenu().get();
    ASSERT_TRUE(menu->claimProgram());
    menu->show();
    menu->button(u"closebt"_s)->click(); // "退出系统"
    EXPECT_EQ(endedWith, 0);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.texts().join(u'\n').toStdString();
    ASSERT_TRUE(junk.open(QIODevice::ReadOnly));
    EXPECT_EQ(junk.readAll(), QByteArray(4096, 'x'));
    releaseSingleInstance();
}

TEST(AfterFirstPaint, RunsOnceInTheTurnAfterTheFirstPaintOrLateForAWindowKeptOffScreen)
{
    QWidget shown;
    shown.resize(200, 100);
    int runs = 0;
    bool paintedFirst = false;
    afterFirstPaint(&shown, [&] {
        ++runs;
        paintedFirst = shown.isVisible();
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "ran before the window was shown";
    shown.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 5000));
    EXPECT_TRUE(paintedFirst);
    shown.update();
    QTest::qWait(50);
    EXPECT_EQ(runs, 1);

    QWidget hidden;
    bool ran = false;
    afterFirstPaint(
        &hidden, [&] { ran = true; }, 30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
}

using OrderlyExit = ShellTest;

TEST_F(OrderlyExit, LeavingEmptiesTheWorkingTablesAndCompactsTheDatabase)
{
    for (bool byCloseButton : {true, false}) {
        auto conn = openTestDatabase();
        addPaperRow(conn, 1);
        ASSERT_TRUE(conn->executeScript(u"INSERT INTO stkbf (stkid, 备注) VALUES (1, 'a');"
                                        u"INSERT INTO stlbf (stid, 备注) VALUES (1, 'b');"_s)
                        .ok());
        conn->close();
        endedWith.reset();
        const ino_t before = inodeOf(folder.file(u"stdata.db"_s));

        MainMenu* menu = startMenu();
        if (byCloseButton)
            menu->button(u"closebt"_s)->click();
        else
            menu->close(); // the caption bar's close
        EXPECT_EQ(endedWith, 0);
        EXPECT_FALSE(trainer.mainMenu().isLoaded());
        EXPECT_EQ(rowsOf(u"st"_s), 0);
        EXPECT_EQ(rowsOf(u"stkbf"_s), 0);
        EXPECT_EQ(rowsOf(u"stlbf"_s), 0);
        EXPECT_EQ(rowsOf(u"stk"_s), 7) << "the bank survives the compaction";
        EXPECT_FALSE(QFile::exists(compactionTempPath(folder.file(u"stdata.db"_s))));
        EXPECT_NE(inodeOf(folder.file(u"stdata.db"_s)), before) << "the file was not compacted";
        settle();
    }
}
