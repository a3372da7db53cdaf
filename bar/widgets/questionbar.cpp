#include "bar/widgets/questionbar.h"

#include "bar/widgets/baricon.h"
#include "cipher/textfields.h"
#include "db/database.h"
#include "db/statements.h"
#include "paper/paperprogress.h"
#include "platform/messagebox.h"
#include "platform/steadyclock.h"
#include "platform/widgets/firstpaint.h"
#include "platform/widgets/inputmethods.h"
#include "platform/widgets/windowsystem.h"
#include "player/channel.h"
#include "shell/programend.h"
#include "shell/widgets/controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

constexpr int kMaxLayouts = 25;
constexpr int kFirstLayoutCommand = 301;

// The bar's outer size in twips, caption bar and borders included.
constexpr int kOuterWidth = 5055;
constexpr int kOuterHeight = 3525;
// How much of the clock a killed trainer may cost the learner at most.
constexpr int kSecondsBetweenSaves = 15;
constexpr int kWarningRed = 0x0000FF; // a Windows colour number: blue, green, red from the top

const QString kMarkCaption = u"标识本题"_s;
const QString kUnmarkCaption = u"取消标识"_s;

// The grid's background: a 10 × 4 table of ruled cells.
QPixmap gridArtwork(QSize size)
{
    QPixmap picture = newPicture(size, QColor(0xf4, 0xf4, 0xee));
    QPainter painter(&picture);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    const double w = (size.width() - 1) / 10.0;
    const double h = (size.height() - 1) / 4.0;
    for (int j = 0; j <= 10; ++j)
        painter.drawLine(QPointF(j * w, 0), QPointF(j * w, size.height() - 1));
    for (int r = 0; r <= 4; ++r)
        painter.drawLine(QPointF(0, r * h), QPointF(size.width() - 1, r * h));
    return picture;
}

PushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect rect)
{
    auto* button = new PushButton(parent, name, caption);
    button->setFont(songFont(9));
    button->setGeometry(rect);
    return button;
}

} // namespace

int QuestionBar::cellColor(QuestionMark mark)
{
    switch (mark) {
    case QuestionMark::Visited:
        return windowsGreen;
    case QuestionMark::Marked:
        return windowsRed;
    case QuestionMark::NotVisited:
        break;
    }
    return windowsButtonFace;
}

QuestionBar::QuestionBar(ExamSession& session) : Form(u"stbar"_s), m_session(session)
{
    setWindowTitle(u"试题描述"_s);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(twipsToPixels(4935), twipsToPixels(2955));
    buildControls();
    connect(&m_session, &ExamSession::markChanged, this, &QuestionBar::paintCell);
}

void QuestionBar::buildControls()
{
    buildQuestionPanel();
    buildQuestionGrid();
    buildTimeLine();
    connectButtons();

    m_inputMenu = new QMenu(this);
    m_inputMenu->setObjectName(u"inputmenu"_s);
    connect(m_inputMenu, &QMenu::triggered, this,
            [this](QAction* action) { menuCommand(action->data().toInt()); });

    m_playerSender = new PlayerCommandSender(this);

    m_keepOnTopTimer = new FormTimer(this, u"Timer1"_s, 1000, false);
    m_clockTimer = new FormTimer(this, u"Timer2"_s, 1000, false);
    connect(m_keepOnTopTimer, &FormTimer::ticked, this, &QuestionBar::keepOnTop);
    connect(m_keepOnTopTimer, &FormTimer::ticked, this, &QuestionBar::watchPlayer);
    // A new player's window comes up over the bar: the bar goes back on top at
    // once; not over its own input-method menu or a confirmation it waits for.
    connect(new CoverWatch(this), &CoverWatch::covered, this, [this] {
        if (!m_menuOpen && !QApplication::activeModalWidget())
            keepOnTop();
    });
    connect(m_clockTimer, &FormTimer::ticked, this, &QuestionBar::clockTick);
}

