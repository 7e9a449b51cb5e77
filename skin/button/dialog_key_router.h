#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// Gives Enter and Escape to the skinned buttons of a window: Enter to the button that is the
// window's active default, Escape to its cancel button. One router per window, installed as an
// event filter on it, so it sees the keys that the focused control did not want (an edit passes
// Enter on, a memo keeps it). Buttons call Offer() for keys that reach them directly.
class TsuiDialogKeyRouter : public QObject {
    Q_OBJECT

public:
    // Installs the router on the window unless it already has one.
    static void Attach(QWidget *window);

    // Lets the window's skinned buttons, in child order, take a dialog key; true when one did.
    static bool Offer(QWidget *window, const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TsuiDialogKeyRouter(QWidget *window);
};
