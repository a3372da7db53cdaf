#pragma once

#include "bar/windowdrag.h"
#include "shell/controls.h"
#include "shell/form.h"
#include "shell/formtimer.h"

#include <QPlainTextEdit>
#include <chrono>

class QLineEdit;
class QMenu;

namespace pptdrill {
class PlayerCommandSender;
}

namespace pptdrill {

// The stem box: it can be read, selected and scrolled, but it neither changes
// nor gives its text away. Keys are discarded, any other change puts the stem
// of the current question back, and no path (copy, cut, dragging, the mouse
// selection that X offers for pasting) carries the text out of it.
class StemBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    StemBox(QWidget* parent, const QString& name);

    // Shows `stem`; the guard restores this text after any change.
    void showStem(const QString& stem);

    // The box's context menu: the usual editing commands, where copy and cut
    // do nothing and a paste is undone by the guard.
    QMenu* createStemMenu();
    // What copying, dragging or selecting hands to the clipboards: nothing.
    QMimeData* createMimeDataFromSelection() const override;

signals:
    void changedByUser();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_restoring = false;
};

// The question bar: the current question, the grid of visited and marked
// questions, the stem, the exam clock and the input-method menu.
class StbarForm : public Form
{
    Q_OBJECT

public:
    StbarForm();

    // The load: placement, the paper, the clock, the grid, the player on
    // question 1 and the input-method menu. False when the bar has closed
    // again (empty paper) or the program failed.
    bool Load();
    void unloading() override;

    Label* cell(int n) const;
    PushButton* button(int n) const;
    QWidget* btframe() const { return m_btframe; }
    QWidget* xtframe() const { return m_xtframe; }
    StemBox* stnrtext() const { return m_stnrtext; }
    QLineEdit* sendnr() const { return m_sendnr; }
    Label* remaintime() const { return m_remaintime; }
    ProgressBar* ProgressBar1() const { return m_progress; }
    FormTimer* Timer1() const { return m_timer1; }
    FormTimer* Timer2() const { return m_timer2; }
    QMenu* inputMenu() const { return m_inputMenu; }
    int count() const { return m_count; }
    PlayerCommandSender* playerSender() const { return m_playerSender; }
    // The icon's double-click: the bar is visible again in its normal state.
    void restoreFromIcon();
    // A command of the input-method menu (301 … 325 switch the layout).
    void menuCommand(int id);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildControls();
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
    void timeUp();

    bool moveTo(int position);
    void showTitle();
    void showMarkOnArrival(int n);
    void showStemOfCurrentRow();
    QString decodedStemOfCurrentRow();
    bool isRed(int n) const;
    void buildInputMenu();

    QWidget* m_btframe = nullptr;
    QWidget* m_xtframe = nullptr;
    StemBox* m_stnrtext = nullptr;
    QLineEdit* m_sendnr = nullptr;
    Label* m_remaintime = nullptr;
    ProgressBar* m_progress = nullptr;
    FormTimer* m_timer1 = nullptr;
    FormTimer* m_timer2 = nullptr;
    QMenu* m_inputMenu = nullptr;
    PlayerCommandSender* m_playerSender = nullptr;
    // The clock has counted the time up to here.
    std::chrono::steady_clock::time_point m_clockCountedUpTo;
    QStringList m_layoutIds;
    QString m_activeLayout;
    int m_count = 0;
    bool m_inTimeUp = false;
    bool m_menuOpen = false;
    bool m_restoring = false;
    WindowDrag m_drag{this};
};

// The form variable of the bar.
extern FormVariable<StbarForm> stbarForm;

// Loads and shows the bar for the paper in `st` (what the paper builder calls).
void loadQuestionBar();

// Installs the bar as the question-bar handler and its side of the hand-in
// seams; the main program calls it once at start-up.
void installQuestionBar();

} // namespace pptdrill
