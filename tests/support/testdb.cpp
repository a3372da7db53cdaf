#include "tests/support/testdb.h"

#include "cipher/textfields.h"
#include "db/schema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::test {

std::shared_ptr<Connection> createTestDatabase(const QString& path)
{
    auto conn = Connection::create(path, databasePassword());
    EXPECT_TRUE(conn.ok()) << conn.error().toStdString();
    if (!conn)
        return nullptr;
    Status s = createSchema(*conn.value());
    EXPECT_TRUE(s.ok()) << s.error().toStdString();
    return conn.value();
}

qint64 addBankRow(Connection& conn, const QString& setName, int number, int wrong, const QByteArray& movie)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray sql =
        u"INSERT INTO stk (课程名, 套题类, 套题子类, 题型, 题干, 内容多媒体1, 错题, 内容多媒体文件) "
        u"VALUES (?, ?, ?, '5', ?, ?, ?, ?)"_s.toUtf8();
    EXPECT_EQ(sqlite3_prepare_v2(conn.handle(), sql.constData(), -1, &st, nullptr), SQLITE_OK);
    const QByteArray course = u"PowerPoint模块"_s.toUtf8();
    const QByteArray set = setName.toUtf8();
    const QByteArray num = QByteArray::number(number);
    sqlite3_bind_text(st, 1, course.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, set.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 3, num.constData(), -1, SQLITE_TRANSIENT);
    // A stem the question bar can show: "<set> 第<n>题", enciphered as the bank stores it.
    const QByteArray stem = encryptTextToHex(u"%1 第%2题"_s.arg(setName).arg(number)).toUtf8();
    sqlite3_bind_text(st, 4, stem.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(st, 5, movie.isEmpty() ? 0 : -1);
    sqlite3_bind_int(st, 6, wrong);
    if (movie.isEmpty())
        sqlite3_bind_null(st, 7);
    else
        sqlite3_bind_blob(st, 7, movie.constData(), static_cast<int>(movie.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_finalize(st);
    return sqlite3_last_insert_rowid(conn.handle());
}

qint64 addPaperRow(const std::shared_ptr<Connection>& conn, qint64 stkid)
{
    auto rs = Recordset::open(conn, u"select * from st"_s);
    EXPECT_TRUE(rs.ok());
    rs->addNew();
    EXPECT_TRUE(rs->setField(u"大题类"_s, u"第1套题"_s).ok());
    EXPECT_TRUE(rs->setField(u"分值"_s, 2.5).ok());
    EXPECT_TRUE(rs->setField(u"stkid"_s, stkid).ok());
    Status s = rs->update();
    EXPECT_TRUE(s.ok()) << s.error().toStdString();
    return rs->field(u"stid"_s).value().toLongLong();
}

QVariant readValue(const std::shared_ptr<Connection>& conn, const QString& table, const QString& keyColumn,
                   qint64 key, const QString& column)
{
    auto rs = Recordset::open(conn, u"select * from %1 where %2="_s.arg(table, keyColumn), QVariant(key));
    EXPECT_TRUE(rs.ok()) << rs.error().toStdString();
    if (!rs || rs->recordCount() == 0)
        return {};
    return rs->field(column).value();
}

int countRows(const std::shared_ptr<Connection>& conn, const QString& table)
{
    auto rs = Recordset::open(conn, u"select * from "_s + table);
    EXPECT_TRUE(rs.ok()) << rs.error().toStdString();
    return rs ? rs->recordCount() : -1;
}

} // namespace pptdrill::test
