#include "db/database.h"

#include "platform/programfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <sqlite3.h>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString databasePassword()
{
    return u"áéíóúàèìòù"_s;
}

QString databaseFileName()
{
    return u"stdata.db"_s;
}

QByteArray rawKeyPragmaValue(const QString& password)
{
    const QByteArray digest = QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha256);
    return "x'" + digest.toHex() + "'";
}

QString cipherSettingsScript(const QString& schema)
{
    // Every file so far was written with these (the library's defaults when
    // the system began). Named here, a library whose defaults have moved on
    // still reads them; a library that does not know a setting ignores it.
    QString script;
    for (const char* setting :
         {"cipher_page_size = 1024", "kdf_iter = 64000", "fast_kdf_iter = 2", "cipher_use_hmac = ON",
          "cipher_hmac_algorithm = HMAC_SHA1", "cipher_kdf_algorithm = PBKDF2_HMAC_SHA1",
          "cipher_plaintext_header_size = 0"})
        script += u"PRAGMA %1.%2;"_s.arg(schema, QLatin1StringView(setting));
    return script;
}

namespace {

constexpr int kBusyTimeoutMs = 5000;

QString sqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : u"out of memory"_s;
}

// The extended result code of the connection's last failed call. A disk that
// ran full (or out of quota) counts as full also where SQLite calls it an I/O error.
int sqliteCode(sqlite3* db)
{
    if (!db)
        return SQLITE_NOMEM;
    const int code = sqlite3_extended_errcode(db);
    const int osError = sqlite3_system_errno(db);
    if ((code & 0xFF) == SQLITE_IOERR && (osError == ENOSPC || osError == EDQUOT))
        return SQLITE_FULL;
    return code;
}

// The connection's last failure as a result: SQLite's message and code.
template <typename R = Status> R sqliteFailure(sqlite3* db)
{
    return R::failure(sqliteMessage(db), sqliteCode(db));
}

// One prepared statement, finalized when it goes out of scope.
class Statement
{
public:
    Statement(sqlite3* db, const QString& sql)
    {
        const QByteArray text = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return m_rc == SQLITE_OK && m_stmt; }
    sqlite3_stmt* get() const { return m_stmt; }

    bool bind(int index, const QVariant& value)
    {
        int rc;
        if (!value.isValid() || value.isNull()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else {
            switch (value.typeId()) {
            case QMetaType::QByteArray: {
                const QByteArray bytes = value.toByteArray();
                rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(),
                                         static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::Bool:
                // Yes/no values are stored the way the system reads booleans: true = -1.
                rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? -1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                break;
            default: {
                const QByteArray text = value.toString().toUtf8();
                rc = sqlite3_bind_text64(m_stmt, index, text.constData(),
                                         static_cast<sqlite3_uint64>(text.size()), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
                break;
            }
            }
        }
        return rc == SQLITE_OK;
    }

    QVariant column(int index) const
    {
        switch (sqlite3_column_type(m_stmt, index)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qlonglong>(sqlite3_column_int64(m_stmt, index)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, index));
        case SQLITE_TEXT:
            return QVariant(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index)),
                                  sqlite3_column_bytes(m_stmt, index)));
        case SQLITE_BLOB: {
            const void* data = sqlite3_column_blob(m_stmt, index);
            return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(m_stmt, index)));
        }
        default:
            return QVariant();
        }
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_ERROR;
};

Status runSimple(sqlite3* db, const QString& sql, const std::optional<QVariant>& value = std::nullopt)
{
    Statement st(db, sql);
    if (!st.prepared())
        return sqliteFailure(db);
    if (value && !st.bind(1, *value))
        return sqliteFailure(db);
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        return sqliteFailure(db);
    return {};
}

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

// A statement text that ends in "=" takes the value as a bound parameter.
QString withPlaceholder(const QString& text, const std::optional<QVariant>& value)
{
    if (!value)
        return text;
    return text.trimmed() + u'?';
}

} // namespace

Connection::~Connection()
{
    close();
}

void Connection::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

