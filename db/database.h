#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

namespace pptdrill {

// The fixed password of "stdata.db", the same in every program.
QString databasePassword();
QString databaseFileName();

// An open connection to one password-protected database file.
class Connection
{
public:
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing file; a missing file or a wrong password is an error and
    // leaves the file as it was.
    static Result<std::shared_ptr<Connection>> open(const QString& filePath, const QString& password);
    // Creates a new, empty file protected by `password`.
    static Result<std::shared_ptr<Connection>> create(const QString& filePath, const QString& password);

    // Runs a statement; "delete * from X" is read as a delete of all rows of X.
    // `value`, when given, is bound to the value the text ends with.
    Status execute(const QString& statementText, const std::optional<QVariant>& value = std::nullopt);
    // Runs plain SQL (schema set-up, several statements).
    Status executeScript(const QString& sql);

    // SQL with `?` placeholders, bound to `values` in order: the rows a query
    // returns (null, qlonglong, double, QString or QByteArray per column).
    using Row = std::vector<QVariant>;
    Result<std::vector<Row>> select(const QString& sql, const QVariantList& values = {});
    // Runs one statement of SQL with `?` placeholders once per entry of `rows`.
    Status runForEach(const QString& sql, const std::vector<QVariantList>& rows);
    Status run(const QString& sql, const QVariantList& values = {});
    // The key of the row the last insert on this connection added.
    qint64 lastInsertId() const;
    // Whether the file holds a table of that name.
    bool hasTable(const QString& name);

    bool isOpen() const { return m_db != nullptr; }
    void close();
    const QString& filePath() const { return m_path; }
    sqlite3* handle() const { return m_db; }
    QString lastError() const;
    // The number of rows the last insert, update or delete on this connection changed.
    int changes() const;

private:
    Connection() = default;
    static Result<std::shared_ptr<Connection>> openWithFlags(const QString& filePath, const QString& password,
                                                             int flags);
    sqlite3* m_db = nullptr;
    QString m_path;
};

// Failures of the database layer carry the SQLite extended result code as
// their code(). This says what such a code means, in Chinese words for the
// learner: the disk is full, the file or its folder cannot be written, another
// program holds the lock, the file is missing or the password wrong, and so on.
QString databaseFailureReason(int code);

// The raw key given to the cipher for a password: a fixed derivation, so that an
// open costs a few milliseconds instead of a slow password stretch.
QByteArray rawKeyPragmaValue(const QString& password);
// The cipher's settings of every file of the system, for the database `schema`
// of a connection ("main", or an attached one), to run right after its key.
QString cipherSettingsScript(const QString& schema);

// A new connection on "stdata.db" in the program folder.
Result<std::shared_ptr<Connection>> openDatabase();
Result<std::shared_ptr<Connection>> openDatabase(const QString& programFolder);
// The path openDatabase reaches from a program folder (with or without a
// trailing separator): the working database, in the program folder where it may
// be written, else in the user's data folder (databaseFolder).
QString databasePathInFolder(const QString& programFolder);
// The bank the build or the package put in the program folder.
QString bankPathInFolder(const QString& programFolder);

// A client-side snapshot of the rows a select statement returned, with the
// cursor operations the system needs. Every value is as it was when the
// recordset was opened, except binary values (columns declared BLOB: the
// movies), which are read from the file when a row's field is first read, so
// that opening the whole bank stays quick.
class Recordset
{
public:
    // `source` is "select * from T" or "select*from T", optionally followed by
    // " where <condition>"; a source that ends in "=" takes `value` as its
    // bound right-hand side.
    static Result<Recordset> open(const std::shared_ptr<Connection>& connection, const QString& source,
                                  const std::optional<QVariant>& value = std::nullopt);

    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    int recordCount() const { return static_cast<int>(m_rows.size()); }
    // 1-based; 0 when the cursor is before the first or past the last row.
    int absolutePosition() const;
    // Moves to position 1..recordCount(); anything else is an error.
    Status setAbsolutePosition(int position);
    bool eof() const { return m_current >= m_rows.size(); }
    void moveFirst() { m_current = 0; }
    void moveNext();
    bool isOpen() const { return m_open; }
    void close();

    const QStringList& columnNames() const { return m_columns; }
    bool hasColumn(const QString& name) const { return m_columns.contains(name); }

    // The current row's value of `name`: null for SQL NULL, qlonglong, double,
    // QString or QByteArray.
    Result<QVariant> field(const QString& name);
    // Sets a value of the current (or new) row; written by update().
    Status setField(const QString& name, const QVariant& value);

    // Starts a new row at the end of the recordset; it becomes the current row.
    void addNew();
    // Writes the current row: inserts a new row (columns not set take their
    // defaults), or updates the columns set since the last write. Waits for a
    // write lock held by another process for a few seconds.
    Status update();

private:
    struct Row
    {
        qint64 rowid = 0;
        std::vector<QVariant> values; // by column; a long value stays unread until asked for
        std::vector<bool> loaded;     // false for an unread long value
        std::vector<bool> dirty;
        bool isNew = false;
    };

    Recordset() = default;
    int columnIndex(const QString& name) const;
    Status loadRow(Row& row);

    std::shared_ptr<Connection> m_connection;
    QString m_table;
    QStringList m_columns;
    std::vector<bool> m_isLong;
    std::vector<Row> m_rows;
    size_t m_current = 0;
    bool m_open = false;
};

} // namespace pptdrill
