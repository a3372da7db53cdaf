#include "paper/practicehistory.h"

#include "bank/banksource.h"
#include "db/database.h"
#include "db/schema.h"

#include <QRegularExpression>
#include <algorithm>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QString timeText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODate);
}

// Two to four digits of `text` from `at` as a number, -1 where one is no digit.
int digitsAt(QStringView text, qsizetype at, qsizetype count)
{
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

QDateTime timeOf(const QVariant& value)
{
    // The history writes "yyyy-MM-ddTHH:mm:ssZ"; read at once, as thousands
    // of attempts are read every time the history opens.
    const QString text = value.toString();
    if (text.size() == 20 && text[4] == u'-' && text[7] == u'-' && text[10] == u'T' && text[13] == u':' &&
        text[16] == u':' && text[19] == u'Z') {
        const QDate date(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
        const QTime time(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
        if (date.isValid() && time.isValid())
            return QDateTime(date, time, Qt::UTC);
    }
    QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    return time.isValid() ? time.toUTC() : time;
}

// 0 for "第N套题" outside 1 … 12 or another name.
int setNumber(const QString& setName)
{
    static const QRegularExpression numbered(u"^第(\\d+)套题$"_s);
    const QRegularExpressionMatch m = numbered.match(setName);
    const int n = m.hasMatch() ? m.captured(1).toInt() : 0;
    return n >= 1 && n <= 12 ? n : 0;
}

} // namespace

QString weakPointPracticeName()
{
    return u"薄弱考点练习"_s;
}

Result<qint64> writeAttempt(Connection& connection, Attempt attempt, std::vector<AttemptQuestion> questions)
{
    using R = Result<qint64>;
    if (Status s = ensureLearnerTables(connection); !s)
        return R::failure(s.error(), s.code());
    if (attempt.id != 0) {
        const auto known = connection.select(u"SELECT 1 FROM 练习记录 WHERE 记录ID = ?"_s, {attempt.id});
        if (!known)
            return R::failure(known.error(), known.code());
        if (!known->empty()) {
            if (Status s = connection.run(
                    u"INSERT OR REPLACE INTO 练习订正 (记录ID, 交卷时间, 得分, 做对题数) "
                    u"VALUES (?, ?, ?, ?)"_s,
                    {attempt.id, timeText(attempt.handedInAt), attempt.score, attempt.rightCount});
                !s)
                return R::failure(s.error(), s.code());
            return attempt.id;
        }
    }
    const QVariantList values{
        attempt.setName,       timeText(attempt.startedAt), timeText(attempt.handedInAt), attempt.score,
        attempt.questionCount, attempt.rightCount,          attempt.examMode ? 1 : 0};
    if (attempt.id == 0) {
        if (Status s =
                connection.run(u"INSERT INTO 练习记录 (setname, 开始时间, 交卷时间, 得分, 题数, 做对题数, "
                               u"考试模式) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                               values);
            !s)
            return R::failure(s.error(), s.code());
        attempt.id = connection.lastInsertId();
    } else {
        QVariantList withId = values;
        withId.prepend(attempt.id);
        if (Status s = connection.run(u"INSERT INTO 练习记录 (记录ID, setname, 开始时间, 交卷时间, 得分, "
                                      u"题数, 做对题数, 考试模式) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                                      withId);
            !s)
            return R::failure(s.error(), s.code());
        if (Status s = connection.run(u"DELETE FROM 练习记录明细 WHERE 记录ID = ?"_s, {attempt.id}); !s)
            return R::failure(s.error(), s.code());
    }

    std::vector<QVariantList> rows;
    rows.reserve(questions.size());
    for (AttemptQuestion& q : questions) {
        if (q.topic.isEmpty() && q.stkid != 0) {
            const auto topic = connection.select(u"SELECT 考点 FROM 试题考点 WHERE ID = ?"_s, {q.stkid});
            if (!topic)
                return R::failure(topic.error(), topic.code());
            if (!topic->empty())
                q.topic = topic->front().front().toString();
        }
        rows.push_back({attempt.id, q.position, q.stkid == 0 ? QVariant() : QVariant(q.stkid),
                        q.topic.isEmpty() ? QVariant() : QVariant(q.topic), q.right ? 1 : 0,
                        q.demonstration ? 1 : 0, q.hint ? 1 : 0, q.opened ? 1 : 0});
    }
    if (Status s = connection.runForEach(
            u"INSERT INTO 练习记录明细 (记录ID, 题号, stkid, 考点, 做对, 看过演示, 看过提示, 打开过) "
            u"VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
            rows);
        !s)
        return R::failure(s.error(), s.code());
    return attempt.id;
}

Status clearPracticeHistory(Connection& connection)
{
    if (Status begun = connection.executeScript(u"BEGIN IMMEDIATE"_s); !begun)
        return begun;
    Status s = ensureLearnerTables(connection);
    for (const QString& statement :
         {u"DELETE FROM 练习记录明细"_s, u"DELETE FROM 练习订正"_s, u"DELETE FROM 练习记录"_s,
          u"UPDATE stk SET 错题 = 0 WHERE 错题 <> 0"_s}) {
        if (s)
            s = connection.run(statement);
    }
    if (s)
        s = connection.executeScript(u"COMMIT"_s);
    if (!s)
        connection.executeScript(u"ROLLBACK"_s);
    return s;
}

namespace {

Result<std::vector<Attempt>> selectAttempts(Connection& connection, const QString& where, QVariantList values)
{
    using R = Result<std::vector<Attempt>>;
    values.prepend(kLongestSetName);
    const auto rows = connection.select(
        u"SELECT r.记录ID, substr(r.setname, 1, ?), r.开始时间, r.交卷时间, r.得分, r.题数, r.做对题数, "
        u"r.考试模式, c.交卷时间, c.得分, c.做对题数 FROM 练习记录 r LEFT JOIN 练习订正 c ON c.记录ID = "
        u"r.记录ID "
        u"%1 ORDER BY r.交卷时间, r.记录ID"_s.arg(where),
        values);
    if (!rows)
        return R::failure(rows.error(), rows.code());
    std::vector<Attempt> attempts;
    attempts.reserve(rows->size());
    for (const Connection::Row& row : rows.value()) {
        Attempt a;
        a.id = row[0].toLongLong();
        a.setName = row[1].toString();
        a.startedAt = timeOf(row[2]);
        a.handedInAt = timeOf(row[3]);
        a.score = row[4].toDouble();
        a.questionCount = row[5].toInt();
        a.rightCount = row[6].toInt();
        a.examMode = row[7].toLongLong() != 0;
        a.corrected = !row[8].isNull();
        if (a.corrected) {
            a.correctedAt = timeOf(row[8]);
            a.correctedScore = row[9].toDouble();
            a.correctedRightCount = row[10].toInt();
        }
        attempts.push_back(std::move(a));
    }
    return attempts;
}

} // namespace

Result<std::vector<Attempt>> readAttempts(Connection& connection)
{
    return selectAttempts(connection, QString(), {});
}

Result<std::optional<Attempt>> readAttempt(Connection& connection, qint64 attemptId)
{
    using R = Result<std::optional<Attempt>>;
    auto attempts = selectAttempts(connection, u"WHERE r.记录ID = ?"_s, {attemptId});
    if (!attempts)
        return R::failure(attempts.error(), attempts.code());
    if (attempts->empty())
        return std::optional<Attempt>();
    return std::optional<Attempt>(std::move(attempts->front()));
}

Result<std::vector<AttemptQuestion>> readAttemptQuestions(Connection& connection, qint64 attemptId)
{
    using R = Result<std::vector<AttemptQuestion>>;
    const auto rows =
        connection.select(u"SELECT 题号, stkid, 考点, 做对, 看过演示, 看过提示, 打开过 FROM 练习记录明细 "
                          u"WHERE 记录ID = ? ORDER BY 题号"_s,
                          {attemptId});
    if (!rows)
        return R::failure(rows.error(), rows.code());
    std::vector<AttemptQuestion> questions;
    for (const Connection::Row& row : rows.value()) {
        AttemptQuestion q;
        q.position = row[0].toInt();
        q.stkid = row[1].toLongLong();
        q.topic = row[2].toString();
        q.right = row[3].toLongLong() != 0;
        q.demonstration = row[4].toLongLong() != 0;
        q.hint = row[5].toLongLong() != 0;
        q.opened = row[6].toLongLong() != 0;
        questions.push_back(std::move(q));
    }
    return questions;
}

std::vector<SetSummary> summarizeSets(const std::vector<Attempt>& attempts)
{
    std::map<QString, SetSummary> bySet;
    for (const Attempt& a : attempts) {
        SetSummary& s = bySet[a.setName];
        s.setName = a.setName;
        s.bestScore = s.attempts == 0 ? a.score : std::max(s.bestScore, a.score);
        ++s.attempts;
        s.lastScore = a.score; // attempts come oldest first
    }
    std::vector<SetSummary> summaries;
    for (auto& [name, summary] : bySet)
        summaries.push_back(summary);
    // Sets by number, then the other practices by name.
    std::sort(summaries.begin(), summaries.end(), [](const SetSummary& a, const SetSummary& b) {
        const int na = setNumber(a.setName), nb = setNumber(b.setName);
        if ((na == 0) != (nb == 0))
            return na != 0;
        if (na != nb)
            return na < nb;
        return a.setName < b.setName;
    });
    return summaries;
}

const QStringList& setFamilies()
{
    static const QStringList families{u"套题"_s, u"冲刺题"_s, u"随机练习"_s, u"错题练习"_s,
                                      weakPointPracticeName()};
    return families;
}

QString setFamily(const QString& setName)
{
    const int n = setNumber(setName);
    if (n >= 10)
        return u"冲刺题"_s;
    if (n >= 1)
        return u"套题"_s;
    return setName;
}

QString setTitle(const QString& setName)
{
    const int n = setNumber(setName);
    return n >= 10 ? u"冲刺题%1"_s.arg(n - 9) : setName;
}

Result<std::vector<TopicShare>> readTopicShares(Connection& connection, int recentAttempts)
{
    using R = Result<std::vector<TopicShare>>;
    const auto rows = connection.select(
        u"SELECT 考点, COUNT(*), SUM(CASE WHEN 做对 <> 0 AND 看过演示 = 0 THEN 1 ELSE 0 END) FROM "
        u"练习记录明细 "
        u"WHERE 考点 IS NOT NULL AND 考点 <> '' AND 打开过 <> 0 AND 记录ID IN "
        u"(SELECT 记录ID FROM 练习记录 ORDER BY 交卷时间 DESC, 记录ID DESC LIMIT ?) GROUP BY 考点"_s,
        {recentAttempts});
    if (!rows)
        return R::failure(rows.error(), rows.code());
    std::vector<TopicShare> shares;
    for (const QString& topic : bankTopics())
        shares.push_back({topic, 0, 0});
    for (const Connection::Row& row : rows.value()) {
        const QString topic = row[0].toString();
        auto it =
            std::find_if(shares.begin(), shares.end(), [&](const TopicShare& s) { return s.topic == topic; });
        if (it == shares.end())
            it = shares.insert(shares.end(), TopicShare{topic, 0, 0});
        it->asked = row[1].toInt();
        it->mastered = row[2].toInt();
    }
    std::stable_sort(shares.begin(), shares.end(), [](const TopicShare& a, const TopicShare& b) {
        if (a.estimate() != b.estimate())
            return a.estimate() < b.estimate();
        return a.asked < b.asked;
    });
    return shares;
}

Result<std::vector<qint64>> chooseWeakPointQuestions(Connection& connection, int limit,
                                                     QRandomGenerator& random)
{
    using R = Result<std::vector<qint64>>;
    if (Status s = ensureLearnerTables(connection); !s)
        return R::failure(s.error(), s.code());
    auto shares = readTopicShares(connection, kRecentAttempts);
    if (!shares)
        return R::failure(shares.error(), shares.code());
    struct RankedTopic
    {
        TopicShare share;
        quint32 tieBreak;
    };
    std::vector<RankedTopic> topics;
    for (const TopicShare& share : shares.value())
        topics.push_back({share, random.generate()});
    std::sort(topics.begin(), topics.end(), [](const RankedTopic& a, const RankedTopic& b) {
        if (a.share.estimate() != b.share.estimate())
            return a.share.estimate() < b.share.estimate();
        if (a.share.asked != b.share.asked)
            return a.share.asked < b.share.asked;
        return a.tieBreak < b.tieBreak;
    });

    // Whether each question was mastered the last time it was asked.
    const auto outcomes = connection.select(
        u"SELECT stkid, 做对, 看过演示 FROM 练习记录明细 WHERE stkid IS NOT NULL AND 打开过 <> 0 "
        u"ORDER BY 记录ID, 题号"_s);
    if (!outcomes)
        return R::failure(outcomes.error(), outcomes.code());
    std::map<qint64, bool> lastMastered;
    for (const Connection::Row& row : outcomes.value())
        lastMastered[row[0].toLongLong()] = row[1].toLongLong() != 0 && row[2].toLongLong() == 0;

    const auto bank = connection.select(
        u"SELECT stk.ID, 试题考点.考点 FROM stk JOIN 试题考点 ON 试题考点.ID = stk.ID ORDER BY stk.ID"_s);
    if (!bank)
        return R::failure(bank.error(), bank.code());
    struct Candidate
    {
        qint64 id;
        int priority;
        quint32 tieBreak;
    };
    std::map<QString, std::vector<Candidate>> byTopic;
    for (const Connection::Row& row : bank.value()) {
        const qint64 id = row[0].toLongLong();
        const auto last = lastMastered.find(id);
        const int priority = last == lastMastered.end() ? 1 : (last->second ? 2 : 0);
        byTopic[row[1].toString()].push_back({id, priority, random.generate()});
    }

    std::vector<qint64> chosen;
    for (const RankedTopic& topic : topics) {
        if (static_cast<int>(chosen.size()) >= limit)
            break;
        std::vector<Candidate>& candidates = byTopic[topic.share.topic];
        std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            return a.priority != b.priority ? a.priority < b.priority : a.tieBreak < b.tieBreak;
        });
        for (const Candidate& c : candidates) {
            if (static_cast<int>(chosen.size()) >= limit)
                break;
            chosen.push_back(c.id);
        }
    }
    return chosen;
}

} // namespace pptdrill
