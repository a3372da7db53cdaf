#pragma once

// The texts that name what a learner does and where things are in the
// simulated window, made and read in this one place:
// - actions, as movies write them: "menu:格式(O)/字体(F)...", "thumb:2",
//   "click:outline:4/3", "dblclick:frame:title", "dialog:字体/字号=24";
// - locators of the elements the window draws: "menuitem:格式(O)/字体(F)...",
//   "tb:新建", "ctl:字体/字号", "item:字体/字号/24", "scroll:slides:down".

#include <QString>
#include <QStringList>

namespace pptdrill {

namespace actions {

QString menu(const QStringList& path);                          // menu:格式(O)/字体(F)...
QString context(const QString& area, const QStringList& items); // context:slide/幻灯片版式(L)...
QString toolbar(const QString& button);                         // toolbar:新建
QString toolbarMenu(const QStringList& path);                   // toolbar:字体颜色/其他颜色(M)...
QString toolbarValue(const QString& box, const QString& value); // toolbar:字号=24
QString shiftClick(const QString& button);                      // toolbar:Shift+幻灯片浏览视图
QString key(const QString& shortcut);                           // key:Ctrl+B
QString thumb(int slide);                                       // thumb:2
QString thumbWithCtrl(int slide);                               // thumb:Ctrl+2: one more slide
QString thumbWithShift(int slide);                              // thumb:Shift+4: the slides up to it
QString dragThumb(int slide, int after);                        // thumb:4>1: dragged to after slide 1
QString click(const QString& target);                           // click:title, click:shape:2
QString doubleClick(const QString& target);                     // dblclick:frame:title
// A click with Shift or Ctrl held, which adds a shape to those selected: click:Shift+shape:2.
QString clickAdding(const QString& modifier, int shape);
// Text typed into an object until it reads `text`: type:notes=开场白, type:shape:2=重点.
QString type(const QString& target, const QString& text);
// A shape drawn on the slide with the drawing tool chosen before: draw:slide.
QString draw();
// A control of a dialog or task pane: a button or link, or a value chosen in it.
QString control(bool dialog, const QString& form, const QString& id);
QString control(bool dialog, const QString& form, const QString& id, const QString& value);
QString dialog(const QString& dialog, const QString& id);
QString dialog(const QString& dialog, const QString& id, const QString& value);
QString taskPane(const QString& pane, const QString& id);
QString taskPane(const QString& pane, const QString& id, const QString& value);

} // namespace actions

// What a click or double-click lands on, besides "title", "body", "subtitle",
// "notes" and "slide".
namespace targets {

QString thumb(int slide);                  // thumb:2
QString shape(int shape);                  // shape:2
QString outline(int slide, int paragraph); // outline:4/3: paragraph 3 of slide 4 in the outline
QString frame(const QString& placeholder); // frame:title: a placeholder's border

} // namespace targets

// An action read into its parts.
struct ActionParts
{
    enum Kind
    {
        None, // not an action
        Menu,
        Context,
        Toolbar,
        Key,
        Thumb,
        Click,
        DoubleClick,
        TaskPane,
        Dialog,
        Type,
        Draw,
    };
    Kind kind = None;
    // Menu: the title and items; Context: the area and items; Toolbar: the
    // button and its menu's items; TaskPane and Dialog: the form and control.
    QStringList path;
    bool shift = false; // toolbar:Shift+<button>, click:Shift+shape:n, thumb:Shift+n
    bool ctrl = false;  // click:Ctrl+shape:n, thumb:Ctrl+n
    int dropAfter = -1; // thumb:n>m: slide n dragged and dropped after slide m (0: before the first)
    bool hasValue = false;
    QString value;    // a toolbar box's or a control's value
    QString shortcut; // key:<shortcut>
    // Click and DoubleClick: what the click lands on ("title", "shape:2",
    // "frame:body", "outline:4/3", "thumb:2"); Type: what is typed into
    // ("notes", "title", "body", "subtitle", "shape:2"); Draw: "slide".
    QString target;
    QString placeholder; // "title", "body", "subtitle", "notes", "slide"; a frame's placeholder
    bool frame = false;
    // The slide of thumb:n and of a click on thumb:n or outline:s/p, the shape
    // of a click on shape:n, the paragraph of outline:s/p (1-based; 0 for none).
    int slide = 0;
    int shape = 0;
    int paragraph = 0;
    bool malformed = false; // names a slide, shape or paragraph by no positive whole number
};
ActionParts parseAction(const QString& action);

namespace locators {

QString menuTitle(const QString& title);       // menutitle:格式(O)
QString menuItem(const QStringList& path);     // menuitem:格式(O)/字体(F)...
QString contextItem(const QStringList& items); // ctxitem:幻灯片版式(L)...
QString toolbarItem(const QStringList& path);  // tbitem:自选图形/基本形状(B)/矩形
QString paneItem(const QStringList& path);     // paneitem:自定义动画/添加效果/进入(E)
QString menuScroll(bool up, int level);        // menuscroll:up:0
QString button(const QString& name);           // tb:新建
QString buttonArrow(const QString& name);      // tbarrow:字体颜色: a split button's arrow
QString thumb(int slide);                      // thumb:2
QString outline(int slide, int paragraph);     // outline:4/3
QString slideArea();                           // area:slide
QString slideEmpty();                          // area:slideempty: a strip of the slide no placeholder covers
QString placeholder(const QString& which);     // ph:title
QString frame(const QString& placeholder);     // frame:title
QString shape(int shape);                      // shape:2
QString control(const QString& form, const QString& id);                   // ctl:字体/字号
QString controlArrow(const QString& form, const QString& id);              // ctlarrow:字体/中文字体
QString item(const QString& form, const QString& id, const QString& item); // item:字体/字号/24
QString tab(const QString& form, const QString& tab);                      // tab:字体/字体
QString drop(const QString& item);                      // drop:24: an item of an open drop-down list
QString spinUp(const QString& form, const QString& id); // spinup:项目符号和编号/开始于
QString spinDown(const QString& form, const QString& id);
QString dialogClose(const QString& dialog); // dlgclose:字体
QString leftPaneTab(const QString& tab);    // lefttab:大纲: a tab over the slides or the outline
QString paneTitle(); // panetitle:menu: the task pane's title, whose ▼ lists the panes
QString paneClose(); // panetitle:close: the ✕ at the end of the task pane's title
// The scroll bars: "slides", "outline", "pane", or a gallery's.
QString galleryBar(const QString& form, const QString& id); // gallery:幻灯片版式/版式
// The form and control of a gallery's bar; empty for another bar.
QStringList galleryOf(const QString& bar);
QString listBar(const QString& form, const QString& id); // list:字体/字号: a list's bar
// The form and control of a list's bar; empty for another bar.
QStringList listOf(const QString& bar);
// A part of a scroll bar: "up", "down", "pageup", "pagedown" or "thumb".
QString scroll(const QString& bar, const QString& part); // scroll:slides:down

} // namespace locators

// A locator read into its parts.
struct LocatorParts
{
    enum Kind
    {
        None,
        MenuTitle,
        MenuItem,
        ContextItem,
        ToolbarItem,
        PaneItem,
        MenuScroll,
        Button,
        ButtonArrow,
        Thumb,
        Outline,
        SlideArea,
        SlideEmpty,
        Placeholder,
        Frame,
        Shape,
        Control,
        ControlArrow,
        Item,
        Tab,
        Drop,
        SpinUp,
        SpinDown,
        DialogClose,
        LeftPaneTab,
        Scroll,
        PaneTitle,
    };
    Kind kind = None;
    // Menu items: the path as the locator gives it; Control, ControlArrow,
    // SpinUp and SpinDown: the form and the control; Item: the form, the
    // control and the item; Tab: the form and the tab.
    QStringList path;
    // MenuTitle: the title; Button, ButtonArrow: the button; Placeholder,
    // Frame: the placeholder; Drop: the item; DialogClose: the dialog; LeftPaneTab: the tab;
    // Scroll: the bar; MenuScroll: "up" or "down".
    QString name;
    QString part; // Scroll: up, down, pageup, pagedown, thumb
    int slide = 0;
    int shape = 0;
    int paragraph = 0;
    int level = 0; // MenuScroll: the menu's level

    bool isMenuItem() const
    {
        return kind == MenuItem || kind == ContextItem || kind == ToolbarItem || kind == PaneItem;
    }
    // The last part of a menu item's path, or of an item's.
    QString last() const { return path.value(path.size() - 1); }
};
LocatorParts parseLocator(const QString& locator);

} // namespace pptdrill
