#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace pptdrill {

// A control greyed by another's choice that keeps the value it holds (`fixedFor`).
inline constexpr QStringView kHoldsOwnValue = u"@own";

struct KitMenuItem
{
    QString text;
    QString shortcut;
    QString opens;
    QString icon;
    bool separator = false;
    bool disabled = false;
    QStringList views;      // shown only in these views; every view when empty
    QStringList selected;   // shown only while such an object is selected ("placeholder", "nothing"…)
    QStringList enabledFor; // greyed unless such an object is selected; always enabled when empty
    // Shown only while the text selected links somewhere (true) or does not (false).
    std::optional<bool> link;
    // Shown only while the shape selected holds text (true: 编辑文本) or holds none (false: 添加文本).
    std::optional<bool> withText;
    std::vector<KitMenuItem> items; // a submenu when not empty
    int columns = 0;                // a submenu drawn as a palette of icons, this many to a row
    // An item of a task-pane button's menu chooses `value` in the pane's control `control`.
    QString control;
    QString value;

    // `selection` names what is selected: its kind ("object"), and a shape's type where that is
    // more particular ("movie").
    bool shownFor(const QString& view, const QStringList& selection, bool linked, bool holdsText) const
    {
        return (views.isEmpty() || views.contains(view)) &&
               (selected.isEmpty() || namesAny(selected, selection)) && (!link || *link == linked) &&
               (!withText || *withText == holdsText);
    }
    bool greyedFor(const QStringList& selection) const
    {
        return disabled || (!enabledFor.isEmpty() && !namesAny(enabledFor, selection));
    }
    static bool namesAny(const QStringList& kinds, const QStringList& selection)
    {
        return std::any_of(selection.begin(), selection.end(),
                           [&](const QString& k) { return kinds.contains(k); });
    }

    friend bool operator==(const KitMenuItem&, const KitMenuItem&) = default;
};

struct KitMenu
{
    QString title;
    std::vector<KitMenuItem> items;

    friend bool operator==(const KitMenu&, const KitMenu&) = default;
};

// What a toolbar button is: a button (the default), a drop-down box, or a
// button whose arrow opens a colour palette (its items: swatches and commands).
enum class KitButtonType
{
    Button,
    Combo,
    Color,
};

struct KitButton
{
    QString name;
    std::vector<KitMenuItem> items; // a drop-down menu of the button
    QStringList values;             // a drop-down box's choices
    bool editable = false;
    QString icon;
    KitButtonType type = KitButtonType::Button;
    QString text; // shown beside the icon
    QString value;
    QString opens;
    QString shiftOpens; // what a click with Shift held opens ("toolbar:Shift+<button>")
    // What pointing at it shows where that is not its name: two toolbars'
    // buttons share the tooltip, and the name tells them apart.
    QString tooltip;
    int width = 0;
    int columns = 0; // its menu is a palette of icons, this many to a row
    bool separator = false;
    // A click takes it up for one use, a double-click holds it until Esc or another click (格式刷).
    bool holds = false;

    friend bool operator==(const KitButton&, const KitButton&) = default;
};

// The kinds of control of a dialog or task pane, by their kit names: "label",
// "group", "tabs", "list", "combo", "check", "options", "spin", "text",
// "button", "link", "gallery", "editlist" (an edit box above a list),
// "color" (a drop-down box of colour swatches), "palette" (swatches on view),
// "spectrum" (the colour field and luminance bar of custom colours) and
// "swatch" (the new colour over the current one).
enum class KitControlType
{
    Label,
    Group,
    Tabs,
    List,
    Combo,
    Check,
    Options,
    Spin,
    Text,
    Button,
    Link,
    Gallery,
    EditList,
    Color,
    Palette,
    Spectrum,
    Swatch,
};

