// The hand-in confirmations and the results window: scoring, bank flags and
// the three ways on from the results.
#include "db/statements.h"
#include "paper/handin.h"
#include "paper/paperbuilder.h"
#include "paper/results.h"
#include "paper/resultsform.h"
#include "shell/examflow.h"
#include "tests/shell/shellfixture.h"

#include <QApplication>
#include <QDir>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

const int green = 65280;
const int red = 255;

} // namespace

class HandIn : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        installHandIn();
        examflow::hideBar = [this] { ++barHidden; };
        examflow::showBarAgain = [this] { ++barShownAgain; };
        examflow::closeBar = [this] {
            ++barClosed;
            closeAllowedAtClose = closeallowed;
        };
        setPlayerStopper([this] { ++playerStops; });
        closeallowed = false;
    }

    void TearDown() override
    {
        wzwjjForm.discard();
        jjzctxForm.discard();
        jjjsForm.discard();
        currentrs.reset();
        workrs.reset();
        setPlayerStopper({});
        examflow::hideBar = {};
        examflow::showBarAgain = {};
        examflow::closeBar = {};
        examflow::confirmHandIn = {};
        examflow::showResults = {};
        examflow::resultsShowing = {};
        ShellTest::TearDown();
    }

    // A paper with one question per entry of `points` (its 得分), each drawing
    // on a bank row of its own whose 错题 starts as `initialWrong`.
    void makePaper(const std::vector<double>& points, int initialWrong = 0)
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn);
        ASSERT_TRUE(conn->executeScript(u"BEGIN"_s).ok());
        for (double value : points) {
            const qint64 id =
                addBankRow(*conn, u"第3套题"_s, static_cast<int>(bankIds.size()) + 1, initialWrong);
            bankIds.push_back(id);
            const qint64 stid = addPaperRow(conn, id);
            stids.push_back(stid);
            setScore(conn, stid, value);
        }
        ASSERT_TRUE(conn->executeScript(u"COMMIT"_s).ok());
        conn->close();
    }

    static void setScore(const std::shared_ptr<Connection>& conn, qint64 stid, double value)
    {
        auto row = Recordset::open(conn, u"select * from st where stid="_s, QVariant(stid));
        ASSERT_TRUE(row.ok());
        ASSERT_EQ(row->recordCount(), 1);
        ASSERT_TRUE(row->setField(u"得分"_s, value).ok());
        ASSERT_TRUE(row->setField(u"是否已做"_s, value != 0 ? 1 : 0).ok());
        ASSERT_TRUE(row->update().ok());
    }

    void changeScore(int position, double value)
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn);
        setScore(conn, stids[static_cast<size_t>(position - 1)], value);
        conn->close();
    }

    std::vector<int> wrongFlags()
    {
        auto conn = openTestDatabase();
        std::vector<int> flags;
        for (qint64 id : bankIds)
            flags.push_back(readValue(conn, u"stk"_s, u"ID"_s, id, u"错题"_s).toInt());
        conn->close();
        return flags;
    }

    // Through both confirmations to the results.
    JjjsForm* handInAllDone()
    {
        examflow::confirmHandIn(0);
        EXPECT_TRUE(jjzctxForm.isLoaded());
        if (!jjzctxForm.isLoaded())
            return nullptr;
        jjzctxForm->PushButton1()->click();
        settle();
        return jjjsForm.loaded();
    }

    void stageMovies()
    {
        ASSERT_TRUE(QDir().mkpath(movieFolder()));
        for (int n = 1; n <= 40; ++n) {
            QFile movie(movieFilePathOf(n));
            ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
            movie.write("movie");
            movie.close();
            if (n % 2)
                movie.setPermissions(QFile::ReadOwner);
        }
        QFile completed(movieFolder() + u"/completed.swf"_s);
        ASSERT_TRUE(completed.open(QIODevice::WriteOnly));
    }

    int stagedMovies() const
    {
        int found = 0;
        for (int n = 1; n <= 40; ++n)
            found += QFileInfo::exists(movieFilePathOf(n)) ? 1 : 0;
        return found;
    }

    std::vector<qint64> bankIds;
    std::vector<qint64> stids;
    int barHidden = 0;
    int barShownAgain = 0;
    int barClosed = 0;
    bool closeAllowedAtClose = false;
    int playerStops = 0;
};

