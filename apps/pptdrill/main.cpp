// pptdrill: the trainer. Its entry is the load of the main menu.
#include "platform/messagebox.h"
#include "platform/widgets/firstpaint.h"
#include "platform/widgets/qtmessageboxes.h"
#include "shell/programend.h"
#include "shell/widgets/mainmenu.h"
#include "shell/widgets/trainer.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    pptdrill::setUpWindowProgram(app);
    // Off screen no one can see or answer a box: messages go to standard error.
    if (QGuiApplication::platformName() == u"offscreen"_s)
        pptdrill::setMessageBoxes(nullptr);
    // The program ends through its own exit path or a refusal, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    pptdrill::Trainer trainer;
    pptdrill::MainMenu* menu = trainer.mainMenu().get();
    if (!menu->load())
        return pptdrill::programExitCode();
    pptdrill::traceFirstPaint(menu);
    menu->show();
    if (pptdrill::programEnded())
        return pptdrill::programExitCode();
    trainer.offerUnfinishedPaper();
    if (pptdrill::programEnded())
        return pptdrill::programExitCode();
    return app.exec();
}
