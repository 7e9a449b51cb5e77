#include "menu_pixels.h"

#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/form/tsui_form.h"
#include "skin/menu/image_list.h"
#include "skin/menu/menu_drawing.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/menu/tsui_popup_menu.h"
#include "skin/menubar/tsui_menu_bar.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "skin/titlebar/tsui_title_bar_popup_menu.h"

#include <QDir>
#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor White{0xFF, 0xFF, 0xFF};
const QColor Bar{0xD6, 0xD3, 0xCE};
const QColor Line{0x84, 0x82, 0x84};
const QColor Selected{0x44, 0x4A, 0xA0};
const QColor Grey{0x80, 0x80, 0x80};
constexpr int Command = 1; // "&Command" among the main window's top-level items
constexpr int ChipLoeschen = 6;
constexpr int Fuses = 8;

QImage grab(QWidget *widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

TsuiMenuDropDown *open_command_menu(TForm1 &form)
{
    show_main_window(form);
    form.suiForm1->menuBar()->dropDown(Command);
    return form.suiForm1->menuBar()->openDropDown();
}

int menu_text_width(const QString &caption)
{
    QFont font;
    QColor colour;
    AssignSystemMenuFont(font, colour);
    return QFontMetrics(font).horizontalAdvance(caption);
}

} // namespace

TEST(MenuItemDrawing, ChipLoeschenSitsBetweenThinSeparators)
{
    Session session;
    TForm1 form{session};
    TsuiMenuDropDown *drop = open_command_menu(form);
    ASSERT_NE(drop, nullptr);
    ASSERT_EQ(drop->count(), 9);
    const QImage image = grab(drop);
    image.save(QDir::current().absoluteFilePath(QStringLiteral("command_menu.png")));

    for (int separator : {ChipLoeschen - 1, ChipLoeschen + 1}) {
        const QRect r = drop->itemRect(separator);
        ASSERT_EQ(r.height(), 5);
        const int right = r.left() + r.width();
        EXPECT_EQ(count_colour(image, QRect(r.left(), r.top(), 26, 5), Bar), 26 * 5);
        const QRect line(r.left() + 30, r.top() + 2, right - 2 - (r.left() + 30), 1);
        EXPECT_EQ(count_colour(image, line, Line), line.width());
        EXPECT_EQ(image.pixelColor(r.left() + 29, r.top() + 2), White);
        EXPECT_EQ(image.pixelColor(right - 2, r.top() + 2), White);
        for (int row : {0, 1, 3, 4})
            EXPECT_EQ(image.pixelColor(r.left() + 40, r.top() + row), White) << row;
    }
    const QRect item = drop->itemRect(ChipLoeschen);
    ASSERT_EQ(item.height(), 21);
    const QRect text_area(item.left() + 26, item.top(), item.width() - 26, item.height());
    const QRect ink = ink_box(image, text_area, White);
    EXPECT_GE(ink.left(), item.left() + 30);
    EXPECT_LE(ink.left(), item.left() + 31);
    EXPECT_GE(ink.top(), item.top() + 4);
    EXPECT_TRUE(has_pixel_near(image, ink, Qt::black));
    EXPECT_EQ(count_colour(image, QRect(item.left(), item.top(), 26, 21), Bar), 26 * 21);
}

TEST(MenuItemDrawing, HoveredItemFillsItsRowAndDisabledOnesStayPlain)
{
    Session session;
    TForm1 form{session};
    TsuiMenuDropDown *drop = open_command_menu(form);
    ASSERT_NE(drop, nullptr);
    const QRect fuses = drop->itemRect(Fuses);
    QTest::mouseMove(drop, fuses.center());
    EXPECT_EQ(drop->selectedIndex(), Fuses);
    QImage image = grab(drop);
    image.save(QDir::current().absoluteFilePath(QStringLiteral("fuses_hovered.png")));
    const QSet<QRgb> row = colours_in(image, fuses);
    EXPECT_TRUE(row.contains(Selected.rgb()));
    EXPECT_FALSE(row.contains(Bar.rgb()));
    EXPECT_FALSE(has_pixel_near(image, fuses, Qt::black));
    EXPECT_EQ(count_colour(image, QRect(fuses.left(), fuses.top(), 26, fuses.height()), Selected), 26 * fuses.height());
    EXPECT_TRUE(has_pixel_near(image, fuses, White));
    EXPECT_EQ(image.pixelColor(fuses.topLeft()), Selected);
    EXPECT_EQ(image.pixelColor(fuses.bottomRight()), Selected);

    form.menuFuses->setEnabled(false);
    QTest::mouseMove(drop, drop->itemRect(0).center());
    QTest::mouseMove(drop, fuses.center());
    EXPECT_EQ(drop->selectedIndex(), Fuses);
    image = grab(drop);
    const QSet<QRgb> disabled = colours_in(image, fuses);
    EXPECT_FALSE(disabled.contains(Selected.rgb()));
    EXPECT_TRUE(has_pixel_near(image, fuses, Grey, 0x10));
    EXPECT_FALSE(has_pixel_near(image, fuses, Qt::black));
    EXPECT_EQ(count_colour(image, QRect(fuses.left(), fuses.top(), 26, fuses.height()), Bar), 26 * fuses.height());
    // A disabled item does not run when clicked.
    int runs = 0;
    QObject::connect(form.menuFuses, &TsuiMenuItem::OnClick, [&runs] { ++runs; });
    QTest::mouseClick(drop, Qt::LeftButton, {}, fuses.center());
    EXPECT_EQ(runs, 0);
    form.suiForm1->menuBar()->openDropDown()->closeAll();
}

