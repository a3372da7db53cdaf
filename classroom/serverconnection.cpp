#include "classroom/serverconnection.h"

#include "classroom/libpq.h"

#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <algorithm>
#include <cerrno>
#include <optional>
#include <poll.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The server's own words, for whoever looks into a failure:
// QT_LOGGING_RULES="pptdrill.classroom.info=true".
Q_LOGGING_CATEGORY(classroomLog, "pptdrill.classroom", QtWarningMsg)

constexpr int kSliceMs = 100;

// Called only once a connection has been started, so with the library loaded.
const LibPq& pq()
{
    return *libPq();
}

// Notices ("already exists, skipping") are not for the user.
void ignoreNotice(void*, const char*) {}

bool aborted(const std::atomic<bool>* abort)
{
    return abort && abort->load();
}

enum class WaitOutcome
{
    Ready,
    TimedOut,
    Aborted,
    Failed,
};

// Waits until the connection's socket can be read (or written), in slices.
WaitOutcome waitForSocket(PGconn* connection, bool forWriting, const QDeadlineTimer& deadline,
                          const std::atomic<bool>* abort)
{
    const int socket = pq().PQsocket(connection);
    if (socket < 0)
        return WaitOutcome::Failed;
    while (true) {
        if (aborted(abort))
            return WaitOutcome::Aborted;
        if (deadline.hasExpired())
            return WaitOutcome::TimedOut;
        pollfd watched{socket, static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
        const int slice =
            static_cast<int>(std::min<qint64>(kSliceMs, std::max<qint64>(1, deadline.remainingTime())));
        const int n = ::poll(&watched, 1, slice);
        if (n > 0)
            return WaitOutcome::Ready;
        if (n < 0 && errno != EINTR)
            return WaitOutcome::Failed;
    }
}

ServerFailure failureOfState(const QByteArray& state)
{
    if (state.startsWith("08"))
        return ServerFailure::Unreachable;
    if (state.startsWith("28"))
        return ServerFailure::Login;
    if (state == "42501")
        return ServerFailure::Permission;
    if (state == "3D000" || state == "42P01" || state == "3F000")
        return ServerFailure::MissingSchema;
    if (state.startsWith("22") || state.startsWith("23"))
        return ServerFailure::Data;
    if (state.startsWith("57P")) // the server shuts down or restarts
        return ServerFailure::Unreachable;
    return ServerFailure::Other;
}

// A connection that failed before it was made says little more than a text:
// a refused password is told apart from a server that does not answer.
ServerFailure failureOfConnecting(const QString& message)
{
    if (message.contains(u"password"_s) || message.contains(u"authentication"_s) ||
        message.contains(u"pg_hba.conf"_s) || message.contains(u"role"_s))
        return ServerFailure::Login;
    if (message.contains(u"database"_s) && message.contains(u"does not exist"_s))
        return ServerFailure::MissingSchema;
    return ServerFailure::Unreachable;
}

template <typename T> Result<T> fail(ServerFailure failure, const QString& detail)
{
    // The raw server text is for whoever reads the program's log, never for the learner.
    if (!detail.isEmpty())
        qCInfo(classroomLog).noquote() << detail.trimmed();
    return Result<T>::failure(serverFailureMessage(static_cast<int>(failure)), static_cast<int>(failure));
}

} // namespace

QString serverFailureMessage(int code)
{
    switch (static_cast<ServerFailure>(code)) {
    case ServerFailure::Unreachable:
        return u"无法连接班级服务器，请检查网络和服务器地址。"_s;
    case ServerFailure::Login:
        return u"班级服务器拒绝登录，请检查用户名和密码。"_s;
    case ServerFailure::Permission:
        return u"班级服务器不允许此操作。"_s;
    case ServerFailure::MissingSchema:
        return u"班级服务器上还没有班级的数据，请先运行“drillclass --init”。"_s;
    case ServerFailure::Data:
        return u"班级服务器拒绝了上传的数据。"_s;
    case ServerFailure::NoClientLibrary:
        return u"本机缺少 PostgreSQL 客户端库（libpq），无法连接班级服务器。"_s;
    case ServerFailure::Other:
        break;
    }
    return u"班级服务器出错。"_s;
}

