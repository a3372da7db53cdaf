#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

class ExamSession;
struct AttemptQuestion;

// What the review of one question (试题回顾) shows: its stem, how the learner
// did, its part of the module and how it is done.
struct QuestionReview
{
    int position = 0; // its number on the paper
    qint64 stkid = 0;
    QString stid; // the paper row; empty for a question of the history
    QString stem;
    bool right = false;
    bool demonstration = false; // completed by watching the demonstration
    bool hint = false;          // the hint was shown
    QString topic;              // 考点; empty when the bank names none
    QString explanation;        // 解析: the steps in words, then the other ways
    bool inBank = true;         // false: the bank no longer has the question
};

// A question of the paper just handed in, read from the paper table: its
// `position`-th row. Whether the demonstration or the hint was used comes
// from the session. Fails when the paper has no such row.
Result<QuestionReview> readPaperQuestionReview(const ExamSession& session, int position);

// A question of an attempt of the history, read from its bank row. A question
// the bank no longer has is no failure: `inBank` is false and the review
// holds only what the history kept.
Result<QuestionReview> readHistoryQuestionReview(const AttemptQuestion& question);

} // namespace pptdrill
