#pragma once

#include "common/result.h"
#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"
#include "movie/kit/standardcolours.h"
#include "movie/session/selection.h"
#include "movie/session/stepprogress.h"
#include "movie/session/textediting.h"

#include <QRectF>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace pptdrill {

// The values a dialog or task pane shows while it is open.
struct FormState
{
    QString name;
    std::map<QString, QString> values; // control id → value ("on"/"off" for checks)
    QString tab;
    QString openedBy; // the control of the dialog beneath whose item opened this one
    // What buttons have put into a list (定义自定义放映's slides of the show): the source's items, in order.
    std::map<QString, QStringList> gathered;
    // The buttons pressed since it opened (what a search has found shows once 搜索 is pressed).
    QStringList pressed;
    // The custom show that 编辑 opened this dialog with: its 确定 changes that show.
    QString editing;
    // What a dialog leaves out for what it was opened on (效果选项 of a picture's effect: the 方向 box of
    // an effect without directions, the 正文文本动画 tab): control ids, captions' texts, tab captions.
    QStringList hidden;
    // The controls it holds greyed and out of reach there (动画文本 of a picture), ids or captions' texts.
    QStringList greyed;
    // The controls the learner has set where no step asked for it, since a step last set them, each
    // with the value it had before.
    std::map<QString, QString> changedFreely;
    // A colour box's fill chosen in 填充效果, as that dialog held it at 确定; gone when the box
    // is given a colour.
    std::map<QString, std::shared_ptr<const FormState>> fillEffects;
    // An effect's dialog opened from the pane's list where no step wanted it: its 确定 takes the
    // steps that change the effect to what it holds.
    bool forEffectBoxes = false;

    QString value(const QString& id) const;
};

// The items a control offers now: those for the value of the control it
// follows (a chart type's sub-types), else all of its items.
QStringList shownItems(const KitControl& control, const FormState& state);
// The value a control is held at while another control's choice greys it, or while its dialog holds it
// greyed for what it was opened on; none while it is free.
std::optional<QString> fixedValue(const KitControl& control, const FormState& state);
// The colour a colour dialog has chosen, as a colour control holds it: a named
// swatch of its palette, or "RGB(r,g,b)" from its spectrum's page; empty for none.
QString chosenColour(const KitForm& form, const FormState& state);
// A colour dialog opened to change a colour shows it: on its palette where the palette has it,
// and in its spectrum's red, green and blue boxes. `colour` is a standard colour's name, "RGB(r,g,b)"
// or a document's "#RRGGBB".
void showColour(const KitForm& form, FormState& state, const QString& colour);
// Where 编辑配色方案 keeps the colour chosen for one of its scheme colours ("背景").
inline QString schemeColourKey(const QString& name)
{
    return QStringLiteral("配色方案颜色:") + name;
}
// The pages of a dialog with tabs, but those it leaves out for what it was opened on.
QStringList shownPages(const KitForm& form, const FormState& state);
// A value chosen, ticked or typed in a form, or a button pressed in it.
void setFormValue(FormState& form, const KitForm* kitForm, const KitTarget& target);
// A control that others follow has changed: they keep a value they still offer.
void followChoice(FormState& state, const KitForm& form, const QString& id);
// Whether a task pane or dialog shows a control now: one shown only after a button shows once it is
// pressed; none that its form leaves out for what it was opened on (`hidden`).
bool paneControlShown(const KitControl& control, const FormState& state);
// The task pane's list of the selected slide's effects (自定义动画's), if it has one.
const KitControl* effectList(const KitCatalog& kit, const FormState& pane);
// A field of an effect (a control's `effectField`) as text: "之后", "1.5", "on", a trigger's object
// by name ("矩形 4"); empty where the effect keeps the control's own value.
QString effectFieldText(const SlideEffect& effect, const QString& field, const Slide& slide);
// The task pane's box that holds the table of a field for every effect: the effects it is offered
// for (`forEffects`) and their own items (`effectItems`), 自定义动画's 方向. An effect's dialog follows it.
const KitControl* effectFieldTable(const KitCatalog& kit, const QString& field);
// Whether an effect animates text (a placeholder's, a shape's with text): only then do its text's
// animation and grouping apply.
bool effectOnText(const SlideEffect& effect, const Slide& slide);
// What a control showing an effect's field shows among `items`: the item of the field's value
// ("2 秒(中速)" for 中速), the value itself in a box that takes typing; empty for the control's own.
QString effectFieldShown(const KitControl& control, const QStringList& items, const SlideEffect& effect,
                         const Slide& slide);

