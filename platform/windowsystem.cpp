#include "platform/windowsystem.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>

namespace pptdrill {

namespace {

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

std::vector<xcb_window_t> rootWindows(xcb_connection_t* connection)
{
    std::vector<xcb_window_t> roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem; xcb_screen_next(&it))
        roots.push_back(it.data->root);
    return roots;
}

template <typename Reply> struct FreeReply
{
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

// The child of the root that holds `window`: the window itself, or the frame
// a window manager put it in.
xcb_window_t topLevelOf(xcb_connection_t* connection, xcb_window_t window)
{
    for (int depth = 0; depth < 8; ++depth) {
        const ReplyPtr<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree || tree->parent == XCB_NONE || tree->parent == tree->root)
            return window;
        window = tree->parent;
    }
    return window;
}

// `shown` (a child of the root) is one of this program's windows or its frame.
bool isWindowOfThisProgram(xcb_connection_t* connection, xcb_window_t shown)
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (!window->handle() || !window->isTopLevel())
            continue;
        const auto id = static_cast<xcb_window_t>(window->winId());
        if (id == shown || topLevelOf(connection, id) == shown)
            return true;
    }
    return false;
}

} // namespace

namespace windowsystem {

void forgetIconicStart(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window->windowHandle() || !window->windowHandle()->handle())
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // WM_HINTS: flags, input, initial_state, icon_pixmap, icon_window, icon_x,
    // icon_y, icon_mask, window_group.
    constexpr int kFields = 9;
    constexpr quint32 kStateHint = 1u << 1;
    constexpr quint32 kNormalState = 1;
    quint32 hints[kFields] = {};
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kFields),
        nullptr));
    if (reply && reply->format == 32) {
        const int length = std::min(xcb_get_property_value_length(reply.get()) / 4, kFields);
        const auto* values = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
        std::copy(values, values + length, hints);
    }
    if ((hints[0] & kStateHint) && hints[2] == kNormalState)
        return;
    hints[0] |= kStateHint;
    hints[2] = kNormalState;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        kFields, hints);
    xcb_flush(connection);
}

} // namespace windowsystem

// Follows the mapping of every top-level window: the roots' substructure
// events, which Qt itself never asks for, are taken here and kept from Qt.
class WindowArrivals::X11Watch : public QAbstractNativeEventFilter
{
public:
    X11Watch(WindowArrivals* arrivals, xcb_connection_t* connection)
        : m_arrivals(arrivals), m_connection(connection), m_roots(rootWindows(connection))
    {
        for (xcb_window_t root : m_roots) {
            const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, root), nullptr));
            const quint32 mask =
                (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
            xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        }
        xcb_flush(connection);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_MAP_NOTIFY: {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            if (!isRoot(map->event) || map->window == map->event)
                return false;
            // Menus and tooltips (override-redirect) are no windows of their own.
            if (!map->override_redirect && !isWindowOfThisProgram(m_connection, map->window) && m_arrivals)
                emit m_arrivals->otherWindowShown();
            return true;
        }
        case XCB_CREATE_NOTIFY:
            return isRoot(reinterpret_cast<const xcb_create_notify_event_t*>(event)->parent);
        case XCB_DESTROY_NOTIFY:
            return isRootChildEvent<xcb_destroy_notify_event_t>(event);
        case XCB_UNMAP_NOTIFY:
            return isRootChildEvent<xcb_unmap_notify_event_t>(event);
        case XCB_REPARENT_NOTIFY:
            return isRootChildEvent<xcb_reparent_notify_event_t>(event);
        case XCB_CONFIGURE_NOTIFY:
            return isRootChildEvent<xcb_configure_notify_event_t>(event);
        case XCB_GRAVITY_NOTIFY:
            return isRootChildEvent<xcb_gravity_notify_event_t>(event);
        case XCB_CIRCULATE_NOTIFY:
            return isRootChildEvent<xcb_circulate_notify_event_t>(event);
        default:
            return false;
        }
    }

private:
    bool isRoot(xcb_window_t id) const
    {
        return std::find(m_roots.begin(), m_roots.end(), id) != m_roots.end();
    }

    // An event about a child of a root, reported to the root: only the watch asked for it.
    template <typename Event> bool isRootChildEvent(const xcb_generic_event_t* event) const
    {
        const auto* e = reinterpret_cast<const Event*>(event);
        return isRoot(e->event) && e->window != e->event;
    }

    QPointer<WindowArrivals> m_arrivals;
    xcb_connection_t* m_connection;
    std::vector<xcb_window_t> m_roots;
};

WindowArrivals& WindowArrivals::instance()
{
    static QPointer<WindowArrivals> arrivals;
    if (!arrivals)
        arrivals = new WindowArrivals();
    return *arrivals;
}

WindowArrivals::WindowArrivals() : QObject(QCoreApplication::instance())
{
    if (xcb_connection_t* connection = x11Connection()) {
        m_watch = std::make_unique<X11Watch>(this, connection);
        QCoreApplication::instance()->installNativeEventFilter(m_watch.get());
    }
}

WindowArrivals::~WindowArrivals() = default;

} // namespace pptdrill
