#pragma once

#include "movie/kit/kitcatalog.h"
#include "movie/widgets/window/hotarea.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace pptdrill {

class MovieSession;

// The part of the window a right click lands on, by which the kit's context menu opens.
enum class ContextArea
{
    Slide,
    Thumbnail,
    Text,
    Sorter,
    Shape,
    Picture,
    Chart,
    OrgChart,
    WordArt,
    TextBox,
    Table,
    Movie,
    Sound,
    Show,
    TaskPanes,
    Toolbars,
};
// The name the kit and the actions give the area ("slide", "orgchart" …).
QString contextAreaName(ContextArea area);
std::optional<ContextArea> contextAreaNamed(const QString& name);

// The access letter of a menu item or a control's caption: "字体(F)..." → 'F'.
QChar accessKey(const QString& text);

// The open menu of the simulated window: one of the menu bar's, a context menu,
// a toolbar button's or a task-pane button's drop-down, with its open submenus
// (lists of commands, or palettes of icons). It keeps which is open, lays it out,
// gives its hit areas and paints it.
class MenuPart
{
public:
    struct Row
    {
        int index;
        QRect rect;
        bool separator;
    };
    // Where a menu of the open chain stands and which of its items are on view: a
    // menu taller than the window shows scroll arrows at both ends.
    struct Layout
    {
        QRect frame;
        std::vector<Row> rows;
        bool scrolls = false;
        bool moreAbove = false;
        bool moreBelow = false;
        QRect up, down;
    };
    // What a click on the open menu leaves to the window.
    struct Click
    {
        enum Kind
        {
            Done,         // the menu took it (a submenu opened, the menu scrolled)
            Perform,      // the menu closed; `action` is to be performed
            ClickThrough, // the menu closed; the click goes to what lies beneath
            Closed,       // the menu closed
        } kind = Done;
        QString action;
    };
    using Locate = std::function<std::optional<QRect>(const QString&)>;
    using ToolbarShown = std::function<bool(const QString&)>;

    MenuPart(const MovieSession& session, Locate locate, ToolbarShown toolbarShown);

    bool isOpen() const { return m_open; }
    void close();
    void openBar(int index);
    // False when the kit has no context menu for the area.
    bool openContext(const QString& area, QPoint at);
    void openToolbar(const QString& button, const QRect& at);
    void openPane(const QString& pane, const QString& button, const QRect& at);

    // A menu of the menu bar is open (not a context or drop-down menu), and its title.
    bool barMenuOpen() const;
    QString barTitle() const;
    bool isToolbarMenuOf(const QString& button) const { return m_open && m_toolbar == button; }
    bool isPaneMenuOf(const QString& pane, const QString& button) const
    {
        return m_open && m_pane == pane && m_paneButton == button;
    }
    // The level of the deepest open submenu.
    int depth() const { return static_cast<int>(m_path.size()); }

    // The items of the menu at `level` as the current view and selection show them; null when not open.
    const std::vector<KitMenuItem>* items(int level) const;
    // A menu of the bar with its "@recent" item given the names of the files opened last.
    const std::vector<KitMenuItem>* withRecentFiles(const std::vector<KitMenuItem>* list) const;
    bool greyed(const KitMenuItem& item) const;
    bool shows(const KitMenuItem& item) const;
    Layout layout(int level) const;
    int scrollOf(int level) const;
    // False when the menu has nothing more that way.
    bool scroll(int level, int by);
    QString itemLocator(int level, int index) const;
    // The item of the deepest menu whose access letter is `key`, for the keyboard.
    std::optional<QString> itemLocatorForKey(QChar key) const;

    void addHots(std::vector<Hot>& hots) const;
    Click click(const Hot& hot, Qt::MouseButton button);
    void paint(QPainter& p, QPoint pointer) const;

private:
    // A menu drawn as a palette of icons has this many to a row; 0 for a list.
    int columns(int level) const;
    // The menu at `level` lists the toolbars (视图 → 工具栏, the toolbars' context menu).
    bool toolbarListOpen(int level) const;
    // The texts of the open menus down to item `index` of level `level`, after the menu's title,
    // toolbar button, or task pane and button.
    QStringList path(int level, int index) const;
    // The menu's size, where it opens (upwards or scrolling where the window is too short), and
    // where its items lie in it.
    QSize measure(int level) const;
    void place(int level, QSize size, Layout& layout) const;
    void placePaletteCells(int level, Layout& layout) const;
    void placeListRows(int level, Layout& layout) const;
    void paintFrame(QPainter& p, const QRect& frame, bool palette) const;
    void paintItem(QPainter& p, int level, const Row& row, const QRect& frame, int keyX,
                   QPoint pointer) const;
    void paintScrollArrows(QPainter& p, const Layout& layout) const;

    const MovieSession& m_session;
    Locate m_locate;
    ToolbarShown m_toolbarShown;

    bool m_open = false;
    bool m_context = false;
    QString m_area;            // context menus: slide, thumbnail, text, sorter …
    QString m_toolbar;         // a toolbar button's drop-down menu
    QString m_pane;            // a task-pane button's drop-down menu: the pane
    QString m_paneButton;      // and the button
    QPoint m_origin;           // context and drop-down menus: where the menu opens
    int m_anchorTop = -1;      // a drop-down menu: the top of its button, for opening upwards
    int m_top = -1;            // menu bar index
    std::vector<int> m_path;   // open submenus, by item index
    std::vector<int> m_scroll; // the first item shown of a scrolled menu, by level
    // The items of a submenu of the presentation's slides, as items() gives them.
    mutable std::vector<KitMenuItem> m_slideMenu;
    // The menu bar's menu with "@recent" standing for the files opened last (文件's 1 年度总结).
    mutable std::vector<KitMenuItem> m_recentMenu;
    // A menu that lists the open windows (窗口), with them in place of its "@windows" item.
    mutable std::vector<KitMenuItem> m_windowMenu;
};

} // namespace pptdrill
