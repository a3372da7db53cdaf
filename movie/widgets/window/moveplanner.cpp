// The moves that do an action through the window's elements, for the demonstration,
// the hint's frame and a learner's way played by tests.
#include "movie/widgets/window/moveplanner.h"

#include "movie/document/effectlist.h"
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/widgets/window/kitview.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

void MovePlanner::menuItems(QString (*locate)(const QStringList&), const QStringList& path, qsizetype head,
                            Moves& moves)
{
    for (qsizetype i = head + 1; i <= path.size(); ++i)
        moves.push_back(
            {i < path.size() ? PointerMove::Hover : PointerMove::Click, locate(path.mid(0, i)), {}});
}

std::vector<PointerMove> MovePlanner::plan(const QString& action) const
{
    Moves moves;
    const Result<KitTarget> resolved = m_view.m_session->kit().resolve(action);
    if (!resolved)
        return moves;
    const KitTarget& t = resolved.value();
    switch (t.kind) {
    case KitTarget::Menu:
        moves.push_back({PointerMove::Click, locators::menuTitle(t.path.first()), {}});
        menuItems(locators::menuItem, t.path, 1, moves);
        break;
    case KitTarget::Context:
        planContext(t, moves);
        break;
    case KitTarget::Toolbar:
    case KitTarget::ToolbarMenu:
        planToolbar(t, moves);
        break;
    case KitTarget::Key:
        moves.push_back({PointerMove::Key, {}, t.path.value(0)});
        break;
    case KitTarget::Thumb:
        if (t.dropAfter >= 0) {
            moves.push_back({PointerMove::Drag, locators::thumb(t.slide), QString::number(t.dropAfter)});
            break;
        }
        moves.push_back({t.ctrl    ? PointerMove::CtrlClick
                         : t.shift ? PointerMove::ShiftClick
                                   : PointerMove::Click,
                         locators::thumb(t.slide),
                         {}});
        break;
    case KitTarget::Click:
    case KitTarget::DoubleClick: {
        QString at;
        if (t.paragraph > 0)
            at = locators::outline(t.slide, t.paragraph);
        else if (t.slide > 0)
            at = locators::thumb(t.slide);
        else if (t.shape > 0)
            at = locators::shape(t.shape);
        else if (t.frame)
            at = locators::frame(t.placeholder);
        else
            at = t.placeholder == u"slide"_s ? locators::slideEmpty() : locators::placeholder(t.placeholder);
        moves.push_back({t.kind == KitTarget::DoubleClick ? PointerMove::DoubleClick
                         : t.shift                        ? PointerMove::ShiftClick
                         : t.ctrl                         ? PointerMove::CtrlClick
                                                          : PointerMove::Click,
                         at,
                         {}});
        break;
    }
    case KitTarget::Draw: {
        // From one corner of the shape where the movie draws it to the other.
        const QRectF r = shapeDrawnByMovie(m_view.m_session->currentStep());
        const auto point = [](const QPointF& at) { return u"%1,%2"_s.arg(at.x()).arg(at.y()); };
        moves.push_back({PointerMove::DrawFrom, {}, point(r.topLeft())});
        moves.push_back({PointerMove::DrawTo, {}, point(r.bottomRight())});
        break;
    }
    case KitTarget::Type: {
        const QString at = t.shape > 0 ? locators::shape(t.shape) : locators::placeholder(t.placeholder);
        moves.push_back({PointerMove::TypeInto, at, t.value});
        break;
    }
    case KitTarget::TaskPane:
    case KitTarget::Dialog:
        planControl(t, moves);
        break;
    }
    return moves;
}

void MovePlanner::planToolbar(const KitTarget& t, Moves& moves) const
{
    if (t.kind == KitTarget::Toolbar) {
        const QString& button = t.path.first();
        if (t.hasValue) {
            const KitButton* box = m_view.m_session->kit().toolbarButton(button);
            const bool typedInto = box && box->editable;
            moves.push_back({PointerMove::Click,
                             typedInto ? locators::buttonArrow(button) : locators::button(button),
                             {}});
            moves.push_back({PointerMove::Click, locators::drop(t.value), {}});
        } else {
            // 格式刷 held for several strokes is double-clicked.
            const bool held = m_view.m_session->holdsPainter(actions::toolbar(button));
            moves.push_back({t.shift ? PointerMove::ShiftClick
                             : held  ? PointerMove::DoubleClick
                                     : PointerMove::Click,
                             locators::button(button),
                             {}});
        }
        return;
    }
    const KitButton* b = m_view.m_session->kit().toolbarButton(t.path.first());
    moves.push_back(
        {PointerMove::Click,
         b && b->text.isEmpty() ? locators::buttonArrow(t.path.first()) : locators::button(t.path.first()),
         {}});
    if (b && b->type == KitButtonType::Color)
        moves.push_back({PointerMove::Click, locators::drop(t.path.last()), {}});
    else
        menuItems(locators::toolbarItem, t.path, 1, moves);
}

