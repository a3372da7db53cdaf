#include "movie/widgets/window/kitview.h"

#include "movie/kit/kitcatalog.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/messagebox.h"
#include "platform/widgets/firstpaint.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethod>
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
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

using namespace kit;

} // namespace

KitView::KitView(std::unique_ptr<MovieSession> session, QWidget* parent)
    : QWidget(parent), m_session(std::move(session)),
      m_typingInput(std::make_unique<TypingInput>(*m_session)),
      m_menus(
          *m_session, [this](const QString& locator) { return locate(locator); },
          [this](const QString& toolbar) { return m_chrome.toolbarShown(toolbar); }),
      m_forms(*this), m_shows(*this), m_chrome(*this), m_slideArea(*this), m_scrolls(*this),
      m_leftPane(*this), m_demonstration(*this), m_hint(*this)
{
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    traceFirstPaint(this);
    m_session->setSchemeColours([this](const QString& name) -> std::optional<Rgb> {
        const QColor colour = m_forms.colourShown(name);
        if (!colour.isValid())
            return std::nullopt;
        return Rgb{colour.red(), colour.green(), colour.blue()};
    });
    rebuild();
    // The slides tab opens with the selected slide on view, as the real window does.
    const int selectedBottom = 6 + m_session->presentation().selected * 89;
    if (const int page = m_leftPane.leftPaneBox().height(); selectedBottom > page)
        m_scrolls.setScroll(u"slides"_s, selectedBottom - page);
}

KitView::~KitView() = default;

// ---------------------------------------------------------------------------
// Interaction

void KitView::perform(const QString& action)
{
    const bool wasComplete = m_session->isComplete();
    const QString dialogBefore = m_session->dialog() ? m_session->dialog()->name : QString();
    const int progressBefore = m_session->steps().actionsTaken();
    m_session->perform(action);
    // 添加文本 and 编辑文本 put the caret in the shape, whether or not the task asked for the command.
    if (const ActionParts a = parseAction(action);
        a.kind == ActionParts::Context &&
        (a.path.value(1) == u"添加文本(X)"_s || a.path.value(1) == u"编辑文本(X)"_s) &&
        !m_session->modalDialogOpen())
        m_session->startTyping(m_session->selectedObject());
    if (m_session->steps().actionsTaken() == progressBefore)
        m_shows.lookAt(action);
    m_shows.follow(action);
    if (m_session->steps().actionsTaken() != progressBefore)
        m_shows.previewTransition(action);
    const QString dialogAfter = m_session->dialog() ? m_session->dialog()->name : QString();
    if (dialogBefore != dialogAfter) {
        m_forms.m_field.reset();
        m_forms.m_spinShown.clear();
    }
    sessionChanged(wasComplete);
}

void KitView::sessionChanged(bool wasComplete)
{
    rebuild();
    update();
    if (!wasComplete && m_session->isComplete() && !m_completedSignalled) {
        m_completedSignalled = true;
        emit completed();
    }
}

void KitView::clickAt(const QPoint& point, Qt::MouseButton button, bool doubleClick,
                      Qt::KeyboardModifiers modifiers)
{
    m_mouse = point;
    const Hot* hot = hotAt(point);
    const Hot h = hot ? *hot : Hot{};
    const LocatorParts at = parseLocator(h.locator);
    using L = LocatorParts;
    m_forms.m_enterField.reset();
    if (!doubleClick && m_shows.click(point, button))
        return;
    // Ctrl or Shift and a click choose more items of a list that a button adds from; any other click lets
    // them go.
    const std::optional<ListChoice> several = std::exchange(m_forms.m_severalChosen, std::nullopt);
    if (at.kind == L::Item && (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) && !doubleClick &&
        m_session->dialog() &&
        m_forms.chooseOneMore(several, at.path.value(1), at.path.value(2),
                              !(modifiers & Qt::ControlModifier)))
        return;
    if (several && at.kind == L::Control && !doubleClick && m_forms.addSeveral(*several, at.path.value(1)))
        return;

    if (m_forms.m_drop) {
        m_forms.m_drop.reset();
        m_forms.m_dropScroll = 0;
        if (!h.action.isEmpty() && at.kind == L::Drop)
            perform(h.action);
        rebuild();
        update();
        return;
    }
    if (m_menus.isOpen()) {
        const MenuPart::Click click = m_menus.click(h, button);
        rebuild();
        update();
        if (click.kind == MenuPart::Click::Perform)
            perform(click.action);
        else if (click.kind == MenuPart::Click::ClickThrough)
            clickAt(point, button);
        return;
    }
    if (m_forms.m_field &&
        !(at.kind == L::Control && at.path == QStringList{m_forms.m_field->form, m_forms.m_field->control}))
        m_forms.leaveField();
    // The control clicked in a dialog has the focus: Tab goes on from it.
    if ((at.kind == L::Control || at.kind == L::Item) && m_session->dialog() &&
        at.path.value(0) == m_session->dialog()->name)
        m_forms.m_dialogFocus = at.path.value(1);
    // The right button on one of several objects selected keeps them all selected.
    const bool onSelection = at.kind == L::Shape && m_session->selectedShapes().contains(at.shape);
    if (!m_session->modalDialogOpen() && !(button == Qt::RightButton && onSelection))
        selectObjectAt(at, button == Qt::LeftButton ? modifiers : Qt::NoModifier);
    chooseOrgChartBox(at, point);
    if (at.kind == L::Scroll) {
        if (button == Qt::LeftButton)
            m_scrolls.clickScrollBar(at, point);
        return;
    }
    // A row of the pane's list of effects is chosen by a click on it, whatever the task.
    if (at.kind == L::Item && !m_session->modalDialogOpen() &&
        m_session->presentation().taskpane == at.path.value(0))
        m_session->chooseEffectRow(at.path.value(2));
    if (button == Qt::RightButton && at.kind != L::PaneTitle && at.kind != L::LeftPaneTab) {
        rightClick(h, at, point, onSelection);
        return;
    }
    if (openWhatIsClicked(h, at, button) || m_forms.clickWithoutAction(h, at) || h.action.isEmpty())
        return;
    performClick(h, at, doubleClick, modifiers);
}

