#include "avrdude/console_text.h"
#include "avrdude/run_report.h"

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

TEST(ConsoleText, SplitsOnEveryKindOfLineBreak)
{
    EXPECT_EQ(split_console_lines(QStringLiteral("a\r\n\r\nb")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(split_console_lines(QStringLiteral("a\r\n")), QStringList{"a"});
    EXPECT_EQ(split_console_lines(QStringLiteral("a\rb\nc")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(split_console_lines(QStringLiteral("a\n\r")), (QStringList{"a", ""})) << "LF then CR is two breaks";
    EXPECT_EQ(split_console_lines(QStringLiteral("\n")), QStringList{""});
    EXPECT_EQ(split_console_lines(QStringLiteral("  x  ")), QStringList{"  x  "}) << "nothing is trimmed";
    EXPECT_EQ(split_console_lines(QString::fromUtf16(u"ab\0cd", 5)), QStringList{"ab"}) << "NUL ends the text";
}

TEST(ConsoleText, DecodesUtf8ElseTheOemCodePage)
{
    EXPECT_EQ(decode_console_text(QByteArray("Gr\xc3\xb6\xc3\x9f" "e")), QStringLiteral("Größe"));
    EXPECT_EQ(decode_console_text(QByteArray("\x81" "ber")), QStringLiteral("über"));
    EXPECT_EQ(decode_console_text(QByteArray("\x84\x94\xe1")), QStringLiteral("äöß"));
}
