#include "platform/widgets/windowsystem.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <xcb/xcb.h>

namespace pptdrill {

namespace {

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template <typename Reply> struct FreeReply
{
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<quint16>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window manager lists `atom` among the hints it supports.
bool rootSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t atom)
{
    const xcb_atom_t supported = atomNamed(connection, "_NET_SUPPORTED");
    if (atom == XCB_ATOM_NONE || supported == XCB_ATOM_NONE)
        return false;
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, atom) != atoms + count;
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

bool startSystemMove(QWidget* window, QPoint globalPos)
{
    QWindow* handle = window->windowHandle();
    if (!handle)
        return false;
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return handle->startSystemMove();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const ReplyPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    if (!tree)
        return false;
    const xcb_window_t root = tree->root;
    const xcb_atom_t moveResize = atomNamed(connection, "_NET_WM_MOVERESIZE");
    if (!rootSupports(connection, root, moveResize))
        return false;
    const QPoint at = (QPointF(globalPos) * window->devicePixelRatioF()).toPoint();
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = moveResize;
    message.data.data32[0] = static_cast<quint32>(at.x());
    message.data.data32[1] = static_cast<quint32>(at.y());
    message.data.data32[2] = 8; // move
    message.data.data32[3] = XCB_BUTTON_INDEX_1;
    message.data.data32[4] = 1; // asked for by an application
    xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}

} // namespace windowsystem

namespace {

// Hands the visibility changes of the watched windows to their watches; Qt
// itself never asks for them.
class CoverFilter : public QAbstractNativeEventFilter
{
public:
    static CoverFilter& instance()
    {
        static CoverFilter* filter = [] {
            auto* created = new CoverFilter;
            QCoreApplication::instance()->installNativeEventFilter(created);
            return created;
        }();
        return *filter;
    }

    void add(xcb_window_t window, CoverWatch* watch) { m_watches[window] = watch; }
    void remove(xcb_window_t window) { m_watches.erase(window); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY)
            return false;
        const auto* visibility = reinterpret_cast<const xcb_visibility_notify_event_t*>(event);
        const auto found = m_watches.find(visibility->window);
        if (found == m_watches.end())
            return false;
        if (visibility->state != XCB_VISIBILITY_UNOBSCURED && found->second)
            emit found->second->covered();
        return true;
    }

private:
    std::map<xcb_window_t, QPointer<CoverWatch>> m_watches;
};

} // namespace

CoverWatch::CoverWatch(QWidget* window) : QObject(window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // The window's event mask is Qt's: the visibility changes are added to it.
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr));
    if (!attributes)
        return;
    const quint32 mask = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
    xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    m_watched = id;
    CoverFilter::instance().add(id, this);
}

CoverWatch::~CoverWatch()
{
    if (m_watched)
        CoverFilter::instance().remove(m_watched);
}

} // namespace pptdrill

#include "moc_windowsystem.cpp"