void ScrollPart::clickScrollBar(const LocatorParts& at, const QPoint& point)
{
    const ScrollBar bar = scrollBar(at.name);
    // A list scrolls one row a step.
    const int line = at.name == u"slides"_s ? 30 : !locators::listOf(at.name).isEmpty() ? 18 : 17;
    if (at.part == u"up"_s || at.part == u"down"_s)
        setScroll(at.name, bar.value + (at.part == u"up"_s ? -line : line));
    else if (at.part == u"pageup"_s || at.part == u"pagedown"_s)
        setScroll(at.name, bar.value + (at.part == u"pageup"_s ? -bar.page : bar.page));
    else
        m_scrollDrag = ScrollDrag{at.name, point.y() - bar.thumb().top()};
}

void KitView::rightClick(const Hot& h, const LocatorParts& at, const QPoint& point, bool onSelection)
{
    using L = LocatorParts;
    if (m_session->modalDialogOpen())
        return;
    const WindowView& view = m_session->view();
    // The right button selects what it lands on as the left one does, for the step
    // that wants it selected, then opens its menu.
    const bool selects = at.kind == L::Thumb || at.kind == L::Placeholder || at.kind == L::Frame ||
                         (at.kind == L::Shape && !onSelection);
    if (selects && !h.action.isEmpty() && m_session->accepts(h.action))
        perform(h.action);
    if (at.kind == L::Thumb) {
        openContextMenu(view.is(ViewKind::Sorter) ? ContextArea::Sorter : ContextArea::Thumbnail, point);
    } else if (at.kind == L::Placeholder || at.kind == L::Frame)
        openContextMenu(ContextArea::Text, point);
    else if (at.kind == L::Shape)
        openContextMenu(shapeContextArea(at.shape), point);
    else if (at.kind == L::SlideArea || at.kind == L::SlideEmpty)
        openContextMenu(ContextArea::Slide, point);
    else if (view.is(ViewKind::Sorter) && slideAreaRect().contains(point))
        openContextMenu(ContextArea::Sorter, point);
    else if (at.kind == L::Button || at.kind == L::ButtonArrow)
        openContextMenu(ContextArea::Toolbars, point); // the toolbars to show or hide
    else if (at.kind == L::Item)
        openListMenu(h, at, QRect(point, point));
}

bool KitView::openListMenu(const Hot& h, const LocatorParts& at, const QRect& from)
{
    // A task pane's list with a menu (自定义动画's effects): its chosen row's ▼ and a right click
    // on a row open it, the row chosen.
    const KitForm* pane = m_session->kit().taskPane(at.path.value(0));
    const KitControl* list = pane ? pane->control(at.path.value(1)) : nullptr;
    if (!list || list->type != KitControlType::List || list->menu.empty() || m_session->modalDialogOpen() ||
        m_session->presentation().taskpane != pane->name)
        return false;
    if (at.kind == LocatorParts::Item && !h.action.isEmpty() && m_session->accepts(h.action))
        perform(h.action);
    if (at.kind == LocatorParts::Item && m_session->taskPane().value(list->id) != at.path.value(2))
        return false;
    m_menus.openPane(pane->name, list->id, from);
    rebuild();
    update();
    return true;
}

