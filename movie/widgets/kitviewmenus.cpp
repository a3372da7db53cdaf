// The menus of the simulated window: the menu bar's, the context menus, a
// toolbar button's and a task-pane button's drop-down menus, with their
// submenus (lists of commands, or palettes of icons); where they stand, what a
// click on them does and how they are drawn.
#include "movie/kitcatalog.h"
#include "movie/locators.h"
#include "movie/widgets/kitcolours.h"
#include "movie/widgets/kitstyle.h"
#include "movie/widgets/kitview.h"
#include "movie/widgets/slidepainter.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

namespace {

constexpr int kCell = 24;   // a palette's cell: an icon with room around it
constexpr int kHandleH = 9; // the bar at the top of a palette, by which the real one floats off

} // namespace

void KitView::closeMenus()
{
    m_menu = MenuState{};
    rebuild();
    update();
}

void KitView::openMenu(int index)
{
    m_menu = MenuState{};
    m_menu.open = true;
    m_menu.top = index;
    rebuild();
    update();
}

void KitView::openContextMenu(const QString& area, const QPoint& at)
{
    if (!m_session->kit().contextMenu(area))
        return;
    m_menu = MenuState{};
    m_menu.open = true;
    m_menu.context = true;
    m_menu.area = area;
    m_menu.origin = at;
    rebuild();
    update();
}

void KitView::openToolbarMenu(const QString& button, const QRect& at)
{
    m_menu = MenuState{};
    m_menu.open = true;
    m_menu.toolbar = button;
    m_menu.origin = QPoint(at.left(), at.bottom() + 1);
    m_menu.anchorTop = at.top();
    rebuild();
    update();
}

void KitView::openPaneMenu(const QString& pane, const QString& button, const QRect& at)
{
    m_menu = MenuState{};
    m_menu.open = true;
    m_menu.pane = pane;
    m_menu.paneButton = button;
    m_menu.origin = QPoint(at.left(), at.bottom() + 1);
    m_menu.anchorTop = at.top();
    rebuild();
    update();
}

bool KitView::barMenuOpen() const
{
    return m_menu.open && !m_menu.context && m_menu.toolbar.isEmpty() && m_menu.pane.isEmpty() &&
           m_menu.top >= 0 && m_menu.top < static_cast<int>(m_session->kit().menus().size());
}

bool KitView::menuShows(const KitMenuItem& item) const
{
    return item.shownFor(m_session->view().name(), m_session->selectionKind(), m_session->selectionLinks());
}

const std::vector<KitMenuItem>* KitView::menuItems(int level) const
{
    if (!m_menu.open)
        return nullptr;
    const std::vector<KitMenuItem>* items = nullptr;
    if (!m_menu.toolbar.isEmpty()) {
        const KitButton* b = m_session->kit().toolbarButton(m_menu.toolbar);
        items = b ? &b->items : nullptr;
    } else if (!m_menu.pane.isEmpty()) {
        const KitForm* pane = m_session->kit().taskPane(m_menu.pane);
        const KitControl* button = pane ? pane->control(m_menu.paneButton) : nullptr;
        items = button ? &button->menu : nullptr;
    } else if (m_menu.context) {
        items = m_session->kit().contextMenu(m_menu.area);
    } else if (barMenuOpen()) {
        items = &m_session->kit().menus()[static_cast<size_t>(m_menu.top)].items;
    }
    for (int i = 0; items && i < level; ++i) {
        if (i >= static_cast<int>(m_menu.path.size()))
            return nullptr;
        const int idx = m_menu.path[static_cast<size_t>(i)];
        if (idx < 0 || idx >= static_cast<int>(items->size()))
            return nullptr;
        items = &(*items)[static_cast<size_t>(idx)].items;
        if (items->empty())
            return nullptr;
        if (items->size() == 1 && items->front().text == u"@slides"_s) {
            // The presentation's slides, as the show's 定位至幻灯片 lists them.
            m_slideMenu.clear();
            for (const QString& slide : m_session->slideMenuItems()) {
                KitMenuItem item;
                item.text = slide;
                m_slideMenu.push_back(std::move(item));
            }
            items = &m_slideMenu;
        }
    }
    return items;
}

