#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The serial ports present on this machine, for the port list: USB-serial and CDC-ACM adapters
// and serial ports with a device behind them, as the kernel lists them. No widgets here.

// Where the kernel shows them; a test lays out a tree of its own and points here.
struct SerialPortFolders {
    QString sysfs_ttys = QStringLiteral("/sys/class/tty");
    QString devices = QStringLiteral("/dev");
    QString by_id = QStringLiteral("/dev/serial/by-id");
};

struct SerialPort {
    QString path;        // the device node, as avrdude takes it with -P
    QStringList by_id;   // its stable names, which stay the same whichever socket it is plugged into
};

// In natural order of their names (ttyACM0, ttyS0, ttyUSB2, ttyUSB10). A tty counts when the
// kernel has a device behind it and its node exists; the 8250 driver's placeholder ports (ttyS1 …
// ttyS31 on most PCs, with no UART behind them) and virtual terminals do not.
std::vector<SerialPort> present_serial_ports(const SerialPortFolders &folders = {});

// The list entries for these ports: each port's path, then its stable names.
QStringList serial_port_entries(const std::vector<SerialPort> &ports);
