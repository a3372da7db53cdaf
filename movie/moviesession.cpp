#include "movie/moviesession.h"

#include <QJsonValue>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString FormState::value(const QString& id) const
{
    auto it = values.find(id);
    return it == values.end() ? QString() : it->second;
}

QStringList shownItems(const KitControl& control, const FormState& state)
{
    for (const auto& [other, lists] : control.itemsFor) {
        if (auto it = lists.find(state.value(other)); it != lists.end())
            return it->second;
    }
    return control.items;
}

QString chosenColour(const KitForm& form, const FormState& state)
{
    for (const KitControl& c : form.controls) {
        if (c.type == KitControlType::Spectrum && c.tab == state.tab && c.items.size() == 3)
            return u"RGB(%1,%2,%3)"_s.arg(state.value(c.items[0]), state.value(c.items[1]),
                                          state.value(c.items[2]));
    }
    for (const KitControl& c : form.controls) {
        if (c.type == KitControlType::Palette)
            return state.value(c.id);
    }
    return {};
}

MovieSession::MovieSession(Movie movie, const KitCatalog& kit) : m_movie(std::move(movie)), m_kit(&kit)
{
    reset();
}

void MovieSession::reset()
{
    m_presentation = m_movie.presentation;
    // The window always shows a slide: a movie made without the reader gets a
    // blank one, and a selection among its slides.
    if (m_presentation.slides.empty())
        m_presentation.slides.emplace_back();
    m_presentation.selected =
        std::clamp(m_presentation.selected, 1, static_cast<int>(m_presentation.slides.size()));
    m_step = 0;
    m_paragraph = 0;
    m_done.assign(m_movie.steps.size(), false);
    m_dialog.reset();
    m_beneath.clear();
    m_toolbars.clear();
    m_toolbarValues.clear();
    m_taskPane = {};
    if (const KitForm* pane = m_kit->taskPane(m_presentation.taskpane))
        m_taskPane = openForm(*pane);
    if (m_listener)
        m_listener();
}

const MovieStep* MovieSession::currentStep() const
{
    return isComplete() ? nullptr : &m_movie.steps[static_cast<size_t>(m_step)];
}

QString MovieSession::nextAction() const
{
    const MovieStep* step = currentStep();
    return step ? step->accept.value(0) : QString();
}

FormState MovieSession::openForm(const KitForm& form, const QString& command) const
{
    FormState state;
    state.name = form.name;
    for (const KitControl& c : form.controls) {
        if (c.id.isEmpty())
            continue;
        if (c.type == KitControlType::Check)
            state.values[c.id] = c.value.toBool() ? u"on"_s : u"off"_s;
        else if (c.value.isDouble())
            state.values[c.id] = QString::number(c.value.toDouble());
        else if (c.value.isString())
            state.values[c.id] = c.value.toString();
        else if (c.type == KitControlType::Tabs && !c.items.isEmpty())
            state.values[c.id] = c.items.first();
        if (c.type == KitControlType::Tabs)
            state.tab = state.values[c.id];
    }
    if (auto preset = form.presets.find(command); !command.isEmpty() && preset != form.presets.end()) {
        for (const auto& [id, value] : preset->second) {
            state.values[id] = value;
            if (const KitControl* c = form.control(id); c && c->type == KitControlType::Tabs)
                state.tab = value;
        }
    }
    return state;
}

void MovieSession::followChoice(FormState& state, const KitForm& form, const QString& id)
{
    for (const KitControl& c : form.controls) {
        if (c.id.isEmpty() || c.itemsFor.find(id) == c.itemsFor.end())
            continue;
        const QStringList items = shownItems(c, state);
        if (!items.contains(state.value(c.id))) {
            state.values[c.id] = items.value(0);
            followChoice(state, form, c.id);
        }
    }
}

QString MovieSession::adjacentPage(int by) const
{
    const KitForm* form = m_dialog ? m_kit->dialog(m_dialog->name) : nullptr;
    const KitControl* tabs = form ? form->tabs() : nullptr;
    if (!tabs)
        return {};
    return tabs->items.value(tabs->items.indexOf(m_dialog->tab) + by);
}

