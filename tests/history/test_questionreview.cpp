// 试题回顾: the review of a question from any cell of the results and of an
// attempt of the history, and its demonstration, which records nothing.
#include "paper/paperbuilder.h"
#include "paper/practicehistory.h"
#include "paper/questionreview.h"
#include "paper/results.h"
#include "paper/widgets/reviewwindow.h"
#include "player/channel.h"
#include "tests/shell/shellfixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

const QString kExplanation =
    u"1. 单击“视图”菜单中的“幻灯片浏览”命令。\n其他方法：\n第1步也可以：单击“常用”工具栏上的“幻灯片浏览视图”按钮。"_s;

} // namespace

class QuestionReviewTest : public ShellTest
{
protected:
    // A paper of set 1 on the real bar, its questions scored `points`.
    void startPaper(const std::vector<double>& points, bool examMode)
    {
        auto conn = openTestDatabase();
        for (size_t i = 0; i < points.size(); ++i) {
            const qint64 stid = addPaperRow(conn, static_cast<qint64>(i) + 1);
            ASSERT_TRUE(conn->run(u"UPDATE st SET 得分 = ?, 是否已做 = ?, 题干 = (SELECT 题干 FROM stk WHERE "
                                  u"stk.ID = st.stkid), 解析 = ? WHERE stid = ?"_s,
                                  {points[i], points[i] > 0 ? 1 : 0, kExplanation, stid})
                            .ok());
            stids.push_back(stid);
        }
        ASSERT_TRUE(conn->run(u"INSERT INTO 试题考点 (ID, 考点) VALUES (2, '窗口与视图')"_s).ok());
        conn->close();
        trainer.session().choice = practiceChoiceNamed(u"第1套题"_s);
        trainer.session().candidate.examMode = examMode;
        trainer.showQuestionBar();
        ASSERT_TRUE(trainer.questionBar().isLoaded());
        player.onStart = [this] { stemsGiven << player.reviewStem(); };
    }

    ResultsWindow* handIn()
    {
        trainer.confirmHandIn(0);
        trainer.handInDialog()->okButton()->click();
        settle();
        return trainer.resultsWindow().loaded();
    }

    ReviewWindow* review() { return trainer.reviewWindow().loaded(); }

    // A player window comes up, takes its command word, and goes again.
    QStringList playFakePlayer()
    {
        CopyDataReceiver fakePlayer;
        QStringList received;
        QObject::connect(&fakePlayer, &CopyDataReceiver::copyDataReceived,
                         [&](const QString& text) { received << text; });
        EXPECT_TRUE(fakePlayer.start(playerWindowTitle()).ok());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }, 5000));
        fakePlayer.stop();
        return received;
    }

    std::vector<qint64> stids;
    QStringList stemsGiven;
};

TEST_F(QuestionReviewTest, EveryCellOfTheResultsOpensItsQuestionsReview)
{
    startPaper({2.5, 0, 0}, false);
    trainer.questionBar()->hintButton()->click(); // 操作提示 on question 1
    ResultsWindow* results = handIn();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->demonstrationNote()->isVisible());

    // A right question: green cells are no longer dead.
    player.events.clear();
    QTest::mouseClick(results->cell(1), Qt::LeftButton);
    ASSERT_NE(review(), nullptr);
    EXPECT_TRUE(player.events.empty());
    EXPECT_EQ(review()->objectName(), u"sthg"_s);
    EXPECT_EQ(review()->windowTitle(), u"试题回顾"_s);
    EXPECT_TRUE(review()->isVisible());
    EXPECT_EQ(review()->titleLabel()->caption(), u"第 1 题"_s);
    EXPECT_EQ(review()->outcomeLabel()->caption(), u"做对了（看过操作提示）"_s);
    EXPECT_EQ(review()->stemLabel()->text(), u"题干：第1套题 第1题"_s);
    EXPECT_EQ(review()->topicLabel()->caption(), u"考点：未知"_s);
    // While it is open the results stop taking the top from it.
    EXPECT_FALSE(results->keepOnTopTimer()->isEnabled());
    review()->closeButton()->click();
    settle();
    EXPECT_FALSE(trainer.reviewWindow().isLoaded());
    EXPECT_TRUE(results->keepOnTopTimer()->isEnabled());

    // A wrong one: its part of the module and its steps in words.
    QTest::mouseClick(results->cell(2), Qt::LeftButton);
    ASSERT_NE(review(), nullptr);
    EXPECT_EQ(review()->outcomeLabel()->caption(), u"做错了"_s);
    EXPECT_EQ(review()->topicLabel()->caption(), u"考点：窗口与视图"_s);
    const QString shown = review()->explanationBox()->toPlainText();
    EXPECT_TRUE(shown.contains(u"操作步骤"_s));
    EXPECT_TRUE(shown.contains(u"1. 单击“视图”菜单中的“幻灯片浏览”命令。"_s));
    EXPECT_TRUE(shown.contains(u"其他方法"_s));
    EXPECT_TRUE(shown.contains(u"第1步也可以：单击“常用”工具栏上的“幻灯片浏览视图”按钮。"_s));
    EXPECT_TRUE(review()->demonstrationButton()->isEnabled());
    EXPECT_FALSE(review()->grab().isNull());
}

