#pragma once

#include "shell/widgets/form.h"

namespace pptdrill {

// The login backdrop "testlogin": whenever it becomes the active window it
// brings up the login dialog.
class LoginBackdrop : public Form
{
    Q_OBJECT

public:
    explicit LoginBackdrop(Trainer& trainer);

    int backColor() const { return m_backColor; }
    // Shows the login dialog "zctest".
    void showLoginDialog();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Trainer& m_trainer;
    int m_backColor;
};

} // namespace pptdrill