struct KitControl
{
    KitControlType type = KitControlType::Label;
    QString id;
    QString label;
    QString text;
    QString tab;
    QString opens;
    QString suffix;
    QString doubleClick;    // the button a double-click on an item also presses (确定, 插入(S)…)
    bool focus = false;     // a text box that has the focus, its text selected, when the dialog opens
    bool isDefault = false; // the button Enter presses
    bool turnsInto = false; // a button whose dialog turns into the one it opens (查找's 替换(R)...)
    // Items that the presentation gives in the place of an entry "@slides" (its
    // slides, numbered, by title), "@shows" (its custom shows), "@effects" (the
    // selected slide's 自定义动画 list), "@objects" (its objects, by name) or
    // "@suggestions" (what the spelling checker suggests for the first word it does not know).
    bool itemsFromPresentation() const
    {
        return std::any_of(items.begin(), items.end(),
                           [](const QString& item) { return item.startsWith(QLatin1Char('@')); });
    }
    // A list filled from another list by buttons (定义自定义放映's 在自定义放映中的幻灯片): that list's id.
    QString gathers;
    // A button that adds the chosen item of a gathering list's source to it, or takes its chosen item out.
    QString adds;
    QString removes;
    // A button that moves the chosen item of a gathering list one place up or down (上移, 下移).
    QString raises;
    QString lowers;
    // A button that defines a custom show named by this text box, its slides those gathered.
    QString defines;
    // Buttons acting on the custom show chosen in this list of shows (自定义放映's
    // 编辑, 复制 and 删除): editing it opens the dialog that defines shows, filled with it.
    QString edits;
    QString copies;
    QString deletes;
    // A control shown only once this button of its task pane has been pressed (搜索's results).
    QString after;
    // A spin box's step for each value of another control (段后's unit): stepFor[id][value].
    std::map<QString, std::map<QString, double>> stepFor;
    QStringList items;
    QStringList headers;                  // gallery items that head a section, not choices
    std::map<QString, QString> itemOpens; // a choice that opens a dialog
    QJsonValue value;
    QString under; // the task-pane control it belongs to ("添加效果")
    // A task-pane control that stands on its row right of this one (删除 beside 添加效果).
    QString beside;
    // An item of its owner's menu with a separator above it (效果选项(E)... in the effect's menu).
    bool separatorAbove = false;
    // Greyed and out of reach while no effect is chosen in the pane's list of effects.
    bool needsEffect = false;
    // A picture a group or label draws of what its dialog's values make: "footers" (页眉和页脚's
    // page with the places of what is ticked drawn dark), "fill" (填充效果's fill), "album" (相册's
    // preview of the picture chosen in its list).
    QString sample;
    // A box that stands in its place only while the effect chosen in the pane's list is one of these
    // (方向 for 飞入, 尺寸 for 放大/缩小); with an empty list it stands there for any other effect, greyed.
    std::optional<QStringList> forEffects;
    // The field of the chosen effect a control shows (start, speed, direction, delay, repeat, rewind,
    // reverse, sound, afterAnimation, animateText, textGrouping, trigger): 开始 in 自定义动画 and 效果选项.
    QString effectField;
    // Such a box's items for some effects (方向 of 百叶窗: 水平, 垂直), in place of `items`.
    std::map<QString, QStringList> effectItems;
    // A label's text while no effect is chosen in the pane's list ("{effect}" in `text` names the chosen
    // one).
    QString textNone;
    QString format; // how a spin box shows its number ("mm:ss")
    // How it is drawn: tabs "bar" or "wizard" (a side list), options "bar" (buttons),
    // palette "hexagon", gallery "pictures" (no captions), list "links" (help topics)
    // or "files" (found files), its items without a box.
    QString style;
    QString icon;
    // A task-pane button's drop-down menu: a submenu for each control `under`
    // it, listing their items (添加效果 → 进入 → 百叶窗). A list's menu, opened by the ▼
    // of its chosen row and by a right click on a row: the buttons under it (效果选项(E)...).
    std::vector<KitMenuItem> menu;
    // The items of this control for each item of another one: itemsFor[id][item].
    std::map<QString, std::map<QString, QStringList>> itemsFor;
    // The value this control is held at, greyed, while another shows a given item: fixedFor[id][item];
    // kHoldsOwnValue for the value it holds.
    std::map<QString, std::map<QString, QString>> fixedFor;
    int x = 0, y = 0, w = 0, h = 0;
    int columns = 0;
    int pitch = 0; // how far apart a dialog's option buttons lie, when other controls sit between them
    double min = 0, max = 0, step = 1;
    bool editable = false;

    friend bool operator==(const KitControl&, const KitControl&) = default;
};

// A dialog or a task pane: a named set of controls.
struct KitForm
{
    QString name;
    QString title; // the title bar, when it is not the name
    QString like;  // a dialog that has the pages and controls of another one
    bool dialog = false;
    bool asksToSave = false; // asks whether to save changes: opens only while some are unsaved
    int width = 0;
    int height = 0;
    std::vector<KitControl> controls;
    // The values a dialog opens with when a given command opens it
    // ("动作按钮: 前进或下一项" → 超链接到 下一张幻灯片), by the command's text.
    std::map<QString, std::map<QString, QString>> presets;
    // A message box: each of its buttons closes it before what the button opens comes up.
    bool message = false;

    const KitControl* control(const QString& id) const;
    const KitControl* tabs() const;

    friend bool operator==(const KitForm&, const KitForm&) = default;
};

struct KitKey
{
    QString key;
    QString name;
    QString opens;

    friend bool operator==(const KitKey&, const KitKey&) = default;
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
        Type, // text typed into `placeholder` or `shape` until it reads `value`
        Draw, // a shape drawn on the slide with the tool chosen
    };
    Kind kind = Menu;
    QString form; // the task pane or dialog of a control
    QString area; // the context menu's area, or the clicked target
    QStringList path;
    const KitControl* control = nullptr;
    bool hasValue = false;
    QString value;
    QString opens;          // what the command opens
    QString slideChoice;    // a slide chosen in a submenu of the presentation's slides ("4 产品系列")
    QString windowChoice;   // a window chosen in the 窗口 menu's list of them ("1 年度总结")
    QStringList views;      // a menu command shown only in these views
    QStringList selected;   // a menu command shown only while such an object is selected
    QStringList enabledFor; // a menu command greyed unless such an object is selected
    int slide = 0;          // thumb:n, click:thumb:n, dblclick:thumb:n
    int shape = 0;          // click:shape:n, dblclick:shape:n
    int paragraph = 0;      // click:outline:s/p
    bool frame = false;     // dblclick:frame:<placeholder>
    QString placeholder; // what a click lands on: title, body, subtitle, notes, slide; a frame's placeholder
    bool shift = false;  // toolbar:Shift+<button>; click:Shift+shape:n; thumb:Shift+n
    bool ctrl = false;   // click:Ctrl+shape:n; thumb:Ctrl+n
    int dropAfter = -1;  // thumb:n>m: dragged to after slide m (0: before the first)
    // A menu command shown only while the text selected links somewhere (true) or does not (false).
    std::optional<bool> link;
    // A menu command shown only while the shape selected holds text (true) or holds none (false).
    std::optional<bool> withText;
    bool graph = false; // a command of Microsoft Graph's menus, there only while Graph is active
};

