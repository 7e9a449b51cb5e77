"""A key's release acts only where its press went: nothing else may flip a fuse bit.

Keyboard only, under openbox, each key's press and release sent as separate events, with the
real avrdude (called through a stand-in that notes its arguments) against the simulated
programmer. The fuse window opens with CKSEL0 focused; the user reads the chip and programs BODEN
with the space bar. Then three presses of Enter go elsewhere while their releases reach CKSEL0:
the one that closes an error box (a read that cannot make its transfer folder), the one on the
tool bar's "Fuses" and the one on the Command menu's "Fuses" (each opening the fuse window). The
bits and values must stay as they were, and "Schreiben" must send them to the chip.
Usage: stray_key_release.py PROGRAM AVR910SIM
"""
import os
import re
import shutil
import sys
import time

import pyatspi

from atspi_session import Failure, Program, run, find, wait_for, walk
from chip_session import (MAIN, Simulator, active_window, checked, chord, key_down, key_up, require, tap,
                          use_avrdude)

PROGRAM, SIMULATOR = sys.argv[1], sys.argv[2]
CHIP = {"lfuse": 0xE2, "hfuse": 0xD9}
# BODEN, bit 6 of the low fuse, programmed by the user: 0xE2 becomes 0xA2.
CHOSEN_LOW = 0xA2
# How long a stray release is given to do its harm before the window is read again.
SETTLE_SECONDS = 1.0


def values(fuses):
    """The three numbers under the fuse groups, low, high, extended, read as "LowFuse 226"."""
    found = []
    for node, _ in walk(fuses):
        value = re.fullmatch(r"\w+Fuse (\d+)", node.name or "") if node.getRoleName() == "label" else None
        if value:
            found.append(int(value.group(1)))
    return found


def bit(fuses, name):
    return find(fuses, "check box", name)


def hold_enter_until(what, condition):
    """Presses Enter, keeps it down until the press has done its work, then lets it go."""
    key_down("Return")
    try:
        wait_for(what, condition)
    finally:
        key_up("Return")
    time.sleep(SETTLE_SECONDS)


def session():
    work = os.getcwd()
    runs = os.path.join(work, "avrdude-runs.txt")
    use_avrdude(PROGRAM, f'echo "$@" >>"{runs}"\nexec /usr/bin/avrdude "$@"\n')
    sim = Simulator(SIMULATOR, work, CHIP)
    # The fuse read makes its transfer folder in here; a file in its place makes the next read
    # fail with an error box before avrdude starts.
    transfer = os.path.join(work, "transfer")
    os.mkdir(transfer, 0o700)
    environment = dict(os.environ)
    os.environ.update(TMPDIR=transfer, XDG_RUNTIME_DIR=transfer)
    program = Program(PROGRAM, ["m8", "avr910", sim.port, os.path.join(work, "firmware.hex")])
    os.environ.clear()
    os.environ.update(environment)
    try:
        program.window("Extern-Prog")
        wait_for("the external window to be active", lambda: active_window() == "Extern-Prog")
        chord("alt", "a")
        program.gone("Extern-Prog")
        main = program.window(MAIN)
        wait_for("the main window to be active", lambda: active_window() == MAIN)

        # Tab to the tool bar's "Fuses" and press it with the space bar.
        fuses_button = find(main, "push button", "Fuses")
        fuses_button.queryComponent().grabFocus()
        wait_for('"Fuses" focused', lambda: fuses_button.getState().contains(pyatspi.STATE_FOCUSED))
        tap("space")
        fuses = program.window("Fuses")
        wait_for("the fuse window to be active", lambda: active_window() == "Fuses")
        cksel0 = bit(fuses, "CKSEL0")
        require(cksel0.getState().contains(pyatspi.STATE_FOCUSED), "CKSEL0 is not focused in the new fuse window")

        chord("alt", "l")
        read = [CHIP["lfuse"], CHIP["hfuse"], 0xFF]
        wait_for(f"the read to show {read}", lambda: values(fuses) == read, 60)
        boden = bit(fuses, "BODEN")
        boden.queryComponent().grabFocus()
        wait_for("BODEN focused", lambda: boden.getState().contains(pyatspi.STATE_FOCUSED))
        tap("space")
        chosen = [CHOSEN_LOW, CHIP["hfuse"], 0xFF]
        wait_for("the space bar to program BODEN", lambda: values(fuses) == chosen)
        cksel0.queryComponent().grabFocus()
        wait_for("CKSEL0 focused again", lambda: cksel0.getState().contains(pyatspi.STATE_FOCUSED))
        print(f"read {read}, BODEN programmed by the space bar: {chosen}")

        harmed = []

        def route(name, enter_goes_elsewhere):
            """Runs one route and notes what it changed."""
            before = (values(fuses), checked(cksel0))
            enter_goes_elsewhere()
            after = (values(fuses), checked(cksel0))
            if after != before:
                harmed.append(f"{name}: {before[0]} -> {after[0]}")
            print(f"{name}: {after[0]}")

        def close_error_box():
            shutil.rmtree(transfer)
            open(transfer, "w").close()
            chord("alt", "l")
            program.window("Quillon")
            wait_for("the error box to be active", lambda: active_window() == "Quillon")
            hold_enter_until("Enter to close the error box", lambda: active_window() == "Fuses")

        def reopen_with_enter(select):
            def enter():
                chord("alt", "a")
                program.gone("Fuses")
                wait_for("the main window to be active", lambda: active_window() == MAIN)
                select()
                hold_enter_until("Enter to open the fuse window", lambda: active_window() == "Fuses")
            return enter

        def focus_tool_bar_button():
            fuses_button.queryComponent().grabFocus()
            wait_for('"Fuses" focused', lambda: fuses_button.getState().contains(pyatspi.STATE_FOCUSED))

        def select_in_command_menu():
            entry = find(main, "menu item", "Command")
            chord("alt", "c")
            popup = wait_for('the "Command" menu', lambda: find(entry, "popup menu", "Command"))
            tap("Up")
            wait_for('"Fuses" selected', lambda: any(
                item.name == "Fuses" and item.getState().contains(pyatspi.STATE_SELECTED) for item in popup))

        route("Enter closing the error box", close_error_box)
        route('Enter on the tool bar\'s "Fuses"', reopen_with_enter(focus_tool_bar_button))
        route('Enter on the Command menu\'s "Fuses"', reopen_with_enter(select_in_command_menu))
        if harmed:
            raise Failure("a key release changed the fuse bits: " + "; ".join(harmed))

        chord("alt", "s")
        wait_for("the write to reach the chip", lambda: sim.fuses().get("lfuse") == CHOSEN_LOW, 60)
        with open(runs) as noted:
            writes = [line for line in noted if "lfuse:w" in line]
        require(len(writes) == 1, f"{len(writes)} writes: {writes}")
        require(f"-U lfuse:w:0x{CHOSEN_LOW:X}:m" in writes[0] and f"-U hfuse:w:0x{CHIP['hfuse']:X}:m" in writes[0],
                f"the write sent {writes[0].strip()}")
        require(sim.fuses().get("hfuse") == CHIP["hfuse"], f"the chip holds {sim.fuses()}")
        print(f"written: {writes[0].strip()}")
    finally:
        program.end()
        sim.end()


if __name__ == "__main__":
    sys.exit(run(session))
