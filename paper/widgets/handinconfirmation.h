#pragma once

#include "shell/widgets/form.h"

namespace pptdrill {

class PushButton;

// The look of the hand-in's confirmations: modal over the question bar, a
// warning picture with the heading and the hand-in notice, 确定 and 取消.
class HandInConfirmation : public Form
{
    Q_OBJECT

public:
    PushButton* okButton() const { return m_okButton; }
    PushButton* cancelButton() const { return m_cancelButton; }

protected:
    struct Design
    {
        QString name;
        int width; // client size, twips
        int height;
        QString heading;
        QString warning; // may be empty
        int okWidth;     // the buttons' sizes, twips
        int cancelWidth;
        int buttonHeight;
    };
    explicit HandInConfirmation(const Design& design);

private:
    PushButton* m_okButton = nullptr;
    PushButton* m_cancelButton = nullptr;
};

} // namespace pptdrill