QString Connection::lastError() const
{
    return sqliteMessage(m_db);
}

int Connection::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

Result<std::shared_ptr<Connection>> Connection::openWithFlags(const QString& filePath,
                                                              const QString& password, int flags)
{
    using R = Result<std::shared_ptr<Connection>>;
    std::shared_ptr<Connection> conn(new Connection);
    conn->m_path = filePath;
    const QByteArray path = QFile::encodeName(filePath);
    const int rc = sqlite3_open_v2(path.constData(), &conn->m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = sqliteMessage(conn->m_db);
        const int code = conn->m_db ? sqliteCode(conn->m_db) : rc;
        conn->close();
        return R::failure(u"无法打开数据库“%1”：%2"_s.arg(filePath, why), code);
    }
    sqlite3_busy_timeout(conn->m_db, kBusyTimeoutMs);
    const QString keyPragma = u"PRAGMA key = \"%1\""_s.arg(QString::fromLatin1(rawKeyPragmaValue(password)));
    if (Status s = runSimple(conn->m_db, keyPragma); !s)
        return R::failure(u"无法打开数据库“%1”：%2"_s.arg(filePath, s.error()), s.code());
    if (sqlite3_exec(conn->m_db, cipherSettingsScript(u"main"_s).toUtf8().constData(), nullptr, nullptr,
                     nullptr) != SQLITE_OK) {
        const Status failed = sqliteFailure(conn->m_db);
        conn->close();
        return R::failure(u"无法打开数据库“%1”：%2"_s.arg(filePath, failed.error()), failed.code());
    }
    // The key is checked only when the first page is read.
    if (Status s = runSimple(conn->m_db, u"SELECT count(*) FROM sqlite_master"_s); !s) {
        conn->close();
        return R::failure(u"无法打开数据库“%1”：%2"_s.arg(filePath, s.error()), s.code());
    }
    return conn;
}

Result<std::shared_ptr<Connection>> Connection::open(const QString& filePath, const QString& password)
{
    if (!QFileInfo(filePath).isFile())
        return Result<std::shared_ptr<Connection>>::failure(u"无法打开数据库“%1”：文件不存在"_s.arg(filePath),
                                                            SQLITE_CANTOPEN);
    return openWithFlags(filePath, password, SQLITE_OPEN_READWRITE);
}

Result<std::shared_ptr<Connection>> Connection::create(const QString& filePath, const QString& password)
{
    if (QFileInfo::exists(filePath))
        return Result<std::shared_ptr<Connection>>::failure(
            u"无法创建数据库“%1”：文件已存在"_s.arg(filePath));
    return openWithFlags(filePath, password, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

Status Connection::execute(const QString& statementText, const std::optional<QVariant>& value)
{
    if (!m_db)
        return Status::failure(u"数据库连接已关闭"_s);
    static const QRegularExpression jetDeleteAll(u"^\\s*delete\\s*\\*\\s*from\\s+"_s,
                                                 QRegularExpression::CaseInsensitiveOption);
    QString sql = statementText;
    sql.replace(jetDeleteAll, u"delete from "_s);
    return runSimple(m_db, withPlaceholder(sql, value), value);
}

Status Connection::executeScript(const QString& sql)
{
    if (!m_db)
        return Status::failure(u"数据库连接已关闭"_s);
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString why = message ? QString::fromUtf8(message) : sqliteMessage(m_db);
        sqlite3_free(message);
        return Status::failure(why, sqliteCode(m_db));
    }
    return {};
}

Result<std::vector<Connection::Row>> Connection::select(const QString& sql, const QVariantList& values)
{
    using R = Result<std::vector<Row>>;
    if (!m_db)
        return R::failure(u"数据库连接已关闭"_s);
    Statement st(m_db, sql);
    if (!st.prepared())
        return sqliteFailure<R>(m_db);
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (!st.bind(static_cast<int>(i) + 1, values[i]))
            return sqliteFailure<R>(m_db);
    }
    std::vector<Row> rows;
    const int columns = sqlite3_column_count(st.get());
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        Row row;
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(st.column(c));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        return sqliteFailure<R>(m_db);
    return rows;
}

