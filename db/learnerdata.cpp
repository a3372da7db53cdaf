#include "db/learnerdata.h"

#include "db/database.h"
#include "db/schema.h"

#include <map>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// A question as it stands in every edition: its set and its number in the set.
using QuestionKey = std::pair<QString, QString>;

QuestionKey keyOf(const QVariant& setName, const QVariant& number)
{
    return {setName.toString(), number.toString().trimmed()};
}

// What the learner built up in a database, read in one read transaction: a
// hand-in written meanwhile is in it whole (its 练习记录 row and its 明细 rows)
// or not at all.
struct LearnerData
{
    std::vector<Connection::Row> bank; // ID, 套题类, 套题子类, 题干, 错题
    std::vector<Connection::Row> attempts;
    std::vector<Connection::Row> questions;
    std::vector<Connection::Row> corrections; // 记录ID, 交卷时间, 得分, 做对题数
    std::vector<Connection::Row> uploadIds;   // 记录ID, 上传ID, 交卷次数
    std::vector<Connection::Row> uploads;     // the class's queue
};

std::vector<QVariantList> valuesOf(const std::vector<Connection::Row>& rows)
{
    std::vector<QVariantList> values;
    values.reserve(rows.size());
    for (const Connection::Row& row : rows)
        values.emplace_back(row.begin(), row.end());
    return values;
}

Status readLearnerData(Connection& from, LearnerData& data)
{
    auto read = [&](const QString& sql, std::vector<Connection::Row>& rows) {
        auto selected = from.select(sql);
        if (!selected)
            return Status::failure(selected.error(), selected.code());
        rows = std::move(selected.value());
        return Status();
    };
    if (Status s = read(u"SELECT ID, 套题类, 套题子类, 题干, 错题 FROM stk"_s, data.bank); !s)
        return s;
    if (!from.hasTable(u"练习记录"_s))
        return {};
    if (Status s = read(
            u"SELECT 记录ID, setname, 开始时间, 交卷时间, 得分, 题数, 做对题数, 考试模式 FROM 练习记录"_s,
            data.attempts);
        !s)
        return s;
    if (!from.hasTable(u"练习记录明细"_s))
        return {};
    // A history of an older trainer did not keep which questions were opened.
    const QString opened = tableHasColumn(from, u"练习记录明细"_s, u"打开过"_s) ? u"打开过"_s : u"1"_s;
    if (Status s = read(
            u"SELECT 记录ID, 题号, stkid, 考点, 做对, 看过演示, 看过提示, %1 FROM 练习记录明细"_s.arg(opened),
            data.questions);
        !s)
        return s;
    if (from.hasTable(u"练习订正"_s)) {
        if (Status s = read(u"SELECT 记录ID, 交卷时间, 得分, 做对题数 FROM 练习订正"_s, data.corrections); !s)
            return s;
    }
    // The class's hand-ins not yet delivered, and the ids the server knows the attempts by.
    if (from.hasTable(u"练习记录标识"_s)) {
        if (Status s = read(u"SELECT 记录ID, 上传ID, 交卷次数 FROM 练习记录标识"_s, data.uploadIds); !s)
            return s;
    }
    if (!from.hasTable(u"上传队列"_s))
        return {};
    return read(u"SELECT 序号, 上传ID, 交卷次数, 内容 FROM 上传队列"_s, data.uploads);
}

Status readInOneTransaction(Connection& from, LearnerData& data)
{
    if (Status s = from.executeScript(u"BEGIN"_s); !s)
        return s;
    Status read = readLearnerData(from, data);
    if (read)
        read = from.executeScript(u"COMMIT"_s);
    if (!read)
        from.executeScript(u"ROLLBACK"_s);
    return read;
}

