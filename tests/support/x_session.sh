# Sourced by the tests that drive the real program on an X server of their own. Skips the test
# (exit 77) without Xvfb or xdotool. Gives a scratch folder $work, fail and wait_for, start_xvfb,
# which starts Xvfb on a free display and exports DISPLAY, and helpers that find, measure and click
# the program's windows. Xvfb, the program (its PID set in $program_pid) and every PID added to
# $helper_pids are ended by their PID when the script exits; a program whose stderr goes to
# $work/stderr has it shown by fail.
# Their tests hold the ctest resource lock x_session: one session at a time, so that the timing of
# the slow ones (a tool tip's ten seconds, the accessibility bus) does not depend on the others.
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
# The program's per-user settings stay in the scratch folder, away from the tester's own.
export XDG_CONFIG_HOME="$work/config"
xvfb_pid=""
program_pid=""
helper_pids=()
# Ends a process we started and reaps it: asked first, then, after five seconds, forced.
end_started() {
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
cleanup() {
  [ -n "$program_pid" ] && end_started "$program_pid"
  for pid in "${helper_pids[@]}"; do end_started "$pid"; done
  [ -n "$xvfb_pid" ] && end_started "$xvfb_pid"
  # A test may have taken write permission away to play an installation that is not the user's.
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$work/stderr" ] && { echo "--- program stderr:"; cat "$work/stderr"; }
  [ -s "$work/xvfb.log" ] && { echo "--- Xvfb:"; tail -n 20 "$work/xvfb.log"; }
  exit 1
}

# Waits up to ten seconds for the program to end by itself, and sets `code` to its exit code;
# fails with the message otherwise.
await_program_end() {
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program_pid" 2>/dev/null && fail "$1"
  wait "$program_pid"; code=$?; program_pid=""
}

# Waits up to $1 tenths of a second for the command to succeed.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# Sessions side by side on this machine may not see each other's processes: an X server takes
# the lock file of a server it cannot see for a stale one and starts on its display, and the two
# break each other's sockets. So each session's server gets a random display number far from the
# usual ones, and another one when that number is taken or the server does not answer.
# $1: the screen size, 1280x1024 unless given.
start_xvfb() {
  local number
  for _ in 1 2 3 4 5; do
    number=$((100 + RANDOM % 900))
    # -noreset: a server that resets when its last client leaves (our probe, between two steps)
    # refuses the next connection while it does.
    Xvfb ":$number" -screen 0 "${1:-1280x1024}x24" -nolisten tcp -noreset 2>"$work/xvfb.log" &
    xvfb_pid=$!
    export DISPLAY=":$number"
    wait_for 100 answers_or_gone && kill -0 "$xvfb_pid" 2>/dev/null && break
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || fail "Xvfb did not start"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  echo "display $DISPLAY"
}
answers_or_gone() { xprop -root >/dev/null 2>&1 || ! kill -0 "$xvfb_pid" 2>/dev/null; }

# Starts openbox on the display and waits until it manages windows. On a loaded machine a fresh
# server sometimes turns openbox's first connection away while it answers others: openbox is
# started again then.
start_openbox() {
  for _ in 1 2 3; do
    HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
    helper_pids+=($!)
    # The client list is the last thing openbox sets up before it manages windows.
    wait_for 100 eval 'xprop -root _NET_CLIENT_LIST | grep -q "window id"' && return 0
  done
  fail "openbox did not start: $(cat "$work/openbox.log")"
}

# The id of the visible window whose title starts with $1 (the platform may append the program's name).
window_titled() { xdotool search --onlyvisible --name "^$1( — Quillon)?\$" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window_titled "$1")" ]; }
has_no_window() { [ -z "$(window_titled "$1")" ]; }

# Sets X Y W H of a window.
geometry_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

visible_windows() { xdotool search --onlyvisible --name "" 2>/dev/null | sort; }

click_at() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click 1; }

# Clicks the point ($2, $3) of window $1's client area, the area inside the 3-pixel border band
# in which the title bar and the controls lie.
click_in() { geometry_of "$1"; click_at "$((X + 3 + $2))" "$((Y + 3 + $3))"; }

# The title bar's close button is 12 pixels left of the client's right edge, 9 below its top.
click_close_of() {
  geometry_of "$1"
  click_at "$((X + WIDTH - 3 - 12))" "$((Y + 3 + 9))"
}

# Opens the top-level menu whose caption starts $1 pixels right of the client's left edge and
# clicks the item $2 pixels below the menu's top (or above its bottom when negative).
choose_menu() {
  local main=$1 menu_x=$2 item_y=$3
  geometry_of "$main"
  local mx=$X my=$Y
  local before; before=$(visible_windows)
  click_at "$((mx + 3 + menu_x))" "$((my + 3 + 20 + 11))"
  local popup=""
  for _ in $(seq 30); do
    popup=$(comm -13 <(echo "$before") <(visible_windows) | head -n1)
    [ -n "$popup" ] && break
    sleep 0.1
  done
  [ -n "$popup" ] || fail "menu at $menu_x did not open"
  geometry_of "$popup"
  if [ "$item_y" -lt 0 ]; then click_at "$((X + 30))" "$((Y + HEIGHT + item_y))"
  else click_at "$((X + 30))" "$((Y + item_y))"; fi
}
