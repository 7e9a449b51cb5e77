// Command lines hold the avrdude path from options.ini, whatever the user types as a free
// command, and file names and parameters that may be any bytes. Splitting must take any text,
// and quoting arguments the way the splitter reads them must give back exactly those arguments,
// down to the bytes the child gets.
#include "avrdude/command_line_split.h"
#include "avrdude/native_text.h"
#include "fuzz_check.h"

#include <QCoreApplication>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

constexpr size_t MaxArguments = 8;
constexpr size_t MaxArgumentLength = 64;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);

    QList<QByteArray> bytes;
    QStringList arguments;
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, MaxArguments);
    for (size_t i = 0; i < count; ++i) {
        const std::string argument = input.ConsumeRandomLengthString(MaxArgumentLength);
        bytes << QByteArray(argument.data(), static_cast<qsizetype>(argument.size()));
        arguments << native_text(bytes.last());
        FUZZ_CHECK(native_bytes(arguments.last()) == bytes.last());
    }
    // Every argument between quotes, escaped the way file names go into avrdude's command lines.
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted << u'"' + escape_within_quotes(argument) + u'"';
    const QStringList split = split_arguments(quoted.join(u' '));
    FUZZ_CHECK(split == arguments);
    for (qsizetype i = 0; i < split.size(); ++i)
        FUZZ_CHECK(native_bytes(split.at(i)) == bytes.at(i));

    // Any text at all, as a free command after the avrdude path.
    const QString line = QString::fromUtf8(input.ConsumeRemainingBytesAsString());
    // Quotes are dropped and backslashes only ever halved: no character comes out twice.
    qsizetype total = 0;
    for (const QString &argument : split_arguments(line))
        total += argument.size();
    FUZZ_CHECK(total <= line.size());

    // A value that must stay one argument comes back as it is, whatever it holds.
    if (!line.isEmpty())
        FUZZ_CHECK(split_arguments(single_argument(line)) == QStringList{line});
    return 0;
}
