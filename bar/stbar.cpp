#include "bar/stbar.h"

#include "bar/stbarico.h"
#include "bar/stload.h"
#include "cipher/textfields.h"
#include "db/database.h"
#include "db/statements.h"
#include "platform/widgets/inputmethods.h"
#include "platform/messagebox.h"
#include "platform/steadyclock.h"
#include "platform/widgets/windowsystem.h"
#include "player/channel.h"
#include "shell/examflow.h"
#include "shell/programend.h"
#include "shell/programstate.h"
#include "shell/questionbar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

FormVariable<StbarForm> stbarForm;

namespace {

constexpr int kGreen = 65280; // 0x00FF00
constexpr int kRed = 255;     // 0x0000FF
constexpr int kCells = 40;
constexpr int kMaxLayouts = 25;
constexpr int kFirstLayoutCommand = 301;

// The bar's outer size in twips, caption bar and borders included.
constexpr int kOuterWidth = 5055;
constexpr int kOuterHeight = 3525;

const QString kMarkCaption = u"标识本题"_s;
const QString kUnmarkCaption = u"取消标识"_s;

// The grid's background: a 10 × 4 table of ruled cells.
QPixmap gridArtwork(QSize size)
{
    QPixmap picture(size);
    picture.fill(QColor(0xf4, 0xf4, 0xee));
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

StemBox::StemBox(QWidget* parent, const QString& name) : QPlainTextEdit(parent)
{
    setObjectName(name);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_restoring)
            emit changedByUser();
    });
}

void StemBox::showStem(const QString& stored)
{
    // Like any text box, the box ends its text at the first NUL (the zero fill
    // of the stem's last cipher block).
    const QString stem = stored.left(stored.indexOf(QChar(0)));
    if (stem == toPlainText())
        return;
    m_restoring = true;
    setPlainText(stem);
    m_restoring = false;
}

QMenu* StemBox::createStemMenu()
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        if (name == u"edit-copy"_s || name == u"edit-cut"_s)
            action->disconnect();
    }
    return menu;
}

QMimeData* StemBox::createMimeDataFromSelection() const
{
    return new QMimeData;
}

void StemBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStemMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void StemBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void StemBox::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

StbarForm::StbarForm() : Form(u"stbar"_s)
{
    setWindowTitle(u"试题描述"_s);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(twipsToPixels(4935), twipsToPixels(2955));
    buildControls();
}

