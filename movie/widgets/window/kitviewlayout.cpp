// Where every element of the simulated window lies, and which one a point hits.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
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

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

// ---------------------------------------------------------------------------
// Layout

QRect KitView::taskPaneRect() const
{
    // The preview takes the whole window, the task pane's room too.
    if (m_session->presentation().taskpane.isEmpty() || m_session->view().is(ViewKind::Show) ||
        m_session->view().is(ViewKind::PrintPreview))
        return {};
    return QRect(kWidth - kPaneW, kMainY, kPaneW, drawingToolbarY() - kMainY);
}

QRect KitView::slideAreaRect() const
{
    const WindowView& view = m_session->view();
    // Only normal, outline and the slide master views have the pane on the left.
    const bool pane = view.isNormal() || view.is(ViewKind::SlideMaster);
    const int left = pane ? kLeftW : 0;
    const int right = taskPaneRect().isNull() ? kWidth : kWidth - kPaneW;
    return QRect(left, kMainY, right - left, drawingToolbarY() - kMainY);
}

QRect KitView::slidePaneRect() const
{
    QRect area = slideAreaRect();
    if (m_session->view().isNormal())
        area.setBottom(area.bottom() - kNotesH);
    return area;
}

QRect KitView::notesPageNotesRect() const
{
    const QRect sr = slideRectInArea();
    const QRect page = notesPageRect();
    return QRect(sr.left(), sr.bottom() + 16, sr.width(),
                 page.bottom() - sr.bottom() - qRound(38 * notesPageScale()));
}

// A notes page is 25.4 cm tall: 960 pixels at 100%.
constexpr double kNotesPagePixels = 960;

int KitView::statusBarY() const
{
    return m_session->presentation().window.statusBar ? kStatusY : kHeight;
}

int KitView::drawingToolbarY() const
{
    // Without the status bar, or the drawing toolbar, the panes reach down into its room.
    const int drawingRoom = m_session->presentation().window.drawingToolbar ? 0 : kStatusY - kDrawY;
    return kDrawY + statusBarY() - kStatusY + drawingRoom;
}

double KitView::notesPageScale() const
{
    const int zoom = m_session->presentation().window.notesZoom;
    const double fitting = (slideAreaRect().height() - 4) / kNotesPagePixels * 100;
    return zoom > 0 && fitting > 0 ? zoom / fitting : 1.0;
}

QRect KitView::notesPageRect() const
{
    const QRect sr = slideRectInArea();
    const QRect area = slideAreaRect();
    const double scale = notesPageScale();
    const int margin = qRound(10 * scale);
    return QRect(sr.left() - margin, area.top() + 2, sr.width() + 2 * margin,
                 qRound((area.height() - 4) * scale));
}

int KitView::shownZoom() const
{
    const Presentation& pres = m_session->presentation();
    const WindowView& view = m_session->view();
    if (view.is(ViewKind::Sorter))
        return pres.window.sorterZoom > 0 ? pres.window.sorterZoom : kSorterOwnZoom;
    if (view.is(ViewKind::Notes))
        return pres.window.notesZoom > 0 ? pres.window.notesZoom
                                         : qRound((slideAreaRect().height() - 4) / kNotesPagePixels * 100);
    if (pres.window.zoom > 0)
        return pres.window.zoom;
    // Fitted: the slide's width on the screen over its width at 100% (96 pixels an inch).
    const double fullWidth = pres.page.width * 96 / 2.54;
    return fullWidth > 0 ? qRound(slideRectInArea().width() / fullWidth * 100) : 100;
}

QRect KitView::slideRectInArea() const
{
    QRect area = slideAreaRect();
    if (m_session->view().isNormal())
        area.setBottom(area.bottom() - kNotesH);
    if (m_session->view().is(ViewKind::Notes))
        area.setBottom(area.top() + area.height() / 2);
    // The notes page leaves room above the slide for its header.
    const QRect inner = area.adjusted(14, m_session->view().is(ViewKind::Notes) ? 22 : 12, -14, -12);
    const Presentation& pres = m_session->presentation();
    if (m_session->view().is(ViewKind::Notes) && pres.window.notesZoom > 0) {
        // The notes page at its zoom: the page grows from the pane's top, its slide with it.
        const QRect fitted = fitSlideIn(inner, pres);
        const double scale = notesPageScale();
        const int w = qRound(fitted.width() * scale), h = qRound(fitted.height() * scale);
        const int top = area.top() + qRound((fitted.top() - area.top()) * scale);
        return QRect(area.center().x() - w / 2, top, w, h);
    }
    if (const int zoom = pres.window.zoom; zoom > 0 && !m_session->view().is(ViewKind::Notes)) {
        // At a set zoom the slide has its size on the screen (96 pixels an inch), centred on
        // the pane; a slide larger than the pane runs past its edges under the scroll bars.
        const double cmToPixels = 96 / 2.54 * zoom / 100;
        const int w = qRound(pres.page.width * cmToPixels), h = qRound(pres.page.height * cmToPixels);
        return QRect(inner.center().x() - w / 2, inner.center().y() - h / 2, w, h);
    }
    return fitSlideIn(inner, pres);
}