// The question's panel: the top buttons, the stem, and the buttons under it.
void QuestionBar::buildQuestionPanel()
{
    m_questionPanel = new QWidget(this);
    m_questionPanel->setObjectName(u"btframe"_s);
    m_questionPanel->setGeometry(twipsRect(67, 0, 4800, 2535));
    m_gridPanel = new QWidget(this);
    m_gridPanel->setObjectName(u"xtframe"_s);
    m_gridPanel->setGeometry(twipsRect(67, 0, 4800, 2535));
    m_gridPanel->hide();

    const auto topButton = [this](int number, const QString& caption, int left) {
        return makeButton(m_questionPanel, u"PushButton%1"_s.arg(number), caption,
                          twipsRect(left, 120, 885, 375));
    };
    m_previousButton = topButton(1, u"上一题"_s, 50);
    m_nextButton = topButton(2, u"下一题"_s, 990);
    m_redoButton = topButton(3, u"重做本题"_s, 1930);
    m_markButton = topButton(4, kMarkCaption, 2870);
    m_chooseButton = topButton(7, u"选 题"_s, 3810);
    m_stemBox = new StemBox(m_questionPanel, u"stnrtext"_s);
    m_stemBox->setFont(songFont(10.5));
    m_stemBox->setGeometry(twipsRect(0, 600, 4695, 1455));
    // Said when the learner closed the player's window: the question is one click away.
    m_playerGoneNote =
        new Label(m_questionPanel, u"playergone"_s, u"试题窗口已关闭，点击“重做本题”可重新打开本题。"_s);
    m_playerGoneNote->setFont(songFont(9));
    m_playerGoneNote->setForeColor(kWarningRed);
    m_playerGoneNote->setBackColor(0xFFFFFF);
    m_playerGoneNote->setGeometry(twipsRect(0, 1770, 4695, 285));
    m_playerGoneNote->hide();
    m_endExamButton =
        makeButton(m_questionPanel, u"PushButton5"_s, u"结束考试"_s, twipsRect(50, 2100, 1095, 375));
    m_hintButton =
        makeButton(m_questionPanel, u"PushButton8"_s, u"操作提示"_s, twipsRect(1825, 2100, 1095, 375));
    m_demonstrationButton =
        makeButton(m_questionPanel, u"PushButton6"_s, u"全程演示"_s, twipsRect(3600, 2100, 1095, 375));
    m_sendBox = new QLineEdit(m_questionPanel);
    m_sendBox->setObjectName(u"sendnr"_s);
    m_sendBox->setGeometry(twipsRect(720, -5000, 1215, 375));
}

// The grid of question numbers that 选 题 shows in place of the question.
void QuestionBar::buildQuestionGrid()
{
    const QRect imageRect = twipsRect(120, 480, 4515, 1305);
    auto* image = new Image(m_gridPanel, u"Image1"_s, gridArtwork(imageRect.size()));
    image->setGeometry(imageRect);
    const int rowTops[] = {525, 840, 1170, 1500};
    for (int n = 1; n <= exam::maxQuestions; ++n) {
        const int row = (n - 1) / 10;
        const int column = (n - 1) % 10;
        const QString caption = n < 10 ? u" %1 "_s.arg(n) : u"%1 "_s.arg(n);
        auto* cell = new Label(m_gridPanel, u"Label%1"_s.arg(n), caption);
        cell->setFont(songFont(12));
        cell->setAlignment(Qt::AlignCenter);
        cell->setGeometry(twipsRect(180 + 450 * column, rowTops[row], 360, 240));
        connect(cell, &Label::clicked, this, [this, cell] { cellClick(cell); });
    }
    m_gridBackButton =
        makeButton(m_gridPanel, u"PushButton10"_s, u"返 回"_s, twipsRect(1980, 1920, 975, 405));
}

