#include "db/learnerdata.h"

#include "db/database.h"
#include "db/schema.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

Status copyRows(Connection& from, Connection& to, const QString& selectSql, const QString& insertSql)
{
    const auto rows = from.select(selectSql);
    if (!rows)
        return Status::failure(rows.error(), rows.code());
    std::vector<QVariantList> values;
    values.reserve(rows->size());
    for (const Connection::Row& row : rows.value())
        values.emplace_back(row.begin(), row.end());
    return to.runForEach(insertSql, values);
}

Status carry(Connection& from, Connection& to)
{
    if (Status s = ensureLearnerTables(to); !s)
        return s;
    const auto flagged = from.select(u"SELECT ID, 题干, 错题 FROM stk WHERE 错题 <> 0"_s);
    if (!flagged)
        return Status::failure(flagged.error(), flagged.code());
    std::vector<QVariantList> flags;
    for (const Connection::Row& row : flagged.value())
        flags.push_back({row[2], row[0], row[1]});
    // The stems are stored enciphered with a fixed key: the same text is the same cipher text.
    if (Status s = to.runForEach(u"UPDATE stk SET 错题 = ? WHERE ID = ? AND 题干 IS ?"_s, flags); !s)
        return s;

    if (!from.hasTable(u"练习记录"_s))
        return {};
    if (Status s = copyRows(
            from, to,
            u"SELECT 记录ID, setname, 开始时间, 交卷时间, 得分, 题数, 做对题数, 考试模式 FROM 练习记录"_s,
            u"INSERT OR REPLACE INTO 练习记录 (记录ID, setname, 开始时间, 交卷时间, 得分, 题数, "
            u"做对题数, 考试模式) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s);
        !s)
        return s;
    if (!from.hasTable(u"练习记录明细"_s))
        return {};
    if (Status s = copyRows(
            from, to, u"SELECT 记录ID, 题号, stkid, 考点, 做对, 看过演示, 看过提示 FROM 练习记录明细"_s,
            u"INSERT OR REPLACE INTO 练习记录明细 (记录ID, 题号, stkid, 考点, 做对, 看过演示, 看过提示) "
            u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
        !s)
        return s;
    // The class's hand-ins not yet delivered, and the ids the server knows the attempts by.
    if (from.hasTable(u"练习记录标识"_s)) {
        if (Status s = copyRows(
                from, to, u"SELECT 记录ID, 上传ID, 交卷次数 FROM 练习记录标识"_s,
                u"INSERT OR REPLACE INTO 练习记录标识 (记录ID, 上传ID, 交卷次数) VALUES (?, ?, ?)"_s);
            !s)
            return s;
    }
    if (!from.hasTable(u"上传队列"_s))
        return {};
    return copyRows(from, to, u"SELECT 序号, 上传ID, 交卷次数, 内容 FROM 上传队列"_s,
                    u"INSERT OR REPLACE INTO 上传队列 (序号, 上传ID, 交卷次数, 内容) VALUES (?, ?, ?, ?)"_s);
}

} // namespace

Status carryLearnerData(const std::shared_ptr<Connection>& from, const std::shared_ptr<Connection>& to)
{
    if (!from || !to || !from->isOpen() || !to->isOpen())
        return Status::failure(u"数据库连接已关闭"_s);
    if (Status s = to->executeScript(u"BEGIN IMMEDIATE"_s); !s)
        return s;
    Status carried = carry(*from, *to);
    if (carried)
        carried = to->executeScript(u"COMMIT"_s);
    if (!carried)
        to->executeScript(u"ROLLBACK"_s);
    return carried;
}

} // namespace pptdrill
