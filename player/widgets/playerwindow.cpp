#include "player/widgets/playerwindow.h"

#include "common/text.h"
#include "common/widgets/fonts.h"
#include "movie/widgets/window/moviecontrol.h"
#include "platform/messagebox.h"
#include "platform/processes.h"
#include "platform/programfolder.h"
#include "platform/systemfolder.h"
#include "player/bridgereport.h"

#include <QChildEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <limits>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

PlayerCommandLine splitPlayerCommandLine(const QString& commandLine)
{
    QString rest = commandLine;
    bool review = false;
    if (rest.startsWith(kReviewOption) &&
        (rest.size() == kReviewOption.size() || rest.at(kReviewOption.size()) == u' ')) {
        review = true;
        rest = rest.mid(kReviewOption.size()).trimmed();
    }
    const qsizetype amp = rest.indexOf(u'&');
    if (amp < 0)
        return {rest, QString(), review};
    return {rest.left(amp), rest.mid(amp + 1), review};
}

QString movieFilePath(const QString& movieno)
{
    return systemDirectory() + u"/pczcksw/"_s + movieno + u".w"_s;
}

bool startWatchedProcess(const QString& program, const QStringList& arguments, ProcessFinished finished)
{
    // No parent, and deleted only once the program has ended: a QProcess that
    // is destroyed kills its program, and the bridge must finish its write also
    // when the player closes first. A player that is killed takes no child with it.
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    // A session of its own: what is sent to the player's process group
    // (a terminal's interrupt or hang-up) does not reach it.
    process->setChildProcessModifier([] { ::setsid(); });
    QObject::connect(
        process, &QProcess::finished, process,
        [process, finished = std::move(finished)](int exitCode, QProcess::ExitStatus status) {
            const ProcessEnd end{status == QProcess::NormalExit, exitCode, process->readAllStandardError()};
            process->deleteLater();
            if (finished)
                finished(end);
        });
    process->start();
    // Only the start is waited for (an executable that cannot run fails here).
    process->waitForStarted(10000);
    if (process->state() == QProcess::NotRunning) {
        delete process;
        return false;
    }
    return true;
}

// Swallows right-clicks and context-menu requests on the movie control and
// everything inside it, including widgets that the control adds later.
class PlayerWindow::RightClickFilter : public QObject
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

PlayerWindow::PlayerWindow(const QString& questionid, const QString& movieno, ProcessStarter startProcess,
                           QWidget* parent)
    : PlayerWindow(questionid, movieno, std::move(startProcess), parent, {})
{
}

PlayerWindow::PlayerWindow(const QString& questionid, const QString& movieno,
                           std::future<Result<Movie>> movieRead)
    : PlayerWindow(questionid, movieno, {}, nullptr, std::move(movieRead))
{
}

PlayerWindow::PlayerWindow(const QString& questionid, const QString& movieno, ProcessStarter startProcess,
                           QWidget* parent, std::future<Result<Movie>> movieRead)
    : QDialog(parent), m_questionId(questionid),
      m_startProcess(startProcess ? std::move(startProcess) : ProcessStarter(&startWatchedProcess))
{
    setObjectName(u"drillplay"_s);
    setWindowTitle(playerWindowTitle());
    setFixedSize(800, 600);

    m_movieControl = new MovieControl(this);
    m_movieControl->setObjectName(u"stflash"_s);
    m_movieControl->setGeometry(0, 0, 800, 600);
    // "本题操作已完成" is shown only once the bridge has recorded the question.
    m_movieControl->setCompletionNeedsConfirmation(true);

    m_commandBox = new QLineEdit(this);
    m_commandBox->setObjectName(u"receivenr"_s);
    m_commandBox->setGeometry(-2000, 0, 120, 21);
    // The learner can neither see nor type into it.
    m_commandBox->setFocusPolicy(Qt::NoFocus);
    // In the face of the window's own text: in the toolkit's default face its
    // Chinese words would load a fallback face for this box alone.
    m_commandBox->setFont(QFont(heiFamily(), 9));

    m_rightClickFilter = new RightClickFilter(this);

    m_closeWait = new QTimer(this);
    m_closeWait->setSingleShot(true);
    m_closeWait->setInterval(kDefaultBridgeWaitOnCloseMs);
    connect(m_closeWait, &QTimer::timeout, this, [this] {
        if (m_bridge != BridgeState::Running)
            return;
        qWarning("drillplay: drillbridge is still running; it goes on without the player");
        m_bridge = BridgeState::LetGo;
        done(m_closeResult);
    });

    connect(m_movieControl, &MovieControl::readyStateChanged, this, &PlayerWindow::movieReadyStateChanged);
    connect(m_commandBox, &QLineEdit::textChanged, this, &PlayerWindow::commandBoxChanged);
    connect(&m_receiver, &CopyDataReceiver::copyDataReceived, this, &PlayerWindow::deliverCopyData);
    connect(this, &QWidget::windowTitleChanged, this, [this](const QString& title) {
        if (Status s = m_receiver.setTitle(title); !s && m_receiver.isListening())
            qWarning("drillplay: window registry: %s", qUtf8Printable(s.error()));
    });

    load(movieno, std::move(movieRead));
}

