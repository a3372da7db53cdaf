#include "movie/session/stepprogress.h"

#include "movie/kit/locators.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

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

// A step whose changes only set the font of the text selected (a title's, a body's, the master's).
bool setsOnlyFonts(const QJsonObject& changes)
{
    if (changes.isEmpty())
        return false;
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.key() == u"master"_s) {
            if (!it.value().isObject() || !setsOnlyFonts(it.value().toObject()))
                return false;
        } else if (it.key() != u"slide"_s && it.key() != u"titleFont"_s && it.key() != u"bodyFont"_s) {
            return false;
        }
    }
    return true;
}

// Every way of the step sets a value: in one open dialog or task pane, in a toolbar's box
// (边框宽度), or the font of the text selected by a 格式 button or its key (倾斜, Ctrl+I).
bool isValueStep(const MovieStep& step, const KitCatalog& kit)
{
    const bool fonts = setsOnlyFonts(step.set);
    for (const QString& a : step.accept) {
        auto t = kit.resolve(a);
        if (!t || !t->opens.isEmpty())
            return false;
        const bool formValue =
            t->hasValue && (t->kind == KitTarget::Dialog || t->kind == KitTarget::TaskPane);
        const bool toolbarValue = t->kind == KitTarget::Toolbar && (t->hasValue || fonts);
        const bool fontKey = t->kind == KitTarget::Key && fonts;
        if (!formValue && !toolbarValue && !fontKey)
            return false;
    }
    return true;
}

StepTrack prepared(const std::vector<MovieStep>& steps, const KitCatalog& kit)
{
    StepTrack track;
    track.steps.reserve(steps.size());
    for (const MovieStep& step : steps) {
        PreparedStep p;
        for (const QString& a : step.accept)
            p.accept << normalizedAction(a);
        p.valueStep = isValueStep(step, kit);
        track.steps.push_back(std::move(p));
    }
    // Any-order blocks: consecutive steps naming one block; in a block, the steps naming one
    // chain keep their order.
    const int count = static_cast<int>(steps.size());
    for (int i = 0; i < count;) {
        const QString block = steps[static_cast<size_t>(i)].anyOrderBlock();
        int end = i + 1;
        while (!block.isEmpty() && end < count && steps[static_cast<size_t>(end)].anyOrderBlock() == block)
            ++end;
        if (!block.isEmpty()) {
            for (int k = i; k < end; ++k) {
                PreparedStep& p = track.steps[static_cast<size_t>(k)];
                p.blockStart = i;
                p.blockEnd = end;
                const QString chain = steps[static_cast<size_t>(k)].anyOrderChain();
                for (int before = k - 1; !chain.isEmpty() && before >= i; --before) {
                    if (steps[static_cast<size_t>(before)].anyOrderChain() == chain) {
                        p.chainBefore = before;
                        break;
                    }
                }
            }
        }
        i = end;
    }
    track.done.assign(steps.size(), false);
    return track;
}

} // namespace

std::vector<int> StepTrack::open() const
{
    std::vector<int> out;
    if (first >= count())
        return out;
    const auto at = [this](int i) -> const PreparedStep& { return steps[static_cast<size_t>(i)]; };
    const auto ready = [&](int i) {
        return !done[static_cast<size_t>(i)] &&
               (at(i).chainBefore < 0 || done[static_cast<size_t>(at(i).chainBefore)]);
    };
    std::vector<int> heads;
    if (at(first).blockStart >= 0) {
        for (int i = at(first).blockStart; i < at(first).blockEnd; ++i) {
            if (ready(i))
                heads.push_back(i);
        }
    } else {
        heads.push_back(first);
    }
    // The focus first, so that where two steps take one action the one shown next takes it.
    std::stable_partition(heads.begin(), heads.end(), [this](int i) { return i == focus; });
    const auto add = [&out](int i) {
        if (std::find(out.begin(), out.end(), i) == out.end())
            out.push_back(i);
    };
    for (const int head : heads)
        add(head);
    // Values of one dialog, pane or toolbar may be set in any order in the real program: the value
    // steps after a value step, up to the end of its block or run.
    for (const int head : heads) {
        if (!at(head).valueStep)
            continue;
        const int end = at(head).blockStart >= 0 ? at(head).blockEnd : count();
        for (int i = head + 1; i < end && at(i).valueStep; ++i) {
            if (!done[static_cast<size_t>(i)] && (at(i).chainBefore < 0 || at(i).chainBefore >= head))
                add(i);
        }
    }
    return out;
}

int StepTrack::stepOf(const QString& action) const
{
    for (const int i : open()) {
        if (steps[static_cast<size_t>(i)].accept.contains(action))
            return i;
    }
    return -1;
}

