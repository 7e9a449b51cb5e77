#include "forms/fuses/fuse_transfer_dir.h"

#include "app/quillon_error.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString transfer_dir_template()
{
    const QString runtime_dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString parent = !runtime_dir.isEmpty() && QFileInfo(runtime_dir).isDir() ? runtime_dir : QDir::tempPath();
    return parent + QStringLiteral("/quillon-fuses-XXXXXX");
}

} // namespace

FuseTransferDir::FuseTransferDir()
    : dir_(transfer_dir_template())
{
    // QTemporaryDir makes the folder with mode 0700.
    if (!dir_.isValid())
        throw QuillonError::cannot_create(dir_.path().isEmpty() ? transfer_dir_template() : dir_.path());
}

QString FuseTransferDir::path() const { return QDir::toNativeSeparators(dir_.path() + QLatin1Char('/')); }
