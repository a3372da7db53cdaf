#pragma once

#include "bar/windowdrag.h"
#include "shell/form.h"
#include "shell/formtimer.h"

namespace pptdrill {

// The icon that stands for the minimized question bar: always on top, can be
// dragged, and a double-click brings the bar back.
class StbaricoForm : public Form
{
    Q_OBJECT

public:
    StbaricoForm();

    void Load();
    void unloading() override;

    FormTimer* Timer1() const { return m_timer1; }
    bool dragging() const { return m_dragging; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    FormTimer* m_timer1 = nullptr;
    bool m_dragging = false;
    QPoint m_pressedAt;
    WindowDrag m_drag{this};
};

extern FormVariable<StbaricoForm> stbaricoForm;

// The bottom-right corner of the work area for a window of `outer` size in
// pixels: its right edge on the screen's right edge, its bottom edge on the
// work area's bottom.
QPoint bottomRightOfWorkArea(QSize outer);

} // namespace pptdrill
