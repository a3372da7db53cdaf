#include "player/channel.h"
#include "tests/channel/peer.h"
#include "tests/channel/printers.h"
#include "tests/channel/privateruntime.h"
#include "tests/channel/rawsender.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

QByteArray rawRecord(const QByteArray& data, quint32 cbData)
{
    QByteArray header(copydata::kHeaderSize, '\0');
    qToLittleEndian<quint32>(0x1234, header.data()); // dwData: ignored
    qToLittleEndian<quint32>(cbData, header.data() + 4);
    return header + data;
}

class ChannelTest : public ::testing::Test
{
protected:
    QString logFile(const QString& name) const { return runtime.path() + u'/' + name; }

    PrivateRuntimeFolder runtime;
    FakeMessageBoxes boxes;
};

} // namespace

TEST(CopyDataRecord, CarriesUtf8TextWithItsZeroByteAndCount)
{
    const QByteArray record = copydata::encode(u"SH_YanShi"_s);
    ASSERT_EQ(record.size(), copydata::kHeaderSize + 10);
    EXPECT_EQ(qFromLittleEndian<quint32>(record.constData()), 0u);
    EXPECT_EQ(qFromLittleEndian<quint32>(record.constData() + 4), 10u);
    EXPECT_EQ(record.mid(copydata::kHeaderSize), QByteArray("SH_YanShi\0", 10));

    const QByteArray chinese = copydata::encode(u"准备接收"_s);
    EXPECT_EQ(qFromLittleEndian<quint32>(chinese.constData() + 4), 13u); // 4 × 3 bytes + zero
    EXPECT_EQ(copydata::decodeText(chinese.mid(copydata::kHeaderSize)), u"准备接收"_s);
    EXPECT_EQ(copydata::decodeText(QByteArray("SH_CaoZuo\0junk", 14)), u"SH_CaoZuo"_s);
    EXPECT_EQ(copydata::decodeText("SH_Cao"), u"SH_Cao"_s);
}

TEST_F(ChannelTest, ReceiverTakesTextUpToZeroWithinCountAndAcksAfterTheHandler)
{
    CopyDataReceiver receiver;
    ASSERT_TRUE(receiver.start(u"接收方"_s).ok());
    QStringList texts;
    bool handlerDone = false;
    QObject::connect(&receiver, &CopyDataReceiver::copyDataReceived, [&](const QString& t) {
        texts << t;
        handlerDone = true;
    });

    RawSender a(receiver.window().socketPath);
    a.write(rawRecord(QByteArray("SH_CaoZuo\0junk", 14), 14));
    EXPECT_TRUE(a.acknowledged());
    EXPECT_TRUE(handlerDone);

    // No zero byte: the count ends the text; the bytes after it start the next record.
    RawSender b(receiver.window().socketPath);
    b.write(rawRecord("SH_YanShi", 9).left(12));
    QCoreApplication::processEvents();
    b.write(rawRecord("SH_YanShi", 9).mid(12) + rawRecord(u"中文"_s.toUtf8(), 6));
    EXPECT_TRUE(b.acknowledged());
    EXPECT_TRUE(b.acknowledged());
    EXPECT_EQ(texts, (QStringList{u"SH_CaoZuo"_s, u"SH_YanShi"_s, u"中文"_s}));

    // A connection that only looks and leaves, then an oversized record: neither is delivered.
    {
        RawSender probe(receiver.window().socketPath);
    }
    RawSender huge(receiver.window().socketPath);
    huge.write(rawRecord("x", copydata::kMaxDataSize + 1));
    EXPECT_TRUE(huge.dropped());
    EXPECT_EQ(texts.size(), 3);
}

TEST_F(ChannelTest, AHandlerMayStopTheReceiverAndTheSenderIsStillReleased)
{
    auto receiver = std::make_unique<CopyDataReceiver>();
    ASSERT_TRUE(receiver->start(u"接收方"_s).ok());
    QObject::connect(receiver.get(), &CopyDataReceiver::copyDataReceived, [&] { receiver->stop(); });
    RawSender sender(receiver->window().socketPath);
    sender.write(copydata::encode(u"SH_YanShi"_s));
    EXPECT_TRUE(sender.acknowledged());
    EXPECT_FALSE(receiver->isListening());
    EXPECT_TRUE(windowregistry::findLast(u"接收方"_s).isNull());
}

