// A paper that was not handed in is offered again at the next start, with its
// grid, help and time; a paper built anew, handed in or given up is not.
#include "paper/paperprogress.h"
#include "player/channel.h"
#include "tests/bar/barfixture.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

class BarResumeTest : public BarTest
{
protected:
    // The learner works on a paper of five: question 3 marked and demonstrated,
    // twenty seconds gone; then the trainer is killed (its windows go without
    // their unload, nothing is handed in).
    void workAndKill()
    {
        session().choice = practiceChoiceNamed(u"第1套题"_s);
        QFile::copy(buildProgramFolder() + u"/completed.swf"_s, folder.file(u"completed.swf"_s));
        QuestionBar* bar = loadBar(5);
        ASSERT_NE(bar, nullptr);
        bar->nextButton()->click();
        bar->nextButton()->click();
        bar->markButton()->click();
        bar->demonstrationButton()->click();
        tick(bar, 20);
        remainingAtKill = session().remainingSeconds();
        trainer.discardWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        trainer.session().paper().reset();
    }

    int paperRows()
    {
        auto conn = openTestDatabase();
        const auto rows = conn->select(u"SELECT COUNT(*) FROM st"_s);
        conn->close();
        return rows ? rows->front().front().toInt() : -1;
    }

    std::shared_ptr<Connection> openTestDatabase()
    {
        auto conn = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
        EXPECT_TRUE(conn.ok());
        return conn.value();
    }

    int remainingAtKill = 0;
};

} // namespace

TEST_F(BarResumeTest, AKilledPaperIsTakenUpWithItsAnswersGridAndTime)
{
    workAndKill();
    player.events.clear();

    Trainer next;
    next.setPlayerProcesses(&player);
    boxes.answers.push_back(MessageAnswer::Yes);
    ASSERT_TRUE(next.offerUnfinishedPaper()) << boxes.texts().join(u"|"_s).toStdString();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(u"第1套题"_s)) << boxes.shown[0].text.toStdString();
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::YesNo);

    QuestionBar* bar = next.questionBar().loaded();
    ASSERT_NE(bar, nullptr);
    ExamSession& resumed = next.session();
    EXPECT_EQ(resumed.paper()->absolutePosition(), 3);
    EXPECT_EQ(resumed.mark(1), QuestionMark::Visited);
    EXPECT_EQ(resumed.mark(3), QuestionMark::Marked);
    EXPECT_EQ(resumed.mark(5), QuestionMark::NotVisited);
    EXPECT_TRUE(resumed.hadDemonstration(3));
    EXPECT_EQ(resumed.choice.setName, u"第1套题"_s);
    // At most the time since the last save is lost; none is given back.
    EXPECT_LE(resumed.remainingSeconds(), 375 - 15);
    EXPECT_GE(resumed.remainingSeconds(), remainingAtKill);
    EXPECT_EQ(bar->windowTitle(), u"第3题  共5题"_s);
    // The player starts on the question the learner was at.
    ASSERT_FALSE(player.events.empty());
    EXPECT_TRUE(player.events.back().endsWith(QString::number(stids[2]) + u"&3"_s));
    next.discardWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    next.session().paper().reset();
}

TEST_F(BarResumeTest, DecliningGivesThePaperUpForGood)
{
    workAndKill();
    Trainer next;
    next.setPlayerProcesses(&player);
    boxes.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(next.offerUnfinishedPaper());
    EXPECT_FALSE(next.questionBar().isLoaded());
    EXPECT_EQ(paperRows(), 0);
    boxes.shown.clear();
    EXPECT_FALSE(next.offerUnfinishedPaper());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BarResumeTest, APaperBuiltAnewIsNotOffered)
{
    workAndKill();
    // The menu's next choice empties the paper table and a new paper is built.
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->execute(u"delete * from st"_s).ok());
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(conn->run(u"INSERT INTO st (题型) VALUES ('5')"_s).ok());
        conn->close();
    }
    Trainer next;
    next.setPlayerProcesses(&player);
    EXPECT_FALSE(next.offerUnfinishedPaper());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(paperRows(), 5);
}

TEST_F(BarResumeTest, AHandedInPaperIsNotOffered)
{
    session().choice = practiceChoiceNamed(u"第1套题"_s);
    QuestionBar* bar = loadBar(4);
    ASSERT_NE(bar, nullptr);
    bar->nextButton()->click();
    trainer.confirmHandIn(4);
    trainer.showResults();
    ASSERT_TRUE(trainer.resultsWindow().isLoaded());
    // Looked over after 返回检查, the bar saves the paper again: it is still handed in.
    trainer.resultsWindow()->backToPaperButton()->click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(bar->isVisible());
    bar->nextButton()->click();
    Trainer after;
    after.setPlayerProcesses(&player);
    boxes.shown.clear();
    EXPECT_FALSE(after.offerUnfinishedPaper());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BarResumeTest, RedoAfterTheDemonstrationMakesTheQuestionTheLearnersAgain)
{
    QuestionBar* bar = loadBar(3);
    ASSERT_NE(bar, nullptr);
    bar->demonstrationButton()->click();
    // The demonstration completed the question, as the bridge records it.
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->run(u"UPDATE st SET 是否已做 = 1, 得分 = 2.5 WHERE stid = ?"_s, {stids[0]}).ok());
        conn->close();
    }
    EXPECT_TRUE(session().hadDemonstration(1));
    bar->redoButton()->click();
    EXPECT_FALSE(session().hadDemonstration(1));
    auto conn = openTestDatabase();
    const auto row = conn->select(u"SELECT 是否已做, 得分 FROM st WHERE stid = ?"_s, {stids[0]});
    conn->close();
    ASSERT_TRUE(row.ok());
    EXPECT_EQ(row->front()[0].toInt(), 0);
    EXPECT_EQ(row->front()[1].toDouble(), 0.0);
}

TEST_F(BarResumeTest, AClosedPlayerWindowLeavesALineSayingHowToReopenIt)
{
    QuestionBar* bar = loadBar(2);
    ASSERT_NE(bar, nullptr);
    CopyDataReceiver fakePlayer;
    ASSERT_TRUE(fakePlayer.start(playerWindowTitle()).ok());
    bar->keepOnTopTimer()->tick();
    EXPECT_FALSE(bar->playerGoneNote()->isVisible());

    // The learner closes the player's window.
    fakePlayer.stop();
    bar->keepOnTopTimer()->tick();
    EXPECT_TRUE(bar->playerGoneNote()->isVisible());
    EXPECT_EQ(bar->playerGoneNote()->caption(), u"试题窗口已关闭，点击“重做本题”可重新打开本题。"_s);

    bar->redoButton()->click();
    EXPECT_FALSE(bar->playerGoneNote()->isVisible());
    // A player stopped by a move of the bar is no closed window.
    ASSERT_TRUE(fakePlayer.start(playerWindowTitle()).ok());
    bar->keepOnTopTimer()->tick();
    bar->nextButton()->click();
    fakePlayer.stop();
    bar->keepOnTopTimer()->tick();
    EXPECT_FALSE(bar->playerGoneNote()->isVisible());
}
