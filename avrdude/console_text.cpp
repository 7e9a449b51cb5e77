#include "avrdude/console_text.h"

#include <QStringDecoder>

QString decode_console_text(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder oem("IBM850");
    if (oem.isValid())
        return oem.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString ConsoleStreamDecoder::decode(const QByteArray &chunk)
{
    if (!oem_mode_) {
        QString text = utf8_.decode(chunk);
        if (!utf8_.hasError())
            return text;
        oem_mode_ = true;
    }
    return oem_.isValid() ? oem_.decode(chunk) : QString::fromLatin1(chunk);
}

QStringList split_console_lines(const QString &text)
{
    QStringList lines;
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    const qsizetype end = nul < 0 ? text.size() : nul;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < end)
        lines << text.mid(start, end - start);
    return lines;
}