bool MovieSession::turnPage(const QString& action)
{
    if (!m_dialog)
        return false;
    auto t = m_kit->resolve(action);
    const KitForm* form = m_kit->dialog(m_dialog->name);
    const KitControl* tabs = form ? form->tabs() : nullptr;
    if (!t || !tabs || t->kind != KitTarget::Dialog || t->form != m_dialog->name || !t->control)
        return false;
    QString page;
    if (t->control->type == KitControlType::Tabs && t->hasValue)
        page = t->value;
    else if (t->opens == u"page:next"_s || t->opens == u"page:previous"_s)
        page = adjacentPage(t->opens == u"page:next"_s ? 1 : -1);
    if (page.isEmpty() || page == m_dialog->tab)
        return false;
    // Reaching the page the task wants is the step, whichever way it was reached.
    const QString wanted = u"dialog:%1/%2=%3"_s.arg(m_dialog->name, tabs->id, page);
    if (stepTaking(wanted) >= 0)
        return perform(wanted);
    m_dialog->tab = page;
    m_dialog->values[tabs->id] = page;
    if (m_listener)
        m_listener();
    return false;
}

void MovieSession::applyOpens(const QString& opens, const QString& command, const QString& openedBy)
{
    if (opens.isEmpty())
        return;
    if (opens == u"close"_s) {
        closeDialog();
    } else if (opens == u"page:next"_s || opens == u"page:previous"_s) {
        const QString page = adjacentPage(opens == u"page:next"_s ? 1 : -1);
        const KitForm* form = page.isEmpty() ? nullptr : m_kit->dialog(m_dialog->name);
        if (form && form->tabs()) {
            m_dialog->tab = page;
            m_dialog->values[form->tabs()->id] = page;
        }
    } else if (opens.startsWith(u"dialog:"_s)) {
        const QString name = opens.mid(7);
        if (m_dialog && m_dialog->name == name)
            return;
        // Naming a dialog that lies beneath returns to it, as it was left.
        if (std::any_of(m_beneath.begin(), m_beneath.end(),
                        [&](const FormState& f) { return f.name == name; })) {
            while (m_dialog && m_dialog->name != name)
                closeDialog();
        } else if (const KitForm* form = m_kit->dialog(name)) {
            if (m_dialog)
                m_beneath.push_back(*m_dialog);
            m_dialog = openForm(*form, command);
            m_dialog->openedBy = openedBy;
        }
    } else if (opens.startsWith(u"taskpane:"_s)) {
        if (const KitForm* form = m_kit->taskPane(opens.mid(9))) {
            m_taskPane = openForm(*form);
            m_presentation.taskpane = form->name;
        }
    } else if (opens.startsWith(u"view:"_s)) {
        m_presentation.view = opens.mid(5);
    } else if (opens.startsWith(u"toolbar:"_s)) {
        if (!m_toolbars.contains(opens.mid(8)))
            m_toolbars << opens.mid(8);
    }
}

void MovieSession::closeDialog()
{
    if (m_beneath.empty()) {
        m_dialog.reset();
    } else {
        m_dialog = m_beneath.back();
        m_beneath.pop_back();
    }
}

bool MovieSession::reachable(const KitTarget& t) const
{
    // A modal dialog keeps the rest of the window from the learner.
    if (m_dialog) {
        if (t.kind != KitTarget::Dialog || t.form != m_dialog->name)
            return false;
        // An item of a list that follows another is there only while that one offers it.
        return !t.hasValue || !t.control || t.control->itemsFor.empty() ||
               shownItems(*t.control, *m_dialog).contains(t.value);
    }
    switch (t.kind) {
    case KitTarget::Dialog:
        return false;
    case KitTarget::Menu:
        return t.views.isEmpty() || t.views.contains(m_presentation.view);
    case KitTarget::TaskPane:
        return m_presentation.taskpane == t.form && m_presentation.view != u"show"_s;
    case KitTarget::Thumb:
    case KitTarget::Click:
    case KitTarget::DoubleClick: {
        // Only a slide the presentation has, or a shape on the slide shown, can be clicked.
        const auto& slides = m_presentation.slides;
        if (t.slide > static_cast<int>(slides.size()))
            return false;
        if (t.paragraph > 0)
            return m_presentation.view == u"outline"_s &&
                   t.paragraph <= outlineParagraphs(slides[static_cast<size_t>(t.slide - 1)]).size();
        return t.shape <=
               static_cast<int>(slides[static_cast<size_t>(m_presentation.selected - 1)].shapes.size());
    }
    default:
        return true;
    }
}

