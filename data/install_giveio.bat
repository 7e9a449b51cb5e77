#!/bin/sh
# Quillon: gives parallel-port programmers access to the port.
# On Linux the port is reached through the kernel's ppdev driver (/dev/parport0 ...), not giveio.
# This script takes no input and ends by itself. As root it loads the drivers; it never changes
# users or groups, it only says what to do. Exit code 0: a port is usable by this user; 1: not.

# Programs run as root may find modprobe only in the sbin directories.
PATH="$PATH:/usr/sbin:/sbin"
export PATH

user=$(id -un 2>/dev/null || echo "?")
echo "Parallelport-Zugriff über den Linux-Treiber ppdev (an Stelle von giveio)"
echo "Benutzer: $user"

if [ "$(id -u)" -eq 0 ]; then
    for module in parport_pc ppdev; do
        if [ -d "/sys/module/$module" ]; then
            echo "Treiber $module ist bereits geladen."
        elif modprobe "$module" </dev/null; then
            echo "Treiber $module geladen."
        else
            echo "Treiber $module konnte nicht geladen werden." >&2
        fi
    done
elif [ -d /sys/module/ppdev ]; then
    echo "Treiber ppdev ist geladen."
else
    echo "Treiber ppdev ist nicht geladen; laden kann ihn nur root: sudo modprobe ppdev"
fi

found=0
usable=0
for dev in /dev/parport*; do
    [ -e "$dev" ] || continue
    found=1
    group=$(stat -c %G "$dev" 2>/dev/null || echo "?")
    if [ -r "$dev" ] && [ -w "$dev" ]; then
        echo "$dev: vorhanden, Zugriff OK."
        usable=1
    else
        echo "$dev: vorhanden, aber kein Zugriff (Gruppe $group)."
    fi
done

if [ "$found" -eq 0 ]; then
    echo "Kein Parallelport gefunden (/dev/parport* fehlt)." >&2
    echo "Der Rechner hat keinen Parallelport, oder die Treiber parport_pc und ppdev sind nicht geladen." >&2
    exit 1
fi
if [ "$usable" -eq 0 ]; then
    echo "Fügen Sie den Benutzer der Gruppe $group hinzu und melden Sie sich neu an:" >&2
    echo "    sudo usermod -aG $group $user" >&2
    exit 1
fi
echo "Der Parallelport kann benutzt werden."
exit 0
