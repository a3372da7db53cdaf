// The dialogs and task panes of the simulated window: where their controls lie, their hit
// areas, and the keys and clicks that drive a dialog (Tab, access keys, Enter and Esc, several
// items chosen at once, the boxes and lists opened by a click).
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slidepaintsupport.h"
#include "movie/widgets/window/formpart.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitpaintparts.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/window/messagebox.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

QRect FormPart::dialogRect() const
{
    const auto& d = m_view.m_session->dialog();
    return d ? dialogRectOf(d->name) : QRect();
}

QRect FormPart::dialogRectOf(const QString& name) const
{
    const KitForm* form = m_view.m_session->kit().dialog(name);
    if (!form)
        return {};
    const int w = std::min(form->width + 8, kWidth - 8);
    const int h = std::min(form->height + 30, kHeight - 8);
    // Graph's datasheet floats over the lower right of the slide, the chart beside it.
    if (m_view.m_session->graphActive() && name == m_view.m_session->kit().graphDatasheet()) {
        const QRect area = m_view.slideAreaRect();
        return QRect(std::max(4, area.right() - w - 16), std::max(4, area.bottom() - h - 16), w, h);
    }
    return QRect((kWidth - w) / 2, std::max(4, (kHeight - h) / 2 - 10), w, h);
}

bool FormPart::dialogControlVisible(const KitControl& c, const FormState& state) const
{
    return (c.tab.isEmpty() || c.tab == state.tab) && paneControlShown(c, state);
}

QRect FormPart::controlRect(const KitForm& form, const KitControl& c, bool dialog) const
{
    if (dialog) {
        const QRect d = dialogRectOf(form.name);
        return QRect(d.left() + 4 + c.x, d.top() + 26 + c.y, c.w, c.h);
    }
    for (const auto& [control, rect] : paneLayout()) {
        if (control == &c)
            return rect;
    }
    Q_UNUSED(form);
    return {};
}

int FormPart::paneControlHeight(const KitForm& form, const KitControl& c, int x, int w) const
{
    const KitControlType t = c.type;
    if (t == KitControlType::Label || t == KitControlType::Group) {
        // A label that names the chosen effect is as tall as the longer of its two texts.
        const QFontMetrics fm(uiFont(12, t == KitControlType::Group));
        int h = 0;
        for (const QString& text : {c.text.isEmpty() ? c.id : c.text, c.textNone})
            h = std::max(h, fm.boundingRect(QRect(0, 0, w, 400), Qt::TextWordWrap, text).height());
        return h + 4;
    }
    if (t == KitControlType::Link || t == KitControlType::Check)
        return 20;
    if (t == KitControlType::Button)
        return 24;
    if (t == KitControlType::Combo || t == KitControlType::Spin || t == KitControlType::Text)
        return c.label.isEmpty() ? 22 : 40;
    if (t == KitControlType::Options)
        return static_cast<int>(c.items.size()) * 19 + 2;
    if (t == KitControlType::List) {
        // A list of found topics or files is as long as what was found.
        const auto items = static_cast<int>(itemsOf(form, c, false).size());
        return (c.h > 0 ? c.h : (c.style.isEmpty() ? std::min(items, 8) : items) * 18 + 4) +
               (c.label.isEmpty() ? 0 : 18);
    }
    if (t == KitControlType::Gallery) {
        int h = c.h;
        if (h <= 0) {
            const auto cells = galleryCells(form.name, c, QRect(x, 0, w, 100000), false);
            h = cells.empty() ? 20 : cells.back().rect.bottom() + 2;
        }
        return h + (c.label.isEmpty() ? 0 : 18);
    }
    return 20;
}

std::vector<std::pair<const KitControl*, QRect>> FormPart::paneLayout() const
{
    std::vector<std::pair<const KitControl*, QRect>> out;
    const QRect pane = m_view.taskPaneRect();
    const KitForm* form =
        pane.isNull() ? nullptr : m_view.m_session->kit().taskPane(m_view.m_session->presentation().taskpane);
    if (!form)
        return out;
    const int x = pane.left() + 8;
    // Controls taller than the pane scroll under it, beside a scroll bar.
    auto lay = [&](int w, int y) {
        out.clear();
        for (const KitControl& c : form->controls) {
            // The controls under a button with a menu are that menu's submenus, the buttons
            // under a list its rows' menu.
            if (const KitControl* owner = c.under.isEmpty() ? nullptr : form->control(c.under);
                owner && !owner->menu.empty())
                continue;
            if (!m_view.m_session->paneShows(c))
                continue;
            if (!c.beside.isEmpty() && !out.empty() && out.back().first->id == c.beside) {
                // On the row of the control it stands beside, at the right: a button with only
                // its picture as wide as the picture, another as wide as that control.
                QRect& left = out.back().second;
                const int width = c.type == KitControlType::Button && !c.icon.isEmpty() && c.text.isEmpty()
                                      ? 24
                                      : (left.width() - 6) / 2;
                left.setWidth(left.width() - width - 6);
                out.emplace_back(&c, QRect(left.right() + 7, left.top(), width, left.height()));
                continue;
            }
            const int h = paneControlHeight(*form, c, x, w);
            out.emplace_back(&c, QRect(x, y, w, h));
            y += h + 5;
        }
        return y;
    };
    const int top = pane.top() + 30;
    if (lay(pane.width() - 16, top) > pane.bottom())
        lay(pane.width() - 16 - kScrollBarW, top - m_view.m_scrolls.m_paneScroll);
    return out;
}

