#pragma once

#include <QString>

// The one setting Quillon keeps: the avrdude path, line 1 of options.ini beside the executable.
// Further lines are neither read nor interpreted, but survive a save.

QString settings_file_name();

// The process-wide copy every avrdude command line starts with; empty until first refreshed.
const QString &avrdude_path();

// Loads options.ini and sets the avrdude path to line 1.
void refresh_avrdude_path();

// Line 1 of options.ini, without touching the process-wide path.
QString read_settings_line1();

// Replaces line 1 and writes the file back whole. The caller then refreshes the path.
void save_avrdude_path(const QString &text);
