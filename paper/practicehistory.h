#pragma once

#include "common/result.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace pptdrill {

class Connection;

// The practice of the parts the learner is weakest in, as the menu names it.
QString weakPointPracticeName();

// One handed-in paper in `练习记录`.
struct Attempt
{
    qint64 id = 0; // 记录ID; 0 before it is written
    QString setName;
    QDateTime startedAt; // UTC
    QDateTime handedInAt;
    double score = 0;
    int questionCount = 0;
    int rightCount = 0;
    bool examMode = false;
    // The paper handed in again after 返回检查 (订正): the latest such hand-in.
    // The attempt's own score stays the first hand-in's.
    bool corrected = false;
    QDateTime correctedAt{};
    double correctedScore = 0;
    int correctedRightCount = 0;

    qint64 secondsTaken() const { return startedAt.secsTo(handedInAt); }
};

// One question of a handed-in paper in `练习记录明细`. A question solved by
// watching its demonstration scores as any other, but is not mastered.
struct AttemptQuestion
{
    int position = 0; // 1 … 40 on the paper
    qint64 stkid = 0;
    QString topic; // 考点; empty when the bank names none
    bool right = false;
    bool demonstration = false;
    bool hint = false;
    // Whether the learner ever went to the question; one never opened was not
    // asked, whatever it scored.
    bool opened = true;

    bool mastered() const { return right && !demonstration; }
};

// Writes a handed-in paper and its questions. An attempt with an id that is
// already in the history is the same paper handed in again after "返回检查":
// the first hand-in's rows stay as they are and the new score is kept as the
// attempt's correction (订正). Runs inside the caller's transaction when there
// is one; the topics are looked up in `试题考点` when a question's topic is
// empty. Returns the id.
Result<qint64> writeAttempt(Connection& connection, Attempt attempt, std::vector<AttemptQuestion> questions);

// A set's name as far as the history reads it: the menu's names are short, and
// a name of another make is cut so that it cannot swell the windows.
inline constexpr int kLongestSetName = 40;

// Starts the learner over: every attempt of the history and every 错题 flag go,
// all or nothing; the bank's questions and their parts stay.
Status clearPracticeHistory(Connection& connection);

// Every attempt, oldest hand-in first.
Result<std::vector<Attempt>> readAttempts(Connection& connection);
// One attempt; none when the history has no such attempt.
Result<std::optional<Attempt>> readAttempt(Connection& connection, qint64 attemptId);
Result<std::vector<AttemptQuestion>> readAttemptQuestions(Connection& connection, qint64 attemptId);

// What the menu's history shows per set.
struct SetSummary
{
    QString setName;
    int attempts = 0;
    double lastScore = 0;
    double bestScore = 0;
};
// Per set, in the menu's order (sets 1 … 12, then the other practices).
std::vector<SetSummary> summarizeSets(const std::vector<Attempt>& attempts);

// The family of practices a set belongs to, one line each on the score plot:
// "套题" (sets 1–9), "冲刺题" (10–12), or the practice's own name.
QString setFamily(const QString& setName);
// What the menu calls a set: "冲刺题1" … "冲刺题3" for sets 10–12, else its own name.
QString setTitle(const QString& setName);
const QStringList& setFamilies();

// How well one part of the module went over the recent attempts.
struct TopicShare
{
    QString topic;
    int asked = 0;
    int mastered = 0;

    double share() const { return asked > 0 ? double(mastered) / asked : 0; }
    // The share, pulled towards one half when little is known, so that one
    // lucky answer does not make a part strong and an untried part sits in
    // the middle.
    double estimate() const { return (mastered + 1.0) / (asked + 2.0); }
};
// Every part of the module over the last `recentAttempts` attempts, weakest
// first (ties: fewer questions asked first, then the module's order).
Result<std::vector<TopicShare>> readTopicShares(Connection& connection, int recentAttempts);

inline constexpr int kRecentAttempts = 20;

// The bank questions of a weak-point paper, at most `limit`: the parts of the
// module are taken weakest first (equal ones in random order) until the paper
// is full; within a part, questions not mastered the last time they were
// asked come first, then those never asked, then the mastered ones, each
// group in random order. Questions whose part is unknown are left out.
Result<std::vector<qint64>> chooseWeakPointQuestions(Connection& connection, int limit,
                                                     QRandomGenerator& random);

} // namespace pptdrill
