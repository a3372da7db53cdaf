#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace pptdrill {

// What the X window system does for the program's windows beyond what Qt
// offers. Without an X server (offscreen, Wayland) the Qt way, or nothing.
namespace windowsystem {

// Makes the next showing of `window` map it in its normal state. Qt leaves the
// iconic start state that minimizing wrote in place after the window manager
// has restored the window, so a later show would bring it up iconic again.
void forgetIconicStart(QWidget* window);

// Hands the move of `window` to the window manager, the left button held with
// the pointer at `globalPos`. False where no window manager offers moves.
// (Qt's own startSystemMove() starts from where Qt believes the window is,
// which under a reparenting window manager can be the frame's first place.)
bool startSystemMove(QWidget* window, QPoint globalPos);

} // namespace windowsystem

// Tells when another window comes to lie over part or all of a window, so that
// an always-on-top window can go back on top at once rather than at its next
// keep-on-top tick (X11: the window's visibility becomes obscured).
class CoverWatch : public QObject
{
    Q_OBJECT

public:
    // Watches `window`, whose native window it makes now; a child of it.
    explicit CoverWatch(QWidget* window);
    ~CoverWatch() override;

signals:
    void covered();

private:
    quint32 m_watched = 0;
};

} // namespace pptdrill
