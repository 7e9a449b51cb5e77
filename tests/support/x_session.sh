# Sourced by the tests that drive the real program on an X server of their own. Skips the test
# (exit 77) without Xvfb or xdotool. Gives a scratch folder $work, fail and wait_for, and
# start_xvfb, which starts Xvfb on a free display and exports DISPLAY. Xvfb and the program (its
# PID set in $program_pid) are ended by their PID when the script exits; a program whose stderr
# goes to $work/stderr has it shown by fail.
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
# The program's per-user settings stay in the scratch folder, away from the tester's own.
export XDG_CONFIG_HOME="$work/config"
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; [ -f "$work/stderr" ] && { echo "--- program stderr:"; cat "$work/stderr"; }; exit 1; }

# Waits up to $1 tenths of a second for the command to succeed.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# Xvfb picks the free display itself, so that tests running side by side do not race for one.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/display")"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  echo "display $DISPLAY"
}
