#pragma once

#include "avrdude/run_result.h"

#include <QString>
#include <QStringList>

#include <optional>

// When avrdude fails because the system refused it the programmer, the log adds a few German
// lines after the report that say what happened and how to fix it here. No widgets here.

// What avrdude's error output shows about the programmer's port.
struct RefusedAccess {
    enum Kind { SerialPortDenied, UsbDeviceDenied, NoSuchPort };
    Kind kind;
    QString port; // as avrdude names it; empty for the USB case
};

// Found in a failed run's output, as avrdude 7.1 words it; nothing for a run that succeeded.
std::optional<RefusedAccess> refused_access(const RunResult &result);

// Who may open a device node: its group's name and whether that group may read and write it.
struct DeviceAccess {
    QString group;            // empty when the node cannot be looked at
    bool group_may_open = false;
};
DeviceAccess device_access(const QString &path);

// The name of the user Quillon runs as.
QString login_name();

// The help lines for the case, with the device's access and the user's name filled in.
QStringList access_help_lines(const RefusedAccess &refused, const DeviceAccess &access, const QString &user);

// All of it for one run: empty when the run shows no refused access.
QStringList access_help_for(const RunResult &result);
