#pragma once

#include "common/result.h"
#include "platform/windowregistry.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class QTimer;

namespace pptdrill {

class LocalConnection;
class LocalExchange;
class LocalListener;

// The player window's title; the channel finds the player by it, exactly and in full.
QString playerWindowTitle();

inline const QString kCaoZuoWord = QStringLiteral("SH_CaoZuo");
inline const QString kYanShiWord = QStringLiteral("SH_YanShi");

// How long a send waits for the player to handle the text before giving up,
// so that a hung player never freezes the sender.
inline constexpr std::chrono::milliseconds kSendTimeout{3000};

// The player window a command goes to: the last one registered under the
// player's title; null when there is none.
RegisteredWindow findPlayerWindow();

// The copy-data record as it travels: dwData (32 bits, unused), cbData (32
// bits, unsigned) and cbData bytes of text in UTF-8 with a terminating zero.
// The receiver answers one byte once it has handled the text.
namespace copydata {
inline constexpr int kHeaderSize = 8;
inline constexpr quint32 kMaxDataSize = 64 * 1024;
QByteArray encode(const QString& text);
// The text of `data`: up to its first zero byte, never beyond it.
QString decodeText(const QByteArray& data);
} // namespace copydata

// The sender's text box: the word goes in, the text read back from it is what
// is sent. The question bar passes its hidden "sendnr" box.
using SendBox = std::function<QString(const QString& word)>;

enum class PlayerCommandSent
{
    NoPlayer, // no player window: nothing was sent
    Handled,  // the player has handled the text
};

// Finds the player window (the last one registered under the player title)
// and sends it `word`, returning once the player has handled it. A player that
// does not answer within `timeout`, or goes away meanwhile, gives a failure.
Result<PlayerCommandSent> sendPlayerCommand(const QString& word, const SendBox& sendBox = {},
                                            std::chrono::milliseconds timeout = kSendTimeout);

// Sends command words to the player without waiting for it: the sender's
// event loop runs on (its clock and buttons stay alive) while the player
// handles the word. One word at a time: a word given while another is on its
// way is dropped, not queued.
class PlayerCommandSender : public QObject
{
    Q_OBJECT

public:
    explicit PlayerCommandSender(QObject* parent = nullptr, std::chrono::milliseconds timeout = kSendTimeout);
    ~PlayerCommandSender() override;

    // Looks up the player and starts sending `word` (read back through
    // `sendBox`, as sendPlayerCommand does). False, with nothing done, while an
    // earlier word is still on its way.
    bool send(const QString& word, const SendBox& sendBox = {});
    bool isSending() const { return m_socket != nullptr; }

signals:
    // The end of a send: handled by the player, no player window (handled
    // false, no error), or a failure with its reason.
    void finished(bool handled, const QString& error);

private:
    void finish(bool handled, const QString& error);

    std::chrono::milliseconds m_timeout;
    LocalExchange* m_socket = nullptr;
    QTimer* m_timer = nullptr;
};

// The receiving side: a local server registered in the window registry under a
// window title. Each record's text is emitted with copyDataReceived, and the
// sender is released only after every connected handler has returned.
class CopyDataReceiver : public QObject
{
    Q_OBJECT

public:
    explicit CopyDataReceiver(QObject* parent = nullptr);
    ~CopyDataReceiver() override;

    // Listens and registers under `title`. Calling it again re-registers.
    Status start(const QString& title);
    // Follows a change of the window title.
    Status setTitle(const QString& title);
    // Unregisters and stops listening; pending senders are released.
    void stop();

    bool isListening() const;
    // The registry entry; null when not registered.
    RegisteredWindow window() const;

signals:
    void copyDataReceived(const QString& text);

private:
    void acceptConnection(LocalConnection* socket);
    void readRecords(LocalConnection* socket);

    LocalListener* m_server = nullptr; // a child; its connections are its children
    std::unique_ptr<WindowRegistration> m_registration;
};

} // namespace pptdrill
