#pragma once

#include <QSize>
#include <QtGlobal>
#include <functional>

namespace pptdrill {

// The screen size in pixels as the main menu last measured it.
extern qint16 screenwidth;
extern qint16 screenheight;

// The primary screen's size in logical pixels (twips / 15).
qint16 screenWidthPixels();
qint16 screenHeightPixels();

// Tests give the screen any size; an empty source measures the real screen again.
void setScreenSizeSource(std::function<QSize()> source);

} // namespace pptdrill
