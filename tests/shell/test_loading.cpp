// The loading window: its timers drive the paper builder and hand over to the question bar.
#include "cipher/textfields.h"
#include "paper/paperbuilder.h"
#include "tests/shell/shellfixture.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <set>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class Loading : public ShellTest
{
protected:
    // From the menu through the login to the loading window.
    LoadingWindow* reachLoadingWindow(int menuButton)
    {
        MainMenu* menu = startMenu();
        menu->button(u"PushButton%1"_s.arg(menuButton))->click();
        settle();
        logIn(u" 18 "_s, u"4401"_s);
        settle();
        EXPECT_TRUE(trainer.loadingWindow().isLoaded());
        return trainer.loadingWindow().loaded();
    }
};

TEST_F(Loading, TheWindowShowsTheCandidateAndItsFixedLabels)
{
    LoadingWindow* loading = reachLoadingWindow(5);
    ASSERT_NE(loading, nullptr);
    EXPECT_EQ(loading->windowTitle(), u"试题载入"_s);
    EXPECT_EQ(loading->size(), QSize(800, 600));
    const std::pair<QString, QString> captions[] = {
        {u"ksxm"_s, u"考生甲一"_s},     {u"kszwhlabel"_s, u"18"_s},
        {u"kscc"_s, u"18"_s},           {u"sttext"_s, u"PowerPoint2003中文演示文稿"_s},
        {u"kssfzhlabel"_s, u"4401"_s},  {u"ksdah"_s, u"888888"_s},
        {u"ksdate"_s, u"2012-XX-XX"_s}, {u"stcsts"_s, u"试题传输中..."_s},
    };
    for (const auto& [name, caption] : captions) {
        ASSERT_NE(loading->label(name), nullptr) << name.toStdString();
        EXPECT_EQ(loading->label(name)->caption(), caption) << name.toStdString();
    }
    EXPECT_EQ(loading->label(u"ksdate"_s)->pos(), QPoint(176, 418));
    EXPECT_EQ(loading->progressBar()->geometry(), QRect(16, 560, 769, 25));
    EXPECT_EQ(loading->buildTimer()->interval(), 1000);
    EXPECT_EQ(loading->blinkTimer()->interval(), 500);
}

TEST_F(Loading, TheBlinkTimerHidesAndShowsTheTransferNotice)
{
    LoadingWindow* loading = reachLoadingWindow(5);
    Label* notice = loading->label(u"stcsts"_s);
    EXPECT_FALSE(notice->isHidden());
    loading->blinkTimer()->tick();
    EXPECT_TRUE(notice->isHidden());
    loading->blinkTimer()->tick();
    EXPECT_FALSE(notice->isHidden());
}

TEST_F(Loading, ASetIsBuiltAtTheSecondTickAndHandedOverToTheQuestionBar)
{
    // The bank's stems are ciphered under the fixed key; the bar shows them plain.
    const QString stem = u"将第2张幻灯片的版式改为“标题和文本”。"_s;
    {
        auto conn = openTestDatabase();
        auto row = Recordset::open(conn, u"select*from stk where ID="_s, QVariant(1));
        ASSERT_TRUE(row.ok());
        ASSERT_TRUE(row->setField(u"题干"_s, encryptTextToHex(stem, fixedCipherKeyText())).ok());
        ASSERT_TRUE(row->update().ok());
        conn->close();
    }
    QPointer<LoadingWindow> loading = reachLoadingWindow(5);
    ASSERT_TRUE(loading);
    QPointer<ProgressBar> progress = loading->progressBar();
    int shownDuringBuild = -1;
    player.onStart = [&] {
        // The windows are gone by the time the bar starts the player.
        shownDuringBuild = trainer.loadingWindow().isLoaded() + trainer.loginBackdrop().isLoaded() +
                           trainer.loginDialog().isLoaded();
    };

    loading->buildTimer()->tick();
    EXPECT_EQ(loading->tickCount(), 1);
    EXPECT_EQ(rowsOf(u"st"_s), 0) << "a set is built at the second tick";
    EXPECT_FALSE(trainer.questionBar().isLoaded());
    EXPECT_TRUE(player.events.empty());

    loading->buildTimer()->tick();
    EXPECT_TRUE(questionBarShown());
    EXPECT_EQ(shownDuringBuild, 0);
    EXPECT_FALSE(trainer.loadingWindow().isLoaded());
    EXPECT_FALSE(trainer.loginBackdrop().isLoaded());
    EXPECT_FALSE(trainer.loginDialog().isLoaded());
    EXPECT_FALSE(trainer.mainMenu()->isVisible());
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->minimum(), 1);
    EXPECT_EQ(progress->maximum(), 3);
    EXPECT_EQ(progress->value(), 3);
    QPointer<QuestionBar> bar = trainer.questionBar().loaded();
    ASSERT_TRUE(bar);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->stemBox()->toPlainText(), stem);

    // Rows in the paper in bank order, movies staged beside "completed.swf".
    auto conn = openTestDatabase();
    auto paper = Recordset::open(conn, u"select*from st "_s);
    ASSERT_TRUE(paper.ok());
    ASSERT_EQ(paper->recordCount(), 3);
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(paper->setAbsolutePosition(n).ok());
        EXPECT_EQ(paper->field(u"大题类"_s)->toString(), u"第1套题"_s);
        EXPECT_EQ(paper->field(u"题号"_s)->toString(), QString::number(n));
        EXPECT_EQ(readFile(movieFilePathOf(n)), "movie of set 1 question " + QByteArray::number(n));
    }
    conn->close();
    EXPECT_EQ(readFile(movieFolder() + u"/completed.swf"_s), "completion movie");
    EXPECT_TRUE(movieFolder().startsWith(runtime.path()));

    // A later tick of a window that is gone does nothing.
    const std::vector<QString> eventsAtHandOver = player.events;
    if (loading) {
        loading->buildTimer()->tick();
        EXPECT_EQ(player.events, eventsAtHandOver);
        EXPECT_EQ(trainer.questionBar().loaded(), bar);
    }
    settle();
    EXPECT_FALSE(loading);
}