bool KitView::openWhatIsClicked(const Hot& h, const LocatorParts& at, Qt::MouseButton button)
{
    using L = LocatorParts;
    if (at.kind == L::PaneTitle) {
        if (button != Qt::LeftButton || m_session->modalDialogOpen())
            return true;
        if (h.locator == locators::paneClose()) {
            const bool wasComplete = m_session->isComplete();
            m_session->closeTaskPane();
            sessionChanged(wasComplete);
            return true;
        }
        // The title's ▼ lists the task panes to turn to.
        openContextMenu(ContextArea::TaskPanes, QPoint(h.rect.left(), h.rect.bottom() + 1));
        return true;
    }
    if (at.kind == L::LeftPaneTab) {
        if (button == Qt::LeftButton)
            m_session->showOutlineTab(at.name == u"大纲"_s);
    } else if (at.kind == L::MenuTitle) {
        const auto& menus = m_session->menuBar();
        for (size_t i = 0; i < menus.size(); ++i) {
            if (menus[i].title == at.name)
                m_menus.openBar(static_cast<int>(i));
        }
    } else if (at.kind == L::ControlArrow && button == Qt::LeftButton && openListMenu(h, at, h.rect)) {
        return true;
    } else if ((at.kind == L::Button || at.kind == L::ButtonArrow) && h.action.isEmpty()) {
        const KitButton* b = m_session->kit().toolbarButton(at.name);
        if (b && b->type == KitButtonType::Combo && b->editable && at.kind == L::Button)
            setFocus(); // a click in the box's text selects it for typing; its arrow drops the list
        if (b && (b->type == KitButtonType::Combo || b->type == KitButtonType::Color))
            m_forms.openToolbarBox(*b, at.kind == L::ButtonArrow);
        else if (b && !b->items.empty())
            m_menus.openToolbar(at.name, locate(locators::button(at.name)).value_or(h.rect));
    } else {
        return false;
    }
    rebuild();
    update();
    return true;
}

