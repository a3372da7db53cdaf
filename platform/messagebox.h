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
};

enum class MessageAnswer
{
    Ok,
    Yes,
    No,
};

// The title every message box of the system carries unless a window says otherwise.
QString defaultMessageTitle();

// Modal message boxes. The window code installs one that shows real dialogs;
// tests install a fake that records and answers them. Without one, messages go
// to standard error and are answered with OK (or Yes).
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
