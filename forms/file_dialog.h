#pragma once

#include <QFileDialog>

class QString;
class QUrl;
class QWidget;

// A window's file dialog, as its window keeps it once made: the desktop's own where it offers one
// (a platform theme or portal), else Qt's; any file name accepted, also one that does not exist
// yet.
// An empty filter offers every file.
QFileDialog *make_file_dialog(QWidget *window, const QString &name, QFileDialog::AcceptMode mode,
                              const QString &filter);

// The file the user accepted, byte for byte. A desktop's dialog hands back a URL, whose
// percent-encoded bytes keep a name that is not UTF-8 (a Latin-1 "lat\xE4in.hex"); Qt's
// conversion to a path would replace them. Empty when nothing was accepted.
QString chosen_file(const QFileDialog *dialog);

// The local file the URL names, every byte kept (see native_text).
QString local_file_of(const QUrl &url);

// Runs the dialog; true when the user accepted a file. Once the dialog has closed, the window that
// opened it is active again with its keyboard focus where it was, and nothing of the dialog stays
// on the screen.
bool exec_file_dialog(QFileDialog *dialog);
