#pragma once

#include <QSize>
#include <QtGlobal>
#include <functional>

class QWidget;

namespace pptdrill {

// The primary screen's size in logical pixels (twips / 15), each side within
// the range of a 16-bit number.
QSize screenSizePixels();

// Tests give the screen any size; an empty source measures the real screen again.
void setScreenSizeSource(std::function<QSize()> source);

// Places a window in the middle of the primary screen.
void centreOnScreen(QWidget* window);

} // namespace pptdrill
