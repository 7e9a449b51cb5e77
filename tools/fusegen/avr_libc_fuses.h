#pragma once

#include <QMap>
#include <QString>

#include <array>

// What avr-libc's device headers say about a chip's fuses.
struct HeaderFuses {
    int bytes = 0; // FUSE_MEMORY_SIZE, 0 when the header gives none
    std::array<QString, 24> names; // low fuse bits 0-7, high 8-15, extended 16-23; empty: unnamed
};

class AvrLibcHeaders {
public:
    // headers_dir holds io.h and the device headers (Debian: /usr/lib/avr/include/avr).
    explicit AvrLibcHeaders(const QString &headers_dir);

    // The device header io.h picks for a chip ("ATmega328P" gives "iom328p.h"), empty when none.
    QString headerOf(const QString &chip) const;

    // The fuse bits the header and the headers it includes name, by the "Low/High/Extended Fuse
    // Byte" sections they stand in (a lone "Fuse Byte" is the low fuse).
    HeaderFuses fuses(const QString &header) const;

private:
    void readFuses(const QString &header, HeaderFuses &fuses, int depth) const;

    QString dir_;
    QMap<QString, QString> header_of_chip_; // keys in upper case
};
