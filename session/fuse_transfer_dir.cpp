#include "session/fuse_transfer_dir.h"

#include "avrdude/native_text.h"
#include "session/quillon_error.h"

#include <QDir>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

constexpr mode_t PrivateMode = 0700;

QString shown_path(const QByteArray &path) { return QDir::toNativeSeparators(readable_text(native_text(path))); }

bool is_directory_of(const struct stat &status, uid_t owner)
{
    return S_ISDIR(status.st_mode) && status.st_uid == owner;
}

// The user's runtime folder counts only as Qt's own runtime location check has it: a folder of
// this user that nobody else may enter. A runtime folder that others may write lets them swap
// ours for one with a link in it while avrdude runs, and avrdude would write through that link.
bool is_private_folder(const QByteArray &dir)
{
    struct stat status {};
    return ::stat(dir.constData(), &status) == 0 && is_directory_of(status, ::geteuid())
           && (status.st_mode & 0777) == PrivateMode;
}

// A folder where nobody else can move what this user makes: this user's own that others may not
// write, or one with the sticky bit (as /tmp has) owned by root or by this user.
bool keeps_our_entries(const QByteArray &dir)
{
    struct stat status {};
    if (::stat(dir.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    const uid_t me = ::geteuid();
    if (status.st_uid == me && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return true;
    return (status.st_mode & S_ISVTX) != 0 && (status.st_uid == 0 || status.st_uid == me);
}

QByteArray temporary_folder()
{
    QByteArray dir = qgetenv("TMPDIR");
    if (dir.isEmpty())
        dir = QByteArrayLiteral("/tmp");
    while (dir.size() > 1 && dir.endsWith('/'))
        dir.chop(1);
    return dir;
}

QByteArray parent_folder()
{
    const QByteArray runtime_dir = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime_dir.isEmpty() && is_private_folder(runtime_dir))
        return runtime_dir;
    const QByteArray temporary = temporary_folder();
    struct stat status {};
    if (::stat(temporary.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        throw QuillonError(QStringLiteral("Kein Ordner für die Fuse-Werte: den temporären Ordner %1 (TMPDIR) gibt es "
                                          "nicht.")
                               .arg(shown_path(temporary)));
    if (!keeps_our_entries(temporary))
        throw QuillonError(QStringLiteral("Kein sicherer Ordner für die Fuse-Werte: in %1 können andere Benutzer "
                                          "Ordner umbenennen.")
                               .arg(shown_path(temporary)));
    return temporary;
}

} // namespace

constinit FuseTransferDir *FuseTransferDir::first_ = nullptr;

FuseTransferDir::FuseTransferDir()
{
    QByteArray name = parent_folder() + QByteArrayLiteral("/quillon-fuses-XXXXXX");
    // mkdtemp makes the folder with mode 0700.
    if (!::mkdtemp(name.data()))
        throw QuillonError::cannot_create(shown_path(name));
    path_ = name;
    struct stat status {};
    if (::lstat(path_.constData(), &status) != 0) {
        ::rmdir(path_.constData());
        throw QuillonError::cannot_create(shown_path(name));
    }
    device_ = status.st_dev;
    inode_ = status.st_ino;
    next_ = first_;
    first_ = this;
}

FuseTransferDir::~FuseTransferDir()
{
    FuseTransferDir **link = &first_;
    while (*link && *link != this)
        link = &(*link)->next_;
    if (*link)
        *link = next_;
    remove();
}

void FuseTransferDir::removeAll()
{
    for (FuseTransferDir *dir = first_; dir; dir = dir->next_)
        dir->remove();
}

void FuseTransferDir::remove()
{
    // A folder put in place of ours is someone else's: it stays as it is, and so does ours,
    // wherever it was moved.
    if (removed_ || !stillOurs())
        return;
    removed_ = true;
    if (DIR *dir = ::opendir(path_.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArrayView name(entry->d_name);
            if (name != "." && name != "..")
                ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
        ::closedir(dir);
    }
    ::rmdir(path_.constData());
}

QString FuseTransferDir::path() const { return QDir::toNativeSeparators(native_text(path_) + QLatin1Char('/')); }

bool FuseTransferDir::stillOurs() const
{
    struct stat status {};
    return ::lstat(path_.constData(), &status) == 0 && is_directory_of(status, ::geteuid())
           && status.st_dev == device_ && status.st_ino == inode_ && (status.st_mode & 07777) == PrivateMode;
}

void FuseTransferDir::checkStillOurs() const
{
    if (!stillOurs())
        throw QuillonError(QStringLiteral("Der Ordner %1 wurde während des Lesens ausgetauscht oder verändert; "
                                          "die Fuse-Werte darin werden nicht übernommen.")
                               .arg(shown_path(path_)));
}