bool KitView::toolbarListOpen(int level) const
{
    if (m_menu.context)
        return level == 0 && m_menu.area == u"toolbars"_s;
    if (!barMenuOpen() || level != 1 || m_menu.path.empty())
        return false;
    const std::vector<KitMenuItem>* top = menuItems(0);
    const int index = m_menu.path.front();
    return top && index >= 0 && index < static_cast<int>(top->size()) &&
           (*top)[static_cast<size_t>(index)].text == u"工具栏(T)"_s;
}

bool KitView::toolbarShown(const QString& name) const
{
    const Presentation& pres = m_session->presentation();
    if (pres.window.closed)
        return false;
    if (name == u"常用"_s || name == u"格式"_s)
        return true;
    if (name == u"绘图"_s)
        return pres.window.drawingToolbar;
    if (name == u"任务窗格"_s)
        return !pres.taskpane.isEmpty();
    return floatingToolbars().contains(name);
}

int KitView::menuColumns(int level) const
{
    if (level == 0) {
        const KitButton* b =
            m_menu.toolbar.isEmpty() ? nullptr : m_session->kit().toolbarButton(m_menu.toolbar);
        return b ? b->columns : 0;
    }
    const std::vector<KitMenuItem>* parent = menuItems(level - 1);
    const size_t index = static_cast<size_t>(m_menu.path[static_cast<size_t>(level - 1)]);
    return parent && index < parent->size() ? (*parent)[index].columns : 0;
}

KitView::MenuLayout KitView::menuLayout(int level) const
{
    MenuLayout layout;
    const std::vector<KitMenuItem>* items = menuItems(level);
    if (!items)
        return layout;
    const int columns = menuColumns(level);
    int w = 0, h = 0;
    if (columns > 0) {
        // Icons and colour swatches fill the rows of cells; any other item (无阴影(N)) is a row of text of
        // its own.
        const QFontMetrics fm(uiFont(12));
        w = columns * kCell + 4;
        h = kHandleH + 4;
        int cell = 0;
        for (const KitMenuItem& item : *items) {
            if (item.separator || !menuShows(item))
                continue;
            if (item.icon.isEmpty() && !isSwatch(item.text)) {
                h += kItemH;
                w = std::max(w, fm.horizontalAdvance(item.text) + 44);
                cell = 0;
            } else {
                h += cell % columns == 0 ? kCell : 0;
                ++cell;
            }
        }
    } else {
        const QFontMetrics fm(uiFont(12));
        int textW = 60, keyW = 0;
        h = 4;
        for (const KitMenuItem& item : *items) {
            if (!menuShows(item))
                continue;
            h += item.separator ? kSeparatorH : kItemH;
            textW = std::max(textW, fm.horizontalAdvance(item.text));
            keyW = std::max(keyW, fm.horizontalAdvance(item.shortcut));
        }
        w = 28 + textW + (keyW ? keyW + 24 : 0) + 28;
    }
    QPoint origin;
    MenuLayout parent;
    const bool dropDown = m_menu.context || !m_menu.toolbar.isEmpty() || !m_menu.pane.isEmpty();
    if (level == 0) {
        if (dropDown) {
            origin = m_menu.origin;
        } else if (barMenuOpen()) {
            const QString title = m_session->kit().menus()[static_cast<size_t>(m_menu.top)].title;
            if (const auto at = locate(locators::menuTitle(title)))
                origin = QPoint(at->left(), at->bottom() + 1);
        }
    } else {
        // A submenu opens beside the item that leads to it.
        parent = menuLayout(level - 1);
        origin = QPoint(parent.frame.right() - 3, parent.frame.top());
        for (const MenuRow& row : parent.rows) {
            if (row.index == m_menu.path[static_cast<size_t>(level - 1)])
                origin.setY(row.rect.top() - 2);
        }
    }
    QRect r(origin, QSize(w, h));
    if (r.right() > kWidth - 2)
        r.moveRight(level == 0 ? kWidth - 2 : parent.frame.left() + 3);
    // A menu taller than the window fills its height and scrolls, as Windows does.
    layout.scrolls = h > kHeight - 4 && columns == 0;
    const int anchor = m_menu.anchorTop >= 0 ? m_menu.anchorTop : origin.y();
    if (layout.scrolls)
        r = QRect(r.left(), 2, w, kHeight - 4);
    else if (r.bottom() > kHeight - 2 && level == 0 && dropDown && anchor - h >= 2)
        r.moveBottom(anchor - 1); // opens upwards
    else if (r.bottom() > kHeight - 2)
        r.moveBottom(kHeight - 2);
    layout.frame = r;

    if (columns > 0) {
        int cell = 0;
        int y = r.top() + 2 + kHandleH;
        for (int i = 0; i < static_cast<int>(items->size()); ++i) {
            const KitMenuItem& item = (*items)[static_cast<size_t>(i)];
            if (item.separator || !menuShows(item))
                continue;
            if (item.icon.isEmpty() && !isSwatch(item.text)) {
                y += cell % columns == 0 ? 0 : kCell;
                layout.rows.push_back({i, QRect(r.left() + 2, y, r.width() - 4, kItemH), false});
                y += kItemH;
                cell = 0;
                continue;
            }
            layout.rows.push_back(
                {i, QRect(r.left() + 2 + (cell % columns) * kCell, y, kCell, kCell), false});
            ++cell;
            y += cell % columns == 0 ? kCell : 0;
        }
        return layout;
    }
    int y = r.top() + 2;
    int bottom = r.bottom() - 1;
    if (layout.scrolls) {
        layout.up = QRect(r.left() + 2, r.top() + 2, w - 4, kMenuScrollH);
        layout.down = QRect(r.left() + 2, r.bottom() - 1 - kMenuScrollH, w - 4, kMenuScrollH);
        y = layout.up.bottom() + 1;
        bottom = layout.down.top() - 1;
    }
    const int first = layout.scrolls ? menuScroll(level) : 0;
    for (int i = first; i < static_cast<int>(items->size()); ++i) {
        if (!menuShows((*items)[static_cast<size_t>(i)]))
            continue;
        const bool separator = (*items)[static_cast<size_t>(i)].separator;
        const int rowH = separator ? kSeparatorH : kItemH;
        if (y + rowH - 1 > bottom)
            break;
        layout.rows.push_back({i, QRect(r.left() + 2, y, r.width() - 4, rowH), separator});
        y += rowH;
    }
    layout.moreAbove = first > 0;
    layout.moreBelow = !layout.rows.empty() && layout.rows.back().index + 1 < static_cast<int>(items->size());
    return layout;
}