void MovieSession::applyAction(const KitTarget& t)
{
    switch (t.kind) {
    case KitTarget::Thumb:
    case KitTarget::Click:
    case KitTarget::DoubleClick:
        if (t.slide > 0 && t.slide <= static_cast<int>(m_presentation.slides.size())) {
            m_presentation.selected = t.slide;
            m_paragraph = t.paragraph;
        }
        if (t.kind == KitTarget::DoubleClick)
            applyOpens(doubleClickOpens(t));
        break;
    case KitTarget::Toolbar:
        if (t.hasValue && !t.path.isEmpty())
            m_toolbarValues[t.path.first()] = t.value;
        break;
    case KitTarget::Dialog:
    case KitTarget::TaskPane: {
        FormState& form = t.kind == KitTarget::Dialog ? *m_dialog : m_taskPane;
        // An item that opens a dialog (其他颜色(M)...) is a command, not a value the box keeps.
        if (t.hasValue && t.opens.isEmpty()) {
            form.values[t.control->id] = t.value;
            if (t.control->type == KitControlType::Tabs)
                form.tab = t.value;
            const KitForm* kf = t.kind == KitTarget::Dialog ? m_kit->dialog(t.form) : m_kit->taskPane(t.form);
            if (kf)
                followChoice(form, *kf, t.control->id);
        }
        break;
    }
    default:
        break;
    }
    // Saving or opening a file names the presentation in the title bar.
    if (t.kind == KitTarget::Dialog && !t.hasValue && t.control && m_dialog &&
        (t.control->id == u"保存(S)"_s || t.control->id == u"打开(O)"_s)) {
        QString name = m_dialog->value(u"文件名"_s).trimmed();
        if (name.isEmpty())
            name = m_dialog->value(u"文件"_s).trimmed();
        static const QRegularExpression extension(u"\\.(ppt|pps|pot|htm|html|mht|mhtml|rtf)$"_s,
                                                  QRegularExpression::CaseInsensitiveOption);
        name.remove(extension);
        if (!name.isEmpty())
            m_presentation.file = name;
    }
    // A dialog's closing button that leads on to another dialog (a wizard's
    // next page, 艺术字库 → 编辑“艺术字”文字) closes its own dialog first.
    static const QStringList closingButtons{u"确定"_s, u"取消"_s, u"关闭"_s, u"完成"_s};
    if (t.kind == KitTarget::Dialog && !t.hasValue && t.opens.startsWith(u"dialog:"_s) && t.control &&
        closingButtons.contains(t.control->id))
        closeDialog();
    // A colour chosen in the dialog that a colour box opened goes back to that box.
    QString colour;
    QString box;
    if (t.kind == KitTarget::Dialog && !t.hasValue && t.opens == u"close"_s && t.control &&
        t.control->id == u"确定"_s && m_dialog && !m_dialog->openedBy.isEmpty() && !m_beneath.empty()) {
        if (const KitForm* form = m_kit->dialog(m_dialog->name)) {
            colour = chosenColour(*form, *m_dialog);
            box = m_dialog->openedBy;
        }
    }
    const QString command = t.hasValue ? t.value : t.path.value(t.path.size() - 1);
    const bool fromBox = t.kind == KitTarget::Dialog && t.hasValue && t.control;
    applyOpens(t.opens, command, fromBox ? t.control->id : QString());
    if (!colour.isEmpty() && m_dialog)
        m_dialog->values[box] = colour;
}

QString MovieSession::doubleClickOpens(const KitTarget& t) const
{
    // An AutoShape, or the border of a placeholder, opens its format dialog.
    static const QStringList autoShapes{u"rect"_s, u"roundrect"_s, u"ellipse"_s, u"arrow"_s,
                                        u"star"_s, u"smiley"_s,    u"button"_s};
    if (t.area.startsWith(u"frame:"_s))
        return u"dialog:设置占位符格式"_s;
    if (t.shape > 0) {
        const Slide& slide = m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)];
        if (t.shape <= static_cast<int>(slide.shapes.size()) &&
            autoShapes.contains(slide.shapes[static_cast<size_t>(t.shape - 1)].type))
            return u"dialog:设置自选图形格式"_s;
    }
    return {};
}

namespace {

// "key:alt+shift+right" and "key:Shift+Alt+Right" are one action.
QString normalizedAction(const QString& action)
{
    return action.startsWith(u"key:"_s) ? u"key:"_s + KitCatalog::normalizeShortcut(action.mid(4)) : action;
}

} // namespace

