#include "movie/session/moviesession.h"

#include "movie/document/effectlist.h"
#include "movie/kit/kitways.h"
#include "movie/kit/locators.h"
#include "movie/kit/standardcolours.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString kindOfShape(const QString& type)
{
    static const QStringList autoShapes{u"rect"_s,   u"roundrect"_s, u"ellipse"_s, u"arrow"_s, u"star"_s,
                                        u"smiley"_s, u"button"_s,    u"callout"_s, u"scroll"_s};
    if (autoShapes.contains(type))
        return u"autoshape"_s;
    if (type == u"picture"_s || type == u"clipart"_s)
        return u"picture"_s;
    if (type == u"wordart"_s || type == u"textbox"_s || type == u"table"_s)
        return type;
    return u"object"_s;
}

QString doubleClickOpens(const Presentation& presentation, const KitTarget& t)
{
    if (t.frame)
        return u"dialog:设置占位符格式"_s;
    const Slide& slide = presentation.slides[static_cast<size_t>(presentation.selected - 1)];
    if (t.shape <= 0 || t.shape > static_cast<int>(slide.shapes.size()))
        return {};
    const QString& type = slide.shapes[static_cast<size_t>(t.shape - 1)].type;
    // A chart activates Microsoft Graph in place.
    if (type == u"chart"_s)
        return u"graph"_s;
    const QString kind = kindOfShape(type);
    if (kind == u"autoshape"_s)
        return u"dialog:设置自选图形格式"_s;
    // A text box's border.
    if (kind == u"textbox"_s)
        return u"dialog:设置文本框格式"_s;
    if (kind == u"picture"_s)
        return u"dialog:设置图片格式"_s;
    if (kind == u"wordart"_s)
        return u"dialog:编辑“艺术字”文字"_s;
    return {};
}

QStringList shownPages(const KitForm& form, const FormState& state)
{
    const KitControl* tabs = form.tabs();
    QStringList pages = tabs ? tabs->items : QStringList();
    pages.removeIf([&state](const QString& page) { return state.hidden.contains(page); });
    return pages;
}

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

std::optional<QString> fixedValue(const KitControl& control, const FormState& state)
{
    if (!control.id.isEmpty() && state.greyed.contains(control.id))
        return state.value(control.id);
    for (const auto& [other, values] : control.fixedFor) {
        if (auto it = values.find(state.value(other)); it != values.end())
            return it->second == kHoldsOwnValue ? state.value(control.id) : it->second;
    }
    return std::nullopt;
}

bool paneControlShown(const KitControl& control, const FormState& state)
{
    if (state.hidden.contains(control.id.isEmpty() ? control.text : control.id))
        return false;
    return control.after.isEmpty() || state.pressed.contains(control.after);
}

