#!/usr/bin/env bash
# The installed package worked with the keyboard alone by an unprivileged user on Xvfb with
# openbox, with the real avrdude against the simulated programmer: program flash choosing the file
# by typing its path into the open dialog, read the fuses, change one bit and write them, and save
# a new avrdude path chosen in the options' own file dialog, with a driver choice made by the arrow
# keys. No pointer event is sent; every key is pressed and released as two events. After each
# dialog the window that opened it must be active again, with nothing of the dialog left on the
# screen, unless the user went to another program at once: then that program keeps the keyboard.
# A key held down long enough to repeat acts once.
# Every wait is bounded.
# Usage: keyboard_session.sh DEB_DIR TOOLS_DIR
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/installed_session.sh"

# Key press and key release, each an event of its own, as a keyboard sends them.
press() { for key in "$@"; do xdotool keydown "$key"; sleep 0.05; xdotool keyup "$key"; sleep 0.15; done; }
chord() { xdotool keydown "$1"; xdotool keydown "$2"; sleep 0.05; xdotool keyup "$2"; xdotool keyup "$1"; sleep 0.3; }
typed() { xdotool type --delay 30 "$1"; sleep 0.3; }
# The window that takes the keyboard next: the one the window manager makes active.
is_active() { [ "$(active)" = "$1" ]; }
is_other_active() { [ "$(active)" != 0 ] && [ "$(active)" != "$1" ]; }
# A failure names the window that has the keyboard instead, and what it is.
describe_active() { local w; w=$(active); echo "(keyboard focus on $(xdotool getwindowfocus -f 2>/dev/null)) $w \"$(xdotool getwindowname "$w" 2>/dev/null)\" $(xwininfo -id "$w" 2>/dev/null | grep "Map State") $(xprop -id "$w" WM_STATE 2>/dev/null | tr '\n' ' ')"; }
await_active() { wait_for 100 is_active "$1" || fail "$2: window $(describe_active) is active, not $1"; }
await_other_active() { wait_for 100 is_other_active "$1" || fail "$2 did not open"; }
# Nothing but the program's own windows: no list or popup of a dialog left on the screen.
expect_only() {
  local left; left=$(comm -13 <(echo "$1") <(visible_windows))
  [ -z "$left" ] || fail "$2 left a window on the screen: $(for w in $left; do xdotool getwindowname "$w"; geometry_of "$w"; echo " at $X,$Y ${WIDTH}x$HEIGHT"; done)"
}
# The caption of an active MacOS window is black; an inactive one is drawn in a pale grey.
caption_is_active() {
  geometry_of "$1"
  [ "$(/usr/bin/python3 "$here/desktop_probe.py" pixels 000000 $((X + 3 + 26)) $((Y + 3 + 3)) 40 14)" -gt 5 ]
}

# Another program on the desktop, which the user goes to in between; it logs the keys it gets.
xev -name "Ein anderes Programm" >"$work/other.log" 2>&1 &
helper_pids+=($!)
wait_for 100 has_window "Ein anderes Programm" || fail "the other program did not start"
other=$(window_titled "Ein anderes Programm")

"${as_user[@]}" env QT_QPA_PLATFORM=xcb "$root/usr/bin/quillon" >"$work/stdout" 2>"$work/stderr" &
program_pid=$!
wait_for 300 has_window "Tessaly Quillon for AVRDude" || fail "no main window"
main=$(window_titled "Tessaly Quillon for AVRDude")
await_active "$main" "at start"
sleep 0.5

# 0. Info > Info, closed by Enter held down long enough to repeat: the key acts once, and its
# repeats do not press the main window's focused button (the first tool button, Flash programmieren).
screen=$(visible_windows)
chord alt i; press Return
wait_for 100 has_window Info || fail "Info did not open"
xdotool keydown Return; sleep 1.5; xdotool keyup Return; sleep 0.5
wait_for 50 has_no_window Info || fail "Enter did not close the Info window"
expect_only "$screen" "the held Enter"
await_active "$main" "after the Info window"

# 1. Flash: programmer and port typed into their boxes (Tab runs the five tool buttons, the device
# and then the programmer), then Command > Flash programmieren and the file's path typed.
press Tab Tab Tab Tab Tab Tab
chord ctrl a; typed avr910; press Tab
chord ctrl a; typed "$sim/tty"
screen=$(visible_windows)
chord alt c; press Down Down Return
await_other_active "$main" "the open dialog"
typed "$hex"
press Return
await_run "programming flash"
wait_for 100 flash_starts_with_program || fail "flash was not programmed"
await_active "$main" "after the open dialog"
expect_only "$screen" "the open dialog"
echo "flash programmed from a typed path; the main window has the keyboard again"

