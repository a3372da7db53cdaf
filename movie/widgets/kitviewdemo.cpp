// The hint clip and the demonstration: the steps planned as moves through the window.
#include "movie/kitcatalog.h"
#include "movie/locators.h"
#include "movie/widgets/kitstyle.h"
#include "movie/widgets/kitview.h"
#include "movie/widgets/slidepainter.h"
#include "platform/widgets/firstpaint.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

// ---------------------------------------------------------------------------
// Hint and demonstration

std::vector<KitView::DemoMove> KitView::planMoves(const QString& action) const
{
    std::vector<DemoMove> moves;
    const Result<KitTarget> resolved = m_session->kit().resolve(action);
    if (!resolved)
        return moves;
    const KitTarget& t = resolved.value();
    // The items of a menu chain, after the element that opens it: hovers over
    // the submenus, then a click on the command. `path` is the chain's texts as
    // the locator of an item gives them; its first `head` parts name the menu.
    using Locate = QString (*)(const QStringList&);
    auto menuItems = [&moves](Locate locate, const QStringList& path, qsizetype head) {
        for (qsizetype i = head + 1; i <= path.size(); ++i)
            moves.push_back(
                {i < path.size() ? DemoMove::Hover : DemoMove::Click, locate(path.mid(0, i)), {}});
    };
    switch (t.kind) {
    case KitTarget::Menu:
        moves.push_back({DemoMove::Click, locators::menuTitle(t.path.first()), {}});
        menuItems(locators::menuItem, t.path, 1);
        break;
    case KitTarget::Context: {
        const int sel = m_session->presentation().selected;
        QString at = locators::slideEmpty();
        if (t.area == u"thumbnail"_s || t.area == u"sorter"_s) {
            at = locators::thumb(sel);
        } else if (t.area == u"toolbars"_s) {
            at = locators::button(u"新建"_s);
        } else if (t.area == u"taskpanes"_s) {
            moves.push_back({DemoMove::Click, locators::paneTitle(), {}});
            menuItems(locators::contextItem, t.path.mid(1), 0);
            break;
        } else if (t.area == u"text"_s) {
            at = locators::placeholder(locate(locators::placeholder(u"body"_s))       ? u"body"_s
                                       : locate(locators::placeholder(u"subtitle"_s)) ? u"subtitle"_s
                                                                                      : u"title"_s);
        } else if (t.area != u"slide"_s) {
            // The object selected, where its menu is the one wanted; else the first such object.
            const Slide& slide = m_session->presentation().slides[static_cast<size_t>(sel - 1)];
            const QList<int> chosen = m_session->selectedShapes();
            const bool onChosen = !chosen.isEmpty() && shapeContextArea(chosen.first()) == t.area;
            if (onChosen)
                at = locators::shape(chosen.first());
            for (size_t i = 0; i < slide.shapes.size() && !onChosen; ++i) {
                if (shapeContextArea(static_cast<int>(i) + 1) == t.area) {
                    at = locators::shape(static_cast<int>(i) + 1);
                    break;
                }
            }
        }
        moves.push_back({DemoMove::RightClick, at, {}});
        // Context-menu items leave the area out: "ctxitem:幻灯片版式(L)...".
        menuItems(locators::contextItem, t.path.mid(1), 0);
        break;
    }
    case KitTarget::Toolbar: {
        const QString& button = t.path.first();
        if (t.hasValue) {
            const KitButton* box = m_session->kit().toolbarButton(button);
            const bool typedInto = box && box->editable;
            moves.push_back(
                {DemoMove::Click, typedInto ? locators::buttonArrow(button) : locators::button(button), {}});
            moves.push_back({DemoMove::Click, locators::drop(t.value), {}});
        } else {
            moves.push_back({t.shift ? DemoMove::ShiftClick : DemoMove::Click, locators::button(button), {}});
        }
        break;
    }
    case KitTarget::ToolbarMenu: {
        const KitButton* b = m_session->kit().toolbarButton(t.path.first());
        moves.push_back({DemoMove::Click,
                         b && b->text.isEmpty() ? locators::buttonArrow(t.path.first())
                                                : locators::button(t.path.first()),
                         {}});
        if (b && b->type == KitButtonType::Color)
            moves.push_back({DemoMove::Click, locators::drop(t.path.last()), {}});
        else
            menuItems(locators::toolbarItem, t.path, 1);
        break;
    }
    case KitTarget::Key:
        moves.push_back({DemoMove::Key, {}, t.path.value(0)});
        break;
    case KitTarget::Thumb:
        if (t.dropAfter >= 0) {
            moves.push_back({DemoMove::Drag, locators::thumb(t.slide), QString::number(t.dropAfter)});
            break;
        }
        moves.push_back({t.ctrl    ? DemoMove::CtrlClick
                         : t.shift ? DemoMove::ShiftClick
                                   : DemoMove::Click,
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
        moves.push_back({t.kind == KitTarget::DoubleClick ? DemoMove::DoubleClick
                         : t.shift                        ? DemoMove::ShiftClick
                         : t.ctrl                         ? DemoMove::CtrlClick
                                                          : DemoMove::Click,
                         at,
                         {}});
        break;
    }
    case KitTarget::Draw: {
        // From one corner of the shape where the movie draws it to the other.
        const QRectF r = m_session->shapeDrawnByMovie();
        const auto point = [](const QPointF& at) { return u"%1,%2"_s.arg(at.x()).arg(at.y()); };
        moves.push_back({DemoMove::DrawFrom, {}, point(r.topLeft())});
        moves.push_back({DemoMove::DrawTo, {}, point(r.bottomRight())});
        break;
    }
    case KitTarget::Type: {
        const QString at = t.shape > 0 ? locators::shape(t.shape) : locators::placeholder(t.placeholder);
        moves.push_back({DemoMove::TypeInto, at, t.value});
        break;
    }
    case KitTarget::TaskPane:
    case KitTarget::Dialog: {
        if (!t.control)
            break;
        const QString& id = t.control->id;
        const KitControlType type = t.control->type;
        const KitForm* pane = t.kind == KitTarget::TaskPane ? m_session->kit().taskPane(t.form) : nullptr;
        const KitControl* owner =
            pane && !t.control->under.isEmpty() ? pane->control(t.control->under) : nullptr;
        // A control on another page of the dialog: that page first.
        const auto& d = m_session->dialog();
        if (t.kind == KitTarget::Dialog && d && d->name == t.form && !t.control->tab.isEmpty() &&
            t.control->tab != d->tab)
            moves.push_back({DemoMove::Click, locators::tab(t.form, t.control->tab), {}});
        if (owner && !owner->menu.empty() && t.hasValue) {
            // A choice of a pane button's menu: the button opens the menu, unless it is open.
            if (!(m_menu.pane == t.form && m_menu.paneButton == owner->id))
                moves.push_back({DemoMove::Click, locators::control(t.form, owner->id), {}});
            for (const KitMenuItem& submenu : owner->menu) {
                for (const KitMenuItem& item : submenu.items) {
                    if (item.control == id && item.value == t.value)
                        menuItems(locators::paneItem, {t.form, owner->id, submenu.text, item.text}, 2);
                }
            }
        } else if (!t.hasValue || type == KitControlType::Check) {
            moves.push_back({DemoMove::Click, locators::control(t.form, id), {}});
        } else if (type == KitControlType::Tabs) {
            moves.push_back({DemoMove::Click, locators::tab(t.form, t.value), {}});
        } else if (type == KitControlType::List || type == KitControlType::Options ||
                   type == KitControlType::Gallery || type == KitControlType::Palette ||
                   (type == KitControlType::EditList && t.control->items.contains(t.value))) {
            moves.push_back({DemoMove::Click, locators::item(t.form, id, t.value), {}});
        } else if ((type == KitControlType::Combo && !t.control->editable) || type == KitControlType::Color) {
            moves.push_back({DemoMove::Click, locators::control(t.form, id), {}});
            moves.push_back({DemoMove::Click, locators::drop(t.value), {}});
        } else if (type == KitControlType::Combo && t.control->items.contains(t.value)) {
            // A value of an editable box's list is picked from the list, as the hint says.
            moves.push_back({DemoMove::Click, locators::controlArrow(t.form, id), {}});
            moves.push_back({DemoMove::Click, locators::drop(t.value), {}});
        } else {
            moves.push_back({DemoMove::Click, locators::control(t.form, id), {}});
            moves.push_back({DemoMove::Type, {}, t.value});
        }
        break;
    }
    }
    return moves;
}

QString KitView::nextTargetLocator() const
{
    const std::vector<DemoMove> moves = planMoves(m_session->nextAction());
    for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
        if (!it->locator.isEmpty() && locate(it->locator))
            return it->locator;
    }
    return {};
}

