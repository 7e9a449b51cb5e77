#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>

// The parsed contents of a theme file: its element records by name. The file is untrusted:
// every offset and length is checked against the file size, the record chain stops at a cycle
// or after MaxRecords records, and entries keep offsets into the one copy of the file rather
// than copies of their data, so no file can make the reader allocate more than its own size.
class TsuiThemeFileReader {
public:
    // Files beyond this are refused before they are read.
    static constexpr qint64 MaxFileSize = 32 * 1024 * 1024;
    static constexpr int MaxRecords = 4096;

    static constexpr int MagicFieldSize = 12;
    static constexpr int HeaderLengthOffset = 12;
    static constexpr int FirstRecordOffsetField = 20;
    static constexpr int MinimumHeaderSize = 24;

    static constexpr int RecordNameSize = 64;
    static constexpr int RecordKindOffset = 64;
    static constexpr int RecordDataOffsetField = 65;
    static constexpr int RecordDataLengthField = 69;
    static constexpr int RecordNextField = 73;
    static constexpr int RecordSize = 77;

    enum class EntryKind : std::uint8_t { Bitmap = 0, Number = 1, Boolean = 2, Text = 3 };

    // True when the bytes start with the NUL-terminated magic and hold the header fields read.
    static bool HasValidMagic(QByteArrayView bytes);

    // Parses the record chain; an invalid file simply yields no entries.
    explicit TsuiThemeFileReader(QByteArray bytes);

    int EntryCount() const { return static_cast<int>(m_entries.size()); }
    bool Contains(const QString &name) const { return m_entries.contains(name); }

    // The raw bitmap stream of a Bitmap entry; empty when missing or of another kind.
    QByteArray BitmapData(const QString &name) const;

    // The decimal value of a Number or Boolean entry ("Name=value"); nullopt when missing,
    // of another kind or not a number. Values are 32-bit words, so 0x80000000-style colour words
    // may be stored either signed or unsigned.
    std::optional<std::int32_t> Number(const QString &name) const;

    // The text of a Text entry; nullopt when missing or of another kind.
    std::optional<QString> Text(const QString &name) const;

private:
    struct Entry {
        EntryKind kind;
        qsizetype offset;
        qsizetype length;
    };

    void ParseChain();
    const Entry *Find(const QString &name, EntryKind kind) const;
    QByteArrayView Data(const Entry &entry) const;

    QByteArray m_bytes;
    QHash<QString, Entry> m_entries;
};