QStringList FormPart::dropItems() const
{
    if (!m_drop)
        return {};
    if (m_drop->toolbar) {
        const KitButton* b = m_view.m_session->kit().toolbarButton(m_drop->control);
        if (b && b->type == KitButtonType::Color) {
            QStringList items;
            for (const KitMenuItem& item : b->items) {
                if (!item.separator)
                    items << item.text;
            }
            return items;
        }
        return b ? b->values : QStringList();
    }
    const KitForm* form = m_drop->dialog ? m_view.m_session->kit().dialog(m_drop->form)
                                         : m_view.m_session->kit().taskPane(m_drop->form);
    const KitControl* c = form ? form->control(m_drop->control) : nullptr;
    return c ? itemsOf(*form, *c, m_drop->dialog) : QStringList();
}

QRect FormPart::dropRect() const
{
    if (!m_drop)
        return {};
    if (dropIsPalette()) {
        QRect frame;
        for (const DropCell& cell : dropCells())
            frame |= cell.rect;
        return frame.adjusted(-4, -4, 4, 4);
    }
    if (m_drop->toolbar) {
        const QRect box = m_view.locate(locators::button(m_drop->control)).value_or(QRect());
        const int rows = std::min<int>(static_cast<int>(dropItems().size()), kDropRows);
        QRect r(box.left(), box.bottom() + 1, std::max(box.width(), 120), rows * 18 + 2);
        if (r.right() > kWidth - 2)
            r.moveRight(kWidth - 2);
        return r;
    }
    const KitForm* form = m_drop->dialog ? m_view.m_session->kit().dialog(m_drop->form)
                                         : m_view.m_session->kit().taskPane(m_drop->form);
    const KitControl* c = form ? form->control(m_drop->control) : nullptr;
    if (!c)
        return {};
    QRect box = controlRect(*form, *c, m_drop->dialog);
    if (!c->label.isEmpty() && !m_drop->dialog)
        box.setTop(box.top() + 18);
    box.setHeight(22);
    const int rows = std::min<int>(static_cast<int>(dropItems().size()), kDropRows);
    QRect r(box.left(), box.bottom() + 1, std::max(box.width(), 120), rows * 18 + 2);
    if (r.bottom() > kHeight - 2)
        r.moveBottom(box.top() - 1);
    if (r.right() > kWidth - 2)
        r.moveRight(kWidth - 2);
    return r;
}

namespace {

// What a tile's tooltip says: its name, or nothing for a tile named only by its place in the grid
// ("第3行第2列", the 配色方案's), which has no name to show.
QString tileTooltip(const QString& item)
{
    static const QRegularExpression place(u"^第\\d+行第\\d+列$"_s);
    return place.match(item).hasMatch() ? QString() : item;
}

} // namespace