KitView::MasterPage KitView::masterPage() const
{
    const QRect area = slideAreaRect();
    const int h = area.height() - 30;
    const int w = h * 3 / 4;
    MasterPage m;
    m.page = QRect(area.center().x() - w / 2, area.top() + 15, w, h);
    if (m_session->view().is(ViewKind::NotesMaster)) {
        m.slide = QRect(m.page.left() + m.page.width() / 8, m.page.top() + 20, m.page.width() * 3 / 4,
                        m.page.width() * 9 / 16);
        m.notes = QRect(m.page.left() + 20, m.slide.bottom() + 20, m.page.width() - 40,
                        m.page.bottom() - m.slide.bottom() - 50);
    } else {
        m.notes = m.page.adjusted(20, 30, -20, -30);
    }
    return m;
}

QString KitView::shapeContextArea(int shape) const
{
    const Presentation& pres = m_session->presentation();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    if (shape < 1 || shape > static_cast<int>(slide.shapes.size()))
        return u"slide"_s;
    const QString type = slide.shapes[static_cast<size_t>(shape - 1)].type;
    QString area = u"shape"_s;
    if (type == u"chart"_s)
        area = u"chart"_s;
    else if (type == u"picture"_s || type == u"clipart"_s)
        area = u"picture"_s;
    else if (type == u"orgchart"_s || type == u"wordart"_s || type == u"textbox"_s || type == u"table"_s ||
             type == u"sound"_s || type == u"movie"_s)
        area = type;
    return m_session->kit().contextMenu(area) ? area : u"slide"_s;
}

