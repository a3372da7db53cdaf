#include "shell/loginforms.h"

#include "common/text.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/statements.h"
#include "platform/messagebox.h"
#include "shell/artwork.h"
#include "shell/controls.h"
#include "shell/forms.h"
#include "shell/programend.h"
#include "shell/programstate.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

// ------------------------------------------------------------------ testlogin

TestloginForm::TestloginForm() : Form(u"testlogin"_s), m_backColor(windowsButtonFace)
{
    setWindowTitle(u"登陆考试"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(12210), twipsToPixels(8505));
    centreOnScreen(this);

    m_backColor = windowsColor(64, 128, 128);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromWindows(m_backColor));
    setPalette(palette);
    setAutoFillBackground(true);
}

void TestloginForm::Activate()
{
    // While the paper is being built, the login has done its work.
    if (stzrForm.isLoaded())
        return;
    ZctestForm* login = zctestForm.get();
    login->show();
    login->raise();
    login->activateWindow();
}

bool TestloginForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Activate();
    return Form::event(event);
}

void TestloginForm::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    // Being shown makes a window the active one; where no window manager
    // hands out activation, the login must come up all the same.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            Activate();
    });
}

// --------------------------------------------------------------------- zctest

namespace {
const QString kDefaultSeat = u"18"_s;
}

ZctestForm::ZctestForm() : Form(u"zctest"_s)
{
    setWindowTitle(u"考试登陆"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(12000), twipsToPixels(8985));
    centreOnScreen(this);

    auto* picture = new Image(this, u"Image1"_s, loginArtwork());
    picture->setGeometry(twipsRect(0, 0, 12000, 9000));

    const QString boxStyle = u"QLineEdit { border: 1px solid #7f9db9; background: white; padding: 0 3px; }"
                             u"QLineEdit:focus { border: 1px solid #316ac5; }"_s;
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(u"Text1"_s);
    m_text1->setFont(songFont(10.5));
    m_text1->setStyleSheet(boxStyle);
    m_text1->setGeometry(twipsRect(5040, 3780, 3015, 375));
    m_text1->setText(kDefaultSeat);
    m_text1->installEventFilter(this);

    m_text2 = new QLineEdit(this);
    m_text2->setObjectName(u"Text2"_s);
    m_text2->setFont(songFont(10.5));
    m_text2->setStyleSheet(boxStyle);
    m_text2->setGeometry(twipsRect(5040, 4760, 3015, 375));

    m_login = new PushButton(this, u"PushButton1"_s, u"登  陆"_s);
    m_login->setFont(songFont(12));
    m_login->setGeometry(twipsRect(3600, 6360, 1695, 495));
    connect(m_login, &PushButton::Click, this, &ZctestForm::login);

    m_back = new PushButton(this, u"PushButton2"_s, u"返  回"_s);
    m_back->setFont(songFont(12));
    m_back->setGeometry(twipsRect(6240, 6360, 1695, 495));
    connect(m_back, &PushButton::Click, this, &ZctestForm::goBack);

    setTabOrder(m_text1, m_text2);
    setTabOrder(m_text2, m_login);
    setTabOrder(m_login, m_back);
}

void ZctestForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        Form::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_back->hasFocus())
        goBack();
    else
        login();
}

bool ZctestForm::eventFilter(QObject* watched, QEvent* event)
{
    // The suggested seat number is selected, so that typing replaces it. After
    // the event, so that a click's placing of the cursor does not undo it.
    if (watched == m_text1 && event->type() == QEvent::FocusIn && m_text1->text() == kDefaultSeat)
        QTimer::singleShot(0, m_text1, [box = m_text1] {
            if (box->hasFocus() && box->text() == kDefaultSeat)
                box->selectAll();
        });
    return Form::eventFilter(watched, event);
}

void ZctestForm::login()
{
    const QString seat = trimSpaces(m_text1->text());
    const QString identity = trimSpaces(m_text2->text());
    if (seat.isEmpty() || identity.isEmpty()) {
        msgBox(u"考生座位号和身份证号必须填写！"_s, MessageIcon::Critical);
        return;
    }
    seatno = seat;
    idno = identity;
    exammode =
        msgBox(u"是否启用考试模式？"_s, MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;

    if (Status opened = openDatabase(); !opened) {
        failProgram(opened.error());
        return;
    }
    auto bank = Recordset::open(dbconn, sql::SelectBank);
    if (!bank) {
        dbconn->close();
        failProgram(bank.error());
        return;
    }
    if (bank->recordCount() < 1) {
        msgBox(u"试题库没有试题！"_s, MessageIcon::Critical);
        bank->close();
        dbconn->close();
        return;
    }
    bank->moveFirst();
    const Result<QVariant> course = bank->field(u"课程名"_s);
    if (!course) {
        bank->close();
        dbconn->close();
        failProgram(course.error());
        return;
    }
    // A first row without any course name is not a PowerPoint bank either.
    if (course->isNull() || trimSpaces(course->toString()) != bankCourseName()) {
        msgBox(u"试题库错误！"_s, MessageIcon::Critical);
        bank->close();
        dbconn->close();
        return;
    }
    coursetitle = u"PowerPoint2003中文演示文稿"_s;
    bank->close();
    dbconn->close();

    stzrForm->show();
    zctestForm.unload();
}

void ZctestForm::goBack()
{
    zctestForm.unload();
    testloginForm.unload();
    showMainMenu();
}

} // namespace pptdrill
