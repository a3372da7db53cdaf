#pragma once

#include "classroom/deliveryqueue.h"
#include "db/database.h"
#include "paper/practicehistory.h"
#include "tests/support/testdb.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace pptdrill::test {

using namespace Qt::Literals::StringLiterals;

inline const QStringList& classTopics()
{
    static const QStringList topics{u"窗口与视图"_s, u"演示文稿"_s, u"幻灯片"_s, u"文本"_s, u"外观"_s,
                                    u"对象"_s,       u"动画"_s,     u"放映"_s,   u"打印"_s};
    return topics;
}

// A learner's PC: a database whose history holds `attempts` hand-ins of
// `questions` questions each, all queued for the class.
inline void makeLearnerPc(const QString& path, const QString& seat, const QString& identity, int attempts,
                          int questions = 40)
{
    auto conn = createTestDatabase(path);
    ASSERT_TRUE(conn);
    ASSERT_TRUE(conn->executeScript(u"BEGIN"_s).ok());
    std::vector<qint64> bank;
    for (int n = 1; n <= questions; ++n) {
        bank.push_back(addBankRow(*conn, u"第1套题"_s, n));
        ASSERT_TRUE(conn->run(u"INSERT INTO 试题考点 (ID, 考点) VALUES (?, ?)"_s,
                              {bank.back(), classTopics()[n % classTopics().size()]})
                        .ok());
    }
    const QDateTime start = QDateTime(QDate(2026, 3, 2), QTime(8, 0), QTimeZone::utc());
    for (int a = 0; a < attempts; ++a) {
        Attempt attempt;
        attempt.setName = u"第%1套题"_s.arg(a % 12 + 1);
        attempt.startedAt = start.addSecs(a * 3600);
        attempt.handedInAt = attempt.startedAt.addSecs(1800);
        std::vector<AttemptQuestion> asked;
        for (int q = 1; q <= questions; ++q) {
            const bool right = (q + a) % 3 != 0;
            asked.push_back({q, bank[q - 1], QString(), right, q % 7 == 0, q % 5 == 0});
            attempt.rightCount += right ? 1 : 0;
        }
        attempt.questionCount = questions;
        attempt.score = attempt.rightCount * 2.5;
        auto written = writeAttempt(*conn, attempt, asked);
        ASSERT_TRUE(written.ok()) << written.error().toStdString();
        ASSERT_TRUE(queueAttempt(*conn, written.value(), {u"测试班"_s, seat, identity}).ok());
    }
    ASSERT_TRUE(conn->executeScript(u"COMMIT"_s).ok());
    conn->close();
}

} // namespace pptdrill::test
