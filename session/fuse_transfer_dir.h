#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The folder avrdude writes one read's transfer files into. Made fresh for each read, and only
// this user may enter it, so that no other Quillon reads the files first and nobody can plant a
// link there that avrdude would write through. It goes, with whatever is in it, when the read is
// over, however the read ended.
class FuseTransferDir {
public:
    // Under $XDG_RUNTIME_DIR when that is this user's own folder that nobody else may enter
    // (mode 0700), else in the temporary folder when nobody else can move what is made there.
    // Throws "cannot create" when no folder is made.
    FuseTransferDir();
    ~FuseTransferDir();
    FuseTransferDir(const FuseTransferDir &) = delete;
    FuseTransferDir &operator=(const FuseTransferDir &) = delete;

    // The folder's path with a trailing separator, ready to put a file name after.
    QString path() const;

    // Throws, with a message that says so, unless path() still names the folder made here: the
    // same folder (device and inode), this user's, mode 0700. Call it before reading a file.
    void checkStillOurs() const;

    // Removes every folder still made, for a program that ends where no destructor runs (its
    // display gone, or a signal). Same thread as the folders' own.
    static void removeAll();

private:
    bool stillOurs() const;
    void remove();

    // The folders made and not yet removed; nothing here needs destroying at the program's end.
    static constinit FuseTransferDir *first_;
    FuseTransferDir *next_ = nullptr;
    bool removed_ = false;

    QByteArray path_; // without a trailing separator
    dev_t device_ = 0;
    ino_t inode_ = 0;
};
