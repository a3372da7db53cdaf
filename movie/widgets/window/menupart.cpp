// The open menu of the simulated window: which one, where it and its submenus
// stand, what a click on them does and how they are drawn.
#include "movie/widgets/window/menupart.h"

#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitstyle.h"

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

const std::pair<ContextArea, QStringView> kContextAreaNames[] = {
    {ContextArea::Slide, u"slide"},         {ContextArea::Thumbnail, u"thumbnail"},
    {ContextArea::Text, u"text"},           {ContextArea::Sorter, u"sorter"},
    {ContextArea::Shape, u"shape"},         {ContextArea::Picture, u"picture"},
    {ContextArea::Chart, u"chart"},         {ContextArea::OrgChart, u"orgchart"},
    {ContextArea::WordArt, u"wordart"},     {ContextArea::TextBox, u"textbox"},
    {ContextArea::Table, u"table"},         {ContextArea::Movie, u"movie"},
    {ContextArea::Sound, u"sound"},         {ContextArea::Show, u"show"},
    {ContextArea::TaskPanes, u"taskpanes"}, {ContextArea::Toolbars, u"toolbars"},
};

} // namespace

QString contextAreaName(ContextArea area)
{
    for (const auto& [a, name] : kContextAreaNames) {
        if (a == area)
            return name.toString();
    }
    return {};
}

std::optional<ContextArea> contextAreaNamed(const QString& name)
{
    for (const auto& [a, n] : kContextAreaNames) {
        if (n == name)
            return a;
    }
    return std::nullopt;
}

QChar accessKey(const QString& text)
{
    const qsizetype open = text.indexOf(u'(');
    if (open >= 0 && open + 2 < text.size() && text[open + 2] == u')')
        return text[open + 1].toUpper();
    return {};
}

MenuPart::MenuPart(const MovieSession& session, Locate locate, ToolbarShown toolbarShown)
    : m_session(session), m_locate(std::move(locate)), m_toolbarShown(std::move(toolbarShown))
{
}

void MenuPart::close()
{
    m_open = false;
    m_context = false;
    m_area.clear();
    m_toolbar.clear();
    m_pane.clear();
    m_paneButton.clear();
    m_origin = {};
    m_anchorTop = -1;
    m_top = -1;
    m_path.clear();
    m_scroll.clear();
}

void MenuPart::openBar(int index)
{
    close();
    m_open = true;
    m_top = index;
}

bool MenuPart::openContext(const QString& area, QPoint at)
{
    if (!m_session.kit().contextMenu(area))
        return false;
    close();
    m_open = true;
    m_context = true;
    m_area = area;
    m_origin = at;
    return true;
}

void MenuPart::openToolbar(const QString& button, const QRect& at)
{
    close();
    m_open = true;
    m_toolbar = button;
    m_origin = QPoint(at.left(), at.bottom() + 1);
    m_anchorTop = at.top();
}

void MenuPart::openPane(const QString& pane, const QString& button, const QRect& at)
{
    close();
    m_open = true;
    m_pane = pane;
    m_paneButton = button;
    m_origin = QPoint(at.left(), at.bottom() + 1);
    m_anchorTop = at.top();
}

QString MenuPart::barTitle() const
{
    return barMenuOpen() ? m_session.menuBar()[static_cast<size_t>(m_top)].title : QString();
}

bool MenuPart::barMenuOpen() const
{
    return m_open && !m_context && m_toolbar.isEmpty() && m_pane.isEmpty() && m_top >= 0 &&
           m_top < static_cast<int>(m_session.menuBar().size());
}

bool MenuPart::shows(const KitMenuItem& item) const
{
    return item.shownFor(m_session.view().name(), m_session.selectionKinds(), m_session.selectionLinks(),
                         !objectText(m_session.selectedSlide(), m_session.selectedObject()).isEmpty());
}

bool MenuPart::greyed(const KitMenuItem& item) const
{
    return item.greyedFor(m_session.selectionKinds());
}

const std::vector<KitMenuItem>* MenuPart::withRecentFiles(const std::vector<KitMenuItem>* list) const
{
    const auto recent = std::find_if(list->begin(), list->end(),
                                     [](const KitMenuItem& item) { return item.text == u"@recent"_s; });
    if (recent == list->end())
        return list;
    // The files opened last, numbered: the presentation on view was the last one opened.
    m_recentMenu.assign(list->begin(), recent);
    const QString file = m_session.presentation().file;
    if (!file.isEmpty()) {
        KitMenuItem item;
        item.text = u"1 %1"_s.arg(file);
        m_recentMenu.push_back(std::move(item));
    }
    auto rest = std::next(recent);
    // Without a file to name, the separator under the list goes with it.
    if (file.isEmpty() && rest != list->end() && rest->separator)
        ++rest;
    m_recentMenu.insert(m_recentMenu.end(), rest, list->end());
    return &m_recentMenu;
}

