#include "shell/widgets/trainer.h"

#include "bar/widgets/baricon.h"
#include "bar/widgets/playerlauncher.h"
#include "bar/widgets/questionbar.h"
#include "db/database.h"
#include "paper/paperbuilder.h"
#include "paper/paperprogress.h"
#include "paper/results.h"
#include "paper/widgets/handindialog.h"
#include "paper/widgets/resultswindow.h"
#include "paper/widgets/unansweredhandindialog.h"
#include "platform/messagebox.h"
#include "platform/processes.h"
#include "platform/programfolder.h"
#include "platform/widgets/windowsystem.h"
#include "shell/programend.h"
#include "shell/widgets/formtimer.h"
#include "shell/widgets/loadingwindow.h"
#include "shell/widgets/loginbackdrop.h"
#include "shell/widgets/logindialog.h"
#include "shell/widgets/mainmenu.h"

#include <QApplication>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

Trainer::Trainer()
{
    makeWindowsOfTheBar();
    makeWindowsOfThePaper();
    connect(&m_demonstrationStarter, &DemonstrationStarter::finished, this, [this] {
        // The results come back, and over them the review the demonstration was watched from.
        ResultsWindow* results = m_resultsWindow.loaded();
        if (results)
            results->setKeptOnTop(true);
        if (ReviewWindow* review = m_reviewWindow.loaded()) {
            if (results)
                results->keepOnTopTimer()->setEnabled(false);
            review->show();
            review->raise();
            review->activateWindow();
        }
    });
}

// The bar, its icon and the player's launcher know only the session; the
// trainer makes them and takes their signals.
void Trainer::makeWindowsOfTheBar()
{
    m_questionBar.setMaker([this] {
        auto* bar = new QuestionBar(m_session);
        connect(bar, &QuestionBar::handInRequested, this, &Trainer::confirmHandIn);
        connect(bar, &QuestionBar::timeUp, this, &Trainer::endExamOnTime);
        connect(bar, &QuestionBar::playerWanted, this, &Trainer::launchPlayer);
        connect(bar, &QuestionBar::playerRestartWanted, this, [this] {
            m_playerProcesses->stopRunningPlayer();
            m_playerProcesses->startCommand(m_session.playerCommand);
        });
        connect(bar, &QuestionBar::minimizedToIcon, this, [this] {
            m_barIcon.unload();
            m_barIcon->load();
            m_barIcon->show();
        });
        connect(bar, &QuestionBar::closing, this, [this] { m_barIcon.unload(); });
        connect(bar, &QuestionBar::closedEmpty, this, [this] {
            m_questionBar.unload();
            afterWindowClosedByUser();
        });
        return bar;
    });
    m_barIcon.setMaker([this] {
        auto* icon = new BarIcon;
        connect(icon, &BarIcon::restoreRequested, this, [this] {
            m_barIcon.unload();
            if (QuestionBar* bar = m_questionBar.loaded())
                bar->restoreFromIcon();
        });
        return icon;
    });
    m_playerLauncher.setMaker([this] {
        auto* launcher = new PlayerLauncher(m_session);
        connect(launcher, &PlayerLauncher::launchRequested, this, [this](const QString& command) {
            m_playerProcesses->stopRunningPlayer();
            m_playerProcesses->setExamMode(m_session.candidate.examMode);
            m_playerProcesses->startCommand(command);
            m_playerLauncher.unload();
        });
        return launcher;
    });
}