namespace {

constexpr int kToolbarRowH = 23;

// How wide a toolbar button stands: a picture, its text, a box, and the arrow of a drop-down.
int toolbarButtonWidth(const KitButton& b, const QFontMetrics& fm)
{
    int w = 23;
    if (b.type == KitButtonType::Combo)
        w = b.width > 0 ? b.width : 80;
    else if (!b.text.isEmpty())
        w = (b.icon.isEmpty() ? 8 : 24) + fm.horizontalAdvance(b.text) + 4;
    if (!b.items.empty())
        w += 10; // the drop-down arrow
    return w;
}

// Where each button of a toolbar stands, from `at` up to `maxRight`; past it a docked bar ends and
// a floating one goes on in another row.
std::vector<std::pair<const KitButton*, QRect>> toolbarCells(const std::vector<KitButton>& buttons, QPoint at,
                                                             int maxRight, bool wrap)
{
    const QFontMetrics fm(uiFont(12));
    std::vector<std::pair<const KitButton*, QRect>> cells;
    int x = at.x();
    int y = at.y();
    for (const KitButton& b : buttons) {
        if (b.separator) {
            x += 6;
            continue;
        }
        const int w = toolbarButtonWidth(b, fm);
        if (x + w > maxRight) {
            if (!wrap || x == at.x())
                break;
            x = at.x();
            y += kToolbarRowH;
        }
        cells.emplace_back(&b, QRect(x, y, w, 22));
        x += w + 1;
    }
    return cells;
}

} // namespace

void ChromePart::addToolbarHots(std::vector<Hot>& hots, const QString& bar, QPoint at, int maxRight,
                                bool wrap) const
{
    const std::vector<KitButton>* buttons = m_view.m_session->toolbarButtons(bar);
    for (const auto& [button, cell] : buttons ? toolbarCells(*buttons, at, maxRight, wrap)
                                              : std::vector<std::pair<const KitButton*, QRect>>{}) {
        const KitButton& b = *button;
        const int x = cell.left();
        const int w = cell.width();
        // Only a colour button is split: its face applies the colour, its arrow drops the
        // palette. Any other button with a menu drops it down wherever it is clicked.
        const QString action =
            b.type == KitButtonType::Combo || (!b.items.empty() && b.type != KitButtonType::Color)
                ? QString()
                : actions::toolbar(b.name);
        hots.push_back({cell, locators::button(b.name), action, b.tooltip.isEmpty() ? b.name : b.tooltip, 1});
        if (!b.items.empty() && b.text.isEmpty())
            hots.push_back(
                {QRect(x + w - 10, cell.top(), 10, 22), locators::buttonArrow(b.name), {}, b.name, 1});
        // A box that takes typing drops its list from its arrow only.
        if (b.type == KitButtonType::Combo && b.editable)
            hots.push_back(
                {QRect(x + w - 12, cell.top(), 12, 22), locators::buttonArrow(b.name), {}, b.name, 1});
    }
}