void FormPart::addPaneHots(std::vector<Hot>& hots) const
{
    const QString name = m_view.m_session->presentation().taskpane;
    const FormState& state = m_view.m_session->taskPane();
    if (const QRect pane = m_view.taskPaneRect(); !pane.isNull()) {
        hots.push_back(
            {QRect(pane.left() + 44, pane.top(), pane.width() - 62, 24), locators::paneTitle(), {}, {}, 1});
        hots.push_back(
            {QRect(pane.right() - 17, pane.top(), 16, 24), locators::paneClose(), {}, u"关闭"_s, 1});
    }
    const size_t first = hots.size();
    for (const auto& [c, rect] : paneLayout()) {
        if (c->type == KitControlType::Gallery)
            m_view.m_scrolls.addScrollBarHots(hots, locators::galleryBar(name, c->id), 2);
        if (m_view.m_session->paneGreyed(*c))
            continue;
        const QString base = actions::taskPane(name, c->id);
        const QString loc = locators::control(name, c->id);
        const QString key = name + u'/' + c->id; // of the list's scroll
        const KitControlType t = c->type;
        if (t == KitControlType::Link || t == KitControlType::Button) {
            const QFontMetrics fm(uiFont(12));
            QRect r = rect;
            if (t == KitControlType::Link)
                r.setWidth(std::min(rect.width(), fm.horizontalAdvance(c->id) + 22));
            hots.push_back({r, loc, base, {}, 1});
        } else if (t == KitControlType::Check) {
            const bool on = state.value(c->id) == u"on"_s;
            hots.push_back({rect, loc, actions::taskPane(name, c->id, on ? u"off"_s : u"on"_s), {}, 1});
        } else if (t == KitControlType::Combo) {
            QRect box = rect;
            if (!c->label.isEmpty())
                box.setTop(box.top() + 18);
            hots.push_back({box, loc, {}, {}, 1});
            if (c->editable)
                hots.push_back({comboArrowRect(box), locators::controlArrow(name, c->id), {}, {}, 2});
        } else if (t == KitControlType::Gallery) {
            for (const GalleryCell& cell : galleryCells(name, *c, itemBox(*c, rect, false), false)) {
                if (!cell.header && itemBox(*c, rect, false).contains(cell.rect.center()))
                    hots.push_back({cell.rect, locators::item(name, c->id, cell.item),
                                    actions::taskPane(name, c->id, cell.item), tileTooltip(cell.item), 1});
            }
        } else if (t == KitControlType::List) {
            const KitForm* pane = m_view.m_session->kit().taskPane(name);
            for (const auto& [item, row] : listRows(*pane, *c, itemBox(*c, rect, false), false)) {
                hots.push_back(
                    {row, locators::item(name, c->id, item), actions::taskPane(name, c->id, item), item, 1});
                // The chosen row's ▼ opens the list's menu.
                if (!c->menu.empty() && item == state.value(c->id))
                    hots.push_back({rowMenuArrow(row), locators::controlArrow(name, c->id), {}, {}, 2});
            }
            m_view.m_scrolls.addScrollBarHots(hots, locators::listBar(name, c->id), 2);
        } else if (t == KitControlType::Options) {
            const QRect box = itemBox(*c, rect, false);
            for (qsizetype i = 0; i < c->items.size(); ++i) {
                const QRect item(box.left(), box.top() + static_cast<int>(i) * 19, box.width(), 19);
                if (box.contains(item.center()))
                    hots.push_back({item, locators::item(name, c->id, c->items[i]),
                                    actions::taskPane(name, c->id, c->items[i]), c->items[i], 1});
            }
        } else if (t == KitControlType::Spin || t == KitControlType::Text) {
            QRect box = rect;
            if (!c->label.isEmpty())
                box.setTop(box.top() + 18);
            box.setHeight(22);
            hots.push_back({box, loc, {}, {}, 1});
        }
    }
    // What lies outside the pane is scrolled out of reach.
    const QRect content = m_view.paneContentRect();
    hots.erase(std::remove_if(hots.begin() + static_cast<std::ptrdiff_t>(first), hots.end(),
                              [&](const Hot& h) { return !content.contains(h.rect.center()); }),
               hots.end());
    m_view.m_scrolls.addScrollBarHots(hots, u"pane"_s, 1);
}

namespace {

// The option buttons of a group, one row each.
void addOptionHots(std::vector<Hot>& hots, const FormState& d, const KitControl& c, const QRect& rect,
                   const QStringList& items)
{
    const int pitch = c.pitch > 0 ? c.pitch : 20;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QRect item(rect.left(), rect.top() + static_cast<int>(i) * pitch, rect.width(), 20);
        if (rect.contains(item.center()))
            hots.push_back({item,
                            locators::item(d.name, c.id, items[i]),
                            actions::dialog(d.name, c.id, items[i]),
                            {},
                            20});
    }
}

// A spin box's arrows: each sets the value shown one step up or down, within the box's range. The
// step may follow another control (centimetres or points).
void addSpinHots(std::vector<Hot>& hots, const FormState& d, const KitControl& c, const QRect& rect,
                 double shown)
{
    const auto fmt = [](double x) { return QString::number(std::round(x * 100) / 100); };
    double step = c.step;
    for (const auto& [other, steps] : c.stepFor) {
        if (const auto it = steps.find(d.value(other)); it != steps.end())
            step = it->second;
    }
    hots.push_back({QRect(rect.right() - 15, rect.top(), 16, rect.height() / 2),
                    locators::spinUp(d.name, c.id),
                    actions::dialog(d.name, c.id, fmt(std::min(c.max, shown + step))),
                    {},
                    21});
    hots.push_back({QRect(rect.right() - 15, rect.top() + rect.height() / 2, 16, rect.height() / 2),
                    locators::spinDown(d.name, c.id),
                    actions::dialog(d.name, c.id, fmt(std::max(c.min, shown - step))),
                    {},
                    21});
}

} // namespace