QRect KitView::menuRect(int level) const
{
    return menuLayout(level).frame;
}

int KitView::menuScroll(int level) const
{
    const size_t l = static_cast<size_t>(level);
    return l < m_menu.scroll.size() ? m_menu.scroll[l] : 0;
}

void KitView::scrollMenu(int level, int by)
{
    const MenuLayout layout = menuLayout(level);
    if (!layout.scrolls || (by < 0 && !layout.moreAbove) || (by > 0 && !layout.moreBelow))
        return;
    const size_t l = static_cast<size_t>(level);
    if (m_menu.scroll.size() <= l)
        m_menu.scroll.resize(l + 1, 0);
    m_menu.scroll[l] = std::max(0, m_menu.scroll[l] + by);
    // The submenus of a scrolled menu close.
    if (m_menu.path.size() > l)
        m_menu.path.resize(l);
    rebuild();
    update();
}

QStringList KitView::menuPath(int level, int index) const
{
    QStringList parts;
    if (!m_menu.toolbar.isEmpty())
        parts << m_menu.toolbar;
    else if (!m_menu.pane.isEmpty())
        parts << m_menu.pane << m_menu.paneButton;
    else if (barMenuOpen())
        parts << m_session->kit().menus()[static_cast<size_t>(m_menu.top)].title;
    for (int l = 0; l <= level; ++l) {
        const std::vector<KitMenuItem>* items = menuItems(l);
        const int idx = l == level ? index : m_menu.path[static_cast<size_t>(l)];
        parts << (*items)[static_cast<size_t>(idx)].text;
    }
    return parts;
}

QString KitView::menuItemLocator(int level, int index) const
{
    const QStringList path = menuPath(level, index);
    if (!m_menu.toolbar.isEmpty())
        return locators::toolbarItem(path);
    if (!m_menu.pane.isEmpty())
        return locators::paneItem(path);
    return m_menu.context ? locators::contextItem(path) : locators::menuItem(path);
}