bool MovieSession::isValueStep(int index) const
{
    // Every way of the step sets a value in one open dialog or task pane.
    const MovieStep& step = m_movie.steps[static_cast<size_t>(index)];
    for (const QString& a : step.accept) {
        auto t = m_kit->resolve(a);
        if (!t || !t->hasValue || !t->opens.isEmpty() ||
            (t->kind != KitTarget::Dialog && t->kind != KitTarget::TaskPane))
            return false;
    }
    return true;
}

int MovieSession::stepTaking(const QString& action) const
{
    if (isComplete())
        return -1;
    const QString wanted = normalizedAction(action);
    auto takes = [&](int index) {
        for (const QString& a : m_movie.steps[static_cast<size_t>(index)].accept) {
            if (normalizedAction(a) == wanted)
                return true;
        }
        return false;
    };
    if (takes(m_step))
        return m_step;
    // Values of one dialog or pane may be set in any order, as in the real
    // program: the run of value steps from the current one takes any of them.
    if (!isValueStep(m_step))
        return -1;
    for (int i = m_step + 1; i < stepCount() && isValueStep(i); ++i) {
        if (!m_done[static_cast<size_t>(i)] && takes(i))
            return i;
    }
    return -1;
}

QString MovieSession::toolbarValue(const QString& button) const
{
    if (const auto chosen = m_toolbarValues.find(button); chosen != m_toolbarValues.end())
        return chosen->second;
    const KitButton* b = m_kit->toolbarButton(button);
    return b ? b->value : QString();
}

bool MovieSession::accepts(const QString& action) const
{
    return stepTaking(action) >= 0;
}

bool MovieSession::perform(const QString& action)
{
    const int index = stepTaking(action);
    if (index < 0)
        return turnPage(action);
    auto target = m_kit->resolve(action);
    if (!target || !reachable(target.value()))
        return false;
    applyAction(target.value());
    const QJsonObject& changes = m_movie.steps[static_cast<size_t>(index)].set;
    // Changed text leaves no paragraph of the old text selected.
    if (!changes.isEmpty())
        m_paragraph = 0;
    applyPresentationChanges(m_presentation, changes);
    m_done[static_cast<size_t>(index)] = true;
    while (m_step < stepCount() && m_done[static_cast<size_t>(m_step)])
        ++m_step;
    if (m_listener)
        m_listener();
    return true;
}

namespace {

// "file:line: what" for the action `way` of a step, when the movie was read from a file.
Status stepFault(const Movie& movie, size_t step, qsizetype way, const QString& what)
{
    const MovieStep& s = movie.steps[step];
    const int line = way >= 0 && static_cast<size_t>(way) < s.acceptLines.size()
                         ? s.acceptLines[static_cast<size_t>(way)]
                         : s.line;
    if (movie.source.isEmpty() || line <= 0)
        return Status::failure(what);
    return Status::failure(u"%1:%2: %3"_s.arg(movie.source).arg(line).arg(what));
}

} // namespace

Status verifyMovie(const Movie& movie, const KitCatalog& kit)
{
    if (movie.completion)
        return {};
    for (size_t i = 0; i < movie.steps.size(); ++i) {
        if (movie.steps[i].accept.isEmpty())
            return stepFault(movie, i, -1, u"第 %1 步没有可接受的操作"_s.arg(i + 1));
        for (qsizetype k = 0; k < movie.steps[i].accept.size(); ++k) {
            const QString& action = movie.steps[i].accept[k];
            if (auto t = kit.resolve(action); !t)
                return stepFault(movie, i, k, u"第 %1 步的“%2”：%3"_s.arg(i + 1).arg(action, t.error()));
        }
    }
    // Every accepted way of each step, with the demonstration's way before and after it.
    for (size_t i = 0; i < movie.steps.size(); ++i) {
        for (qsizetype k = 0; k < movie.steps[i].accept.size(); ++k) {
            MovieSession session(movie, kit);
            for (size_t j = 0; j < movie.steps.size(); ++j) {
                const qsizetype index = j == i ? k : 0;
                const QString& way = movie.steps[j].accept[index];
                if (!session.perform(way))
                    return stepFault(movie, j, index,
                                     u"第 %1 步不接受“%2”（此时界面上够不着它）"_s.arg(j + 1).arg(way));
            }
            if (!session.isComplete())
                return stepFault(movie, movie.steps.size() - 1, -1, u"演示没有完成"_s);
        }
    }
    return {};
}

} // namespace pptdrill
