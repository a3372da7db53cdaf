// The routes a learner may take whether or not the step names them: any route
// to a view or to what a step's command opens, and backing out of a dialog.

#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

bool MovieSession::takeOtherRoute(const QString& action)
{
    if (auto target = m_kit->resolve(action); target && reachable(*target)) {
        if (cancelDialog(*target))
            return false;
        if (const std::optional<bool> taken = confirmEffectDialog(*target))
            return *taken;
        if (openEffectDialogFreely(*target))
            return false;
        if (pressButtonFreely(*target))
            return false;
        if (target->opens.startsWith(u"view:"_s))
            return takeViewRoute(action, *target);
        if (togglePaneFreely(*target))
            return false;
        if (takeGraphRoute(*target))
            return false;
        if (const std::optional<bool> taken = takeOpeningRoute(*target))
            return *taken;
        if (takeSamePaletteItem(*target))
            return true;
        if (setValueFreely(*target) || selectSlideFreely(*target))
            return false;
    }
    return turnPage(action);
}

bool MovieSession::setValueFreely(const KitTarget& target)
{
    if (!m_dialog || target.kind != KitTarget::Dialog || target.form != m_dialog->name || !target.control ||
        !target.hasValue || !target.opens.isEmpty() || target.control->type == KitControlType::Tabs ||
        target.control->turnsInto || fixedValue(*target.control, *m_dialog))
        return false;
    if (m_dialog->value(target.control->id) == target.value)
        return true;
    m_dialog->changedFreely.try_emplace(target.control->id, m_dialog->value(target.control->id));
    setFormValue(*m_dialog, m_kit->dialog(target.form), target);
    if (m_listener)
        m_listener();
    return true;
}

bool MovieSession::selectSlideFreely(const KitTarget& target)
{
    const WindowView& view = m_presentation.view;
    if (target.kind != KitTarget::Thumb || target.ctrl || target.shift || target.dropAfter >= 0 || m_dialog ||
        m_steps.way() >= 0 || target.slide == m_presentation.selected || target.slide < 1 ||
        target.slide > static_cast<int>(m_presentation.slides.size()) ||
        !(view.is(ViewKind::Normal) || view.is(ViewKind::Outline) || view.is(ViewKind::Sorter)))
        return false;
    std::vector<int> clicks;
    for (int i = m_steps.index() - 1; i >= 0; --i) {
        const MovieStep& step = m_movie.steps[static_cast<size_t>(i)];
        if (!step.set.isEmpty())
            return false;
        const ActionParts a = parseAction(step.accept.first());
        if (a.kind == ActionParts::Thumb || a.kind == ActionParts::Click ||
            a.kind == ActionParts::DoubleClick)
            clicks.push_back(i);
        if (a.kind == ActionParts::Thumb)
            break;
    }
    for (const int step : clicks)
        m_steps.markUndone(StepTaking{-1, step});
    applyAction(target);
    m_slideChosenFreely = target.slide;
    if (m_listener)
        m_listener();
    return true;
}

namespace {

// Whether a form holds the value `target` sets: setting it again changes nothing.
bool formHolds(const FormState& form, const KitForm* kitForm, const KitTarget& target)
{
    if (target.control->type == KitControlType::Tabs)
        return form.tab == target.value;
    FormState after = form;
    setFormValue(after, kitForm, target);
    return after.values == form.values;
}

} // namespace

QString MovieSession::heldAction(const MovieStep& step) const
{
    Presentation changed = m_presentation;
    if (!step.set.isEmpty() && (!applyPresentationChanges(changed, step.set) || changed != m_presentation))
        return {};
    for (const QString& action : step.accept) {
        auto t = m_kit->resolve(action);
        if (!t || !t->opens.isEmpty() || !t->hasValue)
            continue;
        if (t->kind == KitTarget::Dialog && t->control && m_dialog && t->form == m_dialog->name &&
            formHolds(*m_dialog, m_kit->dialog(t->form), *t))
            return action;
        if (t->kind == KitTarget::TaskPane && t->control && !m_dialog && t->form == m_taskPane.name &&
            formHolds(m_taskPane, m_kit->taskPane(t->form), *t))
            return action;
        if (t->kind == KitTarget::Toolbar && !modalDialogOpen() && !t->path.isEmpty() &&
            toolbarValue(t->path.first()) == t->value)
            return action;
    }
    return {};
}