void showColour(const KitForm& form, FormState& state, const QString& colour)
{
    const std::optional<Rgb> rgb = namedColour(colour);
    if (!rgb)
        return;
    for (const KitControl& c : form.controls) {
        if (c.type == KitControlType::Palette) {
            // The swatch of that colour, by its name or by its red, green and blue.
            for (const QString& item : c.items) {
                if (item == colour || namedColour(item) == rgb)
                    state.values[c.id] = item;
            }
        }
        if (c.type == KitControlType::Spectrum && c.items.size() == 3) {
            state.values[c.items[0]] = QString::number(rgb->red);
            state.values[c.items[1]] = QString::number(rgb->green);
            state.values[c.items[2]] = QString::number(rgb->blue);
        }
    }
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

const KitControl* effectList(const KitCatalog& kit, const FormState& pane)
{
    const KitForm* form = kit.taskPane(pane.name);
    if (!form)
        return nullptr;
    for (const KitControl& c : form->controls) {
        if (c.type == KitControlType::List && c.items.contains(u"@effects"_s))
            return &c;
    }
    return nullptr;
}

namespace {

// The file a file dialog names: its 文件名 box, else its 文件 list's choice.
QString fileNamed(const FormState& dialog)
{
    const QString name = dialog.value(u"文件名"_s).trimmed();
    return name.isEmpty() ? dialog.value(u"文件"_s).trimmed() : name;
}

// Saving or opening a file names the presentation in the title bar; an outline saved as RTF is an
// export, and the presentation keeps its name.
void nameSavedPresentation(const KitTarget& t, const FormState& dialog, Presentation& presentation)
{
    if ((t.control->id != u"保存(S)"_s && t.control->id != u"打开(O)"_s) ||
        dialog.value(u"文件类型"_s).startsWith(u"大纲/RTF"_s))
        return;
    QString name = fileNamed(dialog);
    static const QRegularExpression extension(u"\\.(ppt|pps|pot|htm|html|mht|mhtml|rtf)$"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    name.remove(extension);
    if (!name.isEmpty())
        presentation.file = name;
}

// The pane's list of effects keeps the effect a step added or moved chosen, under its new name.
void followEffectList(const KitCatalog& kit, FormState& pane, const Presentation& presentation,
                      const QJsonObject& changes)
{
    const KitControl* list = effectList(kit, pane);
    if (!list || (changes.contains(u"slide"_s) && changes[u"slide"_s].toInt() != presentation.selected))
        return;
    const Slide& slide = presentation.slides[static_cast<size_t>(presentation.selected - 1)];
    QString& chosen = pane.values[list->id];
    if (changes.contains(u"effects"_s) || changes.contains(u"removeEffect"_s))
        chosen.clear();
    if (changes.contains(u"addEffect"_s))
        chosen = effectListItem(slide, static_cast<int>(slide.effects.size()) - 1);
    if (changes.contains(u"moveEffect"_s))
        chosen = effectListItem(slide, changes[u"moveEffect"_s].toObject()[u"to"_s].toInt() - 1);
}

// The page `by` pages on from the dialog's page: by its tabs, as a wizard's 上一步/下一步 turn it.
QString adjacentPage(const KitCatalog& kit, const std::optional<FormState>& dialog, int by)
{
    const KitForm* form = dialog ? kit.dialog(dialog->name) : nullptr;
    const QStringList pages = form ? shownPages(*form, *dialog) : QStringList();
    return pages.value(pages.indexOf(dialog->tab) + by);
}

// The shapes a step's changes group, or that they ungroup (numbered before the changes).
QList<int> shapesGroupedBy(const Presentation& presentation, const QJsonObject& changes)
{
    const int slideNumber = changes.value(u"slide"_s).toInt(presentation.selected);
    if (slideNumber < 1 || slideNumber > static_cast<int>(presentation.slides.size()))
        return {};
    const auto& shapes = presentation.slides[static_cast<size_t>(slideNumber - 1)].shapes;
    QList<int> members;
    if (const QJsonArray grouped = changes.value(u"groupShapes"_s).toArray(); !grouped.isEmpty()) {
        for (const QJsonValue& n : grouped)
            members << n.toInt();
    } else if (const int ungrouped = changes.value(u"ungroupShapes"_s).toInt();
               ungrouped >= 1 && ungrouped <= static_cast<int>(shapes.size())) {
        const int group = shapes[static_cast<size_t>(ungrouped - 1)].group;
        for (size_t i = 0; i < shapes.size() && group != 0; ++i) {
            if (shapes[i].group == group)
                members << static_cast<int>(i) + 1;
        }
    }
    return members;
}

void markSchemeColour(const KitForm* from, std::optional<FormState>& dialog,
                      const std::vector<FormState>& beneath)
{
    // 更改颜色 in 编辑配色方案 opens 颜色 for the scheme colour selected: the
    // colour chosen there goes back under that colour's own key.
    if (!from || !dialog || beneath.empty() || beneath.back().name != from->name ||
        dialog->name != u"颜色"_s || !dialog->openedBy.isEmpty())
        return;
    for (const KitControl& c : from->controls) {
        if (c.type == KitControlType::List && c.style == u"scheme"_s) {
            dialog->openedBy = schemeColourKey(beneath.back().value(c.id));
            return;
        }
    }
}

// The selected shapes' numbers once a step's 叠放次序 edits are made; empty when none moves.
QList<int> selectionRestackedBy(const Presentation& presentation, QList<int> selected,
                                const QJsonObject& changes)
{
    if (selected.isEmpty() || !changes.contains(u"editShape"_s) ||
        changes.value(u"slide"_s).toInt(presentation.selected) != presentation.selected)
        return {};
    const auto count =
        static_cast<int>(presentation.slides[static_cast<size_t>(presentation.selected - 1)].shapes.size());
    // The shapes' present numbers, bottom first, in the order the edits leave them.
    std::vector<int> stack(static_cast<size_t>(count));
    std::iota(stack.begin(), stack.end(), 1);
    const QJsonValue edits = changes.value(u"editShape"_s);
    bool moved = false;
    for (const QJsonValue& edit : edits.isArray() ? edits.toArray() : QJsonArray{edits}) {
        const QString order = edit[u"order"_s].toString();
        const int from = edit[u"shape"_s].toInt() - 1;
        if (order.isEmpty() || from < 0 || from >= count)
            continue;
        const int shape = stack[static_cast<size_t>(from)];
        stack.erase(stack.begin() + from);
        stack.insert(stack.begin() + restackedIndex(order, from, count), shape);
        moved = true;
    }
    if (!moved)
        return {};
    for (int& shape : selected)
        shape = static_cast<int>(std::find(stack.begin(), stack.end(), shape) - stack.begin()) + 1;
    return selected;
}

} // namespace

int MovieSession::chosenEffect() const
{
    const KitControl* list = effectList(*m_kit, m_taskPane);
    return list ? effectOfListItem(selectedSlide(), m_taskPane.value(list->id)) : -1;
}

MovieSession::MovieSession(Movie movie, const KitCatalog& kit) : m_movie(std::move(movie)), m_kit(&kit)
{
    for (const MovieWay& way : kitWays(m_movie, kit)) {
        // A step whose route the stem names is taken by that route only.
        const auto run = m_movie.steps.begin() + way.from;
        if (std::none_of(run, run + way.count, [](const MovieStep& step) { return step.routeNamed; }))
            m_movie.ways.push_back(way);
    }
    addContextCommands(m_movie, kit);
    m_steps = StepProgress(m_movie, kit);
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
    m_steps.restart(m_movie);
    m_selection.clear();
    m_dialog.reset();
    m_beneath.clear();
    m_dialogMarks.clear();
    m_closedPane.clear();
    m_typing.reset();
    m_typingObject.clear();
    m_typingSlide = 0;
    m_widening = 0;
    m_toolChosen = false;
    m_toolMark.clear();
    m_opensAfterDrawing.clear();
    m_slideChosenFreely = 0;
    m_toolbars.clear();
    m_toolbarValues.clear();
    m_painter = Painter::None;
    m_graph.reset();
    m_taskPane = {};
    if (const KitForm* pane = m_kit->taskPane(m_presentation.taskpane))
        m_taskPane = openForm(*pane);
    followChosenEffect();
    if (m_listener)
        m_listener();
}

QString MovieSession::nextAction() const
{
    const MovieStep* step = m_steps.current(m_movie);
    return step ? step->accept.value(0) : QString();
}

void followChoice(FormState& state, const KitForm& form, const QString& id)
{
    for (const KitControl& c : form.controls) {
        if (c.fixedFor.find(id) != c.fixedFor.end()) {
            if (auto fixed = fixedValue(c, state))
                state.values[c.id] = *fixed;
        }
        if (c.id.isEmpty() || c.itemsFor.find(id) == c.itemsFor.end())
            continue;
        const QStringList items = shownItems(c, state);
        if (!items.contains(state.value(c.id))) {
            state.values[c.id] = items.value(0);
            followChoice(state, form, c.id);
        }
    }
}

bool MovieSession::turnPage(const QString& action)
{
    if (!m_dialog)
        return false;
    auto t = m_kit->resolve(action);
    const KitForm* form = m_kit->dialog(m_dialog->name);
    const KitControl* tabs = form ? form->tabs() : nullptr;
    if (!t || !tabs || t->kind != KitTarget::Dialog || t->form != m_dialog->name || !t->control ||
        !reachable(*t))
        return false;
    QString page;
    if (t->control->type == KitControlType::Tabs && t->hasValue)
        page = t->value;
    else if (t->opens == u"page:next"_s || t->opens == u"page:previous"_s)
        page = adjacentPage(*m_kit, m_dialog, t->opens == u"page:next"_s ? 1 : -1);
    if (page.isEmpty() || page == m_dialog->tab || m_dialog->hidden.contains(page))
        return false;
    // Reaching the page the task wants is the step, whichever way it was reached.
    const QString wanted = u"dialog:%1/%2=%3"_s.arg(m_dialog->name, tabs->id, page);
    if (m_steps.taking(m_movie, wanted).step >= 0)
        return perform(wanted);
    m_dialog->tab = page;
    m_dialog->values[tabs->id] = page;
    if (m_listener)
        m_listener();
    return false;
}

QString MovieSession::colourBeingChanged(const FormState& dialog, const QString& box) const
{
    QString colour = dialog.value(box);
    const KitForm* form = m_kit->dialog(dialog.name);
    const KitControl* control = form ? form->control(box) : nullptr;
    const QList<int> shapes = selectedShapes();
    // The format dialogs of an object (设置自选图形格式) open their colour boxes at their defaults.
    if (control && colour == control->value.toString() && shapes.size() == 1 &&
        form->control(u"锁定纵横比(A)"_s)) {
        const SlideShape& shape = selectedSlide().shapes[static_cast<size_t>(shapes.first() - 1)];
        const QString own = box == u"填充颜色"_s ? shape.fill : box == u"线条颜色"_s ? shape.line : QString();
        if (namedColour(own))
            colour = own;
    }
    return colourInRgb(colour);
}

QString MovieSession::colourInRgb(const QString& colour) const
{
    if (!namedColour(colour) && m_schemeColours) {
        if (const std::optional<Rgb> rgb = m_schemeColours(colour))
            return u"#%1%2%3"_s.arg(rgb->red, 2, 16, QChar(u'0'))
                .arg(rgb->green, 2, 16, QChar(u'0'))
                .arg(rgb->blue, 2, 16, QChar(u'0'))
                .toUpper();
    }
    return colour;
}

void MovieSession::applyOpens(const QString& opens, const QString& command, const QString& openedBy)
{
    if (opens.isEmpty())
        return;
    if (opens == u"close"_s) {
        closeDialog();
    } else if (opens == u"close:all"_s) {
        // A choice that settles the dialogs beneath too (图片项目符号's 确定).
        while (m_dialog)
            closeDialog();
    } else if (opens == u"page:next"_s || opens == u"page:previous"_s) {
        const QString page = adjacentPage(*m_kit, m_dialog, opens == u"page:next"_s ? 1 : -1);
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
            const WindowOptions& window = m_presentation.window;
            if (form->asksToSave && (window.saved || window.closed))
                return;
            if (m_dialog)
                m_beneath.push_back(*m_dialog);
            m_dialog = openForm(*form, command);
            m_dialog->openedBy = openedBy;
            // A colour dialog opens at the colour being changed: the box's that opened it, else the
            // selected shape's fill or line where a toolbar's 其他…颜色 opened it.
            if (!openedBy.isEmpty() && !m_beneath.empty())
                showColour(*form, *m_dialog, colourBeingChanged(m_beneath.back(), openedBy));
            else if (const QList<int> shapes = selectedShapes();
                     !shapes.isEmpty() && command.startsWith(u"其他"_s)) {
                const SlideShape& shape = selectedSlide().shapes[static_cast<size_t>(shapes.first() - 1)];
                // A shape without a colour of its own has the scheme's.
                if (command.contains(u"线条"_s))
                    showColour(*form, *m_dialog,
                               colourInRgb(shape.line.isEmpty() ? u"遵循文本和线条配色方案"_s : shape.line));
                else if (command.contains(u"填充"_s))
                    showColour(*form, *m_dialog,
                               colourInRgb(shape.fill.isEmpty() ? u"遵循填充配色方案"_s : shape.fill));
            }
        }
    } else if (opens.startsWith(u"taskpane:"_s)) {
        const KitForm* form = m_kit->taskPane(opens.mid(9));
        // The pane shown already stays as it is, as its command leaves it in PowerPoint.
        if (form && m_presentation.taskpane == form->name && m_taskPane.name == form->name)
            return;
        if (form) {
            // A pane opened from another takes along what its boxes of the same
            // name hold: the words searched for go on to the search's results.
            const FormState from = m_taskPane;
            const KitForm* fromForm = m_kit->taskPane(from.name);
            m_taskPane = openForm(*form);
            m_presentation.taskpane = form->name;
            for (const KitControl& c : form->controls) {
                const KitControl* same = fromForm ? fromForm->control(c.id) : nullptr;
                if (c.id.isEmpty() || !same || same->type != c.type || !from.values.count(c.id))
                    continue;
                m_taskPane.values[c.id] = from.value(c.id);
                followChoice(m_taskPane, *form, c.id);
            }
            followChosenEffect();
        }
    } else if (opens.startsWith(u"view:"_s)) {
        if (const std::optional<ViewKind> kind = WindowView::kindNamed(opens.mid(5))) {
            // 打印's 预览 closes the dialog: the preview takes the window.
            if (*kind == ViewKind::PrintPreview) {
                m_dialog.reset();
                m_beneath.clear();
            }
            m_presentation.view.turnTo(*kind);
        }
    } else if (opens.startsWith(u"toolbar:"_s)) {
        if (!m_toolbars.contains(opens.mid(8)))
            m_toolbars << opens.mid(8);
    } else if (opens == u"graph"_s) {
        enterGraph();
    } else if (opens == u"graph:datasheet"_s) {
        showDatasheet(!datasheetShown());
    }
}

int MovieSession::shownMaster() const
{
    return m_presentation.view.is(ViewKind::SlideMaster) && m_presentation.titleMaster && m_master == 2 ? 2
                                                                                                        : 1;
}

void MovieSession::showOutlineTab(bool outline)
{
    if (!m_presentation.view.isNormal())
        return;
    m_presentation.view = WindowView(outline ? ViewKind::Outline : ViewKind::Normal);
    if (m_listener)
        m_listener();
}

void MovieSession::leaveShow()
{
    if (!m_presentation.view.is(ViewKind::Show))
        return;
    m_presentation.view.goBack();
    m_presentation.show = {};
    if (m_listener)
        m_listener();
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
    // A modal dialog keeps the rest of the window from the learner; Graph's datasheet does not.
    if (m_dialog && (!datasheetShown() || t.kind == KitTarget::Dialog)) {
        if (t.kind != KitTarget::Dialog || t.form != m_dialog->name)
            return false;
        if (t.control && (fixedValue(*t.control, *m_dialog) || !paneControlShown(*t.control, *m_dialog)))
            return false;
        if (t.control && t.control->type == KitControlType::Tabs && m_dialog->hidden.contains(t.value))
            return false;
        // An item of a list that follows another, or that the presentation or
        // other buttons fill, is there only while the list offers it.
        const bool itemsVary =
            t.control && (!t.control->itemsFor.empty() || t.control->itemsFromPresentation() ||
                          !t.control->gathers.isEmpty() || effectFieldTable(*m_kit, t.control->effectField));
        return !t.hasValue || !itemsVary || itemsOf(*t.control, *m_dialog).contains(t.value);
    }
    switch (t.kind) {
    case KitTarget::Dialog:
        return false;
    case KitTarget::Menu:
    case KitTarget::Context:
        if (t.graph && !m_graph)
            return false;
        // The panes' list drops down from the title of the task pane shown.
        if (t.kind == KitTarget::Context && t.area == u"taskpanes"_s && m_presentation.taskpane.isEmpty())
            return false;
        return (t.views.isEmpty() || t.views.contains(m_presentation.view.name())) &&
               (t.slideChoice.isEmpty() || slideMenuItems(m_presentation).contains(t.slideChoice)) &&
               (t.windowChoice.isEmpty() || windowMenuItems(m_presentation).contains(t.windowChoice)) &&
               (t.selected.isEmpty() || KitMenuItem::namesAny(t.selected, selectionKinds())) &&
               (t.enabledFor.isEmpty() || KitMenuItem::namesAny(t.enabledFor, selectionKinds())) &&
               (!t.link || *t.link == selectionLinks()) &&
               (!t.withText || *t.withText == !objectText(selectedSlide(), selectedObject()).isEmpty());
    case KitTarget::TaskPane:
        return m_presentation.taskpane == t.form && !m_presentation.view.is(ViewKind::Show) &&
               (!t.control || (paneShows(*t.control) && !paneGreyed(*t.control)));
    case KitTarget::Thumb:
    case KitTarget::Click:
    case KitTarget::DoubleClick: {
        // Only a slide the presentation has, or a shape on the slide shown, can be clicked.
        const auto& slides = m_presentation.slides;
        if (t.kind == KitTarget::Thumb && m_presentation.view.is(ViewKind::SlideMaster))
            return t.slide <= (m_presentation.titleMaster ? 2 : 1);
        if (t.slide > static_cast<int>(slides.size()) || t.dropAfter > static_cast<int>(slides.size()))
            return false;
        if (t.paragraph > 0)
            return m_presentation.view.is(ViewKind::Outline) &&
                   t.paragraph <= outlineParagraphs(slides[static_cast<size_t>(t.slide - 1)]).size();
        return t.shape <=
               static_cast<int>(slides[static_cast<size_t>(m_presentation.selected - 1)].shapes.size());
    }
    default:
        return true;
    }
}

bool MovieSession::isSlideSelected(int n) const
{
    return n == m_presentation.selected || m_selection.slideSelectedWith(n);
}

namespace {

// A click on a slide with or without Ctrl or Shift, or 全选, changes the slides selected;
// false when a Ctrl-click took a slide out, so that the selected slide stays.
bool selectSlides(const KitCatalog& kit, const KitTarget& t, const Presentation& presentation,
                  Selection& selection, bool dialogOpen)
{
    const int count = static_cast<int>(presentation.slides.size());
    const bool selectsAll =
        (t.kind == KitTarget::Menu && t.path.value(t.path.size() - 1) == u"全选(L)"_s) ||
        (t.kind == KitTarget::Key && kit.key(t.path.value(0)) && kit.key(t.path.value(0))->name == u"全选"_s);
    if (selectsAll && presentation.view.is(ViewKind::Sorter) && !dialogOpen) {
        for (int n = 1; n <= count; ++n)
            selection.addSlide(n);
        return true;
    }
    if (t.slide < 1 || t.slide > count)
        return true;
    // Slides dragged keep their selection; where they land is the step's to say.
    if (t.dropAfter >= 0)
        return false;
    const int from = presentation.selected;
    if (t.kind == KitTarget::Thumb && t.ctrl) {
        // Ctrl and a click add a slide, or take a selected one out again.
        selection.addSlide(from);
        if (t.slide != from && selection.removeSlide(t.slide)) {
            selection.removeSlide(from);
            return false;
        }
    } else if (t.kind == KitTarget::Thumb && t.shift) {
        selection.clearSlides();
        for (int n = std::min(from, t.slide); n <= std::max(from, t.slide); ++n)
            selection.addSlide(n);
    } else {
        selection.clearSlides();
    }
    selection.removeSlide(t.slide);
    return true;
}

// Turning the slides upright or on their side in 页面设置 swaps the page's width and height.
void orientPage(FormState& form)
{
    const QString width = form.value(u"宽度"_s);
    const QString height = form.value(u"高度"_s);
    const bool upright = form.value(u"幻灯片方向"_s).startsWith(u"纵向"_s);
    if (upright != (width.toDouble() < height.toDouble()) && width != height) {
        form.values[u"宽度"_s] = height;
        form.values[u"高度"_s] = width;
    }
}

// A value chosen in a dialog or pane: the control keeps it, and the controls that follow it follow.
// An item that opens a dialog (其他颜色(M)...) is a command, not a value the box keeps.

// What a dialog's button sends back to the dialog beneath it once it closes: a colour chosen
// in the dialog that a colour box opened goes back to that box, and a file opened in a dialog
// that another dialog's 浏览 opened (幻灯片搜索) goes back to that dialog's 文件 box.
struct SentBack
{
    QString colour;
    QString colourBox;
    QString file;
    std::shared_ptr<const FormState> fillEffects; // 填充效果 at its 确定, for colourBox
};

SentBack sentBackBy(const KitCatalog& kit, const KitTarget& t, const std::optional<FormState>& dialog,
                    const std::vector<FormState>& beneath)
{
    SentBack back;
    const bool pressed = t.kind == KitTarget::Dialog && !t.hasValue && t.control && dialog;
    if (!pressed || beneath.empty())
        return back;
    if (t.control->id == u"打开(O)"_s)
        back.file = fileNamed(*dialog);
    if (t.opens == u"close"_s && t.control->id == u"确定"_s && !dialog->openedBy.isEmpty()) {
        if (const KitForm* form = kit.dialog(dialog->name)) {
            back.colour = chosenColour(*form, *dialog);
            back.colourBox = dialog->openedBy;
        }
        if (dialog->name == u"填充效果"_s) {
            back.colourBox = dialog->openedBy;
            back.fillEffects = std::make_shared<const FormState>(*dialog);
        }
    }
    return back;
}

void receive(const KitCatalog& kit, const SentBack& back, std::optional<FormState>& dialog)
{
    if (!dialog)
        return;
    if (!back.colour.isEmpty()) {
        dialog->values[back.colourBox] = back.colour;
        dialog->fillEffects.erase(back.colourBox);
    }
    if (back.fillEffects)
        dialog->fillEffects[back.colourBox] = back.fillEffects;
    const KitForm* form = back.file.isEmpty() ? nullptr : kit.dialog(dialog->name);
    const KitControl* fileBox = form ? form->control(u"文件"_s) : nullptr;
    if (fileBox && fileBox->type == KitControlType::Text) {
        dialog->values[fileBox->id] = back.file;
        followChoice(*dialog, *form, fileBox->id);
    }
}

} // namespace

void setFormValue(FormState& form, const KitForm* kitForm, const KitTarget& t)
{
    if (t.hasValue && t.opens.isEmpty()) {
        form.values[t.control->id] = t.value;
        if (t.control->type == KitControlType::Color)
            form.fillEffects.erase(t.control->id);
        if (t.control->type == KitControlType::Tabs)
            form.tab = t.value;
        if (kitForm)
            followChoice(form, *kitForm, t.control->id);
        if (form.name == u"页面设置"_s && t.control->id == u"幻灯片方向"_s)
            orientPage(form);
        // A file chosen in a file dialog's list is named in its 文件名 box; a folder is not.
        if (kitForm && t.control->type == KitControlType::List && t.control->style == u"folder"_s &&
            t.value.contains(u'.') && kitForm->control(u"文件名"_s))
            form.values[u"文件名"_s] = t.value;
    }
    if (!t.hasValue && t.control && t.control->type == KitControlType::Button &&
        !form.pressed.contains(t.control->id))
        form.pressed << t.control->id;
}

void MovieSession::clickOn(const KitTarget& t, bool focusMoves)
{
    if (t.kind == KitTarget::Thumb && m_presentation.view.is(ViewKind::SlideMaster)) {
        m_master = t.slide;
        select({});
        return;
    }
    if (focusMoves && t.slide > 0 && t.slide <= static_cast<int>(m_presentation.slides.size())) {
        m_presentation.selected = t.slide;
        m_selection.setParagraph(t.paragraph);
    }
    if (t.kind != KitTarget::Thumb && t.slide == 0) {
        // A click on the slide selects what it lands on; on none of its objects it lets go.
        if (t.shift || t.ctrl)
            selectAlso(t.shape);
        else
            select(t.shape > 0                   ? targets::shape(t.shape)
                   : t.placeholder == u"slide"_s ? QString()
                                                 : t.placeholder);
    }
    if (t.kind == KitTarget::DoubleClick)
        applyOpens(doubleClickOpens(m_presentation, t));
}

void MovieSession::applyAction(const KitTarget& t)
{
    bool focusMoves = true;
    if (t.kind == KitTarget::Thumb || t.kind == KitTarget::Click || t.kind == KitTarget::DoubleClick ||
        t.kind == KitTarget::Menu || t.kind == KitTarget::Key)
        focusMoves = selectSlides(*m_kit, t, m_presentation, m_selection, modalDialogOpen());
    switch (t.kind) {
    case KitTarget::Thumb:
    case KitTarget::Click:
    case KitTarget::DoubleClick:
        clickOn(t, focusMoves);
        break;
    case KitTarget::Type:
        if (objectText(selectedSlide(), t.area) != t.value && !(m_typing && m_typingObject == t.area))
            setObjectText(t.area, t.value);
        break;
    case KitTarget::Toolbar:
        if (t.hasValue && !t.path.isEmpty())
            m_toolbarValues[t.path.first()] = t.value;
        break;
    case KitTarget::Dialog:
        if (t.control)
            m_dialog->changedFreely.erase(t.control->id);
        setFormValue(*m_dialog, m_kit->dialog(t.form), t);
        break;
    case KitTarget::TaskPane:
        setFormValue(m_taskPane, m_kit->taskPane(t.form), t);
        followChosenEffect();
        break;
    default:
        break;
    }
    const bool pressed = t.kind == KitTarget::Dialog && !t.hasValue && t.control && m_dialog;
    if (pressed)
        gatherItems(*t.control);
    if (pressed && !(t.control->edits + t.control->copies + t.control->deletes).isEmpty()) {
        // 编辑 opens the dialog itself, to fill it with the show.
        editCustomShows(*t.control);
        if (!t.control->edits.isEmpty())
            return;
    }
    const SentBack back = sentBackBy(*m_kit, t, m_dialog, m_beneath);
    // The presentation keeps its name when the file opened goes back to another dialog.
    if (pressed && back.file.isEmpty())
        nameSavedPresentation(t, *m_dialog, m_presentation);
    // A dialog's closing button that leads on to another dialog (a wizard's
    // next page, 艺术字库 → 编辑“艺术字”文字) closes its own dialog first.
    static const QStringList closingButtons{u"确定"_s, u"取消"_s, u"关闭"_s, u"完成"_s};
    const KitForm* shown = t.kind == KitTarget::Dialog ? m_kit->dialog(t.form) : nullptr;
    if (pressed && t.opens.startsWith(u"dialog:"_s) &&
        (closingButtons.contains(t.control->id) || t.control->turnsInto || (shown && shown->message)))
        closeDialog();
    const QString command = t.hasValue ? t.value : t.path.value(t.path.size() - 1);
    const bool fromBox = t.kind == KitTarget::Dialog && t.hasValue && t.control;
    applyOpens(t.opens, command, fromBox ? t.control->id : QString());
    markSchemeColour(shown, m_dialog, m_beneath);
    receive(*m_kit, back, m_dialog);
}

void MovieSession::select(const QString& object)
{
    m_selection.selectObject(object, m_presentation.selected, m_presentation.view.kind());
    // The font boxes turn to the font of what is selected now.
    m_toolbarValues.erase(u"字体"_s);
    m_toolbarValues.erase(u"字号"_s);
    // Selecting anything but the chart leaves Graph.
    followGraph();
}

void MovieSession::selectAlso(int shape)
{
    const QList<int> shapes = selectedShapes();
    if (shapes.isEmpty()) {
        select(targets::shape(shape));
        return;
    }
    if (!shapes.contains(shape))
        m_selection.addShape(shape);
}

QList<int> MovieSession::selectedShapes() const
{
    const int first = parseAction(actions::click(selectedObject())).shape;
    if (first == 0)
        return {};
    const auto count = static_cast<int>(
        m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)].shapes.size());
    QList<int> shapes{first};
    for (const int shape : m_selection.alsoSelected()) {
        if (shape <= count)
            shapes << shape;
    }
    return shapes;
}

