#pragma once

// A style bitmap stored ready to draw: the pixel rows of a 32-bit QImage behind a short header,
// so that loading one is a look at the header instead of inflating a PNG. The bitmap generator
// writes them at build time; the skin wraps them where they lie in the executable's resources.
//
// Layout (in the byte order of the machine that builds and runs Quillon): four bytes "QRDY", then
// width, height and QImage::Format as 32-bit numbers, then height rows of width 32-bit pixels.

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstring>

namespace ready_bitmap {

inline constexpr char Magic[4] = {'Q', 'R', 'D', 'Y'};

struct Header {
    char magic[4];
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format;
};
static_assert(sizeof(Header) == 16, "the pixels follow the header 4-byte aligned");

inline bool IsStorable(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
}

// The stored form of image, which must be RGB32 or ARGB32; empty for any other.
inline QByteArray Encode(const QImage &image)
{
    if (image.isNull() || !IsStorable(image.format()))
        return {};
    Header header{};
    std::memcpy(header.magic, Magic, sizeof Magic);
    header.width = static_cast<std::uint32_t>(image.width());
    header.height = static_cast<std::uint32_t>(image.height());
    header.format = static_cast<std::uint32_t>(image.format());
    QByteArray stored(reinterpret_cast<const char *>(&header), sizeof header);
    const qsizetype row = qsizetype(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        stored.append(reinterpret_cast<const char *>(image.constScanLine(y)), row);
    return stored;
}

// The image stored at data, sharing those bytes (they must outlive it and every copy that is
// not written to); a null image when the bytes are not a whole stored bitmap.
inline QImage Wrap(const uchar *data, qint64 size)
{
    Header header{};
    if (!data || size < qint64(sizeof header))
        return {};
    std::memcpy(&header, data, sizeof header);
    const auto format = static_cast<QImage::Format>(header.format);
    if (std::memcmp(header.magic, Magic, sizeof Magic) != 0 || !IsStorable(format) || header.width == 0 ||
        header.height == 0 || header.width > 0x8000 || header.height > 0x8000)
        return {};
    const qint64 row = qint64(header.width) * 4;
    if (size != qint64(sizeof header) + row * header.height)
        return {};
    const uchar *pixels = data + sizeof header;
    const int width = int(header.width), height = int(header.height);
    // QImage reads 32-bit pixels in place only from 4-byte aligned memory; elsewhere they are copied.
    if (reinterpret_cast<std::uintptr_t>(pixels) % alignof(std::uint32_t) == 0)
        return QImage(pixels, width, height, row, format);
    QImage copy(width, height, format);
    for (int y = 0; y < height; ++y)
        std::memcpy(copy.scanLine(y), pixels + row * y, size_t(row));
    return copy;
}

} // namespace ready_bitmap
