#pragma once

class QRect;
class QString;
class QWidget;
class TsuiButton;

// A captioned push button as the windows have them: named, in the MacOS look, at its designed
// place.
TsuiButton *make_window_button(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);
