#include "db/statements.h"
#include "paper/paperbuilder.h"
#include "tests/channel/printers.h"
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <numeric>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

const QStringList kCopiedColumns = {
    u"题型"_s,        u"题干"_s,           u"内容多媒体类型"_s, u"内容多媒体2"_s,      u"内容多媒体文件名"_s,
    u"解析多媒体1"_s, u"解析多媒体文件"_s, u"解析多媒体2"_s,    u"解析多媒体文件名"_s, u"解析多媒体类型"_s,
    u"解析"_s};

struct BankRow
{
    QString set = u"第3套题"_s;
    int wrong = 0;
    bool movie = true;
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Its own runtime folder (the movie folder's parent), program folder and bank.
class PaperBuilderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        conn = createTestDatabase(folder.file(u"stdata.db"_s));
        ASSERT_TRUE(conn);
        writeFile(folder.file(u"completed.swf"_s), "completion movie");
        progress.setRange = [this](int lo, int hi) { ranges.push_back({lo, hi}); };
        progress.setValue = [this](int v) { values.push_back(v); };
        progress.processEvents = [this] {
            if (++eventRuns == 2) // the first question is staged by now
                completedBeforeSecond = QFileInfo::exists(movieFolder() + u"/completed.swf"_s);
        };
    }

    static QByteArray movieOf(qint64 id) { return "movie " + QByteArray::number(id).repeated(64); }

    // Adds rows whose every copied column is particular to the row; returns their IDs.
    std::vector<qint64> addBank(const std::vector<BankRow>& rows)
    {
        std::vector<qint64> ids;
        auto rs = Recordset::open(conn, sql::SelectBank);
        for (const BankRow& row : rows) {
            const qint64 id = 1000 + rs->recordCount();
            rs->addNew();
            rs->setField(u"ID"_s, id);
            rs->setField(u"套题类"_s, row.set);
            rs->setField(u"套题子类"_s, u"子类%1"_s.arg(id));
            for (const QString& column : kCopiedColumns)
                rs->setField(column, u"%1-%2"_s.arg(column).arg(id));
            rs->setField(u"错题"_s, row.wrong);
            rs->setField(u"内容多媒体1"_s, row.movie ? -1 : 0);
            if (row.movie)
                rs->setField(u"内容多媒体文件"_s, movieOf(id));
            EXPECT_TRUE(rs->update().ok());
            ids.push_back(id);
        }
        return ids;
    }

    std::vector<qint64> paperStkids()
    {
        std::vector<qint64> out;
        auto rs = Recordset::open(conn, sql::SelectPaper);
        for (; !rs->eof(); rs->moveNext())
            out.push_back(rs->field(u"stkid"_s)->toLongLong());
        return out;
    }

    // The build leaves no statement or transaction behind that would hold a
    // lock on the file: another connection takes it exclusively.
    void expectEverythingClosed()
    {
        EXPECT_TRUE(conn->executeScript(u"BEGIN EXCLUSIVE"_s).ok());
        EXPECT_TRUE(conn->executeScript(u"ROLLBACK"_s).ok());
    }

    PrivateRuntimeFolder runtime; // first: set before anything reads it
    TempProgramFolder folder;
    FakeMessageBoxes boxes;
    std::shared_ptr<Connection> conn;
    BuildProgress progress;
    std::vector<std::pair<int, int>> ranges;
    std::vector<int> values;
    int eventRuns = 0;
    bool completedBeforeSecond = false;
};

std::vector<int> oneTo(int n)
{
    std::vector<int> v(static_cast<size_t>(n));
    std::iota(v.begin(), v.end(), 1);
    return v;
}