// The line under both: the time left, the candidate's name and the input method.
void QuestionBar::buildTimeLine()
{
    m_remainingTimeLabel = new Label(this, u"remaintime"_s, u"剩余00分00秒"_s);
    m_remainingTimeLabel->setFont(songFont(8.5));
    m_remainingTimeLabel->setTransparent(true);
    m_remainingTimeLabel->setGeometry(twipsRect(67, 2640, 1200, 300));
    m_clockColor = m_remainingTimeLabel->foreColor();
    m_timeBar = new ProgressBar(this, u"ProgressBar1"_s);
    m_timeBar->setGeometry(twipsRect(1200, 2640, 2175, 300));
    auto* name = new Label(this, u"Label42"_s, u"考生甲一"_s);
    name->setFont(songFont(9));
    name->setTransparent(true);
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(twipsRect(3375, 2640, 825, 300));
    m_inputMethodButton = makeButton(this, u"PushButton9"_s, u"EN"_s, twipsRect(4440, 2640, 375, 225));
    m_inputMethodButton->setFont(songFont(7.5));
}

void QuestionBar::connectButtons()
{
    connect(m_previousButton, &PushButton::clicked, this, &QuestionBar::previousClick);
    connect(m_nextButton, &PushButton::clicked, this, &QuestionBar::nextClick);
    connect(m_redoButton, &PushButton::clicked, this, &QuestionBar::redoClick);
    connect(m_markButton, &PushButton::clicked, this, &QuestionBar::markClick);
    connect(m_chooseButton, &PushButton::clicked, this, [this] { showGrid(true); });
    connect(m_gridBackButton, &PushButton::clicked, this, [this] { showGrid(false); });
    connect(m_endExamButton, &PushButton::clicked, this, &QuestionBar::endExamClick);
    connect(m_demonstrationButton, &PushButton::clicked, this, [this] {
        m_session.noteDemonstration(currentQuestion());
        saveProgress();
        sendToPlayer(kYanShiWord);
    });
    connect(m_hintButton, &PushButton::clicked, this, [this] {
        m_session.noteHint(currentQuestion());
        saveProgress();
        sendToPlayer(kCaoZuoWord);
    });
    connect(m_inputMethodButton, &PushButton::clicked, this, &QuestionBar::inputMethodClick);
    connect(m_stemBox, &StemBox::changedByUser, this,
            [this] { m_stemBox->showStem(decodedStemOfCurrentRow()); });
}

Label* QuestionBar::cell(int question) const
{
    return m_gridPanel->findChild<Label*>(u"Label%1"_s.arg(question), Qt::FindDirectChildrenOnly);
}

void QuestionBar::showGrid(bool grid)
{
    m_gridPanel->setVisible(grid);
    m_questionPanel->setVisible(!grid);
}

bool QuestionBar::load()
{
    move(bottomRightOfWorkArea({twipsToPixels(kOuterWidth), twipsToPixels(kOuterHeight)}));
    m_session.barMayClose = false;
    auto connection = openDatabase();
    if (!connection) {
        failProgram(connection.error());
        return false;
    }
    auto paper = Recordset::open(connection.value(), sql::SelectPaper);
    if (!paper) {
        failProgram(paper.error());
        return false;
    }
    m_session.paper() = std::move(paper.value());
    const int count = m_session.paper()->recordCount();
    // A paper taken up again keeps its grid, help and time; any other starts anew.
    const int resumeAt = m_session.resumeAtQuestion;
    m_session.resumeAtQuestion = 0;
    if (resumeAt < 1 || m_session.questionCount() != count)
        m_session.startPaper(count);

    m_timeBar->setMaximum(exam::examSeconds(count) / 60);
    m_timeBar->setMinimum(1);
    m_clockCountedUpTo = steadyClock().now();
    showRemainingTime(m_session.remainingSeconds());
    m_keepOnTopTimer->setEnabled(true);
    m_clockTimer->setEnabled(true);

    for (int n = 1; n <= exam::maxQuestions; ++n) {
        cell(n)->setVisible(n <= count);
        paintCell(n, m_session.mark(n));
    }
    if (count < 1) {
        msgBox(u"题库中没有试题！"_s, MessageIcon::Critical, MessageButtons::Ok, u"提示"_s);
        emit closedEmpty();
        return false;
    }
    if (!readPaperStids())
        return false;
    const int first = resumeAt >= 1 && resumeAt <= count ? resumeAt : 1;
    if (!moveTo(first))
        return false;
    if (resumeAt >= 1)
        arriveAt(first);
    showTitle();
    showStemOfCurrentRow();
    saveProgress();
    playerRestarting();
    emit playerWanted();

    buildInputMenu();
    if (m_session.candidate.examMode) {
        m_demonstrationButton->setEnabled(false);
        m_hintButton->setEnabled(false);
    }
    return true;
}

