#include "shell/widgets/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
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

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(area.left() + std::max(0, (area.width() - size.width()) / 2),
                 area.top() + std::max(0, (area.height() - size.height()) / 2));
}

} // namespace pptdrill