void StbarForm::buildControls()
{
    m_btframe = new QWidget(this);
    m_btframe->setObjectName(u"btframe"_s);
    m_btframe->setGeometry(twipsRect(67, 0, 4800, 2535));
    m_xtframe = new QWidget(this);
    m_xtframe->setObjectName(u"xtframe"_s);
    m_xtframe->setGeometry(twipsRect(67, 0, 4800, 2535));
    m_xtframe->hide();

    const int topLeft[] = {50, 990, 1930, 2870, 3810};
    const QString topCaptions[] = {u"上一题"_s, u"下一题"_s, u"重做本题"_s, kMarkCaption, u"选 题"_s};
    const int topNumbers[] = {1, 2, 3, 4, 7};
    for (int i = 0; i < 5; ++i)
        makeButton(m_btframe, u"PushButton%1"_s.arg(topNumbers[i]), topCaptions[i],
                   twipsRect(topLeft[i], 120, 885, 375));
    m_stnrtext = new StemBox(m_btframe, u"stnrtext"_s);
    m_stnrtext->setFont(songFont(10.5));
    m_stnrtext->setGeometry(twipsRect(0, 600, 4695, 1455));
    makeButton(m_btframe, u"PushButton5"_s, u"结束考试"_s, twipsRect(50, 2100, 1095, 375));
    makeButton(m_btframe, u"PushButton8"_s, u"操作提示"_s, twipsRect(1825, 2100, 1095, 375));
    makeButton(m_btframe, u"PushButton6"_s, u"全程演示"_s, twipsRect(3600, 2100, 1095, 375));
    m_sendnr = new QLineEdit(m_btframe);
    m_sendnr->setObjectName(u"sendnr"_s);
    m_sendnr->setGeometry(twipsRect(720, -5000, 1215, 375));

    const QRect imageRect = twipsRect(120, 480, 4515, 1305);
    auto* image = new Image(m_xtframe, u"Image1"_s, gridArtwork(imageRect.size()));
    image->setGeometry(imageRect);
    const int rowTops[] = {525, 840, 1170, 1500};
    for (int n = 1; n <= kCells; ++n) {
        const int row = (n - 1) / 10;
        const int column = (n - 1) % 10;
        const QString caption = n < 10 ? u" %1 "_s.arg(n) : u"%1 "_s.arg(n);
        auto* cell = new Label(m_xtframe, u"Label%1"_s.arg(n), caption);
        cell->setFont(songFont(12));
        cell->setAlignment(Qt::AlignCenter);
        cell->setGeometry(twipsRect(180 + 450 * column, rowTops[row], 360, 240));
        connect(cell, &Label::Click, this, [this, cell] { cellClick(cell); });
    }
    makeButton(m_xtframe, u"PushButton10"_s, u"返 回"_s, twipsRect(1980, 1920, 975, 405));

    m_remaintime = new Label(this, u"remaintime"_s, u"剩余00分00秒"_s);
    m_remaintime->setFont(songFont(8.5));
    m_remaintime->setTransparent(true);
    m_remaintime->setGeometry(twipsRect(67, 2640, 1200, 300));
    m_progress = new ProgressBar(this, u"ProgressBar1"_s);
    m_progress->setGeometry(twipsRect(1200, 2640, 2175, 300));
    auto* name = new Label(this, u"Label42"_s, u"考生甲一"_s);
    name->setFont(songFont(9));
    name->setTransparent(true);
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(twipsRect(3375, 2640, 825, 300));
    auto* en = makeButton(this, u"PushButton9"_s, u"EN"_s, twipsRect(4440, 2640, 375, 225));
    en->setFont(songFont(7.5));

    connect(button(1), &PushButton::Click, this, &StbarForm::previousClick);
    connect(button(2), &PushButton::Click, this, &StbarForm::nextClick);
    connect(button(3), &PushButton::Click, this, &StbarForm::redoClick);
    connect(button(4), &PushButton::Click, this, &StbarForm::markClick);
    connect(button(7), &PushButton::Click, this, [this] {
        m_xtframe->show();
        m_btframe->hide();
    });
    connect(button(10), &PushButton::Click, this, [this] {
        m_xtframe->hide();
        m_btframe->show();
    });
    connect(button(5), &PushButton::Click, this, &StbarForm::endExamClick);
    connect(button(6), &PushButton::Click, this, [this] { sendToPlayer(kYanShiWord); });
    connect(button(8), &PushButton::Click, this, [this] { sendToPlayer(kCaoZuoWord); });
    connect(button(9), &PushButton::Click, this, &StbarForm::inputMethodClick);
    connect(m_stnrtext, &StemBox::changedByUser, this,
            [this] { m_stnrtext->showStem(decodedStemOfCurrentRow()); });

    m_inputMenu = new QMenu(this);
    m_inputMenu->setObjectName(u"inputmenu"_s);
    connect(m_inputMenu, &QMenu::triggered, this,
            [this](QAction* action) { menuCommand(action->data().toInt()); });

    m_playerSender = new PlayerCommandSender(this);

    m_timer1 = new FormTimer(this, u"Timer1"_s, 1000, false);
    m_timer2 = new FormTimer(this, u"Timer2"_s, 1000, false);
    connect(m_timer1, &FormTimer::Timer, this, &StbarForm::keepOnTop);
    // A new player's window comes up over the bar: the bar goes back on top at
    // once; not over its own input-method menu or a confirmation it waits for.
    connect(new CoverWatch(this), &CoverWatch::covered, this, [this] {
        if (!m_menuOpen && !QApplication::activeModalWidget())
            keepOnTop();
    });
    connect(m_timer2, &FormTimer::Timer, this, &StbarForm::clockTick);
}

Label* StbarForm::cell(int n) const
{
    return m_xtframe->findChild<Label*>(u"Label%1"_s.arg(n), Qt::FindDirectChildrenOnly);
}

PushButton* StbarForm::button(int n) const
{
    return findChild<PushButton*>(u"PushButton%1"_s.arg(n));
}

