// The main and fuse windows at a device pixel ratio of 2: laid out in the same design pixels as
// at 1, with pictures drawn at twice the detail rather than blown up from their 1x pixels.
#include "forms/application_windows.h"
#include "forms/fuses/fuse_form.h"
#include "forms/main/main_form.h"
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_check_box.h"
#include "skin/form/tsui_form.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"

#include <QApplication>
#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

namespace {

constexpr int Ratio = 2;

// Aligned Ratio x Ratio blocks of device pixels that are not one colour. A picture scaled up from
// its 1x pixels, nearest neighbour or through a 1x buffer, has none: each of its design pixels
// becomes one such block.
int blocks_with_detail(const QImage &shot, const QRect &design)
{
    int count = 0;
    for (int y = design.top(); y <= design.bottom(); ++y) {
        for (int x = design.left(); x <= design.right(); ++x) {
            QSet<QRgb> colours;
            for (int dy = 0; dy < Ratio; ++dy)
                for (int dx = 0; dx < Ratio; ++dx)
                    colours.insert(shot.pixel(x * Ratio + dx, y * Ratio + dy));
            count += colours.size() > 1 ? 1 : 0;
        }
    }
    return count;
}

QRect in_window(const QWidget *widget, const QRect &local)
{
    return local.translated(widget->mapTo(widget->window(), QPoint(0, 0)));
}

struct Picture {
    const char *what;
    QRect design; // in the window, design pixels
};

void expect_fine(TForm &window, const char *file, const std::vector<Picture> &pictures)
{
    window.show();
    QApplication::processEvents();
    const QPixmap grabbed = window.grab();
    EXPECT_EQ(grabbed.devicePixelRatio(), Ratio);
    EXPECT_EQ(grabbed.size(), window.size() * Ratio);
    const QImage shot = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(shot.save(QDir::current().absoluteFilePath(QString::fromLatin1(file))));
    for (const Picture &p : pictures) {
        SCOPED_TRACE(p.what);
        ASSERT_TRUE(QRect(QPoint(), window.size()).contains(p.design));
        // A handful of blocks could come from text or a smooth scale; a drawn picture has many.
        EXPECT_GE(blocks_with_detail(shot, p.design), p.design.width() * p.design.height() / 8);
    }
    window.hide();
}

} // namespace

TEST(HiDpiLook, MainAndFuseWindowsKeepTheirLayoutWithFinerPictures)
{
    ASSERT_EQ(qApp->devicePixelRatio(), Ratio);
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    QDir().mkpath(program_file(QStringLiteral("fuses")));
    install_data_file(QStringLiteral("fuses/m8.fuse"));
    ModalAnswer error_box(ModalAnswer::closeMessageBox(), 30000);
    ApplicationWindows windows({});

    TForm1 &main = windows.main();
    const TsuiButton *tool = main.suiButton4;
    EXPECT_EQ(tool->size(), QSize(33, 27));
    const TsuiTitleBar *title = main.findChild<TsuiForm *>()->titleBar();
    const QRect close = title->buttonRect(1);
    EXPECT_EQ(close.size(), QSize(18, 18)); // the 17 x 17 picture and its hit margin
    expect_fine(main, "main_window@2x.png",
                {{"tool-bar glyph on its BlueGlass face", in_window(tool, QRect(6, 5, 16, 16))},
                 {"title-bar close button", in_window(title, close.adjusted(0, 0, -1, -1))}});

    TForm3 &fuses = windows.fuses();
    const TsuiCheckBox *bit = fuses.bitBox(0);
    const TsuiButton *read = fuses.suiButton1;
    expect_fine(fuses, "fuse_window@2x.png",
                {{"check box picture", in_window(bit, QRect(1, (bit->height() - 17) / 2, 15, 17))},
                 {"left end of a button face", in_window(read, QRect(0, 0, 6, read->height()))}});
    EXPECT_FALSE(error_box.answered()) << error_box.seenText().toStdString();
}
