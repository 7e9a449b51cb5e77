#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class AvrdudeParts;
class AvrLibcHeaders;

// The fuse description files Quillon ships: one per device of its own list and per avrdude part
// with low and high fuse whose bits avr-libc names, and no.fuse for every other device.
struct FuseFile {
    QString name; // "m328p.fuse"
    QByteArray content;
};

struct FuseFiles {
    std::vector<FuseFile> files;
    QStringList skipped;  // parts left without a file, each with the reason
    QStringList problems; // sources that disagree; the files are not to be trusted
};

FuseFiles make_fuse_files(const QStringList &listed_devices, const AvrdudeParts &avrdude, const AvrLibcHeaders &avr_libc);
