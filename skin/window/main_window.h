#pragma once

class QWidget;

// The application's main window: the first window offered that still exists (null before one is
// offered). Minimizing it minimizes the application.
QWidget *application_main_window();

// Makes the window the main window unless one still exists.
void offer_application_main_window(QWidget *window);
