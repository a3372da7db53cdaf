#pragma once

#include "bar/widgets/stembox.h"
#include "bar/widgets/windowdrag.h"
#include "paper/examsession.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "shell/widgets/formtimer.h"

#include <chrono>

class QLineEdit;
class QMenu;

namespace pptdrill {

class PlayerCommandSender;

// The question bar "stbar": the current question, the grid of visited and
// marked questions, the stem, the exam clock and the input-method menu. It
// always stays on top of the player.
class QuestionBar : public Form
{
    Q_OBJECT

public:
    explicit QuestionBar(ExamSession& session);

    // Placement, the paper, the clock, the grid, the player on question 1 and
    // the input-method menu. False when the bar has closed again (empty paper)
    // or the program failed.
    bool load();
    void unloading() override;

    // The question panel ("btframe") and its controls.
    QWidget* questionPanel() const { return m_questionPanel; }
    PushButton* previousButton() const { return m_previousButton; }
    PushButton* nextButton() const { return m_nextButton; }
    PushButton* redoButton() const { return m_redoButton; }
    PushButton* markButton() const { return m_markButton; }
    PushButton* chooseButton() const { return m_chooseButton; }
    StemBox* stemBox() const { return m_stemBox; }
    PushButton* endExamButton() const { return m_endExamButton; }
    PushButton* hintButton() const { return m_hintButton; }
    PushButton* demonstrationButton() const { return m_demonstrationButton; }
    Label* playerGoneNote() const { return m_playerGoneNote; }

    // Keeps the paper's progress in the database, so that it can be taken up
    // again after the trainer ends without a hand-in; a failed save is only logged.
    void saveProgress();
    // The hidden box a command word passes through on its way to the player.
    QLineEdit* sendBox() const { return m_sendBox; }
    // The grid panel ("xtframe"): a cell a question and the way back.
    QWidget* gridPanel() const { return m_gridPanel; }
    Label* cell(int question) const;
    PushButton* gridBackButton() const { return m_gridBackButton; }
    // The status row.
    Label* remainingTimeLabel() const { return m_remainingTimeLabel; }
    ProgressBar* timeBar() const { return m_timeBar; }
    PushButton* inputMethodButton() const { return m_inputMethodButton; }
    QMenu* inputMenu() const { return m_inputMenu; }

    FormTimer* keepOnTopTimer() const { return m_keepOnTopTimer; }
    FormTimer* clockTimer() const { return m_clockTimer; }
    PlayerCommandSender* playerSender() const { return m_playerSender; }
    int questionCount() const { return m_session.questionCount(); }

    // The icon's double-click: the bar is visible again in its normal state.
    void restoreFromIcon();
    // A command of the input-method menu (301 … 325 switch the layout).
    void menuCommand(int id);

    // The colours of a grid cell.
    static int cellColor(QuestionMark mark);

signals:
    // "结束考试", with the number of questions not done.
    void handInRequested(int undone);
    // The exam clock ran out.
    void timeUp();
    // The player should show the current question (a fresh start).
    void playerWanted();
    // 重做本题: the running player goes and the same question starts again.
    void playerRestartWanted();
    // Minimized: the bar's icon stands for it now.
    void minimizedToIcon();
    // The bar is going (its icon goes with it).
    void closing();
    // The paper had no question: the bar closed again by itself.
    void closedEmpty();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void buildQuestionPanel();
    void buildQuestionGrid();
    void buildTimeLine();
    void connectButtons();
    void cellClick(Label* clicked);
    void previousClick();
    void nextClick();
    void stepTo(int target);
    void redoClick();
    void markClick();
    void endExamClick();
    void sendToPlayer(const QString& word);
    void inputMethodClick();
    void keepOnTop();
    void clockTick();
    void showRemainingTime(int remaining);
    bool readPaperStids();
    void watchPlayer();
    void playerRestarting();
    Status resetQuestion(int question);
    void showGrid(bool grid);

    bool moveTo(int position);
    int currentQuestion() const;
    void showTitle();
    void arriveAt(int question);
    void paintCell(int question, QuestionMark mark);
    void showStemOfCurrentRow();
    QString decodedStemOfCurrentRow();
    void buildInputMenu();

    ExamSession& m_session;
    QWidget* m_questionPanel = nullptr;
    PushButton* m_previousButton = nullptr;
    PushButton* m_nextButton = nullptr;
    PushButton* m_redoButton = nullptr;
    PushButton* m_markButton = nullptr;
    PushButton* m_chooseButton = nullptr;
    StemBox* m_stemBox = nullptr;
    PushButton* m_endExamButton = nullptr;
    PushButton* m_hintButton = nullptr;
    PushButton* m_demonstrationButton = nullptr;
    QLineEdit* m_sendBox = nullptr;
    QWidget* m_gridPanel = nullptr;
    PushButton* m_gridBackButton = nullptr;
    Label* m_remainingTimeLabel = nullptr;
    ProgressBar* m_timeBar = nullptr;
    PushButton* m_inputMethodButton = nullptr;
    FormTimer* m_keepOnTopTimer = nullptr;
    FormTimer* m_clockTimer = nullptr;
    QMenu* m_inputMenu = nullptr;
    PlayerCommandSender* m_playerSender = nullptr;
    // The clock has counted the time up to here.
    std::chrono::steady_clock::time_point m_clockCountedUpTo;
    int m_clockColor = 0;
    int m_secondsSinceSave = 0;
    Label* m_playerGoneNote = nullptr;
    bool m_playerSeen = false;
    QList<qint64> m_paperStids;
    bool m_clockWarning = false;
    QStringList m_layoutIds;
    QString m_activeLayout;
    bool m_menuOpen = false;
    bool m_restoring = false;
    WindowDrag m_drag{this};
};

} // namespace pptdrill
