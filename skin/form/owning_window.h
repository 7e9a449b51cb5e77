#pragma once

class QWidget;

// The window a control's input is meant for: its own window, or for a drop-down or list (a
// popup) the window it drops from.
QWidget *owning_window(const QWidget *widget);

// Whether a modal window other than the control's own window is open: then the control takes
// nothing, as Qt holds back mouse and keys from it.
bool blocked_by_modal_window(const QWidget *widget);
