#include "player/playerform.h"

#include "common/text.h"
#include "movie/moviecontrol.h"
#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/systemfolder.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <limits>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

PlayerCommandLine splitPlayerCommandLine(const QString& commandLine)
{
    const qsizetype amp = commandLine.indexOf(u'&');
    if (amp < 0)
        return {commandLine, QString()};
    return {commandLine.left(amp), commandLine.mid(amp + 1)};
}

QString movieFilePath(const QString& movieno)
{
    return SystemDirectory() + u"/pczcksw/"_s + movieno + u".w"_s;
}

bool startDetachedProcess(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

// Swallows right-clicks and context-menu requests on the movie control and
// everything inside it, including widgets that the control adds later.
class PlayerForm::RightClickFilter : public QObject
{
public:
    using QObject::QObject;

    void watch(QWidget* widget)
    {
        watchOne(widget);
        const QList<QWidget*> descendants = widget->findChildren<QWidget*>();
        for (QWidget* w : descendants)
            watchOne(w);
    }

    void removeAll()
    {
        for (const QPointer<QObject>& o : m_watched) {
            if (o)
                o->removeEventFilter(this);
        }
        m_watched.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The player never shows a menu of its own over the movie. The right
        // button itself still reaches the simulated program, whose context
        // menus are part of the task.
        switch (event->type()) {
        case QEvent::ContextMenu:
            return true;
        case QEvent::ChildAdded: {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType())
                watch(static_cast<QWidget*>(child));
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void watchOne(QWidget* widget)
    {
        // Installing twice only moves the filter to the front; keep one record per widget.
        widget->installEventFilter(this);
        for (const QPointer<QObject>& o : m_watched) {
            if (o == widget)
                return;
        }
        m_watched.push_back(widget);
    }

    std::vector<QPointer<QObject>> m_watched;
};

PlayerForm::PlayerForm(const QString& questionid, const QString& movieno, ProcessStarter startProcess,
                       QWidget* parent)
    : QDialog(parent), m_questionid(questionid),
      m_startProcess(startProcess ? std::move(startProcess) : ProcessStarter(&startDetachedProcess))
{
    setObjectName(u"drillplay"_s);
    setWindowTitle(playerWindowTitle());
    setFixedSize(800, 600);

    m_stflash = new MovieControl(this);
    m_stflash->setObjectName(u"stflash"_s);
    m_stflash->setGeometry(0, 0, 800, 600);

    m_receivenr = new QLineEdit(this);
    m_receivenr->setObjectName(u"receivenr"_s);
    m_receivenr->setGeometry(-2000, 0, 120, 21);
    // The learner can neither see nor type into it.
    m_receivenr->setFocusPolicy(Qt::NoFocus);

    m_rightClickFilter = new RightClickFilter(this);

    connect(m_stflash, &MovieControl::OnReadyStateChange, this, &PlayerForm::stflashReadyStateChange);
    connect(m_receivenr, &QLineEdit::textChanged, this, &PlayerForm::receivenrChange);
    connect(&m_receiver, &CopyDataReceiver::copyDataReceived, this, &PlayerForm::deliverCopyData);
    connect(this, &QWidget::windowTitleChanged, this, [this](const QString& title) {
        if (Status s = m_receiver.setTitle(title); !s && m_receiver.isListening())
            qWarning("drillplay: window registry: %s", qUtf8Printable(s.error()));
    });

    load(movieno);
}

PlayerForm::~PlayerForm()
{
    shutDown();
}

void PlayerForm::load(const QString& movieno)
{
    move(0, 0);
    m_rightClickFilter->watch(m_stflash);
    m_stflash->setMovie(movieFilePath(movieno));
    m_stflash->TSetProperty(u"/tishi"_s, 7, u"0"_s);
    m_stflash->Play();
    m_readysum = 0;
    m_receivenr->setText(u"准备接收"_s);
    if (Status s = m_receiver.start(windowTitle()); !s)
        qWarning("drillplay: the question bar cannot reach this player: %s", qUtf8Printable(s.error()));
    m_stflash->setFocus();
}

void PlayerForm::stflashReadyStateChange(int state)
{
    const int previous = m_readysum;
    constexpr qint64 lowest = std::numeric_limits<qint16>::min();
    constexpr qint64 highest = std::numeric_limits<qint16>::max();
    const qint64 sum = qBound(lowest, qint64(previous) + state, highest);
    m_readysum = static_cast<qint16>(sum);
    // Only the change that makes the sum 4 starts the bridge: a later state 0 leaves it at 4.
    if (m_readysum != 4 || previous == 4)
        return;
    const QString bridge = programFolder() + u"/drillbridge"_s;
    if (!m_startProcess(bridge, {m_questionid}))
        MsgBox(u"无法启动 drillbridge，本题的完成情况没有记录。"_s, MessageIcon::Critical);
}

void PlayerForm::deliverCopyData(const QString& text)
{
    // Every received word is acted on, also one equal to the text already held.
    if (m_receivenr->text() == text)
        receivenrChange();
    else
        m_receivenr->setText(text);
}

void PlayerForm::receivenrChange()
{
    const QString word = trimSpaces(m_receivenr->text());
    if (word == kCaoZuoWord)
        m_stflash->TSetProperty(u"/tishi"_s, 7, u"1"_s);
    if (word == kYanShiWord) {
        m_stflash->TSetProperty(u"/tishi"_s, 7, u"1"_s);
        m_stflash->TGotoFrame(u"/yanshi"_s, 1);
    }
}

void PlayerForm::keyPressEvent(QKeyEvent* event)
{
    // Escape must not close the player the way it closes a dialog.
    QWidget::keyPressEvent(event);
}

void PlayerForm::done(int result)
{
    shutDown();
    QDialog::done(result);
}

void PlayerForm::shutDown()
{
    if (m_rightClickFilter)
        m_rightClickFilter->removeAll();
    m_receiver.stop();
}

} // namespace pptdrill
