// The port list offers the serial ports present after its fixed entries, scanned anew each time it
// drops down, on a tree of pseudo-terminals laid out as the kernel does.

#include "forms/main/main_form.h"
#include "session/part_lists.h"
#include "session/session.h"
#include "skin/edit/tsui_combo_box.h"
#include "tests/support/fake_tty_tree.h"
#include "tests/support/program_dir_files.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList entries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

TEST(PortList, OffersThePortsPresentEachTimeItDropsDownAndKeepsTypedText)
{
    FakeTtyTree tree;
    using Behind = FakeTtyTree::Behind;
    const QString ftdi = tree.byId() + QStringLiteral("/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyUSB0"), Behind::UsbSerial, QFileInfo(ftdi).fileName()));
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyS1"), Behind::Placeholder8250));

    Session session;
    TForm1 form{session};
    form.setSerialPortFolders({tree.sysfsTtys(), tree.devices(), tree.byId()});
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    form.show();
    remove_program_file(QStringLiteral("options.ini"));
    TsuiComboBox *ports = form.portselect;
    EXPECT_EQ(entries(ports), PortIds);
    EXPECT_EQ(ports->text(), QStringLiteral("USB"));

    // By mouse: the drop button.
    ports->setText(QStringLiteral("/dev/getippt"));
    QTest::mouseClick(ports, Qt::LeftButton, {}, ports->buttonRect().center());
    ASSERT_TRUE(ports->view()->isVisible());
    EXPECT_EQ(entries(ports), (PortIds + QStringList{tree.node(QStringLiteral("ttyUSB0")), ftdi}));
    EXPECT_EQ(ports->text(), QStringLiteral("/dev/getippt"));
    // The open list is wide enough for the stable name.
    EXPECT_GE(ports->view()->width(), ports->view()->sizeHintForColumn(0));
    ports->hidePopup();

    // Plugged in after start-up, unplugged: by keyboard, Alt+Down.
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyACM0"), Behind::CdcAcm));
    tree.unplug(QStringLiteral("ttyUSB0"));
    QTest::keyClick(ports, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(ports->view()->isVisible());
    EXPECT_EQ(entries(ports), PortIds + QStringList{tree.node(QStringLiteral("ttyACM0"))});
    QTest::keyClick(ports->view(), Qt::Key_End);
    QTest::keyClick(ports->view(), Qt::Key_Return);
    EXPECT_FALSE(ports->view()->isVisible());
    EXPECT_EQ(session.chipTarget().port, tree.node(QStringLiteral("ttyACM0")));
    form.hide();
}
