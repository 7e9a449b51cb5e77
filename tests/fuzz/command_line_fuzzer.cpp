// Command lines hold the avrdude path from options.ini and whatever the user types as a free
// command. Splitting must take any text, and quoting arguments the way the splitter reads them
// must give back exactly those arguments.
#include "avrdude/command_line_split.h"
#include "fuzz_check.h"

#include <QCoreApplication>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

constexpr size_t MaxArguments = 8;
constexpr size_t MaxArgumentLength = 64;

// Writes one argument so that the splitter reads it back unchanged: quoted when it is empty or
// holds a blank, tab or quote; a quote and the backslashes before it escaped; backslashes before
// the closing quote doubled.
QString quote_argument(const QString &argument)
{
    const bool needs_quotes = argument.isEmpty() || argument.contains(u' ') || argument.contains(u'\t') ||
                              argument.contains(u'"');
    if (!needs_quotes)
        return argument;
    QString quoted = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (const QChar c : argument) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            quoted += QString(backslashes * 2 + 1, u'\\');
        } else {
            quoted += QString(backslashes, u'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted += QString(backslashes * 2, u'\\');
    quoted += u'"';
    return quoted;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);

    QStringList arguments;
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, MaxArguments);
    for (size_t i = 0; i < count; ++i)
        arguments << QString::fromUtf8(input.ConsumeRandomLengthString(MaxArgumentLength));
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted << quote_argument(argument);
    FUZZ_CHECK(split_arguments(quoted.join(u' ')) == arguments);

    // Any text at all, as a free command after the avrdude path.
    const QString line = QString::fromUtf8(input.ConsumeRemainingBytesAsString());
    // Quotes are dropped and backslashes only ever halved: no character comes out twice.
    qsizetype total = 0;
    for (const QString &argument : split_arguments(line))
        total += argument.size();
    FUZZ_CHECK(total <= line.size());

    ResolvedCommand resolved;
    if (resolve_command_line(line, resolved)) {
        QString program = resolved.program;
        FUZZ_CHECK(find_runnable(program));
    }
    return 0;
}
