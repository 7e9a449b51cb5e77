#include "skin/window/main_window.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget> &main_window_slot()
{
    static QPointer<QWidget> main_window;
    return main_window;
}
} // namespace

QWidget *application_main_window() { return main_window_slot(); }

void offer_application_main_window(QWidget *window)
{
    if (!main_window_slot())
        main_window_slot() = window;
}
