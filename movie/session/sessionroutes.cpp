// The routes a learner may take whether or not the step names them: any route
// to a view, and backing out of a dialog.

#include "movie/session/moviesession.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

bool MovieSession::takeOtherRoute(const QString& action)
{
    if (auto target = m_kit->resolve(action); target && reachable(*target)) {
        if (cancelDialog(*target))
            return false;
        if (target->opens.startsWith(u"view:"_s))
            return takeViewRoute(action, *target);
        if (togglePaneFreely(*target))
            return false;
    }
    return turnPage(action);
}

bool MovieSession::takeViewRoute(const QString& action, const KitTarget& target)
{
    const WindowOptions& window = m_presentation.window;
    if (!target.opens.startsWith(u"view:"_s) || target.kind == KitTarget::Dialog || m_dialog ||
        window.closed || window.exited || !reachable(target))
        return false;
    for (const QString& other : m_steps.actionsWanted(m_movie)) {
        if (other == action)
            continue;
        const auto wanted = m_kit->resolve(other);
        if (wanted && wanted->opens == target.opens && m_steps.taking(m_movie, other).step >= 0)
            return perform(other);
    }
    const std::optional<ViewKind> kind = WindowView::kindNamed(target.opens.mid(5));
    const ViewKind before = m_presentation.view.kind();
    if (!kind)
        return false;
    m_presentation.view.turnTo(*kind);
    if (m_presentation.view.kind() == before)
        return false;
    if (m_listener)
        m_listener();
    return false;
}

bool MovieSession::cancelDialog(const KitTarget& target)
{
    if (!m_dialog || target.kind != KitTarget::Dialog || target.form != m_dialog->name || !target.control ||
        target.hasValue)
        return false;
    const KitForm* form = m_kit->dialog(m_dialog->name);
    const QString& id = target.control->id;
    const bool cancels = id == u"取消"_s;
    const bool closes = id == u"关闭"_s && form && !form->control(u"取消"_s);
    if (!cancels && !closes)
        return false;
    const int actionsTaken = m_steps.actionsTaken();
    const auto listener = m_listener;
    if (m_dialogMarks.empty()) {
        closeDialog();
    } else if (cancels || m_dialogMarks.back().m_presentation == m_presentation) {
        MovieSession before = std::move(m_dialogMarks.back());
        *this = std::move(before);
        m_listener = listener;
    } else {
        // 关闭 keeps what was done in the dialog (a custom show defined, slides inserted).
        m_dialogMarks.pop_back();
        closeDialog();
    }
    // Progress counts the steps taken; backing out takes none back.
    m_steps.keepActionsTaken(actionsTaken);
    if (m_listener)
        m_listener();
    return true;
}

void MovieSession::markDialogs(const MovieSession* before, const QString& dialogBefore, int depthBefore)
{
    const int depth = (m_dialog ? 1 : 0) + static_cast<int>(m_beneath.size());
    const QString dialogNow = m_dialog ? m_dialog->name : QString();
    if (before && (depth > depthBefore || (depth == depthBefore && depth > 0 && dialogNow != dialogBefore))) {
        // A dialog opened (or took the place of the one before): its 取消 comes back here.
        while (static_cast<int>(m_dialogMarks.size()) >= depth)
            m_dialogMarks.pop_back();
        m_dialogMarks.push_back(*before);
        m_dialogMarks.back().m_listener = {};
    }
    while (static_cast<int>(m_dialogMarks.size()) > depth)
        m_dialogMarks.pop_back();
}

} // namespace pptdrill

namespace pptdrill {

namespace {

// 视图 → 任务窗格 and its key, Ctrl+F1.
bool togglesThePane(const KitTarget& target, const KitCatalog& kit)
{
    if (target.kind == KitTarget::Menu)
        return target.path.value(target.path.size() - 1) == u"任务窗格(K)"_s;
    if (target.kind == KitTarget::Key) {
        const KitKey* key = kit.key(target.path.value(0));
        return key && key->name == u"任务窗格"_s;
    }
    return false;
}

} // namespace

void MovieSession::closeTaskPane()
{
    if (m_presentation.taskpane.isEmpty() || m_dialog)
        return;
    for (const QString& other : m_steps.actionsWanted(m_movie)) {
        const auto wanted = m_kit->resolve(other);
        if (wanted && togglesThePane(wanted.value(), *m_kit) && m_steps.taking(m_movie, other).step >= 0) {
            perform(other);
            return;
        }
    }
    m_closedPane = m_presentation.taskpane;
    m_presentation.taskpane.clear();
    if (m_listener)
        m_listener();
}

bool MovieSession::togglePaneFreely(const KitTarget& target)
{
    if (m_dialog || !togglesThePane(target, *m_kit) || m_presentation.view.is(ViewKind::Show))
        return false;
    if (!m_presentation.taskpane.isEmpty()) {
        m_closedPane = m_presentation.taskpane;
        m_presentation.taskpane.clear();
    } else {
        const QString pane = m_closedPane.isEmpty() ? target.opens.mid(9) : m_closedPane;
        const KitForm* form = m_kit->taskPane(pane);
        if (!form)
            return false;
        // The pane comes back as it was left.
        if (m_taskPane.name != form->name)
            m_taskPane = openForm(*form);
        m_presentation.taskpane = form->name;
    }
    if (m_listener)
        m_listener();
    return true;
}

} // namespace pptdrill