// Slide n as a list of the presentation's slides shows it ("2. 收支概况").
QString slideListItem(const Presentation& presentation, int n);
// The slides as a submenu of them lists them ("4 产品系列", 定位至幻灯片).
QStringList slideMenuItems(const Presentation& presentation);
// The windows the 窗口 menu lists, numbered ("1 年度总结", or "2 年度总结:2" once it has several);
// the last is the active one.
QStringList windowMenuItems(const Presentation& presentation);
// The custom shows defined so far.
QStringList customShowNames(const Presentation& presentation);
// The text an object of a slide holds, as typing sees it (a body's lines joined by '\n').
QString objectText(const Slide& slide, const QString& object);
// The shape a step adds by drawing ("textbox", "ellipse", …), and where the movie draws it,
// for the demonstration's drag; empty for none.
QString shapeToDraw(const MovieStep* step);
QRectF shapeDrawnByMovie(const MovieStep* step);
// A step's changes with a drawn shape where the learner drew it (`drawnByLearner`, or where
// an earlier drag left it) rather than where the movie drew it.
QJsonObject drawnChanges(QJsonObject changes, const std::optional<QRectF>& drawnByLearner, const Movie& movie,
                         const Presentation& presentation);

// What a double-click on the slide opens: the format dialog of the object under it (an AutoShape,
// a picture, a text box, a placeholder's border), a WordArt's text; empty for none.
QString doubleClickOpens(const Presentation& presentation, const KitTarget& target);

// A shape's kind by its type, as the kit's menus name what is selected: "autoshape",
// "picture", "wordart", "textbox", "table" or "object".
QString kindOfShape(const QString& type);

// Runs one movie's task: the window's state and the steps done so far. An
// action the current step accepts takes effect and moves on; any other
// action changes nothing.
class MovieSession
{
public:
    MovieSession(Movie movie, const KitCatalog& kit);

    void reset();
    bool perform(const QString& action);
    // Whether the current step takes `action`.
    bool accepts(const QString& action) const;

