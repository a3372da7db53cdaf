#include "db/database.h"
#include "db/schema.h"
#include "db/statements.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class DatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = folder.file(u"stdata.db"_s);
        conn = createTestDatabase(path);
        ASSERT_TRUE(conn);
    }

    TempProgramFolder folder;
    QString path;
    std::shared_ptr<Connection> conn;
};

} // namespace

TEST_F(DatabaseTest, OpenDatabaseReachesTheFileWithOrWithoutTrailingSeparator)
{
    conn->close();
    for (const QString& f : {folder.path(), folder.path() + u'/'}) {
        auto opened = openDatabase(f);
        ASSERT_TRUE(opened.ok()) << f.toStdString();
        EXPECT_EQ(opened.value()->filePath(), path);
        EXPECT_EQ(countRows(opened.value(), u"stk"_s), 0);
    }
    EXPECT_EQ(databasePathInFolder(u"/"_s), u"/stdata.db"_s);
}

TEST_F(DatabaseTest, WrongPasswordOrMissingFileFailsAndLeavesFilesAlone)
{
    conn->close();
    const QByteArray before = fileHash(path);

    auto wrong = Connection::open(path, u"àààààààààà"_s);
    ASSERT_FALSE(wrong.ok());
    EXPECT_TRUE(wrong.error().contains(path));
    EXPECT_EQ(fileHash(path), before);

    TempProgramFolder empty;
    auto missing = openDatabase(empty.path());
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains(u"stdata.db"_s));
    EXPECT_FALSE(QFile::exists(empty.file(u"stdata.db"_s)));

    // A file that is no database at all.
    QFile junk(empty.file(u"stdata.db"_s));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    const QByteArray junkHash = fileHash(junk.fileName());
    EXPECT_FALSE(openDatabase(empty.path()).ok());
    EXPECT_EQ(fileHash(junk.fileName()), junkHash);
}

TEST_F(DatabaseTest, NewPaperRowsTakeDefaultsAndIncreasingStids)
{
    const qint64 a = addPaperRow(conn, 7);
    const qint64 b = addPaperRow(conn, 8);
    EXPECT_EQ(b, a + 1);

    auto rs = Recordset::open(conn, sql::SelectPaper);
    ASSERT_TRUE(rs.ok());
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->field(u"是否已做"_s)->toInt(), 0);
    EXPECT_EQ(rs->field(u"得分"_s)->toDouble(), 0.0);
    EXPECT_EQ(rs->field(u"stkid"_s)->toLongLong(), 7);
    EXPECT_EQ(rs->field(u"分值"_s)->toDouble(), 2.5);

    // Emptying the paper does not reuse numbers: a new paper's rows come after.
    ASSERT_TRUE(conn->execute(sql::DeletePaper).ok());
    EXPECT_EQ(countRows(conn, u"st"_s), 0);
    EXPECT_GT(addPaperRow(conn, 9), b);
}

