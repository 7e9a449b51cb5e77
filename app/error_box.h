#pragma once

#include <QString>

// The application's default error box: a skinned message window with the application title as
// caption, the stop icon and one OK button.
// A full stop is appended when the message's last character sorts after the full stop.
QString error_box_text(const QString &message);
void show_error_box(const QString &message);