    const Movie& movie() const { return m_movie; }
    const KitCatalog& kit() const { return *m_kit; }
    const Presentation& presentation() const { return m_presentation; }
    const Slide& selectedSlide() const
    {
        return m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)];
    }
    // The effect chosen in the task pane's list of the slide's effects (an
    // index of its effects), -1 for none.
    int chosenEffect() const;
    // A click on a row of the pane's list of effects chooses it, whatever the task (the step
    // that wants it chosen is taken by the click's action too). False for no effect's row.
    bool chooseEffectRow(const QString& item);
    // Whether the task pane shows a control now: after the button it comes after is pressed,
    // and, for a box named after the chosen effect's property (方向, 尺寸 …), while that
    // effect is chosen.
    bool paneShows(const KitControl& control) const;
    // A control that waits for an effect chosen in the list (开始, 速度, 删除), or a property
    // box of an effect that has none, is greyed and out of reach.
    bool paneGreyed(const KitControl& control) const;
    // How far the task has come: the steps done, and another way being taken.
    const StepProgress& steps() const { return m_steps; }
    int stepIndex() const { return m_steps.index(); }
    bool isComplete() const { return m_steps.isComplete(); }
    // The step that comes next: one of the movie's, or of the way being taken.
    const MovieStep* currentStep() const { return m_steps.current(m_movie); }
    // The action the demonstration performs next, empty when complete: the
    // first way, unless the learner has taken another.
    QString nextAction() const;

    // The dialog on top, and those under it (a dialog opened from a dialog
    // returns to it when it closes), innermost last.
    const std::optional<FormState>& dialog() const { return m_dialog; }
    const std::vector<FormState>& dialogsBeneath() const { return m_beneath; }
    const FormState& taskPane() const { return m_taskPane; }
    // The items a control of a form offers now: the presentation's slides or
    // custom shows, what buttons have gathered into it, or its kit items.
    QStringList itemsOf(const KitControl& control, const FormState& state) const;
    const WindowView& view() const { return m_presentation.view; }
    // The paragraph of the selected slide that a click in the outline selected
    // (1-based; 0 when the slide as a whole, or nothing in the outline, is selected).
    // The 大纲 and 幻灯片 tabs turn normal view's left pane between the outline and
    // the slides; looking at either does nothing to the task.
    void showOutlineTab(bool outline);
    // A slide show ended by the learner where no step ends it (Esc, its end): the window
    // goes back to the view before it. A show started where no step asks for one (F5 to
    // see what was set) does nothing to the task, as any route to a view does not.
    void leaveShow();
    const Selection& selection() const { return m_selection; }
    // The master the slide master view shows: 1 the slide master, 2 the title master
    // (picked from the view's left pane, or just inserted).
    int shownMaster() const;
    // Whether slide n is selected: the selected slide, or one selected with it by Ctrl or
    // Shift and a click on the slides (thumb:Ctrl+n, thumb:Shift+n) or by 全选 in the sorter.
    bool isSlideSelected(int n) const;
    // The object selected on the slide shown: a placeholder ("title", "body",
    // "subtitle", "notes") or a shape ("shape:2"); empty for none.
    QString selectedObject() const;
    // Its kind, as the kit's menus name what they are shown for: "placeholder",
    // "autoshape", "picture", "wordart", "textbox", "object", or "nothing".
    QString selectionKind() const;
    // The kind selected and, for a shape, its type where that is more particular ("object",
    // "movie"), as a menu item's `selected` and `enabledFor` name them.
    QStringList selectionKinds() const;
    // Whether the text selected (a placeholder's) is a hyperlink.
    bool selectionLinks() const;
    // A learner's click on the slide selects the object under the pointer, or
    // with an empty name lets go, whatever the task.
    void select(const QString& object);
    // A click with Shift or Ctrl held adds the shape to those selected (or, with a
    // placeholder or nothing selected, selects it alone).
    void selectAlso(int shape);
    // The objects of the slide shown that a click or Tab selects: its placeholders, then its shapes.
    QStringList objectsOnSlide() const;
    // Tab and Shift+Tab in normal view: the next object of the slide, or the one before.
    bool selectNextObject(int by);
    // Ctrl+A: every object of the slide in normal view, every slide in the sorter.
    bool selectAllObjects();
    // Every shape selected on the slide shown (1-based), the first clicked first.
    QList<int> selectedShapes() const;
    // The font of the text selected or typed into (a placeholder's, a text box's or an
    // AutoShape's), with the layout's size and face where it has none of its own.
    std::optional<SlideFont> selectedTextFont() const;
    // What a toolbar's drop-down box shows: the value last chosen in it, the selected
    // text's font in 字体 and 字号, else the kit's.
    QString toolbarValue(const QString& button) const;
    // Whether a toolbar button shows as pressed in: 加粗 for bold text selected, 居中 for centred,
    // the handout layout shown, the view's own view button.
    bool toolbarButtonOn(const QString& button) const;
    // Toolbars the learner has shown (插入 → 图片 → 自选图形 shows 自选图形).
    const QStringList& shownToolbars() const { return m_toolbars; }

    // The task pane's ✕: the pane closes (a step that hides the pane takes it). 视图 →
    // 任务窗格 and Ctrl+F1, where no step wants them, show the pane closed last again.
    void closeTaskPane();

    // Typing. A click in the notes pane, on a text box, 添加文本 or a key on an AutoShape
    // puts the caret in an object of the slide shown ("notes", "title", "body", "subtitle",
    // "shape:2"); what is typed shows at once. Where the text comes to read what a step asks
    // for (type:<object>=<text>), the step is done; text that no step asks for goes back
    // to what it was when the caret leaves.
    bool startTyping(const QString& object);
    void stopTyping();
    const std::optional<TextEditing>& typing() const { return m_typing; }
    QString typingObject() const { return m_typing ? m_typingObject : QString(); }
    void editTyping(const std::function<void(TextEditing&)>& edit);

    // Drawing. A step that chooses a drawing tool (an AutoShape, 文本框, an action button)
    // before a step that draws leaves the tool chosen: the pointer is a cross, and a drag on
    // the slide draws the shape there (`rect` in points on the slide). What the tool's command
    // opens (动作设置) opens once the shape is drawn. Esc lets the tool go; its step comes next again.
    bool drawingToolChosen() const { return m_toolChosen; }
    // A click (`byClick`) gives a text box that widens as it is typed into.
    bool draw(const QRectF& rect, bool byClick = false);
    void dropDrawingTool();

    // The zoom the window shows where the view is fitted to it (适应): 显示比例 opens at it.
    void setFittedZoom(int percent) { m_fittedZoom = percent; }
    // Text typed into a box of the open dialog that no step takes stays there as typed: 查找's
    // words go on to 替换, and Enter opens the file a file dialog's 文件名 names.
    void keepTyped(const QString& control, const QString& text);

    // 格式刷 (a toolbar button that `holds`): a click takes it up for one use, a double-click holds
    // it until Esc or another click. A step that clicks with it (a click that changes what it lands
    // on, after the step that takes it up) waits until it is taken up.
    bool painterTaken() const { return m_painter != Painter::None; }
    // The window's click (held false) or double-click (held true) on the button that took it up.
    void holdPainter(bool held);
    // Whether the step that `action` takes takes the painter up for several strokes, as a
    // double-click does (the demonstration double-clicks).
    bool holdsPainter(const QString& action) const;

    // Microsoft Graph in place. A double-click on a chart (and a chart just inserted) activates
    // Graph on it: the chart is framed, the window shows Graph's menu bar and docked toolbars,
    // and the datasheet floats over the slide with the chart's data, a dialog that leaves the
    // rest of the window within reach. 查看数据表 hides and shows it. Anything that selects
    // something else, another slide or another view leaves Graph: PowerPoint's menus and
    // toolbars come back and the datasheet closes; the chart keeps what the steps changed.
    bool graphActive() const { return m_graph.has_value(); }
    // The chart Graph is active on (1-based, on the slide shown), 0 for none.
    int graphShape() const;
    // Whether the open dialog is Graph's datasheet floating over the slide.
    bool datasheetShown() const;
    // A dialog that keeps the rest of the window from the learner is open.
    bool modalDialogOpen() const { return m_dialog.has_value() && !datasheetShown(); }
    // The menu bar the window shows: Graph's while Graph is active, else PowerPoint's.
    const std::vector<KitMenu>& menuBar() const;
    // The buttons of a toolbar by its name (常用, 格式 are Graph's while Graph is active); null for none.
    const std::vector<KitButton>* toolbarButtons(const QString& name) const;

    // Called after every change of state.
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }
    // What a colour of the presentation's scheme ("遵循填充配色方案") is on the slide shown: the
    // window knows its designs. Without it 颜色 cannot show such a colour in red, green and blue.
    void setSchemeColours(std::function<std::optional<Rgb>(const QString& name)> colours)
    {
        m_schemeColours = std::move(colours);
    }
    // The colour a colour box of a dialog is changing, as 颜色 opened from it shows it: the box's
    // colour, or, while a format dialog's fill or line box still holds its own default, the selected
    // shape's fill or line; a scheme colour by what the slide makes of it ("#RRGGBB").
    QString colourBeingChanged(const FormState& dialog, const QString& box) const;