void KitView::performClick(const Hot& h, const LocatorParts& at, bool doubleClick,
                           Qt::KeyboardModifiers modifiers)
{
    using L = LocatorParts;
    if (doubleClick &&
        (at.kind == L::Placeholder || at.kind == L::Shape || at.kind == L::Thumb || at.kind == L::Frame)) {
        perform(actions::doubleClick(at.kind == L::Placeholder ? at.name
                                     : at.kind == L::Shape     ? targets::shape(at.shape)
                                     : at.kind == L::Thumb     ? targets::thumb(at.slide)
                                                               : targets::frame(at.name)));
        return;
    }
    if (doubleClick && at.kind == L::Item && !m_session->modalDialogOpen()) {
        // A double-click on a row of a pane's list chooses it and presses the button the real
        // pane does (an effect's 效果选项).
        const KitForm* pane = m_session->kit().taskPane(at.path[0]);
        const KitControl* c = pane ? pane->control(at.path[1]) : nullptr;
        perform(h.action);
        if (c && !c->doubleClick.isEmpty() && m_session->taskPane().value(c->id) == at.path[2])
            perform(actions::taskPane(pane->name, c->doubleClick));
        return;
    }
    if (doubleClick && at.kind == L::Item && m_session->dialog()) {
        // A double-click on a list item chooses it and presses the dialog's button, where the
        // real dialog does (艺术字库, 图示库, a file list).
        const QString form = m_session->dialog()->name;
        const KitForm* dialog = m_session->kit().dialog(form);
        const KitControl* c = dialog ? dialog->control(at.path[1]) : nullptr;
        perform(h.action);
        if (c && !c->doubleClick.isEmpty() && m_session->dialog() && m_session->dialog()->name == form)
            perform(actions::dialog(form, c->doubleClick));
        return;
    }
    if ((modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) && at.kind == L::Thumb && !doubleClick) {
        // Ctrl adds a slide to those selected, Shift the slides up to it.
        perform(modifiers & Qt::ControlModifier ? actions::thumbWithCtrl(at.slide)
                                                : actions::thumbWithShift(at.slide));
        return;
    }
    if ((modifiers & Qt::ShiftModifier) && at.kind == L::Button) {
        // Shift and a view button: 普通视图 → the slide master, 幻灯片浏览 → the handout
        // master, 幻灯片放映 → 设置放映方式.
        const KitButton* b = m_session->kit().toolbarButton(at.name);
        if (b && !b->shiftOpens.isEmpty()) {
            perform(actions::shiftClick(b->name));
            return;
        }
    }
    if (const KitButton* b = at.kind == L::Button ? m_session->kit().toolbarButton(at.name) : nullptr;
        b && b->holds) {
        // 格式刷: a click takes it up for one use, a double-click holds it.
        if (!doubleClick || !m_session->painterTaken())
            perform(h.action);
        m_session->holdPainter(doubleClick);
        update();
        return;
    }
    if (at.kind == L::Shape && (modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        // Shift or Ctrl and a click on an object add it to those selected.
        perform(actions::clickAdding(modifiers & Qt::ShiftModifier ? u"Shift"_s : u"Ctrl"_s, at.shape));
        return;
    }
    perform(h.action);
    // A task-pane button with a menu opens it, whether or not the task wanted the click.
    if (at.kind == L::Control && !m_session->modalDialogOpen()) {
        const KitForm* pane = m_session->kit().taskPane(at.path[0]);
        const KitControl* c = pane ? pane->control(at.path[1]) : nullptr;
        if (c && !c->menu.empty() && m_session->presentation().taskpane == pane->name)
            m_menus.openPane(pane->name, c->id, locate(h.locator).value_or(h.rect));
        rebuild();
        update();
    }
}

QString KitView::selectedObject() const
{
    // The object as the window shows it: a placeholder ("ph:title") or a shape ("shape:2").
    const QString object = m_session->selectedObject();
    if (object.isEmpty())
        return {};
    const ActionParts on = parseAction(actions::click(object));
    const QString locator = on.shape > 0 ? locators::shape(on.shape) : locators::placeholder(on.placeholder);
    return locate(locator) ? locator : QString();
}

void KitView::selectObjectAt(const LocatorParts& at, Qt::KeyboardModifiers modifiers)
{
    // A click on the slide selects the placeholder or object under the pointer
    // (as the real program shows it, whatever the task); elsewhere on the
    // slide or on another slide it lets go.
    using L = LocatorParts;
    const bool graphBefore = m_session->graphActive();
    if (at.kind == L::Placeholder || at.kind == L::Frame)
        m_session->select(at.name);
    else if (at.kind == L::Shape && (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
        m_session->selectAlso(at.shape);
    else if (at.kind == L::Shape)
        m_session->select(targets::shape(at.shape));
    else if (at.kind == L::SlideArea || at.kind == L::SlideEmpty || at.kind == L::Thumb)
        m_session->select({});
    else
        return;
    // A click outside the chart leaves Graph: PowerPoint's menus and toolbars come back.
    if (graphBefore != m_session->graphActive())
        rebuild();
    update();
}

void KitView::selectObjectsWithin(const QRect& frame)
{
    // What lies wholly inside the frame is selected: the objects, else a placeholder.
    QList<int> shapes;
    QString placeholder;
    for (const QString& object : m_session->objectsOnSlide()) {
        const int shape = parseAction(actions::click(object)).shape;
        const auto at = locate(shape > 0 ? locators::shape(shape) : locators::placeholder(object));
        if (!at || !frame.contains(*at))
            continue;
        if (shape > 0)
            shapes << shape;
        else if (placeholder.isEmpty())
            placeholder = object;
    }
    if (!shapes.isEmpty()) {
        m_session->select(targets::shape(shapes.first()));
        for (const int shape : shapes.mid(1))
            m_session->selectAlso(shape);
    } else {
        m_session->select(placeholder);
    }
    update();
}

void KitView::pressShortcut(const QString& shortcut)
{
    const QString key = KitCatalog::normalizeShortcut(shortcut);
    if (m_shows.key(key))
        return;
    if (key == u"Escape"_s) {
        if (m_forms.m_drop || m_menus.isOpen()) {
            m_forms.m_drop.reset();
            closeMenus();
        } else if (m_session->drawingToolChosen() && !m_session->modalDialogOpen()) {
            m_session->dropDrawingTool();
            sessionChanged(false);
        } else if (m_session->painterTaken() && !m_session->modalDialogOpen()) {
            perform(actions::key(u"Esc"_s));
        } else if (m_session->dialog()) {
            const QString cancel = m_forms.dialogCancelButton();
            if (!cancel.isEmpty())
                perform(actions::dialog(m_session->dialog()->name, cancel));
        }
        return;
    }
    if (m_forms.takeKey(key))
        return;
    // Alt and an access key open a menu; inside an open menu a letter picks its item.
    if (key.startsWith(u"Alt+"_s) && key.size() == 5 && !m_menus.isOpen()) {
        const QChar letter = key.back();
        const auto& menus = m_session->menuBar();
        for (size_t i = 0; i < menus.size(); ++i) {
            if (accessKey(menus[i].title) == letter) {
                m_menus.openBar(static_cast<int>(i));
                rebuild();
                update();
                return;
            }
        }
    }
    if (m_menus.isOpen() && key.size() == 1) {
        if (const std::optional<QString> item = m_menus.itemLocatorForKey(key[0])) {
            if (auto r = locate(*item))
                clickAt(r->center());
        }
        return;
    }
    if (m_menus.isOpen())
        closeMenus();
    // Tab goes from object to object on the slide and Ctrl+A selects them all, whether or not
    // a step wants it; a step that does takes the key as well.
    const QString action = actions::key(key);
    if (!m_session->accepts(action)) {
        if ((key == u"Tab"_s || key == u"Shift+Tab"_s) &&
            m_session->selectNextObject(key == u"Tab"_s ? 1 : -1)) {
            update();
            return;
        }
        if (key == u"Ctrl+A"_s && m_session->selectAllObjects()) {
            update();
            return;
        }
        if (const int slide = slideByKey(key); slide > 0) {
            perform(actions::thumb(slide));
            return;
        }
    }
    perform(action);
}

int KitView::slideByKey(const QString& key) const
{
    // PageUp and PageDown go from slide to slide; so do the arrows, Home and End where no object of
    // the slide is selected, and Left and Right in the sorter.
    const WindowView& view = m_session->view();
    if (m_session->modalDialogOpen() || m_session->typing())
        return 0;
    const int count = static_cast<int>(m_session->presentation().slides.size());
    const int now = m_session->presentation().selected;
    const bool free = m_session->selectedObject().isEmpty();
    int to = 0;
    if (view.is(ViewKind::Normal) || view.is(ViewKind::Outline)) {
        if (key == u"PageDown"_s || (free && key == u"Down"_s))
            to = now + 1;
        else if (key == u"PageUp"_s || (free && key == u"Up"_s))
            to = now - 1;
        else if (free && key == u"Home"_s)
            to = 1;
        else if (free && key == u"End"_s)
            to = count;
    } else if (view.is(ViewKind::Sorter)) {
        if (key == u"Right"_s || key == u"PageDown"_s)
            to = now + 1;
        else if (key == u"Left"_s || key == u"PageUp"_s)
            to = now - 1;
        else if (key == u"Home"_s || key == u"End"_s)
            to = key == u"Home"_s ? 1 : count;
    }
    return to >= 1 && to <= count && to != now ? to : 0;
}

void KitView::chooseOrgChartBox(const LocatorParts& at, const QPoint& point)
{
    m_orgChartBox = -1;
    const Slide& slide = m_session->selectedSlide();
    if (at.kind != LocatorParts::Shape || m_session->modalDialogOpen() ||
        !m_session->view().is(ViewKind::Normal) || at.shape < 1 ||
        at.shape > static_cast<int>(slide.shapes.size()) ||
        m_session->selectedShapes() != QList<int>{at.shape})
        return;
    const SlideShape& shape = slide.shapes[static_cast<size_t>(at.shape - 1)];
    const std::optional<QRect> rect = locate(locators::shape(at.shape));
    if (shape.type != u"orgchart"_s || !rect)
        return;
    const std::vector<QRectF> boxes = orgChartBoxes(QRectF(*rect), shape);
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i].contains(point)) {
            m_orgChartBox = static_cast<int>(i);
            m_orgChartShape = at.shape;
        }
    }
}