PlayerWindow::~PlayerWindow()
{
    shutDown();
}

void PlayerWindow::load(const QString& movieno, std::future<Result<Movie>> movieRead)
{
    move(0, 0);
    m_rightClickFilter->watch(m_movieControl);
    const QString path = movieFilePath(movieno);
    if (movieRead.valid())
        m_movieControl->setMovie(path, movieRead.get());
    else
        m_movieControl->setMovie(path);
    m_movieControl->TSetProperty(u"/tishi"_s, 7, u"0"_s);
    m_movieControl->play();
    m_readySum = 0;
    m_commandBox->setText(u"准备接收"_s);
    if (Status s = m_receiver.start(windowTitle()); !s)
        qWarning("drillplay: the question bar cannot reach this player: %s", qUtf8Printable(s.error()));
    m_movieControl->setFocus();
}

void PlayerWindow::movieReadyStateChanged(int state)
{
    const int previous = m_readySum;
    constexpr qint64 lowest = std::numeric_limits<qint16>::min();
    constexpr qint64 highest = std::numeric_limits<qint16>::max();
    const qint64 sum = qBound(lowest, qint64(previous) + state, highest);
    m_readySum = static_cast<qint16>(sum);
    // Only the change that makes the sum 4 starts the bridge: a later state 0 leaves it at 4.
    if (m_readySum != 4 || previous == 4)
        return;
    if (m_review) {
        // A look back from the results changes nothing in the paper.
        m_movieControl->confirmCompletion();
        return;
    }
    const QString bridge = programFolder() + u"/drillbridge"_s;
    m_bridge = BridgeState::Running;
    QPointer<PlayerWindow> self(this);
    const bool started = m_startProcess(bridge, {m_questionId}, [self](const ProcessEnd& end) {
        if (self)
            self->bridgeFinished(end);
    });
    if (!started) {
        m_bridge = BridgeState::Failed;
        reportNotRecorded(u"无法启动 drillbridge（%1）"_s.arg(bridge));
    }
}

void PlayerWindow::bridgeFinished(const ProcessEnd& end)
{
    // An outcome after the player let the bridge go has nobody to tell.
    if (m_bridge != BridgeState::Running)
        return;
    const QString reason = bridgeFailureReason(end.normalExit, end.exitCode, end.standardError);
    if (reason.isEmpty()) {
        m_bridge = BridgeState::Recorded;
        m_movieControl->confirmCompletion();
    } else {
        m_bridge = BridgeState::Failed;
        reportNotRecorded(reason);
    }
    if (m_closePending)
        done(m_closeResult);
}

void PlayerWindow::reportNotRecorded(const QString& reason)
{
    qWarning("drillplay: the completion was not recorded: %s", qUtf8Printable(reason));
    msgBox(u"本题已操作完成，但完成情况没有记录下来，本题仍算未做。\n\n原因：%1\n\n"
           u"请点击问题栏的“重做本题”，重新完成本题。"_s.arg(reason),
           MessageIcon::Critical);
}

