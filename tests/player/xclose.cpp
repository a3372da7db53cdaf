// Kept apart: Xlib's macros (None, Status, True, ...) clash with Qt and GoogleTest.
#include "tests/player/xclose.h"

#ifdef DRILL_HAVE_X11
#include <X11/Xlib.h>

bool sendWindowClose(const char* display, unsigned long window)
{
    Display* d = XOpenDisplay(display);
    if (!d)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(d, window, False, NoEventMask, &event) != 0;
    XSync(d, False);
    XCloseDisplay(d);
    return sent;
}
#else
bool sendWindowClose(const char*, unsigned long)
{
    return false;
}
#endif
