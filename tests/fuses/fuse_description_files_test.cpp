// The shipped description files are exactly what tools/fusegen makes from the installed avrdude's
// part list and avr-libc's device headers: a file changed by hand, a new avr-libc that names a bit
// otherwise, or a part avrdude gained shows here.

#include "session/part_lists.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList fuse_files(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.fuse")}, QDir::Files, QDir::Name);
}

QByteArray contents(const QString &file_name)
{
    QFile file(file_name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

TEST(FuseDescriptionFiles, AreWhatTheGeneratorMakesFromAvrdudeAndAvrLibc)
{
    QTemporaryDir made;
    ASSERT_TRUE(made.isValid());
    QProcess generator;
    generator.start(qEnvironmentVariable("QUILLON_TOOLS_DIR") + QStringLiteral("/fusegen"), {made.path()});
    ASSERT_TRUE(generator.waitForFinished(60000)) << generator.errorString().toStdString();
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    const QString shipped = qEnvironmentVariable("QUILLON_DATA_DIR") + QStringLiteral("/fuses");
    const QStringList files = fuse_files(made.path());
    EXPECT_EQ(fuse_files(shipped), files);
    // Every device of the list, and the parts most boards carry today.
    for (const QString &device : DeviceIds + QStringList{"m328p", "m1284p", "t84", "usb1287", "no"})
        EXPECT_TRUE(files.contains(device + QStringLiteral(".fuse"))) << device.toStdString();
    for (const QString &file : files) {
        EXPECT_EQ(contents(shipped + u'/' + file).toStdString(), contents(made.filePath(file)).toStdString())
            << file.toStdString();
    }
}