// Menus, toolbars, context menus, shortcuts, task panes and dialogs of the
// simulated PowerPoint 2003, shared by every movie.
// One file of the kit, named by its path in the kit folder ("menus.json",
// "dialogs/字体.json").
struct KitFile
{
    QString name;
    QByteArray json;
};

class KitCatalog
{
public:
    // Assembles the kit from its files. A file in "dialogs/" or "taskpanes/"
    // is one dialog or task pane, named by the file; any other file holds whole
    // parts of the kit ("menus", "toolbars", "contextmenus", "keys", "icons",
    // "taskpanes", "dialogs"). A misspelt key, an unknown control type or a
    // value of the wrong kind is refused as "<file>:<line>: …".
    static Result<KitCatalog> load(const std::vector<KitFile>& files);
    // A kit in one document.
    static Result<KitCatalog> parse(const QByteArray& json,
                                    const QString& fileName = QStringLiteral("kit.json"));
    // The kit built into the programs (movie/kit/).
    static const KitCatalog& instance();
    // The kit's files in a folder (movie/kit/), named by their paths in it.
    static std::vector<KitFile> filesIn(const QString& folder);
    // The kit as the build stores it once it has read and checked its files,
    // and the kit read back from that form. Each dialog and task pane is read
    // back when it is first asked for (not thread-safe: one thread reads a kit).
    QByteArray compiled() const;
    static Result<KitCatalog> fromCompiled(const QByteArray& bytes);

    friend bool operator==(const KitCatalog& a, const KitCatalog& b);

    // The kit names of the control types, and the type of a name.
    static QString controlTypeName(KitControlType type);
    static std::optional<KitControlType> controlType(const QString& name);

    // Resolves an action text; the error says what the action names that the
    // kit does not have.
    Result<KitTarget> resolve(const QString& action) const;

    const std::vector<KitMenu>& menus() const { return m_menus; }
    const std::vector<std::pair<QString, std::vector<KitButton>>>& toolbars() const { return m_toolbars; }
    const std::vector<KitMenuItem>* contextMenu(const QString& area) const;
    const KitForm* taskPane(const QString& name) const;
    const KitForm* dialog(const QString& name) const;
    const KitKey* key(const QString& shortcut) const;
    // A button of PowerPoint's toolbars or of Graph's.
    const KitButton* toolbarButton(const QString& name) const;
    // Microsoft Graph, active in place on a chart: its menu bar (文件 and 窗口 are PowerPoint's),
    // its docked toolbars (常用, 格式 first) and the dialog that is its datasheet.
    const std::vector<KitMenu>& graphMenus() const { return m_graphMenus; }
    const std::vector<std::pair<QString, std::vector<KitButton>>>& graphToolbars() const
    {
        return m_graphToolbars;
    }
    const QString& graphDatasheet() const { return m_graphDatasheet; }
    QStringList taskPaneNames() const;
    // Icon keys the kit uses besides those of its toolbar buttons.
    const QStringList& icons() const { return m_icons; }

    // "ctrl+shift+f" and "Shift+Ctrl+F" both read "Ctrl+Shift+F".
    static QString normalizeShortcut(const QString& shortcut);

private:
    friend class KitReader;

    std::vector<KitMenu> m_menus;
    std::vector<std::pair<QString, std::vector<KitButton>>> m_toolbars;
    std::map<QString, std::vector<KitMenuItem>> m_contextMenus;
    // Dialogs and panes read, and those of a compiled kit still in that form.
    mutable std::map<QString, KitForm> m_taskPanes;
    mutable std::map<QString, KitForm> m_dialogs;
    mutable std::map<QString, QByteArray> m_compiledTaskPanes;
    mutable std::map<QString, QByteArray> m_compiledDialogs;
    QByteArray m_compiledBytes; // what the compiled forms are views of
    std::vector<KitKey> m_keys;
    QStringList m_icons;
    std::vector<KitMenu> m_graphMenus;
    std::vector<std::pair<QString, std::vector<KitButton>>> m_graphToolbars;
    QString m_graphDatasheet;

    static const KitForm* formNamed(const QString& name, std::map<QString, KitForm>& forms,
                                    std::map<QString, QByteArray>& compiledForms);
    void readEveryForm() const;
};

} // namespace pptdrill
