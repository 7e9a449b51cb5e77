#include "session/program_dir.h"
#include "avrdude/native_text.h"
#include "forms/application_windows.h"
#include "forms/external/extern_form.h"
#include "forms/fuses/fuse_form.h"
#include "forms/main/main_form.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "tests/options/modal_watchdog.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/intel_hex.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/window_watch.h"

#include <QEvent>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

constexpr int AvrdudeRunLimitMs = 90000;
constexpr std::size_t M8FlashBytes = 8192;

bool on_screen(QWidget &window) { return window.windowHandle() && window.windowHandle()->isVisible(); }

// Quillon started with the given parameters: all six windows, the main window shown as at start-up.
class CommandLineStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
        // The fuse window needs a description for whatever device is chosen.
        QByteArray captions;
        for (int i = 0; i < 24; ++i)
            captions += "Bit " + QByteArray::number(i % 8) + "\r\n";
        write_program_file(QStringLiteral("fuses/no.fuse"), captions);
    }
    void TearDown() override
    {
        if (windows)
            windows->main().hide();
        EXPECT_FALSE(watchdog.fired()) << "a modal window was left open";
    }

    void start(const QStringList &parameters)
    {
        windows = std::make_unique<ApplicationWindows>(parameters);
        external_shows = std::make_unique<ShowCounter>(windows->external());
    }

    TForm1 &main() { return windows->main(); }
    TForm5 &external() { return windows->external(); }

    ModalWatchdog watchdog{AvrdudeRunLimitMs};
    std::unique_ptr<ApplicationWindows> windows;
    std::unique_ptr<ShowCounter> external_shows;
};

} // namespace

TEST_F(CommandLineStart, WithoutParametersTheMainWindowIsUsedNormally)
{
    start({});
    main().show();
    EXPECT_EQ(external_shows->shows, 0);
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(main().avrselect->text(), QStringLiteral("m8"));
    EXPECT_EQ(main().progselect->text(), QStringLiteral("usbasp"));
    EXPECT_EQ(main().portselect->text(), QStringLiteral("USB"));
}

TEST_F(CommandLineStart, OneParameterSetsTheDeviceAndEmptiesProgrammerAndPort)
{
    start({QStringLiteral("m16")});
    bool main_on_screen = true;
    QStringList edits;
    QStringList combos;
    ModalAnswer answer(when_shown(external(), [&] {
        main_on_screen = on_screen(main());
        edits = {external().suiEdit1->text(), external().suiEdit2->text(), external().suiEdit4->text(),
                 external().suiEdit3->text()};
        combos = {main().avrselect->text(), main().progselect->text(), main().portselect->text()};
        QTest::mouseClick(external().suiButton2, Qt::LeftButton); // "&Abbrechen"
    }));
    main().show();
    ASSERT_TRUE(answer.answered());
    EXPECT_FALSE(main_on_screen) << "the external window comes first";
    EXPECT_EQ(edits, (QStringList{"m16", "", "", ""}));
    EXPECT_EQ(combos, (QStringList{"m16", "", ""}));
    EXPECT_FALSE(external().isVisible());
    EXPECT_TRUE(on_screen(main()));
    EXPECT_TRUE(main().Log->lines().isEmpty()) << "cancelling runs nothing";
}

TEST_F(CommandLineStart, ProgrammierenUsesTheEditedPortAndReportsIntoTheMainLog)
{
    Avr910Simulator sim;
    const auto program = test_program();
    const QString hex = program_file(QStringLiteral("Hex Dateien/mein programm.hex"));
    write_intel_hex(hex, program);
    start({QStringLiteral("m8"), QStringLiteral("avr910"), QStringLiteral("/dev/kein-port"), hex});

    QString file_edit;
    ModalAnswer answer(when_shown(external(), [&] {
        file_edit = external().suiEdit3->text();
        external().suiEdit4->setText(QString::fromStdString(sim.port()));
        external().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&external()));
        QTest::keyClick(&external(), Qt::Key_P, Qt::AltModifier);
    }));
    main().show();
    ASSERT_TRUE(answer.answered());

    EXPECT_EQ(file_edit, hex);
    EXPECT_FALSE(external().isVisible());
    EXPECT_TRUE(on_screen(main()));
    const QStringList log = main().Log->lines();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first(), QStringLiteral("Return-Code des Programms: 0")) << log.join(u'\n').toStdString();
    EXPECT_EQ(main().portselect->text(), QStringLiteral("/dev/kein-port"));
    auto expected = program;
    expected.resize(M8FlashBytes, 0xFF);
    EXPECT_EQ(sim.flash(), expected);
}

// Another tool may hand over a file whose name would end the quotes around it and add options of
// its own: it is programmed like any other, and the fuses stay as they were.
TEST_F(CommandLineStart, AFileNameNeverBecomesAnOption)
{
    Avr910Simulator sim;
    const Avr910Fuses fuses_before = sim.fuses();
    const auto program = test_program();
    const QString hex = program_file(QStringLiteral("fw.hex\":a -U lfuse:w:0x00:m -E \"x"));
    write_intel_hex(hex, program);
    write_intel_hex(program_file(QStringLiteral("fw.hex")), {0x12, 0x34});
    start({QStringLiteral("m8"), QStringLiteral("avr910"), QString::fromStdString(sim.port()), hex});

    ModalAnswer answer(when_shown(external(), [&] { external().suiButton1Click(); }));
    main().show();
    ASSERT_TRUE(answer.answered());

    const QStringList log = main().Log->lines();
    EXPECT_EQ(log.value(0), QStringLiteral("Return-Code des Programms: 0")) << log.join(u'\n').toStdString();
    auto expected = program;
    expected.resize(M8FlashBytes, 0xFF);
    EXPECT_EQ(sim.flash(), expected);
    EXPECT_EQ(sim.fuses().lfuse, fuses_before.lfuse);
    EXPECT_EQ(sim.fuses().hfuse, fuses_before.hfuse);
}