void KitView::setHintVisible(bool visible)
{
    m_hintVisible = visible;
    update();
}

void KitView::startDemonstration()
{
    m_demoTimer->stop();
    m_typingInput->reset();
    m_drop.reset();
    m_field.reset();
    m_menu = MenuState{};
    m_listScroll.clear();
    m_spinShown.clear();
    m_completionText.clear();
    m_completionFolded = false;
    m_completedSignalled = false;
    m_session->reset();
    rebuild();
    m_demo = DemoState{};
    m_demo.running = true;
    m_demo.pointer = m_mouse.isNull() ? QPoint(400, 300) : m_mouse;
    m_demo.moves.clear();
    m_demo.step = -1;
    demoNextMove();
}

void KitView::setDemonstrationPaused(bool paused)
{
    if (!m_demo.running || m_demo.paused == paused)
        return;
    m_demo.paused = paused;
    if (paused) {
        update();
        return;
    }
    if (std::exchange(m_demo.tickHeld, false))
        m_demoTimer->start(0);
    if (std::exchange(m_demo.held, false))
        demoNextMove();
    update();
}

void KitView::stepDemonstration()
{
    if (!m_demo.running)
        return;
    m_demo.pauseAtNextStep = true;
    setDemonstrationPaused(false);
}

void KitView::demoNextMove()
{
    if (!m_demo.running)
        return;
    if (m_demo.paused) {
        m_demo.held = true;
        return;
    }
    if (m_demo.move >= m_demo.moves.size()) {
        // The step's moves are done; a step the moves did not reach is done directly.
        if (m_demo.step >= 0 && m_session->stepIndex() == m_demo.step) {
            ++m_demoShortcuts;
            perform(m_session->nextAction());
        }
        // Done, or stuck at a step that cannot be done at all (its action names
        // nothing the window has): either ends the demonstration.
        if (m_session->isComplete() || (m_demo.step >= 0 && m_session->stepIndex() == m_demo.step)) {
            m_demo.running = false;
            m_demo.caption.clear();
            update();
            return;
        }
        m_demo.step = m_session->stepIndex();
        m_demo.caption = m_session->currentStep()->caption;
        m_demo.moves = planMoves(m_session->nextAction());
        m_demo.move = 0;
        if (std::exchange(m_demo.pauseAtNextStep, false)) {
            // One step on: the next step's caption shows, its moves wait.
            m_demo.paused = true;
            m_demo.held = true;
            update();
            return;
        }
        if (m_demo.moves.empty()) {
            // No move reaches the step: it is done directly.
            QTimer::singleShot(0, this, &KitView::demoNextMove);
            return;
        }
    }
    const DemoMove& move = m_demo.moves[m_demo.move];
    revealItem(move.locator);
    m_demo.from = m_demo.pointer;
    m_demo.to = m_demo.pointer;
    if (!move.locator.isEmpty()) {
        if (auto r = locate(move.locator))
            m_demo.to = r->center();
    }
    if (move.kind == DemoMove::DrawFrom || move.kind == DemoMove::DrawTo)
        m_demo.to = pointOnSlide(move.text);
    m_demo.frame = 0;
    m_demoTimer->start(m_pace <= 0 ? 0 : static_cast<int>(16 * m_pace));
}

