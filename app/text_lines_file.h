#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading and writing small 8-bit text files as lists of lines (CR LF, a lone CR or LF each end
// a line), the way the settings, fuse description and transfer files are kept.

// Loads the file as lines; throws "cannot open" when it cannot be read.
QStringList load_text_lines(const QString &file_name);

// Bytes that are valid UTF-8 are read as UTF-8, others as Latin-1, so no byte is lost.
QString decode_file_text(const QByteArray &bytes);

// Whether save_file_atomically can replace this existing file: it may be written, is not marked
// read-only, and its folder takes the new file that is renamed over it.
bool can_replace_file(const QString &file_name);

// Replaces the file's content as a whole or not at all; throws "cannot create" on failure.
void save_file_atomically(const QString &file_name, const QByteArray &content);
