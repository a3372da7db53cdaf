#pragma once

#include <QObject>
#include <memory>

class QWidget;

namespace pptdrill {

// What the X window system does for the program's windows beyond what Qt
// offers. Without an X server (offscreen, Wayland) nothing happens.
namespace windowsystem {

// Makes the next showing of `window` map it in its normal state. Qt leaves the
// iconic start state that minimizing wrote in place after the window manager
// has restored the window, so a later show would bring it up iconic again.
void forgetIconicStart(QWidget* window);

} // namespace windowsystem

// Tells when a top-level window of another program comes up on the screen, so
// that an always-on-top window can go back on top at once rather than at its
// next keep-on-top tick.
class WindowArrivals : public QObject
{
    Q_OBJECT

public:
    // The program's one watcher; it starts watching on first use.
    static WindowArrivals& instance();
    ~WindowArrivals() override;

signals:
    void otherWindowShown();

private:
    WindowArrivals();

    class X11Watch;
    std::unique_ptr<X11Watch> m_watch;
};

} // namespace pptdrill