void KitView::demoTick()
{
    if (!m_demo.running)
        return;
    if (m_demo.paused) {
        m_demo.tickHeld = true;
        return;
    }
    const int frames = m_pace <= 0 ? 1 : 24;
    ++m_demo.frame;
    const double t = std::min(1.0, static_cast<double>(m_demo.frame) / frames);
    const double ease = t * t * (3 - 2 * t);
    m_demo.pointer = m_demo.from + (m_demo.to - m_demo.from) * ease;
    if (m_typingInput->isDrawing())
        m_typingInput->showDrawingTo(m_demo.pointer);
    update();
    if (t < 1.0) {
        m_demoTimer->start(static_cast<int>(16 * m_pace));
        return;
    }
    demoArrive();
}

void KitView::demoArrive()
{
    const DemoMove move = m_demo.moves[m_demo.move];
    const auto r = move.locator.isEmpty() ? std::nullopt : locate(move.locator);
    doMove(move, r);
    ++m_demo.move;
    QTimer::singleShot(m_pace <= 0 ? 0 : static_cast<int>(450 * m_pace), this, &KitView::demoNextMove);
}

void KitView::doMove(const DemoMove& move, const std::optional<QRect>& at)
{
    switch (move.kind) {
    case DemoMove::Click:
    case DemoMove::Hover:
        if (at)
            clickAt(at->center());
        break;
    case DemoMove::ShiftClick:
        if (at)
            clickAt(at->center(), Qt::LeftButton, false, Qt::ShiftModifier);
        break;
    case DemoMove::CtrlClick:
        if (at)
            clickAt(at->center(), Qt::LeftButton, false, Qt::ControlModifier);
        break;
    case DemoMove::Drag:
        // The slides are taken where the pointer is and dropped in the gap the move names.
        if (const std::optional<QPoint> to = slideDropPoint(move.text.toInt()); at && to) {
            m_mouse = *to;
            if (const int after = slideGapAt(*to); after >= 0)
                perform(actions::dragThumb(parseLocator(move.locator).slide, after));
        }
        break;
    case DemoMove::DoubleClick:
        if (at)
            clickAt(at->center(), Qt::LeftButton, true);
        break;
    case DemoMove::RightClick:
        if (at)
            clickAt(at->center(), Qt::RightButton);
        break;
    case DemoMove::Key:
        pressShortcut(move.text);
        break;
    case DemoMove::Type:
        typeText(move.text);
        break;
    case DemoMove::DrawFrom:
        m_typingInput->beginDrawingAt(pointOnSlide(move.text));
        break;
    case DemoMove::DrawTo: {
        const bool wasComplete = m_session->isComplete();
        m_typingInput->release(pointOnSlide(move.text), typingGeometry());
        sessionChanged(wasComplete);
        break;
    }
    case DemoMove::TypeInto: {
        const bool wasComplete = m_session->isComplete();
        const LocatorParts at = parseLocator(move.locator);
        m_typingInput->typeAsDemonstration(
            at.kind == LocatorParts::Shape ? targets::shape(at.shape) : at.name, move.text);
        sessionChanged(wasComplete);
        break;
    }
    }
}

QPoint KitView::pointOnSlide(const QString& points) const
{
    const QStringList xy = points.split(u',');
    const QRectF slide = slideRectInArea();
    return QPointF(slide.left() + xy.value(0).toDouble() * slide.width() / 720,
                   slide.top() + xy.value(1).toDouble() * slide.height() / 540)
        .toPoint();
}

bool KitView::performThroughUi(const QString& action)
{
    const int before = m_session->progress();
    for (const DemoMove& move : planMoves(action)) {
        std::optional<QRect> r;
        if (!move.locator.isEmpty()) {
            revealItem(move.locator);
            r = locate(move.locator);
            if (!r)
                return false;
        }
        doMove(move, r);
    }
    return m_session->progress() > before;
}

void KitView::setCompletionText(const QString& text)
{
    m_completionText = text;
    m_completionFolded = false;
    update();
}

} // namespace pptdrill
