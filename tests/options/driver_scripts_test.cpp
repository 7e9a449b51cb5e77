// The driver scripts shipped beside Quillon, run as the driver window runs them. modprobe is
// replaced by a recorder first on PATH, so that the tests never load or unload a kernel module.

#include "avrdude/process_runner.h"
#include "tests/support/program_dir_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <signal.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr auto ScriptTimeLimit = std::chrono::seconds(30);

bool is_root() { return ::geteuid() == 0; }
bool module_loaded(const QString &name) { return QFileInfo::exists(QStringLiteral("/sys/module/") + name); }
bool parallel_port_present()
{
    return !QDir(QStringLiteral("/dev")).entryList({QStringLiteral("parport*")}, QDir::System).isEmpty();
}

// Runs a script like the driver window does; a script that does not end in time is
// killed with its process group, which fails the test.
RunResult run_bounded(const QString &script, bool &timed_out)
{
    std::mutex mutex;
    std::condition_variable done_signal;
    bool done = false;
    pid_t child = -1;
    timed_out = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!done_signal.wait_for(lock, ScriptTimeLimit, [&] { return done; }) && child > 0) {
            timed_out = true;
            ::kill(-child, SIGKILL);
        }
    });
    RunResult result = run_and_capture({script, QString()}, {}, [&](pid_t pid) {
        std::lock_guard lock(mutex);
        child = pid;
    });
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    done_signal.notify_one();
    watchdog.join();
    return result;
}

class DriverScripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"install_giveio.bat", "remove_giveio.bat"}) {
            install_data_file(QLatin1String(name));
            QFile::setPermissions(program_file(QLatin1String(name)),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        write_program_file(QStringLiteral("stub/modprobe"),
                           "#!/bin/sh\necho \"$*\" >> \"" + QFile::encodeName(program_file(RecordName)) + "\"\nexit 1\n");
        QFile::setPermissions(program_file(QStringLiteral("stub/modprobe")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        remove_program_file(RecordName);
        saved_path_ = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(program_file(QStringLiteral("stub"))) + ':' + saved_path_);
    }
    void TearDown() override { qputenv("PATH", saved_path_); }

    QStringList modprobeCalls() const
    {
        if (!QFileInfo::exists(program_file(RecordName)))
            return {};
        return QString::fromUtf8(read_program_file(RecordName)).split(u'\n', Qt::SkipEmptyParts);
    }

    const QString RecordName = QStringLiteral("modprobe-calls.txt");

private:
    QByteArray saved_path_;
};

} // namespace

TEST_F(DriverScripts, InstallReportsThePortsAndLoadsTheDriversOnlyAsRoot)
{
    bool timed_out = false;
    const RunResult result = run_bounded(program_file(QStringLiteral("install_giveio.bat")), timed_out);
    ASSERT_FALSE(timed_out);
    ASSERT_TRUE(result.started);
    EXPECT_TRUE(result.output.startsWith("Parallelport-Zugriff über den Linux-Treiber ppdev"));

    QStringList expected_calls;
    if (is_root()) {
        for (const QString &module : {QStringLiteral("parport_pc"), QStringLiteral("ppdev")})
            if (!module_loaded(module))
                expected_calls << module;
    }
    EXPECT_EQ(modprobeCalls(), expected_calls);

    if (!parallel_port_present()) {
        EXPECT_EQ(result.exit_code, 1u);
        EXPECT_TRUE(result.errors.contains("Kein Parallelport gefunden (/dev/parport* fehlt)."));
    }
}

TEST_F(DriverScripts, RemoveUnloadsPpdevOnlyWhenLoaded)
{
    bool timed_out = false;
    const RunResult result = run_bounded(program_file(QStringLiteral("remove_giveio.bat")), timed_out);
    ASSERT_FALSE(timed_out);
    ASSERT_TRUE(result.started);
    EXPECT_TRUE(result.output.startsWith("Parallelport-Treiber ppdev entfernen"));
    if (!module_loaded(QStringLiteral("ppdev"))) {
        EXPECT_EQ(result.exit_code, 0u);
        EXPECT_TRUE(result.output.contains("nichts zu tun"));
        EXPECT_TRUE(modprobeCalls().isEmpty());
    } else {
        // The recorder refuses, as modprobe does for a driver in use: the script says so.
        EXPECT_EQ(result.exit_code, 1u);
        EXPECT_EQ(modprobeCalls(), is_root() ? QStringList{QStringLiteral("-r ppdev")} : QStringList{});
    }
}
