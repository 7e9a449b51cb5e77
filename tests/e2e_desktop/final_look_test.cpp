// Quillon's six windows as a user first sees them: each at its size, with its caption, its
// frame in the MacOS look and the title-bar buttons it should offer; rendered to PNG files so
// that a person can look at them (the README's screenshots come from here).
#include "forms/application_windows.h"
#include "forms/external/extern_form.h"
#include "forms/fuses/fuse_form.h"
#include "forms/info/info_form.h"
#include "forms/main/main_form.h"
#include "forms/options/driver_form.h"
#include "forms/options/options_form.h"
#include "skin/form/tsui_form.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "skin/titlebar/tsui_title_bar_button.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

using Type = TsuiTitleBarBtnType;

struct Expected {
    TForm *window;
    QString caption;
    QSize client;
    bool centred;
    QList<Type> buttons; // visible ones, in collection order
    const char *file;
};

QList<Type> visible_buttons(const TsuiForm *frame)
{
    QList<Type> types;
    const TsuiTitleBarButtons *buttons = frame->TitleBarButtons();
    for (int i = 0; i < buttons->Count(); ++i)
        if (buttons->Items(i)->visible())
            types << buttons->Items(i)->buttonType();
    return types;
}

} // namespace

TEST(FinalLook, EveryWindowAtItsSizeWithItsFrameAndTitleButtons)
{
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    QDir().mkpath(program_file(QStringLiteral("fuses")));
    install_data_file(QStringLiteral("fuses/m8.fuse"));
    // A window that meets an error on showing opens the error box; answer it so the test goes on.
    ModalAnswer error_box(ModalAnswer::closeMessageBox(), 30000);
    ApplicationWindows windows({});
    const QList<Type> closable{Type::suiControlBox, Type::suiClose};
    const Expected expected[] = {
        {&windows.main(), "Tessaly Quillon for AVRDude", {689, 656}, true,
         {Type::suiControlBox, Type::suiClose, Type::suiMin}, "main_window.png"},
        {&windows.fuses(), "Fuses", {385, 378}, true, closable, "fuse_window.png"},
        {&windows.options(), "OK", {414, 207}, true, closable, "options_window.png"},
        {&windows.external(), "Extern-Prog", {372, 208}, true, closable, "external_window.png"},
        {&windows.driver(), "giveio-Driver Installation", {501, 360}, false, closable, "driver_window.png"},
        {&windows.info(), "Info", windows.info().clientSize(), true, closable, "info_window.png"},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const Expected &e : expected) {
        SCOPED_TRACE(e.file);
        const auto *frame = e.window->findChild<TsuiForm *>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->caption(), e.caption);
        EXPECT_EQ(e.window->windowTitle(), e.caption);
        EXPECT_EQ(e.window->clientSize(), e.client);
        EXPECT_EQ(frame->uiStyle(), TsuiUIStyle::MacOS);
        EXPECT_EQ(frame->borderColor(), QColor(0x7F, 0x7F, 0x7F));
        EXPECT_EQ(frame->color(), QColor(0xE7, 0xE7, 0xE7));
        EXPECT_EQ(frame->titleBar()->height(), 20);
        EXPECT_EQ(visible_buttons(frame), e.buttons);
        EXPECT_FALSE(e.window->windowIcon().isNull());
        if (e.centred) {
            // (screen - window) div 2, also where the free space is even
            EXPECT_EQ(e.window->geometry().topLeft(), QPoint((screen.width() - e.window->width()) / 2,
                                                             (screen.height() - e.window->height()) / 2));
        }

        e.window->show();
        QApplication::processEvents();
        const QImage shot = e.window->grab().toImage();
        EXPECT_EQ(shot.size(), e.window->size());
        ASSERT_TRUE(shot.save(QDir::current().absoluteFilePath(QString::fromLatin1(e.file))));
        e.window->hide();
    }
    EXPECT_FALSE(error_box.answered()) << error_box.seenText().toStdString();
}