// The ID each question of the old bank has in the new one, found by its set and
// number, so that a history written under an earlier numbering of the bank
// follows its questions. A question the new bank no longer has takes the ID it
// would have, which names no row now and names it again should it come back.
Result<std::map<qint64, QVariant>> newIdsOf(const std::vector<Connection::Row>& oldBank, Connection& to)
{
    using R = Result<std::map<qint64, QVariant>>;
    const auto newBank = to.select(u"SELECT ID, 套题类, 套题子类 FROM stk"_s);
    if (!newBank)
        return R::failure(newBank.error(), newBank.code());
    std::map<QuestionKey, qint64> idOfKey;
    for (const Connection::Row& row : newBank.value())
        idOfKey.emplace(keyOf(row[1], row[2]), row[0].toLongLong());
    std::map<qint64, QVariant> newIds;
    for (const Connection::Row& row : oldBank) {
        const QuestionKey key = keyOf(row[1], row[2]);
        const auto found = idOfKey.find(key);
        if (found != idOfKey.end()) {
            newIds[row[0].toLongLong()] = found->second;
            continue;
        }
        bool numbered = false;
        const int number = key.second.toInt(&numbered);
        const qint64 id = numbered ? bankQuestionId(key.first, number) : 0;
        newIds[row[0].toLongLong()] = id != 0 ? QVariant(id) : QVariant();
    }
    return newIds;
}

Status carry(const LearnerData& data, Connection& to)
{
    if (Status s = ensureLearnerTables(to); !s)
        return s;
    std::vector<QVariantList> flags;
    for (const Connection::Row& row : data.bank) {
        if (row[4].toLongLong() != 0)
            flags.push_back({row[4], row[1], keyOf(row[1], row[2]).second, row[3]});
    }
    // The stems are stored enciphered with a fixed key: the same text is the same cipher text.
    if (Status s = to.runForEach(
            u"UPDATE stk SET 错题 = ? WHERE 套题类 IS ? AND TRIM(套题子类) IS ? AND 题干 IS ?"_s, flags);
        !s)
        return s;

    std::vector<QVariantList> attempts;
    for (const Connection::Row& row : data.attempts)
        attempts.emplace_back(row.begin(), row.end());
    if (Status s = to.runForEach(
            u"INSERT OR REPLACE INTO 练习记录 (记录ID, setname, 开始时间, 交卷时间, 得分, 题数, "
            u"做对题数, 考试模式) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
            attempts);
        !s)
        return s;

    const auto newIds = newIdsOf(data.bank, to);
    if (!newIds)
        return Status::failure(newIds.error(), newIds.code());
    std::vector<QVariantList> questions;
    for (const Connection::Row& row : data.questions) {
        QVariantList values(row.begin(), row.end());
        // A row that names no question of the old bank keeps what it names.
        if (!values[2].isNull()) {
            if (const auto id = newIds->find(values[2].toLongLong()); id != newIds->end())
                values[2] = id->second;
        }
        questions.push_back(std::move(values));
    }
    if (Status s = to.runForEach(u"INSERT OR REPLACE INTO 练习记录明细 (记录ID, 题号, stkid, 考点, 做对, "
                                 u"看过演示, 看过提示, 打开过) "
                                 u"VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                                 questions);
        !s)
        return s;
    if (Status s = to.runForEach(
            u"INSERT OR REPLACE INTO 练习订正 (记录ID, 交卷时间, 得分, 做对题数) VALUES (?, ?, ?, ?)"_s,
            valuesOf(data.corrections));
        !s)
        return s;
    if (Status s = to.runForEach(
            u"INSERT OR REPLACE INTO 练习记录标识 (记录ID, 上传ID, 交卷次数) VALUES (?, ?, ?)"_s,
            valuesOf(data.uploadIds));
        !s)
        return s;
    return to.runForEach(
        u"INSERT OR REPLACE INTO 上传队列 (序号, 上传ID, 交卷次数, 内容) VALUES (?, ?, ?, ?)"_s,
        valuesOf(data.uploads));
}

} // namespace

Status carryLearnerData(const std::shared_ptr<Connection>& from, const std::shared_ptr<Connection>& to)
{
    if (!from || !to || !from->isOpen() || !to->isOpen())
        return Status::failure(u"数据库连接已关闭"_s);
    LearnerData data;
    if (Status s = readInOneTransaction(*from, data); !s)
        return s;
    if (Status s = to->executeScript(u"BEGIN IMMEDIATE"_s); !s)
        return s;
    Status carried = carry(data, *to);
    if (carried)
        carried = to->executeScript(u"COMMIT"_s);
    if (!carried)
        to->executeScript(u"ROLLBACK"_s);
    return carried;
}

} // namespace pptdrill
