#pragma once

#include "common/result.h"

#include <QRandomGenerator>
#include <QString>
#include <functional>
#include <vector>

namespace pptdrill {

struct PracticeChoice;

// k distinct numbers from 1 … n in random order.
std::vector<int> randomDraw(int n, int k, QRandomGenerator& random);
std::vector<int> randomDraw(int n, int k); // seeded from the clock

// What the loading window shows while a paper is built.
struct BuildProgress
{
    std::function<void(int minimum, int maximum)> setRange;
    std::function<void(int value)> setValue;
    // Lets pending window events run (repaint, blinking) once per question.
    std::function<void()> processEvents;
};

enum class BuildOutcome
{
    Built, // the paper table holds 1 … 40 rows, their movies are staged
    Empty, // the selection held no question: "没有该类试题！" was shown
};

// The movie folder of the paper: systemDirectory + "/pczcksw".
QString movieFolder();
// The staged movie of paper position n.
QString movieFilePathOf(int position);
// Removes a staged movie, read-only or not; a missing one is no failure.
Status removeStagedMovie(const QString& path);

// Builds the paper of `setName` ("第N套题" or "错题练习") from the bank, or a
// random paper, into the empty paper table, staging each question's movie as
// n.w and "completed.swf" from `programFolder` in the movie folder. Database
// and file failures come back as an error with their text.
Result<BuildOutcome> buildSetPaper(const QString& setName, const QString& programFolder,
                                   BuildProgress& progress);
Result<BuildOutcome> buildRandomPaper(const QString& programFolder, BuildProgress& progress,
                                      QRandomGenerator& random);
// The weak-point practice: up to 40 questions of the parts of the module the
// learner is weakest in (chooseWeakPointQuestions), in that order.
Result<BuildOutcome> buildWeakPointPaper(const QString& programFolder, BuildProgress& progress,
                                         QRandomGenerator& random);

// The paper of the menu's choice, built by the one of the above its kind names.
Result<BuildOutcome> buildPaper(const PracticeChoice& choice, const QString& programFolder,
                                BuildProgress& progress, QRandomGenerator& random);

// Empties the paper table before a new choice of the menu.
Status emptyPaper();
// Empties the paper table and the two scratch tables as the trainer ends.
Status emptyPaperTables();

// Stages the movies of the paper the paper table holds (n.w for its n-th row,
// from the bank row it was copied from) and "completed.swf": a paper taken up
// again after the runtime folder was emptied (a new login session).
Status restagePaperMovies(const QString& programFolder);

// The player's movie number of a history question's movie staged for a
// review, apart from the paper's own 1 … 40: "review<stkid>".
QString reviewMovieName(qint64 stkid);
// Stages the movie of bank row `stkid` as reviewMovieName(stkid) + ".w" in the
// movie folder, with "completed.swf" from `programFolder`; a review movie
// staged before goes. Fails when the bank has no movie for it.
Status stageReviewMovie(qint64 stkid, const QString& programFolder);
// Removes the review movies staged in the movie folder.
Status removeReviewMovies();

} // namespace pptdrill