QString MovieSession::slideAlreadyChosen(const MovieStep& step) const
{
    // The slide a click on its thumbnail would choose is the one the learner went to, still shown
    // with nothing on it selected.
    const WindowView& view = m_presentation.view;
    const ActionParts a = parseAction(step.accept.first());
    if (a.kind != ActionParts::Thumb || !step.set.isEmpty() || m_dialog ||
        !(view.is(ViewKind::Normal) || view.is(ViewKind::Outline) || view.is(ViewKind::Sorter)))
        return {};
    auto t = m_kit->resolve(step.accept.first());
    if (!t || t->ctrl || t->shift || t->dropAfter >= 0 || t->slide != m_presentation.selected ||
        t->slide != m_slideChosenFreely ||
        m_selection.kind(m_presentation.selected, view.kind()) == SelectionKind::Objects ||
        m_selection.kind(m_presentation.selected, view.kind()) == SelectionKind::Text)
        return {};
    return step.accept.first();
}

QString MovieSession::objectAlreadySelected(const MovieStep& step) const
{
    // A click that would select the object selected alone (a table just inserted, one chosen by
    // 选择表格, a picture clicked before the pane was opened) changes nothing.
    const ActionParts a = parseAction(step.accept.first());
    if (a.kind != ActionParts::Click || a.ctrl || a.shift || !step.set.isEmpty() || m_dialog || m_typing ||
        !m_presentation.view.is(ViewKind::Normal) || a.target != selectedObject() ||
        selectedShapes().size() > 1 ||
        m_selection.kind(m_presentation.selected, m_presentation.view.kind()) != SelectionKind::Objects)
        return {};
    return step.accept.first();
}

void MovieSession::settleHeldSteps()
{
    for (int round = 0; round < m_steps.count(); ++round) {
        bool settled = false;
        for (const StepTaking& open : m_steps.openSteps()) {
            const MovieStep& step = StepProgress::stepAt(m_movie, open);
            const bool value = m_steps.isValueStep(open);
            QString action = value ? heldAction(step) : slideAlreadyChosen(step);
            if (!value && action.isEmpty())
                action = objectAlreadySelected(step);
            if (!value && action.isEmpty())
                action = paneAlreadyShown(step);
            if (!action.isEmpty() && perform(action) && m_steps.isDone(open)) {
                settled = true;
                break;
            }
        }
        if (!settled)
            return;
    }
}

bool MovieSession::changesWhatNoStepAsks(const FormState& dialog, const KitForm* form) const
{
    const auto namedByStep = [this, &dialog](const QString& id) {
        const QString prefix = u"dialog:%1/%2="_s.arg(dialog.name, id);
        const auto names = [&](const MovieStep& step) {
            return std::any_of(step.accept.begin(), step.accept.end(),
                               [&](const QString& a) { return a.startsWith(prefix); });
        };
        if (std::any_of(m_movie.steps.begin(), m_movie.steps.end(), names))
            return true;
        return std::any_of(m_movie.ways.begin(), m_movie.ways.end(), [&](const MovieWay& way) {
            return std::any_of(way.steps.begin(), way.steps.end(), names);
        });
    };
    for (const auto& [id, before] : dialog.changedFreely) {
        const KitControl* c = form ? form->control(id) : nullptr;
        static const std::set<KitControlType> settings{
            KitControlType::Check, KitControlType::Options,  KitControlType::Combo,  KitControlType::Spin,
            KitControlType::Color, KitControlType::EditList, KitControlType::Gallery};
        if (c && settings.count(c->type) && dialog.value(id) != before && !namedByStep(id))
            return true;
    }
    return false;
}

