#pragma once

#include "session/text_lines_file.h"

#include <QString>
#include <QStringList>

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

// A transfer file holds one decimal number on its first line; nothing after that line is read.
constexpr ReadBound TransferFileBound{1, 256};
