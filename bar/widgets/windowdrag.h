#pragma once

#include <QPoint>

class QWidget;

namespace pptdrill {

// Moves a top-level window with the pointer while a button is held: the window
// manager moves it where it offers a move; where it does not (no window
// manager), the window follows the pointer's travel itself.
class WindowDrag
{
public:
    explicit WindowDrag(QWidget* window) : m_window(window) {}

    // A button went down with the pointer at `pressedAt`: the window follows
    // the pointer's travel from there.
    void start(QPoint pressedAt);
    // The pointer moved to `globalPos` with the button still held.
    void follow(QPoint globalPos);
    void stop() { m_following = false; }
    // The window follows the pointer itself (no move of the window manager).
    bool isFollowing() const { return m_following; }

private:
    QWidget* m_window;
    bool m_following = false;
    QPoint m_pressedAt;
    QPoint m_startPos;
};

} // namespace pptdrill
