// The candidate login: backdrop, login window and the check of the bank.
#include "tests/shell/shellfixture.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

using Login = ShellTest;

TEST_F(Login, TheWindowsCarryTheirCaptionsControlsAndColours)
{
    LoginBackdrop* backdrop = trainer.loginBackdrop().get();
    EXPECT_EQ(backdrop->windowTitle(), u"登陆考试"_s);
    EXPECT_EQ(backdrop->backColor(), windowsColor(64, 128, 128));
    EXPECT_EQ(backdrop->size(), QSize(814, 567));

    LoginDialog* login = trainer.loginDialog().get();
    EXPECT_EQ(login->windowTitle(), u"考试登陆"_s);
    EXPECT_EQ(login->size(), QSize(800, 599));
    EXPECT_EQ(login->seatBox()->text(), u"18"_s);
    EXPECT_EQ(login->seatBox()->geometry(), QRect(336, 252, 201, 25));
    EXPECT_EQ(login->identityBox()->geometry().topLeft(), QPoint(336, 317));
    EXPECT_EQ(login->seatBox()->font().pixelSize(), 14); // 10.5 points
    EXPECT_EQ(login->loginButton()->caption(), u"登  陆"_s);
    EXPECT_EQ(login->backButton()->caption(), u"返  回"_s);
    EXPECT_EQ(login->loginButton()->geometry(), QRect(240, 424, 113, 33));
    EXPECT_NE(login->findChild<Image*>(u"Image1"_s), nullptr);
}

TEST_F(Login, TheBackdropBringsTheLoginBackWheneverItIsActivated)
{
    trainer.loginBackdrop()->show();
    settle();
    ASSERT_TRUE(trainer.loginDialog().isLoaded());
    LoginDialog* first = trainer.loginDialog().get();
    first->close(); // closed by its caption bar: unloaded
    settle();
    EXPECT_FALSE(trainer.loginDialog().isLoaded());
    trainer.loginBackdrop()->showLoginDialog();
    ASSERT_TRUE(trainer.loginDialog().isLoaded());
    EXPECT_TRUE(trainer.loginDialog()->isVisible());
}

TEST_F(Login, BlankNumbersAreRefusedAndNothingIsStored)
{
    Candidate& candidate = trainer.session().candidate;
    candidate.seatNumber = u"old seat"_s;
    LoginDialog* login = trainer.loginDialog().get();
    for (auto [seat, identity] :
         {std::pair{u"   "_s, u"123"_s}, std::pair{u"18"_s, u""_s}, std::pair{u"18"_s, u"  "_s}}) {
        boxes.shown.clear();
        login->seatBox()->setText(seat);
        login->identityBox()->setText(identity);
        login->loginButton()->click();
        ASSERT_EQ(boxes.texts(), QStringList{u"考生座位号和身份证号必须填写！"_s});
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(candidate.seatNumber, u"old seat"_s);
        EXPECT_EQ(login->seatBox()->text(), seat) << "the typed text stays";
        EXPECT_TRUE(trainer.loginDialog().isLoaded());
        EXPECT_FALSE(trainer.loadingWindow().isLoaded());
    }
}

TEST_F(Login, ASuccessfulLoginStoresTheTrimmedNumbersAndOpensTheLoadingWindow)
{
    trainer.loginBackdrop()->show();
    settle();
    logIn(u"  07 "_s, u" x-any text 1 "_s, MessageAnswer::Yes);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, u"是否启用考试模式？"_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(boxes.shown[0].title, u"朔禾软件"_s);
    EXPECT_EQ(trainer.session().candidate.seatNumber, u"07"_s);
    EXPECT_EQ(trainer.session().candidate.identityNumber, u"x-any text 1"_s);
    EXPECT_TRUE(trainer.session().candidate.examMode);
    EXPECT_EQ(trainer.session().candidate.courseTitle, u"PowerPoint2003中文演示文稿"_s);
    settle();
    EXPECT_FALSE(trainer.loginDialog().isLoaded());
    EXPECT_TRUE(trainer.loginBackdrop().isLoaded()) << "the backdrop stays under the loading window";
    ASSERT_TRUE(trainer.loadingWindow().isLoaded());
    EXPECT_TRUE(trainer.loadingWindow()->isVisible());
    EXPECT_EQ(trainer.loadingWindow()->label(u"kszwhlabel"_s)->caption(), u"07"_s);
    EXPECT_EQ(trainer.loadingWindow()->label(u"kssfzhlabel"_s)->caption(), u"x-any text 1"_s);
    EXPECT_EQ(trainer.loadingWindow()->label(u"sttext"_s)->caption(), u"PowerPoint2003中文演示文稿"_s);
}

TEST_F(Login, AnsweringNoLeavesExamModeOff)
{
    trainer.session().candidate.examMode = true;
    logIn(u"18"_s, u"1"_s, MessageAnswer::No);
    EXPECT_FALSE(trainer.session().candidate.examMode);
    EXPECT_TRUE(trainer.loadingWindow().isLoaded());
}