QString MovieSession::selectedObject() const
{
    const QString selected = m_selection.object(m_presentation.selected, m_presentation.view.kind());
    if (selected.isEmpty())
        return {};
    const ActionParts on = parseAction(actions::click(selected));
    const Slide& slide = m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)];
    if (on.shape > static_cast<int>(slide.shapes.size()))
        return {};
    return selected;
}

QString MovieSession::selectionKind() const
{
    const QString object = selectedObject();
    if (object.isEmpty() || object == u"notes"_s)
        return u"nothing"_s;
    const int shape = parseAction(actions::click(object)).shape;
    if (shape == 0)
        return u"placeholder"_s;
    const Slide& slide = m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)];
    return kindOfShape(slide.shapes[static_cast<size_t>(shape - 1)].type);
}

QStringList MovieSession::selectionKinds() const
{
    QStringList kinds{selectionKind()};
    const int shape = parseAction(actions::click(selectedObject())).shape;
    if (shape > 0) {
        const QString& type = selectedSlide().shapes[static_cast<size_t>(shape - 1)].type;
        if (!kinds.contains(type))
            kinds << type;
    }
    return kinds;
}

bool MovieSession::selectionLinks() const
{
    const Slide& slide = m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)];
    const QString object = selectedObject();
    if (object == u"title"_s)
        return !slide.titleLink.isEmpty();
    if (object == u"body"_s || object == u"subtitle"_s)
        return !slide.bodyLink.isEmpty();
    return false;
}

