// pptdrill: the trainer. Its entry is the load of the main menu.
#include "common/programinfo.h"
#include "platform/messagebox.h"
#include "platform/widgets/firstpaint.h"
#include "platform/widgets/qtmessageboxes.h"
#include "shell/programend.h"
#include "shell/widgets/mainmenu.h"
#include "shell/widgets/trainer.h"

#include <QApplication>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    if (const auto answered = pptdrill::answerInformationOption(
            argc, argv, "pptdrill",
            u"用法：pptdrill [选项]\n"
            u"朔禾职称计算机考试练习系统（PowerPoint 2003 模块）。不带参数时打开主菜单。\n"_s))
        return *answered;
    QApplication app(argc, argv);
    // The toolkit has taken its own options (-platform, -display …); anything left is not ours.
    if (argc > 1) {
        std::fprintf(stderr, "pptdrill：不认识的参数“%s”，用 pptdrill --help 查看用法。\n", argv[1]);
        return 2;
    }
    pptdrill::setUpWindowProgram(app);
    // Off screen no one can see or answer a box: messages go to standard error.
    if (QGuiApplication::platformName() == u"offscreen"_s)
        pptdrill::setMessageBoxes(nullptr);
    // The program ends through its own exit path or a refusal, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    pptdrill::Trainer trainer;
    pptdrill::MainMenu* menu = trainer.mainMenu().get();
    if (!menu->claimProgram())
        return pptdrill::programExitCode();
    // The learner's copy of the bank is made and checked once the menu is on
    // screen; a database that cannot be used takes the menu away with its message.
    pptdrill::afterFirstPaint(menu, [&trainer, menu] {
        if (pptdrill::Status opened = menu->openDatabase(); !opened) {
            menu->hide();
            pptdrill::failProgram(opened.error());
            return;
        }
        trainer.offerUnfinishedPaper();
    });
    // Watches the paint before the work above (the filter set last sees it first).
    pptdrill::traceFirstPaint(menu);
    menu->show();
    if (pptdrill::programEnded())
        return pptdrill::programExitCode();
    return app.exec();
}
