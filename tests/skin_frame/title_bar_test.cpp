#include "framed_window.h"

#include "skin/paint/installed_face.h"
#include "skin/titlebar/title_bar_layout.h"
#include "skin/titlebar/tsui_title_bar_popup_menu.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Columns of image (within rows top..bottom) where it differs from reference.
QList<int> differing_columns(const QImage &image, const QImage &reference, int top, int bottom)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y <= bottom; ++y)
            if (image.pixel(x, y) != reference.pixel(x, y)) {
                columns << x;
                break;
            }
    return columns;
}

} // namespace

// The caption keeps its font "Tahoma"; it is drawn in the face Qt picks for it, asked for by name.
TEST(TitleBar, CaptionAndWindowFontsAreDrawnInTheFaceQtPicksForThem)
{
    FramedWindow w;
    QFont app_font(QStringLiteral("MS Sans Serif"));
    app_font.setPixelSize(11);
    const QFont absent(QStringLiteral("No Such Family Anywhere"));
    EXPECT_EQ(w.frame->titleFont().family(), QStringLiteral("Tahoma"));
    for (const QFont &wanted : {w.frame->titleFont(), app_font, QApplication::font(), absent}) {
        const QFont face = installed_face(wanted);
        const QFontInfo picked(wanted), drawn(face);
        EXPECT_EQ(drawn.family(), picked.family()) << wanted.family().toStdString();
        EXPECT_EQ(drawn.styleName(), picked.styleName()) << wanted.family().toStdString();
        EXPECT_EQ(drawn.pixelSize(), picked.pixelSize()) << wanted.family().toStdString();
        EXPECT_EQ(face.family(), wanted.family() == absent.family() ? wanted.family() : drawn.family());
    }
}

TEST(TitleBar, MacOsButtonsAndCaptionSitWhereTheStyleSays)
{
    FramedWindow w;
    w.frame->setTitleButtonVisible(TsuiForm::suiMax, false);
    w.window.show();
    const QImage bar = w.grabBar();
    save_for_viewing(bar, QStringLiteral("macos_title_bar.png"));
    const int TW = bar.width();
    ASSERT_EQ(bar.height(), 20);

    // Close: columns TW-20..TW-4, rows 1..17; minimize 18 further left; control box at (4, 0).
    EXPECT_TRUE(shows_at(bar, title_button_frame("MACOS_TITLEBTN", 16), TW - 20, 1));
    EXPECT_TRUE(shows_at(bar, title_button_frame("MACOS_TITLEBTN", 13), TW - 38, 1));
    EXPECT_TRUE(shows_at(bar, title_button_frame("MACOS_TITLEBTN", 1), 4, 0));
    EXPECT_EQ(w.bar()->currentLayout().captionLeft, 26);

    // The caption is the only thing that differs from a bar without one, and it starts at x 26.
    w.frame->setCaption(QString());
    const QImage empty = w.grabBar();
    const QList<int> text = differing_columns(bar, empty, 0, bar.height() - 1);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.first(), 26);
    EXPECT_LE(text.first(), 28);
}

TEST(TitleBar, LongCaptionEndsInDotsAndStaysClearOfTheButtons)
{
    FramedWindow w(TsuiUIStyle::MacOS, QString(), QSize(200, 100));
    w.window.show();
    const QImage empty = w.grabBar();
    const QString long_caption = QStringLiteral("Tessaly Quillon for AVRDude – a caption far too long for this window");
    w.frame->setCaption(long_caption);
    const QImage bar = w.grabBar();
    save_for_viewing(bar, QStringLiteral("long_caption.png"));

    const TitleBarLayout layout = w.bar()->currentLayout();
    const QString shown = fit_caption(long_caption, QFontMetrics(w.bar()->captionFont()), layout.captionRight - layout.captionLeft);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(long_caption.startsWith(shown.chopped(3)));
    const QList<int> text = differing_columns(bar, empty, 0, bar.height() - 1);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.first(), layout.captionLeft);
    EXPECT_LT(text.last(), layout.captionRight);

    // Where not even "..." fits, nothing is drawn.
    EXPECT_EQ(fit_caption(long_caption, QFontMetrics(w.bar()->captionFont()), 5), QString());
    EXPECT_EQ(fit_caption(QStringLiteral("Info"), QFontMetrics(w.bar()->captionFont()), 500), QStringLiteral("Info"));
}

