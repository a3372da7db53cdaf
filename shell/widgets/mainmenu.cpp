#include "shell/widgets/mainmenu.h"

#include "db/compact.h"
#include "db/database.h"
#include "db/databasecheck.h"
#include "db/schema.h"
#include "db/userdatabase.h"
#include "paper/paperbuilder.h"
#include "paper/practicehistory.h"
#include "platform/messagebox.h"
#include "platform/processes.h"
#include "platform/programfolder.h"
#include "shell/about.h"
#include "shell/programend.h"
#include "shell/singleinstance.h"
#include "shell/widgets/artwork.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/loginbackdrop.h"
#include "shell/widgets/screen.h"
#include "shell/widgets/trainer.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QString smallScreenMessage =
    u"系统运行的最低分辨率是800X600，请确保你的显示分辨率已设置不低于该分辨率！"_s;

struct MenuChoice
{
    QString control;
    QString caption;
    int left;
    int top;
    QString chosenSet;
};

const MenuChoice menuChoices[] = {
    {u"PushButton5"_s, u"第1套题"_s, 1500, 2520, u"第1套题"_s},
    {u"PushButton6"_s, u"第2套题"_s, 3933, 2520, u"第2套题"_s},
    {u"PushButton7"_s, u"第3套题"_s, 6373, 2520, u"第3套题"_s},
    {u"PushButton8"_s, u"第4套题"_s, 8813, 2520, u"第4套题"_s},
    {u"PushButton9"_s, u"第5套题"_s, 1500, 3760, u"第5套题"_s},
    {u"PushButton10"_s, u"第6套题"_s, 3933, 3760, u"第6套题"_s},
    {u"PushButton11"_s, u"第7套题"_s, 6373, 3760, u"第7套题"_s},
    {u"PushButton12"_s, u"第8套题"_s, 8813, 3760, u"第8套题"_s},
    {u"PushButton13"_s, u"第9套题"_s, 1500, 5000, u"第9套题"_s},
    {u"PushButton14"_s, u"冲刺题1"_s, 3933, 5000, u"第10套题"_s},
    {u"PushButton15"_s, u"冲刺题2"_s, 6373, 5000, u"第11套题"_s},
    {u"PushButton16"_s, u"冲刺题3"_s, 8813, 5000, u"第12套题"_s},
    {u"PushButton18"_s, u"随机练习"_s, 3933, 6240, u"随机练习"_s},
    {u"PushButton19"_s, u"错题练习 "_s, 6373, 6240, u"错题练习"_s},
};

// Client area 11910 × 8985 twips.
const QSize clientSize(794, 599);

Qt::WindowFlags captionedFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

Qt::WindowFlags captionlessFlags()
{
    return Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
}

} // namespace

