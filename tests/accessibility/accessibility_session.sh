#!/usr/bin/env bash
# Quillon as a screen reader's or a keyboard user's desktop meets it: its own X server with
# openbox, a private D-Bus session and the AT-SPI accessibility bus. SCRIPT (read_windows.py,
# keyboard_tour.py, announcements.py) reads the real program's windows there and works it. The
# program runs from a copy of its folder, since the options window saves options.ini beside it.
# Further arguments go to the script. Every wait is bounded.
# Usage: accessibility_session.sh SCRIPT PROGRAM [ARGUMENT...]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/x_session.sh"

command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }

start_xvfb
start_openbox
cp -r "$(dirname "$2")" "$work/program"
cd "$work"
# The session bus, and with it the accessibility bus it starts, ends with the script.
timeout 170 dbus-run-session -- /usr/bin/python3 "$here/$1" "$work/program/$(basename "$2")" "${@:3}"