const std::vector<KitMenuItem>* MenuPart::items(int level) const
{
    if (!m_open)
        return nullptr;
    const std::vector<KitMenuItem>* list = nullptr;
    if (!m_toolbar.isEmpty()) {
        const KitButton* b = m_session.kit().toolbarButton(m_toolbar);
        list = b ? &b->items : nullptr;
    } else if (!m_pane.isEmpty()) {
        const KitForm* pane = m_session.kit().taskPane(m_pane);
        const KitControl* button = pane ? pane->control(m_paneButton) : nullptr;
        list = button ? &button->menu : nullptr;
    } else if (m_context) {
        list = m_session.kit().contextMenu(m_area);
    } else if (barMenuOpen()) {
        list = &m_session.menuBar()[static_cast<size_t>(m_top)].items;
        list = withRecentFiles(list);
    }
    for (int i = 0; list && i < level; ++i) {
        if (i >= static_cast<int>(m_path.size()))
            return nullptr;
        const int idx = m_path[static_cast<size_t>(i)];
        if (idx < 0 || idx >= static_cast<int>(list->size()))
            return nullptr;
        list = &(*list)[static_cast<size_t>(idx)].items;
        if (list->empty())
            return nullptr;
        if (list->size() == 1 && list->front().text == u"@slides"_s) {
            // The presentation's slides, as the show's 定位至幻灯片 lists them.
            m_slideMenu.clear();
            for (const QString& slide : slideMenuItems(m_session.presentation())) {
                KitMenuItem item;
                item.text = slide;
                m_slideMenu.push_back(std::move(item));
            }
            list = &m_slideMenu;
        }
    }
    const auto windows = list ? std::find_if(list->begin(), list->end(),
                                             [](const KitMenuItem& i) { return i.text == u"@windows"_s; })
                              : std::vector<KitMenuItem>::const_iterator();
    if (list && windows != list->end()) {
        // The open windows, numbered, in place of the kit's "@windows".
        std::vector<KitMenuItem> withWindows(list->begin(), windows);
        for (const QString& window : windowMenuItems(m_session.presentation())) {
            KitMenuItem item;
            item.text = window;
            withWindows.push_back(std::move(item));
        }
        withWindows.insert(withWindows.end(), windows + 1, list->end());
        // A separator above no window goes too (PowerPoint closed, no presentation open).
        if (!withWindows.empty() && withWindows.back().separator)
            withWindows.pop_back();
        m_windowMenu = std::move(withWindows);
        list = &m_windowMenu;
    }
    return list;
}

bool MenuPart::toolbarListOpen(int level) const
{
    if (m_context)
        return level == 0 && m_area == u"toolbars"_s;
    if (!barMenuOpen() || level != 1 || m_path.empty())
        return false;
    const std::vector<KitMenuItem>* top = items(0);
    const int index = m_path.front();
    return top && index >= 0 && index < static_cast<int>(top->size()) &&
           (*top)[static_cast<size_t>(index)].text == u"工具栏(T)"_s;
}

int MenuPart::columns(int level) const
{
    if (level == 0) {
        const KitButton* b = m_toolbar.isEmpty() ? nullptr : m_session.kit().toolbarButton(m_toolbar);
        return b ? b->columns : 0;
    }
    const std::vector<KitMenuItem>* parent = items(level - 1);
    const size_t index = static_cast<size_t>(m_path[static_cast<size_t>(level - 1)]);
    return parent && index < parent->size() ? (*parent)[index].columns : 0;
}

QSize MenuPart::measure(int level) const
{
    const std::vector<KitMenuItem>& list = *items(level);
    const int cols = columns(level);
    const QFontMetrics fm(uiFont(12));
    int w = 0, h = 0;
    if (cols > 0) {
        // Icons and colour swatches fill the rows of cells; any other item (无阴影(N)) is a row of text of
        // its own.
        w = cols * kCell + 4;
        h = kHandleH + 4;
        int cell = 0;
        for (const KitMenuItem& item : list) {
            if (item.separator || !shows(item))
                continue;
            if (item.icon.isEmpty() && !isSwatch(item.text)) {
                h += kItemH;
                w = std::max(w, fm.horizontalAdvance(item.text) + 44);
                cell = 0;
            } else {
                h += cell % cols == 0 ? kCell : 0;
                ++cell;
            }
        }
        return {w, h};
    }
    int textW = 60, keyW = 0;
    h = 4;
    for (const KitMenuItem& item : list) {
        if (!shows(item))
            continue;
        h += item.separator ? kSeparatorH : kItemH;
        textW = std::max(textW, fm.horizontalAdvance(item.text));
        keyW = std::max(keyW, fm.horizontalAdvance(item.shortcut));
    }
    return {28 + textW + (keyW ? keyW + 24 : 0) + 28, h};
}