QStringList ChromePart::floatingToolbars() const
{
    const Presentation& pres = m_view.m_session->presentation();
    QStringList bars;
    const auto add = [&](const QString& name) {
        if (bars.contains(name))
            return;
        for (const auto& [kitName, buttons] : m_view.m_session->kit().toolbars()) {
            if (kitName == name) {
                bars << name;
                return;
            }
        }
    };
    // The view's own toolbar first.
    static const std::map<ViewKind, QString> viewBars{
        {ViewKind::SlideMaster, u"幻灯片母版视图"_s}, {ViewKind::HandoutMaster, u"讲义母版视图"_s},
        {ViewKind::NotesMaster, u"备注母版视图"_s},   {ViewKind::Outline, u"大纲"_s},
        {ViewKind::Sorter, u"幻灯片浏览"_s},          {ViewKind::PrintPreview, u"打印预览"_s}};
    if (const auto it = viewBars.find(pres.view.kind()); it != viewBars.end())
        add(it->second);
    // Then the toolbar PowerPoint opens by itself for the object selected.
    if (pres.view.is(ViewKind::Normal)) {
        const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
        if (const int shape = parseAction(actions::click(m_view.m_session->selectedObject())).shape;
            shape > 0 && shape <= static_cast<int>(slide.shapes.size())) {
            static const std::map<QString, QString> objectBars{
                {u"picture"_s, u"图片"_s},     {u"clipart"_s, u"图片"_s}, {u"wordart"_s, u"艺术字"_s},
                {u"table"_s, u"表格和边框"_s}, {u"diagram"_s, u"图示"_s}, {u"orgchart"_s, u"组织结构图"_s}};
            if (const auto it = objectBars.find(slide.shapes[static_cast<size_t>(shape - 1)].type);
                it != objectBars.end())
                add(it->second);
        }
    }
    // Then those the learner showed, the latest last.
    for (const QString& shown : pres.window.toolbars)
        add(shown);
    for (const QString& shown : m_view.m_session->shownToolbars())
        add(shown);
    return bars;
}

QRect ChromePart::floatingToolbarRect(int index) const
{
    const QStringList bars = floatingToolbars();
    if (index < 0 || index >= bars.size())
        return {};
    const QFontMetrics fm(uiFont(12));
    const QRect area = m_view.slideAreaRect();
    // Several floating toolbars stand one under the other at the slide area's right.
    int top = area.top() + 8;
    for (int i = 0; i <= index; ++i) {
        const std::vector<KitButton>* buttons = m_view.m_session->toolbarButtons(bars[i]);
        int w = 12;
        for (const KitButton& b : buttons ? *buttons : std::vector<KitButton>{})
            w += b.separator ? 6 : toolbarButtonWidth(b, fm) + 1;
        w = std::min(w, area.width() - 20);
        const QRect bar(area.right() - w - 10, top, w, 44);
        const auto cells = buttons ? toolbarCells(*buttons, QPoint(4, 0), w - 1, true)
                                   : std::vector<std::pair<const KitButton*, QRect>>{};
        const int rows = cells.empty() ? 1 : cells.back().second.top() / kToolbarRowH + 1;
        if (i == index)
            return bar.adjusted(0, 0, 0, (rows - 1) * kToolbarRowH);
        top += 44 + (rows - 1) * kToolbarRowH + 6;
    }
    return {};
}

QRect LeftPanePart::leftPaneBox() const
{
    return QRect(0, kMainY + 24, kLeftW - 1, m_view.drawingToolbarY() - 26 - (kMainY + 24));
}

QRect KitView::paneContentRect() const
{
    const QRect pane = taskPaneRect();
    return pane.isNull() ? QRect() : pane.adjusted(1, 26, 0, 0);
}

namespace {

int outlineHeight(const Presentation& pres)
{
    int h = 12;
    for (const Slide& slide : pres.slides)
        h += 20 + (slide.collapsed ? 0 : 17 * static_cast<int>(outlineParagraphs(slide).size()));
    return h;
}

int levelOf(const QString& line)
{
    int level = 0;
    while (level < line.size() && line[level] == u'\t')
        ++level;
    return level;
}

} // namespace

std::vector<OutlineRow> LeftPanePart::outlineRows() const
{
    std::vector<OutlineRow> rows;
    const Presentation& pres = m_view.m_session->presentation();
    const QRect box = leftPaneBox();
    const int right = box.right() - (outlineHeight(pres) > box.height() ? kScrollBarW : 0) - 2;
    int y = box.top() + 6 - m_view.m_scrolls.m_outlineScroll;
    for (size_t i = 0; i < pres.slides.size(); ++i) {
        const Slide& slide = pres.slides[i];
        const int n = static_cast<int>(i) + 1;
        rows.push_back({n, 0, 0, slide.title, QRect(2, y, right - 2, 18)});
        y += 20;
        if (slide.collapsed)
            continue;
        const QStringList paragraphs = outlineParagraphs(slide);
        for (qsizetype k = 0; k < paragraphs.size(); ++k) {
            const int level = levelOf(paragraphs[k]);
            const int left = 40 + level * 12;
            rows.push_back({n, static_cast<int>(k) + 1, level, paragraphs[k].mid(level),
                            QRect(left, y, right - left, 16)});
            y += 17;
        }
    }
    return rows;
}

