#pragma once

#include <QRect>

class QWidget;

// The bounds a maximized frameless window takes: the work area of the monitor that shows the
// application's main window (the primary monitor without one), two pixels further out on the
// left, top and right and one pixel in at the bottom, so the drawn border sits off the screen.
QRect maximized_bounds(const QWidget *mainWindow);

// Where a window of that size sits centred in the area; one larger than the area keeps its top
// left corner, with the title bar and its control box, inside it.
QPoint centred_in(const QSize &window, const QRect &area);

// Minimizes every visible top-level window of the application, as the platform does when the
// main window's minimize command runs.
void minimize_application();
