#include "platform/processes.h"
#include "tests/channel/printers.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// Copies of sleep started under chosen names. The names carry this test's pid,
// so a concurrent run (or a real player) is never seen nor stopped, and they
// are longer than the kernel's 15-character command name, so they only match
// through the executable's file name.
class ProcessesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bin.isValid());
        // Open to others: one case starts a copy under another user.
        QFile::setPermissions(bin.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                              QFile::ExeOther);
        wanted = u"drillplay-test-%1-"_s.arg(QCoreApplication::applicationPid());
    }

    void TearDown() override
    {
        for (auto& p : children) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    QString install(const QString& name)
    {
        const QString path = bin.filePath(name);
        if (!QFile::exists(path)) {
            EXPECT_TRUE(QFile::copy(u"/bin/sleep"_s, path));
        }
        return path;
    }

    QProcess& start(const QString& name, const std::function<void()>& modifier = {})
    {
        children.push_back(std::make_unique<QProcess>());
        QProcess& p = *children.back();
        if (modifier)
            p.setChildProcessModifier(modifier);
        p.start(install(name), {u"600"_s});
        EXPECT_TRUE(p.waitForStarted(10000)) << p.errorString().toStdString();
        return p;
    }

    static bool stillRuns(QProcess& p) { return !p.waitForFinished(200); }

    QTemporaryDir bin;
    QString wanted;
    std::vector<std::unique_ptr<QProcess>> children;
};

TEST_F(ProcessesTest, TheHighestOfTwoIsFoundAndOnlyItIsStopped)
{
    EXPECT_EQ(findProcessId(wanted), QString());

    QProcess& a = start(wanted);
    QProcess& b = start(wanted);
    QProcess& last = a.processId() > b.processId() ? a : b;
    QProcess& other = &last == &a ? b : a;
    const qint64 otherPid = other.processId();
    EXPECT_EQ(findProcessId(wanted), QString::number(last.processId()));

    EXPECT_NE(killProcessById(static_cast<std::int32_t>(last.processId())), 0);
    ASSERT_TRUE(last.waitForFinished(5000));
    EXPECT_EQ(last.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(stillRuns(other));
    EXPECT_EQ(findProcessId(wanted), QString::number(otherPid));
}

TEST_F(ProcessesTest, NamesMatchByCaseSensitivePrefix)
{
    start(u'D' + wanted.mid(1));
    start(wanted.chopped(1));
    EXPECT_EQ(findProcessId(wanted), QString());

    QProcess& longer = start(wanted + u"er"_s);
    EXPECT_EQ(findProcessId(wanted), QString::number(longer.processId()));
}

TEST_F(ProcessesTest, EndedProcessesAreNeitherFoundNorStopped)
{
    QProcess& p = start(wanted);
    const auto pid = static_cast<std::int32_t>(p.processId());
    p.kill();
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(killProcessById(pid), 0);

    // Ended but not yet reaped: only the short command name is left.
    const QString shortName = u"dz%1-"_s.arg(QCoreApplication::applicationPid());
    const QByteArray path = QFile::encodeName(install(shortName));
    const pid_t zombie = ::fork();
    if (zombie == 0) {
        ::execl(path.constData(), path.constData(), "0", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(zombie, 0);
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(zombie), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(info.si_status, 0); // sleep really ran under that name
    EXPECT_EQ(findProcessId(shortName), QString());
    EXPECT_EQ(killProcessById(zombie), 0);
    ::waitpid(zombie, nullptr, 0);
}

TEST_F(ProcessesTest, LeftoverPlayersOfOneProgramFolderAreStoppedAndOnlyThey)
{
    // Two program folders, each with a "player" (a copy of sleep) running.
    QTemporaryDir ours;
    QTemporaryDir theirs;
    const QString player = playerExecutableName();
    ASSERT_TRUE(QFile::copy(u"/bin/sleep"_s, ours.filePath(player)));
    ASSERT_TRUE(QFile::copy(u"/bin/sleep"_s, theirs.filePath(player)));
    auto run = [this](const QString& program) -> QProcess& {
        children.push_back(std::make_unique<QProcess>());
        children.back()->start(program, {u"600"_s});
        EXPECT_TRUE(children.back()->waitForStarted(10000));
        return *children.back();
    };
    QProcess& first = run(ours.filePath(player));
    QProcess& second = run(ours.filePath(player));
    QProcess& foreign = run(theirs.filePath(player));

    stopLeftoverPlayers(ours.path());
    EXPECT_TRUE(first.waitForFinished(5000));
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_TRUE(stillRuns(foreign));
}

TEST_F(ProcessesTest, AnotherUsersProcessIsNeitherFoundNorStopped)
{
    if (::geteuid() != 0) {
        QFile status(u"/proc/1/status"_s);
        if (!status.open(QIODevice::ReadOnly) ||
            status.readAll().contains("Uid:\t" + QByteArray::number(::getuid()) + '\t'))
            GTEST_SKIP() << "needs root to start a process as another user, and pid 1 is this user's";
        EXPECT_EQ(killProcessById(1), 0);
        return;
    }
    constexpr uid_t kNobody = 65534;
    QProcess& foreign = start(wanted, [] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(126);
    });
    ASSERT_TRUE(stillRuns(foreign)) << "could not start a process as nobody";
    EXPECT_EQ(findProcessId(wanted), QString());
    EXPECT_EQ(killProcessById(static_cast<std::int32_t>(foreign.processId())), 0);
    EXPECT_TRUE(stillRuns(foreign));
}

} // namespace
