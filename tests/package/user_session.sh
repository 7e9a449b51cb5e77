#!/usr/bin/env bash
# The installed package in a normal user's desktop session. The package from $1 is unpacked into a
# scratch root that the user cannot write; then, as that user (nobody, when run as root), on Xvfb
# with openbox and with the real avrdude against the simulated programmer from $2: program flash
# from a HEX file through the command-line start, read the fuses and write one bit changed (a clock
# bit, so confirmed in the question that comes first), save a new avrdude path in the options, quit,
# start again and program through the saved path. On the way: the window manager's own behaviour
# with our frameless windows. Every wait is bounded.
set -u
deb_dir=$1 tools=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
for tool in openbox xprop setpriv; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
deb=$(ls "$deb_dir"/quillon_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no package in $deb_dir"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
home="$work/home"
sim="$home/sim"
mkdir -p "$home/.config" "$home/runtime" "$sim/state"
chmod 700 "$home/runtime"
printf 'lfuse=0xA4\nhfuse=0xC9\n' >"$sim/state/fuses.txt"
chmod 755 "$work"
# as_user runs a command as the user; it execs, so that $! is the command's own PID.
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody: "$home"
  as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --)
else
  # The owner of a folder without write permission cannot write into it either.
  chmod -R a-w "$root"
  as_user=(env)
fi
export HOME="$home" XDG_CONFIG_HOME="$home/.config"
"${as_user[@]}" test -w "$root/usr/lib/quillon" && fail "the user may write the installation"

"${as_user[@]}" "$tools/avr910sim" --port-link "$sim/tty" --state "$sim/state" --part m8 --ignore-stdin \
  >"$sim/ready" 2>"$sim/log" </dev/null &
helper_pids+=($!)
wait_for 100 grep -q ready "$sim/ready" || fail "avr910sim did not start: $(cat "$sim/log")"

# 16 bytes at address 0 in Intel-HEX, the checksum computed.
bytes=(12 34 56 78 9A BC DE F0 0F 1E 2D 3C 4B 5A 69 78)
sum=$((0x10))
for b in "${bytes[@]}"; do sum=$((sum + 0x$b)); done
hex="$home/programm.hex"
printf ':10000000%s%02X\n:00000001FF\n' "$(IFS=; echo "${bytes[*]}")" "$(((256 - sum % 256) % 256))" >"$hex"
chown --reference="$home" "$hex"
flash_starts_with_program() { [ "$(od -An -tx1 -N16 "$sim/state/flash.bin" | tr -d ' \n')" = "$(IFS=; echo "${bytes[*]}" | tr 'A-F' 'a-f')" ]; }

# The screen is lower than the main window, which must still show its title bar.
start_xvfb 1024x600
HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
helper_pids+=($!)
# The client list is the last thing openbox sets up before it manages windows.
wait_for 300 eval 'xprop -root _NET_CLIENT_LIST | grep -q "window id"' || fail "openbox did not start: $(cat "$work/openbox.log")"
export XDG_RUNTIME_DIR="$home/runtime"

start_quillon() {
  "${as_user[@]}" env QT_QPA_PLATFORM=xcb "$root/usr/bin/quillon" m8 avr910 "$sim/tty" "$hex" >"$work/stdout" 2>"$work/stderr" &
  program_pid=$!
  wait_for 300 has_window "Extern-Prog" || fail "the command-line start showed no external window"
}
# Input is kept away from the windows while avrdude runs: wait for the run a click started (it may
# also have ended unseen) and for its end.
runs_done() { [ -z "$(pgrep -P "$program_pid")" ]; }
await_run() { wait_for 100 eval '! runs_done'; wait_for 600 runs_done || fail "$1 did not end"; }
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //'; }
wm_state() { xprop -id "$1" WM_STATE | sed -n 's/.*window state: //p'; }
stacked_last() { xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}'; }
active() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}')"; }

# 1. Program flash from the external window: Alt+P.
start_quillon
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

# 2. Fuses: read, change low fuse bit 0, write. Clicking the log first puts the main window in front.
choose_menu "$main" 72 -12
wait_for 50 has_window "Fuses" || fail "Fuses did not open"
fuses=$(window_titled Fuses)
[ "$(frame_extents "$fuses")" = "0, 0, 0, 0" ] || fail "the window manager decorates the fuse window"
click_in "$main" 40 400
wait_for 100 eval '[ "$(active)" = "$main" ]' || fail "clicking the main window did not activate it"
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
click_in "$options" 100 72
xdotool key ctrl+a type "$wrapper"
click_in "$options" 365 190               # Speichern
wait_for 50 has_no_window "OK" || fail "saving did not close the options window"
[ "$(head -n1 "$home/.config/quillon/options.ini" | tr -d '\r')" = "$wrapper" ] || fail "the user's options.ini holds: $(cat "$home/.config/quillon/options.ini" 2>&1)"
echo "new path saved in the user's settings"

# 4. Minimize iconifies; Alt+F4 on the main window ends the program like its title bar's close.
geometry_of "$main"
click_at $((X + WIDTH - 3 - 30)) $((Y + 3 + 9))
wait_for 50 eval '[ "$(wm_state "$main")" = Iconic ]' || fail "the minimize button did not iconify: $(wm_state "$main")"
xdotool windowactivate --sync "$main" key alt+F4
wait_for 100 runs_done
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
wait "$program_pid"; code=$?; program_pid=""
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
