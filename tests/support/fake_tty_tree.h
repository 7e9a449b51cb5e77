#pragma once

#include <QString>
#include <QTemporaryDir>

#include <map>

// Serial ports laid out in a temporary folder as the kernel lays them out in /sys/class/tty, /dev
// and /dev/serial/by-id, with a pseudo-terminal as each port's device node: no hardware needed.
class FakeTtyTree {
public:
    // What the kernel has behind a tty.
    enum class Behind { UsbSerial, CdcAcm, PnpUart, Placeholder8250, Virtual };

    FakeTtyTree();
    ~FakeTtyTree();
    FakeTtyTree(const FakeTtyTree &) = delete;
    FakeTtyTree &operator=(const FakeTtyTree &) = delete;

    QString sysfsTtys() const { return root_.filePath(QStringLiteral("sys/class/tty")); }
    QString devices() const { return root_.filePath(QStringLiteral("dev")); }
    QString byId() const { return root_.filePath(QStringLiteral("dev/serial/by-id")); }
    QString node(const QString &name) const { return devices() + u'/' + name; }

    // Adds the tty with its device node and, when given, its stable name. False when it could not.
    bool plug(const QString &name, Behind behind, const QString &by_id = {});
    // Takes it away again, as unplugging an adapter does.
    void unplug(const QString &name);

private:
    QTemporaryDir root_;
    std::map<QString, int> masters_; // the pseudo-terminals' master ends, by tty name
};