void KitView::addMenuHots(std::vector<Hot>& hots) const
{
    for (int level = 0;; ++level) {
        const std::vector<KitMenuItem>* items = menuItems(level);
        if (!items)
            break;
        const MenuLayout layout = menuLayout(level);
        const bool palette = menuColumns(level) > 0;
        for (const MenuRow& row : layout.rows) {
            const KitMenuItem& item = (*items)[static_cast<size_t>(row.index)];
            if (row.separator)
                continue;
            const QStringList path = menuPath(level, row.index);
            Hot hot;
            hot.rect = row.rect;
            hot.layer = 10 + level;
            hot.locator = menuItemLocator(level, row.index);
            // A palette shows icons only: their names come as tooltips.
            if (palette)
                hot.tooltip = item.text;
            if (item.items.empty() && !item.disabled) {
                if (!m_menu.toolbar.isEmpty())
                    hot.action = actions::toolbarMenu(path);
                else if (!m_menu.pane.isEmpty())
                    hot.action = actions::taskPane(m_menu.pane, item.control, item.value);
                else if (m_menu.context)
                    hot.action = actions::context(m_menu.area, path);
                else
                    hot.action = actions::menu(path);
            }
            hots.push_back(hot);
        }
        if (layout.scrolls) {
            hots.push_back({layout.up, locators::menuScroll(true, level), {}, {}, 10 + level});
            hots.push_back({layout.down, locators::menuScroll(false, level), {}, {}, 10 + level});
        }
        if (level + 1 > static_cast<int>(m_menu.path.size()))
            break;
    }
}

void KitView::clickInMenu(const Hot& h, const QPoint& point, Qt::MouseButton button)
{
    const LocatorParts at = parseLocator(h.locator);
    if (at.kind == LocatorParts::MenuScroll) {
        scrollMenu(at.level, at.name == u"up"_s ? -1 : 1);
        return;
    }
    if (at.isMenuItem()) {
        if (h.action.isEmpty()) {
            // A submenu opens where it was clicked.
            const int level = h.layer - 10;
            const std::vector<KitMenuItem>* items = menuItems(level);
            for (size_t i = 0; items && i < items->size(); ++i) {
                if ((*items)[i].text == at.last() && !(*items)[i].items.empty() && menuShows((*items)[i])) {
                    m_menu.path.resize(static_cast<size_t>(level));
                    m_menu.path.push_back(static_cast<int>(i));
                }
            }
            rebuild();
            update();
            return;
        }
        const QString action = h.action;
        closeMenus();
        perform(action);
        return;
    }
    const bool sameTitle = barMenuOpen() && at.kind == LocatorParts::MenuTitle &&
                           at.name == m_session->kit().menus()[static_cast<size_t>(m_menu.top)].title;
    closeMenus();
    if (at.kind == LocatorParts::MenuTitle && !sameTitle && button == Qt::LeftButton)
        clickAt(point, button);
}