void QuestionBar::unloading()
{
    m_keepOnTopTimer->setEnabled(false);
    m_clockTimer->setEnabled(false);
    emit closing();
}

void QuestionBar::buildInputMenu()
{
    InputMethods& methods = inputMethods();
    m_activeLayout = methods.activeLayout();
    m_inputMenu->clear();
    m_layoutIds.clear();
    std::vector<KeyboardLayout> layouts = methods.layouts();
    if (layouts.size() > kMaxLayouts)
        layouts.resize(kMaxLayouts);
    for (const KeyboardLayout& layout : layouts) {
        m_layoutIds << layout.id;
        const QString text = layout.isInputMethod ? layout.description : u"english(american)"_s;
        QAction* action = m_inputMenu->addAction(text);
        action->setData(kFirstLayoutCommand + static_cast<int>(m_layoutIds.size()) - 1);
    }
    if (!m_activeLayout.isEmpty())
        methods.activate(m_activeLayout);
}

void QuestionBar::menuCommand(int id)
{
    const int index = id - kFirstLayoutCommand;
    if (index < 0 || index >= kMaxLayouts || index >= m_layoutIds.size())
        return;
    InputMethods& methods = inputMethods();
    methods.activate(m_layoutIds.at(index));
    const QString active = methods.activeLayout();
    m_activeLayout = active.isEmpty() ? m_layoutIds.at(index) : active;
    methods.activate(m_activeLayout);
}

bool QuestionBar::moveTo(int position)
{
    if (Status moved = m_session.paper()->setAbsolutePosition(position); !moved) {
        failProgram(moved.error());
        return false;
    }
    return true;
}

int QuestionBar::currentQuestion() const
{
    return m_session.paper()->absolutePosition();
}

void QuestionBar::showTitle()
{
    setWindowTitle(u"第"_s + QString::number(currentQuestion()) + u"题  共"_s +
                   QString::number(questionCount()) + u"题"_s);
}

void QuestionBar::paintCell(int question, QuestionMark mark)
{
    if (Label* c = cell(question))
        c->setBackColor(cellColor(mark));
    // The mark button offers what the current question's mark allows.
    const std::optional<Recordset>& paper = m_session.paper();
    if (paper && paper->isOpen() && paper->absolutePosition() == question)
        m_markButton->setCaption(mark == QuestionMark::Marked ? kUnmarkCaption : kMarkCaption);
}

// A question becomes visited when the learner arrives at it; a marked one
// stays marked, and the mark button offers to take the mark away.
void QuestionBar::arriveAt(int question)
{
    if (m_session.mark(question) == QuestionMark::Marked) {
        m_markButton->setCaption(kUnmarkCaption);
    } else {
        m_markButton->setCaption(kMarkCaption);
        m_session.setMark(question, QuestionMark::Visited);
    }
}

QString QuestionBar::decodedStemOfCurrentRow()
{
    std::optional<Recordset>& paper = m_session.paper();
    if (!paper || !paper->isOpen() || paper->absolutePosition() < 1)
        return QString();
    const Result<QVariant> stem = paper->field(u"题干"_s);
    if (!stem) {
        failProgram(stem.error());
        return QString();
    }
    return decryptHexText(stem.value().toString());
}

