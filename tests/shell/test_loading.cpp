// The loading window: its timers drive the paper builder and hand over to the question bar.
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
    StzrForm* reachLoadingWindow(int menuButton)
    {
        IndexForm* menu = startMenu();
        menu->button(u"PushButton%1"_s.arg(menuButton))->click();
        settle();
        logIn(u" 18 "_s, u"4401"_s);
        settle();
        EXPECT_TRUE(stzrForm.isLoaded());
        return stzrForm.loaded();
    }
};

TEST_F(Loading, TheWindowShowsTheCandidateAndItsFixedLabels)
{
    StzrForm* loading = reachLoadingWindow(5);
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
    EXPECT_EQ(loading->stloadpro()->geometry(), QRect(16, 560, 769, 25));
    EXPECT_EQ(loading->Timer1()->interval(), 1000);
    EXPECT_EQ(loading->Timer2()->interval(), 500);
}

TEST_F(Loading, TheBlinkTimerHidesAndShowsTheTransferNotice)
{
    StzrForm* loading = reachLoadingWindow(5);
    Label* notice = loading->label(u"stcsts"_s);
    EXPECT_FALSE(notice->isHidden());
    loading->Timer2()->tick();
    EXPECT_TRUE(notice->isHidden());
    loading->Timer2()->tick();
    EXPECT_FALSE(notice->isHidden());
}

TEST_F(Loading, ASetIsBuiltAtTheSecondTickAndHandedOverToTheQuestionBar)
{
    QPointer<StzrForm> loading = reachLoadingWindow(5);
    ASSERT_TRUE(loading);
    QPointer<ProgressBar> progress = loading->stloadpro();
    int shownDuringBuild = 0;
    setQuestionBarHandler([&] {
        ++questionBarShown;
        // The windows are gone by the time the bar shows.
        shownDuringBuild += stzrForm.isLoaded() + testloginForm.isLoaded() + zctestForm.isLoaded();
    });

    loading->Timer1()->tick();
    EXPECT_EQ(loading->tickCount(), 1);
    EXPECT_EQ(rowsOf(u"st"_s), 0) << "a set is built at the second tick";
    EXPECT_EQ(questionBarShown, 0);

    loading->Timer1()->tick();
    EXPECT_EQ(questionBarShown, 1);
    EXPECT_EQ(shownDuringBuild, 0);
    EXPECT_FALSE(stzrForm.isLoaded());
    EXPECT_FALSE(testloginForm.isLoaded());
    EXPECT_FALSE(zctestForm.isLoaded());
    EXPECT_FALSE(indexForm->isVisible());
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->minimum(), 1);
    EXPECT_EQ(progress->maximum(), 3);
    EXPECT_EQ(progress->value(), 3);

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
    if (loading) {
        loading->Timer1()->tick();
        EXPECT_EQ(questionBarShown, 1);
    }
    settle();
    EXPECT_FALSE(loading);
}

TEST_F(Loading, TheSecondSprintSetBuildsSetEleven)
{
    StzrForm* loading = reachLoadingWindow(15);
    loading->Timer1()->tick();
    loading->Timer1()->tick();
    EXPECT_EQ(questionBarShown, 1);
    EXPECT_EQ(rowsOf(u"st"_s), 2);
    EXPECT_TRUE(QFile::exists(movieFilePathOf(1)));
    EXPECT_FALSE(QFile::exists(movieFilePathOf(2))) << "the second question has no movie";
}

TEST_F(Loading, ARandomPaperIsBuiltOnceAtTheFirstTick)
{
    StzrForm* loading = reachLoadingWindow(18);
    loading->Timer1()->tick();
    EXPECT_EQ(questionBarShown, 1);
    EXPECT_FALSE(stzrForm.isLoaded());

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
    StzrForm* loading = reachLoadingWindow(9); // set 5 has no questions
    boxes.shown.clear();
    loading->Timer1()->tick();
    loading->Timer1()->tick();
    EXPECT_EQ(boxes.texts(), QStringList{u"没有该类试题！"_s});
    EXPECT_EQ(questionBarShown, 0);
    EXPECT_FALSE(stzrForm.isLoaded());
    EXPECT_FALSE(testloginForm.isLoaded());
    EXPECT_FALSE(zctestForm.isLoaded());
    EXPECT_TRUE(indexForm->isVisible());
    EXPECT_EQ(rowsOf(u"st"_s), 0);
}

TEST_F(Loading, TheWrongQuestionPaperHoldsTheQuestionsAnsweredWrongly)
{
    StzrForm* loading = reachLoadingWindow(19);
    loading->Timer1()->tick();
    loading->Timer1()->tick();
    EXPECT_EQ(questionBarShown, 1);
    EXPECT_EQ(rowsOf(u"st"_s), 2);
}

TEST_F(Loading, AFailingBuildEndsTheProgramWithTheErrorText)
{
    StzrForm* loading = reachLoadingWindow(5);
    ASSERT_TRUE(QFile::remove(folder.file(u"stdata.db"_s)));
    boxes.shown.clear();
    loading->Timer1()->tick();
    loading->Timer1()->tick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(boxes.shown[0].text.isEmpty());
    EXPECT_EQ(endedWith, 1);
    EXPECT_EQ(questionBarShown, 0);
}

TEST_F(Loading, TheStandInBarCountsThePaperAndLeadsBackToTheMenu)
{
    setQuestionBarHandler({});
    StzrForm* loading = reachLoadingWindow(5);
    loading->Timer1()->tick();
    loading->Timer1()->tick();
    settle();
    QWidget* standIn = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == u"paperready"_s && w->isVisible())
            standIn = w;
    }
    ASSERT_NE(standIn, nullptr);
    EXPECT_EQ(standIn->windowTitle(), u"试题"_s);
    EXPECT_TRUE(standIn->findChild<Label*>()->caption().contains(u"3"_s));
    standIn->findChild<PushButton*>(u"returntomenu"_s)->click();
    settle();
    EXPECT_TRUE(indexForm->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == u"paperready"_s && w->isVisible());
}
