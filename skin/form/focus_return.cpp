#include "skin/form/focus_return.h"

#include <QApplication>

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
    if (!window_ || !window_->isVisible())
        return;
    window_->activateWindow();
    if (focus_ && focus_->window() == window_ && focus_->isVisible() && focus_->isEnabled())
        focus_->setFocus(Qt::ActiveWindowFocusReason);
}
