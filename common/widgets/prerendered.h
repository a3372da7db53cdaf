#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace pptdrill {

// Pictures the build paints ahead (artworkcompile) so that a program's first
// window need not paint them: the menu's artwork and the 16-pixel icons. A
// program carries them when it links drillartwork; without them, and on a
// screen that is not one device pixel to a pixel, the code paints as before.

// The picture named `name`, viewed where the program holds it (no copy); none
// when the program carries no such picture or the screen's pixels are scaled.
std::optional<QImage> prerenderedPicture(const QString& name);
// With false, the code that shows these pictures paints them itself, as tests
// do to compare the two.
void setPrerenderedPicturesUsed(bool used);
bool prerenderedPicturesUsed();
// Another line of text the build stored with the pictures ("icons16.keys").
QByteArray prerenderedText(const QString& name);

// The stored form of a picture: its size, then its pixels as premultiplied ARGB.
QByteArray storedPicture(const QImage& picture);

} // namespace pptdrill