TEST_F(QuestionReviewTest, TheReviewsDemonstrationRecordsNothingAndTheScoreStays)
{
    startPaper({2.5, 0, 0}, false);
    ResultsWindow* results = handIn();
    ASSERT_NE(results, nullptr);
    const double handedIn = results->score();
    EXPECT_EQ(handedIn, 2.5);

    QTest::mouseClick(results->cell(2), Qt::LeftButton);
    ASSERT_NE(review(), nullptr);
    player.events.clear();
    review()->demonstrationButton()->click();
    ASSERT_EQ(player.events.size(), 2u);
    EXPECT_EQ(player.events[1], u"start "_s + folder.file(u"drillplay"_s) + u" --review "_s +
                                    QString::number(stids[1]) + u"&2"_s);
    // The stem goes to the review's player only.
    EXPECT_EQ(stemsGiven, QStringList{u"第1套题 第2题"_s});
    EXPECT_TRUE(player.reviewStem().isEmpty());
    // The review makes way for the player and comes back when it has gone.
    EXPECT_FALSE(review()->isVisible());
    EXPECT_EQ(playFakePlayer(), QStringList{kYanShiWord});
    EXPECT_TRUE(QTest::qWaitFor([&] { return review() && review()->isVisible(); }, 5000));
    EXPECT_FALSE(results->keepOnTopTimer()->isEnabled());
    EXPECT_FALSE(trainer.session().hadDemonstration(2));
    review()->closeButton()->click();
    settle();
    EXPECT_TRUE(results->keepOnTopTimer()->isEnabled());

    // 返回检查 and a second hand-in: the same score, the same history row.
    results->backToPaperButton()->click();
    settle();
    ResultsWindow* again = handIn();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->score(), handedIn);
    EXPECT_EQ(rowsOf(u"练习记录"_s), 1);
    auto conn = openTestDatabase();
    const auto rows = conn->select(u"SELECT 得分 FROM 练习记录"_s);
    conn->close();
    ASSERT_TRUE(rows.ok());
    EXPECT_EQ(rows->front().front().toDouble(), handedIn);
}

TEST_F(QuestionReviewTest, AfterAPaperInExamModeTheReviewHasNoDemonstration)
{
    startPaper({2.5, 0}, true);
    ResultsWindow* results = handIn();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->demonstrationNote()->caption(), u"（单击题号，可查看该题的题干和解析）"_s);
    QTest::mouseClick(results->cell(2), Qt::LeftButton);
    ASSERT_NE(review(), nullptr);
    EXPECT_FALSE(review()->demonstrationButton()->isEnabled());
    player.events.clear();
    review()->demonstrationButton()->click();
    trainer.showDemonstration(2);
    EXPECT_TRUE(player.events.empty());
}

class HistoryReviewTest : public ShellTest
{
protected:
    // One attempt of three questions: bank rows 1 and 2 of set 1 and a row the bank no longer has.
    qint64 writeHistory(bool examMode = false)
    {
        auto conn = openTestDatabase();
        EXPECT_TRUE(conn->run(u"UPDATE stk SET 解析 = ? WHERE ID = 2"_s, {kExplanation}).ok());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const auto id =
            writeAttempt(*conn, Attempt{0, u"第1套题"_s, now.addSecs(-600), now, 2.5, 3, 1, examMode},
                         {{1, 1, u"文本"_s, true, true, false},
                          {2, 2, u"窗口与视图"_s, false, false, true},
                          {3, 99999, u"打印"_s, false, false, false}});
        conn->close();
        EXPECT_TRUE(id.ok());
        return id.ok() ? id.value() : 0;
    }

    ReviewWindow* openReview(qint64 attempt, int position)
    {
        trainer.showAttempt(attempt);
        AttemptWindow* window = trainer.attemptWindow().loaded();
        EXPECT_NE(window, nullptr);
        if (!window)
            return nullptr;
        QTest::mouseClick(window->cell(position), Qt::LeftButton);
        return trainer.reviewWindow().loaded();
    }

