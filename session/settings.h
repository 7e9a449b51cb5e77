#pragma once

#include <QString>

// The one setting Quillon keeps: the avrdude path, line 1 of options.ini. Further lines are
// neither read nor interpreted, but survive a save.
//
// An installed Quillon belongs to root, so a user's own copy in $XDG_CONFIG_HOME/quillon/ comes
// first when it exists; otherwise the file beside the executable is the one. A save goes where the
// file is read from, except that a ProgramDir file that cannot be replaced (installed, read-only)
// is copied into the user's folder with the new line 1. A portable Quillon with a writable
// ProgramDir therefore keeps using the file beside it.

// The file that is read: the user's own when it exists, else the one in ProgramDir.
QString settings_file_name();
QString program_settings_file_name();
QString user_settings_file_name();

// Line 1 of options.ini.
QString read_settings_line1();

// Replaces line 1 and writes the file back whole.
void save_avrdude_path(const QString &text);