Status Connection::runForEach(const QString& sql, const std::vector<QVariantList>& rows)
{
    if (!m_db)
        return Status::failure(u"数据库连接已关闭"_s);
    Statement st(m_db, sql);
    if (!st.prepared())
        return sqliteFailure(m_db);
    for (const QVariantList& values : rows) {
        sqlite3_reset(st.get());
        sqlite3_clear_bindings(st.get());
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (!st.bind(static_cast<int>(i) + 1, values[i]))
                return sqliteFailure(m_db);
        }
        int rc;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            return sqliteFailure(m_db);
    }
    return {};
}

Status Connection::run(const QString& sql, const QVariantList& values)
{
    return runForEach(sql, std::vector<QVariantList>{values});
}

qint64 Connection::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

bool Connection::hasTable(const QString& name)
{
    const auto rows = select(u"SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"_s, {name});
    return rows && !rows->empty();
}

QString databaseFailureReason(int code)
{
    // SQLite 3.22 and later say so when the folder is what cannot be written.
    constexpr int kReadonlyDirectory = SQLITE_READONLY | (6 << 8);
    switch (code) {
    case kReadonlyDirectory:
        return u"数据库所在的文件夹不可写，无法写入数据库"_s;
    case SQLITE_IOERR_NOMEM:
        return u"内存不足"_s;
    default:
        break;
    }
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return u"磁盘已满，无法写入数据库"_s;
    case SQLITE_READONLY:
        return u"数据库文件是只读的（或所在文件夹不可写），无法写入"_s;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"数据库正被其他程序占用，等待 %1 秒后仍未释放"_s.arg(kBusyTimeoutMs / 1000);
    case SQLITE_CANTOPEN:
        return u"无法打开数据库文件：文件不存在，或没有读写该文件（或其所在文件夹）的权限"_s;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return u"没有访问数据库文件的权限"_s;
    case SQLITE_NOTADB:
        return u"数据库密码不对，或该文件不是本系统的数据库"_s;
    case SQLITE_CORRUPT:
        return u"数据库文件已损坏"_s;
    case SQLITE_IOERR:
        return u"读写数据库文件时发生磁盘错误"_s;
    case SQLITE_NOMEM:
        return u"内存不足"_s;
    case SQLITE_PROTOCOL:
        return u"数据库的文件锁出错"_s;
    default:
        return u"数据库出错"_s;
    }
}

QString databasePathInFolder(const QString& programFolder)
{
    return QDir::cleanPath(databaseFolder(programFolder) + u'/' + databaseFileName());
}

QString bankPathInFolder(const QString& programFolder)
{
    return QDir::cleanPath(programFolder + u'/' + databaseFileName());
}

Result<std::shared_ptr<Connection>> openDatabase(const QString& programFolder)
{
    return Connection::open(databasePathInFolder(programFolder), databasePassword());
}

Result<std::shared_ptr<Connection>> openDatabase()
{
    return openDatabase(programFolder());
}

// ---------------------------------------------------------------------------

Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::~Recordset() = default;

