#pragma once

#include <QLocale>
#include <QWidget>

// Whether a control lays itself out right to left: its own direction asks for it and the system
// runs a right-to-left (Middle-East) locale. The direction alone, on any other system, changes
// nothing, so a window built for both kinds of system looks the same on a left-to-right one.
inline bool mirrored_layout(Qt::LayoutDirection direction)
{
    return direction != Qt::LeftToRight && QLocale::system().textDirection() == Qt::RightToLeft;
}

inline bool mirrored_layout(const QWidget *control) { return mirrored_layout(control->layoutDirection()); }