bool StbarForm::Load()
{
    move(bottomRightOfWorkArea({twipsToPixels(kOuterWidth), twipsToPixels(kOuterHeight)}));
    closeallowed = false;
    if (Status opened = openDatabase(); !opened) {
        failProgram(opened.error());
        return false;
    }
    auto paper = Recordset::open(dbconn, sql::SelectPaper);
    if (!paper) {
        failProgram(paper.error());
        return false;
    }
    currentrs = std::move(paper.value());
    m_count = currentrs->recordCount();

    m_progress->setMaximum(static_cast<int>(m_count * 1.25));
    m_progress->setMinimum(1);
    remainsecs = static_cast<int>(m_count * 60 * 1.25);
    m_clockCountedUpTo = steadyClock().now();
    m_timer1->setEnabled(true);
    m_timer2->setEnabled(true);

    for (int n = m_count + 1; n <= kCells; ++n) {
        if (Label* hidden = cell(n))
            hidden->hide();
    }
    if (m_count < 1) {
        msgBox(u"题库中没有试题！"_s, MessageIcon::Critical, MessageButtons::Ok, u"提示"_s);
        stbarForm.unload();
        afterFormClosedByUser();
        return false;
    }
    if (!moveTo(1))
        return false;
    showTitle();
    if (currentrs->field(u"题型"_s).value().toString() == u"5"_s)
        showStemOfCurrentRow();
    showStload();

    buildInputMenu();
    if (exammode) {
        button(6)->setEnabled(false);
        button(8)->setEnabled(false);
    }
    return true;
}

void StbarForm::unloading()
{
    m_timer1->setEnabled(false);
    m_timer2->setEnabled(false);
    stbaricoForm.unload();
}

void StbarForm::buildInputMenu()
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

void StbarForm::menuCommand(int id)
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

bool StbarForm::moveTo(int position)
{
    if (Status moved = currentrs->setAbsolutePosition(position); !moved) {
        failProgram(moved.error());
        return false;
    }
    return true;
}

void StbarForm::showTitle()
{
    setWindowTitle(u"第"_s + QString::number(currentrs->absolutePosition()) + u"题  共"_s +
                   QString::number(m_count) + u"题"_s);
}

bool StbarForm::isRed(int n) const
{
    const Label* c = cell(n);
    return c && c->backColor() == kRed;
}

void StbarForm::showMarkOnArrival(int n)
{
    if (isRed(n)) {
        button(4)->setCaption(kUnmarkCaption);
    } else {
        button(4)->setCaption(kMarkCaption);
        cell(n)->setBackColor(kGreen);
    }
}

QString StbarForm::decodedStemOfCurrentRow()
{
    if (!currentrs || !currentrs->isOpen() || currentrs->absolutePosition() < 1)
        return QString();
    const Result<QVariant> stem = currentrs->field(u"题干"_s);
    if (!stem) {
        failProgram(stem.error());
        return QString();
    }
    return decryptHexText(stem.value().toString());
}

void StbarForm::showStemOfCurrentRow()
{
    const Result<QVariant> type = currentrs->field(u"题型"_s);
    if (!type) {
        failProgram(type.error());
        return;
    }
    if (type.value().toString() == u"5"_s)
        m_stnrtext->showStem(decodedStemOfCurrentRow());
}

void StbarForm::cellClick(Label* clicked)
{
    const int n = clicked->caption().trimmed().toInt();
    if (n < 1 || n > m_count || !moveTo(n))
        return;
    showMarkOnArrival(n);
    showStemOfCurrentRow();
    showTitle();
    m_xtframe->hide();
    m_btframe->show();
    showStload();
}

void StbarForm::previousClick()
{
    const int p = currentrs->absolutePosition();
    if (p > 1)
        stepTo(p - 1);
}

void StbarForm::nextClick()
{
    const int p = currentrs->absolutePosition();
    if (p < m_count)
        stepTo(p + 1);
}

void StbarForm::stepTo(int target)
{
    const int p = currentrs->absolutePosition();
    if (!isRed(p))
        cell(p)->setBackColor(kGreen);
    if (!moveTo(target))
        return;
    showTitle();
    showMarkOnArrival(target);
    showStemOfCurrentRow();
    showStload();
}

void StbarForm::redoClick()
{
    playerProcesses().stopRunningPlayer();
    startPlayerCommand(playercmd);
}

void StbarForm::markClick()
{
    const int p = currentrs->absolutePosition();
    if (button(4)->caption() == kMarkCaption) {
        cell(p)->setBackColor(kRed);
        button(4)->setCaption(kUnmarkCaption);
    } else {
        cell(p)->setBackColor(kGreen);
        button(4)->setCaption(kMarkCaption);
    }
}

