// The candidate login: backdrop, login window and the check of the bank.
#include "tests/shell/shellfixture.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

using Login = ShellTest;

TEST_F(Login, TheWindowsCarryTheirCaptionsControlsAndColours)
{
    TestloginForm* backdrop = testloginForm.get();
    EXPECT_EQ(backdrop->windowTitle(), u"登陆考试"_s);
    EXPECT_EQ(backdrop->backColor(), windowsColor(64, 128, 128));
    EXPECT_EQ(backdrop->size(), QSize(814, 567));

    ZctestForm* login = zctestForm.get();
    EXPECT_EQ(login->windowTitle(), u"考试登陆"_s);
    EXPECT_EQ(login->size(), QSize(800, 599));
    EXPECT_EQ(login->Text1()->text(), u"18"_s);
    EXPECT_EQ(login->Text1()->geometry(), QRect(336, 252, 201, 25));
    EXPECT_EQ(login->Text2()->geometry().topLeft(), QPoint(336, 317));
    EXPECT_EQ(login->Text1()->font().pixelSize(), 14); // 10.5 points
    EXPECT_EQ(login->PushButton1()->caption(), u"登  陆"_s);
    EXPECT_EQ(login->PushButton2()->caption(), u"返  回"_s);
    EXPECT_EQ(login->PushButton1()->geometry(), QRect(240, 424, 113, 33));
    EXPECT_NE(login->findChild<Image*>(u"Image1"_s), nullptr);
}

TEST_F(Login, TheBackdropBringsTheLoginBackWheneverItIsActivated)
{
    testloginForm->show();
    settle();
    ASSERT_TRUE(zctestForm.isLoaded());
    ZctestForm* first = zctestForm.get();
    first->close(); // closed by its caption bar: unloaded
    settle();
    EXPECT_FALSE(zctestForm.isLoaded());
    testloginForm->Activate();
    ASSERT_TRUE(zctestForm.isLoaded());
    EXPECT_TRUE(zctestForm->isVisible());
}

TEST_F(Login, BlankNumbersAreRefusedAndNothingIsStored)
{
    seatno = u"old seat"_s;
    ZctestForm* login = zctestForm.get();
    for (auto [seat, identity] :
         {std::pair{u"   "_s, u"123"_s}, std::pair{u"18"_s, u""_s}, std::pair{u"18"_s, u"  "_s}}) {
        boxes.shown.clear();
        login->Text1()->setText(seat);
        login->Text2()->setText(identity);
        login->PushButton1()->click();
        ASSERT_EQ(boxes.texts(), QStringList{u"考生座位号和身份证号必须填写！"_s});
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(seatno, u"old seat"_s);
        EXPECT_EQ(login->Text1()->text(), seat) << "the typed text stays";
        EXPECT_TRUE(zctestForm.isLoaded());
        EXPECT_FALSE(stzrForm.isLoaded());
    }
}

TEST_F(Login, ASuccessfulLoginStoresTheTrimmedNumbersAndOpensTheLoadingWindow)
{
    testloginForm->show();
    settle();
    logIn(u"  07 "_s, u" x-any text 1 "_s, MessageAnswer::Yes);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, u"是否启用考试模式？"_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(boxes.shown[0].title, u"朔禾软件"_s);
    EXPECT_EQ(seatno, u"07"_s);
    EXPECT_EQ(idno, u"x-any text 1"_s);
    EXPECT_TRUE(exammode);
    EXPECT_EQ(coursetitle, u"PowerPoint2003中文演示文稿"_s);
    settle();
    EXPECT_FALSE(zctestForm.isLoaded());
    EXPECT_TRUE(testloginForm.isLoaded()) << "the backdrop stays under the loading window";
    ASSERT_TRUE(stzrForm.isLoaded());
    EXPECT_TRUE(stzrForm->isVisible());
    EXPECT_EQ(stzrForm->label(u"kszwhlabel"_s)->caption(), u"07"_s);
    EXPECT_EQ(stzrForm->label(u"kssfzhlabel"_s)->caption(), u"x-any text 1"_s);
    EXPECT_EQ(stzrForm->label(u"sttext"_s)->caption(), u"PowerPoint2003中文演示文稿"_s);
}

