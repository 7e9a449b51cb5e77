#include "avrdude/command_line_split.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SplitArguments, FollowsTheWindowsRuntimeRules)
{
    EXPECT_EQ(split_arguments(QStringLiteral("  a  b\tc ")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(split_arguments(QStringLiteral("-U flash:w:\"C:\\my hex\\a.hex\":a")),
              (QStringList{"-U", "flash:w:C:\\my hex\\a.hex:a"}));
    EXPECT_EQ(split_arguments(QStringLiteral("\"\" x")), (QStringList{"", "x"}));
    EXPECT_EQ(split_arguments(QStringLiteral("a\\\\\"b c\"")), (QStringList{"a\\b c"}));
    EXPECT_EQ(split_arguments(QStringLiteral("a\\\"b")), (QStringList{"a\"b"}));
    EXPECT_EQ(split_arguments(QStringLiteral("a\\\\b")), (QStringList{"a\\\\b"}));
    EXPECT_EQ(split_arguments(QStringLiteral("\"say \"\"hi\"\"\"")), (QStringList{"say \"hi\""}));
    EXPECT_EQ(split_arguments(QStringLiteral("\"unterminated quote")), (QStringList{"unterminated quote"}));
    EXPECT_TRUE(split_arguments(QStringLiteral("   ")).isEmpty());
}

TEST(ResolveCommandLine, FindsUnquotedProgramsWithBlanksByTheirPrefix)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QStringLiteral("/avr tools");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/avr dude");
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/true"), program));

    ResolvedCommand resolved;
    ASSERT_TRUE(resolve_command_line(program + QStringLiteral(" /c / -p m8"), resolved));
    EXPECT_EQ(resolved.program, program);
    EXPECT_EQ(resolved.arguments, (QStringList{"/c", "/", "-p", "m8"}));

    ASSERT_TRUE(resolve_command_line(QLatin1Char('"') + program + QStringLiteral("\" -x"), resolved));
    EXPECT_EQ(resolved.program, program);
    EXPECT_EQ(resolved.arguments, (QStringList{"-x"}));
}

TEST(ResolveCommandLine, RefusesWhatIsNotARunnableFile)
{
    QTemporaryDir dir;
    ResolvedCommand resolved;
    EXPECT_FALSE(resolve_command_line(QStringLiteral(" /c / -p m8"), resolved)) << "empty avrdude path";
    EXPECT_FALSE(resolve_command_line(QString(), resolved));
    EXPECT_FALSE(resolve_command_line(dir.path() + QStringLiteral("/missing /c /"), resolved));
    EXPECT_FALSE(resolve_command_line(dir.path() + QStringLiteral(" /c /"), resolved)) << "a directory";

    const QString not_executable = dir.path() + QStringLiteral("/plain");
    QFile file(not_executable);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(resolve_command_line(not_executable, resolved));
}

TEST(ResolveCommandLine, LooksUpBareNamesOnPath)
{
    ResolvedCommand resolved;
    ASSERT_TRUE(resolve_command_line(QStringLiteral("sh -c true"), resolved));
    EXPECT_TRUE(resolved.program.endsWith(QStringLiteral("/sh")));
    EXPECT_EQ(resolved.arguments, (QStringList{"-c", "true"}));
}
