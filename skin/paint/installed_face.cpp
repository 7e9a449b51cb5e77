#include "skin/paint/installed_face.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

QFont installed_face(const QFont &wanted)
{
    // Fonts are resolved on the user-interface thread only; the answer per family never changes
    // while the program runs.
    static QHash<QString, QString> stand_in;
    const QString family = wanted.family();
    auto known = stand_in.constFind(family);
    if (known == stand_in.cend()) {
        const QStringList present = QFontDatabase::families();
        QString chosen;
        for (const QString &candidate : QStringList{family} + QFont::substitutes(family)) {
            if (present.contains(candidate, Qt::CaseInsensitive)) {
                chosen = candidate;
                break;
            }
        }
        known = stand_in.insert(family, chosen);
    }
    if (known->isEmpty() || *known == family)
        return wanted;
    QFont face = wanted;
    face.setFamily(*known);
    return face;
}