MainMenu::MainMenu(Trainer& trainer) : Form(u"index"_s), m_trainer(trainer)
{
    setWindowTitle(u"朔禾职称计算机考试练习系统"_s);
    setWindowFlags(captionedFlags());
    setFixedSize(clientSize);

    for (const MenuChoice& choice : menuChoices) {
        auto* button = new PushButton(this, choice.control, choice.caption);
        button->setFont(songFont(12));
        button->setGeometry(twipsRect(choice.left, choice.top, 1695, 615));
        connect(button, &PushButton::clicked, this,
                [this, set = choice.chosenSet] { choose(practiceChoiceNamed(set)); });
    }

    // The history and the weak-point practice sit in the free places of the
    // last row, beside 随机练习 and 错题练习.
    auto* history = new PushButton(this, u"historyButton"_s, u"练习记录"_s);
    history->setFont(songFont(12));
    history->setGeometry(twipsRect(1500, 6240, 1695, 615));
    connect(history, &PushButton::clicked, this, [this] {
        if (m_databaseReady)
            m_trainer.showHistory();
    });
    auto* weakPoints = new PushButton(this, u"weakPointButton"_s, weakPointPracticeName());
    weakPoints->setFont(songFont(12));
    weakPoints->setGeometry(twipsRect(8813, 6240, 1695, 615));
    connect(weakPoints, &PushButton::clicked, this,
            [this] { choose(practiceChoiceNamed(weakPointPracticeName())); });

    // 关于 sits in the footer, beside the line on the licence.
    auto* about = new PushButton(this, u"aboutButton"_s, u"关于"_s);
    about->setFont(songFont(9));
    about->setGeometry(300, 565, 56, 22);
    connect(about, &PushButton::clicked, this,
            [this] { msgBox(aboutText(m_dbfile), MessageIcon::Information, MessageButtons::Ok, u"关于"_s); });

    m_classroomStatus = new Label(this, u"classroomStatus"_s);
    m_classroomStatus->setFont(songFont(9));
    m_classroomStatus->setTransparent(true);
    m_classroomStatus->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_classroomStatus->setGeometry(twipsRect(8400, 7700, 3300, 300));
    m_classroomStatus->setVisible(false);

    m_btgr = new GroupBox(this, u"btgr"_s, u"分辨率为800X600时显示该按钮组"_s);
    m_btgr->setGeometry(twipsRect(4088, 7200, 3735, 735));
    auto* minimize = new PushButton(m_btgr, u"PushButton1"_s, u"最小化窗口"_s);
    minimize->setGeometry(twipsRect(360, 240, 1260, 420));
    connect(minimize, &PushButton::clicked, this, [this] { showMinimized(); });
    auto* closebt = new PushButton(m_btgr, u"closebt"_s, u"退出系统"_s);
    closebt->setGeometry(twipsRect(2160, 240, 1260, 420));
    connect(closebt, &PushButton::clicked, this, [this] { m_trainer.mainMenu().unload(); });
}

QString MainMenu::exitHint() const
{
    return menuExitHint(!m_btgr->isHidden());
}

PushButton* MainMenu::button(const QString& name) const
{
    return findChild<PushButton*>(name);
}

void MainMenu::showClassroomStatus(const QString& text, const QString& tip)
{
    m_classroomStatus->setCaption(text);
    m_classroomStatus->setToolTip(tip);
    m_classroomStatus->setVisible(true);
}

bool MainMenu::load()
{
    if (!claimProgram())
        return false;
    if (Status opened = openDatabase(); !opened) {
        failProgram(opened.error());
        return false;
    }
    return true;
}

bool MainMenu::claimProgram()
{
    const QString folder = programFolder();
    m_dbfile = databasePathInFolder(folder);
    if (Status made = makeDatabaseFolder(folder); !made) {
        failProgram(made.error());
        return false;
    }
    const InstanceClaimOutcome claim = claimSingleInstance(m_dbfile);
    switch (claim.claim) {
    case InstanceClaim::Claimed:
        break;
    case InstanceClaim::AlreadyRunning:
        msgBox(u"请不要重复运行本系统！"_s, MessageIcon::Critical);
        endProgram(0);
        return false;
    case InstanceClaim::HeldOnAnotherHost:
        msgBox(u"本系统正在另一台计算机“%1”上使用同一个数据库（锁文件“%2”）。请先退出那台计算机上的练习系统；"
               u"如果那里的练习系统已经不在运行，请删除该锁文件后重新启动本系统。"_s.arg(
                   claim.otherHost, QDir::toNativeSeparators(claim.lockFile)),
               MessageIcon::Critical);
        endProgram(0);
        return false;
    case InstanceClaim::NoRuntimeFolder:
        failProgram(u"无法建立本用户专用的运行文件夹，系统不能启动。"_s);
        return false;
    case InstanceClaim::LockNotWritable:
        failProgram(u"无法在文件夹“%1”或本用户的运行文件夹中建立锁文件，系统不能启动。"_s.arg(
            QFileInfo(m_dbfile).absolutePath()));
        return false;
    }
    m_screen = screenSizePixels();
    if (screenTooSmall(m_screen.width(), m_screen.height())) {
        refuseSmallScreen();
        return false;
    }
    m_trainer.session().choice.kind = PaperKind::Set;
    m_trainer.session().candidate.examMode = false;
    layOutForScreen();
    return !screenTooSmall(m_screen.width(), m_screen.height());
}