ScrollBar ScrollPart::scrollBar(const QString& key) const
{
    ScrollBar bar;
    const Presentation& pres = m_view.m_session->presentation();
    if (key == u"slides"_s || key == u"outline"_s) {
        if (!pres.view.is(key == u"slides"_s ? ViewKind::Normal : ViewKind::Outline))
            return {};
        const QRect box = m_view.m_leftPane.leftPaneBox();
        bar.rect = QRect(box.right() - kScrollBarW + 1, box.top(), kScrollBarW, box.height());
        bar.page = box.height();
        bar.content =
            key == u"slides"_s ? 6 + static_cast<int>(pres.slides.size()) * 89 : outlineHeight(pres);
        bar.value = key == u"slides"_s ? m_thumbScroll : m_outlineScroll;
    } else if (key == u"pane"_s) {
        const auto layout = m_view.m_forms.paneLayout();
        const QRect content = m_view.paneContentRect();
        if (layout.empty())
            return {};
        bar.rect = QRect(content.right() - kScrollBarW + 1, content.top(), kScrollBarW, content.height());
        bar.page = content.height();
        bar.content = layout.back().second.bottom() + 6 + m_paneScroll - content.top();
        bar.value = m_paneScroll;
    } else if (const QStringList gallery = locators::galleryOf(key); !gallery.isEmpty()) {
        const QString& formName = gallery[0];
        const QString& id = gallery[1];
        const bool dialog = m_view.m_session->dialog() && m_view.m_session->dialog()->name == formName;
        const KitForm* form =
            dialog ? m_view.m_session->kit().dialog(formName) : m_view.m_session->kit().taskPane(formName);
        const KitControl* c = form ? form->control(id) : nullptr;
        if (!c || c->type != KitControlType::Gallery)
            return {};
        const QRect box = m_view.m_forms.itemBox(*c, m_view.m_forms.controlRect(*form, *c, dialog), dialog);
        const auto cells = m_view.m_forms.galleryCells(formName, *c, box, dialog);
        if (box.isNull() || cells.empty())
            return {};
        const QString scrollKey = gallery.join(u'/');
        bar.value =
            m_view.m_forms.m_listScroll.count(scrollKey) ? m_view.m_forms.m_listScroll.at(scrollKey) : 0;
        bar.rect = QRect(box.right() - kScrollBarW + 1, box.top(), kScrollBarW, box.height());
        bar.page = box.height();
        bar.content = cells.back().rect.bottom() + 4 + bar.value - box.top();
    } else if (const QStringList list = locators::listOf(key); !list.isEmpty()) {
        const QString& formName = list[0];
        const QString& id = list[1];
        const bool dialog = m_view.m_session->dialog() && m_view.m_session->dialog()->name == formName;
        const KitForm* form =
            dialog ? m_view.m_session->kit().dialog(formName) : m_view.m_session->kit().taskPane(formName);
        const KitControl* c = form ? form->control(id) : nullptr;
        if (!c || (c->type != KitControlType::List && c->type != KitControlType::EditList) ||
            (dialog && !m_view.m_forms.dialogControlVisible(*c, *m_view.m_session->dialog())))
            return {};
        const QRect rect = m_view.m_forms.controlRect(*form, *c, dialog);
        const QRect box = c->type == KitControlType::EditList ? m_view.m_forms.editListList(rect)
                                                              : m_view.m_forms.itemBox(*c, rect, dialog);
        const int rows = std::max(1, (box.height() - 4) / 18);
        bar.rect = QRect(box.right() - kScrollBarW, box.top() + 1, kScrollBarW, box.height() - 2);
        bar.page = rows * 18;
        bar.content = static_cast<int>(m_view.m_forms.itemsOf(*form, *c, dialog).size()) * 18;
        bar.value = m_view.m_forms.listScroll(*form, *c, dialog, rows) * 18;
    }
    if (!bar.needed())
        return {};
    return bar;
}

void ScrollPart::setScroll(const QString& key, int value)
{
    const ScrollBar bar = scrollBar(key);
    value = std::clamp(value, 0, bar.maximum());
    if (key == u"slides"_s)
        m_thumbScroll = value;
    else if (key == u"outline"_s)
        m_outlineScroll = value;
    else if (key == u"pane"_s)
        m_paneScroll = value;
    else if (const QStringList gallery = locators::galleryOf(key); !gallery.isEmpty())
        m_view.m_forms.m_listScroll[gallery.join(u'/')] = value;
    else if (const QStringList list = locators::listOf(key); !list.isEmpty())
        m_view.m_forms.m_listScroll[list.join(u'/')] = (value + 9) / 18;
    m_view.rebuild();
    m_view.update();
}

