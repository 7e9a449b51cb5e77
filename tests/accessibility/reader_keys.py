"""The keyboard with a screen reader that answers every key late, never, or with an error: the
same keys reach the same controls as without one. Typed text lands whole in the field, a menu's
letter drops its menu (and is no text), Enter opens and closes the Info window once each, and the
main window keeps the keyboard after it. The stand-in must have been told of the keys, and Qt's
bridge must never have held one back for it (it says so on standard error when an answer fails).
Usage: reader_keys.py PROGRAM
"""
import os
import subprocess
import sys

import pyatspi

from atspi_session import Failure, Program, end_process, find, run, wait_for
from chip_session import text_of
from keyboard_tour import described, focus_after, focused, key

PROGRAM = sys.argv[1]
HERE = os.path.dirname(os.path.abspath(__file__))
MAIN = "Tessaly Quillon for AVRDude"
# Tab from the first control of the main window to the port box.
TABS_TO_PORT = 7


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "50", text], check=True, timeout=20)


def active(window):
    return window.getState().contains(pyatspi.STATE_ACTIVE)


def port_text_becomes(main, text):
    port = wait_for("the focus on the port box", lambda: (lambda f: f if f is not None and f.name == "Port" else None)(
        focused(main)))
    # The box holds the focus for its editor, whose text it shows.
    port = port if port.getRoleName() == "text" else find(port, "text", "Port")
    wait_for(f'the port box to read "{text}"', lambda: text_of(port) == text)


def keyboard_session(program):
    main = program.window(MAIN)
    now = wait_for("a focused control in the main window", lambda: focused(main))
    for _ in range(TABS_TO_PORT):
        now = focus_after(main, ["Tab"], now)
    if described(now) != "Port":
        raise Failure(f"Tab ends on {described(now)}, not on the port box")
    key("ctrl+a")
    typed("com1")
    port_text_becomes(main, "com1")

    command = find(main, "menu item", "Command")
    key("alt+c")
    wait_for('Alt+C to drop down "Command"', lambda: find(command, "popup menu", "Command"))
    key("Escape")
    wait_for("Escape to close the menu", lambda: find(command, "popup menu") is None)
    port_text_becomes(main, "com1")

    key("alt+i")
    info_entry = find(main, "menu item", "Info")
    wait_for('Alt+I to drop down "Info"', lambda: find(info_entry, "popup menu", "Info"))
    key("Return")
    info = program.window("Info")
    wait_for("the Info window to take the keyboard", lambda: active(info))
    key("Return")
    program.gone("Info")
    wait_for("the main window to take the keyboard back", lambda: active(main))
    typed("2")
    port_text_becomes(main, "com12")


def with_reader(mode):
    def session():
        count_file = os.path.abspath(f"reader-{mode}.count")
        reader = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "stand_in_reader.py"), mode, count_file],
                                  stdout=subprocess.PIPE, text=True)
        try:
            if reader.stdout.readline().strip() != "listening":
                raise Failure(f"the stand-in reader ({mode}) did not start")
            with open(f"program-{mode}.stderr", "w+") as stderr:
                program = Program(PROGRAM, stderr=stderr)
                try:
                    keyboard_session(program)
                finally:
                    program.end()
                stderr.seek(0)
                # Qt's bridge tells of each key it held for the reader and then lost track of.
                astray = [line for line in stderr if "QSpiApplication" in line]
                if astray:
                    raise Failure(f"Qt's bridge held keys for the reader ({mode}): {len(astray)} times {astray[0]!r}")
        finally:
            end_process(reader)
        told = int(open(count_file).read()) if os.path.exists(count_file) else 0
        # The registry passes the keys on one at a time, waiting for each answer as long as it
        # takes: a slow reader hears of the first keys only while the session lasts.
        if told == 0:
            raise Failure(f"the stand-in reader ({mode}) was told of no key")
        print(f"reader answering {mode}: the keys reached their controls; it was told of {told} key events")
    return session


if __name__ == "__main__":
    sys.exit(run(*(with_reader(mode) for mode in sys.argv[2:] or ("late", "never", "error"))))
