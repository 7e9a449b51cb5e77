#include "skin/paint/installed_face.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {

// The installed family of that name in the spelling it is installed under (substitutes are kept
// in lower case), or an empty text.
QString installed_family(const QStringList &installed, const QString &name)
{
    for (const QString &family : installed)
        if (family.compare(name, Qt::CaseInsensitive) == 0)
            return family;
    return {};
}

// The family standing in for wanted: the first installed of wanted and its substitutes.
QString stand_in_for(const QString &wanted)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &candidate : QStringList{wanted} + QFont::substitutes(wanted))
        if (QString family = installed_family(installed, candidate); !family.isEmpty())
            return family;
    return {};
}

} // namespace

QFont installed_face(const QFont &wanted)
{
    // Fonts are resolved on the user-interface thread only; the answer per family never changes
    // while the program runs.
    static QHash<QString, QString> stand_ins;
    const QString family = wanted.family();
    auto known = stand_ins.constFind(family);
    if (known == stand_ins.cend())
        known = stand_ins.insert(family, stand_in_for(family));
    if (known->isEmpty() || *known == family)
        return wanted;
    QFont face = wanted;
    face.setFamily(*known);
    return face;
}
