// avrdude's output is whatever the child writes: any bytes, in any chunks. Decoding, splitting
// into log lines, the report, the live progress parser and the help for a refused port must take
// all of it.
#include "avrdude/access_help.h"
#include "avrdude/console_text.h"
#include "avrdude/progress_parser.h"
#include "avrdude/run_report.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

namespace {

constexpr size_t MaxChunks = 16;

const QString ReturnCodePrefix = QStringLiteral("Return-Code des Programms: ");
const QString OutputHeading = QStringLiteral("---Output---");

void check_split(const QString &text)
{
    const QStringList lines = split_console_lines(text);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    const QString kept = nul < 0 ? text : text.left(nul);
    qsizetype characters = 0;
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(u'\0')));
        characters += line.size();
    }
    // Only line breaks are dropped: every other character before the NUL is in some line.
    qsizetype breaks = 0;
    for (const QChar c : kept)
        breaks += (c == u'\r' || c == u'\n') ? 1 : 0;
    FUZZ_CHECK(characters == kept.size() - breaks);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<QByteArray> chunks;
    const size_t chunk_count = input.ConsumeIntegralInRange<size_t>(1, MaxChunks);
    for (size_t i = 0; i < chunk_count && input.remaining_bytes() > 0; ++i) {
        const std::string chunk = i + 1 == chunk_count ? input.ConsumeRemainingBytesAsString()
                                                       : input.ConsumeRandomLengthString(input.remaining_bytes());
        chunks.emplace_back(chunk.data(), static_cast<qsizetype>(chunk.size()));
    }
    if (chunks.empty())
        chunks.emplace_back();
    QByteArray whole;
    for (const QByteArray &chunk : chunks)
        whole += chunk;

    const QString text = decode_console_text(whole);
    check_split(text);

    // Live decoding in the chunks the pipe happened to deliver agrees with the report's decoding
    // whenever the whole is UTF-8; otherwise it only has to survive.
    ConsoleStreamDecoder stream;
    AvrdudeProgressParser progress;
    QString live;
    for (const QByteArray &chunk : chunks) {
        live += stream.decode(chunk);
        progress.feed(chunk);
        FUZZ_CHECK(progress.percent() >= -1 && progress.percent() <= 100);
    }
    if (QString::fromUtf8(whole).toUtf8() == whole)
        FUZZ_CHECK(live == text);

    RunResult result;
    result.started = true;
    result.output = whole;
    result.errors = chunks.front();
    const QStringList report = report_lines(result, {});
    FUZZ_CHECK(report.first().startsWith(ReturnCodePrefix));
    if (!whole.isEmpty())
        FUZZ_CHECK(report.size() > 1 && report[1] == OutputHeading);
    else
        FUZZ_CHECK(report.size() == 1);

    // The help for a refused port reads the failed run's errors: a port it names came from them.
    result.exit_code = 1;
    if (const std::optional<RefusedAccess> refused = refused_access(result)) {
        FUZZ_CHECK(refused->kind == RefusedAccess::UsbDeviceDenied || !refused->port.contains(u'\n'));
        FUZZ_CHECK(access_help_lines(*refused, {}, QStringLiteral("user")).size() >= 2);
    }
    return 0;
}