// The hand-in's and the history's windows know only the session; the trainer
// makes them and takes their signals.
void Trainer::makeWindowsOfThePaper()
{
    m_unansweredHandInDialog.setMaker([this] {
        auto* dialog = new UnansweredHandInDialog;
        connect(dialog, &UnansweredHandInDialog::confirmed, this, [this] {
            m_unansweredHandInDialog.unload();
            m_handInDialog->show();
        });
        connect(dialog, &UnansweredHandInDialog::cancelled, this,
                [this] { m_unansweredHandInDialog.unload(); });
        return dialog;
    });
    m_handInDialog.setMaker([this] {
        auto* dialog = new HandInDialog;
        connect(dialog, &HandInDialog::confirmed, this, [this] {
            m_handInDialog.unload();
            showResults();
        });
        connect(dialog, &HandInDialog::cancelled, this, [this] { m_handInDialog.unload(); });
        return dialog;
    });
    m_resultsWindow.setMaker([this] {
        auto* results = new ResultsWindow(m_session);
        connect(results, &ResultsWindow::backToPaperRequested, this, &Trainer::backToPaper);
        connect(results, &ResultsWindow::newPracticeRequested, this, &Trainer::newPractice);
        connect(results, &ResultsWindow::quitRequested, this, &Trainer::quitFromResults);
        connect(results, &ResultsWindow::questionReviewRequested, this, &Trainer::showQuestionReview);
        connect(results, &ResultsWindow::handedIn, this, &Trainer::deliverHandIns);
        return results;
    });
    m_historyWindow.setMaker([this] {
        auto* history = new HistoryWindow;
        connect(history, &HistoryWindow::attemptRequested, this, &Trainer::showAttempt);
        return history;
    });
    m_attemptWindow.setMaker([this] {
        auto* attempt = new AttemptWindow;
        attempt->makeCellsReviewable();
        connect(attempt, &AttemptWindow::questionReviewRequested, this, &Trainer::showHistoryQuestionReview);
        return attempt;
    });
    m_reviewWindow.setMaker([] { return new ReviewWindow; });
}

Trainer::~Trainer()
{
    stopClassroom();
    discardWindows();
}

void Trainer::startClassroom(const QString& databasePath)
{
    const auto loaded = loadClassroomConfig(m_classroomConfigFiles);
    if (loaded && !loaded->has_value())
        return;
    Status usable = loaded ? checkLearnerConfig(loaded->value()) : Status::failure(loaded.error());
    if (!usable) {
        if (MainMenu* menu = m_mainMenu.loaded())
            menu->showClassroomStatus(u"班级设置有误"_s, usable.error());
        return;
    }
    const ClassroomConfig& config = loaded->value();
    m_session.className = config.className;
    m_classroomSender = std::make_unique<ClassroomSender>(config, databasePath);
    connect(m_classroomSender.get(), &ClassroomSender::pendingChanged, this, [this](int pending) {
        if (MainMenu* menu = m_mainMenu.loaded())
            menu->showClassroomStatus(ClassroomSender::statusText(pending), QString());
    });
    m_classroomSender->start();
}

void Trainer::stopClassroom()
{
    if (m_classroomSender)
        m_classroomSender->stop();
}

void Trainer::deliverHandIns()
{
    if (m_classroomSender)
        m_classroomSender->deliverSoon();
}

void Trainer::setPlayerProcesses(PlayerProcesses* processes)
{
    m_playerProcesses = processes ? processes : &m_realPlayerProcesses;
}

void afterWindowClosedByUser(Trainer& trainer)
{
    trainer.afterWindowClosedByUser();
}

void Trainer::showMainMenu()
{
    MainMenu* menu = m_mainMenu.get();
    // A menu minimized by its own "最小化窗口" would otherwise map iconic again
    // when shown, whether or not the window manager restored it meanwhile.
    menu->setWindowState(menu->windowState() & ~Qt::WindowMinimized);
    windowsystem::forgetIconicStart(menu);
    menu->show();
    menu->raise();
    menu->activateWindow();
}

void Trainer::afterWindowClosedByUser()
{
    if (programEnded())
        return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form*>(window) && window->isVisible())
            return;
    }
    showMainMenu();
}

void Trainer::showQuestionBar()
{
    // A bar of an earlier paper goes first; normally the results closed it.
    if (m_questionBar.isLoaded()) {
        m_session.barMayClose = true;
        m_questionBar.unload();
    }
    m_handInFailedAtTimeUp = false;
    QuestionBar* bar = m_questionBar.get();
    if (bar->load())
        bar->show();
}

void Trainer::launchPlayer()
{
    m_playerLauncher.unload();
    m_playerLauncher->show();
}