TEST_F(Login, AnsweringNoLeavesExamModeOff)
{
    exammode = true;
    logIn(u"18"_s, u"1"_s, MessageAnswer::No);
    EXPECT_FALSE(exammode);
    EXPECT_TRUE(stzrForm.isLoaded());
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
        conn->close();
        boxes.shown.clear();
        exammode = false;

        logIn(u"21"_s, u"4401"_s, MessageAnswer::Yes);
        SCOPED_TRACE(c.firstCourse.toStdString());
        // Seat, identity and exam mode are set before the bank is examined.
        EXPECT_EQ(seatno, u"21"_s);
        EXPECT_TRUE(exammode);
        if (c.message.isEmpty()) {
            EXPECT_EQ(boxes.texts(), QStringList{u"是否启用考试模式？"_s});
            EXPECT_TRUE(stzrForm.isLoaded());
        } else {
            EXPECT_EQ(boxes.texts(), (QStringList{u"是否启用考试模式？"_s, c.message}));
            EXPECT_EQ(boxes.shown.back().icon, MessageIcon::Critical);
            EXPECT_FALSE(stzrForm.isLoaded());
            EXPECT_TRUE(zctestForm.isLoaded()) << "the login stays open for another attempt";
        }
        EXPECT_FALSE(dbconn && dbconn->isOpen()) << "the connection is closed";
        EXPECT_FALSE(endedWith.has_value());
        stzrForm.discard();
        zctestForm.discard();
        ASSERT_TRUE(QFile::remove(folder.file(u"stdata.db"_s)));
        ASSERT_TRUE(QFile::copy(shellTemplateDatabase(), folder.file(u"stdata.db"_s)));
    }
}

TEST_F(Login, BackAfterAFailedAttemptReturnsToTheMenuWithThePaperEmpty)
{
    IndexForm* menu = startMenu();
    auto conn = openTestDatabase();
    addPaperRow(conn, 1);
    ASSERT_TRUE(conn->executeScript(u"UPDATE stk SET 课程名 = 'Word模块';"_s).ok());
    conn->close();

    menu->button(u"PushButton7"_s)->click();
    settle();
    logIn(u"18"_s, u"1"_s);
    EXPECT_EQ(boxes.texts().last(), u"试题库错误！"_s);
    zctestForm->PushButton2()->click();
    settle();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(testloginForm.isLoaded());
    EXPECT_FALSE(zctestForm.isLoaded());
    EXPECT_EQ(rowsOf(u"st"_s), 0);
    EXPECT_EQ(setname, u"第3套题"_s);
}

TEST_F(Login, EnterLogsInAndTheSuggestedSeatIsReplacedByTyping)
{
    testloginForm->show();
    settle();
    ZctestForm* login = zctestForm.get();
    login->activateWindow();
    login->Text2()->setFocus();
    login->Text1()->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(login->Text1()->selectedText(), u"18"_s);
    QTest::keyClicks(login->Text1(), u"07"_s);
    EXPECT_EQ(login->Text1()->text(), u"07"_s);

    // Typed over, the seat is no suggestion any more: a click places the cursor.
    login->Text2()->setFocus();
    login->Text1()->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_TRUE(login->Text1()->selectedText().isEmpty());

    QTest::keyClicks(login->Text2(), u"110"_s);
    boxes.answers.push_back(MessageAnswer::No);
    QTest::keyClick(login->Text2(), Qt::Key_Return);
    EXPECT_EQ(boxes.texts(), QStringList{u"是否启用考试模式？"_s});
    EXPECT_EQ(seatno, u"07"_s);
    EXPECT_TRUE(stzrForm.isLoaded());
}

TEST_F(Login, EnterOnTheBackButtonGoesBack)
{
    testloginForm->show();
    settle();
    ZctestForm* login = zctestForm.get();
    login->PushButton2()->setFocus();
    QTest::keyClick(login->PushButton2(), Qt::Key_Enter);
    settle();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(zctestForm.isLoaded());
    EXPECT_TRUE(indexForm->isVisible());
}

TEST_F(Login, TheBackdropBringsNoSecondLoginWhileThePaperIsBuilt)
{
    testloginForm->show();
    settle();
    logIn(u"18"_s, u"1"_s);
    settle();
    ASSERT_TRUE(stzrForm.isLoaded());
    ASSERT_FALSE(zctestForm.isLoaded());
    // A click on the backdrop's edge activates it.
    testloginForm->Activate();
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(testloginForm.get(), &activation);
    settle();
    EXPECT_FALSE(zctestForm.isLoaded());
}