void ScrollPart::addScrollBarHots(std::vector<Hot>& hots, const QString& key, int layer) const
{
    const ScrollBar bar = scrollBar(key);
    if (bar.rect.isNull())
        return;
    const QRect thumb = bar.thumb(), trough = bar.trough();
    hots.push_back({bar.upArrow(), locators::scroll(key, u"up"_s), {}, {}, layer});
    hots.push_back({bar.downArrow(), locators::scroll(key, u"down"_s), {}, {}, layer});
    if (thumb.top() > trough.top())
        hots.push_back({QRect(trough.left(), trough.top(), trough.width(), thumb.top() - trough.top()),
                        locators::scroll(key, u"pageup"_s),
                        {},
                        {},
                        layer});
    if (thumb.bottom() < trough.bottom())
        hots.push_back(
            {QRect(trough.left(), thumb.bottom() + 1, trough.width(), trough.bottom() - thumb.bottom()),
             locators::scroll(key, u"pagedown"_s),
             {},
             {},
             layer});
    hots.push_back({thumb, locators::scroll(key, u"thumb"_s), {}, {}, layer});
}

void KitView::revealItem(const QString& locator)
{
    using L = LocatorParts;
    const LocatorParts at = parseLocator(locator);
    if (at.kind == L::Drop && m_forms.m_drop && !locate(locator)) {
        const QStringList items = m_forms.dropItems();
        const int index = static_cast<int>(items.indexOf(at.name));
        if (index >= 0) {
            m_forms.m_dropScroll = std::clamp(index - kDropRows / 2, 0,
                                              std::max<int>(0, static_cast<int>(items.size()) - kDropRows));
            rebuild();
        }
        return;
    }
    if (at.isMenuItem() && m_menus.isOpen() && !locate(locator)) {
        // Scroll the deepest open menu until the item comes on view.
        const int level = m_menus.depth();
        const MenuPart::Layout layout = m_menus.layout(level);
        if (!layout.scrolls)
            return;
        const std::vector<KitMenuItem>* items = m_menus.items(level);
        for (size_t i = 0; items && i < items->size(); ++i) {
            if ((*items)[i].text != at.last())
                continue;
            const int shown = static_cast<int>(layout.rows.size());
            const int first = std::max(0, static_cast<int>(i) - shown / 2);
            for (int tries = 0; tries < 64 && !locate(locator); ++tries) {
                if (!m_menus.scroll(level, m_menus.scrollOf(level) < first ? 1 : -1))
                    break;
                rebuild();
            }
            break;
        }
        return;
    }
    if (at.kind == L::Thumb && !locate(locator) && m_session->view().is(ViewKind::Normal)) {
        // Scroll the slides tab so that the slide is on view.
        const int slides = static_cast<int>(m_session->presentation().slides.size());
        const int n = std::clamp(at.slide, 1, std::max(1, slides));
        m_scrolls.setScroll(u"slides"_s, (n - 4) * 89);
        return;
    }
    if ((at.kind == L::Thumb || at.kind == L::Outline) && !locate(locator) &&
        m_session->view().is(ViewKind::Outline)) {
        // Scroll the outline so that the line is in the middle of the tab.
        const QRect box = m_leftPane.leftPaneBox();
        for (const OutlineRow& row : m_leftPane.outlineRows()) {
            if (row.slide == at.slide && row.paragraph == at.paragraph)
                m_scrolls.setScroll(u"outline"_s,
                                    m_scrolls.m_outlineScroll + row.rect.center().y() - box.center().y());
        }
        return;
    }
    if ((at.kind == L::Control || at.kind == L::Item) && !locate(locator) && !m_session->modalDialogOpen() &&
        !paneContentRect().isNull()) {
        // Scroll the task pane until the control is on view, then its list.
        for (const auto& [c, rect] : m_forms.paneLayout()) {
            // An item's list comes on view whole, so that its first rows are not cut off.
            const bool onView = at.kind == L::Item ? paneContentRect().contains(rect)
                                                   : paneContentRect().contains(rect.center());
            if (c->id == at.path[1] && !onView)
                m_scrolls.setScroll(u"pane"_s,
                                    m_scrolls.m_paneScroll + rect.top() - paneContentRect().top() - 8);
        }
        if (locate(locator) || at.kind == L::Control)
            return;
    }
    if (at.kind != L::Item || locate(locator))
        return;
    m_forms.scrollListTo(at);
    rebuild();
}

