#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The parts of an avrdude configuration file, as far as the fuse files need them: each part's id,
// its description (the chip's name, "ATmega328P") and the memories it has, its parents' included.
class AvrdudeParts {
public:
    // Reads the file; an unreadable file gives no parts.
    explicit AvrdudeParts(const QString &conf_file);

    QStringList ids() const { return parts_.keys(); }
    bool knows(const QString &id) const { return parts_.contains(id); }
    QString description(const QString &id) const;
    bool hasMemory(const QString &id, const QString &memory) const;

private:
    struct Part {
        QString parent;
        QString description;
        QMap<QString, bool> memories; // false: removed with "= NULL"
    };
    QMap<QString, Part> parts_;
};
