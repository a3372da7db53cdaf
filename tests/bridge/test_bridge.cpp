#include "db/database.h"
#include "db/statements.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

// A program folder with its own copy of drillbridge and a paper of three rows.
class BridgeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bridge = folder.file(u"drillbridge"_s);
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(DRILLBRIDGE_EXE), bridge));
        conn = createTestDatabase(folder.file(u"stdata.db"_s));
        ASSERT_TRUE(conn);
        for (int i = 0; i < 3; ++i)
            stids.push_back(addPaperRow(conn, 10 + i));
    }

    int runBridge(const QStringList& args)
    {
        QProcess p;
        p.start(bridge, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return p.exitCode();
    }

    // (得分, 是否已做) of every paper row, through a fresh recordset.
    std::vector<std::pair<double, int>> outcomes()
    {
        std::vector<std::pair<double, int>> out;
        auto rs = Recordset::open(conn, sql::SelectPaper);
        EXPECT_TRUE(rs.ok());
        for (; rs && !rs->eof(); rs->moveNext())
            out.emplace_back(rs->field(u"得分"_s)->toDouble(), rs->field(u"是否已做"_s)->toInt());
        return out;
    }

    using Outcomes = std::vector<std::pair<double, int>>;
    TempProgramFolder folder;
    QString bridge;
    std::shared_ptr<Connection> conn;
    std::vector<qint64> stids;
};

} // namespace

TEST_F(BridgeTest, RecordsTheNamedRowOnlyAndRepeatsHarmlessly)
{
    const QString second = QString::number(stids[1]);
    EXPECT_EQ(runBridge({u"  "_s + second + u"   "_s}), 0);
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {2.5, 1}, {0, 0}}));
    EXPECT_EQ(runBridge({second}), 0);
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {2.5, 1}, {0, 0}}));
    // The score is a real number, the flag a small integer.
    auto rs = Recordset::open(conn, sql::SelectPaperRowWhere, QVariant(stids[1]));
    EXPECT_EQ(rs->field(u"得分"_s)->typeId(), QMetaType::Double);
    EXPECT_EQ(rs->field(u"是否已做"_s)->typeId(), QMetaType::LongLong);
}

TEST_F(BridgeTest, BlankUnknownOrNonNumericArgumentsChangeNothing)
{
    conn->close();
    const QString db = folder.file(u"stdata.db"_s);
    const QDateTime modified = QFileInfo(db).lastModified();
    QThread::msleep(20);
    EXPECT_EQ(runBridge({}), 0);
    EXPECT_EQ(runBridge({u"    "_s}), 0);
    EXPECT_EQ(QFileInfo(db).lastModified(), modified);
    // Blank text never opens the database: it works with no database at all.
    QFile::rename(db, db + u".away"_s);
    EXPECT_EQ(runBridge({u"   "_s}), 0);
    QFile::rename(db + u".away"_s, db);

    EXPECT_EQ(runBridge({u"999"_s}), 0);
    EXPECT_NE(runBridge({u"1 or 1=1"_s}), 0);
    EXPECT_NE(runBridge({u"1"_s, u"or"_s, u"1=1"_s}), 0);
    EXPECT_NE(runBridge({u"1;delete from st"_s}), 0);
    EXPECT_NE(runBridge({u"-1"_s}), 0);
    EXPECT_NE(runBridge({u"0x1"_s}), 0);
    auto reopened = Connection::open(db, databasePassword());
    ASSERT_TRUE(reopened.ok());
    conn = reopened.value();
    EXPECT_EQ(outcomes(), (Outcomes{{0, 0}, {0, 0}, {0, 0}}));
}

TEST_F(BridgeTest, MissingDatabaseFailsQuietlyWithoutCreatingOne)
{
    conn->close();
    QFile::remove(folder.file(u"stdata.db"_s));
    EXPECT_NE(runBridge({u"1"_s}), 0);
    EXPECT_FALSE(QFile::exists(folder.file(u"stdata.db"_s)));
}

TEST_F(BridgeTest, WritesWhileTheBarHoldsASnapshotAndWaitsOutABriefLock)
{
    auto snapshot = Recordset::open(conn, sql::SelectPaper);
    ASSERT_TRUE(snapshot.ok());
    EXPECT_EQ(runBridge({QString::number(stids[0])}), 0);
    EXPECT_EQ(snapshot->field(u"是否已做"_s)->toInt(), 0);

    // Another process holds the write lock for a moment; the bridge waits.
    auto locker = Connection::open(folder.file(u"stdata.db"_s), databasePassword());
    ASSERT_TRUE(locker.ok());
    ASSERT_TRUE(locker.value()
                    ->executeScript(u"BEGIN IMMEDIATE; UPDATE st SET 题号='x' WHERE stid=%1;"_s.arg(stids[0]))
                    .ok());
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        locker.value()->executeScript(u"COMMIT"_s);
    });
    EXPECT_EQ(runBridge({QString::number(stids[2])}), 0);
    release.join();
    EXPECT_EQ(outcomes(), (Outcomes{{2.5, 1}, {0, 0}, {2.5, 1}}));
    EXPECT_EQ(readValue(conn, u"st"_s, u"stid"_s, stids[0], u"题号"_s).toString(), u"x"_s);
}
