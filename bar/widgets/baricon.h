#pragma once

#include "bar/widgets/windowdrag.h"
#include "shell/widgets/form.h"
#include "shell/widgets/formtimer.h"

namespace pptdrill {

// The icon that stands for the minimized question bar: always on top, can be
// dragged, and a double-click brings the bar back.
class BarIcon : public Form
{
    Q_OBJECT

public:
    BarIcon();

    // Placed in the bottom-right corner, its keep-on-top timer running.
    void load();
    void unloading() override;

    FormTimer* keepOnTopTimer() const { return m_keepOnTopTimer; }
    bool dragging() const { return m_dragging; }

signals:
    // A double-click: the icon goes and the bar comes back.
    void restoreRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    FormTimer* m_keepOnTopTimer = nullptr;
    bool m_dragging = false;
    QPoint m_pressedAt;
    WindowDrag m_drag{this};
};

// The bottom-right corner of the work area for a window of `outer` size in
// pixels: its right edge on the screen's right edge, its bottom edge on the
// work area's bottom.
QPoint bottomRightOfWorkArea(QSize outer);

} // namespace pptdrill
