#pragma once

#include "shell/widgets/form.h"

class QLineEdit;

namespace pptdrill {

class PushButton;

// The exam login "zctest": seat number, identity-card number, exam mode, and
// the check of the question bank before the paper is loaded.
class LoginDialog : public Form
{
    Q_OBJECT

public:
    explicit LoginDialog(Trainer& trainer);

    QLineEdit* seatBox() const { return m_seatBox; }
    QLineEdit* identityBox() const { return m_identityBox; }
    PushButton* loginButton() const { return m_loginButton; }
    PushButton* backButton() const { return m_backButton; }

protected:
    // Enter logs in, as the window's default button; on a focused 返  回 it goes back.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void login();
    void goBack();

    Trainer& m_trainer;
    QLineEdit* m_seatBox = nullptr;
    QLineEdit* m_identityBox = nullptr;
    PushButton* m_loginButton = nullptr;
    PushButton* m_backButton = nullptr;
};

} // namespace pptdrill
