#!/bin/sh
# Quillon: the counterpart of install_giveio.bat. On Linux that unloads the ppdev driver.
# This script takes no input and ends by itself. It never changes users or groups. Exit code
# 0: ppdev is no longer loaded; 1: it still is.

# Programs run as root may find modprobe only in the sbin directories.
PATH="$PATH:/usr/sbin:/sbin"
export PATH

user=$(id -un 2>/dev/null || echo "?")
echo "Parallelport-Treiber ppdev entfernen (an Stelle von giveio)"
echo "Benutzer: $user"

if [ ! -d /sys/module/ppdev ]; then
    echo "Treiber ppdev ist nicht geladen; nichts zu tun."
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Treiber ppdev ist geladen; entladen kann ihn nur root: sudo modprobe -r ppdev" >&2
    echo "Den Zugriff nur für diesen Benutzer entziehen: sudo gpasswd -d $user lp" >&2
    exit 1
fi

# modprobe refuses while a program still has a port open; nothing is forced.
if modprobe -r ppdev </dev/null && [ ! -d /sys/module/ppdev ]; then
    echo "Treiber ppdev entladen."
    exit 0
fi
echo "Treiber ppdev konnte nicht entladen werden (wird er noch benutzt?)." >&2
exit 1