void QuestionBar::showStemOfCurrentRow()
{
    const Result<QVariant> type = m_session.paper()->field(u"题型"_s);
    if (!type) {
        failProgram(type.error());
        return;
    }
    if (type.value().toString() == u"5"_s)
        m_stemBox->showStem(decodedStemOfCurrentRow());
}

void QuestionBar::cellClick(Label* clicked)
{
    const int n = clicked->caption().trimmed().toInt();
    if (n < 1 || n > questionCount() || !moveTo(n))
        return;
    arriveAt(n);
    showStemOfCurrentRow();
    showTitle();
    showGrid(false);
    saveProgress();
    playerRestarting();
    emit playerWanted();
}

void QuestionBar::previousClick()
{
    const int p = currentQuestion();
    if (p > 1)
        stepTo(p - 1);
}

void QuestionBar::nextClick()
{
    traceMoment("next-question");
    const int p = currentQuestion();
    if (p < questionCount())
        stepTo(p + 1);
}

void QuestionBar::stepTo(int target)
{
    const int leaving = currentQuestion();
    if (m_session.mark(leaving) != QuestionMark::Marked)
        m_session.setMark(leaving, QuestionMark::Visited);
    if (!moveTo(target))
        return;
    showTitle();
    arriveAt(target);
    showStemOfCurrentRow();
    saveProgress();
    playerRestarting();
    emit playerWanted();
}

void QuestionBar::redoClick()
{
    // Redone after its demonstration, the question starts again undone: what
    // completes it now is the learner's own work.
    const int p = currentQuestion();
    if (m_session.hadDemonstration(p)) {
        if (Status reset = resetQuestion(p); !reset) {
            failProgram(reset.error());
            return;
        }
        m_session.forgetDemonstration(p);
        saveProgress();
    }
    playerRestarting();
    emit playerRestartWanted();
}

void QuestionBar::markClick()
{
    const int p = currentQuestion();
    const bool marking = m_session.mark(p) != QuestionMark::Marked;
    m_session.setMark(p, marking ? QuestionMark::Marked : QuestionMark::Visited);
    m_markButton->setCaption(marking ? kUnmarkCaption : kMarkCaption);
    saveProgress();
}

bool QuestionBar::readPaperStids()
{
    m_paperStids.clear();
    std::optional<Recordset>& paper = m_session.paper();
    for (int n = 1; n <= paper->recordCount(); ++n) {
        if (Status moved = paper->setAbsolutePosition(n); !moved) {
            failProgram(moved.error());
            return false;
        }
        const Result<QVariant> stid = paper->field(u"stid"_s);
        if (!stid) {
            failProgram(stid.error());
            return false;
        }
        m_paperStids << stid->toLongLong();
    }
    return true;
}

void QuestionBar::saveProgress()
{
    m_secondsSinceSave = 0;
    if (m_paperStids.isEmpty())
        return;
    // The paper can be taken up again after the trainer ends without a hand-in.
    // A failed save costs only that: the learner works on.
    auto connection = openDatabase();
    if (!connection)
        return;
    const Status saved =
        pptdrill::saveProgress(*connection.value(), progressOf(m_session, m_paperStids, currentQuestion()));
    connection.value()->close();
    if (!saved)
        qWarning("pptdrill: the paper's progress was not saved: %s", qUtf8Printable(saved.error()));
}

Status QuestionBar::resetQuestion(int question)
{
    if (question < 1 || question > m_paperStids.size())
        return {};
    auto connection = openDatabase();
    if (!connection)
        return Status::failure(connection.error(), connection.code());
    const Status reset = connection.value()->run(u"UPDATE st SET 是否已做 = 0, 得分 = 0 WHERE stid = ?"_s,
                                                 {m_paperStids.at(question - 1)});
    connection.value()->close();
    return reset;
}

void QuestionBar::endExamClick()
{
    auto connection = openDatabase();
    if (!connection) {
        failProgram(connection.error());
        return;
    }
    auto undone = Recordset::open(connection.value(), sql::SelectUndone);
    connection.value()->close();
    if (!undone) {
        failProgram(undone.error());
        return;
    }
    const int count = undone->recordCount();
    undone->close();
    emit handInRequested(count);
}

