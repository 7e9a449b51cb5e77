#include "tests/support/intel_hex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fstream>
#include <stdexcept>

namespace {

QByteArray record(int type, int address, const QByteArray &data)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(data.size()));
    bytes.append(static_cast<char>((address >> 8) & 0xFF));
    bytes.append(static_cast<char>(address & 0xFF));
    bytes.append(static_cast<char>(type));
    bytes.append(data);
    int sum = 0;
    for (char c : bytes)
        sum += static_cast<unsigned char>(c);
    bytes.append(static_cast<char>((-sum) & 0xFF));
    return ':' + bytes.toHex().toUpper() + "\r\n";
}

} // namespace

QByteArray to_intel_hex(const QByteArray &data, int address)
{
    QByteArray text;
    for (int offset = 0; offset < data.size(); offset += 16)
        text += record(0, address + offset, data.mid(offset, 16));
    return text + record(1, 0, {});
}

std::map<int, unsigned char> parse_intel_hex(const QByteArray &text)
{
    std::map<int, unsigned char> bytes;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (!line.startsWith(':'))
            continue;
        const QByteArray raw = QByteArray::fromHex(line.mid(1));
        if (raw.size() < 5 || raw[3] != 0)
            continue;
        const int count = static_cast<unsigned char>(raw[0]);
        const int address = (static_cast<unsigned char>(raw[1]) << 8) | static_cast<unsigned char>(raw[2]);
        for (int i = 0; i < count && 4 + i < raw.size(); ++i)
            bytes[address + i] = static_cast<unsigned char>(raw[4 + i]);
    }
    return bytes;
}

std::vector<std::uint8_t> test_program()
{
    // Not a multiple of a flash page, and no FF at the end, so padding shows as a difference.
    constexpr std::size_t Size = 150;
    std::vector<std::uint8_t> bytes(Size);
    for (std::size_t i = 0; i < Size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 11 + 5) % 0xFF);
    return bytes;
}

namespace {

QByteArray intel_hex_of(const std::vector<std::uint8_t> &bytes)
{
    return to_intel_hex(QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

} // namespace

void write_intel_hex(const QString &file_name, const std::vector<std::uint8_t> &bytes)
{
    const QByteArray text = intel_hex_of(bytes);
    QDir().mkpath(QFileInfo(file_name).absolutePath());
    QFile file(file_name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        throw std::runtime_error("cannot write " + file_name.toStdString());
}

void write_intel_hex_at(const QByteArray &native_file_name, const std::vector<std::uint8_t> &bytes)
{
    const QByteArray text = intel_hex_of(bytes);
    std::ofstream file(native_file_name.toStdString(), std::ios::binary | std::ios::trunc);
    if (!file.write(text.constData(), text.size()))
        throw std::runtime_error("cannot write " + native_file_name.toStdString());
}