TEST_F(PaperBuilderTest, SetOfFortyIsCopiedInBankOrderWithItsMovies)
{
    std::vector<BankRow> rows(45);
    for (int i : {0, 7, 20, 33, 44})
        rows[static_cast<size_t>(i)].set = u"第4套题"_s;
    std::vector<qint64> ids = addBank(rows);
    for (int i : {44, 33, 20, 7, 0})
        ids.erase(ids.begin() + i);

    auto outcome = buildSetPaper(u"第3套题"_s, folder.path(), progress);
    ASSERT_TRUE(outcome.ok()) << outcome.error().toStdString();
    EXPECT_EQ(outcome.value(), BuildOutcome::Built);
    EXPECT_TRUE(boxes.shown.empty());
    expectEverythingClosed();
    EXPECT_EQ(ranges, (std::vector<std::pair<int, int>>{{1, 40}}));
    EXPECT_EQ(values, oneTo(40));
    EXPECT_EQ(eventRuns, 40);
    EXPECT_TRUE(completedBeforeSecond);

    auto rs = Recordset::open(conn, sql::SelectPaper);
    ASSERT_EQ(rs->recordCount(), 40);
    for (size_t n = 1; !rs->eof(); rs->moveNext(), ++n) {
        const qint64 id = ids[n - 1];
        SCOPED_TRACE(n);
        EXPECT_EQ(rs->field(u"stkid"_s)->toLongLong(), id);
        EXPECT_EQ(rs->field(u"大题类"_s)->toString(), u"第3套题"_s);
        EXPECT_EQ(rs->field(u"题号"_s)->toString(), u"子类%1"_s.arg(id));
        for (const QString& column : kCopiedColumns)
            EXPECT_EQ(rs->field(column)->toString(), u"%1-%2"_s.arg(column).arg(id));
        EXPECT_EQ(rs->field(u"分值"_s).value(), QVariant(2.5));
        EXPECT_EQ(rs->field(u"得分"_s)->toDouble(), 0.0);
        EXPECT_EQ(rs->field(u"是否已做"_s)->toInt(), 0);
        EXPECT_EQ(readFile(movieFilePathOf(static_cast<int>(n))), movieOf(id));
    }

    const QFileInfo movies(movieFolder());
    EXPECT_EQ(movies.absoluteFilePath(), runtime.path() + u"/pczcksw"_s);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(movieFolder()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_EQ(readFile(movieFolder() + u"/completed.swf"_s), "completion movie");
    // Nothing but the staged files: no temporary file is left behind.
    EXPECT_EQ(QDir(movieFolder()).entryList(QDir::Files | QDir::Hidden).size(), 41);
}

TEST_F(PaperBuilderTest, SetOfFortyThreeTakesItsFirstForty)
{
    const std::vector<qint64> ids = addBank(std::vector<BankRow>(43));
    ASSERT_TRUE(buildSetPaper(u"第3套题"_s, folder.path(), progress).ok());
    EXPECT_EQ(paperStkids(), std::vector<qint64>(ids.begin(), ids.begin() + 40));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ranges, (std::vector<std::pair<int, int>>{{1, 43}}));
    EXPECT_EQ(values.back(), 40);
    EXPECT_FALSE(QFileInfo::exists(movieFilePathOf(41)));
}

TEST_F(PaperBuilderTest, WrongQuestionPracticeNotesMoreThanForty)
{
    std::vector<BankRow> rows(60);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].wrong = (i == 3 || i == 30 || i == 31) ? 0 : (i % 2 ? 1 : -1);
    std::vector<qint64> wrong;
    const std::vector<qint64> ids = addBank(rows);
    for (size_t i = 0; i < ids.size(); ++i)
        if (rows[i].wrong != 0)
            wrong.push_back(ids[i]);
    ASSERT_EQ(wrong.size(), 57u);

    ASSERT_TRUE(buildSetPaper(u"错题练习"_s, folder.path(), progress).ok());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"朔禾软件"_s);
    EXPECT_EQ(boxes.shown[0].text, u"系统搜索到你做的试题有57道，请本次练习完后，继续进行错题练习。"_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(ranges, (std::vector<std::pair<int, int>>{{1, 57}}));
    EXPECT_EQ(values, oneTo(40));
    EXPECT_EQ(paperStkids(), std::vector<qint64>(wrong.begin(), wrong.begin() + 40));
}

TEST_F(PaperBuilderTest, WrongQuestionPracticeOfExactlyFortyHasNoNote)
{
    std::vector<BankRow> rows(41, BankRow{.wrong = 1});
    rows[5].wrong = 0;
    addBank(rows);
    ASSERT_TRUE(buildSetPaper(u"错题练习"_s, folder.path(), progress).ok());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(paperStkids().size(), 40u);
}

TEST_F(PaperBuilderTest, EmptySelectionsShowTheMessageAndLeaveThePaperEmpty)
{
    QRandomGenerator random(7);
    auto emptyBank = buildRandomPaper(folder.path(), progress, random);
    addBank(std::vector<BankRow>(3));
    auto noWrong = buildSetPaper(u"错题练习"_s, folder.path(), progress);
    auto noSuchSet = buildSetPaper(u"第9套题"_s, folder.path(), progress);

    for (auto* outcome : {&emptyBank, &noWrong, &noSuchSet}) {
        ASSERT_TRUE(outcome->ok()) << outcome->error().toStdString();
        EXPECT_EQ(outcome->value(), BuildOutcome::Empty);
    }
    ASSERT_EQ(boxes.shown.size(), 3u);
    for (const auto& shown : boxes.shown) {
        EXPECT_EQ(shown.text, u"没有该类试题！"_s);
        EXPECT_EQ(shown.icon, MessageIcon::Critical);
        EXPECT_EQ(shown.title, u"朔禾软件"_s);
    }
    expectEverythingClosed();
    EXPECT_EQ(countRows(conn, u"st"_s), 0);
    EXPECT_FALSE(QFileInfo::exists(movieFolder()));
    EXPECT_TRUE(values.empty());
}