void QuestionBar::sendToPlayer(const QString& word)
{
    // Nothing is reported when no player window exists or it does not answer;
    // a click while the player is still taking the last word is dropped.
    m_playerSender->send(word, [this](const QString& text) {
        m_sendBox->setText(text);
        return m_sendBox->text();
    });
}

void QuestionBar::inputMethodClick()
{
    if (m_keepOnTopTimer->isEnabled())
        m_keepOnTopTimer->setEnabled(false);
    m_menuOpen = true;
    m_inputMenu->exec(QCursor::pos());
    m_menuOpen = false;
}

void QuestionBar::watchPlayer()
{
    if (!isVisible())
        return;
    if (!findPlayerWindow().isNull()) {
        m_playerSeen = true;
        m_playerGoneNote->hide();
        return;
    }
    // Gone after it was on screen, with no restart of ours under way: closed by the learner.
    if (m_playerSeen) {
        m_playerSeen = false;
        m_playerGoneNote->show();
        m_playerGoneNote->raise();
    }
}

void QuestionBar::playerRestarting()
{
    m_playerSeen = false;
    m_playerGoneNote->hide();
}

void QuestionBar::keepOnTop()
{
    // Raising the bar over its own open popup (the stem box's menu) would hide it.
    if (isVisible() && !QApplication::activePopupWidget())
        raise();
}

void QuestionBar::clockTick()
{
    // The clock counts the seconds that really passed since its last tick, so
    // a late or missed tick (a busy or blocked program) costs the learner no time.
    using namespace std::chrono;
    const auto passed = round<seconds>(steadyClock().now() - m_clockCountedUpTo);
    m_clockCountedUpTo += passed;
    const int remaining = m_session.remainingSeconds() - static_cast<int>(passed.count());
    m_session.setRemainingSeconds(remaining);
    if (remaining < 0) {
        emit timeUp();
        return;
    }
    showRemainingTime(remaining);
    m_secondsSinceSave += static_cast<int>(passed.count());
    if (m_secondsSinceSave >= kSecondsBetweenSaves)
        saveProgress();
}

void QuestionBar::showRemainingTime(int remaining)
{
    const int m = remaining / 60;
    const int s = remaining - 60 * m;
    m_timeBar->setValue(m_timeBar->maximum() - m);
    m_remainingTimeLabel->setCaption(u"剩余"_s + QString::number(m) + u"分"_s + QString::number(s) + u"秒"_s);
    // The last minutes: the clock turns red so that a glance at the bar is warning enough.
    const bool warn = remaining <= exam::warningSeconds;
    if (warn != m_clockWarning) {
        m_clockWarning = warn;
        m_remainingTimeLabel->setForeColor(warn ? kWarningRed : m_clockColor);
    }
}

void QuestionBar::closeEvent(QCloseEvent* event)
{
    if (!m_session.barMayClose) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void QuestionBar::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        // A hidden bar has already handed over to its icon.
        if ((windowState() & Qt::WindowMinimized) && isVisible() && !m_restoring) {
            hide();
            emit minimizedToIcon();
        } else if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            setWindowState(Qt::WindowNoState);
        }
    } else if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !m_menuOpen) {
        if (!m_keepOnTopTimer->isEnabled())
            m_keepOnTopTimer->setEnabled(true);
    }
}

void QuestionBar::restoreFromIcon()
{
    m_restoring = true;
    setWindowState(Qt::WindowNoState);
    show();
    setWindowState(Qt::WindowNoState);
    m_restoring = false;
    raise();
    activateWindow();
}

void QuestionBar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    m_drag.start(event->globalPosition().toPoint());
}

void QuestionBar::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    m_drag.follow(event->globalPosition().toPoint());
}

void QuestionBar::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    m_drag.stop();
}

} // namespace pptdrill

#include "moc_questionbar.cpp"
