#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading and writing small 8-bit text files as lists of lines (CR LF, a lone CR or LF each end
// a line), the way the settings, fuse description and transfer files are kept. No file is read
// further than its reader needs: a damaged or hostile file may be gigabytes long.

// How far a file is read: up to its max_lines-th line, and never more than max_bytes bytes.
struct ReadBound {
    int max_lines;
    qsizetype max_bytes;
};

// Loads the file's lines within the bound; a line the byte bound cuts ends where the bound is.
// Throws "cannot open" when the file cannot be read.
QStringList load_text_lines(const QString &file_name, ReadBound bound);

// The first bytes of the file, at most max_bytes, and whether the file goes on after them.
// Throws "cannot open" when the file cannot be read.
struct FileHead {
    QByteArray bytes;
    bool cut = false;
};
FileHead read_file_head(const QString &file_name, qsizetype max_bytes);

// The file's bytes after its first line, which is passed over whatever its length (up to a bound
// of its own): for a save that replaces it. Throws "cannot open" when the file cannot be read,
// "list index" when it is empty, and "too large" when the rest exceeds max_bytes.
QByteArray lines_after_first(const QString &file_name, qsizetype max_bytes);

// Each line by itself: valid UTF-8 is read as UTF-8, anything else as code page 1252 (Latin-1
// where 1252 has no character), so one stray byte spoils no other line and no byte is lost.
QString decode_file_line(const QByteArray &line);

// Whether save_file_atomically can replace this existing file: it may be written, is not marked
// read-only, and its folder takes the new file that is renamed over it.
bool can_replace_file(const QString &file_name);

// Replaces the file's content as a whole or not at all; throws "cannot create" on failure.
void save_file_atomically(const QString &file_name, const QByteArray &content);
