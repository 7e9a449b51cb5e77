#!/usr/bin/env bash
# A tool tip that expires while avrdude programs must not end the run: the pointer rests on the
# external window's "Fuses" button until its tip shows, Alt+P starts programming the simulated
# chip with the real avrdude, the tip closes by itself halfway through, and the chip must still
# end up holding the whole file. Every wait is bounded.
set -u
program=$1
sim=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
command -v avrdude >/dev/null || { echo "SKIP: avrdude is not installed"; exit 77; }

# The program beside a settings file of its own, as an installed Quillon has it.
mkdir "$work/quillon"
cp "$program" "$work/quillon/quillon"
printf '/usr/bin/avrdude\r\n' >"$work/quillon/options.ini"

# 8 KiB of flash, byte by byte over a line of 9600 baud: about twenty seconds of avrdude, twice
# the ten seconds a tool tip stays.
head -c 8192 /dev/urandom >"$work/firmware.bin"
objcopy -I binary -O ihex "$work/firmware.bin" "$work/firmware.hex" || fail "objcopy made no HEX file"
"$sim" --port-link "$work/port" --state "$work/chip" --part m8 --baud 9600 --ignore-stdin \
  </dev/null >"$work/sim.log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; cleanup' EXIT
wait_for 100 grep -q ready "$work/sim.log" || fail "the simulated programmer did not start"

start_xvfb
QT_QPA_PLATFORM=xcb "$work/quillon/quillon" m8 avr910 "$work/port" "$work/firmware.hex" \
  >"$work/stdout" 2>"$work/stderr" &
program_pid=$!
wait_for 150 xdotool search --onlyvisible --name '^Extern-Prog$' || fail "no external window"
window=$(xdotool search --onlyvisible --name '^Extern-Prog$' | head -n1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

visible_windows() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | sort; }
before=$(visible_windows)
# The middle of the Fuses button, at the end of the file row.
xdotool mousemove "$((X + 225))" "$((Y + 149))"
tip_shown() { [ -n "$(comm -13 <(echo "$before") <(visible_windows))" ]; }
wait_for 50 tip_shown || fail "no tool tip over the Fuses button"
tip=$(comm -13 <(echo "$before") <(visible_windows) | head -n1)
echo "tool tip window $tip"

xdotool key alt+p
tip_gone() { ! visible_windows | grep -qx "$tip"; }
wait_for 200 tip_gone || fail "the tool tip did not close by itself"
xdotool search --onlyvisible --name '^Extern-Prog$' >/dev/null || fail "the run ended when the tool tip closed"
echo "the tool tip closed while avrdude was running"

external_closed() { ! xdotool search --onlyvisible --name '^Extern-Prog$'; }
wait_for 900 external_closed || fail "the run did not end"
cmp -n 8192 "$work/firmware.bin" "$work/chip/flash.bin" || fail "the chip does not hold the whole file: the run was cut short"
echo "PASS"