private:
    // A colour as 颜色 can show it: a scheme colour's name as "#RRGGBB", any other as it is.
    QString colourInRgb(const QString& colour) const;
    // `command` is the text of what opened the form (a menu command, a button), for its presets.
    FormState openForm(const KitForm& form, const QString& command = {}) const;
    void applyOpens(const QString& opens, const QString& command = {}, const QString& openedBy = {});
    // Another page of the open dialog: its tabs, or a wizard's 上一步/下一步.
    bool turnPage(const QString& action);
    void closeDialog();
    // Any route to a view: taken as the step where the step asks for that view by
    // another route, else the window turns to it without a step. False when
    // `action` is no route to a view, or the view is out of reach now.
    bool takeViewRoute(const QString& action, const KitTarget& target);
    // 取消 (and 关闭 where a dialog has no 取消) when the step does not want it:
    // the dialog closes without a change, and the step that opened it comes next again.
    bool cancelDialog(const KitTarget& target);
    // Another command that opens what a step's command opens (the 格式 toolbar's 设计 and 格式 →
    // 幻灯片设计..., the task pane's list of panes, a double-click on a picture and its 设置图片格式...)
    // takes that step; a floating toolbar no step wants shows as PowerPoint shows it. True when a
    // step was taken, false when the toolbar showed without one, none when no such thing happened.
    std::optional<bool> takeOpeningRoute(const KitTarget& target);
    // An item of a toolbar's palette is the same item of the palette that another toolbar's
    // menu holds under the same name (the floating 自选图形 toolbar and the 绘图 toolbar's 自选图形).
    bool takeSamePaletteItem(const KitTarget& target);
    // What a command opens; for a double-click, what the object under it opens.
    QString opensOf(const KitTarget& target) const;
    // 视图 → 任务窗格 (Ctrl+F1) where no step wants it: hides the pane shown, or shows the last one.
    bool togglePaneFreely(const KitTarget& target);
    // A dialog that turned into another (查找 into 替换) leaves its boxes' values in the boxes of the
    // same name; a step that asks for a value the box now holds is done.
    void carryValues(const FormState& from);
    // Keeps the session as it was before an action that opened a dialog, for its 取消.
    void markDialogs(const MovieSession* before, const QString& dialogBefore, int depthBefore);
    bool reachable(const KitTarget& target) const;
    // A value chosen, ticked or typed in the open dialog that no step takes stays there as the
    // learner set it: a dialog's values do nothing until its 确定, which checks what the task asked.
    bool setValueFreely(const KitTarget& target);
    // Another slide clicked where no step wants it: the window goes to it, as PowerPoint does. The
    // clicks done since the task last chose its slide come up again, so that nothing is done on the
    // wrong slide; where the task has changed something since, the click does nothing.
    bool selectSlideFreely(const KitTarget& target);
    // The action of `step` whose value the window already holds (the open dialog's page in front,
    // a box that already reads the value, a task pane's or a toolbar box's value that the slide
    // already has), with changes that leave the presentation as it is; empty for none.
    QString heldAction(const MovieStep& step) const;
    // A step that clicks a slide's thumbnail, where the learner has already gone to that slide (with nothing
    // on it selected since): its action, else empty.
    QString slideAlreadyChosen(const MovieStep& step) const;
    // A step that clicks the object that is already selected alone: its action, else empty.
    QString objectAlreadySelected(const MovieStep& step) const;
    // A step whose command opens the task pane already shown (and changes nothing else): that
    // command, else empty. A step whose route the stem names is not done by another route.
    QString paneAlreadyShown(const MovieStep& step) const;
    // Steps that may be done now and that the window already holds are done: values, the
    // slide already chosen, the object already selected and the pane already shown.
    void settleHeldSteps();
    // A dialog's button that closes it on what it holds (确定) finds the values that the steps done
    // in it set still there; a step whose value the learner has changed since comes up again, and
    // the button does nothing.
    bool confirmsHeldValues(const StepTaking& taking, const KitTarget& target);
    // A setting of the dialog that no step of the movie names, changed by the learner: its 确定
    // would make a change the task does not ask for.
    bool changesWhatNoStepAsks(const FormState& dialog, const KitForm* form) const;
    // An action that no step takes: a route to a view, a dialog backed out of, the task
    // pane shown or hidden, or a dialog's page turned. True when it took a step after all.
    bool takeOtherRoute(const QString& action);
    void applyAction(const KitTarget& target);
    // A step's changes made to the presentation, and what they leave selected: a shape inserted,
    // drawn, grouped or moved in the stacking order.
    void applyStepChanges(const QJsonObject& changes);
    // A click in the slides, the outline, the sorter or on the slide: what it selects, and what a
    // double-click opens. `focusMoves` is false when a Ctrl-click took the slide clicked out.
    void clickOn(const KitTarget& target, bool focusMoves);
    // 添加, 删除 and 确定 of a dialog that gathers items into a list (定义自定义放映).
    void gatherItems(const KitControl& button);
    // 编辑, 复制 and 删除 of the custom show chosen in a list of shows.
    void editCustomShows(const KitControl& button);
    // 效果选项 and 计时 of the effect chosen in the pane's list (its row's ▼, right-click or
    // double-click) where no step wants them: the dialog opens at the effect's settings.
    bool openEffectDialogFreely(const KitTarget& target);
    // Its 确定 takes the steps that change the effect to what it holds, one after another (a pane's
    // box, the row's 从上一项之后开始, several fields in one visit); a setting changed that none of
    // them asks for keeps it open (false). None for another dialog or button.
    std::optional<bool> confirmEffectDialog(const KitTarget& target);
    // A dialog's button that only shows more of it (触发器(T)) where no step wants it.
    bool pressButtonFreely(const KitTarget& target);
    // The boxes of the pane (开始, 方向, 速度 …) show the effect chosen in its list; empty while none is.
    void followChosenEffect();
    // 幻灯片版式 marks the layout of the slide selected, when another slide is selected or its
    // layout changes while the pane is open.
    void followSlideLayout();

    enum class Painter
    {
        None,
        Once,
        Held,
    };
    // Graph in place (sessiongraph): activated on the chart selected, left, and its datasheet
    // shown (filled with the chart's data) or hidden.
    void enterGraph();
    void leaveGraph();
    void showDatasheet(bool shown);
    // Leaves Graph once its chart is no longer the one selected on the slide shown in normal view.
    void followGraph();
    // 查看数据表 and a double-click on a chart where no step takes them.
    bool takeGraphRoute(const KitTarget& target);

    bool isPainterButton(const QString& action) const;
    // Whether the step is a stroke of the painter, after the step that takes it up.
    bool paintsWithPainter(const StepTaking& taking) const;
    // The painter after an action: taken up or let go by its button, used once, let go by Esc.
    void followPainter(const QString& action, const StepTaking& taking, bool taken, bool held);

    Movie m_movie;
    const KitCatalog* m_kit;
    Presentation m_presentation;
    StepProgress m_steps;
    std::optional<FormState> m_dialog;
    std::vector<FormState> m_beneath;
    FormState m_taskPane;
    Selection m_selection;
    int m_fittedZoom = 0;
    int m_master = 1; // the master picked in the slide master view's pane
    QStringList m_toolbars;
    std::map<QString, QString> m_toolbarValues;
    std::function<void()> m_listener;
    std::function<std::optional<Rgb>(const QString&)> m_schemeColours;
    // The session as it was before each open dialog was opened, innermost last.
    std::vector<MovieSession> m_dialogMarks;
    QString m_closedPane; // the task pane last closed
    Painter m_painter = Painter::None;

    void setObjectText(const QString& object, const QString& text);
    std::optional<TextEditing> m_typing;
    QString m_typingObject;
    int m_typingSlide = 0;
    QString m_typingOriginal; // the object's text before typing, or as a step last took it
    bool m_toolChosen = false;
    QString m_opensAfterDrawing;
    int m_slideChosenFreely = 0;          // the slide the learner went to where no step asked for it
    std::vector<MovieSession> m_toolMark; // the session before the tool was chosen
    std::optional<QRectF> m_drawn;        // the learner's drag, while its step is taken
    bool m_drawnByClick = false;
    int m_widening = 0; // the text box made by a click that widens as it is typed into

    struct GraphEditing
    {
        int slide = 0;
        int shape = 0;
    };
    std::optional<GraphEditing> m_graph;
};

// Plays a movie headless: its demonstration must reach completion, every
// accepted way of doing each step, and every other way of a run of steps,
// must complete the task, and every action must name an element of the kit.
// Another way must leave the presentation as its run leaves it. The error
// names the step and the action.
Status verifyMovie(const Movie& movie, const KitCatalog& kit);

} // namespace pptdrill