void MenuPart::place(int level, QSize size, Layout& layout) const
{
    QPoint origin;
    Layout parent;
    const bool dropDown = m_context || !m_toolbar.isEmpty() || !m_pane.isEmpty();
    if (level == 0) {
        if (dropDown) {
            origin = m_origin;
        } else if (barMenuOpen()) {
            if (const auto at = m_locate(locators::menuTitle(barTitle())))
                origin = QPoint(at->left(), at->bottom() + 1);
        }
    } else {
        // A submenu opens beside the item that leads to it.
        parent = this->layout(level - 1);
        origin = QPoint(parent.frame.right() - 3, parent.frame.top());
        for (const Row& row : parent.rows) {
            if (row.index == m_path[static_cast<size_t>(level - 1)])
                origin.setY(row.rect.top() - 2);
        }
    }
    QRect r(origin, size);
    // A context menu opens below and right of the pointer; with no room on the right, left of it.
    if (r.right() > kWidth - 2 && level == 0 && m_context && origin.x() - size.width() >= 2)
        r.moveRight(origin.x() - 1);
    else if (r.right() > kWidth - 2)
        r.moveRight(level == 0 ? kWidth - 2 : parent.frame.left() + 3);
    // A menu taller than the window fills its height and scrolls, as Windows does.
    layout.scrolls = size.height() > kHeight - 4 && columns(level) == 0;
    const int anchor = m_anchorTop >= 0 ? m_anchorTop : origin.y();
    if (layout.scrolls)
        r = QRect(r.left(), 2, size.width(), kHeight - 4);
    else if (r.bottom() > kHeight - 2 && level == 0 && dropDown && anchor - size.height() >= 2)
        r.moveBottom(anchor - 1); // opens upwards
    else if (r.bottom() > kHeight - 2)
        r.moveBottom(kHeight - 2);
    layout.frame = r;
}

void MenuPart::placePaletteCells(int level, Layout& layout) const
{
    const std::vector<KitMenuItem>& list = *items(level);
    const int cols = columns(level);
    const QRect& r = layout.frame;
    int cell = 0;
    int y = r.top() + 2 + kHandleH;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        const KitMenuItem& item = list[static_cast<size_t>(i)];
        if (item.separator || !shows(item))
            continue;
        if (item.icon.isEmpty() && !isSwatch(item.text)) {
            y += cell % cols == 0 ? 0 : kCell;
            layout.rows.push_back({i, QRect(r.left() + 2, y, r.width() - 4, kItemH), false});
            y += kItemH;
            cell = 0;
            continue;
        }
        layout.rows.push_back({i, QRect(r.left() + 2 + (cell % cols) * kCell, y, kCell, kCell), false});
        ++cell;
        y += cell % cols == 0 ? kCell : 0;
    }
}

void MenuPart::placeListRows(int level, Layout& layout) const
{
    const std::vector<KitMenuItem>& list = *items(level);
    const QRect& r = layout.frame;
    int y = r.top() + 2;
    int bottom = r.bottom() - 1;
    if (layout.scrolls) {
        layout.up = QRect(r.left() + 2, r.top() + 2, r.width() - 4, kMenuScrollH);
        layout.down = QRect(r.left() + 2, r.bottom() - 1 - kMenuScrollH, r.width() - 4, kMenuScrollH);
        y = layout.up.bottom() + 1;
        bottom = layout.down.top() - 1;
    }
    const int first = layout.scrolls ? scrollOf(level) : 0;
    for (int i = first; i < static_cast<int>(list.size()); ++i) {
        if (!shows(list[static_cast<size_t>(i)]))
            continue;
        const bool separator = list[static_cast<size_t>(i)].separator;
        const int rowH = separator ? kSeparatorH : kItemH;
        if (y + rowH - 1 > bottom)
            break;
        layout.rows.push_back({i, QRect(r.left() + 2, y, r.width() - 4, rowH), separator});
        y += rowH;
    }
    layout.moreAbove = first > 0;
    layout.moreBelow = !layout.rows.empty() && layout.rows.back().index + 1 < static_cast<int>(list.size());
}

