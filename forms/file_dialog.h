#pragma once

#include <QFileDialog>

class QString;
class QWidget;

// A window's file dialog, as its window keeps it once made: the desktop's own where it offers one
// (a platform theme or portal), else Qt's; any file name accepted, also one that does not exist
// yet.
// An empty filter offers every file.
QFileDialog *make_file_dialog(QWidget *window, const QString &name, QFileDialog::AcceptMode mode,
                              const QString &filter);