    QStringList stems;
};

TEST_F(HistoryReviewTest, ACellOfAnAttemptOpensItsReviewFromTheBank)
{
    const qint64 attempt = writeHistory();
    startMenu();
    ReviewWindow* window = openReview(attempt, 2);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->titleLabel()->caption(), u"第 2 题"_s);
    EXPECT_EQ(window->outcomeLabel()->caption(), u"做错了（看过操作提示）"_s);
    EXPECT_EQ(window->stemLabel()->text(), u"题干：第1套题 第2题"_s);
    EXPECT_EQ(window->topicLabel()->caption(), u"考点：窗口与视图"_s);
    EXPECT_TRUE(window->explanationBox()->toPlainText().contains(u"幻灯片浏览"_s));

    // Its demonstration: the bank's movie staged under a name of its own, and
    // played in a review's player that goes back with "返回".
    player.events.clear();
    player.onStart = [this] { stems << player.reviewStem(); };
    window->demonstrationButton()->click();
    const QString staged = movieFolder() + u"/"_s + reviewMovieName(2) + u".w"_s;
    QFile movie(staged);
    ASSERT_TRUE(movie.open(QIODevice::ReadOnly));
    EXPECT_EQ(movie.readAll(), QByteArray("movie of set 1 question 2"));
    ASSERT_EQ(player.events.size(), 2u);
    EXPECT_EQ(player.events[1], u"start "_s + folder.file(u"drillplay"_s) + u" --review &review2"_s);
    EXPECT_EQ(stems, QStringList{u"第1套题 第2题"_s});
    EXPECT_TRUE(boxes.texts().isEmpty());
    // Staged again, it replaces itself; and it goes with the paper's movies.
    window->demonstrationButton()->click();
    EXPECT_EQ(QDir(movieFolder()).entryList({u"review*.w"_s}, QDir::Files).size(), 1);
    ASSERT_TRUE(removeStagedMovies().ok());
    EXPECT_FALSE(QFile::exists(staged));

    // Done by watching the demonstration: said so.
    window->closeButton()->click();
    settle();
    window = openReview(attempt, 1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->outcomeLabel()->caption(), u"看全程演示完成"_s);
    EXPECT_TRUE(window->explanationBox()->toPlainText().contains(u"本题没有解析"_s));
}

TEST_F(HistoryReviewTest, AQuestionTheBankNoLongerHasIsSaidSoWithoutDemonstration)
{
    const qint64 attempt = writeHistory();
    startMenu();
    ReviewWindow* window = openReview(attempt, 3);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->outcomeLabel()->caption(), u"做错了"_s);
    EXPECT_EQ(window->topicLabel()->caption(), u"考点：打印"_s);
    EXPECT_TRUE(window->stemLabel()->text().startsWith(u"题库中已没有这道题"_s));
    EXPECT_FALSE(window->demonstrationButton()->isEnabled());
    EXPECT_FALSE(endedWith.has_value());
}

TEST_F(HistoryReviewTest, AMovieThatCannotBeStagedIsToldInChinese)
{
    const qint64 attempt = writeHistory();
    {
        auto conn = openTestDatabase();
        ASSERT_TRUE(conn->run(u"UPDATE stk SET 内容多媒体1 = 0, 内容多媒体文件 = NULL WHERE ID = 2"_s).ok());
        conn->close();
    }
    startMenu();
    ReviewWindow* window = openReview(attempt, 2);
    ASSERT_NE(window, nullptr);
    player.events.clear();
    window->demonstrationButton()->click();
    EXPECT_TRUE(player.events.empty());
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts()[0], u"无法播放这道题的全程演示：题库中没有这道题的试题动画。"_s);
}

TEST_F(HistoryReviewTest, AnAttemptInExamModeOffersNoDemonstrationInItsReviews)
{
    const qint64 attempt = writeHistory(true);
    startMenu();
    ReviewWindow* window = openReview(attempt, 2);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->demonstrationButton()->isEnabled());
}

TEST(QuestionReviewText, TheExplanationShowsItsStepsAndOtherWaysApart)
{
    const QString html = explanationHtml(u"1. 单击<确定>。\n其他方法：\n第1步也可以：按 Enter 键。"_s);
    EXPECT_TRUE(html.startsWith(u"<p style='margin:0'><b>操作步骤</b></p>"_s));
    EXPECT_TRUE(html.contains(u"单击&lt;确定&gt;。"_s));
    EXPECT_TRUE(html.contains(u"<b>其他方法</b>"_s));
    EXPECT_FALSE(html.contains(u"其他方法："_s));
}
