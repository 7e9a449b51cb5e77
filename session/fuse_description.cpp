#include "session/fuse_description.h"

#include "session/program_dir.h"
#include "session/text_lines_file.h"

#include <QFileInfo>

namespace {

// 24 captions of a few words each fit many times over; a huge file is not read past it.
constexpr qsizetype DescriptionFileBound = 64 * 1024;

QString fuses_dir() { return program_dir() + QStringLiteral("fuses/"); }

} // namespace

QString fuse_description_file_name(const QString &device)
{
    const QString own = fuses_dir() + device + QStringLiteral(".fuse");
    if (QFileInfo(own).isFile())
        return own;
    return fuses_dir() + QStringLiteral("no.fuse");
}

QStringList load_fuse_description(const QString &device)
{
    return load_text_lines(fuse_description_file_name(device), {FuseCaptionCount, DescriptionFileBound});
}
