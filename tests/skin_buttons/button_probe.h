#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

// Helpers shared by the button tests: rendering a control as its window shows it, and making a
// window the active one so that focus, keys and accelerators reach it.
namespace button_probe {

inline QImage Render(QWidget *control)
{
    return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QRgb Rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

inline bool Activate(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 2000);
}

} // namespace button_probe