void KitView::typeText(const QString& text)
{
    if (!m_forms.m_field)
        return;
    m_forms.m_field->edit.insert(text);
    fieldEdited();
}

void KitView::fieldEdited()
{
    if (!m_forms.m_field || m_forms.m_field->toolbar) {
        update();
        return;
    }
    const QString action = actions::control(m_forms.m_field->dialog, m_forms.m_field->form,
                                            m_forms.m_field->control, m_forms.m_field->edit.text());
    if (!m_forms.m_field->dialog)
        m_forms.m_enterField = std::pair{m_forms.m_field->form, m_forms.m_field->control};
    if (m_session->accepts(action)) {
        if (m_forms.m_field->dialog)
            m_forms.m_dialogFocus = m_forms.m_field->control;
        m_forms.m_field.reset();
        perform(action);
    } else if (m_forms.m_field->dialog) {
        // What is typed is what the dialog holds: its arrows and its 确定 go on from it.
        m_session->keepTyped(m_forms.m_field->control, m_forms.m_field->edit.text());
        rebuild();
    }
    update();
}

void KitView::mousePressEvent(QMouseEvent* event)
{
    if (m_demonstration.isRunning())
        return;
    const QPoint point = event->position().toPoint();
    if (!m_completionText.isEmpty() && event->button() == Qt::LeftButton &&
        completionRect().contains(point)) {
        m_completionFolded = !m_completionFolded;
        update();
        return;
    }
    const Hot* hot = hotAt(point);
    const LocatorParts at = parseLocator(hot ? hot->locator : QString());
    const bool slidesShown = m_session->view().is(ViewKind::Sorter) || m_session->view().is(ViewKind::Normal);
    // The datasheet floating over the slide takes its own clicks.
    const bool free = !m_menus.isOpen() && !m_forms.m_drop && !m_session->modalDialogOpen() &&
                      !(m_session->dialog() && m_forms.dialogRect().contains(point));
    if (free && event->button() == Qt::LeftButton &&
        m_typingInput->press(point, event->modifiers(), typingGeometry())) {
        update();
        return;
    }
    clickAt(point, event->button(), false, event->modifiers());
    // A click in the notes or on a text box puts the caret there.
    if (free && event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
        (m_session->view().is(ViewKind::Normal) || m_session->view().is(ViewKind::Notes))) {
        const Presentation& pres = m_session->presentation();
        const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
        if (at.kind == LocatorParts::Placeholder && at.name == u"notes"_s)
            m_typingInput->clicked(u"notes"_s, point, typingGeometry());
        else if (at.kind == LocatorParts::Placeholder && m_session->view().is(ViewKind::Normal))
            m_typingInput->clicked(at.name, point, typingGeometry());
        else if (at.kind == LocatorParts::Shape && m_session->view().is(ViewKind::Normal) &&
                 at.shape <= static_cast<int>(slide.shapes.size()) &&
                 slide.shapes[static_cast<size_t>(at.shape - 1)].type == u"textbox"_s)
            m_typingInput->clicked(targets::shape(at.shape), point, typingGeometry());
        else if (at.kind == LocatorParts::Shape && m_session->view().is(ViewKind::Normal) &&
                 at.shape <= static_cast<int>(slide.shapes.size()) &&
                 slide.shapes[static_cast<size_t>(at.shape - 1)].type == u"table"_s)
            m_typingInput->clickedTable(at.shape, point, typingGeometry());
        update();
    }
    m_slideDrag.reset();
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
        at.kind == LocatorParts::Thumb && slidesShown && !m_session->modalDialogOpen() && !m_menus.isOpen())
        m_slideDrag = SlideDrag{at.slide, point};
    // A drag from the slide's empty part draws a frame round the objects to select.
    m_marquee.reset();
    if (free && event->button() == Qt::LeftButton && m_session->view().is(ViewKind::Normal) &&
        (at.kind == LocatorParts::SlideArea || at.kind == LocatorParts::SlideEmpty))
        m_marquee = QRect(point, point);
}

