// How long the event loop goes without answering while Quillon handles oversized and malformed
// input, case by case, through the real windows (the cases are the responsiveness test's).
#include "app/quillon_application.h"
#include "forms/application_windows.h"
#include "forms/main/main_form.h"
#include "tests/hostile_input/hostile_cases.h"
#include "tests/support/program_dir_files.h"

#include <cstdio>

int main(int argc, char **argv)
{
    QuillonApplication application(argc, argv);
    initialise_application_look();
    if (!qEnvironmentVariableIsSet("QUILLON_DATA_DIR"))
        qputenv("QUILLON_DATA_DIR", QUILLON_DATA_DIR);
    install_data_file(QStringLiteral("fuses/no.fuse"));
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    ApplicationWindows windows({});
    windows.main().show();
    std::printf("%-58s %12s %10s %12s\n", "case", "longest gap", "total", "peak memory");
    for (const HostileCase &hostile : hostile_cases()) {
        const CaseFigures figures = run_hostile_case(windows, hostile);
        std::printf("%-58s %9.0f ms %7.0f ms %8.0f MiB%s\n", hostile.name, figures.longest_gap_ms, figures.total_ms,
                    figures.peak_growth_mib,
                    figures.failure.isEmpty() ? "" : qPrintable(QStringLiteral("  WRONG: ") + figures.failure));
    }
    remove_program_file(QStringLiteral("options.ini"));
    remove_program_file(QStringLiteral("fuses/no.fuse"));
    return 0;
}
