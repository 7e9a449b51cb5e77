#pragma once

class QWidget;

// Gives the keyboard to a shown window of ours at once, without asking the window manager. Only
// for when a request through the window manager was lost and the keyboard is in no window of
// ours: on X11 a request carries the time of the last input, and a window manager that moved the
// keyboard itself since then (after a window was hidden) makes the server ignore it. When the
// window manager names another program's window as the active one, the user has gone there, and
// the keyboard is left where it is.
void take_keyboard_focus(QWidget *window);
