#include "app/quillon_error.h"
#include "app/settings.h"
#include "tests/support/program_dir_files.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString Settings = QStringLiteral("options.ini");

class SettingsFile : public ::testing::Test {
protected:
    void TearDown() override { remove_program_file(Settings); }
};

QString failure_of(const std::function<void()> &action)
{
    try {
        action();
    } catch (const QuillonError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

TEST_F(SettingsFile, LineOneIsThePathExactlyAsStored)
{
    write_program_file(Settings, "  C:\\Program Files\\avr dude.exe \r\nsecond\r\n");
    refresh_avrdude_path();
    EXPECT_EQ(avrdude_path(), QStringLiteral("  C:\\Program Files\\avr dude.exe "));
    EXPECT_EQ(read_settings_line1(), avrdude_path());

    write_program_file(Settings, "\r\nrest");
    refresh_avrdude_path();
    EXPECT_TRUE(avrdude_path().isEmpty());

    write_program_file(Settings, "/usr/bin/avrdude\rrest");
    EXPECT_EQ(read_settings_line1(), QStringLiteral("/usr/bin/avrdude")) << "a lone CR ends a line";
}

TEST_F(SettingsFile, SaveReplacesLineOneAndKeepsTheRestByteForByte)
{
    write_program_file(Settings, "old\r\nline two\nline\tthree \r\n");
    save_avrdude_path(QStringLiteral("/opt/avr dude/avrdude"));
    EXPECT_EQ(read_program_file(Settings), QByteArray("/opt/avr dude/avrdude\r\nline two\nline\tthree \r\n"));

    save_avrdude_path(QStringLiteral("second"));
    EXPECT_EQ(read_program_file(Settings), QByteArray("second\r\nline two\nline\tthree \r\n"));

    write_program_file(Settings, "only");
    save_avrdude_path(QStringLiteral("new"));
    EXPECT_EQ(read_program_file(Settings), QByteArray("new\r\n"));

    write_program_file(Settings, "a\r\nlast without break");
    save_avrdude_path(QStringLiteral("b"));
    EXPECT_EQ(read_program_file(Settings), QByteArray("b\r\nlast without break\r\n"));
}

TEST_F(SettingsFile, MissingFileKeepsThePathAndNamesTheFile)
{
    write_program_file(Settings, "/kept\r\n");
    refresh_avrdude_path();
    remove_program_file(Settings);
    EXPECT_EQ(failure_of(refresh_avrdude_path),
              QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(settings_file_name()));
    EXPECT_EQ(avrdude_path(), QStringLiteral("/kept"));
    EXPECT_EQ(failure_of([] { save_avrdude_path("x"); }),
              QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(settings_file_name()));
    EXPECT_FALSE(QFile::exists(program_file(Settings))) << "the program never creates the settings file";
}

TEST_F(SettingsFile, EmptyFileIsAListIndexFailureAndStaysEmpty)
{
    write_program_file(Settings, QByteArray());
    EXPECT_EQ(failure_of(refresh_avrdude_path), QStringLiteral("Listenindex überschreitet das Maximum (0)"));
    EXPECT_EQ(failure_of([] { save_avrdude_path("x"); }), QStringLiteral("Listenindex überschreitet das Maximum (0)"));
    EXPECT_TRUE(read_program_file(Settings).isEmpty());
}

TEST_F(SettingsFile, ReadOnlyFileIsNotReplaced)
{
    write_program_file(Settings, "old\r\nkeep\r\n");
    QFile::setPermissions(program_file(Settings), QFile::ReadOwner);
    EXPECT_EQ(failure_of([] { save_avrdude_path("new"); }),
              QStringLiteral("Datei %1 kann nicht erstellt werden").arg(settings_file_name()));
    EXPECT_EQ(read_program_file(Settings), QByteArray("old\r\nkeep\r\n"));
}
