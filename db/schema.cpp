#include "db/schema.h"

#include "db/database.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString bankCourseName()
{
    return u"PowerPoint模块"_s;
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

Status createSchema(Connection& connection)
{
    return connection.executeScript(schemaScript());
}

} // namespace pptdrill
