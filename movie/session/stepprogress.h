#pragma once

#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

// A step as the session compares actions with it: its accepted actions normalized, and whether
// every one of them sets a value of one open dialog or pane (such steps may come in any order).
// Read once, when the session is made.
struct PreparedStep
{
    QStringList accept;
    bool valueStep = false;
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
    int index() const { return m_step; }
    int count() const { return static_cast<int>(m_done.size()); }
    bool isComplete() const { return m_step >= count(); }
    // The other way being taken (an index of the movie's ways), -1 on the movie's own steps.
    int way() const { return m_way; }
    // The first step of that way not done.
    int wayStep() const { return m_wayStep; }
    // How many actions have taken effect since the start.
    int actionsTaken() const { return m_actionsTaken; }
    // Going back to an earlier state of the task (a dialog's 取消) keeps the count.
    void keepActionsTaken(int count) { m_actionsTaken = count; }

    // The step that comes next: one of the movie's, or of the way being taken; none when complete.
    const MovieStep* current(const Movie& movie) const;
    // The actions of the steps that may come next: the current step's, or on the
    // movie's own steps also the first of each other way that starts there.
    QStringList actionsWanted(const Movie& movie) const;
    // The step that takes `action` now: the current one or a later value step
    // of the same run, on the movie's own steps or on another way (whose first
    // steps take it while nothing of the run it stands in for is done).
    StepTaking taking(const Movie& movie, const QString& action) const;
    // The step taken is done, and the next comes up.
    void markDone(const Movie& movie, const StepTaking& taking);

private:
    std::vector<PreparedStep> m_preparedSteps;             // the movie's own steps
    std::vector<std::vector<PreparedStep>> m_preparedWays; // the steps of each other way
    int m_step = 0;
    std::vector<bool> m_done;
    int m_way = -1;
    int m_wayStep = 0;
    std::vector<bool> m_wayDone;
    int m_actionsTaken = 0;
};

// Whether the step after `taking` draws: the step taken then chooses the tool.
bool choosesDrawingTool(const Movie& movie, const StepTaking& taking);

} // namespace pptdrill