TEST_F(HandIn, AllDoneGoesStraightToTheSecondConfirmation)
{
    makePaper(std::vector<double>(5, 2.5));
    examflow::confirmHandIn(0);
    EXPECT_FALSE(wzwjjForm.isLoaded());
    ASSERT_TRUE(jjzctxForm.isLoaded());
    JjzctxForm* confirm = jjzctxForm.loaded();
    EXPECT_TRUE(confirm->isVisible());
    EXPECT_TRUE(confirm->isModal());
    EXPECT_EQ(confirm->windowTitle(), u"提醒"_s);
    EXPECT_EQ(confirm->size(), QSize(376, 208));
    EXPECT_EQ(confirm->PushButton1()->caption(), u"确定"_s);
    EXPECT_EQ(confirm->PushButton2()->caption(), u"取消"_s);

    confirm->PushButton1()->click();
    settle();
    EXPECT_FALSE(jjzctxForm.isLoaded());
    EXPECT_EQ(barHidden, 1);
    ASSERT_TRUE(jjjsForm.isLoaded());
    EXPECT_TRUE(examflow::resultsShowing());
    EXPECT_TRUE(jjjsForm.loaded()->isVisible());
    EXPECT_EQ(jjjsForm.loaded()->yfdflb()->caption(), u"得分： 12.5"_s);
}

TEST_F(HandIn, UndoneQuestionsAskTwice)
{
    makePaper({2.5, 0});
    examflow::confirmHandIn(1);
    ASSERT_TRUE(wzwjjForm.isLoaded());
    EXPECT_FALSE(jjzctxForm.isLoaded());
    EXPECT_EQ(wzwjjForm.loaded()->size(), QSize(364, 210));
    EXPECT_EQ(wzwjjForm.loaded()->windowTitle(), u"提醒"_s);

    wzwjjForm.loaded()->PushButton1()->click();
    settle();
    EXPECT_FALSE(wzwjjForm.isLoaded());
    ASSERT_TRUE(jjzctxForm.isLoaded());
    EXPECT_FALSE(jjjsForm.isLoaded());
    EXPECT_EQ(barHidden, 0);

    jjzctxForm.loaded()->PushButton1()->click();
    settle();
    ASSERT_TRUE(jjjsForm.isLoaded());
    EXPECT_EQ(barHidden, 1);
}

TEST_F(HandIn, CancelOnEitherConfirmationKeepsThePaper)
{
    makePaper({2.5, 0}, 1);
    examflow::confirmHandIn(1);
    wzwjjForm.loaded()->PushButton2()->click();
    settle();
    EXPECT_FALSE(wzwjjForm.isLoaded());
    EXPECT_FALSE(jjzctxForm.isLoaded());

    examflow::confirmHandIn(1);
    wzwjjForm.loaded()->PushButton1()->click();
    jjzctxForm.loaded()->PushButton2()->click();
    settle();

    // Closing from the caption bar is a "取消" as well.
    examflow::confirmHandIn(0);
    jjzctxForm.loaded()->close();
    settle();

    EXPECT_FALSE(jjzctxForm.isLoaded());
    EXPECT_FALSE(jjjsForm.isLoaded());
    EXPECT_FALSE(examflow::resultsShowing());
    EXPECT_EQ(barHidden, 0);
    EXPECT_FALSE(indexForm.isLoaded());
    // No results were computed: the bank keeps its flags.
    EXPECT_EQ(wrongFlags(), (std::vector<int>{1, 1}));
}

