#pragma once

#include <QString>

class QWidget;

// The widget set's own error box (English texts): a control refuses a change that breaks one of
// its rules, shows why, and the caller leaves its state as it was. Returns once it is closed.
void show_widget_set_error(QWidget *parent, const QString &text);
