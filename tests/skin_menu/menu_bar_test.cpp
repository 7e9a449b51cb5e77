#include "menu_pixels.h"

#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/edit/tsui_edit.h"
#include "skin/form/tsui_form.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/menubar/tsui_menu_bar.h"
#include "skin/menubar/tsui_menu_bar_button.h"
#include "skin/panel/tsui_panel.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/titlebar/tsui_title_bar.h"

#include <QDir>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor Grey{0xE7, 0xE7, 0xE7};
const QColor Selected{0x44, 0x4A, 0xA0};
const QColor Disabled{0x80, 0x80, 0x80};

QImage grab(QWidget *widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// A window with a frame and a menu of two drop-downs, as a test builds it.
struct MenuWindow {
    TForm window;
    TsuiForm *frame = new TsuiForm(&window);
    TsuiMainMenu *menu = new TsuiMainMenu(&window);
    int runs = 0;
    TsuiMenuItem *run_item = nullptr;

    MenuWindow()
    {
        frame->setUIStyle(TsuiUIStyle::MacOS);
        window.setClientSize(400, 300);
        menu->setUIStyle(TsuiUIStyle::DeepBlue);
        TsuiMenuItem *datei = menu->add(QStringLiteral("&Datei"));
        run_item = datei->add(QStringLiteral("&Ausführen"), [this] { ++runs; });
        run_item->setShortCut(QKeySequence(Qt::CTRL | Qt::Key_K));
        menu->add(QStringLiteral("&Hilfe"))->add(QStringLiteral("Info"));
        frame->setMenu(menu);
    }
};

} // namespace

TEST(MenuBar, OneButtonPerTopLevelItemInMenuOrder)
{
    Session session;
    TForm1 form{session};
    TsuiMenuBar *bar = form.suiForm1->menuBar();
    ASSERT_NE(bar, nullptr);
    QStringList captions;
    int x = -1;
    for (const TsuiMenuBarButton *button : bar->buttons()) {
        captions << button->text();
        EXPECT_GT(button->x(), x);
        EXPECT_EQ(button->height(), 22);
        x = button->x();
    }
    EXPECT_EQ(captions, (QStringList{"&Datei", "&Command", "&Einstellungen", "&Info"}));
    EXPECT_EQ(bar->geometry(), QRect(0, 20, form.clientSize().width(), 22));

    form.suiForm1->setMenuBarHeight(30);
    EXPECT_EQ(bar->height(), 30);
    for (const TsuiMenuBarButton *button : bar->buttons())
        EXPECT_EQ(button->height(), 30);
    EXPECT_EQ(form.suiForm1->childAlignArea().top(), 50);

    form.suiForm1->setMenu(nullptr);
    EXPECT_EQ(form.suiForm1->menuBar(), nullptr);
    EXPECT_EQ(form.suiForm1->childAlignArea().top(), 20);
    EXPECT_EQ(form.toolPanel->y(), 20);
}

TEST(MenuBar, ButtonsFollowTheirItemsAndTheMenu)
{
    MenuWindow w;
    TsuiMenuBar *bar = w.frame->menuBar();
    ASSERT_EQ(bar->buttons().size(), 2u);
    w.menu->items()[1]->setEnabled(false);
    EXPECT_FALSE(bar->buttons()[1]->isEnabled());
    w.window.show();
    const QImage disabled = grab(bar->buttons()[1]);
    EXPECT_TRUE(has_pixel_near(disabled, disabled.rect(), Disabled, 0x10));
    EXPECT_FALSE(has_pixel_near(disabled, disabled.rect(), Qt::black));

    w.menu->items()[0]->setCaption(QStringLiteral("&Projekt"));
    EXPECT_EQ(bar->buttons()[0]->text(), QStringLiteral("&Projekt"));
    w.menu->add(QStringLiteral("&Extras"));
    ASSERT_EQ(bar->buttons().size(), 3u);
    EXPECT_EQ(bar->buttons()[2]->text(), QStringLiteral("&Extras"));

    // Deleting the menu takes the bar and its room with it.
    delete w.menu;
    EXPECT_EQ(w.frame->Menu(), nullptr);
    EXPECT_EQ(w.frame->menuBar(), nullptr);
    EXPECT_EQ(w.frame->childAlignArea().top(), 20);
}