Result<Recordset> Recordset::open(const std::shared_ptr<Connection>& connection, const QString& source,
                                  const std::optional<QVariant>& value)
{
    using R = Result<Recordset>;
    if (!connection || !connection->isOpen())
        return R::failure(u"数据库连接已关闭"_s);
    static const QRegularExpression selectAll(
        u"^\\s*select\\s*\\*\\s*from\\s+([\\w]+)(?:\\s+where\\s+(.*?))?\\s*$"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption |
            QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = selectAll.match(source);
    if (!m.hasMatch())
        return R::failure(u"不支持的查询：%1"_s.arg(source));

    Recordset rs;
    rs.m_connection = connection;
    rs.m_table = m.captured(1);
    sqlite3* db = connection->handle();

    {
        Statement info(db, u"PRAGMA table_info(%1)"_s.arg(quoteIdentifier(rs.m_table)));
        if (!info.prepared())
            return sqliteFailure<R>(db);
        while (sqlite3_step(info.get()) == SQLITE_ROW) {
            rs.m_columns << info.column(1).toString();
            const QString type = info.column(2).toString().toUpper();
            // Only binary values (the movies) are large enough to read late.
            rs.m_isLong.push_back(type == u"BLOB"_s);
        }
        if (rs.m_columns.isEmpty())
            return R::failure(u"no such table: %1"_s.arg(rs.m_table), SQLITE_ERROR);
    }

    QStringList selected{u"rowid"_s};
    for (qsizetype i = 0; i < rs.m_columns.size(); ++i)
        selected << (rs.m_isLong[static_cast<size_t>(i)] ? u"NULL"_s : quoteIdentifier(rs.m_columns[i]));
    QString sql = u"SELECT %1 FROM %2"_s.arg(selected.join(u", "_s), quoteIdentifier(rs.m_table));
    if (m.hasCaptured(2) && !m.captured(2).isEmpty())
        sql += u" WHERE "_s + withPlaceholder(m.captured(2), value);
    else if (value)
        return R::failure(u"查询“%1”不带条件，不能代入值"_s.arg(source));
    // Rows come back in insertion order: question n of a paper is row n.
    sql += u" ORDER BY rowid"_s;

    Statement query(db, sql);
    if (!query.prepared())
        return sqliteFailure<R>(db);
    if (value && !query.bind(1, *value))
        return sqliteFailure<R>(db);
    const size_t n = static_cast<size_t>(rs.m_columns.size());
    int rc;
    while ((rc = sqlite3_step(query.get())) == SQLITE_ROW) {
        Row row;
        row.rowid = sqlite3_column_int64(query.get(), 0);
        row.values.resize(n);
        row.loaded.assign(n, true);
        row.dirty.assign(n, false);
        for (size_t c = 0; c < n; ++c) {
            if (rs.m_isLong[c])
                row.loaded[c] = false;
            else
                row.values[c] = query.column(static_cast<int>(c) + 1);
        }
        rs.m_rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        return sqliteFailure<R>(db);
    rs.m_current = 0;
    rs.m_open = true;
    return rs;
}

int Recordset::absolutePosition() const
{
    return eof() ? 0 : static_cast<int>(m_current) + 1;
}

Status Recordset::setAbsolutePosition(int position)
{
    if (position < 1 || position > recordCount())
        return Status::failure(u"记录位置 %1 超出范围（共 %2 条记录）"_s.arg(position).arg(recordCount()));
    m_current = static_cast<size_t>(position - 1);
    return {};
}

void Recordset::moveNext()
{
    if (m_current < m_rows.size())
        ++m_current;
}

void Recordset::close()
{
    m_rows.clear();
    m_connection.reset();
    m_open = false;
}

int Recordset::columnIndex(const QString& name) const
{
    return static_cast<int>(m_columns.indexOf(name));
}

Status Recordset::loadRow(Row& row)
{
    if (!m_connection || !m_connection->isOpen())
        return Status::failure(u"数据库连接已关闭"_s);
    QStringList wanted;
    std::vector<size_t> indexes;
    for (size_t c = 0; c < row.loaded.size(); ++c) {
        if (!row.loaded[c]) {
            wanted << quoteIdentifier(m_columns[static_cast<qsizetype>(c)]);
            indexes.push_back(c);
        }
    }
    if (indexes.empty())
        return {};
    sqlite3* db = m_connection->handle();
    Statement st(db,
                 u"SELECT %1 FROM %2 WHERE rowid = ?"_s.arg(wanted.join(u", "_s), quoteIdentifier(m_table)));
    if (!st.prepared() || !st.bind(1, QVariant(static_cast<qlonglong>(row.rowid))))
        return sqliteFailure(db);
    const int rc = sqlite3_step(st.get());
    if (rc == SQLITE_ROW) {
        for (size_t i = 0; i < indexes.size(); ++i)
            row.values[indexes[i]] = st.column(static_cast<int>(i));
    } else if (rc != SQLITE_DONE) {
        return sqliteFailure(db);
    }
    // A row deleted since the snapshot reads as empty.
    for (size_t c : indexes)
        row.loaded[c] = true;
    return {};
}

Result<QVariant> Recordset::field(const QString& name)
{
    using R = Result<QVariant>;
    if (!m_open)
        return R::failure(u"记录集已关闭"_s);
    const int c = columnIndex(name);
    if (c < 0)
        return R::failure(u"记录集中没有字段“%1”"_s.arg(name));
    if (m_current >= m_rows.size())
        return R::failure(u"没有当前记录"_s);
    Row& row = m_rows[m_current];
    if (!row.loaded[static_cast<size_t>(c)] && !row.isNew) {
        if (Status s = loadRow(row); !s)
            return R::failure(s.error(), s.code());
    }
    return row.values[static_cast<size_t>(c)];
}

Status Recordset::setField(const QString& name, const QVariant& value)
{
    if (!m_open)
        return Status::failure(u"记录集已关闭"_s);
    const int c = columnIndex(name);
    if (c < 0)
        return Status::failure(u"记录集中没有字段“%1”"_s.arg(name));
    if (m_current >= m_rows.size())
        return Status::failure(u"没有当前记录"_s);
    Row& row = m_rows[m_current];
    row.values[static_cast<size_t>(c)] = value;
    row.loaded[static_cast<size_t>(c)] = true;
    row.dirty[static_cast<size_t>(c)] = true;
    return {};
}

void Recordset::addNew()
{
    Row row;
    const size_t n = static_cast<size_t>(m_columns.size());
    row.values.resize(n);
    row.loaded.assign(n, true);
    row.dirty.assign(n, false);
    row.isNew = true;
    m_rows.push_back(std::move(row));
    m_current = m_rows.size() - 1;
}

Status Recordset::update()
{
    if (!m_open || !m_connection || !m_connection->isOpen())
        return Status::failure(u"记录集已关闭"_s);
    if (m_current >= m_rows.size())
        return Status::failure(u"没有当前记录"_s);
    Row& row = m_rows[m_current];
    sqlite3* db = m_connection->handle();

    QStringList names;
    std::vector<size_t> changed;
    for (size_t c = 0; c < row.dirty.size(); ++c) {
        if (row.dirty[c]) {
            names << quoteIdentifier(m_columns[static_cast<qsizetype>(c)]);
            changed.push_back(c);
        }
    }
    QString sql;
    if (row.isNew) {
        if (changed.empty()) {
            sql = u"INSERT INTO %1 DEFAULT VALUES"_s.arg(quoteIdentifier(m_table));
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i)
                marks << u"?"_s;
            sql = u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(quoteIdentifier(m_table), names.join(u", "_s),
                                                           marks.join(u", "_s));
        }
    } else {
        if (changed.empty())
            return {};
        QStringList sets;
        for (const QString& n : std::as_const(names))
            sets << n + u" = ?"_s;
        sql = u"UPDATE %1 SET %2 WHERE rowid = ?"_s.arg(quoteIdentifier(m_table), sets.join(u", "_s));
    }

    Statement st(db, sql);
    if (!st.prepared())
        return sqliteFailure(db);
    int index = 1;
    for (size_t c : changed) {
        if (!st.bind(index++, row.values[c]))
            return sqliteFailure(db);
    }
    if (!row.isNew && !st.bind(index, QVariant(static_cast<qlonglong>(row.rowid))))
        return sqliteFailure(db);
    if (sqlite3_step(st.get()) != SQLITE_DONE)
        return sqliteFailure(db);

    if (row.isNew) {
        // Read back what the database filled in: the key and the column defaults.
        row.rowid = sqlite3_last_insert_rowid(db);
        row.isNew = false;
        for (size_t c = 0; c < row.loaded.size(); ++c)
            row.loaded[c] = row.dirty[c];
        if (Status s = loadRow(row); !s)
            return s;
    }
    row.dirty.assign(row.dirty.size(), false);
    return {};
}

} // namespace pptdrill