TEST_F(Loading, TheSecondSprintSetBuildsSetEleven)
{
    LoadingWindow* loading = reachLoadingWindow(15);
    loading->buildTimer()->tick();
    loading->buildTimer()->tick();
    EXPECT_TRUE(questionBarShown());
    EXPECT_EQ(rowsOf(u"st"_s), 2);
    EXPECT_TRUE(QFile::exists(movieFilePathOf(1)));
    EXPECT_FALSE(QFile::exists(movieFilePathOf(2))) << "the second question has no movie";
}

TEST_F(Loading, ARandomPaperIsBuiltOnceAtTheFirstTick)
{
    LoadingWindow* loading = reachLoadingWindow(18);
    loading->buildTimer()->tick();
    EXPECT_TRUE(questionBarShown());
    EXPECT_FALSE(trainer.loadingWindow().isLoaded());

    auto conn = openTestDatabase();
    auto paper = Recordset::open(conn, u"select*from st "_s);
    ASSERT_TRUE(paper.ok());
    ASSERT_EQ(paper->recordCount(), 7) << "the whole bank of 7, none twice";
    std::set<qlonglong> drawn;
    for (paper->moveFirst(); !paper->eof(); paper->moveNext())
        drawn.insert(paper->field(u"stkid"_s)->toLongLong());
    EXPECT_EQ(drawn.size(), 7u);
    conn->close();
}

TEST_F(Loading, AnEmptySelectionReturnsToTheMenu)
{
    LoadingWindow* loading = reachLoadingWindow(9); // set 5 has no questions
    boxes.shown.clear();
    loading->buildTimer()->tick();
    loading->buildTimer()->tick();
    EXPECT_EQ(boxes.texts(), QStringList{u"没有该类试题！"_s});
    EXPECT_FALSE(trainer.questionBar().isLoaded());
    EXPECT_TRUE(player.events.empty());
    EXPECT_FALSE(trainer.loadingWindow().isLoaded());
    EXPECT_FALSE(trainer.loginBackdrop().isLoaded());
    EXPECT_FALSE(trainer.loginDialog().isLoaded());
    EXPECT_TRUE(trainer.mainMenu()->isVisible());
    EXPECT_EQ(rowsOf(u"st"_s), 0);
}

TEST_F(Loading, TheWrongQuestionPaperHoldsTheQuestionsAnsweredWrongly)
{
    LoadingWindow* loading = reachLoadingWindow(19);
    loading->buildTimer()->tick();
    loading->buildTimer()->tick();
    EXPECT_TRUE(questionBarShown());
    EXPECT_EQ(rowsOf(u"st"_s), 2);
}

TEST_F(Loading, AFailingBuildEndsTheProgramWithTheErrorText)
{
    LoadingWindow* loading = reachLoadingWindow(5);
    ASSERT_TRUE(QFile::remove(folder.file(u"stdata.db"_s)));
    boxes.shown.clear();
    loading->buildTimer()->tick();
    loading->buildTimer()->tick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(boxes.shown[0].text.isEmpty());
    EXPECT_EQ(endedWith, 1);
    EXPECT_FALSE(trainer.questionBar().isLoaded());
    EXPECT_TRUE(player.events.empty());
}

