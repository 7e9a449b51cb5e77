// The main window's log filled by one run with 100,000 lines, through the real path: live view
// while the child writes, then the report, which keeps the first and the last lines with a note
// of what it left out between them. The window must still paint and the next run must start from
// an empty log.
#include "avrdude/kept_output.h"
#include "avrdude/run_report.h"
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/edit/tsui_memo.h"
#include "tests/support/program_dir_files.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr int LogLines = 100000;
// Return code and output heading come before the child's own lines.
constexpr int ReportHeadLines = 2;

} // namespace

TEST(LogStress, AHundredThousandLinesReachTheLogAndTheWindowStillPaints)
{
    // Showing the main window reads the settings file.
    install_data_file(QStringLiteral("options.ini"));
    Session session;
    TForm1 form{session};
    form.show();
    form.runIntoLog({QStringLiteral("/usr/bin/seq"), QStringLiteral(" %1").arg(LogLines)}, {AvrdudePathNotOk});

    const QStringList lines = form.Log->lines();
    constexpr int Kept = KeptOutput::Head.line_breaks;
    ASSERT_EQ(lines.size(), ReportHeadLines + 2 * Kept + 1);
    EXPECT_EQ(lines[0], QStringLiteral("Return-Code des Programms: 0"));
    EXPECT_EQ(lines[1], QStringLiteral("---Output---"));
    EXPECT_EQ(lines[ReportHeadLines], QStringLiteral("1"));
    EXPECT_EQ(lines[ReportHeadLines + Kept - 1], QString::number(Kept));
    EXPECT_TRUE(lines[ReportHeadLines + Kept].contains(QStringLiteral("ausgelassen")));
    EXPECT_EQ(lines[ReportHeadLines + Kept + 1], QString::number(LogLines - Kept + 1));
    EXPECT_EQ(lines.last(), QString::number(LogLines));

    const QImage shot = form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), form.size());

    form.runIntoLog({QStringLiteral("/bin/echo"), QStringLiteral(" next")}, {AvrdudePathNotOk});
    EXPECT_EQ(form.Log->lines(), (QStringList{QStringLiteral("Return-Code des Programms: 0"),
                                              QStringLiteral("---Output---"), QStringLiteral("next")}));
    form.hide();
}
