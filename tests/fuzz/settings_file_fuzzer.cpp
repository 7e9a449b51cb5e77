// options.ini is a plain file a user can edit or damage. Whatever it holds, reading it must not
// crash, and saving a new avrdude path must replace line 1 and keep every byte after it.
#include "session/quillon_error.h"
#include "session/settings.h"
#include "fuzz_check.h"

#include <QCoreApplication>
#include <QFile>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

constexpr size_t MaxPathLength = 300;

QByteArray read_file(const QString &name)
{
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void write_file(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

// The bytes after line 1 and its break, which a save must keep.
QByteArray after_line_one(const QByteArray &bytes)
{
    const qsizetype cr = bytes.indexOf('\r');
    const qsizetype lf = bytes.indexOf('\n');
    if (cr < 0 && lf < 0)
        return QByteArray();
    if (cr >= 0 && (lf < 0 || cr < lf))
        return bytes.mid(cr + (lf == cr + 1 ? 2 : 1));
    return bytes.mid(lf + 1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The settings file lives in the directory of the running program; a per-user file, which
    // would come first, is kept out of reach (and the fuzzer away from the tester's own).
    qputenv("XDG_CONFIG_HOME", "/nonexistent/quillon-fuzz-config");
    static QCoreApplication application(*argc, *argv);
    std::atexit([] { QFile::remove(settings_file_name()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // A path as a user types it into the one-line edit: no line breaks.
    std::string typed = input.ConsumeRandomLengthString(MaxPathLength);
    std::erase_if(typed, [](char c) { return c == '\r' || c == '\n'; });
    const QString new_path = QString::fromUtf8(typed);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray old(rest.data(), static_cast<qsizetype>(rest.size()));

    const QString file_name = settings_file_name();
    write_file(file_name, old);
    try {
        const QString line1 = read_settings_line1();
        FUZZ_CHECK(!line1.contains(u'\r') && !line1.contains(u'\n'));
    } catch (const QuillonError &) {
        FUZZ_CHECK(old.isEmpty());
    }

    try {
        save_avrdude_path(new_path);
    } catch (const QuillonError &) {
        // Only an empty file is refused, and then it stays as it was.
        FUZZ_CHECK(old.isEmpty());
        FUZZ_CHECK(read_file(file_name).isEmpty());
        return 0;
    }
    FUZZ_CHECK(!old.isEmpty());
    const QByteArray saved = read_file(file_name);
    const QByteArray head = new_path.toUtf8() + "\r\n";
    FUZZ_CHECK(saved.startsWith(head));
    const QByteArray kept = after_line_one(old);
    FUZZ_CHECK(saved.mid(head.size()).startsWith(kept));
    // At most the line break the old last line lacked is added.
    FUZZ_CHECK(saved.size() - head.size() - kept.size() <= 2);

    // Read back as saved, whatever encoding the lines after it are in. A leading byte-order mark
    // is taken as one, as an editor writes it, not as part of the path.
    const QString without_mark = new_path.startsWith(QChar(0xFEFF)) ? new_path.mid(1) : new_path;
    FUZZ_CHECK(read_settings_line1() == without_mark);
    return 0;
}