TEST(MenuItemDrawing, EveryItemMeasuresItsCaptionPlusBarAndPadding)
{
    Session session;
    TForm1 form{session};
    show_main_window(form);
    TsuiMenuBar *bar = form.suiForm1->menuBar();
    for (int top = 0; top < 4; ++top) {
        bar->dropDown(top);
        TsuiMenuDropDown *drop = bar->openDropDown();
        ASSERT_NE(drop, nullptr) << top;
        int widest = 0;
        for (int i = 0; i < drop->count(); ++i) {
            const TsuiMenuItem *item = form.MainMenu1->items()[static_cast<std::size_t>(top)]->items()[static_cast<std::size_t>(i)];
            EXPECT_EQ(drop->itemRect(i).height(), item->isSeparator() ? 5 : 21) << item->caption().toStdString();
            widest = qMax(widest, menu_text_width(item->caption()) + 66);
        }
        EXPECT_EQ(drop->itemRect(0).width(), widest) << top;
        drop->closeAll();
    }
}

TEST(MenuItemDrawing, MacOsLocksItsHeightsUntilTheStyleChanges)
{
    TsuiPopupMenu menu;
    menu.setUIStyle(TsuiUIStyle::MacOS);
    menu.setMenuItemHeight(30);
    menu.setSeparatorHeight(30);
    EXPECT_EQ(menu.menuItemHeight(), 20);
    EXPECT_EQ(menu.separatorHeight(), 12);
    EXPECT_EQ(menu.separatorColor(), QColor(Qt::black));
    menu.setUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu.menuItemHeight(), 21);
    EXPECT_EQ(menu.separatorHeight(), 5);
    menu.setMenuItemHeight(30);
    EXPECT_EQ(menu.menuItemHeight(), 30);

    // A look property set by hand lasts until the style is set again.
    menu.setSelectedColor(Qt::red);
    menu.setUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu.selectedColor(), Selected);
    EXPECT_EQ(menu.menuItemHeight(), 21);
}

TEST(MenuItemDrawing, LostThemeFileTurnsTheMenuDeepBlue)
{
    TsuiPopupMenu menu;
    menu.setUIStyle(TsuiUIStyle::WinXP);
    auto *theme = new TsuiFileTheme;
    menu.setFileTheme(theme);
    menu.setBarColor(Qt::red);
    delete theme;
    EXPECT_EQ(menu.fileTheme(), nullptr);
    EXPECT_EQ(menu.uiStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu.barColor(), Bar);
}

TEST(MenuItemDrawing, CheckedItemShowsTheCheckMarkAndLateItemsAreDrawnToo)
{
    QWidget owner;
    TsuiPopupMenu menu(&owner);
    menu.setUIStyle(TsuiUIStyle::DeepBlue);
    menu.add(QStringLiteral("Erste"));
    TsuiMenuItem *late = menu.add(QStringLiteral("Später"));
    late->setChecked(true);
    ASSERT_TRUE(static_cast<bool>(late->OnDrawItem));
    menu.Popup(50, 50);
    TsuiMenuDropDown *drop = menu.dropDown();
    ASSERT_NE(drop, nullptr);
    const QImage image = grab(drop);
    const QRect r = drop->itemRect(1);
    const QImage mark = LoadStyleBitmap(QStringLiteral("MENU_CHECKED")).convertToFormat(QImage::Format_RGB32);
    int compared = 0;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x)
            if (mark.pixel(x, y) != White.rgb()) {
                EXPECT_EQ(image.pixel(r.left() + 4 + x, r.top() + 3 + y), mark.pixel(x, y)) << x << "," << y;
                ++compared;
            }
    EXPECT_GT(compared, 0);
    // The unchecked item shows no mark there.
    const QRect first = drop->itemRect(0);
    EXPECT_EQ(colours_in(image, QRect(first.left() + 4, first.top() + 3, 16, 16)), QSet<QRgb>{Bar.rgb()});
    menu.closeUp();
}

