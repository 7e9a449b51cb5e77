#include "skin/form/owning_window.h"

#include <QApplication>
#include <QWidget>

QWidget *owning_window(const QWidget *widget)
{
    QWidget *window = widget->window();
    while (window->windowType() == Qt::Popup) {
        // A popup without a parent (a completer's list) belongs to the window that is active.
        QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : QApplication::activeWindow();
        if (!owner || owner == window)
            break;
        window = owner;
    }
    return window;
}

bool blocked_by_modal_window(const QWidget *widget)
{
    const QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    const QWidget *window = owning_window(widget);
    return window != modal && !modal->isAncestorOf(window);
}