TEST_F(ChannelTest, WithoutAPlayerNothingIsSentAndNothingShown)
{
    // Near misses, live in this process: only the exact whole title is the player's.
    QLocalServer server;
    ASSERT_TRUE(server.listen(*windowregistry::newSocketPath()));
    std::vector<std::unique_ptr<WindowRegistration>> nearMisses;
    for (const QString& title : {u"试题播放 "_s, u" 试题播放"_s, u"试题播放器"_s, u"试题"_s, u""_s})
        nearMisses.push_back(std::move(WindowRegistration::create(title, server.fullServerName()).value()));

    QStringList boxWords;
    auto result = sendPlayerCommand(
        u"SH_YanShi"_s,
        [&](const QString& w) {
            boxWords << w;
            return w;
        },
        std::chrono::seconds(60));
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(*result, PlayerCommandSent::NoPlayer);
    EXPECT_TRUE(findPlayerWindow().isNull());
    EXPECT_EQ(boxWords, QStringList{u"SH_YanShi"_s}); // the box still gets the word
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(server.waitForNewConnection(0));
}

TEST_F(ChannelTest, TheTextArrivesWholeAndTheSendReturnsAfterTheHandler)
{
    // The handler takes a while; the sender must not return before it has run.
    ReceiverPeer player(u"试题播放"_s, logFile(u"player.log"_s), 300);
    auto result = sendPlayerCommand(u"SH_YanShi"_s);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(*result, PlayerCommandSent::Handled);
    EXPECT_EQ(findPlayerWindow().pid, player.pid);
    EXPECT_EQ(player.received(), QStringList{u"SH_YanShi"_s});

    // What is sent is the text read back from the sender's box.
    result = sendPlayerCommand(u"SH_CaoZuo"_s, [](const QString& w) { return u"  "_s + w + u" 操作提示"_s; });
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(player.received(), (QStringList{u"SH_YanShi"_s, u"  SH_CaoZuo 操作提示"_s}));
}

TEST_F(ChannelTest, TheLastRegisteredPlayerGetsTheWordAndADeadOneIsSkipped)
{
    ReceiverPeer older(u"试题播放"_s, logFile(u"older.log"_s));
    ReceiverPeer newer(u"试题播放"_s, logFile(u"newer.log"_s));
    ASSERT_LT(older.sequence, newer.sequence);

    ASSERT_TRUE(sendPlayerCommand(u"SH_CaoZuo"_s).ok());
    EXPECT_TRUE(older.received().isEmpty());
    EXPECT_EQ(newer.received(), QStringList{u"SH_CaoZuo"_s});

    newer.kill();
    auto result = sendPlayerCommand(u"SH_YanShi"_s);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(*result, PlayerCommandSent::Handled);
    EXPECT_EQ(findPlayerWindow().sequence, older.sequence);
    EXPECT_EQ(older.received(), QStringList{u"SH_YanShi"_s});

    older.kill();
    EXPECT_EQ(*sendPlayerCommand(u"SH_YanShi"_s), PlayerCommandSent::NoPlayer);
    EXPECT_TRUE(windowregistry::liveWindows().empty());
}

TEST_F(ChannelTest, APlayerThatDoesNotAnswerReleasesTheSenderAfterTheTimeOut)
{
    ReceiverPeer player(u"试题播放"_s, logFile(u"player.log"_s));
    player.pause();
    auto result = sendPlayerCommand(u"SH_YanShi"_s, {}, std::chrono::milliseconds(300));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(boxes.shown.empty());
    player.resume();
    player.kill();

    // A window that takes the connection but never reads it.
    QLocalServer mute;
    ASSERT_TRUE(mute.listen(*windowregistry::newSocketPath()));
    auto registration = WindowRegistration::create(u"试题播放"_s, mute.fullServerName());
    ASSERT_TRUE(registration.ok());
    result = sendPlayerCommand(u"SH_YanShi"_s, {}, std::chrono::milliseconds(300));
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(findPlayerWindow().sequence, registration.value()->window().sequence);
}