TEST_F(Login, TheBankIsCheckedByItsFirstRowsCourseName)
{
    struct Case
    {
        QString firstCourse; // empty: no rows at all
        bool nullCourse;
        QString message; // empty: accepted
    };
    const Case cases[] = {
        {u"  PowerPoint模块  "_s, false, QString()},
        {u"PowerPoint 模块"_s, false, u"试题库错误！"_s},
        {u"powerpoint模块"_s, false, u"试题库错误！"_s},
        {u"Excel模块"_s, false, u"试题库错误！"_s},
        {QString(), true, u"试题库错误！"_s},
        {QString(), false, u"试题库没有试题！"_s},
    };
    for (const Case& c : cases) {
        auto conn = openTestDatabase();
        if (c.firstCourse.isEmpty() && !c.nullCourse) {
            ASSERT_TRUE(conn->execute(u"delete * from stk"_s).ok());
        } else {
            const QString value = c.nullCourse ? u"NULL"_s : u"'"_s + c.firstCourse + u"'"_s;
            ASSERT_TRUE(
                conn->executeScript(
                        u"UPDATE stk SET 课程名 = %1 WHERE ID = (SELECT MIN(ID) FROM stk);"
                        u"UPDATE stk SET 课程名 = 'Word模块' WHERE ID = (SELECT MAX(ID) FROM stk);"_s.arg(
                            value))
                    .ok());
        }
        ASSERT_GT(openDescriptorsOn(folder.file(u"stdata.db"_s)), 0) << "an open connection is not seen";
        conn->close();
        boxes.shown.clear();
        trainer.session().candidate.examMode = false;

        logIn(u"21"_s, u"4401"_s, MessageAnswer::Yes);
        SCOPED_TRACE(c.firstCourse.toStdString());
        // Seat, identity and exam mode are set before the bank is examined.
        EXPECT_EQ(trainer.session().candidate.seatNumber, u"21"_s);
        EXPECT_TRUE(trainer.session().candidate.examMode);
        if (c.message.isEmpty()) {
            EXPECT_EQ(boxes.texts(), QStringList{u"是否启用考试模式？"_s});
            EXPECT_TRUE(trainer.loadingWindow().isLoaded());
        } else {
            EXPECT_EQ(boxes.texts(), (QStringList{u"是否启用考试模式？"_s, c.message}));
            EXPECT_EQ(boxes.shown.back().icon, MessageIcon::Critical);
            EXPECT_FALSE(trainer.loadingWindow().isLoaded());
            EXPECT_TRUE(trainer.loginDialog().isLoaded()) << "the login stays open for another attempt";
        }
        EXPECT_EQ(openDescriptorsOn(folder.file(u"stdata.db"_s)), 0) << "the connection is closed";
        EXPECT_FALSE(endedWith.has_value());
        trainer.loadingWindow().discard();
        trainer.loginDialog().discard();
        ASSERT_TRUE(QFile::remove(folder.file(u"stdata.db"_s)));
        ASSERT_TRUE(QFile::copy(shellTemplateDatabase(), folder.file(u"stdata.db"_s)));
    }
}

TEST_F(Login, BackAfterAFailedAttemptReturnsToTheMenuWithThePaperEmpty)
{
    MainMenu* menu = startMenu();
    auto conn = openTestDatabase();
    addPaperRow(conn, 1);
    ASSERT_TRUE(conn->executeScript(u"UPDATE stk SET 课程名 = 'Word模块';"_s).ok());
    conn->close();

    menu->button(u"PushButton7"_s)->click();
    settle();
    logIn(u"18"_s, u"1"_s);
    EXPECT_EQ(boxes.texts().last(), u"试题库错误！"_s);
    trainer.loginDialog()->backButton()->click();
    settle();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(trainer.loginBackdrop().isLoaded());
    EXPECT_FALSE(trainer.loginDialog().isLoaded());
    EXPECT_EQ(rowsOf(u"st"_s), 0);
    EXPECT_EQ(trainer.session().choice.setName, u"第3套题"_s);
}

TEST_F(Login, EnterLogsInAndTheSuggestedSeatIsReplacedByTyping)
{
    trainer.loginBackdrop()->show();
    settle();
    LoginDialog* login = trainer.loginDialog().get();
    login->activateWindow();
    login->identityBox()->setFocus();
    login->seatBox()->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(login->seatBox()->selectedText(), u"18"_s);
    QTest::keyClicks(login->seatBox(), u"07"_s);
    EXPECT_EQ(login->seatBox()->text(), u"07"_s);

    // Typed over, the seat is no suggestion any more: a click places the cursor.
    login->identityBox()->setFocus();
    login->seatBox()->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_TRUE(login->seatBox()->selectedText().isEmpty());

    QTest::keyClicks(login->identityBox(), u"110"_s);
    boxes.answers.push_back(MessageAnswer::No);
    QTest::keyClick(login->identityBox(), Qt::Key_Return);
    EXPECT_EQ(boxes.texts(), QStringList{u"是否启用考试模式？"_s});
    EXPECT_EQ(trainer.session().candidate.seatNumber, u"07"_s);
    EXPECT_TRUE(trainer.loadingWindow().isLoaded());
}

TEST_F(Login, EnterOnTheBackButtonGoesBack)
{
    trainer.loginBackdrop()->show();
    settle();
    LoginDialog* login = trainer.loginDialog().get();
    login->backButton()->setFocus();
    QTest::keyClick(login->backButton(), Qt::Key_Enter);
    settle();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(trainer.loginDialog().isLoaded());
    EXPECT_TRUE(trainer.mainMenu()->isVisible());
}

TEST_F(Login, TheBackdropBringsNoSecondLoginWhileThePaperIsBuilt)
{
    trainer.loginBackdrop()->show();
    settle();
    logIn(u"18"_s, u"1"_s);
    settle();
    ASSERT_TRUE(trainer.loadingWindow().isLoaded());
    ASSERT_FALSE(trainer.loginDialog().isLoaded());
    // A click on the backdrop's edge activates it.
    trainer.loginBackdrop()->showLoginDialog();
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(trainer.loginBackdrop().get(), &activation);
    settle();
    EXPECT_FALSE(trainer.loginDialog().isLoaded());
}
