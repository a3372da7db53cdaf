#pragma once

#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/chromepart.h"
#include "movie/widgets/window/demonstration.h"
#include "movie/widgets/window/formpart.h"
#include "movie/widgets/window/hintpart.h"
#include "movie/widgets/window/hotarea.h"
#include "movie/widgets/window/leftpanepart.h"
#include "movie/widgets/window/listchoice.h"
#include "movie/widgets/window/menupart.h"
#include "movie/widgets/window/scrollbar.h"
#include "movie/widgets/window/scrollpart.h"
#include "movie/widgets/window/showpart.h"
#include "movie/widgets/window/slideareapart.h"
#include "movie/widgets/window/typinginput.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace pptdrill {

// The simulated PowerPoint 2003 window of one movie, 800 × 600: title bar,
// menus, toolbars, slides tab, slide pane, notes, task pane, status bar,
// context menus and dialogs. Clicks and keys become actions for the session.
class KitView : public QWidget
{
    Q_OBJECT
    // The parts that drive the window as a learner would.
    friend class Demonstration;
    friend class HintPart;
    friend class MovePlanner;
    friend class FormPart;
    friend class ShowPart;
    friend class ChromePart;
    friend class SlideAreaPart;
    friend class ScrollPart;
    friend class LeftPanePart;

public:
    explicit KitView(std::unique_ptr<MovieSession> session, QWidget* parent = nullptr);
    ~KitView() override;

    MovieSession& session() { return *m_session; }
    // The slide show while the view is "show" (tests drive its clock).
    class SlideShow& slideShow() { return m_shows.show(); }
    // The transition played once on the slide pane when 幻灯片切换's 自动预览 is ticked.
    class SlideShow& transitionPreview() { return m_shows.transitionPreview(); }

    // The hint clip: the steps in words and a frame around the next target.
    void setHintVisible(bool visible);
    bool hintVisible() const { return m_hint.isVisible(); }
    // The 操作提示 panel, where it stands.
    const HintPart& hint() const { return m_hint; }

    // The demonstration: back to the start, then a pointer performs every step.
    void startDemonstration();
    Demonstration& demonstration() { return m_demonstration; }
    const Demonstration& demonstration() const { return m_demonstration; }
    // How fast the demonstration's pointer and the show go, as a factor of the normal pace.
    void setPace(double factor);

    // Shown over the finished task by the completion movie.
    void setCompletionText(const QString& text);
    const QString& completionText() const { return m_completionText; }
    // The completion picture folded into a tag by a click on it.
    bool isCompletionFolded() const { return m_completionFolded; }

    // A learner's click at a point of the window, as the mouse would give it
    // (also used by the demonstration and by tests).
    void clickAt(const QPoint& point, Qt::MouseButton button = Qt::LeftButton, bool doubleClick = false,
                 Qt::KeyboardModifiers modifiers = {});
    void pressShortcut(const QString& shortcut);
    // The slide a key goes to where no step takes the key (PageDown: the next); 0 for none.
    int slideByKey(const QString& key) const;
    // Does `action` the way a learner would, through the elements on view
    // (menus opened, lists scrolled, values typed). False when an element the
    // way needs is not on view or the step did not take it.
    bool performThroughUi(const QString& action);
    void typeText(const QString& text);
    // After a key changed the box with the focus: the task takes its text where it wants it.
    void fieldEdited();
    // Where an element is drawn now, by its locator (made by movie/locators.h:
    // "menuitem:格式(O)/字体(F)...", "tb:新建", "ctl:字体/字号", "scroll:slides:down"…).
    std::optional<QRect> locate(const QString& locator) const;
    // The placeholder or object shown selected on the slide ("ph:title", "shape:2"); empty for none.
    QString selectedObject() const;
    // The locator of the element that the next step starts at, in the window as it is now.
    QString nextTargetLocator() const;
    // The name the window shows beside the pointer for the colour swatch under it; empty for none.
    QString swatchTip() const { return m_forms.swatchTip(); }
    // A toolbar on view now, as 视图 → 工具栏 ticks it.
    bool toolbarShown(const QString& name) const { return m_chrome.toolbarShown(name); }
    // The box of the organisation chart selected that a click chose (0 its top shape), or -1.
    int chosenOrgChartBox() const { return m_orgChartBox; }

signals:
    void completed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void rebuild();
    // The parts of a click: with the right button, on what opens a menu, a list or
    // a box (menu titles, toolbar buttons and boxes, the task pane's title, the slides and outline
    // tabs), and the action of what it lands on.
    void rightClick(const Hot& h, const LocatorParts& at, const QPoint& point, bool onSelection);
    // Opens the menu of a task pane's list from its row's ▼ or a right click on a row (`from`:
    // where it drops from); false when the list has none or the row is not chosen.
    bool openListMenu(const Hot& h, const LocatorParts& at, const QRect& from);
    bool openWhatIsClicked(const Hot& h, const LocatorParts& at, Qt::MouseButton button);
    void performClick(const Hot& h, const LocatorParts& at, bool doubleClick,
                      Qt::KeyboardModifiers modifiers);
    // After the session changed: the window laid out and painted again, and completion told.
    void sessionChanged(bool wasComplete);
    QRect paneContentRect() const;
    const Hot* hotAt(const QPoint& point) const;
    void perform(const QString& action);
    void closeMenus();
    void selectObjectAt(const LocatorParts& at, Qt::KeyboardModifiers modifiers);
    // A click on a box of the organisation chart selected chooses that box; any other lets it go.
    void chooseOrgChartBox(const LocatorParts& at, const QPoint& point);
    void openContextMenu(ContextArea area, const QPoint& at);
    // The context menu a shape of the current slide opens: chart, picture, orgchart or shape.
    ContextArea shapeContextArea(int shape) const;