TEST(TitleBar, ButtonsShowHoverAndPressedPictures)
{
    FramedWindow w;
    w.window.show();
    const int TW = w.bar()->width();
    const QPoint close_centre(TW - 12, 9);
    QTest::mouseMove(w.bar(), close_centre);
    EXPECT_EQ(w.bar()->HotButtonIndex(), 1); // from the pointer, not from a paint
    EXPECT_TRUE(shows_at(w.grabBar(), title_button_frame("MACOS_TITLEBTN", 17), TW - 20, 1));
    QTest::mousePress(w.bar(), Qt::LeftButton, {}, close_centre);
    EXPECT_TRUE(shows_at(w.grabBar(), title_button_frame("MACOS_TITLEBTN", 18), TW - 20, 1));
    EXPECT_TRUE(w.window.isVisible());
}

TEST(TitleBar, InactiveWindowDrawsItsCaptionInTheInactiveColour)
{
    FramedWindow w(TsuiUIStyle::MacOS, QStringLiteral("MMMMMMMM"));
    FramedWindow other(TsuiUIStyle::MacOS, QStringLiteral("Other"));
    auto activate = [](TForm &window) {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window, 2000);
    };
    auto caption_colours = [&w] {
        QSet<QRgb> colours;
        const QImage bar = w.grabBar();
        w.frame->setCaption(QString());
        const QImage empty = w.grabBar();
        w.frame->setCaption(QStringLiteral("MMMMMMMM"));
        for (int x = 26; x < 100; ++x)
            for (int y = 0; y < bar.height(); ++y)
                if (bar.pixel(x, y) != empty.pixel(x, y))
                    colours.insert(bar.pixel(x, y));
        return colours;
    };
    const QColor inactive = QApplication::palette().color(QPalette::Inactive, QPalette::HighlightedText);
    ASSERT_TRUE(activate(w.window));
    EXPECT_TRUE(caption_colours().contains(QColor(Qt::black).rgb()));
    // Another window becomes the active one.
    ASSERT_TRUE(activate(other.window));
    const QSet<QRgb> dimmed = caption_colours();
    EXPECT_TRUE(dimmed.contains(inactive.rgb()));
    EXPECT_FALSE(dimmed.contains(QColor(Qt::black).rgb()));
    ASSERT_TRUE(activate(w.window));
    EXPECT_TRUE(caption_colours().contains(QColor(Qt::black).rgb()));
}

TEST(TitleBar, OnlyOneControlBoxAndOneClientSection)
{
    FramedWindow w;
    TsuiTitleBarButton *close = w.bar()->Buttons()->Items(1);
    ModalAnswer box(ModalAnswer::closeMessageBox());
    close->setButtonType(TsuiTitleBarBtnType::suiControlBox);
    EXPECT_TRUE(box.answered());
    EXPECT_EQ(box.seenText(), QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\""));
    EXPECT_EQ(close->buttonType(), TsuiTitleBarBtnType::suiClose);

    // The rule holds for the control box itself too.
    ModalAnswer again(ModalAnswer::closeMessageBox());
    w.bar()->Buttons()->Items(0)->setButtonType(TsuiTitleBarBtnType::suiControlBox);
    EXPECT_TRUE(again.answered());

    ModalAnswer section_box(ModalAnswer::closeMessageBox());
    w.bar()->Sections()->Items(0)->setAlign(TsuiTitleBarAlign::suiClient);
    EXPECT_TRUE(section_box.answered());
    EXPECT_EQ(section_box.seenText(), QStringLiteral("Sorry, only one section's Align property can be \"suiClient\""));
    EXPECT_EQ(w.bar()->Sections()->Items(0)->align(), TsuiTitleBarAlign::suiLeft);
}

TEST(TitleBar, MaximizeButtonSwapsToRestorePicturesAndBack)
{
    FramedWindow w;
    w.window.show();
    TsuiTitleBarButton *max = w.bar()->Buttons()->Items(2);
    ASSERT_EQ(max->buttonType(), TsuiTitleBarBtnType::suiMax);
    EXPECT_EQ(max->picNormal(), title_button_frame("MACOS_TITLEBTN", 7).convertToFormat(max->picNormal().format()));
    max->ButtonClick();
    EXPECT_TRUE(w.window.isMaximized());
    EXPECT_EQ(max->picNormal(), title_button_frame("MACOS_TITLEBTN", 10).convertToFormat(max->picNormal().format()));
    max->ButtonClick();
    EXPECT_FALSE(w.window.isMaximized());
    EXPECT_EQ(max->picNormal(), title_button_frame("MACOS_TITLEBTN", 7).convertToFormat(max->picNormal().format()));
}
