#include "shell/widgets/loginbackdrop.h"

#include "shell/widgets/controls.h"
#include "shell/widgets/logindialog.h"
#include "shell/widgets/trainer.h"

#include <QEvent>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

LoginBackdrop::LoginBackdrop(Trainer& trainer)
    : Form(u"testlogin"_s), m_trainer(trainer), m_backColor(windowsButtonFace)
{
    setWindowTitle(u"登陆考试"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(12210), twipsToPixels(8505));
    centreOnScreen(this);

    m_backColor = windowsColor(64, 128, 128);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromWindows(m_backColor));
    setPalette(palette);
    setAutoFillBackground(true);
}

void LoginBackdrop::showLoginDialog()
{
    // While the paper is being built, the login has done its work.
    if (m_trainer.loadingWindow().isLoaded())
        return;
    LoginDialog* login = m_trainer.loginDialog().get();
    login->show();
    login->raise();
    login->activateWindow();
}

bool LoginBackdrop::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        showLoginDialog();
    return Form::event(event);
}

void LoginBackdrop::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    // Being shown makes a window the active one; where no window manager
    // hands out activation, the login must come up all the same.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            showLoginDialog();
    });
}

} // namespace pptdrill

#include "moc_loginbackdrop.cpp"
