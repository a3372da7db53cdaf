#include "shell/forms.h"

#include "platform/widgets/windowsystem.h"
#include "shell/programend.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace pptdrill {

FormVariable<IndexForm> indexForm;
FormVariable<TestloginForm> testloginForm;
FormVariable<ZctestForm> zctestForm;
FormVariable<StzrForm> stzrForm;

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

void showMainMenu()
{
    IndexForm* menu = indexForm.get();
    // A menu minimized by its own "最小化窗口" would otherwise map iconic again
    // when shown, whether or not the window manager restored it meanwhile.
    menu->setWindowState(menu->windowState() & ~Qt::WindowMinimized);
    windowsystem::forgetIconicStart(menu);
    menu->show();
    menu->raise();
    menu->activateWindow();
}

void afterFormClosedByUser()
{
    if (programEnded())
        return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form*>(window) && window->isVisible())
            return;
    }
    showMainMenu();
}

} // namespace pptdrill
