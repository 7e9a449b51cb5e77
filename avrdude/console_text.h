#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// avrdude and the driver scripts write console text: UTF-8 on a modern system, an 8-bit OEM code
// page on older ones. Bytes that are valid UTF-8 are taken as such, anything else as code page 850.
QString decode_console_text(const QByteArray &bytes);

// Each CR, each LF and each CR LF pair ends a line; a break at the very end adds no empty line;
// empty lines inside remain; a NUL ends the text. Nothing is trimmed.
QStringList split_console_lines(const QString &text);
