#include "tests/support/theme_file_builder.h"

#include <QBuffer>

namespace {
constexpr quint8 BitmapKind = 0, NumberKind = 1, BoolKind = 2, TextKind = 3;
constexpr int NameSize = 64;
}

void PutU32(QByteArray &bytes, qsizetype offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void ThemeFileBuilder::AddNumber(const QString &name, qint64 value)
{
    m_records.push_back({name.toLatin1(), NumberKind, (name + '=' + QString::number(value)).toLatin1()});
}

void ThemeFileBuilder::AddBool(const QString &name, bool value)
{
    m_records.push_back({name.toLatin1(), BoolKind, (name + '=' + (value ? "1" : "0")).toLatin1()});
}

void ThemeFileBuilder::AddText(const QString &name, const QString &text)
{
    m_records.push_back({name.toLatin1(), TextKind, text.toLatin1()});
}

void ThemeFileBuilder::AddBitmap(const QString &name, const QImage &image)
{
    QByteArray stream;
    QBuffer buffer(&stream);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    m_records.push_back({name.toLatin1(), BitmapKind, stream});
}

QByteArray ThemeFileBuilder::Build() const
{
    const qsizetype recordCount = static_cast<qsizetype>(m_records.size()) + 1; // plus the closing record
    const qsizetype dataStart = HeaderSize + recordCount * RecordSize;

    QByteArray bytes(dataStart, '\0');
    bytes.replace(0, 10, "Skinkit_TB");
    PutU32(bytes, 12, HeaderSize);
    PutU32(bytes, 20, HeaderSize);

    for (qsizetype i = 0; i < recordCount; ++i) {
        const qsizetype at = HeaderSize + i * RecordSize;
        const bool closing = i == recordCount - 1;
        if (!closing) {
            const Record &r = m_records[static_cast<std::size_t>(i)];
            bytes.replace(at, std::min<qsizetype>(r.name.size(), NameSize), r.name.left(NameSize));
            bytes[at + 64] = static_cast<char>(r.kind);
            PutU32(bytes, at + 65, static_cast<quint32>(bytes.size()));
            PutU32(bytes, at + 69, static_cast<quint32>(r.data.size()));
            PutU32(bytes, at + 73, static_cast<quint32>(at + RecordSize));
            bytes.append(r.data);
        }
    }
    return bytes;
}
