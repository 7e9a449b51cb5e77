#include "app/text_lines_file.h"

#include "app/quillon_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

QString decode_file_text(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QStringList load_text_lines(const QString &file_name)
{
    QFile file(file_name);
    if (!QFileInfo(file_name).isFile() || !file.open(QIODevice::ReadOnly))
        throw QuillonError::cannot_open(file_name);
    const QString text = decode_file_text(file.readAll());
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
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
