#pragma once

#include <QString>

#include <array>

// The three fuse bytes of a chip, in the order the fuse window shows them.
enum class FuseByte { Low, High, Extended };
constexpr int FuseByteCount = 3;
constexpr int FuseBitsPerByte = 8;

struct FuseBytes {
    // What the boxes show when the fuse window first opens: only high bit 5 programmed.
    std::array<int, FuseByteCount> values{255, 223, 255};

    int operator[](FuseByte which) const { return values[static_cast<std::size_t>(which)]; }
    int &operator[](FuseByte which) { return values[static_cast<std::size_t>(which)]; }
    bool operator==(const FuseBytes &) const = default;
};

// Each fuse byte as the window's label shows it: the decimal number, except right after a read,
// which shows the transfer file's line as avrdude wrote it until a box changes.
using FuseTexts = std::array<QString, FuseByteCount>;