TEST_F(HandIn, ThirtySevenRightOfFortyScoresAndFlagsTheBank)
{
    std::vector<double> points(40, 2.5);
    for (int wrong : {4, 17, 40})
        points[static_cast<size_t>(wrong - 1)] = 0;
    makePaper(points, 1);
    // One wrong question starts unflagged, so both directions of the flag are seen.
    {
        auto conn = openTestDatabase();
        auto row = Recordset::open(conn, u"select*from stk where ID="_s, QVariant(bankIds[16]));
        ASSERT_TRUE(row->setField(u"错题"_s, 0).ok());
        ASSERT_TRUE(row->update().ok());
        conn->close();
    }

    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->yfdflb()->caption(), u"得分： 92.5"_s);
    EXPECT_DOUBLE_EQ(results->score(), 92.5);
    int greens = 0;
    for (int i = 1; i <= 40; ++i) {
        const bool wrong = i == 4 || i == 17 || i == 40;
        EXPECT_EQ(results->cell(i)->backColor(), wrong ? red : green) << i;
        EXPECT_TRUE(results->cell(i)->isEnabled());
        EXPECT_EQ(results->cell(i)->caption(), QString::number(i).rightJustified(2, u'0'));
        greens += results->cell(i)->backColor() == green ? 1 : 0;
    }
    EXPECT_EQ(greens, 37);

    const std::vector<int> flags = wrongFlags();
    for (int i = 1; i <= 40; ++i) {
        const bool wrong = i == 4 || i == 17 || i == 40;
        EXPECT_EQ(flags[static_cast<size_t>(i - 1)], wrong ? 1 : 0) << i;
    }
    EXPECT_FALSE(workrs && workrs->isOpen());
}

TEST_F(HandIn, TheScoreIsWrittenInThePlatformsNumberForm)
{
    makePaper(std::vector<double>(40, 2.5), 1);
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->yfdflb()->caption(), u"得分： 100"_s);
    EXPECT_EQ(wrongFlags(), std::vector<int>(40, 0));

    EXPECT_EQ(numberText(0), u" 0"_s);
    EXPECT_EQ(numberText(7.5), u" 7.5"_s);
    EXPECT_EQ(numberText(-2.5), u"-2.5"_s);
}

TEST_F(HandIn, NothingAnsweredScoresZeroAndEveryCellIsRed)
{
    makePaper(std::vector<double>(12, 0));
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->yfdflb()->caption(), u"得分： 0"_s);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(results->cell(i)->backColor(), red) << i;
    EXPECT_EQ(wrongFlags(), std::vector<int>(12, 1));
}

TEST_F(HandIn, CellsBeyondAShortPaperKeepTheirDesignColour)
{
    std::vector<double> points(25, 2.5);
    points[24] = 0;
    makePaper(points);
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->yfdflb()->caption(), u"得分： 60"_s);
    EXPECT_EQ(results->cell(24)->backColor(), green);
    EXPECT_EQ(results->cell(25)->backColor(), red);
    for (int i = 26; i <= 40; ++i) {
        EXPECT_EQ(results->cell(i)->backColor(), windowsButtonFace) << i;
        EXPECT_TRUE(results->cell(i)->isEnabled()) << i;
    }
}

TEST_F(HandIn, AQuestionWhoseBankRowIsGoneIsStillScored)
{
    makePaper({2.5, 0, 2.5});
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->execute(u"delete from stk where ID="_s, QVariant(bankIds[1])).ok());
        conn->close();
    }
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->yfdflb()->caption(), u"得分： 5"_s);
    EXPECT_EQ(results->cell(2)->backColor(), red);
    EXPECT_EQ(rowsOf(u"stk"_s), 7 + 2);
}

TEST_F(HandIn, BackToThePaperAndAgainRecomputes)
{
    makePaper({2.5, 0, 2.5, 2.5});
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->yfdflb()->caption(), u"得分： 7.5"_s);
    EXPECT_EQ(results->PushButton2()->caption(), u"返回检查"_s);

    results->PushButton2()->click();
    settle();
    EXPECT_FALSE(jjjsForm.isLoaded());
    EXPECT_EQ(barShownAgain, 1);
    EXPECT_EQ(barClosed, 0);
    EXPECT_EQ(playerStops, 0);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 1, 0, 0}));

    // The result bridge records question 2 while the learner is back at the paper.
    changeScore(2, 2.5);
    results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->yfdflb()->caption(), u"得分： 10"_s);
    EXPECT_EQ(results->cell(2)->backColor(), green);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(rowsOf(u"st"_s), 4);
}