void KitView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_demonstration.isRunning())
        return;
    clickAt(event->position().toPoint(), event->button(), true);
}

void KitView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->position().toPoint() != m_mouse)
        m_forms.dropPointerMoved();
    m_mouse = event->position().toPoint();
    // A drawing tool chosen: a cross over the slide.
    const bool drawing = m_session->drawingToolChosen() && !m_demonstration.isRunning() &&
                         QRectF(slideRectInArea()).contains(m_mouse);
    setCursor(drawing ? Qt::CrossCursor : Qt::ArrowCursor);
    if ((event->buttons() & Qt::LeftButton) && !m_demonstration.isRunning() &&
        m_typingInput->drag(m_mouse, typingGeometry())) {
        update();
        return;
    }
    if (m_marquee && (event->buttons() & Qt::LeftButton)) {
        m_marquee->setBottomRight(m_mouse);
        update();
        return;
    }
    if (m_slideDrag && !m_demonstration.isRunning()) {
        m_slideDrag->moving |= (m_mouse - m_slideDrag->start).manhattanLength() > 6;
        update();
        return;
    }
    if (m_scrolls.m_scrollDrag && !m_demonstration.isRunning()) {
        const ScrollDrag drag = *m_scrolls.m_scrollDrag;
        m_scrolls.setScroll(drag.key,
                            m_scrolls.scrollBar(drag.key).valueForThumbTop(m_mouse.y() - drag.grab));
        m_scrolls.m_scrollDrag = drag;
        return;
    }
    if (m_menus.isOpen() && !m_demonstration.isRunning()) {
        // Hovering a menu title switches menus; hovering a submenu item opens it.
        const Hot* h = hotAt(m_mouse);
        const LocatorParts at = parseLocator(h ? h->locator : QString());
        if (at.kind == LocatorParts::MenuTitle && m_menus.barMenuOpen() && at.name != m_menus.barTitle()) {
            clickAt(m_mouse);
        } else if (h && h->action.isEmpty() && at.isMenuItem()) {
            clickAt(m_mouse);
        }
    }
    update();
}

