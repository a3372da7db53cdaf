#pragma once

#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/session/textediting.h"
#include "movie/widgets/window/hotarea.h"
#include "movie/widgets/window/listchoice.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace pptdrill {

class KitView;
struct KitForm;
struct KitControl;
struct BackgroundFill;

struct DropState
{
    QString form; // dialog or task pane name
    QString control;
    bool dialog = false;
    bool toolbar = false; // a toolbar's drop-down box
    // The row the keyboard has moved to (an index of the list's items); -1 while the list
    // lights the row under the pointer, else the box's value.
    int keyed = -1;
};
struct FieldState
{
    QString form;
    QString control;
    bool dialog = false;
    // The box's text with its caret: the value, selected as a click or Tab leaves it, so
    // that the first key typed replaces it.
    TextEditing edit;
    bool toolbar = false; // a toolbar's box (字体, 字号): what is typed counts on Enter

    static FieldState focusedOn(QString form, QString control, bool dialog, const QString& value,
                                bool toolbar = false)
    {
        FieldState field{std::move(form), std::move(control), dialog, TextEditing(value), toolbar};
        field.edit.selectAll();
        return field;
    }
};
// The cells of the open drop-down: rows of a list, or the swatches and commands of a palette.
struct DropCell
{
    QString item;
    QRect rect;
    bool swatch = false;
};
struct GalleryCell
{
    QString item;
    QRect rect;
    bool header = false;
};

// The dialogs and the task pane of the simulated window, and their controls: where
// each control lies, its hit areas, how it is drawn, the drop-down list or palette
// open from one, the box with the caret, the lists' scrolling, the keyboard's way
// through a dialog (Tab, access keys, Enter and Esc) and several items chosen at once.
class FormPart
{
public:
    explicit FormPart(KitView& view) : m_view(view) {}

    // The name the window shows beside the pointer for the colour swatch under it; empty for none.
    QString swatchTip() const;
    // A drop-down list or palette of a control is open.
    bool dropOpen() const { return m_drop.has_value(); }

    // Where the open dialog stands.
    QRect dialogRect() const;

private:
    friend class KitView;
    friend class ScrollPart; // the scroll bars of lists and galleries

    // A click on a control that opens its list or palette, puts the caret in its box, or steps its
    // spin value; false for the others.
    bool clickWithoutAction(const Hot& h, const LocatorParts& at);
    // A key while a dialog is open, or Enter after typing in a task pane's box; false for others.
    bool takeKey(const QString& key);
    // The keys of an open drop-down list, as Windows takes them: Up, Down, Home, End, PageUp and
    // PageDown move the lit row, Enter chooses it (the dialog's default button is not pressed).
    // False for a key the list leaves to the window, or with no list open.
    bool takeDropKey(const QString& key);
    // The list's pointer moved: the row under it is lit again, not the keyboard's.
    void dropPointerMoved()
    {
        if (m_drop)
            m_drop->keyed = -1;
    }
    // The box with the caret loses it: what was typed into a dialog's box stays there.
    void leaveField();
    // A list or gallery scrolled so that the item `at` names is on view.
    void scrollListTo(const LocatorParts& at);
    // A toolbar's box or colour button: its list or palette dropped, or its text selected for typing.
    void openToolbarBox(const struct KitButton& box, bool arrow);
    friend class ChromePart; // the 格式 toolbar's boxes take typing and drop their lists as a dialog's do

