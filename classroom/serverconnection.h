#pragma once

#include "common/result.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

struct pg_conn;

namespace pptdrill {

// What a failure of the class's server was, as the code() of its Result.
enum class ServerFailure
{
    Unreachable = 1, // no answer, refused, timed out, aborted, or the connection broke
    Login,           // wrong role or password, or the server refuses this PC
    Permission,      // the role may not do that
    MissingSchema,   // the database or its tables are not there yet
    Data,            // the server refused the values sent
    Other,
    NoClientLibrary, // libpq cannot be loaded on this computer
};

// How to reach the server: everything libpq needs, nothing else.
struct ServerLogin
{
    QString host; // empty: the local socket
    int port = 5432;
    QString database;
    QString user;
    QString password;
    QString sslMode = QStringLiteral("prefer");
};

// One connection to a PostgreSQL server through libpq. Every wait (connecting,
// a statement's answer) is sliced, so that it ends by its time-out or at once
// when `abort` is set, and the thread that waits can always be stopped.
class ServerConnection
{
public:
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    static Result<std::unique_ptr<ServerConnection>>
    connect(const ServerLogin& login, const std::atomic<bool>* abort = nullptr, int timeoutSeconds = 10);
    // A libpq connection string ("host=… dbname=…"), for the administrator's set-up.
    static Result<std::unique_ptr<ServerConnection>> connect(const QString& connectionString,
                                                             const std::atomic<bool>* abort = nullptr,
                                                             int timeoutSeconds = 10);

    // Text values; a null QString is SQL NULL.
    using Row = std::vector<QString>;
    // One statement with $1 … placeholders bound to `values`; with no values,
    // the text may hold several statements.
    Result<std::vector<Row>> query(const QString& sql, const QStringList& values = {});
    Status execute(const QString& sql, const QStringList& values = {});

    // False once the connection broke or a wait was given up.
    bool isUsable() const;
    // Statements give up after this long (seconds).
    void setStatementTimeout(int seconds) { m_statementTimeoutSeconds = seconds; }

    // Quoted for a statement text, for the few statements that take no parameters (CREATE ROLE).
    QString quoteIdentifier(const QString& name) const;
    QString quoteLiteral(const QString& value) const;

private:
    explicit ServerConnection(pg_conn* connection, const std::atomic<bool>* abort);
    static Result<std::unique_ptr<ServerConnection>>
    finishConnecting(pg_conn* connection, const std::atomic<bool>* abort, int timeoutSeconds);

    pg_conn* m_connection = nullptr;
    const std::atomic<bool>* m_abort = nullptr;
    int m_statementTimeoutSeconds = 30;
    bool m_broken = false;
};

// What the user reads for a failure of the server, in Chinese.
QString serverFailureMessage(int code);

} // namespace pptdrill
