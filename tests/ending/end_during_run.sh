#!/usr/bin/env bash
# Quillon told to end while avrdude writes 8 KiB of flash into the simulated chip from the
# external window: by SIGTERM, SIGINT or SIGHUP, or by its X server going away. The write must
# finish and leave the whole file in the chip, standard error must say what ran and how it ended,
# and then Quillon must end. A second SIGTERM stops the write as Escape does instead.
#   end_during_run.sh QUILLON AVR910SIM CASE   (CASE: TERM, INT, HUP, display, TERM-twice)
set -u
program=$1
sim=$2
case=$3
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
command -v avrdude >/dev/null || { echo "SKIP: avrdude is not installed"; exit 77; }

mkdir "$work/quillon"
cp "$program" "$work/quillon/quillon"
printf '/usr/bin/avrdude\r\n' >"$work/quillon/options.ini"

# 8 KiB byte by byte at 19200 baud: about ten seconds of avrdude.
head -c 8192 /dev/urandom >"$work/firmware.bin"
objcopy -I binary -O ihex "$work/firmware.bin" "$work/firmware.hex" || fail "objcopy made no HEX file"
"$sim" --port-link "$work/port" --state "$work/chip" --part m8 --baud 19200 --ignore-stdin \
  </dev/null >"$work/sim.log" 2>&1 &
helper_pids+=($!)
wait_for 100 grep -q ready "$work/sim.log" || fail "the simulated programmer did not start"

start_xvfb
# A shell's background job ignores SIGINT; a program started from the desktop does not.
QT_QPA_PLATFORM=xcb env --default-signal=INT "$work/quillon/quillon" m8 avr910 "$work/port" "$work/firmware.hex" \
  >"$work/stdout" 2>"$work/stderr" &
program_pid=$!
wait_for 150 xdotool search --onlyvisible --name '^Extern-Prog$' || fail "no external window"
sleep 0.5
xdotool key alt+p

# Once avrdude writes its progress bar, the write is under way.
avrdude_pid() { pgrep -P "$program_pid" -x avrdude; }
wait_for 100 avrdude_pid || fail "avrdude did not start"
child=$(avrdude_pid)
sleep 1.5
case $case in
  TERM|INT|HUP) kill -"$case" "$program_pid" ;;
  TERM-twice) kill -TERM "$program_pid"; sleep 0.3; kill -TERM "$program_pid" ;;
  display) kill "$xvfb_pid"; wait "$xvfb_pid" 2>/dev/null; xvfb_pid="" ;;
esac
ended_at=$(date +%s.%N)

# The program ends after avrdude, within the write's time, by the signal it was sent.
for _ in $(seq 600); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "Quillon did not end within a minute"
wait "$program_pid"; code=$?; program_pid=""
echo "Quillon ended $(echo "$(date +%s.%N) - $ended_at" | bc) s after the $case, exit code $code"
echo "--- standard error:"; cat "$work/stderr"
avrdude_left=""
kill -0 "$child" 2>/dev/null && avrdude_left=yes

# The simulator stores the chip at the end of each run, or once the line is quiet after one
# that broke off.
for _ in $(seq 300); do kill -0 "$child" 2>/dev/null || break; sleep 0.1; done
sleep 1
right=$(cmp -l "$work/firmware.bin" "$work/chip/flash.bin" 2>/dev/null | wc -l)
right=$((8192 - right))
echo "bytes right: $right of 8192"
[ -z "$avrdude_left" ] || fail "avrdude still ran when Quillon ended"
grep -q 'Befehl: .*avrdude.*flash:w:' "$work/stderr" || fail "standard error does not say what ran"
case $case in
  TERM-twice)
    grep -q 'Befehl beendet: Return-Code des Programms: 143 (abgebrochen)' "$work/stderr" ||
      fail "standard error does not say that the write was stopped"
    [ "$code" -eq $((128 + 15)) ] || fail "exit code $code, not the SIGTERM's"
    [ "$right" -lt 8192 ] || fail "the stopped write still finished" ;;
  *)
    grep -q 'Befehl beendet: Return-Code des Programms: 0$' "$work/stderr" ||
      fail "standard error does not say that the write ended well"
    [ "$right" -eq 8192 ] || fail "the chip does not hold the whole file: the write was cut short"
    case $case in
      TERM) [ "$code" -eq 143 ] || fail "exit code $code, not the SIGTERM's" ;;
      INT) [ "$code" -eq 130 ] || fail "exit code $code, not the SIGINT's" ;;
      HUP) [ "$code" -eq 129 ] || fail "exit code $code, not the SIGHUP's" ;;
    esac ;;
esac
echo "PASS"