void KitView::rebuild()
{
    m_shows.follow({});
    m_forms.focusOpeningDialog();
    m_session->setFittedZoom(shownZoom());
    std::vector<Hot> hots;
    const Presentation& pres = m_session->presentation();
    if (pres.view.is(ViewKind::Show)) {
        // The show fills the window: its context menu opens anywhere on it.
        hots.push_back({rect(), locators::slideEmpty(), {}, {}, 0});
    } else {
        m_chrome.addHots(hots);
        m_leftPane.addHots(hots);
        m_slideArea.addHots(hots);
        // With the presentation closed, or its windows arranged, nothing of it lies where it would.
        m_documentHots.clear();
        if (pres.window.closed || !pres.window.arrange.isEmpty()) {
            const QRect documents(0, kMainY, slideAreaRect().right() + 1, drawingToolbarY() - kMainY);
            const auto inDocument = [&](const Hot& h) {
                return h.layer == 0 && documents.intersects(h.rect);
            };
            std::copy_if(hots.begin(), hots.end(), std::back_inserter(m_documentHots), inDocument);
            std::erase_if(hots, inDocument);
        }
        m_forms.addPaneHots(hots);
    }
    if (m_menus.isOpen())
        m_menus.addHots(hots);
    m_forms.addDialogHots(hots);
    m_forms.addDropHots(hots);
    if (pres.window.exited)
        hots.clear(); // PowerPoint is gone
    m_hots = std::move(hots);
}

const Hot* KitView::hotAt(const QPoint& point) const
{
    int minLayer = 0;
    if (m_forms.m_drop)
        minLayer = 30;
    else if (m_menus.isOpen())
        minLayer = 10;
    else if (m_session->modalDialogOpen())
        minLayer = 20;
    const Hot* best = nullptr;
    for (const Hot& h : m_hots) {
        // While a menu of the menu bar is open, the other titles still answer (to switch menus).
        const bool menuBarTitle = m_menus.barMenuOpen() && !m_forms.m_drop &&
                                  parseLocator(h.locator).kind == LocatorParts::MenuTitle;
        if ((h.layer < minLayer && !menuBarTitle) || !h.rect.contains(point))
            continue;
        // The innermost of overlapping elements of one layer wins (a shape over the slide).
        if (!best || h.layer > best->layer ||
            (h.layer == best->layer &&
             h.rect.width() * h.rect.height() <= best->rect.width() * best->rect.height()))
            best = &h;
    }
    return best;
}

std::optional<QRect> KitView::locate(const QString& locator) const
{
    for (const Hot& h : m_hots) {
        if (h.locator == locator)
            return h.rect;
    }
    return std::nullopt;
}

Slide SlideAreaPart::shownMasterSlide() const
{
    const Presentation& pres = m_view.m_session->presentation();
    if (m_view.m_session->shownMaster() != 2)
        return pres.master;
    Slide master = *pres.titleMaster;
    master.layout = u"标题幻灯片"_s;
    return master;
}

void ChromePart::addHots(std::vector<Hot>& hots) const
{
    const Presentation& pres = m_view.m_session->presentation();
    const QFontMetrics fm(uiFont(12));
    // Menu bar.
    int x = 6;
    for (const KitMenu& m : m_view.m_session->menuBar()) {
        const int w = fm.horizontalAdvance(m.title) + 14;
        hots.push_back({QRect(x, kMenuY + 1, w, kMenuH - 2), locators::menuTitle(m.title), {}, {}, 0});
        x += w;
    }
    // Toolbars: 常用 and 格式 at the top, 绘图 at the bottom, the view buttons under the slides tab.
    addToolbarHots(hots, u"常用"_s, QPoint(10, kToolbarY + 2), kWidth - 14);
    addToolbarHots(hots, u"格式"_s, QPoint(10, kToolbarY + kToolbarH + 2), kWidth - 14);
    if (pres.window.drawingToolbar)
        addToolbarHots(hots, u"绘图"_s, QPoint(10, m_view.drawingToolbarY() + 2), kWidth - 14);
    const bool documentFillsWindow = !pres.window.closed && pres.window.arrange.isEmpty();
    // Every view but the show and the preview has them, the masters and the notes page too.
    if (documentFillsWindow && !pres.view.is(ViewKind::Show) && !pres.view.is(ViewKind::PrintPreview))
        addToolbarHots(hots, u"视图按钮"_s, QPoint(4, m_view.drawingToolbarY() - 24), kLeftW);
    const QStringList floating = floatingToolbars();
    for (int i = 0; i < floating.size(); ++i) {
        const QRect r = floatingToolbarRect(i);
        addToolbarHots(hots, floating[i], QPoint(r.left() + 4, r.top() + 18), r.right(), true);
    }
}

