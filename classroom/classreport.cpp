#include "classroom/classreport.h"

#include "classroom/serverconnection.h"

#include <QSaveFile>
#include <QTimeZone>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The class's attempts, each by its last hand-in.
const QString latestAttempts = uR"sql(
latest AS (
    SELECT * FROM attempts a
    WHERE a.class_name = $1
      AND NOT EXISTS (SELECT 1 FROM attempts b WHERE b.attempt_id = a.attempt_id AND b.hand_in > a.hand_in)
))sql"_s;

QDateTime timeOf(const QString& epochSeconds)
{
    return QDateTime::fromSecsSinceEpoch(epochSeconds.toLongLong(), QTimeZone::utc());
}

template <typename T, typename Rows> Result<T> failed(const Rows& rows)
{
    return Result<T>::failure(rows.error(), rows.code());
}

} // namespace

Result<std::vector<ClassLearner>> readClassRoster(ServerConnection& server, const QString& className)
{
    using R = std::vector<ClassLearner>;
    const auto rows = server.query(u"WITH "_s + latestAttempts + uR"sql(,
per_learner AS (
    SELECT identity_number, count(*) AS attempts, avg(score) AS average, max(handed_in_at) AS last
    FROM latest GROUP BY identity_number
)
SELECT p.identity_number, newest.seat_number, coalesce(n.name, ''), p.attempts, p.average, newest.score,
       extract(epoch FROM p.last)::bigint
FROM per_learner p
CROSS JOIN LATERAL (
    SELECT a.seat_number, a.score FROM attempts a
    WHERE a.class_name = $1 AND a.identity_number = p.identity_number
    ORDER BY a.handed_in_at DESC, a.hand_in DESC LIMIT 1
) newest
LEFT JOIN learner_names n ON n.class_name = $1 AND n.identity_number = p.identity_number
ORDER BY length(newest.seat_number), newest.seat_number, p.identity_number)sql"_s,
                                   {className});
    if (!rows)
        return failed<R>(rows);
    R learners;
    learners.reserve(rows->size());
    for (const auto& row : rows.value())
        learners.push_back(
            {row[0], row[1], row[2], row[3].toInt(), row[4].toDouble(), row[5].toDouble(), timeOf(row[6])});
    return learners;
}

Result<std::vector<ClassAttempt>> readLearnerAttempts(ServerConnection& server, const QString& className,
                                                      const QString& identityNumber)
{
    using R = std::vector<ClassAttempt>;
    const auto rows = server.query(uR"sql(
SELECT a.attempt_id, a.hand_in, a.set_name, extract(epoch FROM a.started_at)::bigint,
       extract(epoch FROM a.handed_in_at)::bigint, a.score, a.question_count, a.right_count, a.exam_mode
FROM attempts a
WHERE a.class_name = $1 AND a.identity_number = $2
  AND NOT EXISTS (SELECT 1 FROM attempts b WHERE b.attempt_id = a.attempt_id AND b.hand_in > a.hand_in)
ORDER BY a.handed_in_at DESC)sql"_s,
                                   {className, identityNumber});
    if (!rows)
        return failed<R>(rows);
    R attempts;
    attempts.reserve(rows->size());
    for (const auto& row : rows.value()) {
        ClassAttempt a;
        a.attemptId = row[0];
        a.handIn = row[1].toInt();
        a.attempt.setName = row[2];
        a.attempt.startedAt = timeOf(row[3]);
        a.attempt.handedInAt = timeOf(row[4]);
        a.attempt.score = row[5].toDouble();
        a.attempt.questionCount = row[6].toInt();
        a.attempt.rightCount = row[7].toInt();
        a.attempt.examMode = row[8] == u"t"_s;
        attempts.push_back(std::move(a));
    }
    return attempts;
}

Result<std::vector<ClassAttemptQuestion>> readClassAttemptQuestions(ServerConnection& server,
                                                                    const QString& attemptId, int handIn)
{
    using R = std::vector<ClassAttemptQuestion>;
    const auto rows = server.query(u"SELECT position, set_name, question_number, topic, point, is_right, "
                                   u"demonstration, hint FROM attempt_questions "
                                   u"WHERE attempt_id = $1 AND hand_in = $2 ORDER BY position"_s,
                                   {attemptId, QString::number(handIn)});
    if (!rows)
        return failed<R>(rows);
    R questions;
    for (const auto& row : rows.value()) {
        ClassAttemptQuestion q;
        q.question.position = row[0].toInt();
        q.setName = row[1];
        q.number = row[2];
        q.question.topic = row[3];
        q.point = row[4];
        q.question.right = row[5] == u"t"_s;
        q.question.demonstration = row[6] == u"t"_s;
        q.question.hint = row[7] == u"t"_s;
        questions.push_back(std::move(q));
    }
    return questions;
}

