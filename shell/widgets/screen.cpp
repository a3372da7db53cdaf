#include "shell/widgets/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace pptdrill {

namespace {

std::function<QSize()> g_source;

QSize screenSize()
{
    if (g_source)
        return g_source();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

qint16 toInt16(int pixels)
{
    return static_cast<qint16>(std::clamp(pixels, -32768, 32767));
}

} // namespace

QSize screenSizePixels()
{
    const QSize size = screenSize();
    return {toInt16(size.width()), toInt16(size.height())};
}

void setScreenSizeSource(std::function<QSize()> source)
{
    g_source = std::move(source);
}

} // namespace pptdrill
