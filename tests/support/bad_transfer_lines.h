#pragma once

#include <QByteArray>
#include <QString>

// What a low-fuse transfer file may hold that is no fuse byte, and the failure a read stops with.
struct BadTransferLine {
    QByteArray low;
    QString message;
};

inline const BadTransferLine BadTransferLines[] = {
    {"abc\n", QStringLiteral("'abc' ist kein gültiger Integerwert")},
    {"256\n", QStringLiteral("'256' ist kein gültiger Integerwert")},
    {"-1\n", QStringLiteral("'-1' ist kein gültiger Integerwert")},
    {"", QStringLiteral("Listenindex überschreitet das Maximum (0)")},
};
