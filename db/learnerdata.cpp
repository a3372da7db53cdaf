#include "db/learnerdata.h"

#include "db/database.h"

#include <QHash>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// ID → stored 题干 of the flagged rows of `stk`.
Result<QHash<qint64, QByteArray>> flaggedQuestions(sqlite3* db)
{
    using R = Result<QHash<qint64, QByteArray>>;
    QHash<qint64, QByteArray> flagged;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT ID, 题干 FROM stk WHERE 错题 <> 0", -1, &st, nullptr) != SQLITE_OK)
        return R::failure(QString::fromUtf8(sqlite3_errmsg(db)), sqlite3_extended_errcode(db));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const auto* stem = static_cast<const char*>(sqlite3_column_blob(st, 1));
        flagged.insert(sqlite3_column_int64(st, 0), QByteArray(stem, sqlite3_column_bytes(st, 1)));
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return R::failure(QString::fromUtf8(sqlite3_errmsg(db)), sqlite3_extended_errcode(db));
    return flagged;
}

} // namespace

Status carryLearnerData(const std::shared_ptr<Connection>& from, const std::shared_ptr<Connection>& to)
{
    if (!from || !from->isOpen() || !to || !to->isOpen())
        return Status::failure(u"数据库连接已关闭"_s);
    auto flagged = flaggedQuestions(from->handle());
    if (!flagged)
        return Status::failure(flagged.error(), flagged.code());

    sqlite3* db = to->handle();
    if (Status s = to->executeScript(u"BEGIN IMMEDIATE"_s); !s)
        return s;
    sqlite3_stmt* st = nullptr;
    // The flag is written as the hand-in writes it; a row whose stem differs is not touched.
    if (sqlite3_prepare_v2(db, "UPDATE stk SET 错题 = 1 WHERE ID = ?1 AND 题干 = ?2", -1, &st, nullptr) !=
        SQLITE_OK) {
        const Status failed = Status::failure(to->lastError(), sqlite3_extended_errcode(db));
        to->executeScript(u"ROLLBACK"_s);
        return failed;
    }
    Status result;
    for (auto it = flagged->cbegin(); it != flagged->cend() && result; ++it) {
        sqlite3_bind_int64(st, 1, it.key());
        sqlite3_bind_text(st, 2, it.value().constData(), int(it.value().size()), SQLITE_TRANSIENT);
        if (sqlite3_step(st) != SQLITE_DONE)
            result = Status::failure(to->lastError(), sqlite3_extended_errcode(db));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    if (!result) {
        to->executeScript(u"ROLLBACK"_s);
        return result;
    }
    if (Status committed = to->executeScript(u"COMMIT"_s); !committed) {
        to->executeScript(u"ROLLBACK"_s);
        return committed;
    }
    return {};
}

} // namespace pptdrill
