// 格式刷: taken up by a click for one use, or held by a double-click until Esc or another click.
// The steps that click with it wait until it is taken up.

#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const std::vector<MovieStep>& stepsOf(const Movie& movie, int way)
{
    return way < 0 ? movie.steps : movie.ways[static_cast<size_t>(way)].steps;
}

bool allActionsAre(const MovieStep& step, ActionParts::Kind kind)
{
    return !step.accept.isEmpty() &&
           std::all_of(step.accept.begin(), step.accept.end(),
                       [&](const QString& a) { return parseAction(a).kind == kind; });
}

// A click on the slide that changes what it lands on: the painter's stroke.
bool isStroke(const MovieStep& step)
{
    return !step.set.isEmpty() && allActionsAre(step, ActionParts::Click);
}

} // namespace

bool MovieSession::isPainterButton(const QString& action) const
{
    const ActionParts a = parseAction(action);
    if (a.kind != ActionParts::Toolbar || a.hasValue || a.path.size() != 1)
        return false;
    const KitButton* button = m_kit->toolbarButton(a.path.first());
    return button && button->holds;
}

bool MovieSession::paintsWithPainter(const StepTaking& taking) const
{
    const std::vector<MovieStep>& steps = stepsOf(m_movie, taking.way);
    if (taking.step < 0 || !isStroke(steps[static_cast<size_t>(taking.step)]))
        return false;
    // Back over the strokes and the slides chosen between them to the step that takes the painter up.
    for (int i = taking.step - 1; i >= 0; --i) {
        const MovieStep& step = steps[static_cast<size_t>(i)];
        if (std::any_of(step.accept.begin(), step.accept.end(),
                        [this](const QString& a) { return isPainterButton(a); }))
            return true;
        if (!isStroke(step) && !allActionsAre(step, ActionParts::Thumb))
            return false;
    }
    return false;
}

bool MovieSession::holdsPainter(const QString& action) const
{
    const StepTaking taking = m_steps.taking(m_movie, action);
    if (taking.step < 0 || !isPainterButton(action) || m_painter != Painter::None)
        return false;
    const std::vector<MovieStep>& steps = stepsOf(m_movie, taking.way);
    int strokes = 0;
    for (int i = taking.step + 1; i < static_cast<int>(steps.size()); ++i) {
        if (paintsWithPainter(StepTaking{taking.way, i}))
            ++strokes;
    }
    return strokes > 1;
}

void MovieSession::holdPainter(bool held)
{
    if (m_painter != Painter::None)
        m_painter = held ? Painter::Held : Painter::Once;
}

void MovieSession::followPainter(const QString& action, const StepTaking& taking, bool taken, bool held)
{
    const ActionParts a = parseAction(action);
    if (isPainterButton(action)) {
        // The button takes the painter up, or lets it go. Where no window tells a click from a
        // double-click, it is held as long as the task's strokes need it.
        m_painter = m_painter != Painter::None ? Painter::None : held ? Painter::Held : Painter::Once;
    } else if (a.kind == ActionParts::Key && KitCatalog::normalizeShortcut(a.shortcut) == u"Esc"_s) {
        m_painter = Painter::None;
    } else if (taken && m_painter == Painter::Once && paintsWithPainter(taking)) {
        m_painter = Painter::None;
    }
}

} // namespace pptdrill
