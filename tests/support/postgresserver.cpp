#include "tests/support/postgresserver.h"

#include "classroom/serverschema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::test {

namespace {

const QString kAdminPassword = u"admin-secret"_s;

QString serverBinaries()
{
    const QStringList versions =
        QDir(u"/usr/lib/postgresql"_s)
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString& version : versions) {
        const QString bin = u"/usr/lib/postgresql/%1/bin"_s.arg(version);
        if (QFile::exists(bin + u"/initdb"_s) && QFile::exists(bin + u"/pg_ctl"_s))
            return bin;
    }
    return {};
}

int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

} // namespace

bool PostgresServer::available()
{
    return !serverBinaries().isEmpty();
}

PostgresServer::PostgresServer() : m_binaries(serverBinaries())
{
    if (m_binaries.isEmpty() || !m_folder.isValid()) {
        m_failure = u"no PostgreSQL server programs"_s;
        return;
    }
    const QString root = m_folder.path();
    QFile password(root + u"/password"_s);
    if (!password.open(QIODevice::WriteOnly) || password.write(kAdminPassword.toUtf8()) < 0)
        return;
    password.close();
    // The server refuses to run as root: the folder goes to the unprivileged user.
    if (geteuid() == 0 && !run({u"chown"_s, u"-R"_s, u"nobody:nogroup"_s, root}))
        return;
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup |
                                    QFile::ExeOther | QFile::ReadGroup | QFile::ReadOther);
    if (!run({m_binaries + u"/initdb"_s, u"-D"_s, root + u"/data"_s, u"-U"_s, u"postgres"_s,
              u"--pwfile="_s + root + u"/password"_s, u"--auth=scram-sha-256"_s, u"-E"_s, u"UTF8"_s,
              u"--locale=C"_s, u"--no-sync"_s}))
        return;
    if (!start())
        return;
    auto admin = ServerConnection::connect(
        u"host=127.0.0.1 port=%1 user=postgres password=%2 dbname=postgres"_s.arg(m_port).arg(
            kAdminPassword));
    if (!admin || !admin.value()->execute(u"CREATE DATABASE pptdrill"_s)) {
        m_failure = u"could not create the database"_s;
        stop();
    }
}

PostgresServer::~PostgresServer()
{
    if (m_running)
        stop(u"immediate"_s);
}

bool PostgresServer::run(const QStringList& command, QString* output)
{
    QStringList arguments = command;
    QString program = arguments.takeFirst();
    if (geteuid() == 0 && program != u"chown"_s) {
        arguments = QStringList{u"-u"_s, u"nobody"_s, u"--"_s, program} + arguments;
        program = u"runuser"_s;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_folder.path());
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    const QString text = QString::fromUtf8(process.readAll());
    if (output)
        *output = text;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_failure = program + u" failed: "_s + text;
        return false;
    }
    return true;
}

bool PostgresServer::start()
{
    const QString root = m_folder.path();
    // Another test may take the port between the probe and the start: try a few.
    for (int tries = 0; tries < 5; ++tries) {
        const int port = m_port ? m_port : freePort();
        const QString options = u"-p %1 -c listen_addresses=127.0.0.1 -c unix_socket_directories=%2 "
                                u"-c max_connections=200 -c fsync=off -c shared_buffers=32MB"_s.arg(port)
                                    .arg(root);
        if (run({m_binaries + u"/pg_ctl"_s, u"-D"_s, root + u"/data"_s, u"-l"_s, root + u"/server.log"_s,
                 u"-o"_s, options, u"-w"_s, u"-t"_s, u"60"_s, u"start"_s})) {
            m_port = port;
            m_running = true;
            return true;
        }
        if (m_port)
            break; // a restart keeps its port
    }
    return false;
}

bool PostgresServer::stop(const QString& mode)
{
    m_running = false;
    return run({m_binaries + u"/pg_ctl"_s, u"-D"_s, m_folder.path() + u"/data"_s, u"-m"_s, mode, u"-w"_s,
                u"stop"_s});
}

QString PostgresServer::adminConnectionString() const
{
    return u"host=127.0.0.1 port=%1 user=postgres password=%2 dbname=pptdrill"_s.arg(m_port).arg(
        kAdminPassword);
}

std::unique_ptr<ServerConnection> PostgresServer::connectAsAdmin() const
{
    auto admin = ServerConnection::connect(adminConnectionString());
    return admin ? std::move(admin.value()) : nullptr;
}

ClassroomConfig PostgresServer::config() const
{
    ClassroomConfig config;
    config.host = u"127.0.0.1"_s;
    config.port = m_port;
    config.database = u"pptdrill"_s;
    config.className = u"测试班"_s;
    config.learnerUser = u"learner_pc"_s;
    config.learnerPassword = u"learner-secret"_s;
    config.teacherUser = u"teacher"_s;
    config.teacherPassword = u"teacher-secret"_s;
    config.sslMode = u"disable"_s;
    return config;
}

bool PostgresServer::initClass()
{
    auto admin = connectAsAdmin();
    if (!admin)
        return false;
    return migrateServerSchema(*admin) && setUpClassRoles(*admin, config());
}

bool PostgresServer::fillClass(int learners, int attemptsEach)
{
    auto admin = connectAsAdmin();
    if (!admin)
        return false;
    const QString script = uR"sql(
INSERT INTO attempts (attempt_id, hand_in, class_name, seat_number, identity_number, set_name, started_at,
                      handed_in_at, score, question_count, right_count, exam_mode, sent_by)
SELECT md5(l || '/' || a)::uuid, 1, '测试班', CASE WHEN l < 10 THEN '0' || l ELSE l::text END, '1101011990' || lpad(l::text, 8, '0'),
       '第' || (a % 12 + 1) || '套题', t, t + interval '30 minutes', (40 - (l + a) % 15) * 2.5, 40,
       40 - (l + a) % 15, a % 10 = 0, 'learner_pc'
FROM generate_series(1, %1) l, generate_series(1, %2) a,
     LATERAL (SELECT timestamptz '2026-03-01 08:00Z' + a * interval '1 hour' AS t) times;
INSERT INTO attempt_questions (attempt_id, hand_in, position, set_name, question_number, topic, point, is_right,
                               demonstration, hint, sent_by)
SELECT md5(l || '/' || a)::uuid, 1, q, '第' || (a % 12 + 1) || '套题', q::text,
       (ARRAY['窗口与视图', '演示文稿', '幻灯片', '文本', '外观', '对象', '动画', '放映', '打印'])[q % 9 + 1],
       NULL, (q * 7 + l + a) % (q % 9 + 2) <> 0, q % 11 = 0, q % 13 = 0, 'learner_pc'
FROM generate_series(1, %1) l, generate_series(1, %2) a, generate_series(1, 40) q;
ANALYZE;
)sql"_s.arg(learners)
                               .arg(attemptsEach);
    admin->setStatementTimeout(900); // hundreds of thousands of rows on a busy machine
    const Status filled = admin->execute(script);
    if (!filled)
        m_failure = filled.error();
    return filled.ok();
}

} // namespace pptdrill::test
