#include "paper/results.h"

#include "db/database.h"
#include "db/statements.h"
#include "paper/paperbuilder.h"
#include "shell/programstate.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

constexpr int maxPaperSize = 40;

// Writes the flag into the question's bank row; a question whose bank row is
// gone leaves the bank as it is.
Status flagBankRow(const QVariant& stkid, bool right)
{
    if (stkid.isNull())
        return {};
    auto bankRow = Recordset::open(dbconn, sql::SelectBankRowWhere, QVariant(stkid.toLongLong()));
    if (!bankRow)
        return Status::failure(bankRow.error());
    if (bankRow->recordCount() > 0) {
        if (Status s = bankRow->setField(u"错题"_s, right ? 0 : 1); !s)
            return s;
        if (Status s = bankRow->update(); !s)
            return s;
    }
    bankRow->close();
    return {};
}

Result<PaperResults> walkPaper()
{
    PaperResults results;
    workrs->moveFirst();
    while (!workrs->eof()) {
        const Result<QVariant> points = workrs->field(u"得分"_s);
        if (!points)
            return Result<PaperResults>::failure(points.error());
        const double value = points->toDouble();
        results.score += value;
        const bool right = value == pointsPerRightQuestion;
        const Result<QVariant> stkid = workrs->field(u"stkid"_s);
        if (!stkid)
            return Result<PaperResults>::failure(stkid.error());
        if (Status s = flagBankRow(stkid.value(), right); !s)
            return Result<PaperResults>::failure(s.error());
        results.right.push_back(right);
        workrs->moveNext();
    }
    return results;
}

} // namespace

Result<PaperResults> scorePaper()
{
    if (!dbconn || !dbconn->isOpen()) {
        if (Status opened = openDatabase(); !opened)
            return Result<PaperResults>::failure(opened.error());
    }
    workrs.reset();
    auto paper = Recordset::open(dbconn, sql::SelectPaper);
    if (!paper)
        return Result<PaperResults>::failure(paper.error());
    workrs = std::move(paper.value());
    // One transaction for all the flags: one write to the file instead of forty.
    if (Status begun = dbconn->executeScript(u"BEGIN IMMEDIATE"_s); !begun) {
        workrs->close();
        return Result<PaperResults>::failure(begun.error());
    }
    Result<PaperResults> results = walkPaper();
    workrs->close();
    if (!results) {
        dbconn->executeScript(u"ROLLBACK"_s);
        return results;
    }
    if (Status committed = dbconn->executeScript(u"COMMIT"_s); !committed) {
        dbconn->executeScript(u"ROLLBACK"_s);
        return Result<PaperResults>::failure(committed.error());
    }
    return results;
}

QString numberText(double value)
{
    const QString digits = QString::number(value, 'g', 15);
    return value < 0 ? digits : u' ' + digits;
}

Status removeStagedMovies()
{
    for (int n = 1; n <= maxPaperSize; ++n) {
        const QString path = movieFilePathOf(n);
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        // Removing a name needs only the folder's write permission, so a
        // read-only movie goes as well.
        QFile file(path);
        if (!file.remove())
            return Status::failure(u"无法删除文件“%1”：%2"_s.arg(path, file.errorString()));
    }
    return {};
}

} // namespace pptdrill
