#include "framed_window.h"

#include "skin/form/tform.h"
#include "skin/frameless/window_geometry.h"
#include "skin/titlebar/tsui_title_bar_popup_menu.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPoint close_centre(const TsuiTitleBar *bar) { return {bar->width() - 12, 9}; }
QPoint minimize_centre(const TsuiTitleBar *bar) { return {bar->width() - 30, 9}; }
QPoint control_box_centre() { return {12, 9}; }

// A caption point away from every button.
QPoint caption_point(const TsuiTitleBar *bar) { return {bar->width() / 2, 10}; }

} // namespace

TEST(FrameInteraction, CloseButtonClosesTheWindow)
{
    FramedWindow w;
    w.window.show();
    QTest::mouseClick(w.bar(), Qt::LeftButton, {}, close_centre(w.bar()));
    EXPECT_FALSE(w.window.isVisible());
}

TEST(FrameInteraction, MinimizeOnTheMainWindowMinimizesTheApplication)
{
    ASSERT_EQ(application_main_window(), nullptr);
    FramedWindow main_window(TsuiUIStyle::MacOS, QStringLiteral("Main"));
    FramedWindow other(TsuiUIStyle::MacOS, QStringLiteral("Other"));
    ASSERT_EQ(application_main_window(), &main_window.window);
    main_window.frame->setTitleButtonVisible(TsuiForm::suiMax, false);
    other.frame->setTitleButtonVisible(TsuiForm::suiMax, false);
    main_window.window.show();
    other.window.show();

    // Another window's minimize button minimizes that window only.
    QTest::mouseClick(other.bar(), Qt::LeftButton, {}, minimize_centre(other.bar()));
    EXPECT_TRUE(other.window.isMinimized());
    EXPECT_FALSE(main_window.window.isMinimized());

    other.window.showNormal();
    QTest::mouseClick(main_window.bar(), Qt::LeftButton, {}, minimize_centre(main_window.bar()));
    EXPECT_TRUE(main_window.window.isMinimized());
    EXPECT_TRUE(other.window.isMinimized());
}

TEST(FrameInteraction, ControlBoxOpensTheWindowMenuWithItsRules)
{
    FramedWindow main_window(TsuiUIStyle::MacOS, QStringLiteral("Main"));
    FramedWindow fuses;
    for (FramedWindow *w : {&main_window, &fuses}) {
        w->frame->setTitleButtonVisible(TsuiForm::suiMax, false);
        w->window.show();
    }
    fuses.frame->setTitleButtonVisible(TsuiForm::suiMin, false);

    TsuiTitleBarPopupMenu *menu = main_window.bar()->popupMenu();
    QTest::mouseClick(main_window.bar(), Qt::LeftButton, {}, control_box_centre());
    ASSERT_NE(menu->dropDown(), nullptr);
    EXPECT_TRUE(menu->dropDown()->isVisible());
    EXPECT_EQ(menu->dropDown()->pos(), main_window.bar()->mapToGlobal(QPoint(0, main_window.bar()->height())));
    EXPECT_TRUE(menu->minimizeItem()->enabled());
    EXPECT_FALSE(menu->maximizeItem()->enabled());
    EXPECT_TRUE(menu->closeItem()->enabled());
    EXPECT_EQ(menu->maximizeItem()->caption(), QStringLiteral("Ma&ximize/Restore"));
    menu->closeUp();

    TsuiTitleBarPopupMenu *fuses_menu = fuses.bar()->popupMenu();
    QTest::mouseClick(fuses.bar(), Qt::LeftButton, {}, control_box_centre());
    ASSERT_NE(fuses_menu->dropDown(), nullptr);
    EXPECT_FALSE(fuses_menu->minimizeItem()->enabled());
    EXPECT_FALSE(fuses_menu->maximizeItem()->enabled());

    // "&Close" from the menu closes the window, through its drop-down.
    TsuiMenuDropDown *drop = fuses_menu->dropDown();
    QTest::mouseClick(drop, Qt::LeftButton, {}, drop->itemRect(3).center());
    EXPECT_FALSE(fuses.window.isVisible());
    EXPECT_TRUE(main_window.window.isVisible());
}

