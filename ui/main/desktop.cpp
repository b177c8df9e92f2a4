// desktop.cpp: X11 window-manager hints through xcb, Wayland's limits, and the immediate end.
#include "desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

// Present only in a build with LeakSanitizer; the immediate exit skips its own check at exit.
extern "C" __attribute__((weak)) void __lsan_do_leak_check();

namespace tintwise::ui {

namespace {

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* x11Connection()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t rootOf(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// A 32-bit property of window, or an empty list.
std::vector<uint32_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

bool windowManagerSupports(xcb_connection_t* connection, const char* name)
{
    const std::vector<uint32_t> supported =
        property(connection, rootOf(connection), atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), atom(connection, name)) != supported.end();
}

void sendToRoot(xcb_connection_t* connection, xcb_window_t window, const char* type,
                std::array<uint32_t, 5> data)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(connection, type);
    std::copy(data.begin(), data.end(), event.data.data32);
    xcb_send_event(connection, 0, rootOf(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

// The frame the window manager will draw around window (left, right, top, bottom, in device
// pixels). A window manager that knows _NET_REQUEST_FRAME_EXTENTS answers before the window is
// mapped, in a few milliseconds; one that takes longer, or none at all, leaves no frame.
std::array<uint32_t, 4> frameExtents(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    if (windowManagerSupports(connection, "_NET_REQUEST_FRAME_EXTENTS")) {
        sendToRoot(connection, window, "_NET_REQUEST_FRAME_EXTENTS", {});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        do {
            const std::vector<uint32_t> found =
                property(connection, window, extents, XCB_ATOM_CARDINAL);
            if (found.size() == 4) {
                return {found[0], found[1], found[2], found[3]};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (std::chrono::steady_clock::now() < deadline);
    }
    return {0, 0, 0, 0};
}

} // namespace

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QRect workArea(const QWidget* window)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

void centreFrameOn(QWidget* window, const QRect& area)
{
    if (onWayland() || area.isEmpty()) {
        return;
    }
    QMargins frame;
    if (xcb_connection_t* connection = x11Connection()) {
        const auto [left, right, top, bottom] =
            frameExtents(connection, xcb_window_t(window->winId()));
        // The window manager counts device pixels; the widgets, logical ones.
        const qreal ratio = window->devicePixelRatioF();
        frame = QMargins(qRound(left / ratio), qRound(top / ratio), qRound(right / ratio),
                         qRound(bottom / ratio));
    }
    QRect outer(QPoint(), window->size().grownBy(frame));
    outer.moveCenter(area.center());
    window->setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window->size()));
}

void centreOnScreen(QWidget* window) { centreFrameOn(window, workArea(window)); }

void keepOutOfTaskBar(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return;
    }
    // Before the window is mapped the state is its own property, which Qt keeps when it adds
    // its own states; a window manager that already manages the window hears it as a request.
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), nullptr));
    if (attributes && attributes->map_state == XCB_MAP_STATE_UNMAPPED) {
        std::vector<uint32_t> states = property(connection, id, state, XCB_ATOM_ATOM);
        if (std::find(states.begin(), states.end(), skip) == states.end()) {
            states.push_back(skip);
        }
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                            uint32_t(states.size()), states.data());
        xcb_flush(connection);
    } else {
        sendToRoot(connection, id, "_NET_WM_STATE", {1, skip, 0, 1, 0});
    }
}

void bringBack(QWidget* window)
{
    if (onWayland() && window->isVisible()) {
        window->hide();
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void endProgramNow(int status)
{
    std::fflush(nullptr);
    if (__lsan_do_leak_check != nullptr) {
        __lsan_do_leak_check();
    }
    _exit(status);
}

} // namespace tintwise::ui