// A HEX file saved under a Latin-1 name: the windows show it readably, and avrdude gets the very
// bytes of the name, so the file that exists is programmed.
TEST_F(CommandLineStart, ALatin1FileNameIsShownReadablyAndProgrammedByteForByte)
{
    Avr910Simulator sim;
    const auto program = test_program();
    const QByteArray hex = QFile::encodeName(program_dir()) + "lat\xe4in.hex";
    write_intel_hex_at(hex, program);
    const QByteArray port = QByteArray::fromStdString(sim.port());
    start({QStringLiteral("m8"), QStringLiteral("avr910"), native_text(port), native_text(hex)});

    QString file_edit;
    ModalAnswer answer(when_shown(external(), [&] {
        file_edit = external().suiEdit3->text();
        QTest::mouseClick(external().suiButton1, Qt::LeftButton);
    }));
    main().show();
    ASSERT_TRUE(answer.answered());
    std::filesystem::remove(hex.toStdString());

    EXPECT_EQ(file_edit, program_dir() + QStringLiteral("latäin.hex"));
    const QStringList log = main().Log->lines();
    EXPECT_EQ(log.value(0), QStringLiteral("Return-Code des Programms: 0")) << log.join(u'\n').toStdString();
    auto expected = program;
    expected.resize(M8FlashBytes, 0xFF);
    EXPECT_EQ(sim.flash(), expected);
}

// The same bytes reach avrdude from the main window's choices the parameters filled.
TEST_F(CommandLineStart, AParameterThatIsNotUtf8ReachesAvrdudeFromTheMainWindowToo)
{
    Avr910Simulator sim;
    const QByteArray port = QFile::encodeName(program_dir()) + "pr\xfc" "fger\xe4t";
    std::filesystem::remove(port.toStdString());
    std::filesystem::create_symlink(sim.port(), port.toStdString());
    start({QStringLiteral("m8"), QStringLiteral("avr910"), native_text(port)});
    ModalAnswer answer(when_shown(external(), [&] { external().suiButton2Click(); }));
    main().show();
    ASSERT_TRUE(answer.answered());

    const QString shown = main().portselect->text();
    ModalAnswer erase(ModalAnswer::clickMessageWindowButton(2));
    main().ChipLoeschenClick();
    EXPECT_TRUE(erase.answered());
    std::filesystem::remove(port.toStdString());
    EXPECT_EQ(shown, program_dir() + QStringLiteral("prüfgerät"));
    const QStringList log = main().Log->lines();
    EXPECT_EQ(log.value(0), QStringLiteral("Return-Code des Programms: 0")) << log.join(u'\n').toStdString();
}

TEST_F(CommandLineStart, ProgrammierenWithAnUnrunnableAvrdudeStillClosesTheWindow)
{
    write_program_file(QStringLiteral("options.ini"), "/nicht/da/avrdude\r\n");
    start({QStringLiteral("m8"), QStringLiteral("usbasp"), QStringLiteral("USB"), QStringLiteral("a.hex")});
    ModalAnswer answer(when_shown(external(), [&] { QTest::mouseClick(external().suiButton1, Qt::LeftButton); }));
    main().show();
    ASSERT_TRUE(answer.answered());
    EXPECT_FALSE(external().isVisible());
    EXPECT_EQ(main().Log->lines(), QStringList{QStringLiteral("Pfad zu AVRDUDE nicht OK!")});
}

TEST_F(CommandLineStart, TheFuseButtonOpensTheFuseWindowModallyOverTheExternalWindow)
{
    start({QStringLiteral("m16"), QStringLiteral("usbasp")});
    bool fuses_modal = false;
    bool external_still_open = false;
    ModalAnswer fuses(when_shown(windows->fuses(), [&] {
        fuses_modal = windows->fuses().isShownModal();
        external_still_open = external().isVisible();
        windows->fuses().close();
    }));
    ModalAnswer answer(when_shown(external(), [&] {
        QTest::mouseClick(external().suiButton3, Qt::LeftButton);
        external().close();
    }));
    main().show();
    ASSERT_TRUE(fuses.answered());
    EXPECT_TRUE(fuses_modal);
    EXPECT_TRUE(external_still_open);
    EXPECT_FALSE(windows->fuses().isVisible());
}

TEST_F(CommandLineStart, AMissingSettingsFileSkipsTheExternalWindow)
{
    remove_program_file(QStringLiteral("options.ini"));
    start({QStringLiteral("m16"), QStringLiteral("usbasp"), QStringLiteral("USB"), QStringLiteral("a.hex")});
    ModalAnswer error_box(ModalAnswer::closeMessageBox());
    main().show();
    ASSERT_TRUE(error_box.answered());
    EXPECT_EQ(error_box.seenText(),
              QStringLiteral("Datei %1 kann nicht geöffnet werden.").arg(program_file(QStringLiteral("options.ini"))));
    EXPECT_EQ(external_shows->shows, 0);
    EXPECT_EQ(main().avrselect->text(), QStringLiteral("m8"));
    EXPECT_TRUE(on_screen(main()));
}
