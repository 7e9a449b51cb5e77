#include "skin/themes/theme_file_reader.h"

#include <QSet>
#include <cstring>

namespace {

constexpr char Magic[] = "Skinkit_TB"; // with its terminating NUL: 11 bytes

std::uint32_t ReadU32(QByteArrayView bytes, qsizetype offset)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data() + offset);
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Within [0, size) as a whole; done in 64 bits so that offset + length cannot wrap.
bool InsideFile(qint64 offset, qint64 length, qint64 size)
{
    return offset >= 0 && length >= 0 && offset <= size && length <= size - offset;
}

} // namespace

bool TsuiThemeFileReader::HasValidMagic(QByteArrayView bytes)
{
    if (bytes.size() < MinimumHeaderSize)
        return false;
    return std::memcmp(bytes.data(), Magic, sizeof Magic) == 0;
}

TsuiThemeFileReader::TsuiThemeFileReader(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    if (HasValidMagic(m_bytes) && m_bytes.size() <= MaxFileSize)
        ParseChain();
}

void TsuiThemeFileReader::ParseChain()
{
    const qint64 size = m_bytes.size();
    qint64 offset = ReadU32(m_bytes, FirstRecordOffsetField);
    QSet<qint64> visited;

    // The record whose next-offset is 0 closes the chain and is not an element itself.
    while (visited.size() < MaxRecords && InsideFile(offset, RecordSize, size) && !visited.contains(offset)) {
        visited.insert(offset);
        const QByteArrayView record = QByteArrayView(m_bytes).sliced(offset, RecordSize);
        const qint64 next = ReadU32(record, RecordNextField);
        if (next == 0)
            break;

        const char *name = record.data();
        const auto nameLength = static_cast<qsizetype>(qstrnlen(name, RecordNameSize));
        const auto kind = static_cast<std::uint8_t>(record[RecordKindOffset]);
        const qint64 dataOffset = ReadU32(record, RecordDataOffsetField);
        const qint64 dataLength = ReadU32(record, RecordDataLengthField);

        const QString key = QString::fromLatin1(name, nameLength);
        if (kind <= static_cast<std::uint8_t>(EntryKind::Text) && InsideFile(dataOffset, dataLength, size) &&
            !key.isEmpty() && !m_entries.contains(key)) {
            m_entries.insert(key, Entry{static_cast<EntryKind>(kind), static_cast<qsizetype>(dataOffset),
                                        static_cast<qsizetype>(dataLength)});
        }
        offset = next;
    }
}

const TsuiThemeFileReader::Entry *TsuiThemeFileReader::Find(const QString &name, EntryKind kind) const
{
    const auto it = m_entries.constFind(name);
    if (it == m_entries.cend() || it->kind != kind)
        return nullptr;
    return &*it;
}

QByteArrayView TsuiThemeFileReader::Data(const Entry &entry) const
{
    return QByteArrayView(m_bytes).sliced(entry.offset, entry.length);
}

QByteArray TsuiThemeFileReader::BitmapData(const QString &name) const
{
    const Entry *entry = Find(name, EntryKind::Bitmap);
    return entry ? Data(*entry).toByteArray() : QByteArray();
}

std::optional<std::int32_t> TsuiThemeFileReader::Number(const QString &name) const
{
    const Entry *entry = Find(name, EntryKind::Number);
    if (!entry)
        entry = Find(name, EntryKind::Boolean);
    if (!entry)
        return std::nullopt;

    // Stored as "Name=value"; everything after the first equals sign is the number.
    QByteArrayView text = Data(*entry);
    if (const qsizetype equals = text.indexOf('='); equals >= 0)
        text = text.sliced(equals + 1);
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > static_cast<qlonglong>(UINT32_MAX))
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<QString> TsuiThemeFileReader::Text(const QString &name) const
{
    const Entry *entry = Find(name, EntryKind::Text);
    if (!entry)
        return std::nullopt;
    return QString::fromLatin1(Data(*entry));
}
