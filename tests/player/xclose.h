#pragma once

// Asks a top-level X window to close, as a window manager's close button
// does (WM_DELETE_WINDOW). False when the display cannot be reached or the
// tests were built without Xlib.
bool sendWindowClose(const char* display, unsigned long window);