# An empty free command ("Senden" two Tabs on from the port box): the message, closed by Enter.
press Tab Tab space
wait_for 100 has_window "Fehler!" || fail "the empty command showed no message"
press Return
wait_for 50 has_no_window "Fehler!" || fail "Enter did not close the message"
await_active "$main" "after the message"

# 2. Fuses: Command > Fuses (the last entry, one up from the first), read, bit 0 of the low fuse
# (focused when the window opens), write and confirm.
chord alt c; press Up Return
wait_for 100 has_window Fuses || fail "Fuses did not open"
fuses=$(window_titled Fuses)
await_active "$fuses" "the fuse window"
expect_with_main "$fuses" fuse
chord alt l
await_run "reading the fuses"
press space
# A clock bit changed: the question before the write has "Abbrechen" focused; Tab to "Schreiben".
chord alt s
wait_for 100 has_window "Fuses schreiben" || fail "no question before writing a clock change"
press Tab space
wait_for 50 has_no_window "Fuses schreiben" || fail "Space on Schreiben did not answer the question"
await_active "$fuses" "after the question"
wait_for 300 grep -q 'lfuse=0xA5' "$sim/state/fuses.txt" || fail "fuses on the chip: $(tr '\n' ' ' <"$sim/state/fuses.txt")"
grep -q 'hfuse=0xC9' "$sim/state/fuses.txt" || fail "high fuse changed: $(tr '\n' ' ' <"$sim/state/fuses.txt")"
chord alt F4
wait_for 50 has_no_window Fuses || fail "Alt+F4 did not close the fuse window"
await_active "$main" "after the fuse window"
echo "fuses read, one bit changed and written"

# 3. Info > Info, closed by Enter; right after it the user goes to the other program (as a click
# on its task-list entry does) and types there: the keys reach it, and the main window does not take
# the keyboard back.
chord alt i; press Return
wait_for 100 has_window Info || fail "Info did not open"
expect_with_main "$(window_titled Info)" Info
xdotool keydown Return; sleep 0.05; xdotool keyup Return
xdotool windowactivate "$other"
wait_for 50 has_no_window Info || fail "Enter did not close the Info window"
sleep 1
is_active "$other" || fail "the keyboard was taken from the program the user went to: $(describe_active)"
typed "q"
wait_for 20 grep -q KeyPress "$work/other.log" || fail "a key typed in the other program did not reach it"
xdotool windowactivate "$main"
await_active "$main" "back from the other program"

# 4. Options: Einstellungen > Optionen; Suchen's dialog takes the wrapper's typed path; Tab, Tab
# to the first driver choice, whose Space does nothing, and Right to the second; Speichern runs the
# driver window, whose OK (Alt+O) closes it and with it the options.
wrapper="$home/bin/avrdude-mit-protokoll"
mkdir -p "$home/bin"
printf '#!/bin/sh\necho "$@" >>"%s"\nexec /usr/bin/avrdude "$@"\n' "$home/runs.txt" >"$wrapper"
chmod 755 "$wrapper"; chown -R --reference="$home" "$home/bin"
chord alt e; press Return
wait_for 100 has_window OK || fail "the options window did not open"
options=$(window_titled OK)
await_active "$options" "the options window"
expect_with_main "$options" options
screen=$(visible_windows)
chord alt s
await_other_active "$options" "Suchen's dialog"
typed "$wrapper"
press Return
await_active "$options" "after Suchen's dialog"
expect_only "$screen" "Suchen's dialog"
wait_for 20 caption_is_active "$options" || fail "the options window is active but its title bar is drawn inactive"
echo "Suchen's dialog closed; the options window is active and drawn so"
press Tab Tab space Right
chord alt p
wait_for 300 has_window "giveio-Driver Installation" || fail "no driver window: the arrow key chose no driver action"
driver=$(window_titled "giveio-Driver Installation")
expect_with_main "$driver" driver
wait_for 100 runs_done || fail "the driver script did not end"
chord alt o
wait_for 50 has_no_window "giveio-Driver Installation" || fail "Alt+O did not close the driver window"
wait_for 50 has_no_window OK || fail "saving did not close the options window"
[ "$(head -n1 "$home/.config/quillon/options.ini" | tr -d '\r')" = "$wrapper" ] || fail "the user's options.ini holds: $(cat "$home/.config/quillon/options.ini" 2>&1)"
await_active "$main" "after the options"
echo "new path saved; the arrow key chose the driver action"

# 5. Datei > Beenden ends the program.
chord alt d; press Return
await_program_end "the program did not end after Datei > Beenden"
[ "$code" -eq 0 ] || fail "exit code $code after Datei > Beenden"
echo "PASS"
