// The real pptdrill program: one instance at a time.
#include "tests/channel/privateruntime.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

class Pptdrill
{
public:
    explicit Pptdrill(const QString& program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        m_process.setProcessEnvironment(env);
        m_process.start(program, {});
        EXPECT_TRUE(m_process.waitForStarted(30000));
    }
    ~Pptdrill()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(30000);
        }
    }

    QProcess& process() { return m_process; }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(30000);
    }

private:
    QProcess m_process;
};

// The pid written in the instance lock, once the program holds it.
qint64 waitForLockOwner(const QString& lockPath, qint64 expected)
{
    QDeadlineTimer deadline(30000);
    qint64 pid = 0;
    while (!deadline.hasExpired()) {
        QLockFile probe(lockPath);
        QString host;
        QString app;
        if (probe.getLockInfo(&pid, &host, &app) && pid == expected)
            return pid;
        QThread::msleep(50);
    }
    return pid;
}

} // namespace

TEST(PptdrillProgram, ASecondInstanceIsRefusedAndALockOfAKilledRunDoesNotBlock)
{
    PrivateRuntimeFolder runtime;
    TempProgramFolder folder;
    const QString program = folder.file(u"pptdrill"_s);
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(PPTDRILL_EXE), program));
    auto conn = createTestDatabase(folder.file(u"stdata.db"_s));
    ASSERT_TRUE(conn);
    addBankRow(*conn, u"第1套题"_s, 1);
    conn->close();
    const QString lockPath = runtime.path() + u"/pptdrill.lock"_s;

    Pptdrill first(program);
    ASSERT_EQ(waitForLockOwner(lockPath, first.process().processId()), first.process().processId());

    Pptdrill second(program);
    ASSERT_TRUE(second.process().waitForFinished(30000)) << "the second instance kept running";
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(
        QString::fromUtf8(second.process().readAllStandardError()).contains(u"请不要重复运行本系统！"_s));
    EXPECT_EQ(first.process().state(), QProcess::Running) << "the running instance was touched";

    // A run that is killed leaves its lock behind; the next start takes it over.
    first.kill();
    ASSERT_TRUE(QFile::exists(lockPath));
    Pptdrill third(program);
    EXPECT_EQ(waitForLockOwner(lockPath, third.process().processId()), third.process().processId());
    EXPECT_EQ(third.process().state(), QProcess::Running);
    EXPECT_FALSE(
        QString::fromUtf8(third.process().readAllStandardError()).contains(u"请不要重复运行本系统！"_s));
}

TEST(PptdrillProgram, ADatabaseThatCannotBeOpenedEndsTheShownProgramWithItsMessageAndIsLeftAlone)
{
    PrivateRuntimeFolder runtime;
    TempProgramFolder folder;
    const QString program = folder.file(u"pptdrill"_s);
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(PPTDRILL_EXE), program));
    const QByteArray junk(8192, 'x');
    QFile db(folder.file(u"stdata.db"_s));
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write(junk);
    db.close();

    Pptdrill started(program);
    ASSERT_TRUE(started.process().waitForFinished(30000)) << "the program kept running";
    EXPECT_EQ(started.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(started.process().exitCode(), 1);
    const QString said = QString::fromUtf8(started.process().readAllStandardError());
    EXPECT_TRUE(said.contains(u"打不开"_s)) << said.toStdString();
    ASSERT_TRUE(db.open(QIODevice::ReadOnly));
    EXPECT_EQ(db.readAll(), junk);
}