    void paintCompletion(QPainter& p);
    QRect completionRect() const;

    QRect slideAreaRect() const;
    QRect slideRectInArea() const;
    QRect slidePaneRect() const;      // the part of the slide area the slide is seen in
    QRect notesPageNotesRect() const; // the notes on the notes page
    QRect notesPageRect() const;      // the whole notes page, at its zoom
    // Where the drawing toolbar and the status bar begin (the status bar may be hidden).
    int drawingToolbarY() const;
    int statusBarY() const;
    // How much larger than when it fits the notes page is drawn (its zoom over the fitting one).
    double notesPageScale() const;
    // The zoom of the current view in %, as 显示比例 shows it: the one set there, else the fitting one.
    int shownZoom() const;
    QRect taskPaneRect() const;
    // Scrolls a list or gallery so that the item a locator names is on view.
    void revealItem(const QString& locator);

    // One move of a demonstration or of a learner's way, at the element's place.
    void doMove(const PointerMove& move, const std::optional<QRect>& at);

    std::unique_ptr<MovieSession> m_session;
    int m_orgChartBox = -1;
    int m_orgChartShape = 0;
    std::unique_ptr<TypingInput> m_typingInput;
    std::optional<QRect> m_marquee; // the frame a drag from the slide's empty part draws
    void selectObjectsWithin(const QRect& frame);
    // Where the window shows the slide and the notes, for typing and drawing.
    TypingInput::Geometry typingGeometry() const;
    // A point given in the slide's points ("x,y") where the window shows it.
    QPoint pointOnSlide(const QString& points) const;
    std::vector<Hot> m_hots;
    MenuPart m_menus;
    FormPart m_forms;
    ShowPart m_shows;
    ChromePart m_chrome;
    SlideAreaPart m_slideArea;
    ScrollPart m_scrolls;
    LeftPanePart m_leftPane;
    Demonstration m_demonstration;
    HintPart m_hint;
    // What arranged windows show of the presentation, out of the learner's reach.
    std::vector<Hot> m_documentHots;
    struct SlideDrag
    {
        int slide = 0;
        QPoint start;
        bool moving = false; // once the pointer has left the press
    };
    std::optional<SlideDrag> m_slideDrag; // slides dragged in the slides tab or the sorter
    QPoint m_mouse;
    QString m_completionText;
    bool m_completionFolded = false;
    bool m_completedSignalled = false;
};

// Where the handout master's page (without its margins) places its slides for
// so many slides a page: 1 and 2 centred one above the other, 3 down the left
// (lines for notes go to their right), 4 and 6 in two columns, 9 in three.
std::vector<QRect> handoutSlideFrames(const QRect& area, int slidesPerPage);

} // namespace pptdrill
