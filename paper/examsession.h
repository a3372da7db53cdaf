#pragma once

#include "db/database.h"

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

namespace pptdrill {

// The numbers of a practice paper.
namespace exam {
inline constexpr int maxQuestions = 40;
// The exam allows 1.25 minutes a question: 50 minutes for a full paper.
inline constexpr int secondsPerQuestion = 75;
inline constexpr double pointsPerRightQuestion = 2.5;
inline constexpr int examSeconds(int questionCount)
{
    return questionCount * secondsPerQuestion;
}
} // namespace exam

// What the learner chose on the main menu.
struct PracticeChoice
{
    QString setName; // "第1套题" … "第12套题", "随机练习", "错题练习"; empty until the first choice
    bool randomDraw = false;
};

// Who logged in, and how.
struct Candidate
{
    QString seatNumber;
    QString identityNumber;
    QString courseTitle;
    bool examMode = false; // no demonstration, no hint
};

// A question's cell in the question bar's grid: not visited yet, visited, or
// marked by the learner for a later look.
enum class QuestionMark
{
    NotVisited,
    Visited,
    Marked,
};

// One practice from the menu's choice to the hand-in: the choice, the
// candidate, the paper the question bar walks, the exam clock and the mark of
// each question. The main program owns it and hands it to its windows.
class ExamSession : public QObject
{
    Q_OBJECT

public:
    PracticeChoice choice;
    Candidate candidate;

    // A new paper of `questionCount` questions is on the bar: every question
    // unvisited, the full exam time left.
    void startPaper(int questionCount);
    int questionCount() const { return static_cast<int>(m_marks.size()); }

    QuestionMark mark(int question) const;
    void setMark(int question, QuestionMark mark);

    int remainingSeconds() const { return m_remainingSeconds; }
    void setRemainingSeconds(int seconds) { m_remainingSeconds = seconds; }

    // The paper's rows, positioned on the bar's current question.
    std::optional<Recordset>& paper() { return m_paper; }
    // The player command line last started, for "重做本题".
    QString playerCommand;
    // The question bar may close (the paper is over).
    bool barMayClose = false;

signals:
    void markChanged(int question, QuestionMark mark);

private:
    std::vector<QuestionMark> m_marks;
    int m_remainingSeconds = 0;
    std::optional<Recordset> m_paper;
};

} // namespace pptdrill
