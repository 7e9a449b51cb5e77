#!/usr/bin/env bash
# The installed package in a normal user's desktop session. The package from $1 is unpacked into a
# scratch root that the user cannot write; then, as that user (nobody, when run as root), on Xvfb
# with openbox and with the real avrdude against the simulated programmer from $2: program flash
# from a HEX file through the command-line start, read the fuses and write one bit changed (a clock
# bit, so confirmed in the question that comes first), save a new avrdude path in the options, quit,
# start again and program through the saved path. On the way: the window manager's own behaviour
# with our frameless windows, which keeps the other windows above the main window and out of the
# task list. Every wait is bounded.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/installed_session.sh"

start_quillon() {
  "${as_user[@]}" env QT_QPA_PLATFORM=xcb "$root/usr/bin/quillon" m8 avr910 "$sim/tty" "$hex" >"$work/stdout" 2>"$work/stderr" &
  program_pid=$!
  wait_for 300 has_window "Extern-Prog" || fail "the command-line start showed no external window"
}

# 1. Program flash from the external window: Alt+P.
start_quillon
external_owner=$(transient_for "$(window_titled Extern-Prog)")
xdotool windowactivate --sync "$(window_titled Extern-Prog)" key alt+p
wait_for 600 flash_starts_with_program || fail "flash was not programmed"
echo "flash programmed"
wait_for 100 has_window "Tessaly Quillon for AVRDude" || fail "no main window after programming"
main=$(window_titled "Tessaly Quillon for AVRDude")
geometry_of "$main"
[ "$HEIGHT" -gt 600 ] && [ "$Y" -ge 0 ] || fail "main window ${HEIGHT} high at y $Y: its title bar is off the screen"
[ "$(frame_extents "$main")" = "0, 0, 0, 0" ] || fail "the window manager decorates the main window: $(frame_extents "$main")"
xprop -id "$main" WM_CLASS | grep -q '"Quillon"' || fail "window class: $(xprop -id "$main" WM_CLASS)"
xprop -id "$main" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "no window icon"
[ "$external_owner" = "$main" ] || fail "the external window was transient for $external_owner, not the main window $main"

# 2. Fuses: read, change low fuse bit 0, write. Clicking the log first puts the main window in front.
choose_menu "$main" 72 -12
wait_for 50 has_window "Fuses" || fail "Fuses did not open"
fuses=$(window_titled Fuses)
[ "$(frame_extents "$fuses")" = "0, 0, 0, 0" ] || fail "the window manager decorates the fuse window"
expect_with_main "$fuses" fuse
click_in "$main" 40 400
wait_for 100 eval '[ "$(active)" = "$main" ]' || fail "clicking the main window did not activate it"
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
above_main=$(for id in $stacking; do printf '%d\n' "$id"; done | sed -n "/^$main\$/,\$p")
grep -qx "$fuses" <<<"$above_main" || fail "clicking the main window put it over the fuse window: $stacking"
echo "the fuse window stays above the active main window"
choose_menu "$main" 72 -12
wait_for 100 eval '[ "$(active)" = "$fuses" ]' || fail "choosing Fuses did not activate the open fuse window"
[ "$(printf '%d' "$(stacked_last)")" = "$fuses" ] || fail "choosing Fuses did not raise the fuse window"
echo "Fuses raised"
click_in "$fuses" 56 349                 # Lesen
await_run "reading the fuses"
click_in "$fuses" 22 110                 # low fuse bit 0: CKSEL0, a clock change
click_in "$fuses" 144 349                # Schreiben
wait_for 100 has_window "Fuses schreiben" || fail "no question before writing a clock change"
question=$(window_titled "Fuses schreiben")
# Enter, pressed and released as separate events, cancels: "Abbrechen" has the focus.
wait_for 50 eval '[ "$(active)" = "$question" ]' || fail "the question did not take the focus"
xdotool keydown Return; sleep 0.1; xdotool keyup Return
wait_for 50 has_no_window "Fuses schreiben" || fail "Enter did not answer the question"
runs_done && grep -q 'lfuse=0xA4' "$sim/state/fuses.txt" || fail "Enter on the question wrote: $(tr '\n' ' ' <"$sim/state/fuses.txt")"
click_in "$fuses" 144 349                # Schreiben again, confirmed with the mouse
wait_for 100 has_window "Fuses schreiben" || fail "no question the second time"
question=$(window_titled "Fuses schreiben")
geometry_of "$question"                  # its right button, "Schreiben", 24 from the right, 20 from the bottom
click_at $((X + WIDTH - 3 - 24 - 36)) $((Y + HEIGHT - 3 - 20 - 12))
wait_for 300 grep -q 'lfuse=0xA5' "$sim/state/fuses.txt" || fail "fuses on the chip: $(tr '\n' ' ' <"$sim/state/fuses.txt")"
grep -q 'hfuse=0xC9' "$sim/state/fuses.txt" || fail "high fuse changed: $(tr '\n' ' ' <"$sim/state/fuses.txt")"
echo "fuses read and written"