void StbarForm::endExamClick()
{
    auto undone = Recordset::open(dbconn, sql::SelectUndone);
    if (!undone) {
        failProgram(undone.error());
        return;
    }
    const int count = undone->recordCount();
    undone->close();
    if (examflow::confirmHandIn)
        examflow::confirmHandIn(count);
}

void StbarForm::sendToPlayer(const QString& word)
{
    // Nothing is reported when no player window exists or it does not answer;
    // a click while the player is still taking the last word is dropped.
    m_playerSender->send(word, [this](const QString& text) {
        m_sendnr->setText(text);
        return m_sendnr->text();
    });
}

void StbarForm::inputMethodClick()
{
    if (m_timer1->isEnabled())
        m_timer1->setEnabled(false);
    m_menuOpen = true;
    m_inputMenu->exec(QCursor::pos());
    m_menuOpen = false;
}

void StbarForm::keepOnTop()
{
    // Raising the bar over its own open popup (the stem box's menu) would hide it.
    if (isVisible() && !QApplication::activePopupWidget())
        raise();
}

void StbarForm::clockTick()
{
    // The clock counts the seconds that really passed since its last tick, so
    // a late or missed tick (a busy or blocked program) costs the learner no time.
    using namespace std::chrono;
    const auto passed = round<seconds>(steadyClock().now() - m_clockCountedUpTo);
    m_clockCountedUpTo += passed;
    remainsecs = remainsecs - static_cast<int>(passed.count());
    if (remainsecs < 0) {
        timeUp();
        return;
    }
    const int m = remainsecs / 60;
    const int s = remainsecs - 60 * m;
    m_progress->setValue(m_progress->maximum() - m);
    m_remaintime->setCaption(u"剩余"_s + QString::number(m) + u"分"_s + QString::number(s) + u"秒"_s);
}

void StbarForm::timeUp()
{
    // One time-up at a time; and none while the results are already open.
    if (m_inTimeUp)
        return;
    if (examflow::resultsShowing && examflow::resultsShowing())
        return;
    m_inTimeUp = true;
    QPointer<StbarForm> self(this);
    msgBox(u"考试结束时间到！"_s, MessageIcon::Information, MessageButtons::Ok, u"朔禾软件"_s);
    if (self)
        hide();
    if (self && examflow::showResults)
        examflow::showResults();
    if (self)
        m_inTimeUp = false;
}

void StbarForm::closeEvent(QCloseEvent* event)
{
    if (!closeallowed) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void StbarForm::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        // A hidden bar has already handed over to its icon.
        if ((windowState() & Qt::WindowMinimized) && isVisible() && !m_restoring) {
            hide();
            stbaricoForm.unload();
            stbaricoForm->Load();
            stbaricoForm->show();
        } else if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            setWindowState(Qt::WindowNoState);
        }
    } else if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !m_menuOpen) {
        if (!m_timer1->isEnabled())
            m_timer1->setEnabled(true);
    }
}

void StbarForm::restoreFromIcon()
{
    m_restoring = true;
    setWindowState(Qt::WindowNoState);
    show();
    setWindowState(Qt::WindowNoState);
    m_restoring = false;
    raise();
    activateWindow();
}

void StbarForm::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    m_drag.start(event->globalPosition().toPoint());
}

void StbarForm::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    m_drag.follow(event->globalPosition().toPoint());
}

void StbarForm::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    m_drag.stop();
}

void loadQuestionBar()
{
    // A bar of an earlier paper goes first; normally the results closed it.
    if (stbarForm.isLoaded()) {
        closeallowed = true;
        stbarForm.unload();
    }
    StbarForm* bar = stbarForm.get();
    if (bar->Load())
        bar->show();
}

void installQuestionBar()
{
    setQuestionBarHandler(loadQuestionBar);
    examflow::showBarAgain = [] {
        if (StbaricoForm* icon = stbaricoForm.loaded()) {
            icon->show();
        } else if (StbarForm* bar = stbarForm.loaded()) {
            bar->show();
            bar->raise();
        }
    };
    // The icon of a minimized bar stays where the learner put it.
    examflow::hideBar = [] {
        if (StbarForm* bar = stbarForm.loaded())
            bar->hide();
    };
    examflow::closeBar = [] {
        closeallowed = true;
        stbaricoForm.unload();
        stbarForm.unload();
    };
}

} // namespace pptdrill