TEST_F(PaperBuilderTest, RandomPapersFollowTheDraw)
{
    for (int size : {25, 500}) {
        SCOPED_TRACE(size);
        conn->execute(sql::DeletePaper);
        conn->execute(u"delete * from stk"_s);
        const std::vector<qint64> ids = addBank(std::vector<BankRow>(static_cast<size_t>(size)));
        ranges.clear();

        QRandomGenerator random(size), same(size);
        ASSERT_TRUE(buildRandomPaper(folder.path(), progress, random).ok());
        const int k = std::min(size, 40);
        std::vector<qint64> expected;
        for (int p : randomDraw(size, k, same))
            expected.push_back(ids[static_cast<size_t>(p - 1)]);
        const std::vector<qint64> paper = paperStkids();
        EXPECT_EQ(paper, expected);
        EXPECT_EQ(QSet<qint64>(paper.begin(), paper.end()).size(), k);
        EXPECT_EQ(ranges, (std::vector<std::pair<int, int>>{{1, k}}));
        EXPECT_EQ(readFile(movieFilePathOf(k)), movieOf(paper.back()));
        expectEverythingClosed();
    }
}

TEST_F(PaperBuilderTest, RandomDrawGivesDistinctNumbers)
{
    std::vector<int> five = randomDraw(5, 5);
    std::sort(five.begin(), five.end());
    EXPECT_EQ(five, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(randomDraw(0, 3).empty());
    EXPECT_EQ(randomDraw(2, 7).size(), 2u);

    QRandomGenerator random(11);
    QSet<int> drawn;
    for (int p : randomDraw(500, 40, random)) {
        EXPECT_GE(p, 1);
        EXPECT_LE(p, 500);
        drawn.insert(p);
    }
    EXPECT_EQ(drawn.size(), 40);

    // Every number can come first and last.
    QSet<int> first, last;
    for (int i = 0; i < 300; ++i) {
        const std::vector<int> three = randomDraw(3, 3, random);
        first.insert(three.front());
        last.insert(three.back());
    }
    EXPECT_EQ(first.size(), 3);
    EXPECT_EQ(last.size(), 3);
}

TEST_F(PaperBuilderTest, OldMoviesAreReplacedOrRemoved)
{
    ASSERT_TRUE(QDir().mkdir(movieFolder()));
    writeFile(movieFilePathOf(1), "old one");
    QFile::setPermissions(movieFilePathOf(1), QFile::ReadOwner);
    writeFile(movieFilePathOf(2), "old two");
    writeFile(movieFilePathOf(5), "old five");
    const std::vector<qint64> ids = addBank({{}, {.movie = false}, {}});

    ASSERT_TRUE(buildSetPaper(u"第3套题"_s, folder.path(), progress).ok());
    EXPECT_EQ(readFile(movieFilePathOf(1)), movieOf(ids[0]));
    EXPECT_FALSE(QFileInfo::exists(movieFilePathOf(2)));
    EXPECT_EQ(readFile(movieFilePathOf(3)), movieOf(ids[2]));
    EXPECT_EQ(readFile(movieFilePathOf(5)), "old five"); // left for the results window
    EXPECT_EQ(readFile(movieFolder() + u"/completed.swf"_s), "completion movie");
}

TEST_F(PaperBuilderTest, FailuresComeBackWithTheirText)
{
    addBank(std::vector<BankRow>(3));
    QFile::remove(folder.file(u"completed.swf"_s));
    auto noCompletion = buildSetPaper(u"第3套题"_s, folder.path(), progress);
    ASSERT_FALSE(noCompletion.ok());
    EXPECT_TRUE(noCompletion.error().contains(u"completed.swf"_s)) << noCompletion.error().toStdString();
    expectEverythingClosed();

    writeFile(folder.file(u"completed.swf"_s), "completion movie");
    ASSERT_TRUE(QDir().mkpath(movieFilePathOf(2) + u"/inside"_s));
    auto blocked = buildSetPaper(u"第3套题"_s, folder.path(), progress);
    ASSERT_FALSE(blocked.ok());
    EXPECT_TRUE(blocked.error().contains(u"2.w"_s)) << blocked.error().toStdString();
    expectEverythingClosed();

    TempProgramFolder noDatabase;
    auto missing = buildSetPaper(u"第3套题"_s, noDatabase.path(), progress);
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains(u"stdata.db"_s)) << missing.error().toStdString();
}

} // namespace
