#include "skin/form/focus_return.h"

#include <QApplication>
#include <QTimer>

FocusReturn::FocusReturn()
    : FocusReturn(QApplication::activeWindow())
{
}

FocusReturn::FocusReturn(QWidget *window)
    : window_(window ? window->window() : nullptr)
    , focus_(window_ ? window_->focusWidget() : nullptr)
{
}

void FocusReturn::giveBack() const
{
    // From the event loop, once the handler that closed the dialog is over: a handler that closes a
    // chain of windows (the driver window, then the options) leaves only the last window shown to
    // take the keyboard. Activating a window that is hidden a moment later races with the window
    // manager's own choice after the hiding, and the keyboard may end up in no window at all.
    if (!window_)
        return;
    QTimer::singleShot(0, window_.data(), [window = window_, focus = focus_] {
        if (!window || !window->isVisible())
            return;
        window->activateWindow();
        if (focus && focus->window() == window && focus->isVisible() && focus->isEnabled())
            focus->setFocus(Qt::ActiveWindowFocusReason);
    });
}
