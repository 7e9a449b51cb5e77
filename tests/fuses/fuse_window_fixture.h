// The main window and the fuse window as Quillon wires them, for tests in this folder.
#pragma once

#include "forms/fuses/fuse_form.h"
#include "forms/main/main_form.h"
#include "session/fuse_bits.h"
#include "session/session.h"
#include "skin/button/tsui_check_box.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/button/tsui_button.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

class FuseWindowTest : public ::testing::Test {
protected:
    FuseWindowTest()
    {
        main.setCompanions({nullptr, &fuses, nullptr, nullptr});
    }

    void SetUp() override
    {
        install_data_file(QStringLiteral("fuses/no.fuse"));
        install_data_file(QStringLiteral("fuses/m8.fuse"));
        install_data_file(QStringLiteral("fuses/t85.fuse"));
    }

    void TearDown() override
    {
        fuses.hide();
        for (const char *name : {"lfuse.hex", "hfuse.hex", "efuse.hex", "options.ini"})
            remove_program_file(QString::fromLatin1(name));
    }

    void useAvrdudePath(const QString &path)
    {
        write_program_file(QStringLiteral("options.ini"), path.toUtf8() + "\r\n");
        session.loadAvrdudePath();
    }

    void choose(const QString &device, const QString &programmer = QStringLiteral("usbasp"),
                const QString &port = QStringLiteral("USB"))
    {
        main.avrselect->setText(device);
        main.progselect->setText(programmer);
        main.portselect->setText(port);
    }

    QStringList labels() const { return {fuses.Label1->text(), fuses.Label2->text(), fuses.Label3->text()}; }

    // The byte the eight boxes of a group (0 low, 1 high, 2 extended) show.
    int boxesByte(int group) const
    {
        FuseBoxes checked{};
        for (int n = 0; n < 8; ++n)
            checked[static_cast<std::size_t>(n)] = fuses.bitBox(group * 8 + n)->isChecked();
        return fuse_byte_from_boxes(checked);
    }

    // Clicks "&Schreiben" and answers the lockout question with its "Schreiben".
    void writeConfirmingLockout()
    {
        ModalAnswer answer(ModalAnswer::clickMessageWindowButton(2));
        QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
        EXPECT_TRUE(answer.answered()) << "no lockout question";
    }

    QStringList captions(int first, int count) const
    {
        QStringList texts;
        for (int i = first; i < first + count; ++i)
            texts << fuses.bitBox(i)->text();
        return texts;
    }

    Session session;
    TForm1 main{session};
    TForm3 fuses{session};
};