ServerConnection::ServerConnection(PGconn* connection, const std::atomic<bool>* abort)
    : m_connection(connection), m_abort(abort)
{
}

ServerConnection::~ServerConnection()
{
    if (m_connection)
        pq().PQfinish(m_connection);
}

Result<std::unique_ptr<ServerConnection>>
ServerConnection::connect(const ServerLogin& login, const std::atomic<bool>* abort, int timeoutSeconds)
{
    if (QString why; !libPq(&why))
        return fail<std::unique_ptr<ServerConnection>>(ServerFailure::NoClientLibrary, why);
    std::vector<QByteArray> keys;
    std::vector<QByteArray> values;
    auto add = [&](const char* key, const QString& value) {
        if (!value.isEmpty()) {
            keys.emplace_back(key);
            values.push_back(value.toUtf8());
        }
    };
    add("host", login.host);
    add("port", QString::number(login.port));
    add("dbname", login.database);
    add("user", login.user);
    add("password", login.password);
    add("sslmode", login.sslMode);
    add("application_name", u"pptdrill"_s);
    add("client_encoding", u"UTF8"_s);
    std::vector<const char*> keyPointers;
    std::vector<const char*> valuePointers;
    for (size_t i = 0; i < keys.size(); ++i) {
        keyPointers.push_back(keys[i].constData());
        valuePointers.push_back(values[i].constData());
    }
    keyPointers.push_back(nullptr);
    valuePointers.push_back(nullptr);
    return finishConnecting(pq().PQconnectStartParams(keyPointers.data(), valuePointers.data(), 0), abort,
                            timeoutSeconds);
}

Result<std::unique_ptr<ServerConnection>>
ServerConnection::connect(const QString& connectionString, const std::atomic<bool>* abort, int timeoutSeconds)
{
    if (QString why; !libPq(&why))
        return fail<std::unique_ptr<ServerConnection>>(ServerFailure::NoClientLibrary, why);
    const QByteArray text = connectionString.toUtf8();
    const char* keys[] = {"dbname", "client_encoding", nullptr};
    const char* values[] = {text.constData(), "UTF8", nullptr};
    // expand_dbname: the first dbname value is read as a whole connection string.
    return finishConnecting(pq().PQconnectStartParams(keys, values, 1), abort, timeoutSeconds);
}

Result<std::unique_ptr<ServerConnection>>
ServerConnection::finishConnecting(PGconn* connection, const std::atomic<bool>* abort, int timeoutSeconds)
{
    using R = Result<std::unique_ptr<ServerConnection>>;
    if (!connection)
        return fail<std::unique_ptr<ServerConnection>>(ServerFailure::Other, u"out of memory"_s);
    std::unique_ptr<ServerConnection> made(new ServerConnection(connection, abort));
    pq().PQsetNoticeProcessor(connection, ignoreNotice, nullptr);
    if (pq().PQstatus(connection) == CONNECTION_BAD)
        return fail<std::unique_ptr<ServerConnection>>(
            failureOfConnecting(QString::fromUtf8(pq().PQerrorMessage(connection))),
            QString::fromUtf8(pq().PQerrorMessage(connection)));
    const QDeadlineTimer deadline(timeoutSeconds * 1000);
    PostgresPollingStatusType polling = PGRES_POLLING_WRITING;
    while (polling != PGRES_POLLING_OK) {
        if (polling == PGRES_POLLING_FAILED)
            return fail<std::unique_ptr<ServerConnection>>(
                failureOfConnecting(QString::fromUtf8(pq().PQerrorMessage(connection))),
                QString::fromUtf8(pq().PQerrorMessage(connection)));
        const WaitOutcome waited =
            waitForSocket(connection, polling == PGRES_POLLING_WRITING, deadline, abort);
        if (waited != WaitOutcome::Ready)
            return fail<std::unique_ptr<ServerConnection>>(
                ServerFailure::Unreachable, waited == WaitOutcome::Aborted ? QString() : u"no answer"_s);
        polling = pq().PQconnectPoll(connection);
    }
    pq().PQsetnonblocking(connection, 1);
    return R(std::move(made));
}

bool ServerConnection::isUsable() const
{
    return !m_broken && m_connection && pq().PQstatus(m_connection) == CONNECTION_OK;
}

