#include "db/schema.h"

#include "db/database.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString bankCourseName()
{
    return u"PowerPoint模块"_s;
}

qint64 bankQuestionId(const QString& setName, int number)
{
    static const QRegularExpression numbered(u"^第(\\d{1,3})套题$"_s);
    const QRegularExpressionMatch m = numbered.match(setName);
    const int set = m.hasMatch() ? m.captured(1).toInt() : 0;
    if (set < 1 || number < 1 || number > kMaxQuestionNumber)
        return 0;
    return qint64{set} * (kMaxQuestionNumber + 1) + number;
}

QString schemaScript()
{
    return uR"sql(
BEGIN;
CREATE TABLE stk (
    ID INTEGER PRIMARY KEY,
    课程名 TEXT,
    套题类 TEXT,
    套题子类 TEXT,
    题型 TEXT,
    内容多媒体1 INTEGER NOT NULL DEFAULT 0,
    错题 INTEGER NOT NULL DEFAULT 0,
    内容多媒体类型 TEXT,
    内容多媒体2 TEXT,
    内容多媒体文件名 TEXT,
    解析多媒体类型 TEXT,
    解析多媒体1 TEXT,
    解析多媒体2 TEXT,
    解析多媒体文件 TEXT,
    解析多媒体文件名 TEXT,
    解析 LONGTEXT,
    题干 LONGTEXT,
    内容多媒体文件 BLOB
);
CREATE TABLE st (
    stid INTEGER PRIMARY KEY AUTOINCREMENT,
    大题类 TEXT,
    题号 TEXT,
    题型 TEXT,
    题干 LONGTEXT,
    内容多媒体类型 TEXT,
    内容多媒体2 TEXT,
    内容多媒体文件名 TEXT,
    解析多媒体1 TEXT,
    解析多媒体文件 TEXT,
    解析多媒体2 TEXT,
    解析多媒体文件名 TEXT,
    解析多媒体类型 TEXT,
    解析 LONGTEXT,
    分值 REAL,
    stkid INTEGER,
    是否已做 INTEGER NOT NULL DEFAULT 0,
    得分 REAL NOT NULL DEFAULT 0
);
CREATE TABLE stkbf (id INTEGER PRIMARY KEY, stkid INTEGER, 备注 TEXT);
CREATE TABLE stlbf (id INTEGER PRIMARY KEY, stid INTEGER, 备注 TEXT);
COMMIT;
)sql"_s;
}

QString learnerTablesScript()
{
    return uR"sql(
CREATE TABLE IF NOT EXISTS 试题考点 (
    ID INTEGER PRIMARY KEY,
    考点 TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS 练习记录 (
    记录ID INTEGER PRIMARY KEY AUTOINCREMENT,
    setname TEXT NOT NULL,
    开始时间 TEXT NOT NULL,
    交卷时间 TEXT NOT NULL,
    得分 REAL NOT NULL DEFAULT 0,
    题数 INTEGER NOT NULL DEFAULT 0,
    做对题数 INTEGER NOT NULL DEFAULT 0,
    考试模式 INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE IF NOT EXISTS 练习记录明细 (
    记录ID INTEGER NOT NULL,
    题号 INTEGER NOT NULL,
    stkid INTEGER,
    考点 TEXT,
    做对 INTEGER NOT NULL DEFAULT 0,
    看过演示 INTEGER NOT NULL DEFAULT 0,
    看过提示 INTEGER NOT NULL DEFAULT 0,
    打开过 INTEGER NOT NULL DEFAULT 1,
    PRIMARY KEY (记录ID, 题号)
);
CREATE TABLE IF NOT EXISTS 练习订正 (
    记录ID INTEGER PRIMARY KEY,
    交卷时间 TEXT NOT NULL,
    得分 REAL NOT NULL DEFAULT 0,
    做对题数 INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE IF NOT EXISTS 练习记录标识 (
    记录ID INTEGER PRIMARY KEY,
    上传ID TEXT NOT NULL UNIQUE,
    交卷次数 INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE IF NOT EXISTS 上传队列 (
    序号 INTEGER PRIMARY KEY AUTOINCREMENT,
    上传ID TEXT NOT NULL,
    交卷次数 INTEGER NOT NULL,
    内容 TEXT NOT NULL,
    UNIQUE (上传ID, 交卷次数)
);
)sql"_s;
}

Status createSchema(Connection& connection)
{
    if (Status s = connection.executeScript(schemaScript()); !s)
        return s;
    return ensureLearnerTables(connection);
}

bool tableHasColumn(Connection& connection, const QString& table, const QString& column)
{
    // The bundled SQLite has no pragma_table_info() yet.
    QString quoted = table;
    quoted.replace(u'"', u"\"\""_s);
    const auto rows = connection.select(u"PRAGMA table_info(\"%1\")"_s.arg(quoted));
    if (!rows)
        return false;
    return std::any_of(rows->begin(), rows->end(), [&](const Connection::Row& row) {
        return row.size() > 1 && row[1].toString() == column;
    });
}

Status ensureLearnerTables(Connection& connection)
{
    if (Status s = connection.executeScript(learnerTablesScript()); !s)
        return s;
    // A history written before the trainer kept which questions were opened:
    // its questions count as opened, as they were counted then.
    if (tableHasColumn(connection, u"练习记录明细"_s, u"打开过"_s))
        return {};
    return connection.executeScript(
        u"ALTER TABLE 练习记录明细 ADD COLUMN 打开过 INTEGER NOT NULL DEFAULT 1"_s);
}

} // namespace pptdrill
