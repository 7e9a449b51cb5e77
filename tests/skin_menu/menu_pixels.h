#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QWidget>

#include "tests/support/program_dir_files.h"

// Counts the pixels of that colour inside rect.
inline int count_colour(const QImage &image, const QRect &rect, const QColor &colour)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                ++n;
    return n;
}

// The colours found inside rect.
inline QSet<QRgb> colours_in(const QImage &image, const QRect &rect)
{
    QSet<QRgb> colours;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

// Text is drawn antialiased, so its colour is found as the pixels close to it.
inline bool has_pixel_near(const QImage &image, const QRect &rect, const QColor &colour, int tolerance = 0x30)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) <= tolerance && qAbs(c.green() - colour.green()) <= tolerance &&
                qAbs(c.blue() - colour.blue()) <= tolerance)
                return true;
        }
    return false;
}

// The bounding box of the pixels inside rect that are not `background`.
inline QRect ink_box(const QImage &image, const QRect &rect, const QColor &background)
{
    QRect box;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) != background.rgb())
                box |= QRect(x, y, 1, 1);
    return box;
}

// Shows the main window the way the program does; its show handler reads the settings file.
inline void show_main_window(QWidget &window)
{
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    window.show();
}
