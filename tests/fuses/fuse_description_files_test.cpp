// The shipped description files against independent device data: the part definitions of the
// installed avrdude (whether a device has an extended fuse decides line 18) and the device headers
// of avr-libc (the name of every fuse bit).

#include "session/text_lines_file.h"
#include "session/fuse_description.h"
#include "forms/main/device_lists.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <array>

namespace {

const QString AvrdudeConf = QStringLiteral("/etc/avrdude.conf");
// Beyond the 24 lines the window reads, so that a stray 25th line shows.
constexpr ReadBound WholeFile{1000, 1 << 20};

// Just enough of avrdude.conf: each part's ids, its parent and the memories it defines or drops.
struct ConfPart {
    QString parent;
    QMap<QString, bool> memories; // false: removed with "= NULL"
};

class AvrdudeParts {
public:
    explicit AvrdudeParts(const QString &file_name)
    {
        QFile file(file_name);
        if (!file.open(QIODevice::ReadOnly))
            return;
        static const QRegularExpression part_start(QString::fromLatin1(R"re(^part\b(?:\s+parent\s+"([^"]+)")?)re"));
        static const QRegularExpression id_line(QString::fromLatin1(R"re(^\s*id\s*=\s*(.*);)re"));
        static const QRegularExpression quoted(QString::fromLatin1(R"re("([^"]+)")re"));
        static const QRegularExpression memory_line(QString::fromLatin1(R"re(^\s*memory\s+"(\w+)"\s*(=\s*NULL)?)re"));
        ConfPart part;
        QStringList ids;
        bool in_part = false;
        bool in_memory = false;
        const QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
        for (QString line : lines) {
            line = line.section(u'#', 0, 0);
            if (const auto m = part_start.match(line); m.hasMatch()) {
                part = ConfPart{m.captured(1), {}};
                ids.clear();
                in_part = true;
                in_memory = false;
                continue;
            }
            if (!in_part)
                continue;
            if (line.trimmed() == u';') {
                if (in_memory) {
                    in_memory = false;
                    continue;
                }
                for (const QString &id : ids)
                    parts_.insert(id, part);
                in_part = false;
                continue;
            }
            if (const auto m = memory_line.match(line); m.hasMatch()) {
                const bool dropped = m.hasCaptured(2);
                part.memories.insert(m.captured(1), !dropped);
                in_memory = !dropped;
                continue;
            }
            if (const auto m = id_line.match(line); m.hasMatch() && !in_memory && ids.isEmpty()) {
                for (auto it = quoted.globalMatch(m.captured(1)); it.hasNext();)
                    ids << it.next().captured(1);
            }
        }
    }

    bool knows(const QString &id) const { return parts_.contains(id); }
    int count() const { return static_cast<int>(parts_.size()); }

    bool hasMemory(const QString &id, const QString &memory) const
    {
        for (QString at = id; parts_.contains(at); at = parts_[at].parent) {
            const ConfPart &part = parts_[at];
            if (part.memories.contains(memory))
                return part.memories[memory];
            if (part.parent.isEmpty())
                break;
        }
        return false;
    }

private:
    QMap<QString, ConfPart> parts_;
};

QString shipped(const QString &name) { return qEnvironmentVariable("QUILLON_DATA_DIR") + QStringLiteral("/fuses/") + name; }

const QString AvrHeaders = QStringLiteral("/usr/lib/avr/include/avr/");

// The fuse bits one avr-libc device header names, in the order of the description file's 24 lines
// ("-" where it names none), and how many fuse bytes the device has.
struct HeaderFuses {
    int bytes = 0;
    std::array<QString, FuseCaptionCount> names;
};

// Reads the "Low/High/Extended Fuse Byte" sections (a device with one fuse byte has a plain "Fuse
// Byte", listed as its low fuse) of header and of the avr-libc headers it includes.
void read_header_fuses(const QString &header, HeaderFuses &fuses)
{
    QFile file(AvrHeaders + header);
    if (!file.open(QIODevice::ReadOnly))
        return;
    static const QRegularExpression include(QString::fromLatin1(R"re(^\s*#\s*include\s*<avr/(io\w+\.h)>)re"));
    static const QRegularExpression section(QString::fromLatin1(R"re(^\s*/\*\s*(Low |High |Extended )?Fuse Byte\s*\*/)re"));
    static const QRegularExpression bit(QString::fromLatin1(R"re(^\s*#define\s+FUSE_(\w+)\s+(?:\(unsigned char\))?\s*~_BV\((\d)\))re"));
    static const QRegularExpression size(QString::fromLatin1(R"re(^\s*#define\s+FUSE_MEMORY_SIZE\s+(\d))re"));
    int byte = -1;
    for (const QString &line : QString::fromLatin1(file.readAll()).split(u'\n')) {
        const auto included = include.match(line);
        const auto bytes = size.match(line);
        const auto heading = section.match(line);
        const auto named = bit.match(line);
        if (included.hasMatch())
            read_header_fuses(included.captured(1), fuses);
        else if (bytes.hasMatch())
            fuses.bytes = bytes.captured(1).toInt();
        else if (heading.hasMatch())
            byte = QStringList{QString(), QStringLiteral("Low "), QStringLiteral("High "), QStringLiteral("Extended ")}
                       .indexOf(heading.captured(1));
        else if (named.hasMatch() && byte >= 0)
            fuses.names[std::max(byte, 1) * 8 - 8 + named.captured(2).toInt()] = named.captured(1);
    }
}

// Devices without a header of their own name, and why the one used speaks for them.
const QMap<QString, QString> HeaderOf{
    {QStringLiteral("c128"), QStringLiteral("iocan128.h")},
    {QStringLiteral("pwm2"), QStringLiteral("io90pwmx.h")}, // one header for the AT90PWM2 and 3
    {QStringLiteral("pwm3"), QStringLiteral("io90pwmx.h")},
    // io2333.h has no fuse section; the AT90S2333 is the AT90S4433's smaller twin with its fuse byte.
    {QStringLiteral("2333"), QStringLiteral("io4433.h")},
    // The ATmega324P and 324A headers join SUT and CKSEL into one field SUT_CKSEL0..5; the 324PA
    // header names the family's bits as the datasheets do.
    {QStringLiteral("m324"), QStringLiteral("iom324pa.h")},
};

QString header_of(const QString &device)
{
    if (HeaderOf.contains(device))
        return HeaderOf[device];
    if (device.startsWith(u'm'))
        return QStringLiteral("iom") + device.mid(1) + QStringLiteral(".h");
    if (device.startsWith(u't'))
        return QStringLiteral("iotn") + device.mid(1) + QStringLiteral(".h");
    return QStringLiteral("io") + device + QStringLiteral(".h");
}

// Where a header is known to disagree with the device's datasheet, the files keep the datasheet's
// names: these lines, from `line` (counted from 1) on.
struct DatasheetNames {
    QStringList devices;
    int line;
    QStringList names;
    const char *reason;
};

const DatasheetNames DatasheetExceptions[] = {
    {{"m103"}, 1, {"SUT0", "SUT1", "-", "EESAVE", "-", "SPIEN", "-", "-"},
     "iom103.h gives the ATmega103 the ATmega128's low fuse byte"},
    {{"4414", "4434", "8515", "8535"}, 1, {"FSTRT", "-", "-"},
     "the headers put FSTRT at bit 2 and SPIEN at bit 1, the datasheets at bit 0 and 5"},
    {{"4414", "4434", "8515", "8535"}, 6, {"SPIEN"}, "as above"},
    {{"c128"}, 17, {"TA0SEL"}, "iocan128.h leaves out the AT90CAN128's TA0SEL"},
    {{"m169"}, 17, {"RSTDISBL"}, "iom169.h leaves out the ATmega169's RSTDISBL"},
    {{"t13"}, 13, {"SELFPRGEN"}, "iotn13.h calls it by its older name SPMEN"},
};

} // namespace

TEST(FuseDescriptionFiles, EveryListedDeviceHasAFileThatAgreesWithAvrdude)
{
    const AvrdudeParts avrdude(AvrdudeConf);
    ASSERT_GT(avrdude.count(), 100) << "cannot read " << AvrdudeConf.toStdString();
    // The parser must see what avrdude itself reports for two well-known parts.
    ASSERT_FALSE(avrdude.hasMemory(QStringLiteral("m8"), QStringLiteral("efuse")));
    ASSERT_TRUE(avrdude.hasMemory(QStringLiteral("t85"), QStringLiteral("efuse")));

    QStringList unknown;
    for (const QString &device : DeviceIds) {
        SCOPED_TRACE(device.toStdString());
        const QStringList lines = load_text_lines(shipped(device + QStringLiteral(".fuse")), WholeFile);
        ASSERT_EQ(lines.size(), FuseCaptionCount);
        QSet<QString> names;
        for (int i = 0; i < FuseCaptionCount; ++i) {
            const QString &caption = lines[i];
            EXPECT_FALSE(caption.trimmed().isEmpty()) << "line " << i + 1;
            EXPECT_EQ(caption, caption.trimmed()) << "line " << i + 1;
            if (caption != QStringLiteral("-") && caption != NoExtendedFuseMarker) {
                EXPECT_FALSE(names.contains(caption)) << "twice: " << caption.toStdString();
                names.insert(caption);
            }
        }
        const bool marked_without = lines[ExtendedFuseMarkerIndex] == NoExtendedFuseMarker;
        if (!avrdude.knows(device)) {
            unknown << device;
            continue;
        }
        EXPECT_EQ(marked_without, !avrdude.hasMemory(device, QStringLiteral("efuse")));
        if (marked_without) {
            for (int i = 16; i < FuseCaptionCount; ++i)
                EXPECT_TRUE(i == ExtendedFuseMarkerIndex || lines[i] == QStringLiteral("-")) << "line " << i + 1;
        }
    }
    // Ids of the list that this avrdude no longer knows; they cannot be checked here.
    EXPECT_EQ(unknown, (QStringList{"m164", "m324"}));
}

TEST(FuseDescriptionFiles, EveryBitIsNamedAsTheDeviceHeadersNameIt)
{
    ASSERT_TRUE(QFile::exists(AvrHeaders + QStringLiteral("iom8.h"))) << "avr-libc is not installed";
    // The reader must see a single fuse byte and one pulled in by an include.
    HeaderFuses m161, m164;
    read_header_fuses(QStringLiteral("iom161.h"), m161);
    read_header_fuses(QStringLiteral("iom164.h"), m164);
    ASSERT_EQ(m161.bytes, 1);
    ASSERT_EQ(m161.names[4], QStringLiteral("SUT"));
    ASSERT_EQ(m164.names[16], QStringLiteral("BODLEVEL0"));

    for (const QString &device : DeviceIds) {
        SCOPED_TRACE(device.toStdString());
        HeaderFuses header;
        header.names.fill(QStringLiteral("-"));
        read_header_fuses(header_of(device), header);
        ASSERT_GT(header.bytes, 0) << header_of(device).toStdString();
        std::array<QString, FuseCaptionCount> expected = header.names;
        for (const DatasheetNames &exception : DatasheetExceptions) {
            if (!exception.devices.contains(device))
                continue;
            for (int i = 0; i < exception.names.size(); ++i) {
                QString &name = expected[exception.line - 1 + i];
                EXPECT_NE(name, exception.names[i]) << "line " << exception.line + i << " needs no exception";
                name = exception.names[i];
            }
        }
        QStringList lines = load_text_lines(shipped(device + QStringLiteral(".fuse")), WholeFile).mid(0, FuseCaptionCount);
        ASSERT_EQ(lines.size(), FuseCaptionCount);
        EXPECT_EQ(lines[ExtendedFuseMarkerIndex] == NoExtendedFuseMarker, header.bytes < 3);
        if (lines[ExtendedFuseMarkerIndex] == NoExtendedFuseMarker)
            lines[ExtendedFuseMarkerIndex] = QStringLiteral("-");
        for (int i = 0; i < FuseCaptionCount; ++i)
            EXPECT_EQ(lines[i].toStdString(), expected[i].toStdString()) << "line " << i + 1;
    }
}

TEST(FuseDescriptionFiles, TheFallbackAndNothingElseIsShipped)
{
    const QStringList lines = load_text_lines(shipped(QStringLiteral("no.fuse")), WholeFile);
    ASSERT_EQ(lines.size(), FuseCaptionCount);
    EXPECT_NE(lines[ExtendedFuseMarkerIndex], NoExtendedFuseMarker);
    QStringList expected_files{QStringLiteral("no.fuse")};
    for (const QString &device : DeviceIds)
        expected_files << device + QStringLiteral(".fuse");
    QStringList files = QDir(shipped(QString())).entryList(QDir::Files);
    files.sort();
    expected_files.sort();
    EXPECT_EQ(files, expected_files);
}