void LeftPanePart::addHots(std::vector<Hot>& hots) const
{
    const Presentation& pres = m_view.m_session->presentation();
    if (pres.view.isNormal()) {
        hots.push_back({QRect(4, kMainY + 3, 44, 19), locators::leftPaneTab(u"大纲"_s), {}, {}, 0});
        hots.push_back({QRect(48, kMainY + 3, 52, 19), locators::leftPaneTab(u"幻灯片"_s), {}, {}, 0});
    }
    if (pres.view.is(ViewKind::Outline)) {
        // Every line of the outline: a click on a title selects the slide, on a
        // paragraph selects the paragraph.
        const QRect box = leftPaneBox();
        for (const OutlineRow& row : outlineRows()) {
            if (row.rect.top() < box.top() || row.rect.bottom() > box.bottom())
                continue;
            if (row.paragraph == 0)
                hots.push_back({row.rect, locators::thumb(row.slide), actions::thumb(row.slide), {}, 0});
            else
                hots.push_back({row.rect,
                                locators::outline(row.slide, row.paragraph),
                                actions::click(targets::outline(row.slide, row.paragraph)),
                                {},
                                0});
        }
        m_view.m_scrolls.addScrollBarHots(hots, u"outline"_s, 0);
    } else if (pres.view.is(ViewKind::Normal)) {
        const int w = 100, h = 75;
        const QRect box = leftPaneBox();
        for (size_t i = 0; i < pres.slides.size(); ++i) {
            const QRect rect(
                34, kMainY + 30 + static_cast<int>(i) * (h + 14) - m_view.m_scrolls.m_thumbScroll, w, h);
            if (rect.top() < box.top() || rect.bottom() > box.bottom())
                continue;
            const int n = static_cast<int>(i) + 1;
            hots.push_back({rect, locators::thumb(n), actions::thumb(n), {}, 0});
        }
        m_view.m_scrolls.addScrollBarHots(hots, u"slides"_s, 0);
    }
    if (pres.view.is(ViewKind::SlideMaster)) {
        // The masters in the left pane: the slide master, and the title master below it.
        for (int n = 1; n <= (pres.titleMaster ? 2 : 1); ++n)
            hots.push_back({QRect(34, kMainY + 30 + (n - 1) * (75 + 14), 100, 75),
                            locators::thumb(n),
                            actions::thumb(n),
                            {},
                            0});
    }
}

void SlideAreaPart::addHots(std::vector<Hot>& hots) const
{
    const Presentation& pres = m_view.m_session->presentation();
    if (pres.view.is(ViewKind::Sorter)) {
        // Four slides a row at the sorter's own zoom; another zoom makes them larger or smaller.
        const QRect area = m_view.slideAreaRect();
        const int w = qRound(((area.width() - 20) / 4 - 16) * double(m_view.shownZoom()) / kSorterOwnZoom);
        const int cols = std::max(1, (area.width() - 20) / (w + 16));
        const int h = w * 3 / 4;
        for (size_t i = 0; i < pres.slides.size(); ++i) {
            const int c = static_cast<int>(i) % cols, r = static_cast<int>(i) / cols;
            const QRect rect(area.left() + 18 + c * (w + 16), area.top() + 14 + r * (h + 30), w, h);
            const int n = static_cast<int>(i) + 1;
            hots.push_back({rect, locators::thumb(n), actions::thumb(n), {}, 0});
        }
    }
    if (pres.view.is(ViewKind::SlideMaster)) {
        const Slide master = shownMasterSlide();
        const QRect sr = m_view.slideRectInArea();
        hots.push_back({sr, locators::slideArea(), actions::click(u"slide"_s), {}, 0});
        hots.push_back({QRect(sr.left() + sr.width() / 20, sr.bottom() - sr.height() / 16, sr.width() / 3,
                              sr.height() / 24),
                        locators::slideEmpty(),
                        actions::click(u"slide"_s),
                        {},
                        0});
        hots.push_back({titleRect(sr, master).toRect(),
                        locators::placeholder(u"title"_s),
                        actions::click(u"title"_s),
                        {},
                        0});
        hots.push_back({bodyRect(sr, master).toRect(),
                        locators::placeholder(u"body"_s),
                        actions::click(u"body"_s),
                        {},
                        0});
    }
    if (pres.view.is(ViewKind::NotesMaster) || pres.view.is(ViewKind::HandoutMaster)) {
        const SlideAreaPart::MasterPage page = masterPage();
        hots.push_back({page.page, locators::slideArea(), actions::click(u"slide"_s), {}, 0});
        hots.push_back({QRect(page.page.left() + 10, page.page.bottom() - 40, page.page.width() / 3, 16),
                        locators::slideEmpty(),
                        actions::click(u"slide"_s),
                        {},
                        0});
        if (!page.slide.isNull())
            hots.push_back(
                {page.slide, locators::placeholder(u"title"_s), actions::click(u"title"_s), {}, 0});
        hots.push_back({page.notes, locators::placeholder(u"body"_s), actions::click(u"body"_s), {}, 0});
    }
    // Placeholders and shapes of the current slide.
    if (pres.view.isNormal() || pres.view.is(ViewKind::Notes))
        addSlideHots(hots);
}