MenuPart::Layout MenuPart::layout(int level) const
{
    Layout layout;
    if (!items(level))
        return layout;
    place(level, measure(level), layout);
    if (columns(level) > 0)
        placePaletteCells(level, layout);
    else
        placeListRows(level, layout);
    return layout;
}

int MenuPart::scrollOf(int level) const
{
    const size_t l = static_cast<size_t>(level);
    return l < m_scroll.size() ? m_scroll[l] : 0;
}

QStringList MenuPart::path(int level, int index) const
{
    QStringList parts;
    if (!m_toolbar.isEmpty())
        parts << m_toolbar;
    else if (!m_pane.isEmpty())
        parts << m_pane << m_paneButton;
    else if (barMenuOpen())
        parts << m_session.menuBar()[static_cast<size_t>(m_top)].title;
    for (int l = 0; l <= level; ++l) {
        const std::vector<KitMenuItem>* list = items(l);
        const int idx = l == level ? index : m_path[static_cast<size_t>(l)];
        parts << (*list)[static_cast<size_t>(idx)].text;
    }
    return parts;
}

QString MenuPart::itemLocator(int level, int index) const
{
    const QStringList texts = path(level, index);
    if (!m_toolbar.isEmpty())
        return locators::toolbarItem(texts);
    if (!m_pane.isEmpty())
        return locators::paneItem(texts);
    return m_context ? locators::contextItem(texts) : locators::menuItem(texts);
}

void MenuPart::addHots(std::vector<Hot>& hots) const
{
    for (int level = 0;; ++level) {
        const std::vector<KitMenuItem>* list = items(level);
        if (!list)
            break;
        const Layout shown = layout(level);
        const bool palette = columns(level) > 0;
        for (const Row& row : shown.rows) {
            const KitMenuItem& item = (*list)[static_cast<size_t>(row.index)];
            if (row.separator)
                continue;
            const QStringList texts = path(level, row.index);
            Hot hot;
            hot.rect = row.rect;
            hot.layer = 10 + level;
            hot.locator = itemLocator(level, row.index);
            // A palette shows icons only: their names come as tooltips.
            if (palette)
                hot.tooltip = item.text;
            if (item.items.empty() && !greyed(item)) {
                if (!m_toolbar.isEmpty())
                    hot.action = actions::toolbarMenu(texts);
                else if (!m_pane.isEmpty())
                    // A command of a list's menu presses its button; one of a button's menu chooses a value.
                    hot.action = item.value.isEmpty() ? actions::taskPane(m_pane, item.control)
                                                      : actions::taskPane(m_pane, item.control, item.value);
                else if (m_context)
                    hot.action = actions::context(m_area, texts);
                else
                    hot.action = actions::menu(texts);
            }
            hots.push_back(hot);
        }
        if (shown.scrolls) {
            hots.push_back({shown.up, locators::menuScroll(true, level), {}, {}, 10 + level});
            hots.push_back({shown.down, locators::menuScroll(false, level), {}, {}, 10 + level});
        }
        if (level + 1 > static_cast<int>(m_path.size()))
            break;
    }
}

bool MenuPart::scroll(int level, int by)
{
    const Layout shown = layout(level);
    if (!shown.scrolls || (by < 0 && !shown.moreAbove) || (by > 0 && !shown.moreBelow))
        return false;
    const size_t l = static_cast<size_t>(level);
    if (m_scroll.size() <= l)
        m_scroll.resize(l + 1, 0);
    m_scroll[l] = std::max(0, m_scroll[l] + by);
    // The submenus of a scrolled menu close.
    if (m_path.size() > l)
        m_path.resize(l);
    return true;
}

std::optional<QString> MenuPart::itemLocatorForKey(QChar key) const
{
    const int level = depth();
    const std::vector<KitMenuItem>* list = items(level);
    for (size_t i = 0; list && i < list->size(); ++i) {
        if (!(*list)[i].separator && shows((*list)[i]) && accessKey((*list)[i].text) == key)
            return itemLocator(level, static_cast<int>(i));
    }
    return std::nullopt;
}