void Trainer::confirmHandIn(int undone)
{
    if (undone > 0)
        m_unansweredHandInDialog->show();
    else
        m_handInDialog->show();
}

void Trainer::showResults()
{
    m_unansweredHandInDialog.unload();
    m_handInDialog.unload();
    if (ResultsWindow* open = m_resultsWindow.loaded()) {
        open->raise();
        open->activateWindow();
        return;
    }
    // The results take over: the bar is hidden (a minimized bar's icon stays
    // where the learner put it).
    if (QuestionBar* bar = m_questionBar.loaded())
        bar->hide();
    ResultsWindow* results = m_resultsWindow.get();
    // Handed in, the paper is no longer one to take up again; should the hand-in
    // fail, the bar saves the paper's progress anew.
    forgetUnfinishedPaper(false);
    if (Status scored = results->load(); !scored) {
        m_resultsWindow.unload();
        handInFailed(scored);
        return;
    }
    m_handInFailedAtTimeUp = false;
    results->show();
}

void Trainer::handInFailed(const Status& failure)
{
    // The scoring wrote nothing, so the paper is whole: the learner frees the
    // disk (or whatever the reason says) and hands in again from the bar.
    m_playerProcesses->stopRunningPlayer();
    const QString reason = failure.code() != 0 ? databaseFailureReason(failure.code()) : failure.error();
    msgBox(u"交卷没有完成：%1。\n\n试卷和已做的题目都原样保留，成绩没有写入。"
           u"请排除上述问题（例如清理磁盘空间）后，再次单击“结束考试”交卷。"_s.arg(reason),
           MessageIcon::Critical);
    if (QuestionBar* bar = m_questionBar.loaded())
        bar->saveProgress();
    if (BarIcon* icon = m_barIcon.loaded()) {
        icon->show();
    } else if (QuestionBar* bar = m_questionBar.loaded()) {
        bar->show();
        bar->raise();
    }
}

void Trainer::endExamOnTime()
{
    // One time-up at a time; and none while the results are already open, nor
    // again every second after a hand-in at time-up failed: then the learner
    // hands in from the bar.
    if (m_inTimeUp || m_handInFailedAtTimeUp || m_resultsWindow.isLoaded())
        return;
    m_inTimeUp = true;
    msgBox(u"考试结束时间到！"_s, MessageIcon::Information, MessageButtons::Ok, u"朔禾软件"_s);
    if (QuestionBar* bar = m_questionBar.loaded())
        bar->hide();
    m_handInFailedAtTimeUp = true;
    showResults();
    m_inTimeUp = false;
}

void Trainer::closeQuestionBar()
{
    m_session.barMayClose = true;
    m_barIcon.unload();
    m_questionBar.unload();
}

void Trainer::showHistory()
{
    m_historyWindow.unload();
    HistoryWindow* history = m_historyWindow.get();
    if (!history->load()) {
        m_historyWindow.unload();
        return;
    }
    history->show();
    history->raise();
    history->activateWindow();
}

void Trainer::showAttempt(qint64 attemptId)
{
    m_attemptWindow.unload();
    AttemptWindow* attempt = m_attemptWindow.get();
    if (!attempt->load(attemptId)) {
        m_attemptWindow.unload();
        return;
    }
    attempt->show();
    attempt->raise();
    attempt->activateWindow();
}

void Trainer::showDemonstration(int question)
{
    ResultsWindow* results = m_resultsWindow.loaded();
    std::optional<Recordset>& paper = m_session.paper();
    if (!results || !results->offersDemonstration(question) || !paper || !paper->isOpen() ||
        question > paper->recordCount())
        return;
    // The bar's current question stays where it is.
    const int current = paper->absolutePosition();
    QString stid;
    if (Status moved = paper->setAbsolutePosition(question); moved) {
        const Result<QVariant> field = paper->field(u"stid"_s);
        if (!field) {
            failProgram(field.error());
            return;
        }
        stid = field->toString().trimmed();
    }
    if (current > 0)
        paper->setAbsolutePosition(current);
    // A look back: the player records nothing, so the paper's result stays the
    // one handed in, and the demonstration is not the learner's.
    m_playerLeftPaper = true;
    results->setKeptOnTop(false);
    QString stem;
    if (ReviewWindow* review = m_reviewWindow.loaded(); review && review->review().position == question)
        stem = review->review().stem;
    const QString command = playerExecutableName() + u' ' + QString(kReviewOption) + u' ' + stid + u'&' +
                            QString::number(question);
    if (!startReviewPlayer(command, stem) && !m_reviewWindow.isLoaded())
        results->setKeptOnTop(true);
}