bool MovieSession::confirmsHeldValues(const StepTaking& taking, const KitTarget& target)
{
    if (!m_dialog || target.kind != KitTarget::Dialog || target.form != m_dialog->name || target.hasValue ||
        !target.control || target.control->type != KitControlType::Button ||
        target.opens.startsWith(u"page:"_s) || target.opens.isEmpty())
        return true;
    const KitForm* form = m_kit->dialog(m_dialog->name);
    bool held = !changesWhatNoStepAsks(*m_dialog, form);
    // The steps done in this dialog since it opened: those before the button back to its command.
    for (int i = taking.step - 1; i >= 0; --i) {
        const StepTaking before{taking.way, i};
        const MovieStep& step = StepProgress::stepAt(m_movie, before);
        bool inDialog = false;
        std::optional<KitTarget> value;
        for (const QString& action : step.accept) {
            auto t = m_kit->resolve(action);
            if (t && opensOf(*t) == u"dialog:"_s + m_dialog->name)
                return held;
            // The values chosen before another of its buttons were for that button (添加).
            if (t && t->kind == KitTarget::Dialog && t->form == m_dialog->name && !t->hasValue)
                return held;
            if (t && t->kind == KitTarget::Dialog) {
                inDialog = true;
                if (t->form == m_dialog->name && t->control && t->hasValue &&
                    t->control->type != KitControlType::Tabs && !value)
                    value = *t;
            }
        }
        if (!inDialog)
            break;
        if (!value || !m_steps.isDone(before))
            continue;
        // A choice that opened another dialog (超链接到's 幻灯片...) holds until the box is changed.
        if (!value->opens.isEmpty() ? !m_dialog->changedFreely.count(value->control->id)
                                    : formHolds(*m_dialog, form, *value))
            continue;
        bool heldByAnother = false;
        for (const QString& action : step.accept) {
            auto t = m_kit->resolve(action);
            heldByAnother = heldByAnother ||
                            (t && t->kind == KitTarget::Dialog && t->form == m_dialog->name && t->control &&
                             t->hasValue && t->opens.isEmpty() && formHolds(*m_dialog, form, *t));
        }
        if (!heldByAnother) {
            m_steps.markUndone(before);
            held = false;
            // What was done in the dialog that the choice opened comes up again with it.
            const QString opened = value->opens.startsWith(u"dialog:"_s) ? value->opens.mid(7) : QString();
            for (int j = i + 1; !opened.isEmpty() && j < taking.step; ++j) {
                const MovieStep& inside = StepProgress::stepAt(m_movie, StepTaking{taking.way, j});
                auto t = m_kit->resolve(inside.accept.first());
                if (!t || t->kind != KitTarget::Dialog || t->form != opened)
                    break;
                m_steps.markUndone(StepTaking{taking.way, j});
            }
        }
    }
    return held;
}

namespace {

// The commands that open something by themselves, outside a dialog or pane.
bool isCommand(const KitTarget& target)
{
    switch (target.kind) {
    case KitTarget::Menu:
    case KitTarget::Toolbar:
    case KitTarget::ToolbarMenu:
    case KitTarget::Context:
    case KitTarget::Key:
    case KitTarget::DoubleClick:
        return true;
    default:
        return false;
    }
}

QString commandText(const KitTarget& target)
{
    return target.path.value(target.path.size() - 1);
}

// A command's words without its access key and dots: 编辑影片对象(E)... and (O)... are one command.
QString commandWords(const KitTarget& target)
{
    static const QRegularExpression key(u"\\(.\\)(\\.\\.\\.)?$"_s);
    return commandText(target).remove(key);
}

// Two commands open one dialog the same way where one is a double-click on the object, or they
// say the same: 其他填充颜色 and 其他线条颜色 open 颜色 for different colours.
bool sameDialogRoute(const KitTarget& a, const KitTarget& b)
{
    return a.kind == KitTarget::DoubleClick || b.kind == KitTarget::DoubleClick ||
           commandWords(a) == commandWords(b);
}

} // namespace

namespace {

// A palette's item as a toolbar names it: 自选图形's 基本形状(B) → 椭圆 and the floating
// 自选图形 toolbar's 基本形状 → 椭圆 are both ("基本形状", "椭圆").
std::optional<std::pair<QString, QString>> paletteItem(const KitTarget& target)
{
    static const QRegularExpression key(u"\\(.\\)$"_s);
    if (target.kind != KitTarget::ToolbarMenu || target.path.size() < 2 || target.path.size() > 3)
        return std::nullopt;
    const QString palette = target.path.value(target.path.size() - 2);
    return std::pair{QString(palette).remove(key), target.path.last()};
}

} // namespace

bool MovieSession::takeSamePaletteItem(const KitTarget& target)
{
    const auto item = paletteItem(target);
    if (!item)
        return false;
    for (const QString& other : m_steps.actionsWanted(m_movie)) {
        auto wanted = m_kit->resolve(other);
        if (wanted && paletteItem(*wanted) == item && wanted->path != target.path && perform(other))
            return true;
    }
    return false;
}

QString MovieSession::paneAlreadyShown(const MovieStep& step) const
{
    // A pane the learner opened before the step that opens it: the step's command changes nothing.
    if (m_presentation.taskpane.isEmpty() || !step.set.isEmpty() || modalDialogOpen() || step.routeNamed)
        return {};
    for (const QString& action : step.accept) {
        auto t = m_kit->resolve(action);
        if (t && isCommand(*t) && reachable(*t) && t->opens == u"taskpane:"_s + m_presentation.taskpane)
            return action;
    }
    return {};
}

QString MovieSession::opensOf(const KitTarget& target) const
{
    return target.kind == KitTarget::DoubleClick ? doubleClickOpens(m_presentation, target) : target.opens;
}

