#include "platform/messagebox.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

class StderrMessageBoxes final : public MessageBoxes
{
public:
    MessageAnswer show(const QString& title, const QString& text, MessageIcon,
                       MessageButtons buttons) override
    {
        std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), text.toUtf8().constData());
        return defaultAnswer(buttons);
    }
};

StderrMessageBoxes g_stderrBoxes;
MessageBoxes* g_installed = nullptr;

} // namespace

MessageAnswer defaultAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::YesNo:
        return MessageAnswer::Yes;
    case MessageButtons::YesNoDefaultNo:
        return MessageAnswer::No;
    }
    return MessageAnswer::Ok;
}

QString defaultMessageTitle()
{
    return u"朔禾软件"_s;
}

MessageBoxes& messageBoxes()
{
    return g_installed ? *g_installed : static_cast<MessageBoxes&>(g_stderrBoxes);
}

void setMessageBoxes(MessageBoxes* boxes)
{
    g_installed = boxes;
}

MessageAnswer msgBox(const QString& text, MessageIcon icon, MessageButtons buttons, const QString& title)
{
    return messageBoxes().show(title, text, icon, buttons);
}

} // namespace pptdrill