void FormPart::addDialogHots(std::vector<Hot>& hots) const
{
    const auto& d = m_view.m_session->dialog();
    const KitForm* form = d ? m_view.m_session->kit().dialog(d->name) : nullptr;
    if (!form)
        return;
    // The datasheet floating over the slide: a click on it stays in it, never reaching the slide.
    if (m_view.m_session->datasheetShown())
        hots.push_back({dialogRect(), {}, {}, {}, 19});
    for (const KitControl& c : form->controls) {
        // A control another one's choice holds greyed is out of reach.
        if (!dialogControlVisible(c, *d) || c.id.isEmpty() || fixedValue(c, *d))
            continue;
        const QRect rect = controlRect(*form, c, true);
        const QString loc = locators::control(d->name, c.id);
        const QString key = d->name + u'/' + c.id; // of the list's scroll and the spin's shown value
        const KitControlType t = c.type;
        if (addOwnHots(hots, *form, c, rect, *d))
            continue;
        if (t == KitControlType::Button || t == KitControlType::Link) {
            hots.push_back({rect, loc, actions::dialog(d->name, c.id), {}, 20});
        } else if (t == KitControlType::Check) {
            const bool on = d->value(c.id) == u"on"_s;
            hots.push_back({rect, loc, actions::dialog(d->name, c.id, on ? u"off"_s : u"on"_s), {}, 20});
        } else if (t == KitControlType::Combo) {
            const QRect box(rect.left(), rect.top(), rect.width(), std::min(rect.height(), 22));
            hots.push_back({box, loc, {}, {}, 20});
            // An editable box takes typing; its arrow opens the list.
            if (c.editable)
                hots.push_back({comboArrowRect(box), locators::controlArrow(d->name, c.id), {}, {}, 21});
        } else if (t == KitControlType::Tabs) {
            for (const auto& [tab, cell] : tabCells(c, rect))
                hots.push_back(
                    {cell, locators::tab(d->name, tab), actions::dialog(d->name, c.id, tab), {}, 20});
        } else if (t == KitControlType::Gallery) {
            m_view.m_scrolls.addScrollBarHots(hots, locators::galleryBar(d->name, c.id), 21);
            // Pictures without captions name themselves in a tooltip.
            const bool named = c.style == u"pictures"_s;
            for (const GalleryCell& cell : galleryCells(d->name, c, rect, true)) {
                if (!cell.header && rect.contains(cell.rect.center()))
                    hots.push_back({cell.rect, locators::item(d->name, c.id, cell.item),
                                    actions::dialog(d->name, c.id, cell.item),
                                    named ? tileTooltip(cell.item) : QString(), 20});
            }
        } else if (t == KitControlType::List) {
            for (const auto& [item, row] : listRows(*form, c, rect, true))
                hots.push_back(
                    {row, locators::item(d->name, c.id, item), actions::dialog(d->name, c.id, item), {}, 20});
            m_view.m_scrolls.addScrollBarHots(hots, locators::listBar(d->name, c.id), 21);
        } else if (t == KitControlType::Options) {
            addOptionHots(hots, *d, c, rect, itemsOf(*form, c, true));
        } else if (t == KitControlType::Spin) {
            const auto shown = m_spinShown.find(key);
            addSpinHots(hots, *d, c, rect,
                        (shown != m_spinShown.end() ? shown->second : d->value(c.id)).toDouble());
            hots.push_back({rect.adjusted(0, 0, -16, 0), loc, {}, {}, 20});
        } else if (t == KitControlType::Text) {
            hots.push_back({rect, loc, {}, {}, 20});
        }
    }
    // Title bar buttons: the close box cancels; the datasheet's hides it, as 查看数据表 does.
    const QRect dr = dialogRect();
    const QRect closeBox(dr.right() - 22, dr.top() + 4, 18, 17);
    if (const QString cancel = dialogCancelButton(); !cancel.isEmpty())
        hots.push_back({closeBox, locators::dialogClose(d->name), actions::dialog(d->name, cancel), {}, 20});
    else if (m_view.m_session->datasheetShown()) {
        for (const auto& [bar, buttons] : m_view.m_session->kit().graphToolbars()) {
            for (const KitButton& b : buttons) {
                if (b.opens == u"graph:datasheet"_s)
                    hots.push_back(
                        {closeBox, locators::dialogClose(d->name), actions::toolbar(b.name), {}, 20});
            }
        }
    }
}

QRect FormPart::rowMenuArrow(const QRect& row)
{
    return QRect(row.right() - 15, row.top() + 1, 15, row.height() - 2);
}

QRect FormPart::comboArrowRect(const QRect& box)
{
    return QRect(box.right() - 16, box.top(), 17, box.height());
}

QRect FormPart::itemBox(const KitControl& c, const QRect& rect, bool dialog) const
{
    QRect box = rect;
    if (!dialog && !c.label.isEmpty())
        box.setTop(box.top() + 18);
    return box;
}