void KitView::mouseReleaseEvent(QMouseEvent* event)
{
    m_scrolls.m_scrollDrag.reset();
    if (const std::optional<QRect> frame = std::exchange(m_marquee, std::nullopt);
        frame && frame->size() != QSize(1, 1)) {
        selectObjectsWithin(frame->normalized());
        return;
    }
    if (event->button() == Qt::LeftButton && !m_demonstration.isRunning()) {
        const bool wasComplete = m_session->isComplete();
        if (m_typingInput->release(event->position().toPoint(), typingGeometry())) {
            sessionChanged(wasComplete);
            return;
        }
    }
    if (const std::optional<SlideDrag> drag = std::exchange(m_slideDrag, std::nullopt);
        drag && drag->moving) {
        const int after = m_slideArea.slideGapAt(event->position().toPoint());
        if (after >= 0)
            perform(actions::dragThumb(drag->slide, after));
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void KitView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y() > 0 ? -3 : 3;
    if (m_menus.isOpen()) {
        for (int level = m_menus.depth(); level >= 0; --level) {
            if (m_menus.layout(level).frame.contains(event->position().toPoint())) {
                if (m_menus.scroll(level, delta)) {
                    rebuild();
                    update();
                }
                break;
            }
        }
    } else if (m_forms.m_drop) {
        const int max = m_forms.dropIsPalette()
                            ? 0
                            : std::max<int>(0, static_cast<int>(m_forms.dropItems().size()) - kDropRows);
        m_forms.m_dropScroll = std::clamp(m_forms.m_dropScroll + delta, 0, max);
    } else if (m_session->dialog() || !taskPaneRect().contains(event->position().toPoint())) {
        const QPoint at = event->position().toPoint();
        const WindowView& view = m_session->view();
        if (!m_session->modalDialogOpen() && at.x() < kLeftW && view.isNormal()) {
            if (view.is(ViewKind::Normal))
                m_scrolls.setScroll(u"slides"_s, m_scrolls.m_thumbScroll + delta * 30);
            else
                m_scrolls.setScroll(u"outline"_s, m_scrolls.m_outlineScroll + delta * 17);
            return;
        }
        if (const auto& d = m_session->dialog()) {
            const KitForm* form = m_session->kit().dialog(d->name);
            for (size_t i = 0; form && i < form->controls.size(); ++i) {
                const KitControl& c = form->controls[i];
                if (m_forms.dialogControlVisible(c, *d) && m_forms.controlRect(*form, c, true).contains(at))
                    m_forms.scrollControl(*form, c, true, delta);
            }
        }
    } else {
        // Over the task pane: the list or gallery under the pointer, else the pane itself.
        const QPoint at = event->position().toPoint();
        const KitForm* form = m_session->kit().taskPane(m_session->presentation().taskpane);
        bool done = false;
        for (const auto& [c, rect] : m_forms.paneLayout()) {
            if (form && m_forms.itemBox(*c, rect, false).contains(at) &&
                (c->type == KitControlType::Gallery || c->type == KitControlType::List))
                done = m_forms.scrollControl(*form, *c, false, delta);
        }
        if (!done)
            m_scrolls.setScroll(u"pane"_s, m_scrolls.m_paneScroll + delta * 17);
        return;
    }
    rebuild();
    update();
}

namespace {

// The shortcut a key event names, as the kit writes it ("Ctrl+Shift+F5", "Alt+Shift+Minus"); empty
// for a key no shortcut uses.
QString shortcutOf(const QKeyEvent& event)
{
    QString key;
    const int k = event.key();
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        key = u"F"_s + QString::number(k - Qt::Key_F1 + 1);
    else if (k == Qt::Key_Escape)
        key = u"Escape"_s;
    else if (k == Qt::Key_Return || k == Qt::Key_Enter)
        key = u"Return"_s;
    else if (k == Qt::Key_Delete)
        key = u"Delete"_s;
    else if (k == Qt::Key_Tab || k == Qt::Key_Backtab) // Shift+Tab arrives as Backtab
        key = u"Tab"_s;
    else if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down)
        key = k == Qt::Key_Left    ? u"Left"_s
              : k == Qt::Key_Right ? u"Right"_s
              : k == Qt::Key_Up    ? u"Up"_s
                                   : u"Down"_s;
    else if (k == Qt::Key_Home || k == Qt::Key_End)
        key = k == Qt::Key_Home ? u"Home"_s : u"End"_s;
    else if (k == Qt::Key_PageUp || k == Qt::Key_PageDown)
        key = k == Qt::Key_PageUp ? u"PageUp"_s : u"PageDown"_s;
    else if (k == Qt::Key_Space)
        key = u"Space"_s;
    else if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        key = QString(QChar(k));
    // With Shift held the keyboard reports the shifted character; the outline's
    // Alt+Shift+Minus, Alt+Shift+Plus and Alt+Shift+1 name the keys themselves.
    else if (k == Qt::Key_Minus || k == Qt::Key_Underscore)
        key = u"Minus"_s;
    else if (k == Qt::Key_Plus || k == Qt::Key_Equal)
        key = u"Plus"_s;
    else if (k == Qt::Key_Exclam)
        key = u"1"_s;
    else
        return {};
    QString mods;
    if (event.modifiers() & Qt::ControlModifier)
        mods += u"Ctrl+"_s;
    if (event.modifiers() & Qt::ShiftModifier)
        mods += u"Shift+"_s;
    if (event.modifiers() & Qt::AltModifier)
        mods += u"Alt+"_s;
    return mods + key;
}

} // namespace

