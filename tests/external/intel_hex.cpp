#include "tests/external/intel_hex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

std::vector<std::uint8_t> test_program()
{
    // Not a multiple of a flash page, and no FF at the end, so padding shows as a difference.
    constexpr std::size_t Size = 150;
    std::vector<std::uint8_t> bytes(Size);
    for (std::size_t i = 0; i < Size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 11 + 5) % 0xFF);
    return bytes;
}

void write_intel_hex(const QString &file_name, const std::vector<std::uint8_t> &bytes)
{
    constexpr std::size_t RecordBytes = 16;
    QByteArray text;
    for (std::size_t at = 0; at < bytes.size(); at += RecordBytes) {
        const std::size_t count = std::min(RecordBytes, bytes.size() - at);
        unsigned sum = static_cast<unsigned>(count + (at >> 8) + (at & 0xFF));
        text += ':' + QByteArray::number(static_cast<uint>(count), 16).rightJustified(2, '0')
                + QByteArray::number(static_cast<uint>(at), 16).rightJustified(4, '0') + "00";
        for (std::size_t i = 0; i < count; ++i) {
            text += QByteArray::number(bytes[at + i], 16).rightJustified(2, '0');
            sum += bytes[at + i];
        }
        text += QByteArray::number((0x100 - (sum & 0xFF)) & 0xFF, 16).rightJustified(2, '0') + '\n';
    }
    text += ":00000001FF\n";
    QDir().mkpath(QFileInfo(file_name).absolutePath());
    QFile file(file_name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUpper()) != text.size())
        throw std::runtime_error("cannot write " + file_name.toStdString());
}
