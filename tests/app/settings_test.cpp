#include "session/quillon_error.h"
#include "session/session.h"
#include "session/settings.h"
#include "session/text_lines_file.h"
#include "tests/support/failure_of.h"
#include "tests/support/program_dir_files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString Settings = QStringLiteral("options.ini");
// The per-user folder is set to a folder of ProgramDir, so that program_file() reaches it.
const QString UserConfig = QStringLiteral("config");
const QString UserSettings = QStringLiteral("config/quillon/options.ini");

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", program_file(UserConfig).toLocal8Bit()); }
    void TearDown() override
    {
        remove_program_file(Settings);
        remove_user_folder();
    }

public:
    static void remove_user_folder()
    {
        remove_program_file(UserConfig);
        QDir(program_file(UserConfig)).removeRecursively();
    }

    Session session;
};

} // namespace

TEST_F(SettingsFile, LineOneIsThePathExactlyAsStored)
{
    write_program_file(Settings, "  C:\\Program Files\\avr dude.exe \r\nsecond\r\n");
    session.loadAvrdudePath();
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("  C:\\Program Files\\avr dude.exe "));
    EXPECT_EQ(read_settings_line1(), session.avrdudePath());

    write_program_file(Settings, "\r\nrest");
    session.loadAvrdudePath();
    EXPECT_TRUE(session.avrdudePath().isEmpty());

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
    session.loadAvrdudePath();
    remove_program_file(Settings);
    EXPECT_EQ(failure_of([&] { session.loadAvrdudePath(); }),
              QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(settings_file_name()));
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/kept"));
    EXPECT_EQ(failure_of([] { save_avrdude_path("x"); }),
              QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(settings_file_name()));
    EXPECT_FALSE(QFile::exists(program_file(Settings))) << "the program never creates the settings file";
}

TEST_F(SettingsFile, EmptyFileIsAListIndexFailureAndStaysEmpty)
{
    write_program_file(Settings, QByteArray());
    EXPECT_EQ(failure_of([&] { session.loadAvrdudePath(); }), QStringLiteral("Listenindex überschreitet das Maximum (0)"));
    EXPECT_EQ(failure_of([] { save_avrdude_path("x"); }), QStringLiteral("Listenindex überschreitet das Maximum (0)"));
    EXPECT_TRUE(read_program_file(Settings).isEmpty());
}

TEST_F(SettingsFile, AUsersOwnFileComesFirstAndTakesTheSave)
{
    write_program_file(Settings, "/usr/bin/avrdude\r\nshipped\r\n");
    write_program_file(UserSettings, "/home/avrdude\r\nmine\r\n");
    EXPECT_EQ(settings_file_name(), user_settings_file_name());
    EXPECT_EQ(read_settings_line1(), QStringLiteral("/home/avrdude"));
    save_avrdude_path(QStringLiteral("/neu"));
    EXPECT_EQ(read_program_file(UserSettings), QByteArray("/neu\r\nmine\r\n"));
    EXPECT_EQ(read_program_file(Settings), QByteArray("/usr/bin/avrdude\r\nshipped\r\n"));
}

// An installed ProgramDir file belongs to root: the save makes the user's own copy of it, folder
// included, and that copy is what later reads and saves use.
TEST_F(SettingsFile, ReadOnlyProgramDirFileIsCopiedForTheUserWithTheNewPath)
{
    write_program_file(Settings, "old\r\nkeep\r\n");
    QFile::setPermissions(program_file(Settings), QFile::ReadOwner);
    save_avrdude_path(QStringLiteral("/opt/neu"));
    EXPECT_EQ(read_program_file(Settings), QByteArray("old\r\nkeep\r\n"));
    EXPECT_EQ(read_program_file(UserSettings), QByteArray("/opt/neu\r\nkeep\r\n"));
    session.loadAvrdudePath();
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/opt/neu"));

    // Where the user's folder cannot be made either, the save fails naming the user's file.
    remove_user_folder();
    write_program_file(UserConfig, "a file where the folder should be");
    EXPECT_EQ(failure_of([] { save_avrdude_path("x"); }),
              QStringLiteral("Datei %1 kann nicht erstellt werden").arg(user_settings_file_name()));
    EXPECT_EQ(read_program_file(Settings), QByteArray("old\r\nkeep\r\n"));
}