Result<std::vector<ServerConnection::Row>> ServerConnection::query(const QString& sql,
                                                                   const QStringList& values)
{
    using Rows = std::vector<Row>;
    if (!isUsable())
        return fail<Rows>(ServerFailure::Unreachable, QString());
    const QByteArray text = sql.toUtf8();
    std::vector<QByteArray> encoded;
    std::vector<const char*> pointers;
    encoded.reserve(values.size());
    for (const QString& value : values) {
        encoded.push_back(value.isNull() ? QByteArray() : value.toUtf8());
        pointers.push_back(value.isNull() ? nullptr : encoded.back().constData());
    }
    const int sent = values.isEmpty() ? pq().PQsendQuery(m_connection, text.constData())
                                      : pq().PQsendQueryParams(m_connection, text.constData(),
                                                               static_cast<int>(pointers.size()), nullptr,
                                                               pointers.data(), nullptr, nullptr, 0);
    if (!sent) {
        m_broken = true;
        return fail<Rows>(ServerFailure::Unreachable, QString::fromUtf8(pq().PQerrorMessage(m_connection)));
    }
    const QDeadlineTimer deadline(m_statementTimeoutSeconds * 1000);
    // Everything queued is flushed, then the answer is awaited.
    while (int flushed = pq().PQflush(m_connection)) {
        if (flushed < 0 || waitForSocket(m_connection, true, deadline, m_abort) != WaitOutcome::Ready) {
            m_broken = true;
            return fail<Rows>(ServerFailure::Unreachable,
                              QString::fromUtf8(pq().PQerrorMessage(m_connection)));
        }
    }
    Rows rows;
    std::optional<Result<Rows>> failure;
    while (true) {
        while (pq().PQisBusy(m_connection)) {
            if (waitForSocket(m_connection, false, deadline, m_abort) != WaitOutcome::Ready ||
                !pq().PQconsumeInput(m_connection)) {
                m_broken = true;
                return fail<Rows>(ServerFailure::Unreachable,
                                  QString::fromUtf8(pq().PQerrorMessage(m_connection)));
            }
        }
        PGresult* result = pq().PQgetResult(m_connection);
        if (!result)
            break;
        const ExecStatusType status = pq().PQresultStatus(result);
        if (status == PGRES_TUPLES_OK) {
            rows.clear();
            const int columns = pq().PQnfields(result);
            const int count = pq().PQntuples(result);
            rows.reserve(count);
            for (int r = 0; r < count; ++r) {
                Row row;
                row.reserve(columns);
                for (int c = 0; c < columns; ++c)
                    row.push_back(pq().PQgetisnull(result, r, c)
                                      ? QString()
                                      : QString::fromUtf8(pq().PQgetvalue(result, r, c),
                                                          pq().PQgetlength(result, r, c)));
                rows.push_back(std::move(row));
            }
        } else if (status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY && !failure) {
            const char* state = pq().PQresultErrorField(result, PG_DIAG_SQLSTATE);
            failure = fail<Rows>(failureOfState(QByteArray(state ? state : "")),
                                 QString::fromUtf8(pq().PQresultErrorMessage(result)));
        }
        pq().PQclear(result);
    }
    if (pq().PQstatus(m_connection) != CONNECTION_OK)
        m_broken = true;
    if (failure)
        return *failure;
    return rows;
}

Status ServerConnection::execute(const QString& sql, const QStringList& values)
{
    const auto done = query(sql, values);
    if (!done)
        return Status::failure(done.error(), done.code());
    return {};
}

QString ServerConnection::quoteIdentifier(const QString& name) const
{
    const QByteArray text = name.toUtf8();
    char* quoted = pq().PQescapeIdentifier(m_connection, text.constData(), text.size());
    const QString result = quoted ? QString::fromUtf8(quoted) : QString();
    pq().PQfreemem(quoted);
    return result;
}

QString ServerConnection::quoteLiteral(const QString& value) const
{
    const QByteArray text = value.toUtf8();
    char* quoted = pq().PQescapeLiteral(m_connection, text.constData(), text.size());
    const QString result = quoted ? QString::fromUtf8(quoted) : QString();
    pq().PQfreemem(quoted);
    return result;
}

} // namespace pptdrill
