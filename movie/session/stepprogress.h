#pragma once

#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

// A step as the session compares actions with it: its accepted actions normalized; whether
// every one of them sets a value (of one open dialog or pane, or a 格式 box or button of a
// toolbar), as such steps may come in any order; and where it lies in a block of steps that
// the movie lets come in any order. Read once, when the session is made.
struct PreparedStep
{
    QStringList accept;
    bool valueStep = false;
    int blockStart = -1;  // the first step of its any-order block, -1 outside one
    int blockEnd = -1;    // one past the block's last step
    int chainBefore = -1; // the step before it in its chain of the block, -1 for the first
};

// The steps of the movie, or of another way, and which of them are done.
struct StepTrack
{
    std::vector<PreparedStep> steps;
    std::vector<bool> done;
    int first = 0; // the first step not done
    int focus = 0; // the step the hint and the demonstration show next

    int count() const { return static_cast<int>(steps.size()); }
    // The steps that may be done now: the first step not done, or every step of its block whose
    // chain has come to it; each with the value steps that follow it in its run.
    std::vector<int> open() const;
    int stepOf(const QString& action) const;
    void markDone(int step);
    void markUndone(int step);
};

// The step that takes an action now: on the movie's own steps (way -1) or on another way.
struct StepTaking
{
    int way = -1;
    int step = -1;
};

// How far a movie's task has come: the movie's steps done, and the other way being taken,
// if any, with its steps done. A value, copied with the session that owns it.
class StepProgress
{
public:
    StepProgress() = default;
    StepProgress(const Movie& movie, const KitCatalog& kit);

    void restart(const Movie& movie);

    // The first of the movie's steps not done; while another way is taken, the
    // first step of the run it stands in for.
    int index() const { return m_own.first; }
    // The movie's step the hint shows as the next, on the movie's own steps.
    int focus() const { return m_own.focus; }
    int count() const { return m_own.count(); }
    bool isComplete() const { return m_own.first >= count(); }
    // The other way being taken (an index of the movie's ways), -1 on the movie's own steps.
    int way() const { return m_way; }
    // The step of that way the hint shows as the next.
    int wayStep() const { return m_wayTrack.focus; }
    // How many actions have taken effect since the start.
    int actionsTaken() const { return m_actionsTaken; }
    // Going back to an earlier state of the task (a dialog's 取消) keeps the count.
    void keepActionsTaken(int count) { m_actionsTaken = count; }

    // The step that comes next: one of the movie's, or of the way being taken; none when complete.
    const MovieStep* current(const Movie& movie) const;
    // The actions of the steps that may come next, which other routes to the same place may take:
    // the current step's, or on the movie's own steps also the first of each other way that starts
    // there; none of a step whose route the stem names.
    QStringList actionsWanted(const Movie& movie) const;
    // The step that takes `action` now: the current one, a later value step of the same
    // run, a step of the same any-order block, on the movie's own steps or on another way
    // (whose first steps take it while nothing of the run it stands in for is done).
    StepTaking taking(const Movie& movie, const QString& action) const;
    // The step taken is done, and the next comes up.
    void markDone(const Movie& movie, const StepTaking& taking);
    // A value step done earlier whose value the learner has changed since: it comes up again.
    void markUndone(const StepTaking& step);

    // The steps not done that may be done now, on the track being taken.
    std::vector<StepTaking> openSteps() const;
    bool isValueStep(const StepTaking& step) const;
    // Whether a step of the movie's, or of one of its ways, is done: a step of a way not being
    // taken is done once the run it stands in for is.
    bool isDone(const StepTaking& step) const;
    static const MovieStep& stepAt(const Movie& movie, const StepTaking& taking);

private:
    const StepTrack& trackOf(int way) const { return way < 0 ? m_own : m_wayTrack; }

    StepTrack m_own;
    std::vector<StepTrack> m_ways;              // the other ways, none of their steps done
    std::vector<std::pair<int, int>> m_wayRuns; // the first step and the count of each way's run
    int m_way = -1;
    StepTrack m_wayTrack; // the way being taken
    int m_actionsTaken = 0;
};

// Whether the step after `taking` draws: the step taken then chooses the tool.
bool choosesDrawingTool(const Movie& movie, const StepTaking& taking);

} // namespace pptdrill
