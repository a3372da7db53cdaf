#pragma once

#include "movie/widgets/window/hotarea.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;

namespace pptdrill {

class KitView;

// The frame of the simulated window: the title bar and its caption, the menu bar,
// the docked and floating toolbars, the status bar, and the window's other states
// (PowerPoint's empty window once the presentation is closed, the desktop once
// PowerPoint is, the document windows arranged by the 窗口 menu, the Office 助手).
class MovieSession;

// Where the status bar says the window is: the slide and how many there are, or the view.
QString statusBarPlace(const MovieSession& session);

class ChromePart
{
public:
    explicit ChromePart(KitView& view) : m_view(view) {}

    // A toolbar on view now, as 视图 → 工具栏 ticks it: the docked ones, the
    // task pane, and the floating ones.
    bool toolbarShown(const QString& name) const;
    // The floating toolbars shown, top to bottom: the view's, the selected
    // object's, then those shown from 视图 → 工具栏; and where each stands.
    QStringList floatingToolbars() const;
    // A floating toolbar narrower than its buttons wraps them onto more rows.
    QRect floatingToolbarRect(int index) const;
    // The buttons of a toolbar from `at` rightwards up to `maxRight`: those past it are left out of
    // a docked bar, and begin another row of a floating one (`wrap`).
    void addToolbarHots(std::vector<Hot>& hots, const QString& bar, QPoint at, int maxRight,
                        bool wrap = false) const;

    void addHots(std::vector<Hot>& hots) const;
    void paintChrome(QPainter& p);
    void paintToolbars(QPainter& p);
    // The buttons of the toolbars at `layer`: 0 docked, 1 floating.
    void paintToolbarButtons(QPainter& p, int layer);
    void paintStatus(QPainter& p);
    QString windowCaption() const;
    void paintDesktop(QPainter& p);
    void paintEmptyWorkspace(QPainter& p);
    void paintArrangedWindows(QPainter& p);
    void paintAssistant(QPainter& p);

private:
    KitView& m_view;
};

} // namespace pptdrill