bool Trainer::startReviewPlayer(const QString& commandLine, const QString& stem)
{
    // The review makes way for the player, and comes back when it has gone.
    if (ReviewWindow* review = m_reviewWindow.loaded())
        review->hide();
    m_playerProcesses->setReviewStem(stem);
    const bool started = m_demonstrationStarter.start(*m_playerProcesses, commandLine);
    m_playerProcesses->setReviewStem(QString());
    if (!started) {
        if (ReviewWindow* review = m_reviewWindow.loaded())
            review->show();
    }
    return started;
}

ReviewWindow* Trainer::openReviewWindow(const QuestionReview& review, const Status& read)
{
    m_reviewWindow.unload();
    ReviewWindow* window = m_reviewWindow.get();
    if (read)
        window->showReview(review);
    else
        window->showFailure(review.position,
                            read.code() != 0 ? databaseFailureReason(read.code()) : read.error());
    window->show();
    window->placeOnScreen();
    window->raise();
    window->activateWindow();
    return window;
}

void Trainer::showQuestionReview(int question)
{
    ResultsWindow* results = m_resultsWindow.loaded();
    if (!results)
        return;
    const Result<QuestionReview> read = readPaperQuestionReview(m_session, question);
    QuestionReview review = read ? read.value() : QuestionReview{};
    review.position = question;
    // The results stay on screen behind their review, but stop taking the top from it.
    results->keepOnTopTimer()->setEnabled(false);
    ReviewWindow* window =
        openReviewWindow(review, read ? Status{} : Status::failure(read.error(), read.code()));
    window->demonstrationButton()->setEnabled(read && results->offersDemonstration(question));
    if (!results->offersDemonstration(question))
        window->demonstrationButton()->setToolTip(u"考试模式的试卷不提供全程演示"_s);
    connect(window, &ReviewWindow::demonstrationRequested, this,
            [this, question] { showDemonstration(question); });
    connect(window, &Form::closeRequested, this, [this] {
        if (ResultsWindow* open = m_resultsWindow.loaded(); open && !m_demonstrationStarter.isRunning())
            open->setKeptOnTop(true);
    });
}

void Trainer::showHistoryQuestionReview(int position)
{
    AttemptWindow* attempt = m_attemptWindow.loaded();
    const AttemptQuestion* question = attempt ? attempt->question(position) : nullptr;
    if (!question)
        return;
    const Result<QuestionReview> read = readHistoryQuestionReview(*question);
    QuestionReview review = read ? read.value() : QuestionReview{};
    review.position = position;
    ReviewWindow* window =
        openReviewWindow(review, read ? Status{} : Status::failure(read.error(), read.code()));
    const bool offered = read && review.inBank && !attempt->examMode();
    window->demonstrationButton()->setEnabled(offered);
    if (read && review.inBank && attempt->examMode())
        window->demonstrationButton()->setToolTip(u"考试模式的试卷不提供全程演示"_s);
    connect(window, &ReviewWindow::demonstrationRequested, this,
            [this, window] { showBankDemonstration(window->review()); });
}

void Trainer::showBankDemonstration(const QuestionReview& review)
{
    // The paper's movies of that attempt are long gone: the question's own
    // movie is staged from the bank under a name of its own.
    if (Status staged = stageReviewMovie(review.stkid, programFolder()); !staged) {
        const QString reason = staged.code() != 0 ? databaseFailureReason(staged.code()) : staged.error();
        msgBox(u"无法播放这道题的全程演示：%1。"_s.arg(reason), MessageIcon::Information);
        return;
    }
    const QString command =
        playerExecutableName() + u' ' + QString(kReviewOption) + u" &"_s + reviewMovieName(review.stkid);
    startReviewPlayer(command, review.stem);
}