TEST(FrameInteraction, AltSpaceOpensTheWindowMenuOfTheActiveWindow)
{
    FramedWindow w;
    w.window.show();
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window, 2000));
    QTest::keyClick(&w.window, Qt::Key_Space, Qt::AltModifier);
    TsuiMenuDropDown *drop = w.bar()->popupMenu()->dropDown();
    ASSERT_NE(drop, nullptr);
    EXPECT_TRUE(drop->isVisible());
    EXPECT_EQ(drop->pos(), w.window.pos() + QPoint(0, w.bar()->height()));
    w.bar()->popupMenu()->closeUp();
}

TEST(FrameInteraction, CaptionDragMovesTheWindowUnlessItIsMaximized)
{
    FramedWindow w;
    w.window.move(100, 100);
    w.window.show();
    const QPoint start = w.window.pos();
    const QPoint at = caption_point(w.bar());
    // The offscreen platform has no window manager move, so the frame moves the window itself.
    QTest::mousePress(w.bar(), Qt::LeftButton, {}, at);
    QTest::mouseMove(w.bar(), at + QPoint(30, 20));
    QTest::mouseRelease(w.bar(), Qt::LeftButton, {}, at + QPoint(30, 20));
    EXPECT_EQ(w.window.pos(), start + QPoint(30, 20));

    // Double-clicking the caption of a window whose maximize button is hidden does nothing.
    w.frame->setTitleButtonVisible(TsuiForm::suiMax, false);
    const QRect before = w.window.geometry();
    QTest::mouseDClick(w.bar(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(w.window.isMaximized());
    EXPECT_EQ(w.window.geometry(), before);

    w.window.showMaximized();
    const QRect maximized = w.window.geometry();
    QTest::mousePress(w.bar(), Qt::LeftButton, {}, at);
    QTest::mouseMove(w.bar(), at + QPoint(30, 20));
    QTest::mouseRelease(w.bar(), Qt::LeftButton, {}, at + QPoint(30, 20));
    EXPECT_EQ(w.window.geometry(), maximized);
}

TEST(FrameInteraction, MaximizedBoundsReachPastTheWorkArea)
{
    // The offscreen platform keeps a maximized window at the work area itself, so only the bounds
    // the frame asks for can be checked here.
    FramedWindow w;
    w.window.show();
    const QRect area = w.window.screen()->availableGeometry();
    EXPECT_EQ(maximized_bounds(&w.window), QRect(QPoint(area.left() - 2, area.top() - 2), QPoint(area.right() + 2, area.bottom() - 1)));
    EXPECT_EQ(maximized_bounds(nullptr), maximized_bounds(&w.window));
    w.window.showMaximized();
    EXPECT_TRUE(w.window.isMaximized());
    w.window.showNormal();
    EXPECT_FALSE(w.window.isMaximized());
}

TEST(FrameInteraction, CentringTakesHalfTheFreeSpaceRoundedDown)
{
    // Even free space splits exactly; odd free space leaves the extra pixel right and below.
    struct Case {
        QSize window;
        QRect area;
        QPoint expected;
    };
    const Case cases[] = {
        {{420, 236}, {0, 0, 1280, 1024}, {430, 394}},
        {{421, 237}, {0, 0, 1280, 1024}, {429, 393}},
        {{420, 236}, {100, 30, 1280, 1024}, {530, 424}},
        {{2000, 2000}, {100, 30, 1280, 1024}, {100, 30}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(centred_in(c.window, c.area), c.expected) << c.window.width() << " in " << c.area.x();
}

TEST(FrameInteraction, OnlySizeableAndDialogBordersSurviveTheFrame)
{
    using B = TFormBorderStyle;
    const std::pair<B, B> cases[] = {{B::bsNone, B::bsDialog},         {B::bsSingle, B::bsDialog},
                                     {B::bsToolWindow, B::bsDialog},   {B::bsDialog, B::bsDialog},
                                     {B::bsSizeable, B::bsSizeable},   {B::bsSizeToolWin, B::bsSizeToolWin}};
    for (const auto &[before, after] : cases) {
        TForm window;
        window.setBorderStyle(before);
        new TsuiForm(&window);
        EXPECT_EQ(window.borderStyle(), after) << static_cast<int>(before);
    }
}

TEST(FrameInteraction, SizeableWindowResizesByItsBorder)
{
    FramedWindow w;
    w.window.move(100, 100);
    w.window.show();
    const QRect start = w.window.geometry();
    const QPoint right_edge(start.width() - 2, start.height() / 2);
    QTest::mouseMove(&w.window, right_edge);
    EXPECT_EQ(w.window.cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(&w.window, Qt::LeftButton, {}, right_edge);
    QTest::mouseMove(&w.window, right_edge + QPoint(40, 0));
    QTest::mouseRelease(&w.window, Qt::LeftButton, {}, right_edge + QPoint(40, 0));
    EXPECT_EQ(w.window.geometry(), start.adjusted(0, 0, 40, 0));
    // The client area follows.
    EXPECT_EQ(w.frame->width(), start.width() + 40 - 6);

    // The bottom-left corner moves the left edge and the bottom; the minimum size holds.
    const QRect second = w.window.geometry();
    const QPoint corner(1, second.height() - 2);
    QTest::mousePress(&w.window, Qt::LeftButton, {}, corner);
    QTest::mouseMove(&w.window, corner + QPoint(second.width(), 10));
    QTest::mouseRelease(&w.window, Qt::LeftButton, {}, corner + QPoint(second.width(), 10));
    EXPECT_EQ(w.window.width(), w.window.minimumWidth());
    EXPECT_EQ(w.window.geometry().right(), second.right());
    EXPECT_EQ(w.window.height(), second.height() + 10);

    // A dialog border does not size.
    w.window.setBorderStyle(TFormBorderStyle::bsDialog);
    const QRect fixed = w.window.geometry();
    QTest::mousePress(&w.window, Qt::LeftButton, {}, QPoint(fixed.width() - 2, fixed.height() / 2));
    QTest::mouseMove(&w.window, QPoint(fixed.width() + 40, fixed.height() / 2));
    QTest::mouseRelease(&w.window, Qt::LeftButton, {}, QPoint(fixed.width() + 40, fixed.height() / 2));
    EXPECT_EQ(w.window.geometry(), fixed);
}

TEST(FrameInteraction, FormPanelFillsTheClientAreaButNeverIsTheFrame)
{
    FramedWindow w;
    auto *panel = new QWidget(w.frame);
    w.frame->setFormPanel(panel);
    EXPECT_EQ(panel->geometry(), w.frame->childAlignArea());
    {
        ModalAnswer box(ModalAnswer::closeMessageBox());
        w.frame->setFormPanel(w.frame);
        EXPECT_TRUE(box.answered());
        EXPECT_EQ(box.seenText(), QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
    }
    EXPECT_EQ(w.frame->formPanel(), panel);
    delete panel;
    EXPECT_EQ(w.frame->formPanel(), nullptr);
}

TEST(FrameInteraction, AWindowMaximizedBeforeItsFrameGetsItsBoundsBackWhenRestored)
{
    // The platform keeps the bounds a window had when it was maximized, also one maximized before
    // it was ever shown; the frame leaves that to it.
    TForm window;
    window.setGeometry(100, 80, 300, 200);
    window.setWindowState(Qt::WindowMaximized);
    new TsuiForm(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.width() > 300; }, 2000));
    window.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.geometry() == QRect(100, 80, 300, 200); }, 2000))
        << window.geometry().x() << "," << window.geometry().y() << " " << window.width() << "x" << window.height();
    // That ends the special handling: later bounds stay.
    window.setGeometry(40, 30, 400, 250);
    QApplication::processEvents();
    EXPECT_EQ(window.geometry(), QRect(40, 30, 400, 250));
}
