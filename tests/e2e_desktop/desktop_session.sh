#!/usr/bin/env bash
# A user's session with the real program on its own X server: open the Info, fuse and options
# windows from the menu and close them again, send an empty free command and dismiss the error
# message with Enter, then close the program by its title bar. The program must end with exit
# code 0 and write nothing to stderr but Qt's own font notes. Every wait is bounded.
# Usage: desktop_session.sh PROGRAM, or desktop_session.sh --installed BUILD_DIR to run the program
# as `cmake --install` lays it out (bin/quillon linking to lib/quillon with its data).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

if [ "$1" = "--installed" ]; then
  cmake --install "$2" --prefix "$work/prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; echo "FAIL: install"; exit 1; }
  program="$work/prefix/bin/quillon"
  [ -L "$program" ] || { echo "FAIL: bin/quillon is not a link"; exit 1; }
else
  program=$1
fi

start_xvfb

QT_QPA_PLATFORM=xcb "$program" >"$work/stdout" 2>"$work/stderr" &
program_pid=$!
wait_for 150 has_window "Tessaly Quillon for AVRDude" || fail "no main window"
main=$(window_titled "Tessaly Quillon for AVRDude")
sleep 0.5

# Points on the menu bar's captions, in client x: Command 72, Einstellungen 145, Info 200.
choose_menu "$main" 200 13
wait_for 50 has_window "Info" || fail "Info did not open from the menu"
echo "Info window open"
xdotool key Return
wait_for 50 has_no_window "Info" || fail "Enter did not close the Info window"

choose_menu "$main" 72 -12
wait_for 50 has_window "Fuses" || fail "Fuses did not open from the menu"
echo "fuse window open"
click_close_of "$(window_titled Fuses)"
wait_for 50 has_no_window "Fuses" || fail "the title bar did not close the fuse window"

choose_menu "$main" 145 13
wait_for 50 has_window "OK" || fail "the options window did not open from the menu"
echo "options window open"
click_close_of "$(window_titled OK)"
wait_for 50 has_no_window "OK" || fail "the title bar did not close the options window"

# "Senden" sits at client (600, 179 + 23), 80 x 22: the command group above the 419-pixel log.
geometry_of "$main"
click_at "$((X + 3 + 640))" "$((Y + HEIGHT - 3 - 419 - 57 + 23 + 11))"
wait_for 50 has_window "Fehler!" || fail "the empty command showed no message"
message=$(window_titled "Fehler!")
geometry_of "$message"
echo "message window ${WIDTH}x$HEIGHT"
[ "$WIDTH" -eq 278 ] && [ "$HEIGHT" -eq 175 ] || fail "message window is ${WIDTH}x$HEIGHT, not 272x169 inside its border"
xdotool key Return
wait_for 50 has_no_window "Fehler!" || fail "Enter did not dismiss the message"
echo "message dismissed with Enter"

click_close_of "$main"
await_program_end "the program did not end after its title bar's close button"
[ "$code" -eq 0 ] || fail "exit code $code"

# Qt's font notes are the only stderr output allowed.
if grep -v -i -E "font|fontconfig" "$work/stderr" | grep -q .; then
  fail "unexpected stderr output"
fi
echo "PASS"