TEST(MenuItemDrawing, CheckedItemWithAPictureSitsInANineteenPixelBox)
{
    TImageList pictures;
    QWidget owner;
    TsuiPopupMenu menu(&owner);
    menu.setUIStyle(TsuiUIStyle::DeepBlue);
    QImage green(16, 16, QImage::Format_RGB32);
    green.fill(Qt::green);
    pictures.AddMasked(green, Qt::white);
    menu.setImages(&pictures);
    TsuiMenuItem *item = menu.add(QStringLiteral("Bild"));
    item->setImageIndex(0);
    item->setChecked(true);
    menu.Popup(50, 50);
    TsuiMenuDropDown *drop = menu.dropDown();
    ASSERT_NE(drop, nullptr);
    const QImage image = grab(drop);
    const QRect r = drop->itemRect(0);
    const int x0 = r.left() + 4;
    // Frame from (x0 - 2, top + 1) to (x0 + 16, top + 19), both ends included, and nothing black beyond.
    const QRgb black = QColor(Qt::black).rgb();
    EXPECT_EQ(image.pixel(x0 - 2, r.top() + 10), black);
    EXPECT_EQ(image.pixel(x0 + 16, r.top() + 10), black);
    EXPECT_EQ(image.pixel(x0 + 8, r.top() + 1), black);
    EXPECT_EQ(image.pixel(x0 + 8, r.top() + 19), black);
    EXPECT_EQ(count_colour(image, QRect(x0 + 17, r.top(), 1, 21), Qt::black), 0);
    EXPECT_EQ(count_colour(image, QRect(x0 - 2, r.top() + 20, 20, 1), Qt::black), 0);
    // Inside the frame: the selected colour around the picture.
    EXPECT_EQ(image.pixel(x0 - 1, r.top() + 2), Selected.rgb());
    EXPECT_EQ(image.pixel(x0 + 15, r.top() + 18), QColor(Qt::green).rgb());
    menu.closeUp();
}

TEST(MenuItemDrawing, MacOsControlBoxMenuIsDrawnFromItsStrips)
{
    TForm window;
    auto *frame = new TsuiForm(&window);
    frame->setUIStyle(TsuiUIStyle::MacOS);
    window.setClientSize(300, 200);
    window.show();
    TsuiTitleBarPopupMenu *menu = frame->titleBar()->popupMenu();
    menu->Popup(10, 10);
    TsuiMenuDropDown *drop = menu->dropDown();
    ASSERT_NE(drop, nullptr);
    QTest::mouseMove(drop, drop->itemRect(0).center());
    const QImage image = grab(drop);
    image.save(QDir::current().absoluteFilePath(QStringLiteral("control_box_menu.png")));
    const QImage bar = LoadStyleBitmap(QStringLiteral("MACOS_MENU_BAR")).convertToFormat(QImage::Format_RGB32);
    const QImage select = LoadStyleBitmap(QStringLiteral("MACOS_MENU_SELECT")).convertToFormat(QImage::Format_RGB32);

    const QRect separator = drop->itemRect(2);
    ASSERT_EQ(separator.height(), 12);
    for (int x : {separator.left(), separator.center().x(), separator.right()})
        for (int y = 0; y < 12; ++y)
            EXPECT_EQ(image.pixel(x, separator.top() + y), bar.pixel(0, y)) << x << "," << y;

    const QRect close = drop->itemRect(3);
    const QRect highlighted = drop->itemRect(0);
    ASSERT_EQ(close.height(), 20);
    ASSERT_EQ(highlighted.height(), 20);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(image.pixel(close.right(), close.top() + y), bar.pixel(0, y)) << y;
        EXPECT_EQ(image.pixel(highlighted.right(), highlighted.top() + y), select.pixel(0, y)) << y;
    }
    EXPECT_TRUE(has_pixel_near(image, highlighted, White));
    menu->closeUp();
}
