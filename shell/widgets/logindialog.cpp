#include "shell/widgets/logindialog.h"

#include "common/text.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/statements.h"
#include "platform/messagebox.h"
#include "shell/programend.h"
#include "shell/widgets/artwork.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/trainer.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {
const QString kDefaultSeat = u"18"_s;
}

LoginDialog::LoginDialog(Trainer& trainer) : Form(u"zctest"_s), m_trainer(trainer)
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
    m_seatBox = new QLineEdit(this);
    m_seatBox->setObjectName(u"Text1"_s);
    m_seatBox->setFont(songFont(10.5));
    m_seatBox->setStyleSheet(boxStyle);
    m_seatBox->setGeometry(twipsRect(5040, 3780, 3015, 375));
    m_seatBox->setText(kDefaultSeat);
    m_seatBox->installEventFilter(this);

    m_identityBox = new QLineEdit(this);
    m_identityBox->setObjectName(u"Text2"_s);
    m_identityBox->setFont(songFont(10.5));
    m_identityBox->setStyleSheet(boxStyle);
    m_identityBox->setGeometry(twipsRect(5040, 4760, 3015, 375));

    m_loginButton = new PushButton(this, u"PushButton1"_s, u"登  陆"_s);
    m_loginButton->setFont(songFont(12));
    m_loginButton->setGeometry(twipsRect(3600, 6360, 1695, 495));
    connect(m_loginButton, &PushButton::clicked, this, &LoginDialog::login);

    m_backButton = new PushButton(this, u"PushButton2"_s, u"返  回"_s);
    m_backButton->setFont(songFont(12));
    m_backButton->setGeometry(twipsRect(6240, 6360, 1695, 495));
    connect(m_backButton, &PushButton::clicked, this, &LoginDialog::goBack);

    setTabOrder(m_seatBox, m_identityBox);
    setTabOrder(m_identityBox, m_loginButton);
    setTabOrder(m_loginButton, m_backButton);
}

void LoginDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        Form::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_backButton->hasFocus())
        goBack();
    else
        login();
}

bool LoginDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The suggested seat number is selected, so that typing replaces it. After
    // the event, so that a click's placing of the cursor does not undo it.
    if (watched == m_seatBox && event->type() == QEvent::FocusIn && m_seatBox->text() == kDefaultSeat)
        QTimer::singleShot(0, m_seatBox, [box = m_seatBox] {
            if (box->hasFocus() && box->text() == kDefaultSeat)
                box->selectAll();
        });
    return Form::eventFilter(watched, event);
}

void LoginDialog::login()
{
    const QString seat = trimSpaces(m_seatBox->text());
    const QString identity = trimSpaces(m_identityBox->text());
    if (seat.isEmpty() || identity.isEmpty()) {
        msgBox(u"考生座位号和身份证号必须填写！"_s, MessageIcon::Critical);
        return;
    }
    Candidate& candidate = m_trainer.session().candidate;
    candidate.seatNumber = seat;
    candidate.identityNumber = identity;
    candidate.examMode =
        msgBox(u"是否启用考试模式？"_s, MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;

    auto opened = openDatabase();
    if (!opened) {
        failProgram(opened.error());
        return;
    }
    const std::shared_ptr<Connection> connection = opened.value();
    auto bank = Recordset::open(connection, sql::SelectBank);
    if (!bank) {
        connection->close();
        failProgram(bank.error());
        return;
    }
    if (bank->recordCount() < 1) {
        msgBox(u"试题库没有试题！"_s, MessageIcon::Critical);
        bank->close();
        connection->close();
        return;
    }
    bank->moveFirst();
    const Result<QVariant> course = bank->field(u"课程名"_s);
    if (!course) {
        bank->close();
        connection->close();
        failProgram(course.error());
        return;
    }
    // A first row without any course name is not a PowerPoint bank either.
    if (course->isNull() || trimSpaces(course->toString()) != bankCourseName()) {
        msgBox(u"试题库错误！"_s, MessageIcon::Critical);
        bank->close();
        connection->close();
        return;
    }
    candidate.courseTitle = u"PowerPoint2003中文演示文稿"_s;
    bank->close();
    connection->close();

    m_trainer.loadingWindow()->show();
    m_trainer.loginDialog().unload();
}

void LoginDialog::goBack()
{
    m_trainer.loginDialog().unload();
    m_trainer.loginBackdrop().unload();
    m_trainer.showMainMenu();
}

} // namespace pptdrill

#include "moc_logindialog.cpp"
