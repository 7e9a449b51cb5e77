#include "skin/frameless/input_focus.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(QUILLON_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

void take_keyboard_focus(QWidget *window)
{
    if (!window || !window->isVisible())
        return;
#if defined(QUILLON_HAVE_XCB) && QT_CONFIG(xcb)
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        // The server's own current time: later than any focus change the window manager made.
        xcb_set_input_focus(x11->connection(), XCB_INPUT_FOCUS_PARENT, static_cast<xcb_window_t>(window->winId()),
                            XCB_CURRENT_TIME);
        xcb_flush(x11->connection());
        return;
    }
#endif
    window->activateWindow();
}
