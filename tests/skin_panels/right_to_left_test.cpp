// Controls given the right-to-left direction mirror only on a system with a right-to-left
// (Middle-East) locale. CTest runs this program once as the machine is set up and once more, for
// this test alone, under an Arabic locale; each run expects what its locale asks for.
#include "skin/button/tsui_check_box.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_memo.h"
#include "skin/edit/tsui_scroll_bar.h"
#include "skin/panel/tsui_group_box.h"
#include "skin/panel/tsui_panel.h"
#include "skin/themes/style_bitmaps.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

namespace {

QImage grab(QWidget *control) { return control->grab().toImage().convertToFormat(QImage::Format_RGB32); }

int dark_pixels(const QImage &image, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 80;
    return n;
}

// Each probe builds its control on the surface, right to left, and tells whether it came out mirrored.
struct MirrorProbe {
    const char *control;
    std::function<bool(QWidget *surface)> mirrored;
};

bool check_box_mirrored(QWidget *surface)
{
    auto *box = new TsuiCheckBox(surface);
    box->setUIStyle(TsuiUIStyle::MacOS);
    box->setText(QStringLiteral("Bit 0"));
    box->setLayoutDirection(Qt::RightToLeft);
    const QImage image = grab(box);
    QImage picture;
    CutBitmapFrame(LoadStyleBitmap(QStringLiteral("MACOS_CHECKBOX")), &picture, 4, 2);
    picture = picture.convertToFormat(QImage::Format_RGB32);
    const int top = (image.height() - picture.height()) / 2;
    const bool at_left = image.copy(1, top, picture.width(), picture.height()) == picture;
    const bool at_right = image.copy(image.width() - picture.width() - 1, top, picture.width(), picture.height()) == picture;
    EXPECT_NE(at_left, at_right) << "the picture is at one end";
    return at_right;
}

bool group_box_mirrored(QWidget *surface)
{
    auto *box = new TsuiGroupBox(surface);
    box->setUIStyle(TsuiUIStyle::MacOS);
    box->setCaption(QStringLiteral("LowFuse"));
    box->resize(121, 80);
    box->setLayoutDirection(Qt::RightToLeft);
    // Left to right the left edge is column 0; mirrored it is column 1 and the caption sits at the right.
    const QImage image = grab(box);
    const QRgb border = box->borderColor().rgb();
    EXPECT_NE(image.pixel(0, 40) == border, image.pixel(1, 40) == border);
    return image.pixel(1, 40) == border;
}

bool panel_mirrored(QWidget *surface)
{
    auto *panel = new TsuiPanel(surface);
    panel->setUIStyle(TsuiUIStyle::MacOS);
    panel->setShowButton(false);
    panel->setCaption(QStringLiteral("AVRDUDE - Log"));
    panel->resize(300, 100);
    panel->setLayoutDirection(Qt::RightToLeft);
    const QImage image = grab(panel);
    const int at_left = dark_pixels(image, QRect(10, 2, 30, 17));
    const int at_right = dark_pixels(image, QRect(300 - 11 - 30, 2, 30, 17));
    EXPECT_NE(at_left > 0, at_right > 0) << "the caption is at one end";
    return at_right > 0;
}

bool combo_box_mirrored(QWidget *surface)
{
    auto *combo = new TsuiComboBox(surface);
    combo->setUIStyle(TsuiUIStyle::DeepBlue);
    combo->resize(145, 21);
    combo->setLayoutDirection(Qt::RightToLeft);
    // The button's edge line runs along its inner side: the left one, or mirrored the right one.
    const QImage image = grab(combo);
    const QRect button = combo->buttonRect();
    const QRgb border = combo->borderColor().rgb();
    const int y = button.center().y();
    EXPECT_NE(image.pixel(button.left(), y) == border, image.pixel(button.right() + 1, y) == border);
    return image.pixel(button.right() + 1, y) == border;
}

bool memo_mirrored(QWidget *surface)
{
    auto *memo = new TsuiMemo(surface);
    memo->setGeometry(10, 20, 200, 100);
    memo->setLayoutDirection(Qt::RightToLeft);
    auto *bar = new TsuiScrollBar(surface);
    bar->resize(16, 50);
    memo->setVScrollBar(bar);
    // A linked bar stands at the memo's right edge, or mirrored at its left one.
    EXPECT_TRUE(bar->x() == 10 + 2 || bar->x() == 10 + 200 - 16 - 2) << bar->x();
    return bar->x() == 10 + 2;
}

} // namespace

TEST(RightToLeft, ControlsMirrorOnlyUnderARightToLeftLocale)
{
    const bool middle_east = QLocale::system().textDirection() == Qt::RightToLeft;
    const MirrorProbe probes[] = {
        {"check box", check_box_mirrored}, {"group box", group_box_mirrored}, {"panel", panel_mirrored},
        {"combo box", combo_box_mirrored}, {"memo", memo_mirrored},
    };
    for (const MirrorProbe &probe : probes) {
        QWidget surface;
        surface.resize(400, 300);
        surface.show();
        EXPECT_EQ(probe.mirrored(&surface), middle_east) << probe.control << " under " << QLocale::system().name().toStdString();
    }
}