void Trainer::backToPaper()
{
    m_resultsWindow.unload();
    // The player of a demonstration goes; the bar's question plays again.
    if (m_playerLeftPaper) {
        m_playerLeftPaper = false;
        if (m_questionBar.isLoaded())
            launchPlayer();
    }
    // "返回检查": the bar (or its icon) comes back.
    if (BarIcon* icon = m_barIcon.loaded()) {
        icon->show();
    } else if (QuestionBar* bar = m_questionBar.loaded()) {
        bar->show();
        bar->raise();
    }
}

void Trainer::newPractice()
{
    forgetUnfinishedPaper(false);
    m_playerLeftPaper = false;
    closeQuestionBar();
    if (m_session.paper()) {
        m_session.paper()->close();
        m_session.paper().reset();
    }
    m_playerProcesses->stopRunningPlayer();
    if (Status removed = removeStagedMovies(); !removed) {
        failProgram(removed.error());
        return;
    }
    m_resultsWindow.unload();
    showMainMenu();
}

void Trainer::quitFromResults()
{
    forgetUnfinishedPaper(false);
    const Status removed = removeStagedMovies();
    m_playerProcesses->stopRunningPlayer();
    m_resultsWindow.unload();
    if (!removed)
        failProgram(removed.error());
    else
        endProgram(0);
}

bool Trainer::offerUnfinishedPaper()
{
    auto connection = openDatabase();
    if (!connection)
        return false;
    const auto found = unfinishedPaper(*connection.value());
    connection.value()->close();
    if (!found || !found.value())
        return false;
    const PaperProgress& paper = *found.value();
    int done = 0;
    for (QuestionMark mark : paper.marks)
        done += mark != QuestionMark::NotVisited;
    const int minutes = paper.remainingSeconds / 60;
    const QString question =
        u"上次的练习（%1）还没有交卷：共%2题，已看过%3题，剩余时间%4分%5秒。\n\n是否继续上次练习？\n"
        u"选择“否”将放弃上次的练习。"_s.arg(paper.choice.setName)
            .arg(paper.stids.size())
            .arg(done)
            .arg(minutes)
            .arg(paper.remainingSeconds - minutes * 60);
    if (msgBox(question, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        if (Status given = forgetUnfinishedPaper(true); !given)
            failProgram(given.error());
        return false;
    }
    if (Status staged = restagePaperMovies(programFolder()); !staged) {
        msgBox(u"无法继续上次的练习：%1"_s.arg(staged.error()), MessageIcon::Critical);
        forgetUnfinishedPaper(true);
        return false;
    }
    restoreProgress(m_session, paper);
    m_session.resumeAtQuestion = paper.currentQuestion;
    if (MainMenu* menu = m_mainMenu.loaded())
        menu->hide();
    showQuestionBar();
    if (!m_questionBar.isLoaded()) {
        showMainMenu();
        return false;
    }
    return true;
}

Status Trainer::forgetUnfinishedPaper(bool emptyPaper)
{
    auto connection = openDatabase();
    if (!connection)
        return Status::failure(connection.error(), connection.code());
    const Status forgotten = discardProgress(*connection.value(), emptyPaper);
    connection.value()->close();
    if (!forgotten)
        qWarning("pptdrill: the paper's progress was not discarded: %s", qUtf8Printable(forgotten.error()));
    return forgotten;
}

void Trainer::discardWindows()
{
    m_session.barMayClose = true;
    m_reviewWindow.discard();
    m_attemptWindow.discard();
    m_historyWindow.discard();
    m_resultsWindow.discard();
    m_handInDialog.discard();
    m_unansweredHandInDialog.discard();
    m_playerLauncher.discard();
    m_barIcon.discard();
    m_questionBar.discard();
    m_loadingWindow.discard();
    m_loginDialog.discard();
    m_loginBackdrop.discard();
    m_mainMenu.discard();
}

} // namespace pptdrill

#include "moc_trainer.cpp"
