#pragma once

#include "db/database.h"

#include <QDateTime>
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
// The bar's clock turns red for the last five minutes.
inline constexpr int warningSeconds = 5 * 60;
} // namespace exam

// The kinds of paper the menu offers. A sprint set (冲刺题) is a set like the others.
enum class PaperKind
{
    Set,            // 第1套题 … 第12套题
    Random,         // 随机练习: 40 questions drawn from the whole bank
    WrongQuestions, // 错题练习: the questions last answered wrong
    WeakPoints,     // 薄弱考点练习: the parts of the module the learner is weakest in
};

// What the learner chose on the main menu.
struct PracticeChoice
{
    // The name the history keeps: "第1套题" … "第12套题", "随机练习", "错题练习",
    // "薄弱考点练习"; empty until the first choice.
    QString setName;
    PaperKind kind = PaperKind::Set;

    bool isRandom() const { return kind == PaperKind::Random; }
};

// The choice a history or a saved paper names by its set name.
PracticeChoice practiceChoiceNamed(const QString& setName);

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
    // unvisited, no help played, the full exam time left.
    void startPaper(int questionCount);
    // A paper taken up again after the trainer ended without a hand-in: its grid,
    // help played, time left and start as they were saved.
    void restorePaper(const std::vector<QuestionMark>& marks, const std::vector<bool>& demonstrations,
                      const std::vector<bool>& hints, int remainingSeconds, const QDateTime& startedAt);
    // Set while a restored paper waits for the bar: its load keeps the
    // restored state and goes to this question instead of starting anew.
    int resumeAtQuestion = 0;
    int questionCount() const { return static_cast<int>(m_marks.size()); }

    QuestionMark mark(int question) const;
    void setMark(int question, QuestionMark mark);

    int remainingSeconds() const { return m_remainingSeconds; }
    void setRemainingSeconds(int seconds) { m_remainingSeconds = seconds; }

    // The learner had the demonstration (全程演示) or the hint (操作提示) played
    // for a question of this paper.
    void noteDemonstration(int question);
    void noteHint(int question);
    void forgetDemonstration(int question);
    bool hadDemonstration(int question) const;
    bool hadHint(int question) const;
    // When the paper came to the bar (UTC).
    const QDateTime& paperStartedAt() const { return m_paperStartedAt; }
    // The history row of this paper once it has been handed in: a later hand-in
    // of the same paper replaces it. 0 before the first hand-in.
    qint64 historyRecordId = 0;
    // The class every hand-in is also queued for; empty without a class file.
    QString className;

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
    std::vector<bool> m_demonstrations;
    std::vector<bool> m_hints;
    QDateTime m_paperStartedAt;
    int m_remainingSeconds = 0;
    std::optional<Recordset> m_paper;
};

} // namespace pptdrill
