#pragma once

#include "paper/practicehistory.h"
#include "shell/widgets/form.h"

#include <vector>

class QTableView;
class QTableWidget;

namespace pptdrill {

class PushButton;
class ScoreChart;
class TopicChart;

// The learner's history "lxjl": per set the last and best score and the
// number of attempts, the scores over time, the parts of the module from the
// weakest, and every attempt, newest first; an attempt opens its results.
class HistoryWindow : public Form
{
    Q_OBJECT

public:
    HistoryWindow();

    // Reads the history (false: it could not be read, and the learner was told why).
    bool load();

    const std::vector<Attempt>& attempts() const { return m_attempts; }
    QTableWidget* setTable() const { return m_setTable; }
    ScoreChart* scoreChart() const { return m_scoreChart; }
    TopicChart* topicChart() const { return m_topicChart; }
    QTableView* attemptTable() const { return m_attemptTable; }
    PushButton* openAttemptButton() const { return m_openAttemptButton; }
    PushButton* closeButton() const { return m_closeButton; }
    PushButton* clearHistoryButton() const { return m_clearHistoryButton; }
    // The attempt on a row of the attempt table (newest first); 0 when none.
    qint64 attemptIdAtRow(int row) const;

signals:
    void attemptRequested(qint64 attemptId);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openSelectedAttempt();
    // After a confirmation, clears the history and the 错题 flags and shows the window afresh.
    void clearHistory();

    std::vector<Attempt> m_attempts;
    QTableWidget* m_setTable = nullptr;
    ScoreChart* m_scoreChart = nullptr;
    TopicChart* m_topicChart = nullptr;
    QTableView* m_attemptTable = nullptr;
    PushButton* m_openAttemptButton = nullptr;
    PushButton* m_closeButton = nullptr;
    PushButton* m_clearHistoryButton = nullptr;
};

// Tells the learner that the history could not be read, and why.
void tellHistoryUnreadable(int code, const QString& error);

} // namespace pptdrill