std::optional<bool> MovieSession::takeOpeningRoute(const KitTarget& target)
{
    const QString opens = opensOf(target);
    // A floating toolbar and a task pane show whatever the task: they change nothing in the
    // presentation, and the step that opens the pane is done once it comes. A dialog opens only
    // for its step, whose values it would take.
    const bool pane = opens.startsWith(u"taskpane:"_s);
    const bool shows = opens.startsWith(u"toolbar:"_s);
    if ((!shows && !pane && !opens.startsWith(u"dialog:"_s)) || !isCommand(target) || modalDialogOpen() ||
        m_presentation.view.is(ViewKind::Show))
        return std::nullopt;
    const KitForm* dialog = shows || pane ? nullptr : m_kit->dialog(opens.mid(7));
    // A dialog that opens with other values by another command is not the same dialog.
    const auto presetBy = [&](const KitTarget& t) {
        return dialog && dialog->presets.count(commandText(t)) ? commandText(t) : QString();
    };
    // A double-click selects what it lands on before it opens its dialog.
    if (target.kind == KitTarget::DoubleClick && target.shape > 0)
        select(targets::shape(target.shape));
    const auto takeWanted = [&] {
        for (const QString& other : m_steps.actionsWanted(m_movie)) {
            auto wanted = m_kit->resolve(other);
            const StepTaking taking = m_steps.taking(m_movie, other);
            // A pane is the same pane whichever way it opens: a command, or a link of the pane shown
            // (幻灯片设计's 配色方案 and the panes' list's 幻灯片设计 - 配色方案).
            const bool paneLink = pane && wanted && wanted->kind == KitTarget::TaskPane;
            if (!wanted || !(isCommand(*wanted) || paneLink) || opensOf(*wanted) != opens ||
                taking.step < 0 || presetBy(*wanted) != presetBy(target) ||
                choosesDrawingTool(m_movie, taking) || (dialog && !sameDialogRoute(*wanted, target)))
                continue;
            if (perform(other))
                return true;
        }
        return false;
    };
    if (takeWanted())
        return true;
    // A page of a pane ("幻灯片设计 - 配色方案") opens that pane on it: a step that wants the pane
    // opened is taken on the way, then one that wants the page.
    if (const qsizetype dash = opens.indexOf(u" - "_s); pane && dash > 0) {
        const QString owner = opens.left(dash);
        for (const QString& other : m_steps.actionsWanted(m_movie)) {
            auto wanted = m_kit->resolve(other);
            if (wanted && isCommand(*wanted) && opensOf(*wanted) == owner &&
                m_steps.taking(m_movie, other).step >= 0 && perform(other)) {
                if (!takeWanted() && m_presentation.taskpane == owner.mid(9)) {
                    applyOpens(opens);
                    if (m_listener)
                        m_listener();
                }
                return true;
            }
        }
    }
    if (!shows && !(pane && m_kit->taskPane(opens.mid(9))))
        return std::nullopt;
    applyOpens(opens);
    if (m_listener)
        m_listener();
    return false;
}

bool MovieSession::takeViewRoute(const QString& action, const KitTarget& target)
{
    const WindowOptions& window = m_presentation.window;
    if (!target.opens.startsWith(u"view:"_s) || target.kind == KitTarget::Dialog || modalDialogOpen() ||
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

void MovieSession::carryValues(const FormState& from)
{
    const KitForm* old = m_kit->dialog(from.name);
    const KitForm* now = m_kit->dialog(m_dialog->name);
    if (!old || !now)
        return;
    for (const KitControl& c : now->controls) {
        const KitControl* same = c.id.isEmpty() ? nullptr : old->control(c.id);
        const QString value = from.value(c.id);
        if (!same || same->type != c.type || value.isEmpty() || !m_dialog)
            continue;
        m_dialog->values[c.id] = value;
        const QString action = actions::dialog(m_dialog->name, c.id, value);
        if (m_steps.taking(m_movie, action).step >= 0)
            perform(action);
    }
}

void MovieSession::keepTyped(const QString& control, const QString& text)
{
    const KitForm* form = m_dialog ? m_kit->dialog(m_dialog->name) : nullptr;
    const KitControl* c = form ? form->control(control) : nullptr;
    const bool typedInto =
        c && (c->type == KitControlType::Text || c->type == KitControlType::EditList ||
              c->type == KitControlType::Spin || (c->type == KitControlType::Combo && c->editable));
    if (!typedInto || m_dialog->value(control) == text)
        return;
    m_dialog->values[control] = text;
    if (m_listener)
        m_listener();
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
    if (modalDialogOpen() || !togglesThePane(target, *m_kit) || m_presentation.view.is(ViewKind::Show))
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
