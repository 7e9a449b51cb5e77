#include "forms/application_windows.h"
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/form/tsui_form.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/panel/tsui_group_box.h"
#include "skin/panel/tsui_panel.h"
#include "tests/support/program_dir_files.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

QStringList items_of(const TsuiComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList captions_of(const TsuiMenuItem *item)
{
    QStringList captions;
    for (const TsuiMenuItem *child : item->items())
        captions << child->caption();
    return captions;
}

} // namespace

TEST(MainWindow, HasItsControlsAtTheirPlaces)
{
    Session session;
    TForm1 form{session};
    EXPECT_EQ(form.clientSize(), QSize(689, 656));
    EXPECT_EQ(form.suiForm1->caption(), QStringLiteral("Tessaly Quillon for AVRDude"));
    EXPECT_EQ(form.suiForm1->uiStyle(), TsuiUIStyle::MacOS);

    const TsuiButton *tools[] = {form.suiButton4, form.suiButton5, form.suiButton2, form.suiButton3, form.suiButton6};
    const char *hints[] = {"Flash programmieren", "EEPROM programmieren", "Flash auslesen", "EEPROM auslesen", "Fuses"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tools[i]->geometry(), QRect(8 + 40 * i, 32, 33, 27)) << i;
        EXPECT_EQ(tools[i]->toolTip(), QString::fromUtf8(hints[i]));
        EXPECT_EQ(tools[i]->uiStyle(), TsuiUIStyle::BlueGlass);
    }
    EXPECT_EQ(form.toolPanel->height(), 63);
    EXPECT_EQ(form.toolPanel->width(), 689);
    EXPECT_EQ(form.avrOptions->width(), 185);
    EXPECT_EQ(form.avrOptions->x(), 0);
    EXPECT_EQ(form.avrOptions->height(), 75);
    EXPECT_EQ(form.programmerOptions->height(), 75);
    EXPECT_EQ(form.programmerOptions->width(), 497);
    EXPECT_EQ(form.programmerOptions->geometry().right(), 688);
    EXPECT_EQ(form.commandGroup->height(), 57);
    EXPECT_EQ(form.logPanel->height(), 419);
    EXPECT_EQ(form.logPanel->geometry().bottom(), 655);
    EXPECT_EQ(form.commandGroup->geometry().bottom() + 1, form.logPanel->y());
    EXPECT_EQ(form.Log->geometry(), QRect(QPoint(4, 25), QPoint(684, 414)));
    EXPECT_TRUE(form.Log->isReadOnly());
    EXPECT_EQ(form.command->width(), 585);
    EXPECT_EQ(form.suiButton1->geometry(), QRect(600, 23, 80, 22));
    EXPECT_EQ(form.suiButton1->text(), QStringLiteral("Senden"));
    EXPECT_EQ(form.avrselect->width(), 145);
    EXPECT_EQ(form.progselect->width(), 193);
    EXPECT_EQ(form.portselect->width(), 241);
}

TEST(MainWindow, OnlyTheMiddleBandChangesHeightOnResize)
{
    Session session;
    TForm1 form{session};
    const int band = form.avrOptions->height();
    form.setClientSize(800, form.clientSize().height() + 100);
    EXPECT_EQ(form.toolPanel->height(), 63);
    EXPECT_EQ(form.commandGroup->height(), 57);
    EXPECT_EQ(form.logPanel->height(), 419);
    EXPECT_EQ(form.avrOptions->height(), band + 100);
    EXPECT_EQ(form.programmerOptions->height(), band + 100);
    EXPECT_EQ(form.programmerOptions->geometry().right(), 799);
}

TEST(MainWindow, OffersTheListsAndMenusInOrder)
{
    Session session;
    TForm1 form{session};
    EXPECT_EQ(items_of(form.avrselect),
              (QStringList{"c128", "pwm2", "pwm3", "1200", "2313",  "2333", "2343", "4414", "4433", "4434",
                           "8515", "8535", "m103", "m128", "m1280", "m1281", "m16", "m161", "m162", "m163",
                           "m164", "m168", "m169", "m2560", "m2561", "m32", "m324", "m329", "m3290", "m48",
                           "m64", "m640", "m644", "m649", "m6490", "m8", "m8515", "m8535", "m88", "t12",
                           "t13", "t15", "t2313", "t25", "t26", "t45", "t85"}));
    EXPECT_EQ(form.avrselect->text(), QStringLiteral("m8"));
    EXPECT_EQ(items_of(form.progselect),
              (QStringList{"par", "stk500", "stk500v2", "stk500pp", "stk500hvsp", "stk500generic", "avr910",
                           "butterfly", "usbasp", "jtagmki", "jtagmkii", "jtagmkii_isp", "jtagmkii_dw", "dragon_dw",
                           "dragon_jtag", "dragon_isp", "dragon_pp", "dragon_hvsp"}));
    EXPECT_EQ(form.progselect->text(), QStringLiteral("usbasp"));
    EXPECT_EQ(items_of(form.portselect),
              (QStringList{"com1", "com2", "com3", "com4", "lpt1", "lpt2", "USB"}));
    EXPECT_EQ(form.portselect->text(), QStringLiteral("USB"));
    for (const TsuiComboBox *combo : {form.avrselect, form.progselect, form.portselect}) {
        EXPECT_EQ(combo->maxVisibleItems(), 8);
        EXPECT_TRUE(combo->isEditable());
    }

    QStringList tops;
    for (const TsuiMenuItem *top : form.MainMenu1->items())
        tops << top->caption();
    EXPECT_EQ(tops, (QStringList{"&Datei", "&Command", "&Einstellungen", "&Info"}));
    EXPECT_EQ(captions_of(form.MainMenu1->items()[1]),
              (QStringList{"Flash auslesen", "EEPROM auslesen", "-", "Flash programmieren", "EEPROM programmieren",
                           "-", "Chip löschen", "-", "Fuses"}));
    EXPECT_EQ(captions_of(form.MainMenu1->items()[0]), QStringList{"&Beenden"});
    EXPECT_EQ(form.MainMenu1->uiStyle(), TsuiUIStyle::DeepBlue);
}

// Notes each window class the first time one of its windows is given a child, that is, in the
// order in which the windows are built.
class BuildOrder : public QObject {
public:
    QStringList classes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QString name = QString::fromLatin1(watched->metaObject()->className());
        if (event->type() == QEvent::ChildAdded && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow() && name.startsWith(QStringLiteral("TForm")) &&
            name != QStringLiteral("TForm") && !classes.contains(name))
            classes << name;
        return false;
    }
};

TEST(MainWindow, CreatesTheSixWindowsHiddenWithTheMainWindowFirst)
{
    BuildOrder order;
    qApp->installEventFilter(&order);
    ApplicationWindows windows({});
    qApp->removeEventFilter(&order);
    EXPECT_EQ(order.classes, (QStringList{"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "TForm6"}));
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName().startsWith(QStringLiteral("Form"))) {
            EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        }
    }
}

TEST(MainWindow, RendersEveryControl)
{
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    Session session;
    TForm1 form{session};
    form.show();
    const QImage image = form.grab().toImage();
    const QString file = QDir::current().absoluteFilePath(QStringLiteral("main_window.png"));
    ASSERT_TRUE(image.save(file));
    EXPECT_EQ(image.size(), form.size());
    // The log body is white, the form background is not.
    const QPoint log_centre = form.Log->mapTo(&form, form.Log->rect().center());
    EXPECT_EQ(image.pixelColor(log_centre), QColor(Qt::white));
    form.hide();
}
