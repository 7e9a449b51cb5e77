#pragma once

#include <QByteArray>
#include <QString>

// One programmer serves one run at a time, across every Quillon of the machine and every user:
// a run holds an exclusive lock named after its port for as long as it lasts. A port that names a
// file (a device, or a link to one such as /dev/serial/by-id/…) is known by the device's own path,
// so every name of one device shares one lock; any other port text ("usb", "com1") by the text,
// in small letters, and every USB text shares the lock of "usb", which picks whichever USB
// programmer it finds. The lock files live in a folder all users share where nobody can remove
// or replace another's file (/run/lock, else /tmp), readable by all, and stay there.
// QUILLON_PORT_LOCK_DIR names another folder, for tests that must not meet each other's runs.
class PortLock {
public:
    enum class Outcome { Taken, Busy, Failed };

    // The port exactly as avrdude gets it.
    explicit PortLock(const QString &port);
    // Releases the lock (a child that was handed it keeps it until it ends).
    ~PortLock();
    PortLock(const PortLock &) = delete;
    PortLock &operator=(const PortLock &) = delete;

    // Takes the lock if nobody holds it; never waits. Taken again and again is still Taken.
    Outcome tryTake();
    // What the lock is held on: the open lock file, to be handed to the child.
    int fd() const { return fd_; }
    // Why the lock could not be taken (Failed), in German.
    const QString &failure() const { return failure_; }

    // How the port is known: the device's canonical path, or the text (see above).
    static QByteArray portKey(const QString &port);
    // The shared folder's lock file for that key; empty when no shared folder is safe.
    static QByteArray lockFile(const QByteArray &key);

private:
    bool open();

    QByteArray key_;
    int fd_ = -1;
    bool taken_ = false;
    QString failure_;
};
