#include "avr_libc_fuses.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {

QStringList header_lines(const QString &file_name)
{
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(u'\n');
}

} // namespace

AvrLibcHeaders::AvrLibcHeaders(const QString &headers_dir) : dir_(headers_dir + u'/')
{
    // io.h: "#elif defined (__AVR_ATmega328P__)" (one or more, joined by ||), then "#  include <avr/iom328p.h>".
    static const QRegularExpression condition(QStringLiteral(R"re(^\s*#\s*(?:el)?if\b.*defined)re"));
    static const QRegularExpression chip(QStringLiteral(R"re(defined\s*\(?\s*__AVR_(\w+?)__)re"));
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*<avr/(io\w+\.h)>)re"));
    QStringList chips;
    for (const QString &line : header_lines(dir_ + QStringLiteral("io.h"))) {
        if (condition.match(line).hasMatch()) {
            chips.clear();
            for (auto it = chip.globalMatch(line); it.hasNext();)
                chips << it.next().captured(1).toUpper();
        } else if (const auto m = include.match(line); m.hasMatch()) {
            for (const QString &name : chips)
                header_of_chip_.insert(name, m.captured(1));
            chips.clear();
        }
    }
}

QString AvrLibcHeaders::headerOf(const QString &chip) const
{
    return header_of_chip_.value(chip.toUpper());
}

HeaderFuses AvrLibcHeaders::fuses(const QString &header) const
{
    HeaderFuses fuses;
    readFuses(header, fuses, 0);
    return fuses;
}

void AvrLibcHeaders::readFuses(const QString &header, HeaderFuses &fuses, int depth) const
{
    if (depth > 8)
        return;
    // "#include <avr/iom164.h>" or, in some headers, "#include "iom328p.h"".
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*[<"](?:avr/)?(io\w+\.h)[>"])re"));
    // "/* Low Fuse Byte */", "/* LFUSE Byte */" (ATmega128RFA1) and a device's only "/* Fuse Byte */".
    static const QRegularExpression section(QStringLiteral(R"re(^\s*/\*\s*(?:(L)ow |(H)igh |(E)xtended |([LHE])(?=FUSE))?FUSE Byte\s*\*/)re"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bit(QStringLiteral(R"re(^\s*#define\s+FUSE_(\w+)\s+(?:\(unsigned char\))?\s*~_BV\((\d)\))re"));
    static const QRegularExpression size(QStringLiteral(R"re(^\s*#define\s+FUSE_MEMORY_SIZE\s+(\d))re"));
    int byte = -1;
    for (const QString &line : header_lines(dir_ + header)) {
        if (const auto m = include.match(line); m.hasMatch())
            readFuses(m.captured(1), fuses, depth + 1);
        else if (const auto b = size.match(line); b.hasMatch())
            fuses.bytes = b.captured(1).toInt();
        else if (const auto s = section.match(line); s.hasMatch())
            byte = static_cast<int>(QStringLiteral("LHE").indexOf((s.captured(1) + s.captured(2) + s.captured(3) + s.captured(4)).toUpper()));
        else if (const auto n = bit.match(line); n.hasMatch() && byte >= 0)
            fuses.names[static_cast<size_t>(byte * 8 + n.captured(2).toInt())] = n.captured(1);
    }
}
