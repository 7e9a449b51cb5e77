#include "fuse_files.h"

#include "avr_libc_fuses.h"
#include "avrdude_parts.h"

#include <QMap>
#include <QSet>

#include <algorithm>

namespace {

constexpr int Lines = 24;
constexpr int ExtendedFuseMarkerLine = 18;

// Devices of the list whose header io.h does not give by their avrdude description.
const QMap<QString, QString> HeaderOverrides{
    // io2333.h has no fuse section; the AT90S2333 is the AT90S4433's smaller twin with its fuse byte.
    {QStringLiteral("2333"), QStringLiteral("io4433.h")},
    // Ids this avrdude no longer knows.
    {QStringLiteral("m164"), QStringLiteral("iom164.h")},
    // The ATmega324P and 324A headers join SUT and CKSEL into one field SUT_CKSEL0..5; the 324PA
    // header names the family's bits as the datasheets do.
    {QStringLiteral("m324"), QStringLiteral("iom324pa.h")},
};

// Where a header is known to disagree with the device's datasheet, the list's files keep the
// datasheet's names: these lines, from `line` (counted from 1) on.
struct DatasheetNames {
    QStringList devices;
    int line;
    QStringList names;
};

const DatasheetNames DatasheetExceptions[] = {
    // iom103.h gives the ATmega103 the ATmega128's low fuse byte.
    {{"m103"}, 1, {"SUT0", "SUT1", "-", "EESAVE", "-", "SPIEN", "-", "-"}},
    // The headers put FSTRT at bit 2 and SPIEN at bit 1, the datasheets at bit 0 and 5.
    {{"4414", "4434", "8515", "8535"}, 1, {"FSTRT", "-", "-"}},
    {{"4414", "4434", "8515", "8535"}, 6, {"SPIEN"}},
    // iocan128.h leaves out the AT90CAN128's TA0SEL.
    {{"c128"}, 17, {"TA0SEL"}},
    // iom169.h leaves out the ATmega169's RSTDISBL.
    {{"m169"}, 17, {"RSTDISBL"}},
    // iotn13.h calls it by its older name SPMEN.
    {{"t13"}, 13, {"SELFPRGEN"}},
};

QString header_for(const QString &id, const AvrdudeParts &avrdude, const AvrLibcHeaders &avr_libc)
{
    return HeaderOverrides.contains(id) ? HeaderOverrides[id] : avr_libc.headerOf(avrdude.description(id));
}

QStringList captions(const QString &id, const HeaderFuses &header, QStringList &problems)
{
    QStringList lines;
    for (const QString &name : header.names)
        lines << (name.isEmpty() ? QStringLiteral("-") : name);
    for (const DatasheetNames &exception : DatasheetExceptions) {
        if (!exception.devices.contains(id))
            continue;
        for (int i = 0; i < exception.names.size(); ++i) {
            QString &line = lines[exception.line - 1 + i];
            if (line == exception.names[i])
                problems << QStringLiteral("%1: line %2 needs no exception").arg(id).arg(exception.line + i);
            line = exception.names[i];
        }
    }
    return lines;
}

QByteArray file_text(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines)
        text += line.toLatin1() + "\r\n";
    return text;
}

} // namespace

FuseFiles make_fuse_files(const QStringList &listed_devices, const AvrdudeParts &avrdude, const AvrLibcHeaders &avr_libc)
{
    FuseFiles result;
    QStringList devices = listed_devices;
    for (const QString &id : avrdude.ids()) {
        const bool has_fuses = avrdude.hasMemory(id, QStringLiteral("lfuse")) && avrdude.hasMemory(id, QStringLiteral("hfuse"));
        if (has_fuses && !id.startsWith(u'.') && !devices.contains(id))
            devices << id;
    }
    for (const QString &id : devices) {
        const QString header = header_for(id, avrdude, avr_libc);
        const HeaderFuses fuses = header.isEmpty() ? HeaderFuses{} : avr_libc.fuses(header);
        const bool named = std::any_of(fuses.names.begin(), fuses.names.end(), [](const QString &n) { return !n.isEmpty(); });
        if (fuses.bytes == 0 || !named) {
            const QString why = header.isEmpty() ? QStringLiteral("avr-libc has no header for %1").arg(avrdude.description(id))
                                                 : QStringLiteral("%1 names no fuse bits").arg(header);
            (listed_devices.contains(id) ? result.problems : result.skipped) << QStringLiteral("%1: %2").arg(id, why);
            continue;
        }
        QStringList lines = captions(id, fuses, result.problems);
        const bool extended = fuses.bytes >= 3;
        if (avrdude.knows(id) && extended != avrdude.hasMemory(id, QStringLiteral("efuse")))
            result.problems << QStringLiteral("%1: %2 gives %3 fuse bytes, avrdude %4 extended fuse")
                                   .arg(id, header)
                                   .arg(fuses.bytes)
                                   .arg(extended ? QStringLiteral("no") : QStringLiteral("an"));
        if (!extended) {
            for (int i = 16; i < Lines; ++i) {
                if (lines[i] != u'-')
                    result.problems << QStringLiteral("%1: %2 names extended fuse bits of %3 bytes").arg(id, header).arg(fuses.bytes);
            }
            lines[ExtendedFuseMarkerLine - 1] = QStringLiteral("UNUSED");
        }
        QSet<QString> seen;
        for (const QString &line : lines) {
            if (line == u'-' || line == QStringLiteral("UNUSED"))
                continue;
            if (seen.contains(line))
                result.problems << QStringLiteral("%1: %2 named twice").arg(id, line);
            seen.insert(line);
        }
        result.files.push_back({id + QStringLiteral(".fuse"), file_text(lines)});
    }
    QStringList unnamed;
    for (int bit = 0; bit < Lines; ++bit)
        unnamed << QStringLiteral("Bit %1").arg(bit % 8);
    result.files.push_back({QStringLiteral("no.fuse"), file_text(unnamed)});
    return result;
}