void StepTrack::markDone(int step)
{
    done[static_cast<size_t>(step)] = true;
    while (first < count() && done[static_cast<size_t>(first)])
        ++first;
    // The next step of the same chain, if the learner has started one of a block's chains.
    focus = first;
    const PreparedStep& p = steps[static_cast<size_t>(step)];
    for (int i = step + 1; p.blockStart >= 0 && i < p.blockEnd; ++i) {
        if (steps[static_cast<size_t>(i)].chainBefore == step && !done[static_cast<size_t>(i)]) {
            focus = i;
            break;
        }
    }
}

void StepTrack::markUndone(int step)
{
    done[static_cast<size_t>(step)] = false;
    first = std::min(first, step);
    focus = first;
}

StepProgress::StepProgress(const Movie& movie, const KitCatalog& kit) : m_own(prepared(movie.steps, kit))
{
    for (const MovieWay& way : movie.ways) {
        m_ways.push_back(prepared(way.steps, kit));
        m_wayRuns.emplace_back(way.from, way.count);
    }
    restart(movie);
}

void StepProgress::restart(const Movie& movie)
{
    m_own.done.assign(movie.steps.size(), false);
    m_own.first = 0;
    m_own.focus = 0;
    m_way = -1;
    m_wayTrack = {};
    m_actionsTaken = 0;
}

const MovieStep& StepProgress::stepAt(const Movie& movie, const StepTaking& taking)
{
    const std::vector<MovieStep>& steps =
        taking.way < 0 ? movie.steps : movie.ways[static_cast<size_t>(taking.way)].steps;
    return steps[static_cast<size_t>(taking.step)];
}

const MovieStep* StepProgress::current(const Movie& movie) const
{
    if (m_way >= 0)
        return &movie.ways[static_cast<size_t>(m_way)].steps[static_cast<size_t>(m_wayTrack.focus)];
    return isComplete() ? nullptr : &movie.steps[static_cast<size_t>(m_own.focus)];
}

QStringList StepProgress::actionsWanted(const Movie& movie) const
{
    if (isComplete())
        return {};
    if (m_way >= 0)
        return movie.ways[static_cast<size_t>(m_way)].steps[static_cast<size_t>(m_wayTrack.focus)].accept;
    QStringList wanted;
    for (const int i : m_own.open()) {
        if (!movie.steps[static_cast<size_t>(i)].routeNamed)
            wanted << movie.steps[static_cast<size_t>(i)].accept;
    }
    for (const MovieWay& other : movie.ways) {
        if (other.from == m_own.first && !other.steps.empty())
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
        return {m_way, m_wayTrack.stepOf(wanted)};
    if (const int step = m_own.stepOf(wanted); step >= 0)
        return {-1, step};
    for (size_t w = 0; w < movie.ways.size(); ++w) {
        const MovieWay& way = movie.ways[w];
        const auto run = m_own.done.begin() + way.from;
        if (way.from != m_own.first || std::find(run, run + way.count, true) != run + way.count)
            continue;
        if (const int step = m_ways[w].stepOf(wanted); step >= 0)
            return {static_cast<int>(w), step};
    }
    return {};
}

void StepProgress::markDone(const Movie& movie, const StepTaking& taking)
{
    if (taking.way >= 0) {
        const MovieWay& way = movie.ways[static_cast<size_t>(taking.way)];
        if (m_way < 0) {
            m_way = taking.way;
            m_wayTrack = m_ways[static_cast<size_t>(taking.way)];
        }
        m_wayTrack.markDone(taking.step);
        if (m_wayTrack.first == m_wayTrack.count()) {
            // The way is done, and with it the run it stands in for.
            for (int i = way.from; i < way.from + way.count; ++i)
                m_own.markDone(i);
            m_way = -1;
            m_wayTrack = {};
        }
    } else {
        m_own.markDone(taking.step);
    }
    ++m_actionsTaken;
}

void StepProgress::markUndone(const StepTaking& step)
{
    if (step.way < 0)
        m_own.markUndone(step.step);
    else if (step.way == m_way)
        m_wayTrack.markUndone(step.step);
}

std::vector<StepTaking> StepProgress::openSteps() const
{
    std::vector<StepTaking> out;
    if (isComplete())
        return out;
    for (const int i : trackOf(m_way).open())
        out.push_back({m_way, i});
    return out;
}

bool StepProgress::isValueStep(const StepTaking& step) const
{
    const std::vector<PreparedStep>& steps =
        step.way < 0 ? m_own.steps : m_ways[static_cast<size_t>(step.way)].steps;
    return steps[static_cast<size_t>(step.step)].valueStep;
}

bool StepProgress::isDone(const StepTaking& step) const
{
    if (step.way < 0)
        return m_own.done[static_cast<size_t>(step.step)];
    if (step.way == m_way)
        return m_wayTrack.done[static_cast<size_t>(step.step)];
    const auto [from, count] = m_wayRuns[static_cast<size_t>(step.way)];
    return m_way < 0 && std::all_of(m_own.done.begin() + from, m_own.done.begin() + from + count,
                                    [](bool done) { return done; });
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