Result<std::vector<ClassPoint>> readClassPoints(ServerConnection& server, const QString& className)
{
    using R = std::vector<ClassPoint>;
    // Enough memory to group the class's answers without sorting them on disk.
    if (Status s = server.execute(u"SET work_mem = '64MB'"_s); !s)
        return Result<R>::failure(s.error(), s.code());
    server.setStatementTimeout(120);
    const auto rows = server.query(u"WITH "_s + latestAttempts + uR"sql(,
per_learner AS (
    SELECT coalesce(q.point, q.topic) AS point, l.identity_number,
           count(*) AS asked, count(*) FILTER (WHERE q.is_right AND NOT q.demonstration) AS mastered
    FROM latest l JOIN attempt_questions q ON q.attempt_id = l.attempt_id AND q.hand_in = l.hand_in
    WHERE coalesce(q.point, q.topic) IS NOT NULL
    GROUP BY 1, 2
)
SELECT point, sum(asked), sum(mastered), count(*), count(*) FILTER (WHERE mastered * 2 < asked)
FROM per_learner
GROUP BY point
ORDER BY sum(mastered)::float / sum(asked), count(*) FILTER (WHERE mastered * 2 < asked) DESC, point)sql"_s,
                                   {className});
    if (!rows)
        return failed<R>(rows);
    R points;
    for (const auto& row : rows.value())
        points.push_back({row[0], row[1].toInt(), row[2].toInt(), row[3].toInt(), row[4].toInt()});
    return points;
}

Status setLearnerName(ServerConnection& server, const QString& className, const QString& identityNumber,
                      const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return server.execute(u"DELETE FROM learner_names WHERE class_name = $1 AND identity_number = $2"_s,
                              {className, identityNumber});
    return server.execute(
        u"INSERT INTO learner_names (class_name, identity_number, name) VALUES ($1, $2, $3) "
        u"ON CONFLICT (class_name, identity_number) DO UPDATE SET name = excluded.name"_s,
        {className, identityNumber, trimmed});
}

Result<std::vector<QStringList>> readClassAttemptsTable(ServerConnection& server, const QString& className)
{
    using R = std::vector<QStringList>;
    const auto rows = server.query(u"WITH "_s + latestAttempts + uR"sql(
SELECT l.seat_number, l.identity_number, coalesce(n.name, ''), l.set_name,
       extract(epoch FROM l.started_at)::bigint, extract(epoch FROM l.handed_in_at)::bigint,
       l.score, l.question_count, l.right_count, l.exam_mode
FROM latest l
LEFT JOIN learner_names n ON n.class_name = l.class_name AND n.identity_number = l.identity_number
ORDER BY l.seat_number, l.identity_number, l.handed_in_at)sql"_s,
                                   {className});
    if (!rows)
        return failed<R>(rows);
    R table{{u"座位号"_s, u"身份证号"_s, u"姓名"_s, u"套题"_s, u"开始时间"_s, u"交卷时间"_s, u"得分"_s,
             u"题数"_s, u"做对题数"_s, u"考试模式"_s}};
    table.reserve(rows->size() + 1);
    const auto local = [](const QString& seconds) {
        return timeOf(seconds).toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
    };
    for (const auto& row : rows.value())
        table.push_back({row[0], row[1], row[2], setTitle(row[3]), local(row[4]), local(row[5]),
                         QString::number(row[6].toDouble(), 'g', 15), row[7], row[8],
                         row[9] == u"t"_s ? u"是"_s : u"否"_s});
    return table;
}

QByteArray csvBytes(const std::vector<QStringList>& rows)
{
    QByteArray out("\xEF\xBB\xBF");
    for (const QStringList& row : rows) {
        QStringList fields;
        for (QString field : row) {
            // A leading = + - @ would run as a formula in the spreadsheet.
            if (!field.isEmpty() && QStringView(u"=+-@").contains(field.front()))
                field.prepend(u'\'');
            if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
                field.contains(u'\r'))
                field = u'"' + field.replace(u"\""_s, u"\"\""_s) + u'"';
            fields << field;
        }
        out += fields.join(u',').toUtf8() + "\r\n";
    }
    return out;
}

Status writeCsvFile(const QString& path, const std::vector<QStringList>& rows)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(u"无法写入文件“%1”"_s.arg(path));
    const QByteArray bytes = csvBytes(rows);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(u"无法写入文件“%1”，磁盘可能已满"_s.arg(path));
    return {};
}

} // namespace pptdrill