TEST_F(DatabaseTest, RecordsetIsASnapshotWithExactCountAndPositions)
{
    for (int i = 1; i <= 5; ++i)
        addPaperRow(conn, 100 + i);
    auto rs = Recordset::open(conn, sql::SelectPaper);
    ASSERT_TRUE(rs.ok());
    EXPECT_EQ(rs->recordCount(), 5);
    EXPECT_EQ(rs->absolutePosition(), 1);

    ASSERT_TRUE(rs->setAbsolutePosition(4).ok());
    EXPECT_EQ(rs->field(u"stkid"_s)->toInt(), 104);
    EXPECT_FALSE(rs->setAbsolutePosition(0).ok());
    EXPECT_FALSE(rs->setAbsolutePosition(6).ok());
    EXPECT_EQ(rs->absolutePosition(), 4);

    int walked = 0;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        EXPECT_EQ(rs->field(u"stkid"_s)->toInt(), 101 + walked++);
    EXPECT_EQ(walked, 5);
    EXPECT_FALSE(rs->field(u"stkid"_s).ok());

    // Another connection (as the bridge's) writes a row: only a recordset
    // opened afterwards sees it.
    auto other = Connection::open(path, databasePassword());
    ASSERT_TRUE(other.ok());
    auto row = Recordset::open(other.value(), sql::SelectPaperRowWhere, QVariant(2));
    ASSERT_TRUE(row.ok());
    ASSERT_EQ(row->recordCount(), 1);
    ASSERT_TRUE(row->setField(u"得分"_s, 2.5).ok());
    ASSERT_TRUE(row->setField(u"是否已做"_s, 1).ok());
    ASSERT_TRUE(row->update().ok());

    ASSERT_TRUE(rs->setAbsolutePosition(2).ok());
    EXPECT_EQ(rs->field(u"得分"_s)->toDouble(), 0.0);
    auto undone = Recordset::open(conn, sql::SelectUndone);
    ASSERT_TRUE(undone.ok());
    EXPECT_EQ(undone->recordCount(), 4);
    EXPECT_EQ(readValue(conn, u"st"_s, u"stid"_s, 2, u"得分"_s).toDouble(), 2.5);
}

TEST_F(DatabaseTest, LongTextsAreAsTheyWereAtOpen)
{
    const qint64 id = addBankRow(*conn, u"第1套题"_s, 1, 0);
    ASSERT_TRUE(
        conn->executeScript(u"UPDATE stk SET 题干 = 'before', 解析 = 'old' WHERE ID = %1"_s.arg(id)).ok());
    auto rs = Recordset::open(conn, sql::SelectBank);
    ASSERT_TRUE(rs.ok());
    auto other = Connection::open(path, databasePassword());
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(other.value()->executeScript(u"UPDATE stk SET 题干 = 'after', 解析 = 'new'"_s).ok());
    EXPECT_EQ(rs->field(u"题干"_s)->toString(), u"before"_s);
    EXPECT_EQ(rs->field(u"解析"_s)->toString(), u"old"_s);
}

TEST_F(DatabaseTest, BankSelectionsByStatementText)
{
    addBankRow(*conn, u"第1套题"_s, 1, 0);
    addBankRow(*conn, u"第1套题"_s, 2, 1);
    addBankRow(*conn, u"第2套题"_s, 1, 5);
    addBankRow(*conn, u"第11套题"_s, 1, -1);
    addBankRow(*conn, u"第2套题"_s, 2, 0);

    auto set1 = Recordset::open(conn, sql::SelectSetRowsWhere, QVariant(u"第1套题"_s));
    ASSERT_TRUE(set1.ok());
    EXPECT_EQ(set1->recordCount(), 2);
    // A name is compared whole: "第1套题" is not a prefix match of "第11套题",
    // and a quote in a value is just a character.
    auto quote = Recordset::open(conn, sql::SelectSetRowsWhere, QVariant(u"第1套题' or '1'='1"_s));
    ASSERT_TRUE(quote.ok());
    EXPECT_EQ(quote->recordCount(), 0);

    auto wrong = Recordset::open(conn, sql::SelectWrongRows);
    ASSERT_TRUE(wrong.ok());
    QStringList numbers;
    for (; !wrong->eof(); wrong->moveNext())
        numbers << wrong->field(u"套题类"_s)->toString() + wrong->field(u"套题子类"_s)->toString();
    EXPECT_EQ(numbers, QStringList({u"第1套题2"_s, u"第2套题1"_s, u"第11套题1"_s}));

    auto all = Recordset::open(conn, sql::SelectWholeBank);
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(all->recordCount(), 5);
    auto one = Recordset::open(conn, sql::SelectBankRowWhere, QVariant(3));
    ASSERT_TRUE(one.ok());
    ASSERT_EQ(one->recordCount(), 1);
    ASSERT_TRUE(one->setField(u"错题"_s, 0).ok());
    ASSERT_TRUE(one->update().ok());
    EXPECT_EQ(readValue(conn, u"stk"_s, u"ID"_s, 3, u"错题"_s).toInt(), 0);
}

