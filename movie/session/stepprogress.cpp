#include "movie/session/stepprogress.h"

#include "movie/kit/locators.h"

#include <algorithm>

namespace pptdrill {

namespace {

// "key:alt+shift+right" and "key:Shift+Alt+Right" are one action.
QString normalizedAction(const QString& action)
{
    const ActionParts a = parseAction(action);
    if (a.kind == ActionParts::Type)
        return actions::type(a.target, a.value.trimmed());
    return a.kind == ActionParts::Key ? actions::key(KitCatalog::normalizeShortcut(a.shortcut)) : action;
}

// Every way of the step sets a value in one open dialog or task pane.
bool isValueStep(const MovieStep& step, const KitCatalog& kit)
{
    for (const QString& a : step.accept) {
        auto t = kit.resolve(a);
        if (!t || !t->hasValue || !t->opens.isEmpty() ||
            (t->kind != KitTarget::Dialog && t->kind != KitTarget::TaskPane))
            return false;
    }
    return true;
}

std::vector<PreparedStep> prepared(const std::vector<MovieStep>& steps, const KitCatalog& kit)
{
    std::vector<PreparedStep> out;
    out.reserve(steps.size());
    for (const MovieStep& step : steps) {
        PreparedStep p;
        for (const QString& a : step.accept)
            p.accept << normalizedAction(a);
        p.valueStep = isValueStep(step, kit);
        out.push_back(std::move(p));
    }
    return out;
}

// The step of `steps` that takes `wanted` now: step `at`, or, as values of one
// dialog or pane may be set in any order in the real program, a step not done
// of the run of value steps from `at`; -1 for none.
int stepOf(const std::vector<PreparedStep>& steps, const std::vector<bool>& done, int at,
           const QString& wanted)
{
    const auto takes = [&](int index) { return steps[static_cast<size_t>(index)].accept.contains(wanted); };
    const int count = static_cast<int>(steps.size());
    if (at >= count)
        return -1;
    if (takes(at))
        return at;
    if (!steps[static_cast<size_t>(at)].valueStep)
        return -1;
    for (int i = at + 1; i < count && steps[static_cast<size_t>(i)].valueStep; ++i) {
        if (!done[static_cast<size_t>(i)] && takes(i))
            return i;
    }
    return -1;
}

} // namespace

StepProgress::StepProgress(const Movie& movie, const KitCatalog& kit)
    : m_preparedSteps(prepared(movie.steps, kit))
{
    for (const MovieWay& way : movie.ways)
        m_preparedWays.push_back(prepared(way.steps, kit));
    restart(movie);
}

void StepProgress::restart(const Movie& movie)
{
    m_step = 0;
    m_done.assign(movie.steps.size(), false);
    m_way = -1;
    m_wayStep = 0;
    m_wayDone.clear();
    m_actionsTaken = 0;
}

const MovieStep* StepProgress::current(const Movie& movie) const
{
    if (m_way >= 0)
        return &movie.ways[static_cast<size_t>(m_way)].steps[static_cast<size_t>(m_wayStep)];
    return isComplete() ? nullptr : &movie.steps[static_cast<size_t>(m_step)];
}

QStringList StepProgress::actionsWanted(const Movie& movie) const
{
    if (isComplete())
        return {};
    if (m_way >= 0)
        return movie.ways[static_cast<size_t>(m_way)].steps[static_cast<size_t>(m_wayStep)].accept;
    QStringList wanted = movie.steps[static_cast<size_t>(m_step)].accept;
    for (const MovieWay& other : movie.ways) {
        if (other.from == m_step && !other.steps.empty())
            wanted << other.steps.front().accept;
    }
    return wanted;
}

StepTaking StepProgress::taking(const Movie& movie, const QString& action) const
{
    if (isComplete())
        return {};
    const QString wanted = normalizedAction(action);
    if (m_way >= 0)
        return {m_way, stepOf(m_preparedWays[static_cast<size_t>(m_way)], m_wayDone, m_wayStep, wanted)};
    if (const int step = stepOf(m_preparedSteps, m_done, m_step, wanted); step >= 0)
        return {-1, step};
    for (size_t w = 0; w < movie.ways.size(); ++w) {
        const MovieWay& way = movie.ways[w];
        const auto run = m_done.begin() + way.from;
        if (way.from != m_step || std::find(run, run + way.count, true) != run + way.count)
            continue;
        const std::vector<bool> none(way.steps.size(), false);
        if (const int step = stepOf(m_preparedWays[w], none, 0, wanted); step >= 0)
            return {static_cast<int>(w), step};
    }
    return {};
}

void StepProgress::markDone(const Movie& movie, const StepTaking& taking)
{
    const auto step = static_cast<size_t>(taking.step);
    if (taking.way >= 0) {
        const MovieWay& way = movie.ways[static_cast<size_t>(taking.way)];
        if (m_way < 0) {
            m_way = taking.way;
            m_wayStep = 0;
            m_wayDone.assign(way.steps.size(), false);
        }
        m_wayDone[step] = true;
        while (m_wayStep < static_cast<int>(way.steps.size()) && m_wayDone[static_cast<size_t>(m_wayStep)])
            ++m_wayStep;
        if (m_wayStep == static_cast<int>(way.steps.size())) {
            // The way is done, and with it the run it stands in for.
            std::fill(m_done.begin() + way.from, m_done.begin() + way.from + way.count, true);
            m_way = -1;
            m_wayStep = 0;
        }
    } else {
        m_done[step] = true;
    }
    while (m_step < count() && m_done[static_cast<size_t>(m_step)])
        ++m_step;
    ++m_actionsTaken;
}

bool choosesDrawingTool(const Movie& movie, const StepTaking& taking)
{
    const std::vector<MovieStep>& steps =
        taking.way < 0 ? movie.steps : movie.ways[static_cast<size_t>(taking.way)].steps;
    const auto next = static_cast<size_t>(taking.step) + 1;
    if (next >= steps.size())
        return false;
    for (const QString& a : steps[next].accept) {
        if (parseAction(a).kind == ActionParts::Draw)
            return true;
    }
    return false;
}

} // namespace pptdrill