void MovePlanner::planContext(const KitTarget& t, Moves& moves) const
{
    const int sel = m_view.m_session->presentation().selected;
    QString at = locators::slideEmpty();
    if (t.area == u"thumbnail"_s || t.area == u"sorter"_s) {
        at = locators::thumb(sel);
    } else if (t.area == u"toolbars"_s) {
        at = locators::button(u"新建"_s);
    } else if (t.area == u"taskpanes"_s) {
        moves.push_back({PointerMove::Click, locators::paneTitle(), {}});
        menuItems(locators::contextItem, t.path.mid(1), 0, moves);
        return;
    } else if (t.area == u"text"_s) {
        at = locators::placeholder(m_view.locate(locators::placeholder(u"body"_s))       ? u"body"_s
                                   : m_view.locate(locators::placeholder(u"subtitle"_s)) ? u"subtitle"_s
                                                                                         : u"title"_s);
    } else if (t.area != u"slide"_s) {
        // The object selected, where its menu is the one wanted; else the first such object.
        const Slide& slide = m_view.m_session->presentation().slides[static_cast<size_t>(sel - 1)];
        const QList<int> chosen = m_view.m_session->selectedShapes();
        const bool onChosen =
            !chosen.isEmpty() && contextAreaName(m_view.shapeContextArea(chosen.first())) == t.area;
        if (onChosen)
            at = locators::shape(chosen.first());
        for (size_t i = 0; i < slide.shapes.size() && !onChosen; ++i) {
            if (contextAreaName(m_view.shapeContextArea(static_cast<int>(i) + 1)) == t.area) {
                at = locators::shape(static_cast<int>(i) + 1);
                break;
            }
        }
    }
    moves.push_back({PointerMove::RightClick, at, {}});
    // Context-menu items leave the area out: "ctxitem:幻灯片版式(L)...".
    menuItems(locators::contextItem, t.path.mid(1), 0, moves);
}

void MovePlanner::planListMenu(const KitTarget& t, const KitControl& list, Moves& moves) const
{
    const MovieSession& session = *m_view.m_session;
    if (!m_view.m_menus.isPaneMenuOf(t.form, list.id)) {
        // Only the chosen row has the ▼: with none chosen, the slide's first effect is chosen, the one
        // 效果选项 is about when none is.
        if (session.chosenEffect() < 0 && !session.selectedSlide().effects.empty())
            moves.push_back({PointerMove::Click,
                             locators::item(t.form, list.id, effectListItem(session.selectedSlide(), 0)),
                             {}});
        moves.push_back({PointerMove::Click, locators::controlArrow(t.form, list.id), {}});
    }
    for (const KitMenuItem& item : list.menu) {
        if (item.control == t.control->id)
            moves.push_back({PointerMove::Click, locators::paneItem({t.form, list.id, item.text}), {}});
    }
}

void MovePlanner::planControl(const KitTarget& t, Moves& moves) const
{
    if (!t.control)
        return;
    const QString& id = t.control->id;
    const KitControlType type = t.control->type;
    const KitForm* pane = t.kind == KitTarget::TaskPane ? m_view.m_session->kit().taskPane(t.form) : nullptr;
    const KitControl* owner = pane && !t.control->under.isEmpty() ? pane->control(t.control->under) : nullptr;
    // A control on another page of the dialog: that page first.
    const auto& d = m_view.m_session->dialog();
    const MovieSession& session = *m_view.m_session;
    if (t.kind == KitTarget::Dialog && !d && t.form == session.kit().graphDatasheet()) {
        // Graph's datasheet hidden: 查看数据表 shows it; Graph left: a double-click on the chart.
        const auto& shapes = session.selectedSlide().shapes;
        for (const auto& [bar, buttons] : session.kit().graphToolbars()) {
            for (const KitButton& b : buttons) {
                if (session.graphActive() && b.opens == u"graph:datasheet"_s)
                    moves.push_back({PointerMove::Click, locators::button(b.name), {}});
            }
        }
        for (size_t i = 0; i < shapes.size() && !session.graphActive(); ++i) {
            if (shapes[i].type == u"chart"_s) {
                moves.push_back({PointerMove::DoubleClick, locators::shape(static_cast<int>(i) + 1), {}});
                break;
            }
        }
    }
    if (t.kind == KitTarget::Dialog && d && d->name == t.form && !t.control->tab.isEmpty() &&
        t.control->tab != d->tab)
        moves.push_back({PointerMove::Click, locators::tab(t.form, t.control->tab), {}});
    if (owner && owner->type == KitControlType::List && !owner->menu.empty() && !t.hasValue) {
        planListMenu(t, *owner, moves);
    } else if (owner && !owner->menu.empty() && t.hasValue) {
        // A choice of a pane button's menu: the button opens the menu, unless it is open.
        if (!m_view.m_menus.isPaneMenuOf(t.form, owner->id))
            moves.push_back({PointerMove::Click, locators::control(t.form, owner->id), {}});
        for (const KitMenuItem& submenu : owner->menu) {
            for (const KitMenuItem& item : submenu.items) {
                if (item.control == id && item.value == t.value)
                    menuItems(locators::paneItem, {t.form, owner->id, submenu.text, item.text}, 2, moves);
            }
        }
    } else if (!t.hasValue || type == KitControlType::Check) {
        moves.push_back({PointerMove::Click, locators::control(t.form, id), {}});
    } else if (type == KitControlType::Tabs) {
        moves.push_back({PointerMove::Click, locators::tab(t.form, t.value), {}});
    } else if (type == KitControlType::List || type == KitControlType::Options ||
               type == KitControlType::Gallery || type == KitControlType::Palette ||
               (type == KitControlType::EditList && t.control->items.contains(t.value))) {
        moves.push_back({PointerMove::Click, locators::item(t.form, id, t.value), {}});
    } else if ((type == KitControlType::Combo && !t.control->editable) || type == KitControlType::Color) {
        moves.push_back({PointerMove::Click, locators::control(t.form, id), {}});
        moves.push_back({PointerMove::Click, locators::drop(t.value), {}});
    } else if (type == KitControlType::Combo && t.control->items.contains(t.value)) {
        // A value of an editable box's list is picked from the list, as the hint says.
        moves.push_back({PointerMove::Click, locators::controlArrow(t.form, id), {}});
        moves.push_back({PointerMove::Click, locators::drop(t.value), {}});
    } else {
        moves.push_back({PointerMove::Click, locators::control(t.form, id), {}});
        moves.push_back({PointerMove::Type, {}, t.value});
    }
}

} // namespace pptdrill
