#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// File names and command-line parameters are the user's bytes, not necessarily UTF-8: a file
// saved under a Latin-1 locale is called "lat\xE4in.hex". Qt's own conversions replace such bytes
// with U+FFFD, which names another, missing file. These keep every byte: valid UTF-8 becomes its
// characters, and each byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC00 + byte, which no valid UTF-8 decodes to, and which goes back to the same byte.

// The bytes as text; native_bytes(native_text(b)) == b for every b.
QString native_text(QByteArrayView bytes);

// The text as bytes for the system: its kept bytes as they came, everything else as UTF-8.
QByteArray native_bytes(QStringView text);

// The text for a window: each kept byte shown as its Windows-1252 (Latin-1) character, so
// "lat\xE4in.hex" reads "latäin.hex". Text without kept bytes comes back as it is.
QString readable_text(QStringView text);

// What a window's field means: the exact text when the field still shows it readably, else what
// the user typed there.
QString exact_unless_edited(const QString &shown, const QString &exact);
