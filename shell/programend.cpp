#include "shell/programend.h"

#include "platform/messagebox.h"

#include <QCoreApplication>

namespace pptdrill {

namespace {
bool g_ended = false;
int g_exitCode = 0;
std::function<void(int)> g_handler;
} // namespace

void endProgram(int exitCode)
{
    g_ended = true;
    g_exitCode = exitCode;
    if (g_handler) {
        g_handler(exitCode);
        return;
    }
    // Before the event loop runs, main() sees programEnded() and returns.
    QCoreApplication::exit(exitCode);
}

bool programEnded()
{
    return g_ended;
}

int programExitCode()
{
    return g_exitCode;
}

void failProgram(const QString& text)
{
    msgBox(text, MessageIcon::Critical);
    endProgram(1);
}

void setProgramEndHandler(std::function<void(int)> handler)
{
    g_handler = std::move(handler);
    g_ended = false;
    g_exitCode = 0;
}

} // namespace pptdrill
