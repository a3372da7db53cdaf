#include "paper/paperprogress.h"

#include "db/database.h"
#include "db/statements.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QString kCreateTable = uR"sql(
CREATE TABLE IF NOT EXISTS 试卷进度 (
    ID INTEGER PRIMARY KEY CHECK (ID = 1),
    setname TEXT NOT NULL,
    随机 INTEGER NOT NULL DEFAULT 0,
    座号 TEXT,
    身份证号 TEXT,
    课程名 TEXT,
    考试模式 INTEGER NOT NULL DEFAULT 0,
    试题 TEXT NOT NULL,
    剩余秒数 INTEGER NOT NULL,
    当前题 INTEGER NOT NULL DEFAULT 1,
    开始时间 TEXT,
    记录ID INTEGER NOT NULL DEFAULT 0,
    标记 TEXT,
    看过演示 TEXT,
    看过提示 TEXT
))sql"_s;

// One digit a question.
QString digitsOf(const std::vector<QuestionMark>& marks)
{
    QString text;
    for (QuestionMark mark : marks)
        text += QChar(u'0' + static_cast<int>(mark));
    return text;
}

QString digitsOf(const std::vector<bool>& flags)
{
    QString text;
    for (bool flag : flags)
        text += flag ? u'1' : u'0';
    return text;
}

std::vector<bool> flagsOf(const QString& digits, int count)
{
    std::vector<bool> flags(static_cast<size_t>(count), false);
    for (int i = 0; i < count && i < digits.size(); ++i)
        flags[static_cast<size_t>(i)] = digits.at(i) == u'1';
    return flags;
}

std::vector<QuestionMark> marksOf(const QString& digits, int count)
{
    std::vector<QuestionMark> marks(static_cast<size_t>(count), QuestionMark::NotVisited);
    for (int i = 0; i < count && i < digits.size(); ++i) {
        if (digits.at(i) == u'1')
            marks[static_cast<size_t>(i)] = QuestionMark::Visited;
        else if (digits.at(i) == u'2')
            marks[static_cast<size_t>(i)] = QuestionMark::Marked;
    }
    return marks;
}

QString stidText(const QList<qint64>& stids)
{
    QStringList parts;
    for (qint64 stid : stids)
        parts << QString::number(stid);
    return parts.join(u',');
}

QList<qint64> stidsOf(const QString& text)
{
    QList<qint64> stids;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 stid = part.toLongLong(&ok);
        if (!ok)
            return {};
        stids << stid;
    }
    return stids;
}

} // namespace

PaperProgress progressOf(const ExamSession& session, const QList<qint64>& stids, int current)
{
    PaperProgress progress;
    progress.choice = session.choice;
    progress.candidate = session.candidate;
    progress.stids = stids;
    progress.remainingSeconds = session.remainingSeconds();
    progress.currentQuestion = current;
    progress.startedAt = session.paperStartedAt();
    progress.historyRecordId = session.historyRecordId;
    const int count = session.questionCount();
    for (int n = 1; n <= count; ++n) {
        progress.marks.push_back(session.mark(n));
        progress.demonstrations.push_back(session.hadDemonstration(n));
        progress.hints.push_back(session.hadHint(n));
    }
    return progress;
}

void restoreProgress(ExamSession& session, const PaperProgress& progress)
{
    session.choice = progress.choice;
    session.candidate = progress.candidate;
    session.restorePaper(progress.marks, progress.demonstrations, progress.hints, progress.remainingSeconds,
                         progress.startedAt);
    session.historyRecordId = progress.historyRecordId;
}

Status saveProgress(Connection& connection, const PaperProgress& p)
{
    if (Status made = connection.executeScript(kCreateTable); !made)
        return made;
    return connection.run(
        u"INSERT OR REPLACE INTO 试卷进度 (ID, setname, 随机, 座号, 身份证号, 课程名, 考试模式, 试题, "
        u"剩余秒数, "
        u"当前题, 开始时间, 记录ID, 标记, 看过演示, 看过提示) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
        {p.choice.setName, p.choice.isRandom() ? 1 : 0, p.candidate.seatNumber, p.candidate.identityNumber,
         p.candidate.courseTitle, p.candidate.examMode ? 1 : 0, stidText(p.stids), p.remainingSeconds,
         p.currentQuestion, p.startedAt.toString(Qt::ISODate), p.historyRecordId, digitsOf(p.marks),
         digitsOf(p.demonstrations), digitsOf(p.hints)});
}

Result<QList<qint64>> paperStids(Connection& connection)
{
    const auto rows = connection.select(u"SELECT stid FROM st ORDER BY stid"_s);
    if (!rows)
        return Result<QList<qint64>>::failure(rows.error(), rows.code());
    QList<qint64> stids;
    for (const Connection::Row& row : rows.value())
        stids << row.front().toLongLong();
    return stids;
}

Result<std::optional<PaperProgress>> unfinishedPaper(Connection& connection)
{
    using Found = Result<std::optional<PaperProgress>>;
    if (!connection.hasTable(u"试卷进度"_s))
        return Found(std::nullopt);
    const auto rows =
        connection.select(u"SELECT setname, 随机, 座号, 身份证号, 课程名, 考试模式, 试题, 剩余秒数, "
                          u"当前题, 开始时间, 记录ID, 标记, 看过演示, 看过提示 FROM 试卷进度"_s);
    if (!rows)
        return Found::failure(rows.error(), rows.code());
    if (rows->empty())
        return Found(std::nullopt);
    const Connection::Row& r = rows->front();
    PaperProgress p;
    p.choice = practiceChoiceNamed(r[0].toString());
    p.candidate = {r[2].toString(), r[3].toString(), r[4].toString(), r[5].toInt() != 0};
    p.stids = stidsOf(r[6].toString());
    p.remainingSeconds = r[7].toInt();
    p.startedAt = QDateTime::fromString(r[9].toString(), Qt::ISODate);
    p.historyRecordId = r[10].toLongLong();
    const int count = static_cast<int>(p.stids.size());
    p.currentQuestion = std::clamp(r[8].toInt(), 1, std::max(count, 1));
    p.marks = marksOf(r[11].toString(), count);
    p.demonstrations = flagsOf(r[12].toString(), count);
    p.hints = flagsOf(r[13].toString(), count);

    const auto current = paperStids(connection);
    if (!current)
        return Found::failure(current.error(), current.code());
    // Progress of another paper (the table emptied and built again since), of a
    // paper whose time ran out, or of one already handed in (and looked over
    // after 返回检查) has nothing to take up.
    if (p.stids.isEmpty() || current.value() != p.stids || p.remainingSeconds <= 0 ||
        p.choice.setName.isEmpty() || p.historyRecordId > 0)
        return Found(std::nullopt);
    return Found(std::move(p));
}

Status discardProgress(Connection& connection, bool emptyPaper)
{
    if (connection.hasTable(u"试卷进度"_s)) {
        if (Status s = connection.run(u"DELETE FROM 试卷进度"_s); !s)
            return s;
    }
    return emptyPaper ? connection.execute(sql::DeletePaper) : Status();
}

} // namespace pptdrill
