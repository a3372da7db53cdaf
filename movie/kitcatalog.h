#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace pptdrill {

struct KitMenuItem
{
    QString text;
    QString shortcut;
    QString opens;
    bool separator = false;
    bool disabled = false;
    QStringList views;              // shown only in these views; every view when empty
    std::vector<KitMenuItem> items; // a submenu when not empty

    bool shownIn(const QString& view) const { return views.isEmpty() || views.contains(view); }
};

struct KitMenu
{
    QString title;
    std::vector<KitMenuItem> items;
};

struct KitButton
{
    QString name;
    std::vector<KitMenuItem> items; // a drop-down menu of the button
    QStringList values;             // a drop-down box's choices
    bool editable = false;
    QString icon;
    QString type; // "" for a button, "combo" for a drop-down box
    QString text; // shown beside the icon
    QString value;
    QString opens;
    QString shiftOpens; // what a click with Shift held opens ("toolbar:Shift+<button>")
    int width = 0;
    bool separator = false;
};

struct KitControl
{
    QString type;
    QString id;
    QString label;
    QString text;
    QString tab;
    QString opens;
    QString suffix;
    QString doubleClick; // the button a double-click on an item also presses (确定, 插入(S)…)
    QStringList items;
    QStringList headers;                  // gallery items that head a section, not choices
    std::map<QString, QString> itemOpens; // a choice that opens a dialog
    QJsonValue value;
    int x = 0, y = 0, w = 0, h = 0;
    int columns = 0;
    double min = 0, max = 0, step = 1;
    bool editable = false;
};

// A dialog or a task pane: a named set of controls.
struct KitForm
{
    QString name;
    QString title; // the title bar, when it is not the name
    bool dialog = false;
    int width = 0;
    int height = 0;
    std::vector<KitControl> controls;

    const KitControl* control(const QString& id) const;
    const KitControl* tabs() const;
};

struct KitKey
{
    QString key;
    QString name;
    QString opens;
};

// What an action names in the kit.
struct KitTarget
{
    enum Kind
    {
        Menu,
        Toolbar,
        ToolbarMenu,
        Context,
        Key,
        Thumb,
        DoubleClick,
        Click,
        TaskPane,
        Dialog,
    };
    Kind kind = Menu;
    QString form; // the task pane or dialog of a control
    QString area; // the context menu's area, or the clicked target
    QStringList path;
    const KitControl* control = nullptr;
    bool hasValue = false;
    QString value;
    QString opens;     // what the command opens
    QStringList views; // a menu command shown only in these views
    int slide = 0;     // thumb:n, click:thumb:n, dblclick:thumb:n
    int shape = 0;     // click:shape:n, dblclick:shape:n
    int paragraph = 0; // click:outline:s/p
};

// Menus, toolbars, context menus, shortcuts, task panes and dialogs of the
// simulated PowerPoint 2003, shared by every movie.
class KitCatalog
{
public:
    static Result<KitCatalog> parse(const QByteArray& json);
    // The kit built into the programs.
    static const KitCatalog& instance();

    // Resolves an action text; the error says what the action names that the
    // kit does not have.
    Result<KitTarget> resolve(const QString& action) const;

    const std::vector<KitMenu>& menus() const { return m_menus; }
    const std::vector<std::pair<QString, std::vector<KitButton>>>& toolbars() const { return m_toolbars; }
    const std::vector<KitMenuItem>* contextMenu(const QString& area) const;
    const KitForm* taskPane(const QString& name) const;
    const KitForm* dialog(const QString& name) const;
    const KitKey* key(const QString& shortcut) const;
    const KitButton* toolbarButton(const QString& name) const;
    QStringList taskPaneNames() const;

    // "ctrl+shift+f" and "Shift+Ctrl+F" both read "Ctrl+Shift+F".
    static QString normalizeShortcut(const QString& shortcut);

private:
    std::vector<KitMenu> m_menus;
    std::vector<std::pair<QString, std::vector<KitButton>>> m_toolbars;
    std::map<QString, std::vector<KitMenuItem>> m_contextMenus;
    std::map<QString, KitForm> m_taskPanes;
    std::map<QString, KitForm> m_dialogs;
    std::vector<KitKey> m_keys;
};

} // namespace pptdrill
