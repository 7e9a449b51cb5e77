#include "skin/dialog/window_placement.h"

#include "skin/form/tform.h"
#include "skin/frameless/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

void centre_in(QWidget *window, const QRect &area)
{
    if (area.isValid())
        window->move(centred_in(window->size(), area));
}

QRect screen_area()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

void place_window(QWidget *window, TPosition position)
{
    switch (position) {
    case TPosition::poScreenCenter:
        centre_in(window, screen_area());
        break;
    case TPosition::poDesktopCenter: {
        const QScreen *screen = QGuiApplication::primaryScreen();
        centre_in(window, screen ? screen->availableVirtualGeometry() : QRect());
        break;
    }
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        // The message window belongs to the application, so its owner is the main window too.
        const QWidget *main = application_main_window();
        centre_in(window, main && main != window && main->isVisible() ? main->frameGeometry() : screen_area());
        break;
    }
    case TPosition::poDesigned:
    case TPosition::poDefault:
    case TPosition::poDefaultPosOnly:
    case TPosition::poDefaultSizeOnly:
        break;
    }
}
