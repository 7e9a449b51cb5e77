#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

// avrdude and the driver scripts write console text: UTF-8 on a modern system, an 8-bit OEM code
// page on older ones, and one run can mix both (a file name in one line, a programmer's answer in
// the next). So each line is decoded on its own: valid UTF-8 as such, anything else as code page
// 850. A byte order mark is dropped at the start of the text only.
//
// Lines: each CR, each LF and each CR LF pair ends a line; a break at the very end adds no empty
// line; empty lines inside remain; a NUL ends the text. Nothing is trimmed.
//
// ConsoleLines takes the text as it arrives, in chunks of any size, and yields each line once it
// is complete: the same lines, whatever the chunks.
class ConsoleLines {
public:
    ConsoleLines();

    // Takes the next chunk; the lines it completes are appended to `lines`.
    void feed(QByteArrayView chunk, QStringList &lines);
    // The text has ended: a last line without a break is appended to `lines`.
    void finish(QStringList &lines);

    // The line still being written, decoded as far as it has come, for a live view: at most
    // `max_characters` of it, and whether more is held back.
    bool hasUnfinished() const { return !unfinished_.isEmpty(); }
    QString unfinished(qsizetype max_characters, bool *more) const;

private:
    void completeLine(QByteArrayView line, bool ascii, QStringList &lines);
    QString decode(QByteArrayView line);

    QByteArray unfinished_;     // bytes of the line being written
    bool unfinished_ascii_ = true;
    bool after_cr_ = false;     // an LF right after a CR ends no further line
    bool ended_ = false;        // a NUL was seen: nothing after it counts
    bool first_line_ = true;
    QStringDecoder utf8_text_start_;
    QStringDecoder utf8_;
    QStringDecoder oem_;
};

// The lines of a whole console text.
QStringList console_lines(QByteArrayView text);

// One line's bytes (or a piece of one, such as a port name), decoded by the same rule.
QString decode_console_line(QByteArrayView line);
