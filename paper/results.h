#pragma once

#include "common/result.h"

#include <QString>
#include <vector>

namespace pptdrill {

class ExamSession;

struct PaperResults
{
    double score = 0;
    std::vector<bool> right; // by paper position: right[n - 1] for question n
    // Done by watching the whole demonstration, and with a hint (by position).
    std::vector<bool> demonstrations;
    std::vector<bool> hints;
    qint64 historyRecordId = 0;
    // A paper handed in again after 返回检查 is a correction (订正): the
    // attempt keeps the first hand-in's score.
    bool corrected = false;
    double firstScore = 0;
};

// Scores the paper table (a question counts exam::pointsPerRightQuestion when
// solved) and writes each question's wrong-answer flag into its bank row:
// 错题 = 0 for a right question, 1 otherwise. With a session, the hand-in also
// goes into the practice history, in the same transaction: a new row the
// first time, the session's row again when the same paper is handed in again.
// With a class (the session's className), the hand-in is queued for the
// class's server in that transaction too.
Result<PaperResults> scorePaper(ExamSession* session = nullptr);

// A number as the platform's plain number-to-text conversion writes it: one
// leading blank unless negative, "." as decimal point, no trailing zeros.
QString numberText(double value);

// Deletes the staged movies 1.w … 40.w of the movie folder, and those of the
// reviews; read-only ones as well, missing ones are skipped.
Status removeStagedMovies();

} // namespace pptdrill