TEST_F(DatabaseTest, MoviesAreReadOnFirstAccessAndKeptWhole)
{
    QByteArray movie(300 * 1024, '\0');
    for (qsizetype i = 0; i < movie.size(); ++i)
        movie[i] = static_cast<char>((i * 131) & 0xff);
    addBankRow(*conn, u"第1套题"_s, 1, 0, movie);
    addBankRow(*conn, u"第1套题"_s, 2, 0);

    auto rs = Recordset::open(conn, sql::SelectBank);
    ASSERT_TRUE(rs.ok());
    EXPECT_EQ(rs->field(u"课程名"_s)->toString(), u"PowerPoint模块"_s);
    EXPECT_EQ(rs->field(u"内容多媒体1"_s)->toInt(), -1);
    EXPECT_EQ(rs->field(u"内容多媒体文件"_s)->toByteArray(), movie);
    rs->moveNext();
    EXPECT_EQ(rs->field(u"内容多媒体1"_s)->toInt(), 0);
    EXPECT_TRUE(rs->field(u"内容多媒体文件"_s)->isNull());
    EXPECT_FALSE(rs->field(u"没有的列"_s).ok());
}

TEST_F(DatabaseTest, StatementsAndSourcesOutsideTheSystemsFormsAreRefused)
{
    EXPECT_TRUE(conn->execute(sql::DeleteStkbf).ok());
    EXPECT_TRUE(conn->execute(sql::DeleteStlbf).ok());
    EXPECT_FALSE(Recordset::open(conn, u"select ID from stk"_s).ok());
    EXPECT_FALSE(Recordset::open(conn, u"select * from nosuchtable"_s).ok());
    EXPECT_FALSE(conn->execute(u"delete * from nosuchtable"_s).ok());
    conn->close();
    EXPECT_FALSE(Recordset::open(conn, sql::SelectPaper).ok());
}

TEST_F(DatabaseTest, AFileKeepsOpeningWhenTheCiphersDefaultsMoveOn)
{
    ASSERT_TRUE(conn->executeScript(u"INSERT INTO stkbf (stkid, 备注) VALUES (7, '留下')"_s).ok());
    conn->close();
    // A library of a later version starts from other defaults; so does this one
    // for the rest of the process, until they are put back.
    const auto setDefaults = [](const char* pageSize, const char* useHmac) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        const QByteArray sql = QByteArray("PRAGMA cipher_default_page_size = ") + pageSize +
                               "; PRAGMA cipher_default_use_hmac = " + useHmac + ";";
        EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    };
    setDefaults("4096", "OFF");
    // Keyed alone, the file no longer reads: the defaults did change.
    sqlite3* bare = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &bare), SQLITE_OK);
    const QByteArray key = "PRAGMA key = \"" + rawKeyPragmaValue(databasePassword()) + "\";";
    sqlite3_exec(bare, key.constData(), nullptr, nullptr, nullptr);
    EXPECT_NE(sqlite3_exec(bare, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(bare);

    auto reopened = Connection::open(path, databasePassword());
    const bool opened = reopened.ok();
    QString note =
        opened ? readValue(reopened.value(), u"stkbf"_s, u"stkid"_s, 7, u"备注"_s).toString() : QString();
    if (opened)
        reopened.value()->close();
    // A file made now is made with the same settings, whatever the defaults.
    auto made = Connection::create(folder.file(u"new.db"_s), databasePassword());
    const bool created = made.ok() && createSchema(*made.value()).ok();
    if (made)
        made.value()->close();
    setDefaults("1024", "ON");
    ASSERT_TRUE(opened) << reopened.error().toStdString();
    EXPECT_EQ(note, u"留下"_s);
    EXPECT_TRUE(created);
    EXPECT_TRUE(Connection::open(folder.file(u"new.db"_s), databasePassword()).ok());
}
