#pragma once

#include "platform/messagebox.h"

class QApplication;

namespace pptdrill {

// Real modal message boxes for the window programs.
class QtMessageBoxes final : public MessageBoxes
{
public:
    MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override;
};

// Sets up a window program: Chinese texts on the toolkit's own buttons (确定,
// 是, 否) whatever the locale, and real message boxes.
void setUpWindowProgram(QApplication& app);

} // namespace pptdrill
