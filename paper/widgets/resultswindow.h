#pragma once

#include "common/result.h"
#include "shell/widgets/form.h"

#include <vector>

namespace pptdrill {

class ExamSession;
class FormTimer;
class GroupBox;
class Label;
class PushButton;
class ResultMarksLegend;

// The results window "jjjs": the score, the 40 result cells coloured right or
// wrong, and the ways on: back to the paper, a new practice, or quit.
class ResultsWindow : public Form
{
    Q_OBJECT

public:
    explicit ResultsWindow(ExamSession& session);

    // Scores the paper and writes the bank flags and the history. A failure
    // wrote nothing: the paper and the bank are as they were.
    Status load();
    void unloading() override;

    // The paper's score as it stands now; after a correction (订正) the
    // attempt's score is still the first hand-in's.
    double score() const { return m_score; }
    double firstScore() const { return m_firstScore; }
    ResultMarksLegend* marksLegend() const { return m_marksLegend; }
    Label* cell(int question) const;
    Label* scoreLabel() const { return m_scoreLabel; }
    GroupBox* cellFrame() const { return m_cellFrame; }
    PushButton* newPracticeButton() const { return m_newPracticeButton; }
    PushButton* backToPaperButton() const { return m_backToPaperButton; }
    PushButton* quitButton() const { return m_quitButton; }
    FormTimer* keepOnTopTimer() const { return m_keepOnTopTimer; }
    Label* demonstrationNote() const { return m_demonstrationNote; }
    // Whether the review of a question offers its demonstration: every
    // question of the paper, unless the paper was done in exam mode.
    bool offersDemonstration(int question) const;
    // Makes way for the player of a demonstration (false) and takes the top
    // again when it is over (true).
    void setKeptOnTop(bool onTop);

signals:
    void newPracticeRequested(); // 重选套题练习
    void backToPaperRequested(); // 返回检查
    void quitRequested();        // 退出
    // A question's cell was clicked: its review (试题回顾).
    void questionReviewRequested(int question);
    // The hand-in is written (and queued for a class where there is one).
    void handedIn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ExamSession& m_session;
    GroupBox* m_cellFrame = nullptr;
    Label* m_scoreLabel = nullptr;
    PushButton* m_newPracticeButton = nullptr;
    PushButton* m_backToPaperButton = nullptr;
    PushButton* m_quitButton = nullptr;
    FormTimer* m_keepOnTopTimer = nullptr;
    Label* m_demonstrationNote = nullptr;
    std::vector<bool> m_offered;
    ResultMarksLegend* m_marksLegend = nullptr;
    double m_score = 0;
    double m_firstScore = 0;
};

} // namespace pptdrill
