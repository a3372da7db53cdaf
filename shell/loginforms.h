#pragma once

#include "shell/form.h"

class QLineEdit;

namespace pptdrill {

class PushButton;

// The login backdrop "testlogin": whenever it becomes the active window it
// brings up the login window.
class TestloginForm : public Form
{
    Q_OBJECT

public:
    TestloginForm();

    int backColor() const { return m_backColor; }
    // Shows the login window "zctest".
    void Activate();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int m_backColor;
};

// The exam login "zctest": seat number, identity-card number, exam mode, and
// the check of the question bank before the paper is loaded.
class ZctestForm : public Form
{
    Q_OBJECT

public:
    ZctestForm();

    QLineEdit* Text1() const { return m_text1; }
    QLineEdit* Text2() const { return m_text2; }
    PushButton* PushButton1() const { return m_login; }
    PushButton* PushButton2() const { return m_back; }

protected:
    // Enter logs in, as the window's default button; on a focused 返  回 it goes back.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void login();
    void goBack();

    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    PushButton* m_login = nullptr;
    PushButton* m_back = nullptr;
};

} // namespace pptdrill
