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

// The program is the caller's whole path, quoted or not: never a shorter blank-separated prefix,
// even where one names a runnable file.
TEST(ResolveProgram, TakesTheWholePathOrNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/my tools")));
    const QString planted = dir.path() + QStringLiteral("/my");
    const QString avrdude = dir.path() + QStringLiteral("/my tools/avrdude");
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/true"), planted));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/true"), avrdude));
    const QString missing = dir.path() + QStringLiteral("/my tools/gone");
    QFile plain(dir.path() + QStringLiteral("/plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    const struct {
        QString program;
        QString file; // empty: refused
    } cases[] = {
        {avrdude, avrdude},
        {u'"' + avrdude + u'"', avrdude},
        {missing, {}},
        {u'"' + missing + u'"', {}},
        {QString(), {}},
        {dir.path(), {}},            // a directory
        {plain.fileName(), {}},      // not executable
    };
    for (const auto &c : cases) {
        QString file;
        EXPECT_EQ(resolve_program(c.program, file), !c.file.isEmpty()) << c.program.toStdString();
        if (!c.file.isEmpty())
            EXPECT_EQ(file, c.file);
    }
    // A bare name is looked up on PATH.
    QString shell;
    ASSERT_TRUE(resolve_program(QStringLiteral("sh"), shell));
    EXPECT_TRUE(shell.endsWith(QStringLiteral("/sh")));
}