void KitView::keyPressEvent(QKeyEvent* event)
{
    if (m_demonstration.isRunning())
        return;
    if (m_forms.m_drop && m_forms.takeDropKey(shortcutOf(*event)))
        return;
    if (!m_forms.m_field && !m_menus.isOpen() && !m_forms.m_drop) {
        const bool wasComplete = m_session->isComplete();
        if (m_typingInput->key(*event)) {
            sessionChanged(wasComplete);
            QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImCursorRectangle);
            return;
        }
    }
    if (m_forms.m_field && m_forms.m_field->toolbar &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape)) {
        // Enter sets the font or size typed into a toolbar's box; Esc leaves it as it was.
        const FieldState field = *std::exchange(m_forms.m_field, std::nullopt);
        if (event->key() != Qt::Key_Escape && !field.edit.text().trimmed().isEmpty())
            perform(actions::toolbarValue(field.control, field.edit.text().trimmed()));
        update();
        return;
    }
    if (m_forms.m_field) {
        // The editing keys of a Windows edit box.
        const bool shift = event->modifiers() & Qt::ShiftModifier;
        const std::map<int, TextEditing::Move> moves{{Qt::Key_Left, TextEditing::Move::Left},
                                                     {Qt::Key_Right, TextEditing::Move::Right},
                                                     {Qt::Key_Home, TextEditing::Move::Home},
                                                     {Qt::Key_End, TextEditing::Move::End}};
        if (const auto move = moves.find(event->key()); move != moves.end()) {
            m_forms.m_field->edit.move(move->second, shift);
            update();
            return;
        }
        if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
            if (event->key() == Qt::Key_Backspace)
                m_forms.m_field->edit.erasePrevious();
            else
                m_forms.m_field->edit.eraseNext();
            fieldEdited();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            // Esc leaves a task pane's box; in a dialog it cancels the dialog, as in Windows.
            const bool inDialog = m_forms.m_field->dialog;
            m_forms.m_field.reset();
            update();
            if (!inDialog)
                return;
        }
        if (!event->text().isEmpty() && event->text()[0].isPrint() &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            typeText(event->text());
            return;
        }
    }
    const QString shortcut = shortcutOf(*event);
    if (!shortcut.isEmpty())
        pressShortcut(shortcut);
}

void KitView::inputMethodEvent(QInputMethodEvent* event)
{
    if (m_forms.m_field && !event->commitString().isEmpty()) {
        typeText(event->commitString());
    } else if (!m_forms.m_field && !m_demonstration.isRunning()) {
        const bool wasComplete = m_session->isComplete();
        if (m_typingInput->inputMethod(*event))
            sessionChanged(wasComplete);
    }
    event->accept();
}

QVariant KitView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return m_forms.m_field.has_value() || m_typingInput->takesInputMethod();
    if (query == Qt::ImCursorRectangle && !m_forms.m_field && m_session->typing())
        return m_typingInput->caretRect(typingGeometry());
    return QWidget::inputMethodQuery(query);
}

bool KitView::focusNextPrevChild(bool)
{
    // Tab and Shift+Tab belong to the simulated program, not to focus moves.
    return false;
}

bool KitView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Hot* h = hotAt(help->pos());
        // A swatch's name is drawn in the window itself.
        if (h && !h->tooltip.isEmpty() && !h->swatch)
            QToolTip::showText(help->globalPos(), h->tooltip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void KitView::closeMenus()
{
    m_menus.close();
    rebuild();
    update();
}

void KitView::openContextMenu(ContextArea area, const QPoint& at)
{
    if (!m_menus.openContext(contextAreaName(area), at))
        return;
    rebuild();
    update();
}

void KitView::startDemonstration()
{
    m_typingInput->reset();
    m_forms.m_drop.reset();
    m_forms.m_field.reset();
    m_menus.close();
    m_forms.m_listScroll.clear();
    m_forms.m_spinShown.clear();
    m_completionText.clear();
    m_completionFolded = false;
    m_completedSignalled = false;
    m_session->reset();
    rebuild();
    m_demonstration.start(m_mouse.isNull() ? QPoint(400, 300) : m_mouse);
}

void KitView::setPace(double factor)
{
    m_demonstration.setPace(factor);
    m_shows.setPace(factor);
}

} // namespace pptdrill

#include "moc_kitview.cpp"
