#include "db/salvage.h"

#include "db/database.h"
#include "db/schema.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <map>
#include <set>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The cipher's page: every file is a whole number of them.
constexpr qint64 kPageSize = 1024;

struct Column
{
    QString name;
    QString type;
    bool required = false; // NOT NULL without a default
};

std::vector<Column> columnsOf(sqlite3* db, const QString& table)
{
    std::vector<Column> columns;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = u"PRAGMA table_info(\"%1\")"_s.arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return columns;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const auto text = [&](int i) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
        };
        columns.push_back({text(1), text(2).toUpper(),
                           sqlite3_column_int(st, 3) != 0 && sqlite3_column_type(st, 4) == SQLITE_NULL &&
                               sqlite3_column_int(st, 5) == 0});
    }
    sqlite3_finalize(st);
    return columns;
}

QString quoted(const QString& name)
{
    QString text = name;
    text.replace(u'"', u"\"\""_s);
    return u'"' + text + u'"';
}

QVariant valueOf(sqlite3_stmt* st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                          sqlite3_column_bytes(st, i)));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i)));
    default:
        return QVariant();
    }
}

// The rows of `sql` up to the first that cannot be read, each keyed by its rowid (column 0).
void readRows(sqlite3* db, const QString& sql, std::map<qint64, QVariantList>& rows)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        return;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QVariantList values;
        const int count = sqlite3_column_count(st);
        for (int i = 1; i < count; ++i)
            values << valueOf(st, i);
        rows.emplace(sqlite3_column_int64(st, 0), std::move(values));
    }
    sqlite3_finalize(st);
}

// Copies what can be read of `table` into the same table of `to`; returns the
// rows kept and adds those lost to `skipped`.
int salvageTable(Connection& from, Connection& to, const QString& table, int& skipped)
{
    const std::vector<Column> source = columnsOf(from.handle(), table);
    if (source.empty())
        return 0;
    std::set<QString> present;
    for (const Column& c : source)
        present.insert(c.name);
    QStringList read;
    QStringList written;
    QStringList neutral; // what a required column the damaged table lacks gets
    for (const Column& c : columnsOf(to.handle(), table)) {
        // The bank's movies come from the new bank, not from a damaged file.
        if (c.type == u"BLOB"_s)
            continue;
        if (present.count(c.name)) {
            read << quoted(c.name);
            written << quoted(c.name);
        } else if (c.required) {
            written << quoted(c.name);
            neutral << (c.type.contains(u"INT"_s) || c.type == u"REAL"_s ? u"0"_s : u"''"_s);
        }
    }
    if (read.isEmpty())
        return 0;
    // From the front up to a damaged page, then from the back down to it.
    std::map<qint64, QVariantList> rows;
    const QString select =
        u"SELECT rowid, %1 FROM %2 ORDER BY rowid"_s.arg(read.join(u", "_s), quoted(table));
    readRows(from.handle(), select, rows);
    readRows(from.handle(), select + u" DESC"_s, rows);
    qint64 counted = -1;
    if (auto count = from.select(u"SELECT count(*) FROM %1"_s.arg(quoted(table))); count && !count->empty())
        counted = count->front().front().toLongLong();

    QStringList marks;
    for (qsizetype i = 0; i < read.size(); ++i)
        marks << u"?"_s;
    const QString insert = u"INSERT OR IGNORE INTO %1 (%2) VALUES (%3)"_s.arg(
        quoted(table), written.join(u", "_s), (marks + neutral).join(u", "_s));
    int kept = 0;
    for (const auto& [rowid, values] : rows) {
        if (to.run(insert, values) && to.changes() > 0)
            ++kept;
    }
    const qint64 there = std::max<qint64>(counted, static_cast<qint64>(rows.size()));
    skipped += static_cast<int>(there - kept);
    return kept;
}

Result<SalvagedRows> salvageFrom(const QString& source, const QString& target)
{
    using R = Result<SalvagedRows>;
    auto from = Connection::open(source, databasePassword());
    // A file cut short does not open at all: its first page counts more pages
    // than there are. Padded with empty pages, it opens, and only the rows on
    // the lost pages stay unread.
    const qint64 size = QFileInfo(source).size();
    const qint64 whole = (size + kPageSize - 1) / kPageSize * kPageSize;
    for (qint64 pages = 1;
         !from && (from.code() & 0xFF) == SQLITE_CORRUPT && pages * kPageSize <= 2 * whole + kPageSize;
         pages *= 2) {
        if (!QFile::resize(source, whole + pages * kPageSize))
            break;
        from = Connection::open(source, databasePassword());
    }
    if (!from)
        return R::failure(from.error(), from.code());
    QFile::remove(target);
    auto to = Connection::create(target, databasePassword());
    if (!to)
        return R::failure(to.error(), to.code());
    if (Status s = createSchema(*to.value()); !s)
        return R::failure(s.error(), s.code());
    SalvagedRows salvaged;
    if (Status s = to.value()->executeScript(u"BEGIN"_s); !s)
        return R::failure(s.error(), s.code());
    salvaged.bankRows = salvageTable(*from.value(), *to.value(), u"stk"_s, salvaged.skippedRows);
    salvaged.attempts = salvageTable(*from.value(), *to.value(), u"练习记录"_s, salvaged.skippedRows);
    salvaged.attemptQuestions =
        salvageTable(*from.value(), *to.value(), u"练习记录明细"_s, salvaged.skippedRows);
    salvageTable(*from.value(), *to.value(), u"练习订正"_s, salvaged.skippedRows);
    if (Status s = to.value()->executeScript(u"COMMIT"_s); !s)
        return R::failure(s.error(), s.code());
    return salvaged;
}

} // namespace

Result<SalvagedRows> salvageLearnerData(const QString& damaged, const QString& target)
{
    using R = Result<SalvagedRows>;
    // The damaged file stays exactly as it is: what is read comes from a copy,
    // where a journal left beside it may be rolled back.
    const QString source = target + u".source"_s;
    const auto removeSource = [&] {
        QFile::remove(source);
        QFile::remove(source + u"-journal"_s);
    };
    removeSource();
    if (!QFile::copy(damaged, source))
        return R::failure(u"无法复制“%1”。"_s.arg(damaged));
    QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner);
    if (QFile::exists(damaged + u"-journal"_s))
        QFile::copy(damaged + u"-journal"_s, source + u"-journal"_s);
    const Result<SalvagedRows> salvaged = salvageFrom(source, target);
    removeSource();
    return salvaged;
}

} // namespace pptdrill
