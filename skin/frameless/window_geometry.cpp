#include "skin/frameless/window_geometry.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace {
constexpr int OutsideLeftTopRight = 2;
constexpr int InsideBottom = 1;
} // namespace

QRect maximized_bounds(const QWidget *mainWindow)
{
    const QScreen *screen = mainWindow ? mainWindow->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->availableGeometry();
    return QRect(area.left() - OutsideLeftTopRight, area.top() - OutsideLeftTopRight,
                 area.width() + 2 * OutsideLeftTopRight, area.height() - InsideBottom + OutsideLeftTopRight);
}

QPoint centred_in(const QSize &window, const QRect &area)
{
    // (free space) div 2 from the area's corner: QRect::center() rounds the other way when the free space is even.
    const QPoint centred(area.left() + (area.width() - window.width()) / 2,
                         area.top() + (area.height() - window.height()) / 2);
    return {qMax(area.left(), centred.x()), qMax(area.top(), centred.y())};
}

void minimize_application()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
            window->showMinimized();
    }
}
