#include "skin/form/focus_return.h"

#include "skin/frameless/input_focus.h"

#include <QApplication>
#include <QTimer>

namespace {

// Long enough for the window manager to have answered the activation on a busy desktop.
constexpr int KeyboardCheckMs = 250;

} // namespace

FocusReturn::FocusReturn()
    : FocusReturn(QApplication::activeWindow())
{
}

FocusReturn::FocusReturn(QWidget *window)
    : window_(window ? window->window() : nullptr)
    , focus_(window_ ? window_->focusWidget() : nullptr)
{
}

void FocusReturn::handOver() const
{
    if (window_ && window_->isVisible())
        window_->activateWindow();
}

void FocusReturn::giveBack() const
{
    // From the event loop, once the handler that closed the dialog is over: a handler that closes a
    // chain of windows (the driver window, then the options) leaves only the last window shown to
    // take the keyboard. Activating a window that is hidden a moment later races with the window
    // manager's own choice after the hiding.
    if (!window_)
        return;
    QTimer::singleShot(0, window_.data(), [window = window_, focus = focus_] {
        if (!window || !window->isVisible())
            return;
        const auto focus_control = [window, focus] {
            if (focus && focus->window() == window && focus->isVisible() && focus->isEnabled())
                focus->setFocus(Qt::ActiveWindowFocusReason);
        };
        window->activateWindow();
        focus_control();
        // The window manager may still have put the keyboard nowhere: then the window takes it.
        QTimer::singleShot(KeyboardCheckMs, window.data(), [window, focus_control] {
            const QWidget *active = QApplication::activeWindow();
            if (window && window->isVisible() && (!active || !active->isVisible())) {
                take_keyboard_focus(window);
                focus_control();
            }
        });
    });
}
