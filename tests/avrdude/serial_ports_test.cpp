// Which serial ports the port list offers, on a tree laid out as the kernel lays it out.

#include "avrdude/serial_ports.h"
#include "tests/support/fake_tty_tree.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

TEST(SerialPorts, PortsWithADeviceBehindThemInNaturalOrderWithTheirStableNames)
{
    FakeTtyTree tree;
    using Behind = FakeTtyTree::Behind;
    const QString ftdi = QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    const QString arduino = QStringLiteral("usb-Arduino__www.arduino.cc__0043_75633313133351719-if00");
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyUSB10"), Behind::UsbSerial));
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyUSB0"), Behind::UsbSerial, ftdi));
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyUSB2"), Behind::UsbSerial));
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyACM0"), Behind::CdcAcm, arduino));
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyS0"), Behind::PnpUart));
    ASSERT_TRUE(tree.plug(QStringLiteral("ttyS1"), Behind::Placeholder8250));
    ASSERT_TRUE(tree.plug(QStringLiteral("tty1"), Behind::Virtual));
    const SerialPortFolders folders{tree.sysfsTtys(), tree.devices(), tree.byId()};

    const auto node = [&](const char *name) { return tree.node(QString::fromLatin1(name)); };
    EXPECT_EQ(serial_port_entries(present_serial_ports(folders)),
              (QStringList{node("ttyACM0"), tree.byId() + u'/' + arduino, node("ttyS0"), node("ttyUSB0"),
                           tree.byId() + u'/' + ftdi, node("ttyUSB2"), node("ttyUSB10")}));

    // Unplugged, an adapter goes with its stable name; a tty whose node is gone is not offered.
    tree.unplug(QStringLiteral("ttyUSB0"));
    QFile::remove(node("ttyUSB10"));
    EXPECT_EQ(serial_port_entries(present_serial_ports(folders)),
              (QStringList{node("ttyACM0"), tree.byId() + u'/' + arduino, node("ttyS0"), node("ttyUSB2")}));

    // Folders that are not there (another system, no serial driver) offer nothing.
    EXPECT_TRUE(present_serial_ports({tree.byId() + QStringLiteral("/none"), tree.devices(), tree.byId()}).empty());
}

// Each stable name is resolved once, not once for every port: with 300 ports and 1,313 names the
// list took seconds to drop down.
TEST(SerialPorts, ManyPortsAndStableNamesAreListedAtOnce)
{
    FakeTtyTree tree;
    constexpr int Ports = 300;
    constexpr int OtherNames = 1013;
    for (int i = 0; i < Ports; ++i)
        ASSERT_TRUE(tree.plug(QStringLiteral("ttyUSB%1").arg(i), FakeTtyTree::Behind::UsbSerial, QStringLiteral("usb-%1").arg(i)));
    for (int i = 0; i < OtherNames; ++i)
        ASSERT_TRUE(QFile::link(tree.node(QStringLiteral("ttyUSB%1").arg(i % Ports)), tree.byId() + QStringLiteral("/other-%1").arg(i)));

    QElapsedTimer clock;
    clock.start();
    const std::vector<SerialPort> ports = present_serial_ports({tree.sysfsTtys(), tree.devices(), tree.byId()});
    const qint64 elapsed_ms = clock.elapsed();
    ASSERT_EQ(ports.size(), std::size_t{Ports});
    qsizetype names = 0;
    for (const SerialPort &port : ports)
        names += port.by_id.size();
    EXPECT_EQ(names, Ports + OtherNames);
    EXPECT_EQ(ports[7].by_id.first(), tree.byId() + QStringLiteral("/other-307"));
    // Resolving every link once per port took 2.3 s here; once in all, well under a second, and
    // under the sanitizers' slower file calls about 0.6 s.
    EXPECT_LT(elapsed_ms, 1500);
}
