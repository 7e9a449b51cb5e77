#include "session/fuse_description.h"

#include "session/fuse_bytes.h"
#include "session/program_dir.h"
#include "session/quillon_error.h"
#include "session/text_lines_file.h"

#include <QFileInfo>

namespace {

// 24 captions of a few words each fit many times over; a huge file is not read past it.
constexpr qsizetype DescriptionFileBound = 64 * 1024;
constexpr ReadBound DescriptionBound{FuseCaptionCount, DescriptionFileBound};
QString fuses_dir() { return program_dir() + QStringLiteral("fuses/"); }

QString own_file_name(const QString &device) { return fuses_dir() + device + QStringLiteral(".fuse"); }

} // namespace

QString fuse_description_file_name(const QString &device)
{
    const QString own = own_file_name(device);
    if (QFileInfo(own).isFile())
        return own;
    return fuses_dir() + QStringLiteral("no.fuse");
}

QStringList load_fuse_description(const QString &device)
{
    return load_text_lines(fuse_description_file_name(device), DescriptionBound);
}

std::optional<QStringList> device_fuse_names(const QString &device)
{
    const QString own = own_file_name(device);
    if (!QFileInfo(own).isFile())
        return std::nullopt;
    try {
        const QStringList names = load_text_lines(own, DescriptionBound);
        if (names.size() == FuseCaptionCount)
            return names;
    } catch (const QuillonError &) {
    }
    return std::nullopt;
}

QStringList generic_fuse_captions()
{
    QStringList captions;
    for (int index = 0; index < FuseCaptionCount; ++index)
        captions << QStringLiteral("Bit %1").arg(index % FuseBitsPerByte);
    return captions;
}
