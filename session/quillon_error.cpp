#include "session/quillon_error.h"

QuillonError::QuillonError(const QString &message)
    : std::runtime_error(message.toStdString())
    , message_(message)
{
}

QuillonError QuillonError::cannot_open(const QString &file_name)
{
    return QuillonError(QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(file_name));
}

QuillonError QuillonError::cannot_create(const QString &file_name)
{
    return QuillonError(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(file_name));
}

QuillonError QuillonError::list_index_beyond(int index)
{
    return QuillonError(QStringLiteral("Listenindex überschreitet das Maximum (%1)").arg(index));
}

QuillonError QuillonError::not_an_integer(const QString &text)
{
    return QuillonError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
}

QuillonError QuillonError::too_large(const QString &file_name, qsizetype bound)
{
    return QuillonError(QStringLiteral("Datei %1 ist zu groß (mehr als %2 Bytes)").arg(file_name).arg(bound));
}
