#pragma once

#include <QString>
#include <QTemporaryDir>

// The folder avrdude writes one read's transfer files into. Made fresh for each read, and only
// this user may enter it, so that no other Quillon reads the files first and nobody can plant a
// link there that avrdude would write through. It goes, with whatever is in it, when the read is
// over, however the read ended.
class FuseTransferDir {
public:
    // Under $XDG_RUNTIME_DIR, else the temporary directory. Throws "cannot create" when neither
    // takes a new folder.
    FuseTransferDir();

    // The folder's path with a trailing separator, ready to put a file name after.
    QString path() const;

private:
    QTemporaryDir dir_;
};