    // The wheel over a list or gallery: false when it has nothing to scroll.
    bool scrollControl(const struct KitForm& form, const struct KitControl& c, bool dialog, int by);
    void addDialogHots(std::vector<Hot>& hots) const;
    void addPaneHots(std::vector<Hot>& hots) const;
    void pressDialogAccessKey(QChar letter);
    // Several items of a list chosen with Ctrl or Shift held.
    bool chooseOneMore(const std::optional<ListChoice>& several, const QString& list, const QString& item,
                       bool range);
    bool addSeveral(const ListChoice& several, const QString& button);
    QString dialogCancelButton() const;
    // The button Enter presses: the dialog's default, else 确定.
    QString dialogDefaultButton() const;
    // Enter in a file dialog: the file its 文件名 box names is chosen and opened as a double-click
    // on it opens it; a name the folder does not hold keeps the dialog open. False where the
    // dialog has no such list, or nothing is typed.
    bool openFileNamed();
    void moveDialogFocus(int by);
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or the previous page of a dialog with tabs, round.
    void turnDialogPage(int by);
    // An open dialog's state, on top or beneath; null when it is not open.
    const FormState* formState(const QString& name) const;
    // A dialog that has just opened gives its text box the focus, its text selected.
    void focusOpeningDialog();
    // The cells of the open drop-down list or palette.
    void addDropHots(std::vector<Hot>& hots) const;
    void paintTaskPane(QPainter& p);
    void paintDialog(QPainter& p);
    void paintDialogOf(QPainter& p, const FormState& state);
    // Controls drawn in their own ways by paintForm.
    void paintLabel(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect,
                    const FormState& state, bool dialog);
    void paintPictureButton(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect);
    void paintBoxControl(QPainter& p, const KitControl& c, const QRect& rect, const QString& value,
                         bool focused, bool dialog, bool greyed = false);
    void paintGallery(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect,
                      const QString& value, bool dialog);
    void paintTabs(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state);
    void paintGroup(QPainter& p, const KitControl& c, const QRect& rect, bool dialog);
    bool paintSideTabs(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state,
                       const QPoint& pointer);
    // A colour box: the chosen colour as a swatch, a command (无填充颜色) as its text.
    void paintColourBox(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state,
                        const QString& value);
    // A palette of colour cells, or the hexagon of standard colours.
    void paintPalette(QPainter& p, const KitControl& c, const QRect& rect, const QString& value,
                      const QPoint& pointer);
    // A check box, or a column of option buttons.
    void paintChoices(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state,
                      const QString& value, bool dialog);
    void paintForm(QPainter& p, const struct KitForm& form, const FormState& state, const QRect& client,
                   bool dialog);
    void paintDrop(QPainter& p);
    QRect dialogRectOf(const QString& name) const;
    std::vector<std::pair<const struct KitControl*, QRect>> paneLayout() const;
    int paneControlHeight(const struct KitForm& form, const struct KitControl& c, int x, int w) const;
    QRect controlRect(const struct KitForm& form, const struct KitControl& c, bool dialog) const;
    QRect dropRect() const;
    QStringList dropItems() const;
    // The value of the box whose list is open (empty for a toolbar's box).
    QString dropValue() const;
    std::vector<DropCell> dropCells() const;
    bool dropIsPalette() const;
    bool dialogControlVisible(const struct KitControl& c, const FormState& state) const;
    // The items a control offers now (a list that follows another offers that one's choice's).
    QStringList itemsOf(const struct KitForm& form, const struct KitControl& c, bool dialog) const;
    // The first row on view of a list: where the learner scrolled it, else where its value shows.
    int listScroll(const struct KitForm& form, const struct KitControl& c, bool dialog, int rows) const;
    // The rows of a list (or of an edit box's list) on view in `box`, with the bar's room left.
    std::vector<std::pair<QString, QRect>> listRows(const struct KitForm& form, const struct KitControl& c,
                                                    const QRect& box, bool dialog) const;
    void paintListRows(QPainter& p, const struct KitForm& form, const struct KitControl& c, const QRect& box,
                       const QString& value, bool dialog);
    static QRect editListBox(const QRect& rect);
    static QRect editListList(const QRect& rect);
    // Where each tab of a tabs control lies: along the top, or down a side bar or a wizard's steps.
    std::vector<std::pair<QString, QRect>> tabCells(const struct KitControl& c, const QRect& rect) const;
    // The elements of the controls drawn in their own way (edit lists, colour boxes, palettes,
    // side bars); false for the others.
    bool addOwnHots(std::vector<Hot>& hots, const struct KitForm& form, const struct KitControl& c,
                    const QRect& rect, const FormState& state) const;
    bool paintOwnControl(QPainter& p, const struct KitForm& form, const struct KitControl& c,
                         const QRect& rect, const FormState& state);
    // The picture a control with a `sample` draws: 页眉和页脚's 预览, 填充效果's 示例.
    void paintBackgroundPreview(QPainter& p, const QRect& rect, const FormState& state) const;
    void paintSample(QPainter& p, const struct KitControl& c, const QRect& rect,
                     const FormState& state) const;
    void paintFootersPreview(QPainter& p, const QRect& rect, const FormState& state) const;
    void paintAlbumPreview(QPainter& p, const QRect& rect, const FormState& state) const;
    BackgroundFill fillChosen(const FormState& state) const;
    // The colour a colour dialog shows as 新增 and as 当前.
    QColor newColour(const struct KitForm& form, const FormState& state) const;
    QColor currentColour() const;
    // A colour as a colour box names it, a scheme colour's ("遵循填充配色方案") as the slide shows it.
    QColor colourShown(const QString& name) const;
    void paintSwatchTip(QPainter& p);
    // The cells of a gallery in `box`, scrolled by the control's offset.
    std::vector<GalleryCell> galleryCells(const QString& form, const struct KitControl& c, const QRect& box,
                                          bool dialog) const;
    QRect itemBox(const struct KitControl& c, const QRect& rect, bool dialog) const;
    // The drop-down arrow at the right end of a combo box.
    static QRect comboArrowRect(const QRect& box);
    bool paintEffectList(QPainter& p, const struct KitForm& form, const struct KitControl& c,
                         const QRect& rect);
    // The ▼ at the right end of a list's chosen row that opens the list's menu (自定义动画's effects).
    static QRect rowMenuArrow(const QRect& row);

    KitView& m_view;
    std::optional<DropState> m_drop;
    std::optional<FieldState> m_field;
    // The task pane text box typed in last: Enter runs the button after it.
    std::optional<std::pair<QString, QString>> m_enterField;
    int m_dropScroll = 0;
    std::map<QString, QString> m_spinShown; // spin values stepped to but not yet taken, by "form/id"
    std::map<QString, int> m_listScroll;
    QString m_focusedDialog; // the dialog whose opening focus was given
    std::optional<ListChoice> m_severalChosen;
    QString m_dialogFocus; // the dialog box that last had the focus, for Tab
};

} // namespace pptdrill
