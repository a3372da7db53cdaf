#include "db/databasecheck.h"

#include "db/database.h"
#include "db/schema.h"

#include <QFileInfo>
#include <sqlite3.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

struct TableColumns
{
    QString table;
    QStringList columns;
};

QStringList columnsOf(sqlite3* db, const QString& table)
{
    QStringList columns;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = u"PRAGMA table_info(\"%1\")"_s.arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return columns;
    while (sqlite3_step(st) == SQLITE_ROW)
        columns << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    sqlite3_finalize(st);
    return columns;
}

// The tables and columns made by `script`.
std::vector<TableColumns> tablesOf(const QString& script, const QStringList& names)
{
    std::vector<TableColumns> result;
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK &&
        sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK) {
        for (const QString& table : names)
            result.push_back({table, columnsOf(db, table)});
    }
    sqlite3_close(db);
    return result;
}

// The tables and columns a bank made by the bank compiler has.
const std::vector<TableColumns>& expectedTables()
{
    static const std::vector<TableColumns> tables =
        tablesOf(schemaScript(), {u"stk"_s, u"st"_s, u"stkbf"_s, u"stlbf"_s});
    return tables;
}

// The learner's tables, which a file of an earlier version may not have yet.
const std::vector<TableColumns>& learnerTables()
{
    static const std::vector<TableColumns> tables =
        tablesOf(learnerTablesScript(), {u"试题考点"_s, u"练习记录"_s, u"练习记录明细"_s});
    return tables;
}

bool writable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace

Status checkDatabaseForUse(const QString& databaseFile, const QString& password,
                           const std::function<Status(Connection&)>& thenWith)
{
    const QFileInfo info(databaseFile);
    if (!info.exists())
        return Status::failure(u"找不到题库文件“%1”。"_s.arg(databaseFile));
    const QString folder = info.absolutePath();
    if (!writable(folder))
        return Status::failure(
            u"文件夹“%1”不能写入：练习的试卷和成绩要保存在题库文件所在的文件夹中。"_s.arg(folder));
    if (!writable(databaseFile))
        return Status::failure(u"题库文件“%1”是只读的：练习的试卷和成绩要保存在其中。"_s.arg(databaseFile));
    auto conn = Connection::open(databaseFile, password);
    if (!conn)
        return Status::failure(u"题库文件“%1”打不开：密码不对或文件已损坏。"_s.arg(databaseFile));
    Status result = checkDatabaseTables(*conn.value());
    if (result && thenWith)
        result = thenWith(*conn.value());
    conn.value()->close();
    return result;
}

Status checkDatabaseTables(Connection& connection)
{
    const QString file = connection.filePath();
    for (const TableColumns& expected : expectedTables()) {
        const QStringList present = columnsOf(connection.handle(), expected.table);
        if (present.isEmpty())
            return Status::failure(u"题库文件“%1”已损坏：缺少数据表“%2”。"_s.arg(file, expected.table));
        for (const QString& column : expected.columns) {
            if (!present.contains(column))
                return Status::failure(
                    u"题库文件“%1”已损坏：数据表“%2”缺少字段“%3”。"_s.arg(file, expected.table, column));
        }
    }
    for (const TableColumns& expected : learnerTables()) {
        const QStringList present = columnsOf(connection.handle(), expected.table);
        for (const QString& column : expected.columns) {
            if (!present.isEmpty() && !present.contains(column))
                return Status::failure(
                    u"题库文件“%1”已损坏：数据表“%2”缺少字段“%3”。"_s.arg(file, expected.table, column));
        }
    }
    return {};
}

} // namespace pptdrill
