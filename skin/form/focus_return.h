#pragma once

#include <QPointer>
#include <QWidget>

// Remembers a window and the control in it that has the keyboard, and gives the keyboard back to
// them once a dialog opened in between has closed. The window manager may hand the activation
// elsewhere, or a popup of the dialog may have taken it; the user expects to type on where they
// were.
class FocusReturn {
public:
    // The window active now.
    FocusReturn();
    explicit FocusReturn(QWidget *window);

    QWidget *window() const { return window_; }
    // Asks at once for the window's activation, while the dialog is still shown: the window
    // manager then never sees the window with the keyboard disappear, and has nothing to choose
    // (it might choose another program's window). Called just before the dialog hides.
    void handOver() const;
    // Activates the window, when it is still shown once the current handler is over, and focuses
    // its control again.
    void giveBack() const;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};
