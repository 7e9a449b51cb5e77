#include "session/text_lines_file.h"

#include "session/quillon_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

QString decode_file_line(const QByteArray &line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1252("windows-1252");
    return cp1252.isValid() ? cp1252.decode(line) : QString::fromLatin1(line);
}

FileHead read_file_head(const QString &file_name, qsizetype max_bytes)
{
    QFile file(file_name);
    if (!QFileInfo(file_name).isFile() || !file.open(QIODevice::ReadOnly))
        throw QuillonError::cannot_open(file_name);
    FileHead head;
    // One byte more than allowed tells whether the file goes on.
    head.bytes = file.read(max_bytes + 1);
    head.cut = head.bytes.size() > max_bytes;
    if (head.cut)
        head.bytes.truncate(max_bytes);
    return head;
}

QByteArray lines_after_first(const QString &file_name, qsizetype max_bytes)
{
    QFile file(file_name);
    if (!QFileInfo(file_name).isFile() || !file.open(QIODevice::ReadOnly))
        throw QuillonError::cannot_open(file_name);
    constexpr qsizetype Block = 64 * 1024;
    // Passing over a first line of gigabytes would take as long as reading them.
    const qsizetype first_line_bound = 64 * max_bytes;
    QByteArray block = file.read(Block);
    if (block.isEmpty())
        throw QuillonError::list_index_beyond(0);
    for (qsizetype passed = 0; !block.isEmpty() && passed <= first_line_bound; passed += block.size(), block = file.read(Block)) {
        const auto end = std::find_if(block.begin(), block.end(), [](char c) { return c == '\r' || c == '\n'; });
        if (end == block.end())
            continue;
        QByteArray rest = block.sliced(end - block.begin() + 1);
        // A CR LF pair ends line 1 once, also when a block ends between the two.
        if (*end == '\r' && rest.isEmpty() && file.peek(1) == "\n")
            file.read(1);
        else if (*end == '\r' && rest.startsWith('\n'))
            rest.remove(0, 1);
        rest += file.read(std::max<qsizetype>(0, max_bytes + 1 - rest.size()));
        if (rest.size() > max_bytes)
            throw QuillonError::too_large(file_name, max_bytes);
        return rest;
    }
    if (!block.isEmpty())
        throw QuillonError::too_large(file_name, max_bytes);
    return {};
}

QStringList load_text_lines(const QString &file_name, ReadBound bound)
{
    const QByteArray bytes = read_file_head(file_name, bound.max_bytes).bytes;
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size() && lines.size() < bound.max_lines; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines << decode_file_line(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size() && lines.size() < bound.max_lines)
        lines << decode_file_line(bytes.mid(start));
    return lines;
}

namespace {

// A file marked read-only stays as it is, even for root: replacing it by rename would bypass its
// mode.
bool writable_file(const QFileInfo &info)
{
    constexpr QFile::Permissions AnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isWritable() && (info.permissions() & AnyWrite);
}

} // namespace

bool can_replace_file(const QString &file_name)
{
    const QFileInfo info(file_name);
    return info.isFile() && writable_file(info) && QFileInfo(info.absolutePath()).isWritable();
}

void save_file_atomically(const QString &file_name, const QByteArray &content)
{
    const QFileInfo info(file_name);
    if (info.exists() && !writable_file(info))
        throw QuillonError::cannot_create(file_name);
    // Unbuffered, so that a full disk fails the write itself: a buffered write only fails at the
    // flush inside commit(), which then still renames the short file over the old one.
    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(content) != content.size() ||
        file.error() != QFileDevice::NoError || !file.commit())
        throw QuillonError::cannot_create(file_name);
}