bool MovieSession::accepts(const QString& action) const
{
    return m_steps.taking(m_movie, action).step >= 0;
}

bool MovieSession::perform(const QString& action)
{
    const StepTaking taking = m_steps.taking(m_movie, action);
    const bool painterHeld = holdsPainter(action);
    if (taking.step < 0) {
        const bool taken = takeOtherRoute(action);
        settleHeldSteps();
        if (auto target = m_kit->resolve(action); !taken && target && reachable(*target))
            followPainter(action, taking, false, false);
        if (m_graph) {
            followGraph();
            if (!m_graph && m_listener)
                m_listener();
        }
        return taken;
    }
    auto target = m_kit->resolve(action);
    if (!target || !reachable(target.value()))
        return false;
    if (!confirmsHeldValues(taking, *target)) {
        if (m_listener)
            m_listener();
        return false;
    }
    // A click the painter should make only selects while the painter is not taken up.
    if (m_painter == Painter::None && paintsWithPainter(taking))
        return false;
    const bool drawing = target->kind == KitTarget::Draw;
    if (drawing && !m_toolChosen && m_drawn)
        return false;
    // A tool's command opens what it opens once the shape is drawn.
    const bool choosesTool = choosesDrawingTool(m_movie, taking);
    if (choosesTool) {
        m_toolMark.assign(1, *this);
        m_opensAfterDrawing = std::exchange(target.value().opens, QString());
    }
    const QString opensAfterDrawing = drawing ? std::exchange(m_opensAfterDrawing, {}) : QString();
    // What the window was before an action that may open a dialog, for the dialog's 取消.
    std::optional<MovieSession> before;
    if (target->opens.startsWith(u"dialog:"_s) || target->kind == KitTarget::DoubleClick ||
        (target->control && !target->control->edits.isEmpty()) ||
        opensAfterDrawing.startsWith(u"dialog:"_s)) {
        before = *this;
        // Backed out of, the shape drawn goes, and the tool it was drawn with opens its dialog again.
        before->m_opensAfterDrawing =
            opensAfterDrawing.isEmpty() ? before->m_opensAfterDrawing : opensAfterDrawing;
    }
    const QString dialogBefore = m_dialog ? m_dialog->name : QString();
    const int depthBefore = (m_dialog ? 1 : 0) + static_cast<int>(m_beneath.size());
    const int slideBefore = m_presentation.selected;
    const QString layoutBefore = selectedSlide().layout;
    const std::optional<FormState> turning =
        target->control && target->control->turnsInto ? m_dialog : std::nullopt;
    applyAction(target.value());
    const auto step = static_cast<size_t>(taking.step);
    const QJsonObject changes =
        drawnChanges(taking.way < 0 ? m_movie.steps[step].set
                                    : m_movie.ways[static_cast<size_t>(taking.way)].steps[step].set,
                     m_drawn, m_movie, m_presentation);
    const size_t shapesBefore = selectedSlide().shapes.size();
    applyStepChanges(changes);
    if (m_presentation.selected != slideBefore || selectedSlide().layout != layoutBefore)
        followSlideLayout();
    const size_t shapesNow = selectedSlide().shapes.size();
    // A chart just inserted activates Graph at once, as a double-click on one does.
    if (target->opens == u"graph"_s)
        enterGraph();
    if (drawing) {
        m_toolChosen = false;
        m_toolMark.clear();
        applyOpens(opensAfterDrawing);
    }
    m_toolChosen = m_toolChosen || choosesTool;
    m_steps.markDone(m_movie, taking);
    followPainter(action, taking, true, painterHeld);
    markDialogs(before ? &*before : nullptr, dialogBefore, depthBefore);
    if (turning && m_dialog)
        carryValues(*turning);
    followGraph();
    // A text box just drawn takes the caret.
    if (drawing && !m_dialog && shapesNow > shapesBefore &&
        selectedSlide().shapes.back().type == u"textbox"_s) {
        startTyping(targets::shape(static_cast<int>(shapesNow)));
        m_widening = m_drawnByClick ? static_cast<int>(shapesNow) : 0;
    }
    settleHeldSteps();
    if (m_listener)
        m_listener();
    return true;
}