// A damaged settings file may be gigabytes long: it is read only as far as the save must keep.
TEST_F(SettingsFile, AnOversizedFileIsRefusedWithoutLoadingIt)
{
    const QString too_large = QStringLiteral("Datei %1 ist zu groß (mehr als 1048576 Bytes)").arg(settings_file_name());
    const QByteArray long_line(10 << 20, 'p');
    write_program_file(Settings, "/usr/bin/avrdude\r\n");
    session.loadAvrdudePath();
    write_program_file(Settings, long_line + "\r\nrest\r\n");
    EXPECT_EQ(failure_of([&] { session.loadAvrdudePath(); }), too_large);
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/usr/bin/avrdude"));

    // Line 1 within the bound reads, but a save cannot keep the rest: nothing is written.
    const QByteArray big = "/opt/avrdude\r\n" + long_line;
    write_program_file(Settings, big);
    EXPECT_EQ(read_settings_line1(), QStringLiteral("/opt/avrdude"));
    EXPECT_EQ(failure_of([] { save_avrdude_path(QStringLiteral("/x")); }), too_large);
    EXPECT_EQ(read_program_file(Settings), big);
}

// What the reader would refuse is never saved, and a save repairs a file whose line 1 the reader
// refuses: the program can always be given a good path again.
TEST_F(SettingsFile, ASaveNeverWritesWhatTheReaderRefusesAndRepairsWhatItRefused)
{
    const QByteArray long_line(10 << 20, 'p');
    write_program_file(Settings, "/usr/bin/avrdude\r\nkeep\r\n");
    EXPECT_EQ(failure_of([&] { save_avrdude_path(QString::fromLatin1(long_line)); }),
              QStringLiteral("Der Pfad ist zu lang: options.ini nimmt in Zeile 1 höchstens 1048574 Bytes auf"));
    EXPECT_EQ(read_program_file(Settings), QByteArray("/usr/bin/avrdude\r\nkeep\r\n"));

    for (const QByteArray &end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        write_program_file(Settings, long_line + end + "keep\r\n");
        session.saveAvrdudePath(QStringLiteral("/usr/bin/avrdude"));
        EXPECT_EQ(read_program_file(Settings), QByteArray("/usr/bin/avrdude\r\nkeep\r\n"));
        EXPECT_EQ(session.avrdudePath(), QStringLiteral("/usr/bin/avrdude"));
    }
}

TEST(TextLinesFile, ReadsWithinItsBoundAndDecodesEachLineByItself)
{
    const QString file = program_file(QStringLiteral("lines.txt"));
    struct Case {
        QByteArray bytes;
        ReadBound bound;
        QStringList lines;
    };
    const Case cases[] = {
        // One Latin-1 (code page 1252) line spoils none of the UTF-8 ones around it.
        {"Gr\xc3\xb6\xc3\x9f" "e\r\nM\xe4rz \x80\nS\xc3\xbc" "d", {24, 1000}, {"Größe", "März €", "Süd"}},
        {"a\rb\r\nc\nd\n", {2, 1000}, {"a", "b"}},
        {"12\r\n34", {1, 256}, {"12"}},
        // The byte bound cuts: what was read is all there is.
        {QByteArray(100, '7') + "\r\n", {1, 10}, {QString(10, u'7')}},
        {"a\nb\nc", {24, 3}, {"a", "b"}},
    };
    for (const Case &c : cases) {
        write_program_file(QStringLiteral("lines.txt"), c.bytes);
        EXPECT_EQ(load_text_lines(file, c.bound), c.lines) << c.bytes.left(40).toStdString();
    }
    remove_program_file(QStringLiteral("lines.txt"));
}