TEST_F(Loading, TheBarCountsThePaperAndItsHandInLeadsBackToTheMenu)
{
    LoadingWindow* loading = reachLoadingWindow(5);
    loading->buildTimer()->tick();
    loading->buildTimer()->tick();
    settle();
    QuestionBar* bar = trainer.questionBar().loaded();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->questionCount(), 3);
    EXPECT_EQ(bar->windowTitle(), u"第1题  共3题"_s);

    // Nothing answered: both confirmations, then the results.
    bar->endExamButton()->click();
    ASSERT_TRUE(trainer.unansweredHandInDialog().isLoaded());
    trainer.unansweredHandInDialog()->okButton()->click();
    ASSERT_TRUE(trainer.handInDialog().isLoaded());
    trainer.handInDialog()->okButton()->click();
    settle();
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    EXPECT_FALSE(bar->isVisible());

    trainer.resultsWindow()->newPracticeButton()->click();
    settle();
    EXPECT_TRUE(trainer.mainMenu()->isVisible());
    EXPECT_FALSE(trainer.questionBar().isLoaded());
    EXPECT_FALSE(trainer.resultsWindow().isLoaded());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == u"stbar"_s && w->isVisible());
    EXPECT_FALSE(endedWith.has_value());
}

// Nothing of one trainer's practice reaches the next: neither its session nor its windows.
TEST_F(Loading, ASecondTrainerAfterAPaperStartsClean)
{
    {
        Trainer first;
        first.setPlayerProcesses(&player);
        MainMenu* menu = first.mainMenu().get();
        ASSERT_TRUE(menu->load());
        menu->show();
        menu->button(u"PushButton18"_s)->click(); // 随机练习
        settle();
        LoginDialog* login = first.loginDialog().get();
        login->seatBox()->setText(u"07"_s);
        login->identityBox()->setText(u"4401"_s);
        boxes.answers.push_back(MessageAnswer::Yes);
        login->loginButton()->click();
        settle();
        ASSERT_TRUE(first.loadingWindow().isLoaded());
        first.loadingWindow()->buildTimer()->tick();
        ASSERT_TRUE(first.questionBar().isLoaded());
        first.questionBar()->markButton()->click();
        ASSERT_EQ(first.session().mark(1), QuestionMark::Marked);
        ASSERT_TRUE(first.session().choice.isRandom());
        ASSERT_TRUE(first.session().candidate.examMode);
        ASSERT_FALSE(first.session().playerCommand.isEmpty());
    }
    settle();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<Form*>(w), nullptr)
            << w->objectName().toStdString() << " outlived its trainer";

    Trainer second;
    ExamSession& session = second.session();
    EXPECT_TRUE(session.choice.setName.isEmpty());
    EXPECT_FALSE(session.choice.isRandom());
    EXPECT_TRUE(session.candidate.seatNumber.isEmpty());
    EXPECT_TRUE(session.candidate.identityNumber.isEmpty());
    EXPECT_TRUE(session.candidate.courseTitle.isEmpty());
    EXPECT_FALSE(session.candidate.examMode);
    EXPECT_FALSE(session.paper().has_value());
    EXPECT_EQ(session.questionCount(), 0);
    EXPECT_EQ(session.mark(1), QuestionMark::NotVisited);
    EXPECT_EQ(session.remainingSeconds(), 0);
    EXPECT_TRUE(session.playerCommand.isEmpty());
    EXPECT_FALSE(session.barMayClose);
    EXPECT_FALSE(second.mainMenu().isLoaded());
    EXPECT_FALSE(second.loginBackdrop().isLoaded());
    EXPECT_FALSE(second.loginDialog().isLoaded());
    EXPECT_FALSE(second.loadingWindow().isLoaded());
    EXPECT_FALSE(second.questionBar().isLoaded());
    EXPECT_FALSE(second.barIcon().isLoaded());
    EXPECT_FALSE(second.playerLauncher().isLoaded());
    EXPECT_FALSE(second.unansweredHandInDialog().isLoaded());
    EXPECT_FALSE(second.handInDialog().isLoaded());
    EXPECT_FALSE(second.resultsWindow().isLoaded());

    // And it starts as the first did.
    boxes.shown.clear();
    EXPECT_TRUE(second.mainMenu()->load());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(endedWith.has_value());
}
