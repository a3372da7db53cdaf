#include "platform/windowregistry.h"
#include "tests/channel/peer.h"
#include "tests/channel/printers.h"
#include "tests/channel/privateruntime.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

class WindowRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto path = windowregistry::newSocketPath();
        ASSERT_TRUE(path.ok()) << path.error().toStdString();
        ASSERT_TRUE(server.listen(*path));
    }

    std::unique_ptr<WindowRegistration> add(const QString& title)
    {
        auto r = WindowRegistration::create(title, server.fullServerName());
        EXPECT_TRUE(r.ok()) << r.error().toStdString();
        return r ? std::move(r.value()) : nullptr;
    }

    static QStringList titles()
    {
        QStringList out;
        for (const RegisteredWindow& w : windowregistry::liveWindows())
            out << w.title;
        return out;
    }

    static QStringList entryFiles()
    {
        return QDir(*windowregistry::folder()).entryList({u"*.entry"_s}, QDir::Files);
    }

    PrivateRuntimeFolder runtime;
    QLocalServer server;
};

} // namespace

TEST_F(WindowRegistryTest, IsAPrivateFolderInTheRuntimeFolder)
{
    auto folder = windowregistry::folder();
    ASSERT_TRUE(folder.ok());
    EXPECT_EQ(QFileInfo(*folder).absolutePath(), runtime.path());
    struct stat st = {};
    ASSERT_EQ(::stat(QFile::encodeName(*folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(WindowRegistryTest, WalksInRegistrationOrderAndFollowsTitleChanges)
{
    auto a = add(u"试题播放"_s);
    auto b = add(u"问题栏"_s);
    auto c = add(u"试题播放"_s);
    EXPECT_EQ(titles(), (QStringList{u"试题播放"_s, u"问题栏"_s, u"试题播放"_s}));
    EXPECT_LT(a->window().sequence, b->window().sequence);
    EXPECT_LT(b->window().sequence, c->window().sequence);
    EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).sequence, c->window().sequence);
    EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).pid, ::getpid());

    ASSERT_TRUE(c->setTitle(u"别的窗口"_s).ok());
    EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).sequence, a->window().sequence);
    ASSERT_TRUE(b->setTitle(u"试题播放"_s).ok());
    EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).sequence, b->window().sequence);

    // Entries, written aside and renamed into place, are the owner's alone and leave nothing beside them.
    const QDir folder(*windowregistry::folder());
    for (const QString& name : entryFiles())
        EXPECT_EQ(QFileInfo(folder.filePath(name)).permissions() & 0x0077, 0) << name.toStdString();
    EXPECT_TRUE(folder.entryList({u"*.part"_s}, QDir::Files).isEmpty());

    b.reset();
    EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).sequence, a->window().sequence);
    a.reset();
    c.reset();
    EXPECT_TRUE(windowregistry::findLast(u"试题播放"_s).isNull());
    EXPECT_TRUE(entryFiles().isEmpty());
}

TEST_F(WindowRegistryTest, DeadAndDamagedEntriesAreSkippedAndRemoved)
{
    auto first = add(u"试题播放"_s);
    {
        ReceiverPeer peer(u"试题播放"_s, runtime.path() + u"/peer.log"_s);
        EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).pid, peer.pid);
        peer.kill(); // no chance to unregister
    }
    // A live process whose socket is gone: the window has closed it.
    auto closedPath = windowregistry::newSocketPath();
    auto closed = WindowRegistration::create(u"试题播放"_s, *closedPath);
    ASSERT_TRUE(closed.ok());
    QFile damaged(*windowregistry::folder() + u"/09999999999999999999.entry"_s);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"title\": \"试题");
    damaged.close();
    ASSERT_EQ(entryFiles().size(), 4);

    EXPECT_EQ(windowregistry::findLast(u"试题播放"_s).sequence, first->window().sequence);
    EXPECT_EQ(titles(), QStringList{u"试题播放"_s});
    EXPECT_EQ(entryFiles().size(), 1);
    // The dead peer's socket file went with its entry.
    EXPECT_EQ(QDir(*windowregistry::folder()).entryList({u"*.sock"_s}, QDir::System).size(), 1);
}

TEST_F(WindowRegistryTest, ADamagedCounterStillHandsOutLaterSequences)
{
    auto a = add(u"a"_s);
    auto b = add(u"b"_s);
    QFile counter(*windowregistry::folder() + u"/sequence"_s);
    ASSERT_TRUE(counter.open(QIODevice::WriteOnly | QIODevice::Truncate));
    counter.write("garbage");
    counter.close();
    auto c = add(u"c"_s);
    EXPECT_GT(c->window().sequence, b->window().sequence);
    EXPECT_EQ(titles(), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
}

TEST_F(WindowRegistryTest, ConcurrentRegistrationsGetDistinctRisingSequences)
{
    constexpr int kProcesses = 4;
    constexpr int kEach = 25;
    std::vector<std::unique_ptr<QProcess>> peers;
    for (int i = 0; i < kProcesses; ++i) {
        peers.push_back(std::make_unique<QProcess>());
        peers.back()->start(QString::fromUtf8(CHANNEL_PEER), {u"register"_s, QString::number(kEach)});
    }
    QSet<quint64> all;
    for (auto& p : peers) {
        ASSERT_TRUE(p->waitForFinished(60000));
        ASSERT_EQ(p->exitCode(), 0) << p->readAllStandardError().constData();
        quint64 previous = 0;
        const QList<QByteArray> lines = p->readAllStandardOutput().split('\n');
        for (const QByteArray& line : lines) {
            if (line.isEmpty())
                continue;
            const quint64 sequence = line.toULongLong();
            EXPECT_GT(sequence, previous);
            previous = sequence;
            all.insert(sequence);
        }
    }
    EXPECT_EQ(all.size(), kProcesses * kEach);
    EXPECT_TRUE(entryFiles().isEmpty());
}
