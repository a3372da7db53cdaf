#include "bar/widgets/windowdrag.h"

#include "platform/widgets/windowsystem.h"

#include <QWidget>

namespace pptdrill {

void WindowDrag::start(QPoint pressedAt)
{
    m_following = !windowsystem::startSystemMove(m_window, pressedAt);
    m_pressedAt = pressedAt;
    m_startPos = m_window->pos();
}

void WindowDrag::follow(QPoint globalPos)
{
    if (m_following)
        m_window->move(m_startPos + (globalPos - m_pressedAt));
}

} // namespace pptdrill