void KitView::paintMenus(QPainter& p)
{
    if (!m_menu.open)
        return;
    const QFontMetrics fm(uiFont(12));
    const QPoint pointer = m_demo.running ? m_demo.pointer : m_mouse;
    for (int level = 0;; ++level) {
        const std::vector<KitMenuItem>* items = menuItems(level);
        if (!items)
            break;
        const MenuLayout layout = menuLayout(level);
        const QRect r = layout.frame;
        const bool palette = menuColumns(level) > 0;
        const bool toolbars = toolbarListOpen(level);
        p.fillRect(r.translated(3, 3), QColor(0, 0, 0, 60));
        p.fillRect(r, QColor(0xF6, 0xF6, 0xF6));
        if (palette) {
            // The bar by which the real palette floats off, with its grip.
            const QRect handle(r.left() + 2, r.top() + 2, r.width() - 4, kHandleH - 2);
            p.fillRect(handle, QColor(0xC5, 0xD7, 0xF2));
            p.setPen(QColor(0x27, 0x41, 0x76));
            for (int x = handle.left() + 4; x < handle.right() - 3; x += 3)
                p.drawPoint(x, handle.center().y());
        } else {
            QLinearGradient g(QPoint(r.left(), 0), QPoint(r.left() + 24, 0));
            g.setColorAt(0, QColor(0xE3, 0xEF, 0xFF));
            g.setColorAt(1, QColor(0x87, 0xAD, 0xE4));
            p.fillRect(QRect(r.left() + 1, r.top() + 1, 24, r.height() - 2), g);
        }
        p.setPen(QColor(0x00, 0x2D, 0x96));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        int keyX = r.right() - 20;
        for (const KitMenuItem& item : *items)
            keyX = std::min(keyX, r.right() - 28 - fm.horizontalAdvance(item.shortcut));
        for (const MenuRow& row : layout.rows) {
            const KitMenuItem& item = (*items)[static_cast<size_t>(row.index)];
            const int y = row.rect.top();
            if (row.separator) {
                p.setPen(QColor(0x6A, 0x8C, 0xCB));
                p.drawLine(r.left() + 32, y + 3, r.right() - 4, y + 3);
                continue;
            }
            const QRect& ir = row.rect;
            const bool open = level < static_cast<int>(m_menu.path.size()) &&
                              m_menu.path[static_cast<size_t>(level)] == row.index;
            if ((ir.contains(pointer) || open) && !item.disabled) {
                p.fillRect(ir, kSelect);
                p.setPen(kSelectLine);
                p.drawRect(ir.adjusted(0, 0, -1, -1));
            }
            if (palette && item.icon.isEmpty() && isSwatch(item.text)) {
                // A palette of colours (墨迹颜色): a swatch for each, named by its tooltip.
                const QRect swatch(ir.center().x() - 6, ir.center().y() - 6, 12, 12);
                p.fillRect(swatch, colourOf(item.text, {}));
                p.setPen(QColor(0x80, 0x80, 0x80));
                p.drawRect(swatch.adjusted(0, 0, -1, -1));
                continue;
            }
            if (palette && !item.icon.isEmpty()) {
                paintIcon(p, QRect(ir.center().x() - 8, ir.center().y() - 8, 16, 16), item.icon);
                continue;
            }
            if (palette) {
                p.setPen(item.disabled ? kGreyText : Qt::black);
                p.setFont(uiFont(12));
                p.drawText(ir, Qt::AlignCenter, item.text);
                continue;
            }
            if (!item.icon.isEmpty())
                paintIcon(p, QRect(r.left() + 5, y + (kItemH - 16) / 2, 16, 16), item.icon);
            if (toolbars && toolbarShown(item.text)) {
                // A ticked item: its box in the icon column, and the tick.
                const QRect box(r.left() + 3, y + (kItemH - 18) / 2, 19, 18);
                p.fillRect(box, QColor(0xFF, 0xC0, 0x6F));
                p.setPen(kSelectLine);
                p.drawRect(box.adjusted(0, 0, -1, -1));
                p.setPen(QPen(Qt::black, 2));
                const QPoint c = box.center();
                p.drawPolyline(QPolygon({c + QPoint(-4, 0), c + QPoint(-1, 3), c + QPoint(4, -3)}));
            }
            p.setPen(item.disabled ? kGreyText : Qt::black);
            p.setFont(uiFont(12));
            p.drawText(QRect(ir.left() + 30, y, ir.width() - 40, kItemH), Qt::AlignVCenter, item.text);
            if (!item.shortcut.isEmpty())
                p.drawText(QRect(keyX, y, r.right() - keyX, kItemH), Qt::AlignVCenter, item.shortcut);
            if (!item.items.empty()) {
                p.setBrush(Qt::black);
                const QPoint c(ir.right() - 8, y + kItemH / 2);
                const QPoint tri[3] = {c + QPoint(-2, -4), c + QPoint(-2, 4), c + QPoint(2, 0)};
                p.drawPolygon(tri, 3);
                p.setBrush(Qt::NoBrush);
            }
        }
        if (layout.scrolls) {
            // The arrows of a scrolling menu: grey when that end is reached.
            for (const bool up : {true, false}) {
                const QRect a = up ? layout.up : layout.down;
                p.fillRect(a, QColor(0xF6, 0xF6, 0xF6));
                p.setBrush((up ? layout.moreAbove : layout.moreBelow) ? Qt::black : kGreyText);
                p.setPen(Qt::NoPen);
                const QPoint c = a.center();
                const QPolygon arrow =
                    up ? QPolygon({c + QPoint(-4, 2), c + QPoint(4, 2), c + QPoint(0, -2)})
                       : QPolygon({c + QPoint(-4, -2), c + QPoint(4, -2), c + QPoint(0, 2)});
                p.drawPolygon(arrow);
                p.setBrush(Qt::NoBrush);
            }
        }
        if (level + 1 > static_cast<int>(m_menu.path.size()))
            break;
    }
}

} // namespace pptdrill