std::vector<GalleryCell> FormPart::galleryCells(const QString& form, const KitControl& c, const QRect& box,
                                                bool dialog) const
{
    const QString key = form + u'/' + c.id;
    const int scroll = m_listScroll.count(key) ? m_listScroll.at(key) : 0;
    const KitForm* kitForm =
        dialog ? m_view.m_session->kit().dialog(form) : m_view.m_session->kit().taskPane(form);
    const QStringList items = kitForm ? itemsOf(*kitForm, c, dialog) : c.items;
    auto cellsIn = [&](int width) {
        std::vector<GalleryCell> cells;
        const int cols = c.columns > 0 ? c.columns : (dialog ? 4 : 3);
        const int cellW = width / cols;
        const int cellH = c.style == u"characters"_s ? cellW // a square for each character
                                                     : cellW * 3 / 4 + (c.style == u"pictures"_s ? 2 : 16);
        int col = 0;
        int y = box.top() - scroll;
        for (const QString& item : items) {
            if (c.headers.contains(item)) {
                if (col != 0)
                    y += cellH;
                col = 0;
                cells.push_back({item, QRect(box.left(), y, width, 20), true});
                y += 20;
                continue;
            }
            cells.push_back({item, QRect(box.left() + col * cellW, y, cellW, cellH), false});
            if (++col == cols) {
                col = 0;
                y += cellH;
            }
        }
        return cells;
    };
    std::vector<GalleryCell> cells = cellsIn(box.width());
    // A gallery taller than its box leaves room for its scroll bar.
    if (!cells.empty() && cells.back().rect.bottom() + scroll > box.bottom())
        cells = cellsIn(box.width() - kScrollBarW);
    return cells;
}

bool FormPart::chooseOneMore(const std::optional<ListChoice>& several, const QString& list,
                             const QString& item, bool range)
{
    const FormState& d = *m_view.m_session->dialog();
    const KitForm* form = m_view.m_session->kit().dialog(d.name);
    const KitControl* c = form ? form->control(list) : nullptr;
    if (!c || !ListChoice::feedsAList(*m_view.m_session, list))
        return false;
    ListChoice chosen = several && several->list() == list ? *several : ListChoice(list);
    chosen.click(m_view.m_session->itemsOf(*c, d), d.value(list), item, range);
    if (chosen.items().size() <= 1) {
        // One item is chosen as a plain click chooses it.
        if (!chosen.items().isEmpty() && chosen.items().first() != d.value(list))
            m_view.perform(actions::dialog(d.name, list, chosen.items().first()));
        m_view.rebuild();
        m_view.update();
        return true;
    }
    m_severalChosen = chosen;
    m_view.update();
    return true;
}

void FormPart::turnDialogPage(int by)
{
    const FormState& d = *m_view.m_session->dialog();
    const KitForm* form = m_view.m_session->kit().dialog(d.name);
    const QStringList pages = form ? shownPages(*form, d) : QStringList();
    const qsizetype at = pages.indexOf(d.tab);
    if (pages.size() < 2 || at < 0)
        return;
    const qsizetype next = (at + by + pages.size()) % pages.size();
    m_view.perform(actions::dialog(d.name, form->tabs()->id, pages[next]));
}

bool FormPart::addSeveral(const ListChoice& several, const QString& button)
{
    // One button for several items does what choosing and adding each in the list's order
    // does: taken when the task takes that whole run.
    const QStringList run = several.addingRun(*m_view.m_session, button);
    if (run.isEmpty())
        return false;
    MovieSession trial = *m_view.m_session;
    trial.setChangeListener({});
    const bool whole =
        std::all_of(run.begin(), run.end(), [&](const QString& a) { return trial.perform(a); });
    if (whole) {
        for (const QString& action : run)
            m_view.perform(action);
    }
    m_view.rebuild();
    m_view.update();
    return true;
}

void FormPart::pressDialogAccessKey(QChar letter)
{
    // Alt and the underlined letter of a label, a tab or an option act as a
    // click on it: a button is pressed, a box takes the focus.
    const FormState& d = *m_view.m_session->dialog();
    const KitForm* form = m_view.m_session->kit().dialog(d.name);
    if (!form)
        return;
    auto clickOn = [this](const QString& locator) {
        if (const auto at = m_view.locate(locator)) {
            m_view.clickAt(at->center());
            return true;
        }
        return false;
    };
    for (const KitControl& c : form->controls) {
        if (!dialogControlVisible(c, d))
            continue;
        if (c.type == KitControlType::Tabs || c.type == KitControlType::Options) {
            for (const QString& item : c.items) {
                if (accessKey(item) != letter)
                    continue;
                if (clickOn(c.type == KitControlType::Tabs ? locators::tab(d.name, item)
                                                           : locators::item(d.name, c.id, item)))
                    return;
            }
        } else if (!c.id.isEmpty() && (accessKey(c.label) == letter || accessKey(c.id) == letter)) {
            if (clickOn(locators::control(d.name, c.id)))
                return;
        } else if ((c.type == KitControlType::Label || c.type == KitControlType::Group) &&
                   accessKey(c.text) == letter) {
            // A caption of its own names the box that follows it.
            const auto next = std::find_if(
                form->controls.begin() + (&c - form->controls.data()) + 1, form->controls.end(),
                [&](const KitControl& box) { return !box.id.isEmpty() && dialogControlVisible(box, d); });
            if (next != form->controls.end() && clickOn(locators::control(d.name, next->id)))
                return;
        }
    }
}

