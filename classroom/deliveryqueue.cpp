#include "classroom/deliveryqueue.h"

#include "db/database.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// A later bank may name each question's knowledge point beside its part.
Result<bool> topicsHavePoints(Connection& connection)
{
    const auto columns = connection.select(u"PRAGMA table_info(试题考点)"_s);
    if (!columns)
        return Result<bool>::failure(columns.error(), columns.code());
    for (const Connection::Row& row : columns.value()) {
        if (row.size() > 1 && row[1].toString() == u"知识点"_s)
            return true;
    }
    return false;
}

// The attempt's unique id and the number of this hand-in of it.
Result<std::pair<QString, int>> nextHandIn(Connection& connection, qint64 attemptId)
{
    using R = Result<std::pair<QString, int>>;
    const auto known =
        connection.select(u"SELECT 上传ID, 交卷次数 FROM 练习记录标识 WHERE 记录ID = ?"_s, {attemptId});
    if (!known)
        return R::failure(known.error(), known.code());
    if (known->empty()) {
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (Status s = connection.run(
                u"INSERT INTO 练习记录标识 (记录ID, 上传ID, 交卷次数) VALUES (?, ?, 1)"_s, {attemptId, id});
            !s)
            return R::failure(s.error(), s.code());
        return std::pair{id, 1};
    }
    const int handIn = static_cast<int>(known->front()[1].toLongLong()) + 1;
    if (Status s =
            connection.run(u"UPDATE 练习记录标识 SET 交卷次数 = ? WHERE 记录ID = ?"_s, {handIn, attemptId});
        !s)
        return R::failure(s.error(), s.code());
    return std::pair{known->front()[0].toString(), handIn};
}

QJsonValue textOrNull(const QVariant& value)
{
    return value.isNull() ? QJsonValue() : QJsonValue(value.toString());
}

} // namespace

Status queueAttempt(Connection& connection, qint64 attemptId, const LearnerIdentity& learner)
{
    const auto attempt =
        connection.select(u"SELECT setname, 开始时间, 交卷时间, 得分, 题数, 做对题数, 考试模式 FROM 练习记录 "
                          u"WHERE 记录ID = ?"_s,
                          {attemptId});
    if (!attempt)
        return Status::failure(attempt.error(), attempt.code());
    if (attempt->empty())
        return Status::failure(u"练习记录中没有这次交卷"_s);
    const auto withPoints = topicsHavePoints(connection);
    if (!withPoints)
        return Status::failure(withPoints.error(), withPoints.code());
    const QString pointColumn = withPoints.value() ? u"k.知识点"_s : u"NULL"_s;
    const auto questions = connection.select(
        u"SELECT d.题号, s.套题类, s.套题子类, d.考点, %1, d.做对, d.看过演示, d.看过提示 "
        u"FROM 练习记录明细 d LEFT JOIN stk s ON s.ID = d.stkid LEFT JOIN 试题考点 k ON k.ID = d.stkid "
        u"WHERE d.记录ID = ? ORDER BY d.题号"_s.arg(pointColumn),
        {attemptId});
    if (!questions)
        return Status::failure(questions.error(), questions.code());
    const auto handIn = nextHandIn(connection, attemptId);
    if (!handIn)
        return Status::failure(handIn.error(), handIn.code());

    const Connection::Row& a = attempt->front();
    QJsonArray items;
    for (const Connection::Row& q : questions.value()) {
        items.append(QJsonObject{{u"position"_s, q[0].toInt()},
                                 {u"set"_s, textOrNull(q[1])},
                                 {u"number"_s, textOrNull(q[2])},
                                 {u"topic"_s, textOrNull(q[3])},
                                 {u"point"_s, textOrNull(q[4])},
                                 {u"right"_s, q[5].toLongLong() != 0},
                                 {u"demonstration"_s, q[6].toLongLong() != 0},
                                 {u"hint"_s, q[7].toLongLong() != 0}});
    }
    const QJsonObject message{{u"attempt"_s, handIn->first},
                              {u"handIn"_s, handIn->second},
                              {u"class"_s, learner.className},
                              {u"seat"_s, learner.seatNumber},
                              {u"identity"_s, learner.identityNumber},
                              {u"set"_s, a[0].toString()},
                              {u"startedAt"_s, a[1].toString()},
                              {u"handedInAt"_s, a[2].toString()},
                              {u"score"_s, a[3].toDouble()},
                              {u"questionCount"_s, a[4].toInt()},
                              {u"rightCount"_s, a[5].toInt()},
                              {u"examMode"_s, a[6].toLongLong() != 0},
                              {u"questions"_s, items}};
    return connection.run(u"INSERT INTO 上传队列 (上传ID, 交卷次数, 内容) VALUES (?, ?, ?)"_s,
                          {handIn->first, handIn->second,
                           QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact))});
}

Result<std::vector<QueuedAttempt>> queuedAttempts(Connection& connection, int limit)
{
    using R = Result<std::vector<QueuedAttempt>>;
    const auto rows = connection.select(u"SELECT 序号, 内容 FROM 上传队列 ORDER BY 序号 LIMIT ?"_s, {limit});
    if (!rows)
        return R::failure(rows.error(), rows.code());
    std::vector<QueuedAttempt> queued;
    queued.reserve(rows->size());
    for (const Connection::Row& row : rows.value())
        queued.push_back({row[0].toLongLong(), row[1].toString()});
    return queued;
}

Result<int> queuedAttemptCount(Connection& connection)
{
    const auto rows = connection.select(u"SELECT count(*) FROM 上传队列"_s);
    if (!rows)
        return Result<int>::failure(rows.error(), rows.code());
    return static_cast<int>(rows->front().front().toLongLong());
}

Status removeQueuedAttempt(Connection& connection, qint64 sequence)
{
    return connection.run(u"DELETE FROM 上传队列 WHERE 序号 = ?"_s, {sequence});
}

} // namespace pptdrill
