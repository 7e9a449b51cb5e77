# Sourced by the tests that use the installed package as a user does. Unpacks the package from
# $1 into a scratch root that the user cannot write, starts the simulated programmer from $2 on
# $sim/tty (an m8 with lfuse 0xA4, hfuse 0xC9), writes a 16-byte HEX file $hex, and starts Xvfb
# (1024x600: lower than the main window) with openbox. Gives as_user (a command prefix that runs as
# the user: nobody when run as root) and helpers that ask the window manager.
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

start_xvfb 1024x600
start_openbox
export XDG_RUNTIME_DIR="$home/runtime"

# Input is kept away from the windows while avrdude runs: wait for the run a key or click started
# (it may also have ended unseen) and for its end.
runs_done() { [ -z "$(pgrep -P "$program_pid")" ]; }
await_run() { wait_for 100 eval '! runs_done'; wait_for 600 runs_done || fail "$1 did not end"; }
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //'; }
wm_state() { xprop -id "$1" WM_STATE | sed -n 's/.*window state: //p'; }
stacked_last() { printf '%d' "$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')"; }
active() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}')"; }
transient_for() { printf '%d' "$(xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')" 2>/dev/null; }
# The windows of the program that a task list (libwnck's rule: a dialog transient for a window
# of its program has no entry of its own) shows, one name a line.
task_list() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/desktop_probe.py" tasks "$program_pid"; }
# A window the window manager keeps above the main window, in the task list under the main one.
expect_with_main() {
  local window=$1 name=$2
  [ "$(transient_for "$window")" = "$main" ] || fail "the $name window is not transient for the main window: $(xprop -id "$window" WM_TRANSIENT_FOR)"
  xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG || fail "the $name window is no dialog: $(xprop -id "$window" _NET_WM_WINDOW_TYPE)"
  [ "$(task_list)" = "Tessaly Quillon for AVRDude" ] || fail "task list with the $name window open: $(task_list | tr '\n' ',')"
}
