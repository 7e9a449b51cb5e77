#include "forms/application_windows.h"
#include "forms/main/main_form.h"
#include "tests/hostile_input/hostile_cases.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/resident_memory.h"

#include <gtest/gtest.h>

namespace {

// Far above the second a user waits, far below the minutes these cases took before; generous
// enough for a sanitizer build on a busy machine.
constexpr double AnswerBoundMs = 5000;

} // namespace

TEST(HostileInput, EveryCaseIsHandledAndTheWindowsKeepAnswering)
{
    install_data_file(QStringLiteral("fuses/no.fuse"));
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    ApplicationWindows windows({});
    windows.main().show();
    for (const HostileCase &hostile : hostile_cases()) {
        // Under AddressSanitizer Qt's edit takes half a minute to cut a 10 MB paste, longer than
        // any bound here means for a user; the case measures time, not memory safety.
        if (!resident_memory_is_the_programs()
            && QLatin1String(hostile.name) == QLatin1String("a 10 MB paste into the free command"))
            continue;
        SCOPED_TRACE(hostile.name);
        const CaseFigures figures = run_hostile_case(windows, hostile);
        EXPECT_TRUE(figures.failure.isEmpty()) << figures.failure.toStdString();
        EXPECT_LT(figures.longest_gap_ms, AnswerBoundMs);
        if (hostile.peak_bound_mib > 0 && resident_memory_is_the_programs()) {
            EXPECT_LT(figures.peak_growth_mib, hostile.peak_bound_mib);
        }
    }
    remove_program_file(QStringLiteral("options.ini"));
}
