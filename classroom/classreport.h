#pragma once

#include "common/result.h"
#include "paper/practicehistory.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

class ServerConnection;

// What the teacher reads from the class's server. Of the hand-ins of one
// attempt (the same paper handed in again after "返回检查") only the last counts.

// One learner of the class, by the identity-card number typed at the login.
struct ClassLearner
{
    QString identityNumber;
    QString seatNumber; // the last one typed
    QString name;       // the roster's name; empty until the teacher adds it
    int attempts = 0;
    double averageScore = 0;
    double lastScore = 0;
    QDateTime lastHandIn;
};
Result<std::vector<ClassLearner>> readClassRoster(ServerConnection& server, const QString& className);

// One attempt of a learner, newest first.
struct ClassAttempt
{
    QString attemptId;
    int handIn = 1;
    Attempt attempt; // its id stays 0
};
Result<std::vector<ClassAttempt>> readLearnerAttempts(ServerConnection& server, const QString& className,
                                                      const QString& identityNumber);

// One question of an attempt, with its set and number in the bank.
struct ClassAttemptQuestion
{
    AttemptQuestion question; // its stkid stays 0
    QString setName;
    QString number;
    QString point; // the knowledge point, when the learner's bank names one
};
Result<std::vector<ClassAttemptQuestion>> readClassAttemptQuestions(ServerConnection& server,
                                                                    const QString& attemptId, int handIn);

// A knowledge point (or, where the bank names none, the part of the module)
// over the whole class: how often it was asked and mastered, and how many of
// the learners who met it mastered fewer than half of their answers to it.
struct ClassPoint
{
    QString point;
    int asked = 0;
    int mastered = 0;
    int learners = 0;
    int learnersMissing = 0;

    double share() const { return asked > 0 ? double(mastered) / asked : 0; }
};
// Weakest first.
Result<std::vector<ClassPoint>> readClassPoints(ServerConnection& server, const QString& className);

// The roster's name of a learner; an empty name removes it.
Status setLearnerName(ServerConnection& server, const QString& className, const QString& identityNumber,
                      const QString& name);

// Every attempt of the class for a spreadsheet, one row each, with a header row.
Result<std::vector<QStringList>> readClassAttemptsTable(ServerConnection& server, const QString& className);

// CSV as spreadsheets open it: UTF-8 with a byte order mark, CRLF line ends,
// fields quoted where they hold a comma, a quote or a line break. A field that
// a spreadsheet would take for a formula gets a leading apostrophe.
QByteArray csvBytes(const std::vector<QStringList>& rows);
// Written to a temporary file beside `path` and renamed over it: never half a file.
Status writeCsvFile(const QString& path, const std::vector<QStringList>& rows);

} // namespace pptdrill