Status MainMenu::openDatabase()
{
    const QString folder = programFolder();
    // Under the lock: no other trainer of this user copies the bank at the same time.
    const Result<PreparedCopy> prepared = prepareUserDatabase(folder);
    if (!prepared)
        return Status::failure(prepared.error());
    if (!prepared->damagedCopy.isEmpty())
        msgBox(damagedCopyNotice(m_dbfile, prepared.value()), MessageIcon::Information);
    m_dbpassword = databasePassword();
    // A database of an earlier version gets the tables of the practice history, on the checked connection.
    if (Status usable = checkDatabaseForUse(
            m_dbfile, m_dbpassword, [](Connection& connection) { return ensureLearnerTables(connection); });
        !usable)
        return usable;
    m_databaseReady = true;
    m_trainer.startClassroom(m_dbfile);
    // A player left behind by a run of ours that was killed would cover the menu.
    stopLeftoverPlayers(folder);
    return {};
}

void MainMenu::refuseSmallScreen()
{
    msgBox(smallScreenMessage, MessageIcon::Critical);
    endProgram(0);
}

void MainMenu::layOutForScreen()
{
    if (m_inResize || m_exiting)
        return;
    m_inResize = true;
    m_screen = screenSizePixels();
    const MenuLayout layout = computeMenuLayout(m_screen.width(), m_screen.height(), isMinimized());
    if (layout.laidOut) {
        m_layout = layout;
        applyLayout(layout);
    }
    m_inResize = false;
    if (layout.screenTooSmall)
        refuseSmallScreen();
}

void MainMenu::applyLayout(const MenuLayout& layout)
{
    m_btgr->setVisible(layout.btgrVisible);
    update(); // the footer's way out follows the button group
    if (windowFlags().testFlag(Qt::FramelessWindowHint) != layout.captionless) {
        const bool wasVisible = isVisible();
        setWindowFlags(layout.captionless ? captionlessFlags() : captionedFlags());
        if (wasVisible)
            show();
    }
    if (layout.captionless) {
        // The whole 800 × 600 picture fills the screen.
        setFixedSize(800, 600);
        move(0, 0);
    } else {
        setFixedSize(clientSize);
        // The window frame goes where the twips say (half pixels rounded).
        move(twipsToPixels(layout.leftTwips), twipsToPixels(layout.topTwips));
    }
}

void MainMenu::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    layOutForScreen();
}

void MainMenu::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOutForScreen();
}

void MainMenu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, menuArtwork(!m_btgr->isHidden()));
}

void MainMenu::choose(const PracticeChoice& choice)
{
    if (!m_databaseReady)
        return;
    if (Status emptied = emptyPaper(); !emptied) {
        failProgram(emptied.error());
        return;
    }
    m_trainer.session().choice = choice;
    m_trainer.loginBackdrop()->show();
    hide();
}

void MainMenu::unloading()
{
    if (m_exiting)
        return;
    m_exiting = true;
    // Left before the database was opened: nothing of it was touched.
    if (!m_databaseReady) {
        endProgram(0);
        return;
    }
    if (Status emptied = emptyPaperTables(); !emptied) {
        failProgram(emptied.error());
        return;
    }
    // A review's movie of a history question is only a copy of the bank's: it
    // goes too, and should it not, the next review replaces it.
    removeReviewMovies();
    m_trainer.stopClassroom();
    // A failed compaction leaves the file as it was; the program ends all the same.
    compactDatabaseFile(m_dbfile, m_dbpassword);
    endProgram(0);
}

} // namespace pptdrill

#include "moc_mainmenu.cpp"