void SlideAreaPart::addSlideHots(std::vector<Hot>& hots) const
{
    const Presentation& pres = m_view.m_session->presentation();
    const QRect sr = m_view.slideRectInArea();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    const size_t firstSlideHot = hots.size();
    hots.push_back({sr, locators::slideArea(), actions::click(u"slide"_s), {}, 0});
    // A strip at the foot of the slide that no placeholder covers.
    hots.push_back(
        {QRect(sr.left() + sr.width() / 20, sr.bottom() - sr.height() / 16, sr.width() / 3, sr.height() / 24),
         locators::slideEmpty(),
         actions::click(u"slide"_s),
         {},
         0});
    const QRectF tr = titleRect(sr, slide);
    const QRectF br = bodyRect(sr, slide);
    // The border of a placeholder: a click selects it, a double-click opens 设置占位符格式.
    auto addFrame = [&hots](const QRect& r, const QString& ph) {
        const int b = 3;
        const QString loc = locators::frame(ph);
        const QString click = actions::click(ph);
        hots.push_back({QRect(r.left() - b, r.top() - b, r.width() + 2 * b, 2 * b), loc, click, {}, 0});
        hots.push_back({QRect(r.left() - b, r.top() + b, 2 * b, r.height() - 2 * b), loc, click, {}, 0});
        hots.push_back({QRect(r.right() - b + 1, r.top() + b, 2 * b, r.height() - 2 * b), loc, click, {}, 0});
    };
    if (!tr.isEmpty()) {
        hots.push_back({tr.toRect(), locators::placeholder(u"title"_s), actions::click(u"title"_s), {}, 0});
        addFrame(tr.toRect(), u"title"_s);
    }
    if (!br.isEmpty()) {
        const bool sub = slide.layout == u"标题幻灯片"_s;
        addFrame(br.toRect(), sub ? u"subtitle"_s : u"body"_s);
        hots.push_back({br.toRect(),
                        locators::placeholder(sub ? u"subtitle"_s : u"body"_s),
                        actions::click(sub ? u"subtitle"_s : u"body"_s),
                        {},
                        0});
    }
    const QRect area = m_view.slideAreaRect();
    const QRect notes = pres.view.is(ViewKind::Notes)
                            ? m_view.notesPageNotesRect()
                            : QRect(area.left(), area.bottom() - kNotesH + 1, area.width(), kNotesH);
    hots.push_back({notes, locators::placeholder(u"notes"_s), actions::click(u"notes"_s), {}, 0});
    for (size_t i = 0; i < slide.shapes.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        hots.push_back({shapeRect(sr, slide, static_cast<int>(i)).toRect(),
                        locators::shape(n),
                        actions::click(targets::shape(n)),
                        {},
                        0});
    }
    // A zoomed slide is seen, and reached, only inside its pane.
    const QRect seen = m_view.slidePaneRect();
    for (size_t i = firstSlideHot; i < hots.size(); ++i)
        if (hots[i].locator != locators::placeholder(u"notes"_s))
            hots[i].rect = hots[i].rect.intersected(seen);
}

} // namespace pptdrill
