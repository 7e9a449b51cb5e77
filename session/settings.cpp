#include "session/settings.h"

#include "session/program_dir.h"
#include "session/quillon_error.h"
#include "session/text_lines_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A save keeps every line after line 1, so the whole file must fit; no real settings file comes
// near this, and a damaged one of gigabytes must not be loaded.
constexpr qsizetype SettingsFileBound = 1 << 20;

// Where line 1 ends and where the lines after it begin, in bytes.
struct FirstLineSplit {
    qsizetype line_end = 0;
    qsizetype rest_begin = 0;
};

FirstLineSplit split_first_line(const QByteArray &bytes)
{
    FirstLineSplit split;
    qsizetype i = 0;
    while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
        ++i;
    split.line_end = i;
    if (i < bytes.size())
        i += (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    split.rest_begin = i;
    return split;
}

} // namespace

QString program_settings_file_name() { return program_dir() + QStringLiteral("options.ini"); }

QString user_settings_file_name()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/quillon/options.ini");
}

QString settings_file_name()
{
    const QString user = user_settings_file_name();
    // exists(), not isFile(): a folder or unreadable file there is reported by name, not passed over.
    return QFileInfo::exists(user) ? user : program_settings_file_name();
}

QString read_settings_line1()
{
    const QString file_name = settings_file_name();
    const FileHead head = read_file_head(file_name, SettingsFileBound);
    if (head.bytes.isEmpty())
        throw QuillonError::list_index_beyond(0);
    const FirstLineSplit split = split_first_line(head.bytes);
    if (head.cut && split.line_end == head.bytes.size())
        throw QuillonError::too_large(file_name, SettingsFileBound);
    // Line 1 is decoded on its own: a save writes it as UTF-8 beside lines kept in whatever
    // encoding they had, and those must not change how the path reads back.
    return decode_file_line(head.bytes.left(split.line_end));
}

void save_avrdude_path(const QString &text)
{
    // A path the reader would refuse is refused before anything is written: saved, it would be
    // refused at every start.
    const QByteArray line1 = text.toUtf8();
    if (line1.size() + 2 > SettingsFileBound)
        throw QuillonError(QStringLiteral("Der Pfad ist zu lang: options.ini nimmt in Zeile 1 höchstens %1 Bytes auf")
                               .arg(SettingsFileBound - 2));
    const QString file_name = settings_file_name();
    // Lines 2..n are kept byte for byte; only line 1 is replaced, however long it was.
    QByteArray rest = lines_after_first(file_name, SettingsFileBound);

    QString target = file_name;
    if (file_name == program_settings_file_name() && !can_replace_file(file_name)) {
        target = user_settings_file_name();
        // A failed mkpath shows up as the save's own "cannot create" below.
        QDir().mkpath(QFileInfo(target).path());
    }
    if (!rest.isEmpty() && !rest.endsWith('\r') && !rest.endsWith('\n'))
        rest += "\r\n";
    save_file_atomically(target, line1 + "\r\n" + rest);
}
