// Theme files come from anywhere a user points the widget set at. The reader must take any bytes
// without reading outside them, and lookups must never hand out more than the file holds.
#include "fuzz_check.h"
#include "skin/themes/file_theme_mgr.h"
#include "skin/themes/theme_element.h"
#include "skin/themes/theme_file_reader.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

QString scratch_file()
{
    static const QString name = QDir::tempPath() + QStringLiteral("/quillon_theme_fuzz_%1.skn").arg(::getpid());
    return name;
}

void write_scratch(const uint8_t *data, size_t size)
{
    QFile file(scratch_file());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) ==
               static_cast<qint64>(size));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Bitmaps decode through Qt's image readers, which want the GUI application's plugins.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // The name exists before the handler is registered, so it outlives the handler at exit.
    scratch_file();
    std::atexit([] { QFile::remove(scratch_file()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const TsuiThemeFileReader reader(bytes);
    FUZZ_CHECK(reader.EntryCount() <= TsuiThemeFileReader::MaxRecords);
    if (!TsuiThemeFileReader::HasValidMagic(bytes))
        FUZZ_CHECK(reader.EntryCount() == 0);

    for (int n = FirstThemeElement; n <= LastThemeElement; ++n) {
        const QString name = ThemeElementName(static_cast<ThemeElement>(n));
        FUZZ_CHECK(reader.BitmapData(name).size() <= bytes.size());
        if (const auto text = reader.Text(name))
            FUZZ_CHECK(text->size() <= bytes.size());
        if (!reader.Contains(name)) {
            FUZZ_CHECK(!reader.Number(name).has_value());
            FUZZ_CHECK(!reader.Text(name).has_value());
        }
    }

    // The same bytes as a file, through the manager that decodes the bitmaps the controls draw.
    write_scratch(data, size);
    TsuiFileThemeMgr manager;
    const bool loaded = manager.LoadFile(scratch_file());
    FUZZ_CHECK(loaded == TsuiThemeFileReader::HasValidMagic(bytes));
    for (int n = FirstThemeElement; n <= LastThemeElement; ++n) {
        const QString name = ThemeElementName(static_cast<ThemeElement>(n));
        if (const auto image = manager.Bitmap(name))
            FUZZ_CHECK(!image->isNull());
        FUZZ_CHECK(manager.Number(name) == reader.Number(name));
    }
    return 0;
}
