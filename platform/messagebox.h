#pragma once

#include <QString>

namespace pptdrill {

enum class MessageIcon
{
    None,
    Information,
    Critical,
    Question,
};

enum class MessageButtons
{
    Ok,
    YesNo,
    // 是 and 否 with 否 as the default, for what cannot be undone.
    YesNoDefaultNo,
};

enum class MessageAnswer
{
    Ok,
    Yes,
    No,
};

// What Enter answers in a box of these buttons.
MessageAnswer defaultAnswer(MessageButtons buttons);

// The title every message box of the system carries unless a window says otherwise.
QString defaultMessageTitle();

// Modal message boxes. The window code installs one that shows real dialogs;
// tests install a fake that records and answers them. Without one, messages go
// to standard error and are answered with their default button.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

MessageBoxes& messageBoxes();
// Installs `boxes` (not owned); nullptr restores the standard-error fallback.
void setMessageBoxes(MessageBoxes* boxes);

// Shows a message box titled with the system's title.
MessageAnswer msgBox(const QString& text, MessageIcon icon = MessageIcon::None,
                     MessageButtons buttons = MessageButtons::Ok,
                     const QString& title = defaultMessageTitle());

} // namespace pptdrill
