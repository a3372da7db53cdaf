#include "bar/windowdrag.h"

#include <QWidget>
#include <QWindow>

namespace pptdrill {

void WindowDrag::start(QPoint globalPos)
{
    m_following = false;
    if (QWindow* handle = m_window->windowHandle(); handle && handle->startSystemMove())
        return;
    m_following = true;
    m_pressedAt = globalPos;
    m_startPos = m_window->pos();
}

void WindowDrag::follow(QPoint globalPos)
{
    if (m_following)
        m_window->move(m_startPos + (globalPos - m_pressedAt));
}

} // namespace pptdrill
