#pragma once

#include "bar/widgets/baricon.h"
#include "bar/widgets/playerlauncher.h"
#include "bar/widgets/questionbar.h"
#include "classroom/classroomconfig.h"
#include "classroom/classroomsender.h"
#include "paper/examsession.h"
#include "paper/widgets/attemptwindow.h"
#include "paper/widgets/handindialog.h"
#include "paper/widgets/historywindow.h"
#include "paper/widgets/resultswindow.h"
#include "paper/widgets/reviewwindow.h"
#include "paper/widgets/unansweredhandindialog.h"
#include "player/demonstrationstarter.h"
#include "player/playerprocesses.h"
#include "shell/widgets/form.h"
#include "shell/widgets/loadingwindow.h"
#include "shell/widgets/loginbackdrop.h"
#include "shell/widgets/logindialog.h"
#include "shell/widgets/mainmenu.h"
#include "shell/widgets/screen.h"

namespace pptdrill {

// The main program: its exam session and its windows, each loaded on first use,
// and the ways from one window to the next. Windows reach each other only
// through it; the bar's and the paper's windows do not know it and speak to
// it through signals.
class Trainer : public QObject
{
    Q_OBJECT

public:
    Trainer();
    ~Trainer() override;

    ExamSession& session() { return m_session; }

    FormVariable<MainMenu>& mainMenu() { return m_mainMenu; }
    FormVariable<LoginBackdrop>& loginBackdrop() { return m_loginBackdrop; }
    FormVariable<LoginDialog>& loginDialog() { return m_loginDialog; }
    FormVariable<LoadingWindow>& loadingWindow() { return m_loadingWindow; }
    FormVariable<QuestionBar>& questionBar() { return m_questionBar; }
    FormVariable<BarIcon>& barIcon() { return m_barIcon; }
    FormVariable<PlayerLauncher>& playerLauncher() { return m_playerLauncher; }
    FormVariable<UnansweredHandInDialog>& unansweredHandInDialog() { return m_unansweredHandInDialog; }
    FormVariable<HandInDialog>& handInDialog() { return m_handInDialog; }
    FormVariable<ResultsWindow>& resultsWindow() { return m_resultsWindow; }
    FormVariable<HistoryWindow>& historyWindow() { return m_historyWindow; }
    FormVariable<AttemptWindow>& attemptWindow() { return m_attemptWindow; }
    FormVariable<ReviewWindow>& reviewWindow() { return m_reviewWindow; }
    DemonstrationStarter& demonstrationStarter() { return m_demonstrationStarter; }

    // How the player is stopped and started; tests install a recorder (not
    // owned), nullptr restores the real processes.
    PlayerProcesses& playerProcesses() { return *m_playerProcesses; }
    void setPlayerProcesses(PlayerProcesses* processes);

    // The one way back to the main menu: it comes back in its normal state,
    // also after its own "最小化窗口", and active.
    void showMainMenu();
    // After the learner closed a window: when no window of the program is left
    // on screen, the main menu comes back, so that the program never runs on unseen.
    void afterWindowClosedByUser();

    // The built paper goes to a freshly loaded question bar (a bar of an
    // earlier paper goes first).
    void showQuestionBar();
    // The player starts on the bar's current question.
    void launchPlayer();
    // "结束考试": the first confirmation when questions are undone, else the second.
    void confirmHandIn(int undone);
    // Unloads any confirmation still open and shows a freshly computed results
    // window; when it is already showing it is only brought to the front.
    void showResults();
    // The exam time is up: the message, then the results (none while they show).
    void endExamOnTime();
    // The results are over: the bar, its icon and its clock go.
    void closeQuestionBar();

    // The menu's "练习记录": a freshly read history over the menu.
    void showHistory();
    // One attempt of the history with its results grid.
    void showAttempt(qint64 attemptId);
    // From the results: the player plays the demonstration of a question of
    // the handed-in paper while the results stay open behind it.
    void showDemonstration(int question);
    // 试题回顾 of a question of the results, or of the attempt window's attempt.
    void showQuestionReview(int question);
    void showHistoryQuestionReview(int position);

    // At start, over the menu: a paper the last run did not hand in (it was
    // killed, the session ended) is offered with its answers and time left.
    // True when the learner took it up and its bar is on screen.
    bool offerUnfinishedPaper();

    // Every window goes without its unload, as when the program ends.
    void discardWindows();

    // With a class file, the background sender starts on the learner's
    // database and the menu shows how much is left to deliver; without one
    // nothing happens. A class file that cannot be used is only shown there.
    void startClassroom(const QString& databasePath);
    // Before the database file is compacted at exit.
    void stopClassroom();
    // A hand-in was queued for the class.
    void deliverHandIns();
    ClassroomSender* classroomSender() const { return m_classroomSender.get(); }
    // Where the class files are looked for; tests point elsewhere.
    void setClassroomConfigFiles(const QStringList& files) { m_classroomConfigFiles = files; }

private:
    void makeWindowsOfTheBar();
    void makeWindowsOfThePaper();
    void backToPaper();
    void newPractice();
    void quitFromResults();
    // The paper is handed in or given up: it is no longer offered at start.
    Status forgetUnfinishedPaper(bool emptyPaper);
    void handInFailed(const Status& failure);
    // Opens the review window over the results or the history.
    ReviewWindow* openReviewWindow(const QuestionReview& review, const Status& read);
    // A history question's demonstration: its movie staged from the bank.
    void showBankDemonstration(const QuestionReview& review);
    // Starts a review's player, its stem shown above the simulated window.
    bool startReviewPlayer(const QString& commandLine, const QString& stem);

    ExamSession m_session;
    PlayerProcesses m_realPlayerProcesses;
    PlayerProcesses* m_playerProcesses = &m_realPlayerProcesses;
    bool m_inTimeUp = false;
    bool m_handInFailedAtTimeUp = false;
    // A demonstration from the results replaced the player of the bar's question.
    bool m_playerLeftPaper = false;
    DemonstrationStarter m_demonstrationStarter;
    QStringList m_classroomConfigFiles = classroomConfigFiles();
    std::unique_ptr<ClassroomSender> m_classroomSender;

    FormVariable<MainMenu> m_mainMenu{*this};
    FormVariable<LoginBackdrop> m_loginBackdrop{*this};
    FormVariable<LoginDialog> m_loginDialog{*this};
    FormVariable<LoadingWindow> m_loadingWindow{*this};
    FormVariable<QuestionBar> m_questionBar{*this};
    FormVariable<BarIcon> m_barIcon{*this};
    FormVariable<PlayerLauncher> m_playerLauncher{*this};
    FormVariable<UnansweredHandInDialog> m_unansweredHandInDialog{*this};
    FormVariable<HandInDialog> m_handInDialog{*this};
    FormVariable<ResultsWindow> m_resultsWindow{*this};
    FormVariable<HistoryWindow> m_historyWindow{*this};
    FormVariable<AttemptWindow> m_attemptWindow{*this};
    FormVariable<ReviewWindow> m_reviewWindow{*this};
};

} // namespace pptdrill
