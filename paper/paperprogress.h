#pragma once

#include "common/result.h"
#include "paper/examsession.h"

#include <QDateTime>
#include <QList>
#include <optional>
#include <vector>

namespace pptdrill {

class Connection;

// What the trainer needs to take up a paper that was not handed in (the trainer
// killed, the session ended, the power gone): the choice, the candidate, the
// clock, the grid and the help played. Kept in the database beside the paper
// table and written as the learner works; it belongs to the paper whose rows
// (`stids`, in paper order) it names, so a paper built anew leaves it stale.
struct PaperProgress
{
    PracticeChoice choice;
    Candidate candidate;
    QList<qint64> stids;
    int remainingSeconds = 0;
    int currentQuestion = 1;
    QDateTime startedAt;
    qint64 historyRecordId = 0;
    std::vector<QuestionMark> marks;
    std::vector<bool> demonstrations;
    std::vector<bool> hints;
};

// The session's paper as it stands, on question `current`.
PaperProgress progressOf(const ExamSession& session, const QList<qint64>& stids, int current);
// Puts a saved paper back into the session (choice, candidate, clock, grid, help).
void restoreProgress(ExamSession& session, const PaperProgress& progress);

Status saveProgress(Connection& connection, const PaperProgress& progress);
// The saved progress when it belongs to the paper the paper table holds now and
// time is left; nothing otherwise.
Result<std::optional<PaperProgress>> unfinishedPaper(Connection& connection);
// The paper is over: its progress goes; with `emptyPaper`, its rows too.
Status discardProgress(Connection& connection, bool emptyPaper);

// The stids of the paper table in paper order.
Result<QList<qint64>> paperStids(Connection& connection);

} // namespace pptdrill