TEST(MenuBar, BarIsDrawnInTheMenusStyle)
{
    MenuWindow w;
    w.window.show();
    TsuiMenuBar *bar = w.frame->menuBar();
    const QPoint empty_spot(bar->width() - 5, 10);
    EXPECT_EQ(grab(bar).pixelColor(empty_spot), Grey);
    const QImage normal = grab(bar->buttons()[0]);
    EXPECT_TRUE(has_pixel_near(normal, normal.rect(), Qt::black));
    EXPECT_FALSE(colours_in(normal, normal.rect()).contains(Selected.rgb()));

    bar->dropDown(0);
    const QImage open = grab(bar->buttons()[0]);
    open.save(QDir::current().absoluteFilePath(QStringLiteral("open_menu_button.png")));
    EXPECT_EQ(open.pixelColor(1, 1), Selected);
    EXPECT_TRUE(has_pixel_near(open, open.rect(), Qt::white));
    bar->openDropDown()->closeAll();

    w.menu->setUIStyle(TsuiUIStyle::MacOS);
    const QImage strip = LoadStyleBitmap(QStringLiteral("MACOS_MENU_BAR")).convertToFormat(QImage::Format_RGB32);
    const QImage mac = grab(bar);
    for (int y = 0; y < bar->height(); ++y)
        EXPECT_EQ(mac.pixel(empty_spot.x(), y), strip.pixel(0, y)) << y;
}

TEST(MenuBar, AltLetterDropsDownAndTheItemRunsFromItsDropDown)
{
    MenuWindow w;
    w.window.show();
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window, 2000));
    TsuiMenuBar *bar = w.frame->menuBar();

    QTest::keyClick(&w.window, Qt::Key_D, Qt::AltModifier);
    TsuiMenuDropDown *drop = bar->openDropDown();
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->parentItem(), w.menu->items()[0]);
    EXPECT_EQ(drop->pos(), bar->buttons()[0]->mapToGlobal(QPoint(0, bar->buttons()[0]->height())));
    drop->closeAll();

    // A press on the bar button drops the menu down; a click on the item runs it and closes it.
    QTest::mousePress(bar->buttons()[0], Qt::LeftButton, {}, QPoint(5, 5));
    drop = bar->openDropDown();
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(bar->selectedButton(), bar->buttons()[0]);
    QTest::mouseClick(drop, Qt::LeftButton, {}, drop->itemRect(0).center());
    EXPECT_EQ(w.runs, 1);
    EXPECT_FALSE(drop->isVisible());
    EXPECT_EQ(bar->selectedButton(), nullptr);

    // Its shortcut runs it from anywhere in the active window; a disabled item does not run.
    QTest::keyClick(&w.window, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(w.runs, 2);
    w.run_item->setEnabled(false);
    QTest::keyClick(&w.window, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(w.runs, 2);
}

// A menu opened again is the same window, shown anew: making a window per opening waits on the
// display server every time. It opens as a new one would, with nothing selected and its item's
// present children.
TEST(MenuBar, ADropDownOpenedAgainIsTheSameWindowOpeningAsNew)
{
    MenuWindow w;
    w.window.show();
    TsuiMenuBar *bar = w.frame->menuBar();
    bar->dropDown(0, true);
    QPointer<TsuiMenuDropDown> drop = bar->openDropDown();
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->selectedIndex(), 0);
    const WId window = drop->winId();
    QTest::keyClick(drop, Qt::Key_Escape);
    EXPECT_EQ(bar->openDropDown(), nullptr);
    EXPECT_EQ(bar->selectedButton(), nullptr);

    w.menu->items()[0]->add(QStringLiteral("&Neu"));
    bar->dropDown(0);
    ASSERT_EQ(bar->openDropDown(), drop.data());
    EXPECT_EQ(drop->winId(), window);
    EXPECT_EQ(drop->selectedIndex(), -1);
    EXPECT_EQ(drop->count(), 2);
    drop->closeAll();
    EXPECT_FALSE(drop->isVisible());
}

TEST(MenuBar, MainWindowMenuOpensTheDateiMenuWithAltD)
{
    Session session;
    TForm1 form{session};
    show_main_window(form);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 2000));
    QTest::keyClick(form.command, Qt::Key_D, Qt::AltModifier);
    TsuiMenuDropDown *drop = form.suiForm1->menuBar()->openDropDown();
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->parentItem()->caption(), QStringLiteral("&Datei"));
    EXPECT_EQ(drop->selectedIndex(), 0);
    // Right moves on to the next menu of the bar.
    QTest::keyClick(drop, Qt::Key_Right);
    TsuiMenuDropDown *next = form.suiForm1->menuBar()->openDropDown();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->parentItem()->caption(), QStringLiteral("&Command"));
    next->closeAll();
}
