#pragma once

#include "classroom/classroomconfig.h"
#include "classroom/serverconnection.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace pptdrill::test {

// A PostgreSQL server of its own for one test: initdb and pg_ctl in a
// temporary folder, listening on 127.0.0.1 on a free port, run as an
// unprivileged user (nobody when the tests run as root). The database
// "pptdrill" is made, empty.
class PostgresServer
{
public:
    // Whether Debian's server programs are installed.
    static bool available();

    PostgresServer();
    ~PostgresServer();

    bool started() const { return m_running; }
    const QString& failure() const { return m_failure; }
    int port() const { return m_port; }

    bool start();
    // "fast": the connections are ended, as an administrator's restart does;
    // "immediate": the server stops as if it crashed.
    bool stop(const QString& mode = QStringLiteral("fast"));

    // The administrator's libpq connection string on the class's database.
    QString adminConnectionString() const;
    std::unique_ptr<ServerConnection> connectAsAdmin() const;

    // A class file's settings for this server: roles "learner_pc" and
    // "teacher", class "测试班".
    ClassroomConfig config() const;
    // Applies the schema and makes the class's roles.
    bool initClass();
    // Fills the class "测试班" with `learners` learners of `attemptsEach`
    // attempts of 40 questions each, as if delivered; learner n has seat
    // number n (at least two digits) and identity number "1101011990" + n (eight digits).
    bool fillClass(int learners, int attemptsEach);

private:
    bool run(const QStringList& command, QString* output = nullptr);

    QTemporaryDir m_folder;
    QString m_binaries;
    QString m_failure;
    int m_port = 0;
    bool m_running = false;
};

} // namespace pptdrill::test
