#pragma once

#include "common/result.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace pptdrill {

// One top-level window that takes copy-data requests on a local socket.
struct RegisteredWindow
{
    quint64 sequence = 0; // registration order, from 1; 0 is no window
    QString title;
    QString socketPath;
    qint64 pid = 0;

    bool isNull() const { return sequence == 0; }
};

// The user's registry of top-level windows that take copy-data: one file per
// window in a private folder of the runtime folder, named by a sequence number
// that a lock-protected counter hands out, so several processes can register
// at once and the entries still sort in registration order.
namespace windowregistry {

// The registry folder; made (mode 0700) when missing.
Result<QString> folder();

// A fresh socket path in the registry folder for a window that is about to register.
Result<QString> newSocketPath();

// The live entries in registration order. An entry whose process has ended,
// or whose socket refuses connections, is removed on the way.
std::vector<RegisteredWindow> liveWindows();

// The live window registered last under exactly `title`; a null window when none.
RegisteredWindow findLast(const QString& title);

} // namespace windowregistry

// The registry entry of one window of this process; it is removed with the object.
class WindowRegistration
{
public:
    // Registers a window that already listens on `socketPath`.
    static Result<std::unique_ptr<WindowRegistration>> create(const QString& title,
                                                              const QString& socketPath);
    ~WindowRegistration();

    WindowRegistration(const WindowRegistration&) = delete;
    WindowRegistration& operator=(const WindowRegistration&) = delete;

    Status setTitle(const QString& title);
    const RegisteredWindow& window() const { return m_window; }

private:
    WindowRegistration(RegisteredWindow window, QString entryPath);

    RegisteredWindow m_window;
    QString m_entryPath;
};

} // namespace pptdrill
