#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

// Writes theme files for the tests: header, a chain of element records closed by an empty
// record, then the data the records point at.
class ThemeFileBuilder {
public:
    void AddNumber(const QString &name, qint64 value);
    void AddBool(const QString &name, bool value);
    void AddText(const QString &name, const QString &text);
    void AddBitmap(const QString &name, const QImage &image);

    QByteArray Build() const;

    static constexpr int HeaderSize = 24;
    static constexpr int RecordSize = 77;

private:
    struct Record {
        QByteArray name;
        quint8 kind;
        QByteArray data;
    };
    std::vector<Record> m_records;
};

// Little-endian 32-bit store, for tests that damage a built file.
void PutU32(QByteArray &bytes, qsizetype offset, quint32 value);
