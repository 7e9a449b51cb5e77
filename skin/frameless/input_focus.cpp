#include "skin/frameless/input_focus.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

#if defined(QUILLON_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace {

#if defined(QUILLON_HAVE_XCB) && QT_CONFIG(xcb)
template <typename Reply> using ReplyOf = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyOf<Reply> owned(Reply *reply) { return ReplyOf<Reply>(reply, &std::free); }

// The window the window manager names as active on the screen of `window`; XCB_NONE when it
// names none or does not say.
xcb_window_t active_window(xcb_connection_t *connection, xcb_window_t window)
{
    static constexpr char Name[] = "_NET_ACTIVE_WINDOW";
    const auto tree = owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    const auto atom = owned(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof Name - 1, Name), nullptr));
    if (!tree || !atom || atom->atom == XCB_ATOM_NONE)
        return XCB_NONE;
    const auto property = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, tree->root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!property || xcb_get_property_value_length(property.get()) < static_cast<int>(sizeof(xcb_window_t)))
        return XCB_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(property.get()));
}

// A window of this program, shown or hidden: the window manager may still name a window of ours
// it has just seen hidden.
bool is_ours(xcb_window_t window)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [window](const QWidget *own) { return own->internalWinId() == window; });
}
#endif

} // namespace

void take_keyboard_focus(QWidget *window)
{
    if (!window || !window->isVisible())
        return;
#if defined(QUILLON_HAVE_XCB) && QT_CONFIG(xcb)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform answers as an X11 application that has no connection.
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr) {
        const auto own = static_cast<xcb_window_t>(window->winId());
        if (const xcb_window_t active = active_window(connection, own); active != XCB_NONE && !is_ours(active))
            return;
        // The server's own current time: later than any focus change the window manager made.
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, own, XCB_CURRENT_TIME);
        xcb_flush(connection);
        return;
    }
#endif
    window->activateWindow();
}