MenuPart::Click MenuPart::click(const Hot& h, Qt::MouseButton button)
{
    const LocatorParts at = parseLocator(h.locator);
    if (at.kind == LocatorParts::MenuScroll) {
        scroll(at.level, at.name == u"up"_s ? -1 : 1);
        return {Click::Done, {}};
    }
    if (at.isMenuItem()) {
        if (!h.action.isEmpty()) {
            close();
            return {Click::Perform, h.action};
        }
        // A submenu opens where it was clicked.
        const int level = h.layer - 10;
        const std::vector<KitMenuItem>* list = items(level);
        for (size_t i = 0; list && i < list->size(); ++i) {
            if ((*list)[i].text == at.last() && !(*list)[i].items.empty() && shows((*list)[i])) {
                m_path.resize(static_cast<size_t>(level));
                m_path.push_back(static_cast<int>(i));
            }
        }
        return {Click::Done, {}};
    }
    const bool sameTitle = at.kind == LocatorParts::MenuTitle && barMenuOpen() && at.name == barTitle();
    close();
    if (at.kind == LocatorParts::MenuTitle && !sameTitle && button == Qt::LeftButton)
        return {Click::ClickThrough, {}};
    return {Click::Closed, {}};
}

void MenuPart::paint(QPainter& p, QPoint pointer) const
{
    if (!m_open)
        return;
    const QFontMetrics fm(uiFont(12));
    for (int level = 0;; ++level) {
        const std::vector<KitMenuItem>* list = items(level);
        if (!list)
            break;
        const Layout shown = layout(level);
        const QRect r = shown.frame;
        paintFrame(p, r, columns(level) > 0);
        int keyX = r.right() - 20;
        for (const KitMenuItem& item : *list)
            keyX = std::min(keyX, r.right() - 28 - fm.horizontalAdvance(item.shortcut));
        for (const Row& row : shown.rows) {
            if (row.separator) {
                p.setPen(QColor(0x6A, 0x8C, 0xCB));
                p.drawLine(r.left() + 32, row.rect.top() + 3, r.right() - 4, row.rect.top() + 3);
                continue;
            }
            paintItem(p, level, row, r, keyX, pointer);
        }
        if (shown.scrolls)
            paintScrollArrows(p, shown);
        if (level + 1 > depth())
            break;
    }
}

void MenuPart::paintFrame(QPainter& p, const QRect& r, bool palette) const
{
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
}

void MenuPart::paintItem(QPainter& p, int level, const Row& row, const QRect& r, int keyX,
                         QPoint pointer) const
{
    const KitMenuItem& item = (*items(level))[static_cast<size_t>(row.index)];
    const bool palette = columns(level) > 0;
    const QRect& ir = row.rect;
    const int y = ir.top();
    const bool open = level < depth() && m_path[static_cast<size_t>(level)] == row.index;
    if ((ir.contains(pointer) || open) && !greyed(item)) {
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
        return;
    }
    if (palette && !item.icon.isEmpty()) {
        paintIcon(p, QRect(ir.center().x() - 8, ir.center().y() - 8, 16, 16), item.icon);
        return;
    }
    p.setPen(greyed(item) ? kGreyText : Qt::black);
    p.setFont(uiFont(12));
    if (palette) {
        p.drawText(ir, Qt::AlignCenter, item.text);
        return;
    }
    if (!item.icon.isEmpty())
        paintIcon(p, QRect(r.left() + 5, y + (kItemH - 16) / 2, 16, 16), item.icon);
    const QStringList windows = windowMenuItems(m_session.presentation());
    const bool activeWindow = !windows.isEmpty() && item.text == windows.last() && item.items.empty();
    if ((toolbarListOpen(level) && m_toolbarShown(item.text)) || activeWindow) {
        // A ticked item: its box in the icon column, and the tick.
        const QRect box(r.left() + 3, y + (kItemH - 18) / 2, 19, 18);
        p.fillRect(box, QColor(0xFF, 0xC0, 0x6F));
        p.setPen(kSelectLine);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(QPen(Qt::black, 2));
        const QPoint c = box.center();
        p.drawPolyline(QPolygon({c + QPoint(-4, 0), c + QPoint(-1, 3), c + QPoint(4, -3)}));
        p.setPen(greyed(item) ? kGreyText : Qt::black);
    }
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

void MenuPart::paintScrollArrows(QPainter& p, const Layout& shown) const
{
    // The arrows of a scrolling menu: grey when that end is reached.
    for (const bool up : {true, false}) {
        const QRect a = up ? shown.up : shown.down;
        p.fillRect(a, QColor(0xF6, 0xF6, 0xF6));
        p.setBrush((up ? shown.moreAbove : shown.moreBelow) ? Qt::black : kGreyText);
        p.setPen(Qt::NoPen);
        const QPoint c = a.center();
        const QPolygon arrow = up ? QPolygon({c + QPoint(-4, 2), c + QPoint(4, 2), c + QPoint(0, -2)})
                                  : QPolygon({c + QPoint(-4, -2), c + QPoint(4, -2), c + QPoint(0, 2)});
        p.drawPolygon(arrow);
        p.setBrush(Qt::NoBrush);
    }
}

} // namespace pptdrill