void PlayerWindow::setReview(bool review)
{
    m_review = review;
    if (!review) {
        // The strip owns its controls and its timer.
        delete m_reviewStrip;
        m_reviewStrip = nullptr;
        m_backToResultsButton = nullptr;
        m_stemLabel = nullptr;
        m_pauseButton = m_stepButton = m_replayButton = nullptr;
        m_speedBox = nullptr;
        m_demoState = nullptr;
        m_reviewRefresh = nullptr;
        setFixedSize(800, 600);
        m_movieControl->move(0, 0);
        return;
    }
    if (!m_reviewStrip)
        buildReviewStrip();
}

const QList<double>& PlayerWindow::demonstrationSpeeds()
{
    static const QList<double> speeds{0.5, 1.0, 2.0};
    return speeds;
}

void PlayerWindow::buildReviewStrip()
{
    // A strip above the simulated window: the task is read there while the
    // demonstration plays below, and nothing of the window is covered.
    setFixedSize(800, 600 + kReviewStripHeight);
    m_movieControl->move(0, kReviewStripHeight);
    m_reviewStrip = new QWidget(this);
    m_reviewStrip->setObjectName(u"reviewstrip"_s);
    m_reviewStrip->setGeometry(0, 0, 800, kReviewStripHeight);
    m_reviewStrip->setAutoFillBackground(true);
    m_reviewStrip->setStyleSheet(u"#reviewstrip { background: #EEF3FA; border-bottom: 1px solid #9DB2D0; }"
                                 u"QPushButton, QComboBox { font-size: 13px; }"_s);

    m_stemLabel = new QLabel(m_reviewStrip);
    m_stemLabel->setObjectName(u"reviewstem"_s);
    m_stemLabel->setWordWrap(true);
    m_stemLabel->setTextFormat(Qt::PlainText);
    m_stemLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_stemLabel->setGeometry(8, 3, 784, 36);
    m_stemLabel->setStyleSheet(u"font-size: 13px; color: #1A1A1A;"_s);
    setReviewStem(QString());

    auto button = [this](const QString& name, const QString& text, int x, int width) {
        auto* b = new QPushButton(text, m_reviewStrip);
        b->setObjectName(name);
        b->setGeometry(x, 42, width, 26);
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    m_pauseButton = button(u"pausedemo"_s, u"暂停"_s, 8, 64);
    m_stepButton = button(u"stepdemo"_s, u"下一步"_s, 78, 64);
    m_replayButton = button(u"replaydemo"_s, u"重新演示"_s, 148, 80);
    auto* speedCaption = new QLabel(u"速度："_s, m_reviewStrip);
    speedCaption->setGeometry(240, 42, 44, 26);
    speedCaption->setStyleSheet(u"font-size: 13px;"_s);
    m_speedBox = new QComboBox(m_reviewStrip);
    m_speedBox->setObjectName(u"demospeed"_s);
    m_speedBox->setGeometry(284, 42, 72, 26);
    m_speedBox->setFocusPolicy(Qt::NoFocus);
    for (double speed : demonstrationSpeeds())
        m_speedBox->addItem(QString::number(speed) + u"×"_s, speed);
    m_speedBox->setCurrentIndex(static_cast<int>(demonstrationSpeeds().indexOf(1.0)));
    m_demoState = new QLabel(m_reviewStrip);
    m_demoState->setObjectName(u"demostate"_s);
    m_demoState->setGeometry(368, 42, 300, 26);
    m_demoState->setStyleSheet(u"font-size: 13px; color: #1F4E96;"_s);

    const bool fromHistory = m_questionId.trimmed().isEmpty();
    m_backToResultsButton = button(u"backtoresults"_s, fromHistory ? u"返回"_s : u"返回成绩"_s, 682, 110);
    m_backToResultsButton->setStyleSheet(
        u"QPushButton { background: #2E8B2E; color: white; border: 1px solid #1E6B1E; border-radius: 3px; }"
        u"QPushButton:hover { background: #3AA03A; }"_s);

    connectReviewStrip();

    m_reviewRefresh = new QTimer(m_reviewStrip);
    m_reviewRefresh->setInterval(200);
    connect(m_reviewRefresh, &QTimer::timeout, this, &PlayerWindow::refreshReviewStrip);
    m_reviewRefresh->start();
    refreshReviewStrip();
    m_reviewStrip->show();
}

// The strip's buttons drive the demonstration playing below it.
void PlayerWindow::connectReviewStrip()
{
    connect(m_pauseButton, &QPushButton::clicked, this, [this] {
        m_movieControl->setDemonstrationPaused(!m_movieControl->isDemonstrationPaused());
        refreshReviewStrip();
    });
    connect(m_stepButton, &QPushButton::clicked, this, [this] {
        if (!m_movieControl->isDemonstrating())
            return;
        m_movieControl->stepDemonstration();
        refreshReviewStrip();
    });
    connect(m_replayButton, &QPushButton::clicked, this, [this] {
        m_movieControl->gotoFrame(u"/yanshi"_s, 1);
        refreshReviewStrip();
    });
    connect(m_speedBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        const double speed = m_speedBox->itemData(index).toDouble();
        if (speed > 0)
            m_movieControl->setDemonstrationPace(1.0 / speed);
    });
    connect(m_backToResultsButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
}

void PlayerWindow::setReviewStem(const QString& stem)
{
    if (!m_stemLabel)
        return;
    const QString text = stem.trimmed();
    m_stemLabel->setText(text.isEmpty() ? u"试题回顾：本题的全程演示"_s : u"题干："_s + text);
    m_stemLabel->setToolTip(text);
}

void PlayerWindow::refreshReviewStrip()
{
    if (!m_reviewStrip)
        return;
    const bool playing = m_movieControl->isDemonstrating();
    const bool paused = m_movieControl->isDemonstrationPaused();
    m_pauseButton->setText(paused ? u"继续"_s : u"暂停"_s);
    m_pauseButton->setEnabled(playing);
    m_stepButton->setEnabled(playing);
    QString state;
    if (paused)
        state = u"已暂停，单击“继续”或“下一步”"_s;
    else if (playing)
        state = u"正在演示"_s;
    else if (m_movieControl->isCompleted())
        state = u"演示完毕，可单击“重新演示”"_s;
    m_demoState->setText(state);
}

void PlayerWindow::setExamMode(bool examMode)
{
    m_movieControl->setCompletionPictureShown(!examMode);
}

void PlayerWindow::closeWhenTrainerEnds(qint64 trainerPid)
{
    if (trainerPid <= 0)
        return;
    if (!m_trainerWatch) {
        m_trainerWatch = new QTimer(this);
        m_trainerWatch->setInterval(1000);
    }
    m_trainerWatch->disconnect(this);
    connect(m_trainerWatch, &QTimer::timeout, this, [this, trainerPid] {
        if (isProcessRunning(trainerPid))
            return;
        m_trainerWatch->stop();
        done(QDialog::Rejected);
    });
    m_trainerWatch->start();
}

void PlayerWindow::setBridgeWaitOnClose(int milliseconds)
{
    m_closeWait->setInterval(milliseconds);
}

void PlayerWindow::deliverCopyData(const QString& text)
{
    // Every received word is acted on, also one equal to the text already held.
    if (m_commandBox->text() == text)
        commandBoxChanged();
    else
        m_commandBox->setText(text);
}

void PlayerWindow::commandBoxChanged()
{
    const QString word = trimSpaces(m_commandBox->text());
    if (word == kCaoZuoWord)
        m_movieControl->TSetProperty(u"/tishi"_s, 7, u"1"_s);
    if (word == kYanShiWord) {
        m_movieControl->TSetProperty(u"/tishi"_s, 7, u"1"_s);
        m_movieControl->gotoFrame(u"/yanshi"_s, 1);
    }
}

void PlayerWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape must not close the player the way it closes a dialog.
    QWidget::keyPressEvent(event);
}

void PlayerWindow::done(int result)
{
    if (m_bridge == BridgeState::Running) {
        // The close waits for the bridge, so that its outcome can still be
        // told; the window stays open and answers meanwhile.
        if (!m_closePending) {
            m_closePending = true;
            m_closeResult = result;
            setCursor(Qt::BusyCursor);
            m_closeWait->start();
        }
        return;
    }
    m_closePending = false;
    m_closeWait->stop();
    unsetCursor();
    shutDown();
    QDialog::done(result);
}

void PlayerWindow::shutDown()
{
    if (m_rightClickFilter)
        m_rightClickFilter->removeAll();
    m_receiver.stop();
}

} // namespace pptdrill

#include "moc_playerwindow.cpp"