# Drag the fuse window by its caption; Alt+F4 closes it like its title bar's close button.
geometry_of "$fuses"; x0=$X; y0=$Y
xdotool mousemove $((X + 150)) $((Y + 10)); sleep 0.2; xdotool mousedown 1; sleep 0.2
for step in 1 2 3 4; do xdotool mousemove $((x0 + 150 - 10 * step)) $((y0 + 10 + 5 * step)); sleep 0.1; done
xdotool mouseup 1; sleep 0.3
geometry_of "$fuses"
[ "$X" -eq $((x0 - 40)) ] && [ "$Y" -eq $((y0 + 20)) ] || fail "caption drag moved the fuse window to $X,$Y from $x0,$y0"
xdotool windowactivate --sync "$fuses" key alt+F4
wait_for 50 has_no_window "Fuses" || fail "Alt+F4 did not close the fuse window"
echo "fuse window dragged and closed"

# 3. Save a new avrdude path: a wrapper of the user's that notes each run.
wrapper="$home/bin/avrdude-mit-protokoll"
mkdir -p "$home/bin"
printf '#!/bin/sh\necho "$@" >>"%s"\nexec /usr/bin/avrdude "$@"\n' "$home/runs.txt" >"$wrapper"
chmod 755 "$wrapper"; chown -R --reference="$home" "$home/bin"
choose_menu "$main" 145 13
wait_for 50 has_window "OK" || fail "the options window did not open"
options=$(window_titled OK)
expect_with_main "$options" options
click_in "$options" 100 72
xdotool key ctrl+a type "$wrapper"
click_in "$options" 365 190               # Speichern
wait_for 50 has_no_window "OK" || fail "saving did not close the options window"
[ "$(head -n1 "$home/.config/quillon/options.ini" | tr -d '\r')" = "$wrapper" ] || fail "the user's options.ini holds: $(cat "$home/.config/quillon/options.ini" 2>&1)"
echo "new path saved in the user's settings"
# The menu entry the options came from is filled no longer: the pointer left it for the item.
geometry_of "$main"
filled=$(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/desktop_probe.py" pixels 444AA0 $((X + 3)) $((Y + 3 + 20)) 300 22)
[ "$filled" -eq 0 ] || fail "a menu-bar entry stays filled after its drop-down closed ($filled pixels)"

# 4. Minimize iconifies; Alt+F4 on the main window ends the program like its title bar's close.
geometry_of "$main"
click_at $((X + WIDTH - 3 - 30)) $((Y + 3 + 9))
wait_for 50 eval '[ "$(wm_state "$main")" = Iconic ]' || fail "the minimize button did not iconify: $(wm_state "$main")"
xdotool windowactivate --sync "$main" key alt+F4
wait_for 100 runs_done
await_program_end "the program did not end after Alt+F4"
[ "$code" -eq 0 ] || fail "exit code $code after Alt+F4"
echo "minimized, then ended by Alt+F4"

# 5. Started again, Quillon programs through the saved path.
rm -f "$sim/state/flash.bin"
start_quillon
xdotool windowactivate --sync "$(window_titled Extern-Prog)" key alt+p
wait_for 600 flash_starts_with_program || fail "flash was not programmed after the restart"
grep -q "avr910" "$home/runs.txt" 2>/dev/null || fail "the saved avrdude path was not used"
echo "the restarted program ran the saved path"
echo "PASS"
