#!/usr/bin/env bash
# Starts its own Xvfb and the program, drags the main window by its caption and by its right and
# bottom border, and checks the window's geometry after each drag. Every wait is bounded.
set -u
program=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

start_xvfb

QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
program_pid=$!
wait_for 150 xdotool search --name "Tessaly Quillon for AVRDude" || { cat "$work/program.log"; fail "no main window"; }
window=$(xdotool search --name "Tessaly Quillon for AVRDude" | head -n1)
# Let the window be mapped and drawn before the pointer comes.
sleep 1.5

geometry() { eval "$(xdotool getwindowgeometry --shell "$window")"; echo "$X $Y $WIDTH $HEIGHT"; }
# Presses the left button at (x, y), moves by (dx, dy) in small steps, releases.
drag() {
  local x=$1 y=$2 dx=$3 dy=$4
  xdotool mousemove "$x" "$y"; sleep 0.2
  xdotool mousedown 1; sleep 0.2
  for step in 1 2 3 4; do
    xdotool mousemove "$((x + dx * step / 4))" "$((y + dy * step / 4))"; sleep 0.1
  done
  sleep 0.2; xdotool mouseup 1; sleep 0.3
}

read -r x y w h < <(geometry)
echo "start: $x $y ${w}x$h"

# Caption: a point in the title bar, right of the caption text and left of the buttons.
drag "$((x + w - 80))" "$((y + 10))" 60 40
read -r x2 y2 w2 h2 < <(geometry)
echo "after caption drag: $x2 $y2 ${w2}x$h2"
[ "$x2" -eq "$((x + 60))" ] && [ "$y2" -eq "$((y + 40))" ] || fail "caption drag moved the window to $x2,$y2, not $((x + 60)),$((y + 40))"
[ "$w2" -eq "$w" ] && [ "$h2" -eq "$h" ] || fail "caption drag changed the size"

# Right border, then the bottom-right corner.
drag "$((x2 + w2 - 2))" "$((y2 + h2 / 2))" 50 0
read -r x3 y3 w3 h3 < <(geometry)
echo "after right-border drag: $x3 $y3 ${w3}x$h3"
[ "$w3" -eq "$((w2 + 50))" ] && [ "$x3" -eq "$x2" ] && [ "$h3" -eq "$h2" ] || fail "right border drag gave $x3,$y3 ${w3}x$h3"

drag "$((x3 + w3 - 2))" "$((y3 + h3 - 2))" -30 -20
read -r x4 y4 w4 h4 < <(geometry)
echo "after corner drag: $x4 $y4 ${w4}x$h4"
[ "$w4" -eq "$((w3 - 30))" ] && [ "$h4" -eq "$((h3 - 20))" ] && [ "$x4" -eq "$x3" ] && [ "$y4" -eq "$y3" ] \
  || fail "corner drag gave $x4,$y4 ${w4}x$h4"

echo "PASS"