TEST_F(HandIn, TimeUpClosesAnOpenConfirmationAndOpensTheResultsOnce)
{
    makePaper({2.5, 0});
    examflow::confirmHandIn(1);
    ASSERT_TRUE(wzwjjForm.isLoaded());
    examflow::showResults();
    settle();
    EXPECT_FALSE(wzwjjForm.isLoaded());
    ASSERT_TRUE(jjjsForm.isLoaded());
    JjjsForm* first = jjjsForm.loaded();
    EXPECT_EQ(first->yfdflb()->caption(), u"得分： 2.5"_s);

    // A later time-up while the results show leaves them as they are.
    changeScore(2, 2.5);
    examflow::showResults();
    settle();
    EXPECT_EQ(jjjsForm.loaded(), first);
    EXPECT_EQ(first->yfdflb()->caption(), u"得分： 2.5"_s);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 1}));
}

TEST_F(HandIn, NewPracticeClosesTheBarStopsThePlayerAndRemovesTheMovies)
{
    makePaper({2.5, 2.5});
    stageMovies();
    auto conn = openTestDatabase();
    auto paper = Recordset::open(conn, sql::SelectPaper);
    ASSERT_TRUE(paper.ok());
    currentrs = std::move(paper.value());
    // The menu was minimized by its own button before this paper was chosen.
    screen = QSize(800, 600);
    IndexForm* menu = startMenu();
    menu->button(u"PushButton1"_s)->click();
    menu->hide();
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->PushButton1()->caption(), u"重选套题练习"_s);

    results->PushButton1()->click();
    settle();
    conn->close();
    EXPECT_EQ(barClosed, 1);
    EXPECT_TRUE(closeAllowedAtClose);
    EXPECT_FALSE(currentrs.has_value());
    EXPECT_EQ(playerStops, 1);
    EXPECT_EQ(stagedMovies(), 0);
    EXPECT_TRUE(QFileInfo::exists(movieFolder() + u"/completed.swf"_s));
    EXPECT_FALSE(jjjsForm.isLoaded());
    ASSERT_TRUE(indexForm.isLoaded());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(menu->isMinimized());
    EXPECT_EQ(QApplication::activeWindow(), menu);
    EXPECT_FALSE(endedWith.has_value());
    // The flags written by the results stay.
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 0}));
}

TEST_F(HandIn, QuitEndsAtOnceWithoutTheMenusCleanUp)
{
    makePaper({2.5, 0, 0});
    stageMovies();
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->PushButton3()->caption(), u"退出"_s);

    results->PushButton3()->click();
    settle();
    ASSERT_TRUE(endedWith.has_value());
    EXPECT_EQ(*endedWith, 0);
    EXPECT_EQ(playerStops, 1);
    EXPECT_EQ(stagedMovies(), 0);
    EXPECT_FALSE(jjjsForm.isLoaded());
    EXPECT_FALSE(indexForm.isLoaded());
    EXPECT_EQ(barClosed, 0);
    EXPECT_EQ(rowsOf(u"st"_s), 3);
    EXPECT_EQ(wrongFlags(), (std::vector<int>{0, 1, 1}));
}

TEST_F(HandIn, TheKeepOnTopTimerTicksEverySecondUntilUnload)
{
    makePaper({2.5});
    JjjsForm* results = handInAllDone();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->Timer1()->interval(), 1000);
    EXPECT_TRUE(results->Timer1()->isEnabled());
    EXPECT_TRUE(results->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    results->Timer1()->tick();
    EXPECT_TRUE(results->isVisible());
    FormTimer* timer = results->Timer1();
    jjjsForm.unload();
    EXPECT_FALSE(timer->isEnabled());
}
