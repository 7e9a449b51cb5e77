#pragma once

#include "skin/themes/theme_file_reader.h"

#include <QImage>
#include <QString>
#include <memory>
#include <optional>

// Holds the parsed theme file of one TsuiFileTheme and turns its raw entries into looks:
// numbers, flags and decoded bitmaps.
class TsuiFileThemeMgr {
public:
    // Bitmaps in a theme file are decoded under this memory budget, so that a stream claiming
    // a huge picture cannot exhaust memory.
    static constexpr int BitmapAllocationLimitMiB = 64;

    // Reads and parses the file. Returns false, leaving the manager as it was, when the file
    // cannot be read, is larger than the reader accepts, or lacks the magic.
    bool LoadFile(const QString &path);

    bool HasReader() const { return m_reader != nullptr; }

    // Missing, unreadable or undecodable bitmaps give nullopt.
    std::optional<QImage> Bitmap(const QString &name) const;
    std::optional<std::int32_t> Number(const QString &name) const;

private:
    std::unique_ptr<TsuiThemeFileReader> m_reader;
};
