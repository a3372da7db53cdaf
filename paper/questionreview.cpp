#include "paper/questionreview.h"

#include "cipher/textfields.h"
#include "db/database.h"
#include "paper/examsession.h"
#include "paper/practicehistory.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QString topicOf(Connection& connection, qint64 stkid)
{
    const auto rows = connection.select(u"SELECT 考点 FROM 试题考点 WHERE ID = ?"_s, {stkid});
    return rows && !rows->empty() ? rows->front()[0].toString().trimmed() : QString();
}

// A stem as stored: enciphered; one that does not decipher is shown as nothing
// rather than as its ciphertext.
QString storedStem(const QVariant& value)
{
    const QString stored = value.toString().trimmed();
    if (stored.isEmpty())
        return {};
    return textBeforeZeroFill(decryptHexText(stored)).trimmed();
}

} // namespace

Result<QuestionReview> readPaperQuestionReview(const ExamSession& session, int position)
{
    using R = Result<QuestionReview>;
    if (position < 1)
        return R::failure(u"试卷中没有第 %1 题"_s.arg(position));
    auto connection = openDatabase();
    if (!connection)
        return R::failure(connection.error(), connection.code());
    Connection& db = *connection.value();
    const auto rows = db.select(
        u"SELECT stid, stkid, 题干, 得分, 解析 FROM st ORDER BY stid LIMIT 1 OFFSET ?"_s, {position - 1});
    if (!rows) {
        db.close();
        return R::failure(rows.error(), rows.code());
    }
    if (rows->empty()) {
        db.close();
        return R::failure(u"试卷中没有第 %1 题"_s.arg(position));
    }
    const Connection::Row& row = rows->front();
    QuestionReview review;
    review.position = position;
    review.stid = row[0].toString().trimmed();
    review.stkid = row[1].toLongLong();
    review.stem = storedStem(row[2]);
    review.right = row[3].toDouble() == exam::pointsPerRightQuestion;
    review.explanation = row[4].toString().trimmed();
    review.demonstration = session.hadDemonstration(position);
    review.hint = session.hadHint(position);
    review.topic = topicOf(db, review.stkid);
    db.close();
    return review;
}

Result<QuestionReview> readHistoryQuestionReview(const AttemptQuestion& question)
{
    using R = Result<QuestionReview>;
    QuestionReview review;
    review.position = question.position;
    review.stkid = question.stkid;
    review.right = question.right;
    review.demonstration = question.demonstration;
    review.hint = question.hint;
    review.topic = question.topic;
    auto connection = openDatabase();
    if (!connection)
        return R::failure(connection.error(), connection.code());
    Connection& db = *connection.value();
    const auto rows = db.select(u"SELECT 题干, 解析 FROM stk WHERE ID = ?"_s, {question.stkid});
    if (!rows) {
        db.close();
        return R::failure(rows.error(), rows.code());
    }
    if (rows->empty()) {
        review.inBank = false;
    } else {
        review.stem = storedStem(rows->front()[0]);
        review.explanation = rows->front()[1].toString().trimmed();
        if (review.topic.isEmpty())
            review.topic = topicOf(db, question.stkid);
    }
    db.close();
    return review;
}

} // namespace pptdrill
