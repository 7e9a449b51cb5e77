// The fuse window reads two kinds of small text file: the description file of a device (24
// captions) and the transfer files avrdude leaves behind (one decimal number). Both may be short,
// empty, binary or hostile. The first input byte picks which kind this input is.
#include "session/quillon_error.h"
#include "session/text_lines_file.h"
#include "session/fuse_bits.h"
#include "session/fuse_description.h"
#include "fuzz_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QString FuzzDevice = QStringLiteral("fuzz");

QString description_file() { return QCoreApplication::applicationDirPath() + QStringLiteral("/fuses/fuzz.fuse"); }
QString transfer_file() { return QCoreApplication::applicationDirPath() + QStringLiteral("/lfuse.hex"); }

void write_file(const QString &name, const std::string &bytes)
{
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()));
}

void check_lines(const QStringList &lines, size_t byte_count)
{
    FUZZ_CHECK(static_cast<size_t>(lines.size()) <= byte_count);
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
}

void description(const std::string &bytes)
{
    write_file(description_file(), bytes);
    FUZZ_CHECK(fuse_description_file_name(FuzzDevice) == description_file());
    const QStringList lines = load_fuse_description(FuzzDevice);
    check_lines(lines, bytes.size());
}

// A transfer file's line 1 becomes the label's text and, when it is a byte, the stored byte; a
// later write turns the byte into hexadecimal for avrdude. That hexadecimal must name the same value.
void transfer(const std::string &bytes)
{
    write_file(transfer_file(), bytes);
    const QStringList lines = load_text_lines(transfer_file(), TransferFileBound);
    check_lines(lines, bytes.size());
    if (lines.isEmpty())
        return;
    int value = 0;
    try {
        value = fuse_byte_value(lines.first());
    } catch (const QuillonError &) {
        return;
    }
    FUZZ_CHECK(value >= 0 && value <= 255);
    bool ok = false;
    FUZZ_CHECK(fuse_hex(value).toInt(&ok, 16) == value && ok);
    for (int n = 0; n < 8; ++n)
        FUZZ_CHECK(fuse_bit(value, n) == (((value >> n) & 1) != 0));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    QDir(QCoreApplication::applicationDirPath()).mkpath(QStringLiteral("fuses"));
    std::atexit([] {
        QFile::remove(description_file());
        QFile::remove(transfer_file());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool is_transfer = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    if (is_transfer)
        transfer(bytes);
    else
        description(bytes);
    return 0;
}