void MovieSession::applyStepChanges(const QJsonObject& changes)
{
    // Changed text leaves no paragraph of the old text selected, and slides
    // inserted, deleted or moved leave only the one they select.
    if (!changes.isEmpty())
        m_selection.setParagraph(0);
    for (const QString& key : {u"insertSlide"_s, u"insertSlides"_s, u"deleteSlide"_s, u"moveSlideTo"_s}) {
        if (changes.contains(key))
            m_selection.clearSlides();
    }
    const auto shapesNow = [this] {
        return m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)].shapes.size();
    };
    const size_t shapesBefore = shapesNow();
    const QList<int> regrouped = shapesGroupedBy(m_presentation, changes);
    const QList<int> restacked = selectionRestackedBy(m_presentation, selectedShapes(), changes);
    applyPresentationChanges(m_presentation, changes);
    // An object moved in the stacking order stays selected under its new number.
    if (!restacked.isEmpty()) {
        select(targets::shape(restacked.first()));
        for (const int shape : restacked.mid(1))
            selectAlso(shape);
    }
    // A title master just inserted is the one the master view shows.
    if (changes.contains(u"titleMaster"_s))
        m_master = m_presentation.titleMaster ? 2 : 1;
    followEffectList(*m_kit, m_taskPane, m_presentation, changes);
    followChosenEffect();
    // What the show's context menu set lasts while the show runs.
    if (!m_presentation.view.is(ViewKind::Show))
        m_presentation.show = {};
    // A shape just drawn or inserted is selected.
    if (shapesNow() > shapesBefore)
        select(targets::shape(static_cast<int>(shapesNow())));
    // So are the shapes just grouped or ungrouped, all of them.
    if (!regrouped.isEmpty() &&
        changes.value(u"slide"_s).toInt(m_presentation.selected) == m_presentation.selected) {
        select(targets::shape(regrouped.first()));
        for (const int shape : regrouped)
            selectAlso(shape);
    }
}

} // namespace pptdrill
