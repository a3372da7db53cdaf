// pptdrill: the trainer. Its entry is the load of the main menu.
#include "bar/stbar.h"
#include "paper/handin.h"
#include "platform/widgets/firstpaint.h"
#include "platform/messagebox.h"
#include "platform/widgets/qtmessageboxes.h"
#include "shell/forms.h"
#include "shell/programend.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    pptdrill::setUpWindowProgram(app);
    pptdrill::installQuestionBar();
    pptdrill::installHandIn();
    // Off screen no one can see or answer a box: messages go to standard error.
    if (QGuiApplication::platformName() == u"offscreen"_s)
        pptdrill::setMessageBoxes(nullptr);
    // The program ends through its own exit path or a refusal, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    pptdrill::IndexForm* menu = pptdrill::indexForm.get();
    if (!menu->Load())
        return pptdrill::programExitCode();
    pptdrill::traceFirstPaint(menu);
    menu->show();
    if (pptdrill::programEnded())
        return pptdrill::programExitCode();
    return app.exec();
}
