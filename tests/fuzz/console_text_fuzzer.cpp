// avrdude's output is whatever the child writes: any bytes, in any chunks. Splitting and decoding
// into log lines, the report, the live progress parser and the help for a refused port must take
// all of it, and what arrives in chunks must come out as the whole text does.
#include "avrdude/access_help.h"
#include "avrdude/console_text.h"
#include "avrdude/progress_parser.h"
#include "avrdude/run_report.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

namespace {

constexpr size_t MaxChunks = 16;
constexpr qsizetype UnfinishedLimit = 40;

const QString ReturnCodePrefix = QStringLiteral("Return-Code des Programms: ");

void check_lines(const QByteArray &whole, const QStringList &lines)
{
    const qsizetype nul = whole.indexOf('\0');
    const QByteArray kept = nul < 0 ? whole : whole.left(nul);
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (kept[i] == '\n' && i > 0 && kept[i - 1] == '\r')
            continue;
        breaks += (kept[i] == '\r' || kept[i] == '\n') ? 1 : 0;
    }
    // One line per break, and one more for text after the last.
    const bool tail = !kept.isEmpty() && kept.back() != '\r' && kept.back() != '\n';
    FUZZ_CHECK(lines.size() == breaks + (tail ? 1 : 0));
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(u'\0')));
}

int percent_of(const std::vector<QByteArray> &chunks)
{
    AvrdudeProgressParser progress;
    for (const QByteArray &chunk : chunks) {
        progress.feed(chunk);
        FUZZ_CHECK(progress.percent() >= -1 && progress.percent() <= 100);
    }
    return progress.percent();
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

    const QStringList lines = console_lines(whole);
    check_lines(whole, lines);

    // The lines, the line being written and the progress do not depend on how the pipe cut the text.
    ConsoleLines stream;
    QStringList streamed;
    for (const QByteArray &chunk : chunks) {
        stream.feed(chunk, streamed);
        bool more = false;
        const QString unfinished = stream.unfinished(UnfinishedLimit, &more);
        FUZZ_CHECK(unfinished.size() <= UnfinishedLimit && (stream.hasUnfinished() || (unfinished.isEmpty() && !more)));
    }
    stream.finish(streamed);
    FUZZ_CHECK(streamed == lines);
    FUZZ_CHECK(percent_of(chunks) == percent_of({whole}));

    RunResult result;
    result.started = true;
    result.output = whole;
    result.errors = chunks.front();
    const QStringList report = report_lines(result, {});
    FUZZ_CHECK(report.first().startsWith(ReturnCodePrefix));
    if (!whole.isEmpty())
        FUZZ_CHECK(report.size() > 1 && report[1] == OutputHeading && report.mid(2, lines.size()) == lines);
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
