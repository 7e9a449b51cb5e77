#!/usr/bin/env bash
# Quillon as a screen reader meets it: on its own X server, with a private D-Bus session and the
# AT-SPI accessibility bus, read_windows.py reads all six windows of the real program and works
# it through accessibility actions alone. The program runs from a copy of its folder, since the
# options window saves options.ini beside it. Every wait is bounded.
# Usage: accessibility_session.sh PROGRAM
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/x_session.sh"

command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

start_xvfb
cp -r "$(dirname "$1")" "$work/program"
cd "$work"
# The session bus, and with it the accessibility bus it starts, ends with the script.
timeout 170 dbus-run-session -- /usr/bin/python3 "$here/read_windows.py" "$work/program/$(basename "$1")"
