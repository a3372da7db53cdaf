#include "paper/results.h"

#include "classroom/deliveryqueue.h"
#include "db/database.h"
#include "db/statements.h"
#include "paper/examsession.h"
#include "paper/paperbuilder.h"
#include "paper/practicehistory.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// Writes the flag into the question's bank row; a question whose bank row is
// gone leaves the bank as it is.
Status flagBankRow(const std::shared_ptr<Connection>& connection, const QVariant& stkid, bool right)
{
    if (stkid.isNull())
        return {};
    auto bankRow = Recordset::open(connection, sql::SelectBankRowWhere, QVariant(stkid.toLongLong()));
    if (!bankRow)
        return Status::failure(bankRow.error(), bankRow.code());
    if (bankRow->recordCount() > 0) {
        if (Status s = bankRow->setField(u"错题"_s, right ? 0 : 1); !s)
            return s;
        if (Status s = bankRow->update(); !s)
            return s;
    }
    bankRow->close();
    return {};
}

Result<PaperResults> walkPaper(const std::shared_ptr<Connection>& connection, Recordset& paper,
                               std::vector<qint64>& stkids)
{
    PaperResults results;
    paper.moveFirst();
    while (!paper.eof()) {
        const Result<QVariant> points = paper.field(u"得分"_s);
        if (!points)
            return Result<PaperResults>::failure(points.error(), points.code());
        const double value = points->toDouble();
        results.score += value;
        const bool right = value == exam::pointsPerRightQuestion;
        const Result<QVariant> stkid = paper.field(u"stkid"_s);
        if (!stkid)
            return Result<PaperResults>::failure(stkid.error(), stkid.code());
        if (Status s = flagBankRow(connection, stkid.value(), right); !s)
            return Result<PaperResults>::failure(s.error(), s.code());
        results.right.push_back(right);
        stkids.push_back(stkid->isNull() ? 0 : stkid->toLongLong());
        paper.moveNext();
    }
    return results;
}

Result<qint64> recordHandIn(Connection& connection, const ExamSession& session, const PaperResults& results,
                            const std::vector<qint64>& stkids)
{
    Attempt attempt;
    attempt.id = session.historyRecordId;
    attempt.setName = session.choice.setName;
    attempt.startedAt =
        session.paperStartedAt().isValid() ? session.paperStartedAt() : QDateTime::currentDateTimeUtc();
    attempt.handedInAt = QDateTime::currentDateTimeUtc();
    attempt.score = results.score;
    attempt.questionCount = static_cast<int>(results.right.size());
    attempt.rightCount = static_cast<int>(std::count(results.right.begin(), results.right.end(), true));
    attempt.examMode = session.candidate.examMode;
    std::vector<AttemptQuestion> questions;
    for (size_t i = 0; i < results.right.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        AttemptQuestion question{
            position, stkids[i], QString(), results.right[i], results.demonstrations[i], results.hints[i]};
        question.opened = session.mark(position) != QuestionMark::NotVisited;
        questions.push_back(std::move(question));
    }
    return writeAttempt(connection, std::move(attempt), std::move(questions));
}

} // namespace

Result<PaperResults> scorePaper(ExamSession* session)
{
    auto opened = openDatabase();
    if (!opened)
        return Result<PaperResults>::failure(opened.error(), opened.code());
    const std::shared_ptr<Connection> connection = opened.value();
    auto paper = Recordset::open(connection, sql::SelectPaper);
    if (!paper) {
        connection->close();
        return Result<PaperResults>::failure(paper.error(), paper.code());
    }
    // One transaction for all the flags: one write to the file instead of forty.
    if (Status begun = connection->executeScript(u"BEGIN IMMEDIATE"_s); !begun) {
        connection->close();
        return Result<PaperResults>::failure(begun.error(), begun.code());
    }
    std::vector<qint64> stkids;
    Result<PaperResults> results = walkPaper(connection, paper.value(), stkids);
    paper->close();
    if (results) {
        for (size_t i = 0; i < results->right.size(); ++i) {
            const int position = static_cast<int>(i) + 1;
            results->demonstrations.push_back(session && session->hadDemonstration(position));
            results->hints.push_back(session && session->hadHint(position));
        }
        results->firstScore = results->score;
    }
    const bool handedInBefore = session && session->historyRecordId != 0;
    if (results && session) {
        const Result<qint64> recorded = recordHandIn(*connection, *session, results.value(), stkids);
        if (recorded) {
            results->historyRecordId = recorded.value();
            if (handedInBefore) {
                const auto first =
                    connection->select(u"SELECT 得分 FROM 练习记录 WHERE 记录ID = ?"_s, {recorded.value()});
                if (first && !first->empty()) {
                    results->corrected = true;
                    results->firstScore = first->front().front().toDouble();
                }
            }
        } else
            results = Result<PaperResults>::failure(recorded.error(), recorded.code());
    }
    if (results && session && !session->className.isEmpty()) {
        const LearnerIdentity learner{session->className, session->candidate.seatNumber,
                                      session->candidate.identityNumber};
        if (Status queued = queueAttempt(*connection, results->historyRecordId, learner); !queued)
            results = Result<PaperResults>::failure(queued.error(), queued.code());
    }
    if (!results) {
        connection->executeScript(u"ROLLBACK"_s);
    } else if (Status committed = connection->executeScript(u"COMMIT"_s); !committed) {
        connection->executeScript(u"ROLLBACK"_s);
        results = Result<PaperResults>::failure(committed.error(), committed.code());
    }
    connection->close();
    if (results && session)
        session->historyRecordId = results->historyRecordId;
    return results;
}

QString numberText(double value)
{
    const QString digits = QString::number(value, 'g', 15);
    return value < 0 ? digits : u' ' + digits;
}

Status removeStagedMovies()
{
    for (int n = 1; n <= exam::maxQuestions; ++n) {
        if (Status removed = removeStagedMovie(movieFilePathOf(n)); !removed)
            return removed;
    }
    return removeReviewMovies();
}

} // namespace pptdrill
