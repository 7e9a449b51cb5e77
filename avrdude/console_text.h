#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

// avrdude and the driver scripts write console text: UTF-8 on a modern system, an 8-bit OEM code
// page on older ones. Bytes that are valid UTF-8 are taken as such, anything else as code page 850.
QString decode_console_text(const QByteArray &bytes);

// Decodes a stream as it arrives, by the same rule: UTF-8 while the bytes are valid UTF-8, code
// page 850 from the first byte that is not. A live view only; the report decodes the whole text.
class ConsoleStreamDecoder {
public:
    QString decode(const QByteArray &chunk);

private:
    QStringDecoder utf8_{QStringDecoder::Utf8};
    QStringDecoder oem_{"IBM850"};
    bool oem_mode_ = false;
};

// Each CR, each LF and each CR LF pair ends a line; a break at the very end adds no empty line;
// empty lines inside remain; a NUL ends the text. Nothing is trimmed.
QStringList split_console_lines(const QString &text);
