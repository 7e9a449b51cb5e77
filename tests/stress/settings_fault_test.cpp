// options.ini on a file system that is full or read-only: the save fails with the message that
// names the file, and the old file keeps every byte. The program's directory is covered by a
// small tmpfs that only this test program sees; the per-user settings folder lies on it too, so a
// read-only ProgramDir cannot be escaped into it.
#include "session/program_dir.h"
#include "session/quillon_error.h"
#include "session/session.h"
#include "session/settings.h"
#include "tests/support/failure_of.h"
#include "tests/support/private_mounts.h"
#include "tests/support/program_dir_files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>

namespace {

constexpr qint64 TmpfsSize = 256 * 1024;
constexpr qint64 FillBlock = 1024;
constexpr qint64 SomeRoom = 8 * 1024;

const QString Settings = QStringLiteral("options.ini");
const QString Filler = QStringLiteral("filler.bin");
const QString NewPath = QStringLiteral("/opt/neu/avrdude");

// Latin-1 umlauts, a UTF-8 one and a last line without a break: all of it must survive.
const QByteArray OldSettings = "/usr/bin/avrdude\r\nGer\xe4t \xfc"
                               "ber Port\r\nzweite \xc3\xa4 Zeile\r\nohne Umbruch";

QString directory() { return QDir(program_dir()).absolutePath(); }

qint64 free_bytes()
{
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(directory()).constData(), &info) != 0)
        return -1;
    return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
}

// Fills the file system until at most `spare` bytes are free (0: until it refuses a write).
void fill_up(qint64 spare)
{
    QFile filler(program_file(Filler));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QByteArray block(FillBlock, 'f');
    while (free_bytes() > spare) {
        if (filler.write(block) != block.size() || !filler.flush())
            break;
    }
}

QStringList directory_entries() { return QDir(directory()).entryList(QDir::Files | QDir::Hidden); }

class SettingsOnFaultyFileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!private_mounts_available())
            GTEST_SKIP() << "no private mount namespace: " << private_mounts_unavailable_reason().toStdString();
        ASSERT_TRUE(mount_small_tmpfs(directory(), TmpfsSize)) << std::strerror(errno);
        mounted_ = true;
        qputenv("XDG_CONFIG_HOME", program_file(QStringLiteral("config")).toLocal8Bit());
        write_program_file(Settings, OldSettings);
        session.loadAvrdudePath();
    }
    void TearDown() override
    {
        if (mounted_) {
            EXPECT_TRUE(unmount(directory()));
        }
    }

    // The save is refused with the file's name, and nothing of the old file or beside it changed.
    void expectSaveRefusedAndNothingLost(const QString &path, const QString &named = settings_file_name())
    {
        const QStringList entries_before = directory_entries();
        EXPECT_EQ(failure_of([&] { save_avrdude_path(path); }),
                  QStringLiteral("Datei %1 kann nicht erstellt werden").arg(named));
        EXPECT_EQ(read_program_file(Settings), OldSettings);
        EXPECT_EQ(directory_entries(), entries_before) << "a temporary file was left behind";
        // Reading still works and still gives the old path.
        session.loadAvrdudePath();
        EXPECT_EQ(session.avrdudePath(), QStringLiteral("/usr/bin/avrdude"));
    }

private:
    bool mounted_ = false;

protected:
    Session session;
};

} // namespace

TEST_F(SettingsOnFaultyFileSystem, FullFileSystemKeepsTheOldFile)
{
    fill_up(0);
    ASSERT_LT(free_bytes(), FillBlock);
    expectSaveRefusedAndNothingLost(NewPath);

    // Some room, but less than the new file needs: the write fails midway.
    ASSERT_TRUE(QFile::remove(program_file(Filler)));
    fill_up(SomeRoom);
    ASSERT_GT(free_bytes(), 0);
    expectSaveRefusedAndNothingLost(QString(static_cast<int>(4 * SomeRoom), u'a'));

    // Room again: the save goes through and keeps lines 2 and after byte for byte.
    ASSERT_TRUE(QFile::remove(program_file(Filler)));
    save_avrdude_path(NewPath);
    EXPECT_EQ(read_program_file(Settings),
              NewPath.toUtf8() + "\r\n" + OldSettings.mid(OldSettings.indexOf('\n') + 1) + "\r\n");
}

TEST_F(SettingsOnFaultyFileSystem, ReadOnlyFileSystemKeepsTheOldFile)
{
    ASSERT_TRUE(remount_read_only(directory()));
    // The installed file cannot be replaced, so the save goes for the user's copy, which fails.
    expectSaveRefusedAndNothingLost(NewPath, user_settings_file_name());
    EXPECT_EQ(read_settings_line1(), QStringLiteral("/usr/bin/avrdude"));
}

TEST(SettingsFileContent, APathSavedBesideLinesInAnotherEncodingReadsBackAsSaved)
{
    Session session;
    // An old file from a Latin-1 system; the new path with an umlaut goes in as UTF-8.
    write_program_file(Settings, "C:\\Programme\\avrdude.exe\r\nGr\xfc\xdf" "e\r\n");
    const QString path = QStringLiteral("/opt/Gerätebau/avrdude");
    save_avrdude_path(path);
    session.loadAvrdudePath();
    EXPECT_EQ(session.avrdudePath(), path);
    EXPECT_EQ(read_program_file(Settings), path.toUtf8() + "\r\nGr\xfc\xdf" "e\r\n");
    remove_program_file(Settings);
}
