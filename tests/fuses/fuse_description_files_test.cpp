// The shipped description files against the part definitions of the installed avrdude: whether a
// device has an extended fuse decides line 18.

#include "app/text_lines_file.h"
#include "forms/fuses/fuse_description.h"
#include "forms/main/device_lists.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const QString AvrdudeConf = QStringLiteral("/etc/avrdude.conf");

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
        const QStringList lines = load_text_lines(shipped(device + QStringLiteral(".fuse")));
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

TEST(FuseDescriptionFiles, TheFallbackAndNothingElseIsShipped)
{
    const QStringList lines = load_text_lines(shipped(QStringLiteral("no.fuse")));
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