QString FormPart::dialogCancelButton() const
{
    // Esc and the title bar's close box do what 取消, or a dialog's only 关闭, does.
    const KitForm* form = m_view.m_session->dialog()
                              ? m_view.m_session->kit().dialog(m_view.m_session->dialog()->name)
                              : nullptr;
    if (!form)
        return {};
    for (const QString& id : {u"取消"_s, u"关闭"_s}) {
        if (form->control(id))
            return id;
    }
    return {};
}

QString FormPart::dialogDefaultButton() const
{
    const KitForm* form = m_view.m_session->dialog()
                              ? m_view.m_session->kit().dialog(m_view.m_session->dialog()->name)
                              : nullptr;
    for (const KitControl& c : form ? form->controls : std::vector<KitControl>{}) {
        if (c.isDefault)
            return c.id;
    }
    return u"确定"_s;
}

void FormPart::leaveField()
{
    const auto field = std::exchange(m_field, std::nullopt);
    if (field && field->dialog && m_view.m_session->dialog() &&
        m_view.m_session->dialog()->name == field->form)
        m_view.m_session->keepTyped(field->control, field->edit.text());
}

bool FormPart::openFileNamed()
{
    MovieSession& session = *m_view.m_session;
    const QString dialog = session.dialog()->name;
    const KitForm* form = session.kit().dialog(dialog);
    const KitControl* box = form ? form->control(u"文件名"_s) : nullptr;
    if (!box)
        return false;
    const auto listAt = std::find_if(form->controls.begin(), form->controls.end(), [](const KitControl& c) {
        return c.type == KitControlType::List && !c.doubleClick.isEmpty();
    });
    if (listAt == form->controls.end())
        return false;
    const KitControl* list = &*listAt;
    leaveField();
    const QString name = session.dialog()->value(box->id).trimmed();
    if (name.isEmpty())
        return false;
    // Windows finds the file by its whole name, or by its name without the extension.
    for (const QString& item : session.itemsOf(*list, *session.dialog())) {
        const QString stem = item.left(item.lastIndexOf(u'.'));
        if (item.compare(name, Qt::CaseInsensitive) != 0 && stem.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        m_view.perform(actions::dialog(dialog, list->id, item));
        if (session.dialog() && session.dialog()->name == dialog)
            m_view.perform(actions::dialog(dialog, list->doubleClick));
        return true;
    }
    m_view.update();
    return true;
}

void FormPart::moveDialogFocus(int by)
{
    // Tab goes round the boxes that take typing or a choice, in the order the dialog lists its
    // controls: from a check box or button last clicked, to the box after it (页脚's tick, its text).
    const FormState& d = *m_view.m_session->dialog();
    const KitForm* form = m_view.m_session->kit().dialog(d.name);
    if (!form)
        return;
    const QString focused = m_field && m_field->dialog ? m_field->control : m_dialogFocus;
    std::vector<const KitControl*> boxes;
    int at = by > 0 ? -1 : 0; // where the focus stands among the boxes, or just before the next one
    bool passed = false;
    for (const KitControl& c : form->controls) {
        const bool box = c.type == KitControlType::Text || c.type == KitControlType::Spin ||
                         c.type == KitControlType::EditList ||
                         (c.type == KitControlType::Combo && c.editable);
        const auto count = static_cast<int>(boxes.size());
        if (!passed && !focused.isEmpty() && c.id == focused) {
            passed = true;
            at = box ? count : (by > 0 ? count - 1 : count);
        }
        if (box && dialogControlVisible(c, d) && m_view.locate(locators::control(d.name, c.id)))
            boxes.push_back(&c);
    }
    if (boxes.empty())
        return;
    const auto count = static_cast<int>(boxes.size());
    const KitControl* next = boxes[static_cast<size_t>(((at + by) % count + count) % count)];
    m_field = FieldState::focusedOn(d.name, next->id, true, d.value(next->id));
    m_dialogFocus = next->id;
    m_view.update();
}

bool FormPart::scrollControl(const KitForm& form, const KitControl& c, bool dialog, int by)
{
    const QString key = form.name + u'/' + c.id;
    if (c.type == KitControlType::Gallery) {
        const QString bar = locators::galleryBar(form.name, c.id);
        if (m_view.m_scrolls.scrollBar(bar).rect.isNull())
            return false;
        m_view.m_scrolls.setScroll(bar, m_listScroll[key] + by * 20);
        return true;
    }
    if (c.type != KitControlType::List && c.type != KitControlType::EditList)
        return false;
    const QString listBar = locators::listBar(form.name, c.id);
    const ScrollBar bar = m_view.m_scrolls.scrollBar(listBar);
    if (bar.rect.isNull())
        return false;
    Q_UNUSED(dialog);
    m_view.m_scrolls.setScroll(listBar, bar.value + by * 18);
    return true;
}

void FormPart::openToolbarBox(const KitButton& box, bool arrow)
{
    if (box.type == KitButtonType::Combo && box.editable && !arrow) {
        // A click in the box's text selects it for typing; its arrow drops the list.
        m_field = FieldState::focusedOn({}, box.name, false, m_view.m_session->toolbarValue(box.name), true);
        return;
    }
    m_drop = DropState{box.name, box.name, false, true};
    m_dropScroll = 0;
    if (box.type == KitButtonType::Combo) {
        const qsizetype current = box.values.indexOf(m_view.m_session->toolbarValue(box.name));
        m_dropScroll = std::clamp<int>(static_cast<int>(current) - kDropRows / 2, 0,
                                       std::max<int>(0, static_cast<int>(box.values.size()) - kDropRows));
    }
}

bool FormPart::clickWithoutAction(const Hot& h, const LocatorParts& at)
{
    using L = LocatorParts;
    const MovieSession& session = *m_view.m_session;
    if ((at.kind == L::Control || at.kind == L::ControlArrow) && h.action.isEmpty()) {
        const QString& form = at.path[0];
        const QString& id = at.path[1];
        const bool dialog = session.dialog() && session.dialog()->name == form;
        const KitForm* kf = dialog ? session.kit().dialog(form) : session.kit().taskPane(form);
        const KitControl* c = kf ? kf->control(id) : nullptr;
        const QString value = dialog ? session.dialog()->value(id) : session.taskPane().value(id);
        if (c && ((c->type == KitControlType::Combo && (at.kind == L::ControlArrow || !c->editable)) ||
                  c->type == KitControlType::Color)) {
            m_drop = DropState{form, id, dialog};
            const QStringList items = dropItems();
            m_dropScroll =
                dropIsPalette()
                    ? 0
                    : std::clamp<int>(static_cast<int>(items.indexOf(value)) - kDropRows / 2, 0,
                                      std::max<int>(0, static_cast<int>(items.size()) - kDropRows));
        } else if (c) {
            // A click selects the whole value, so typing replaces it.
            m_field = FieldState::focusedOn(form, id, dialog, value);
            m_view.setFocus();
        }
        m_view.rebuild();
        m_view.update();
        return true;
    }
    if (at.kind == L::SpinUp || at.kind == L::SpinDown) {
        // The arrows step the value: a dialog holds it until its 确定; a task pane's takes effect
        // once it is the value the task wants.
        const QString key = at.path.join(u'/');
        if (session.accepts(h.action) || (session.dialog() && session.dialog()->name == at.path.value(0))) {
            m_spinShown.erase(key);
            m_view.perform(h.action);
        } else {
            m_spinShown[key] = h.action.mid(h.action.lastIndexOf(u'=') + 1);
            m_view.rebuild();
            m_view.update();
        }
        return true;
    }
    return false;
}

QString FormPart::dropValue() const
{
    if (!m_drop || m_drop->toolbar)
        return {};
    if (!m_drop->dialog)
        return m_view.m_session->taskPane().value(m_drop->control);
    return m_view.m_session->dialog() ? m_view.m_session->dialog()->value(m_drop->control) : QString();
}

bool FormPart::takeDropKey(const QString& key)
{
    if (!m_drop || dropIsPalette())
        return false;
    const QStringList items = dropItems();
    const int last = static_cast<int>(items.size()) - 1;
    const int from = m_drop->keyed >= 0 ? m_drop->keyed : static_cast<int>(items.indexOf(dropValue()));
    if (key == u"Return"_s || key == u"Enter"_s) {
        if (from < 0 || from > last) {
            m_drop.reset();
            m_dropScroll = 0;
        } else {
            // Chosen as a click on its row chooses it, so that a step sees the same action.
            m_drop->keyed = from;
            m_dropScroll = std::clamp(m_dropScroll, std::max(0, from - kDropRows + 1), from);
            m_view.rebuild();
            if (const auto row = m_view.locate(locators::drop(items[from])))
                m_view.clickAt(row->center());
        }
        m_view.rebuild();
        m_view.update();
        return true;
    }
    int to = from;
    if (key == u"Down"_s)
        to = from + 1;
    else if (key == u"Up"_s)
        to = from < 0 ? 0 : from - 1;
    else if (key == u"Home"_s)
        to = 0;
    else if (key == u"End"_s)
        to = last;
    else if (key == u"PageDown"_s)
        to = std::max(from, 0) + kDropRows - 1;
    else if (key == u"PageUp"_s)
        to = from - (kDropRows - 1);
    else
        return false;
    if (last < 0)
        return true;
    to = std::clamp(to, 0, last);
    m_drop->keyed = to;
    // The lit row stays on view.
    m_dropScroll = std::clamp(m_dropScroll, std::max(0, to - kDropRows + 1), to);
    m_view.rebuild();
    m_view.update();
    return true;
}

// The keys a dialog takes whatever the key: Enter presses its default button, Esc and Alt+F4 its
// cancel, Alt and a letter (or the letter alone in a message box) the control it names, Tab the
// next box; Enter after typing in a task pane's box presses the button after it. False for a key
// they leave to the window.
bool FormPart::takeKey(const QString& key)
{
    if (m_view.m_session->dialog()) {
        if (key == u"Alt+F4"_s) {
            // Alt+F4 closes a dialog as its close box does.
            if (const QString cancel = dialogCancelButton(); !cancel.isEmpty())
                m_view.perform(actions::dialog(m_view.m_session->dialog()->name, cancel));
        } else if (key == u"Return"_s || key == u"Enter"_s) {
            if (!openFileNamed()) {
                leaveField();
                m_view.perform(actions::dialog(m_view.m_session->dialog()->name, dialogDefaultButton()));
            }
        } else if (key.startsWith(u"Alt+"_s) && key.size() == 5)
            pressDialogAccessKey(key.back());
        // A message box has nothing to type in: its buttons' letters work without Alt.
        else if (key.size() == 1 &&
                 isMessageBox(m_view.m_session->kit().dialog(m_view.m_session->dialog()->name)))
            pressDialogAccessKey(key.front());
        else if (key == u"Tab"_s || key == u"Shift+Tab"_s)
            moveDialogFocus(key == u"Tab"_s ? 1 : -1);
        else if (key == u"Ctrl+Tab"_s || key == u"Ctrl+Shift+Tab"_s)
            turnDialogPage(key == u"Ctrl+Tab"_s ? 1 : -1);
        return true;
    }
    if ((key == u"Return"_s || key == u"Enter"_s) && m_enterField) {
        const auto field = std::exchange(m_enterField, std::nullopt);
        if (const KitForm* pane = m_view.m_session->kit().taskPane(field->first)) {
            bool after = false;
            for (const KitControl& c : pane->controls) {
                if (after && c.type == KitControlType::Button) {
                    m_view.perform(actions::taskPane(pane->name, c.id));
                    return true;
                }
                after = after || c.id == field->second;
            }
        }
        return true;
    }
    return false;
}

void FormPart::focusOpeningDialog()
{
    // A dialog that has just opened gives its text box the focus, its text selected.
    const QString dialog = m_view.m_session->dialog() ? m_view.m_session->dialog()->name : QString();
    if (dialog != m_focusedDialog) {
        m_focusedDialog = dialog;
        m_dialogFocus.clear();
        const KitForm* form = dialog.isEmpty() ? nullptr : m_view.m_session->kit().dialog(dialog);
        for (const KitControl& c : form ? form->controls : std::vector<KitControl>{}) {
            if (c.focus && dialogControlVisible(c, *m_view.m_session->dialog())) {
                m_field = FieldState::focusedOn(dialog, c.id, true, m_view.m_session->dialog()->value(c.id));
                break;
            }
        }
    }
}

void FormPart::addDropHots(std::vector<Hot>& hots) const
{
    if (!m_drop)
        return;
    // A toolbar palette's cells are commands of its button; a box's cells are its values.
    const auto choose = [this](const QString& item) {
        if (m_drop->toolbar)
            return dropIsPalette() ? actions::toolbarMenu({m_drop->control, item})
                                   : actions::toolbarValue(m_drop->control, item);
        return actions::control(m_drop->dialog, m_drop->form, m_drop->control, item);
    };
    for (const DropCell& cell : dropCells())
        hots.push_back({cell.rect, locators::drop(cell.item), choose(cell.item),
                        cell.swatch ? cell.item : QString(), 30, cell.swatch});
}

// A list or gallery scrolled so that the item a locator names (item:<form>/<list>/<item>) is on view.
void FormPart::scrollListTo(const LocatorParts& at)
{
    const QString& formName = at.path[0];
    const QString& id = at.path[1];
    const QString& item = at.path[2];
    const bool dialog = m_view.m_session->dialog() && m_view.m_session->dialog()->name == formName;
    const KitForm* form =
        dialog ? m_view.m_session->kit().dialog(formName) : m_view.m_session->kit().taskPane(formName);
    const KitControl* c = form ? form->control(id) : nullptr;
    if (!c)
        return;
    const QString key = formName + u'/' + id;
    if (c->type == KitControlType::Gallery) {
        const QRect box = itemBox(*c, controlRect(*form, *c, dialog), dialog);
        m_listScroll[key] = 0;
        for (const GalleryCell& cell : galleryCells(formName, *c, box, dialog)) {
            if (cell.item == item && !cell.header)
                m_listScroll[key] = std::max(0, cell.rect.bottom() - box.bottom() + 4);
        }
    } else {
        m_listScroll[key] = std::max<int>(0, static_cast<int>(itemsOf(*form, *c, dialog).indexOf(item)) - 2);
    }
}

} // namespace pptdrill
