#pragma once

#include "session/text_lines_file.h"

#include <QString>
#include <QStringList>

#include <optional>

// The fuse description files installed beside the program in fuses/: one caption per line,
// lines 1 to 8 for the low fuse's bits 0 to 7, 9 to 16 for the high fuse, 17 to 24 for the
// extended fuse. no.fuse stands in for a device without a file of its own.

constexpr int FuseCaptionCount = 24;
// Line 18, the caption of extended fuse bit 1, marks a device without an extended fuse.
constexpr int ExtendedFuseMarkerIndex = 17;
inline const QString NoExtendedFuseMarker = QStringLiteral("UNUSED");

// ProgramDir + "fuses/" + device + ".fuse" when that file exists, otherwise the no.fuse file.
QString fuse_description_file_name(const QString &device);

// The lines of the device's description file; throws "cannot open" naming no.fuse when neither
// file can be read.
QStringList load_fuse_description(const QString &device);

// The names of the device's 24 fuse bits from its own file. Empty when the device has no file
// of its own, or one that cannot be read or names fewer than 24 bits: then nothing is known about
// what its bits do, and no.fuse's captions say nothing about them either.
std::optional<QStringList> device_fuse_names(const QString &device);

// What the boxes are captioned before any description is loaded: "Bit 0" to "Bit 7" per byte.
QStringList generic_fuse_captions();

// A transfer file holds one decimal number on its first line; nothing after that line is read.
constexpr ReadBound TransferFileBound{1, 256};
