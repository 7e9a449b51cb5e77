#include "avrdude/console_text.h"
#include "avrdude/kept_output.h"
#include "avrdude/run_report.h"

#include <algorithm>

#include <gtest/gtest.h>

TEST(RunReport, WritesTheFailureLinesWhenTheChildDidNotStart)
{
    RunResult result;
    result.output = "ignored";
    const QStringList failure{QStringLiteral("Pfad zu AVRDUDE nicht OK!"), QString(), QStringLiteral("x")};
    EXPECT_EQ(report_lines(result, failure), failure);
}

TEST(RunReport, ShowsOnlyTheSectionsThatHaveText)
{
    RunResult result;
    result.started = true;
    EXPECT_EQ(report_lines(result, {}), QStringList{QStringLiteral("Return-Code des Programms: 0")});

    result.exit_code = 1;
    result.errors = "avrdude: error\r\n";
    EXPECT_EQ(report_lines(result, {}), (QStringList{"Return-Code des Programms: 1", "---Errors---", "avrdude: error"}));

    result.output = "done\n";
    EXPECT_EQ(report_lines(result, {}),
              (QStringList{"Return-Code des Programms: 1", "---Output---", "done", "---Errors---", "avrdude: error"}));
}

TEST(RunReport, WritesExitCodesUnsigned)
{
    RunResult result;
    result.started = true;
    result.exit_code = 0xC0000005u;
    EXPECT_EQ(report_lines(result, {}).first(), QStringLiteral("Return-Code des Programms: 3221225477"));
}

namespace {

// The lines of a text fed in the given chunk sizes, the last chunk taking the rest.
QStringList lines_in_chunks(const QByteArray &text, qsizetype chunk_size)
{
    ConsoleLines splitter;
    QStringList lines;
    for (qsizetype at = 0; at < text.size(); at += chunk_size)
        splitter.feed(QByteArrayView(text).sliced(at, std::min(chunk_size, text.size() - at)), lines);
    splitter.finish(lines);
    return lines;
}

} // namespace

// Each line is decoded on its own, and the lines are the same in whatever chunks the text comes.
TEST(ConsoleText, SplitsAndDecodesLineByLineInAnyChunks)
{
    const struct {
        QByteArray text;
        QStringList lines;
    } cases[] = {
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\n", {"a"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\r", {"a", ""}}, // LF then CR is two breaks
        {"\n", {""}},
        {"  x  ", {"  x  "}}, // nothing is trimmed
        {QByteArray("ab\0cd\ne", 7), {"ab"}}, // NUL ends the text
        {QByteArray("a\n\0b", 4), {"a"}},
        {"Gr\xc3\xb6\xc3\x9f" "e", {QStringLiteral("Größe")}},
        {"\x81" "ber\r\n\x84\x94\xe1", {QStringLiteral("über"), QStringLiteral("äöß")}}, // code page 850
        {"Gr\xc3\xb6\xc3\x9f" "e\n\x81" "ber\nS\xc3\xbc" "d", {QStringLiteral("Größe"), QStringLiteral("über"), QStringLiteral("Süd")}},
        {"\xc3\n\xb6", {QStringLiteral("├"), QStringLiteral("Â")}}, // a character cut by a break is no character
        {"\xef\xbb\xbf" "a\n\xef\xbb\xbf" "b", {QStringLiteral("a"), QStringLiteral("\ufeffb")}}, // a mark counts at the start only
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(console_lines(c.text), c.lines);
        for (const qsizetype chunk : {1, 2, 3})
            EXPECT_EQ(lines_in_chunks(c.text, chunk), c.lines) << "chunks of " << chunk;
    }
}

// A live view shows the line still being written as far as it has come.
TEST(ConsoleText, ShowsTheUnfinishedLineAsFarAsItHasCome)
{
    ConsoleLines splitter;
    QStringList lines;
    bool more = true;
    splitter.feed("done\nWriting | ##", lines);
    EXPECT_EQ(lines, QStringList{"done"});
    EXPECT_EQ(splitter.unfinished(80, &more), QStringLiteral("Writing | ##"));
    EXPECT_FALSE(more);
    splitter.feed(" Gr\xc3", lines);
    EXPECT_EQ(splitter.unfinished(80, &more), QStringLiteral("Writing | ## Gr")) << "half a character waits";
    EXPECT_EQ(splitter.unfinished(4, &more), QStringLiteral("Writ"));
    EXPECT_TRUE(more);
    splitter.feed("\xb6\x81", lines);
    EXPECT_EQ(splitter.unfinished(80, &more), QStringLiteral("Writing | ## Gr├Âü")) << "no longer UTF-8";
    splitter.finish(lines);
    EXPECT_FALSE(splitter.hasUnfinished());
    EXPECT_EQ(lines.last(), QStringLiteral("Writing | ## Gr├Âü"));
}

// A stream's head goes through as it comes, up to a byte or a line bound; of the rest only the
// last lines are kept, and what lies between is counted. The same whatever the chunks.
TEST(KeptOutput, KeepsTheHeadAndTheLastLinesAndCountsWhatIsLeftOut)
{
    const KeptOutput::Bound small{10, 3};
    QByteArray numbered;
    for (int i = 0; i < 100; ++i)
        numbered += QByteArray::number(100 + i).append('\n');
    struct Case {
        const char *name;
        QByteArray stream;
        QByteArray head;
        QByteArray tail;
        qsizetype left_out_bytes;
        qsizetype left_out_line_breaks;
    };
    const Case cases[] = {
        {"within the head", "ab\ncd\n", "ab\ncd\n", "", 0, 0},
        {"the head ends at its byte bound", "abc\ndefg\nhijkl\n", "abc\ndefg\nh", "ijkl\n", 0, 0},
        {"the head ends at its line bound", "a\nb\nc\nd\ne\n", "a\nb\nc\n", "d\ne\n", 0, 0},
        {"endless output keeps its last whole lines", numbered, "100\n101\n10", "198\n199\n", 400 - 10 - 8, 100 - 2 - 2},
        {"one line without a break", QByteArray(25, 'x'), QByteArray(10, 'x'), QByteArray(10, 'x'), 5, 0},
    };
    for (const Case &c : cases) {
        for (const qsizetype chunk : {c.stream.size(), qsizetype(3), qsizetype(1)}) {
            SCOPED_TRACE(std::string(c.name) + ", chunks of " + std::to_string(chunk));
            KeptOutput kept(small, small);
            QByteArray head;
            for (qsizetype at = 0; at < c.stream.size(); at += chunk)
                head += kept.take(QByteArrayView(c.stream).sliced(at, std::min(chunk, c.stream.size() - at)));
            const KeptOutput::Rest rest = kept.rest();
            EXPECT_EQ(head, c.head);
            EXPECT_EQ(rest.tail, c.tail);
            EXPECT_EQ(rest.left_out_bytes, c.left_out_bytes);
            EXPECT_EQ(rest.left_out_line_breaks, c.left_out_line_breaks);
        }
    }
}
