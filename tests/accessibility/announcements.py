"""Hears Quillon's runs as a screen reader does: listens on the accessibility bus for the events
Orca speaks from, while the real avrdude runs against the simulated programmer, and (Orca being
installed) runs Orca itself and reads what it said from its log of speech.

Each kind of run (a free command that succeeds and one that fails, a fuse read, the external
window's write) must be announced exactly once, with its return-code line, and leave the focus
where it was; while the write lasts, the progress strip must read as a progress bar with its
value. Exits 0 on success, 1 with the reason on the first failure.
Usage: announcements.py PROGRAM SIMULATOR
"""
import fcntl
import os
import shutil
import subprocess
import sys
import tempfile
import time

from gi.repository import GLib
import pyatspi

from atspi_session import Failure, Program, run, act, end_process, find, wait_for, walk

PROGRAM, SIMULATOR = sys.argv[1], sys.argv[2]
WORK = os.getcwd()
PORT = os.path.join(WORK, "port")
RETURN_CODE = "Return-Code des Programms: "

# The events Orca listens to that can make it speak of an object that does not have the focus,
# and those it speaks only for the focused one.
SHOWING_ROLES = {"alert", "notification", "dialog", "info bar", "status bar", "tool tip"}
ANNOUNCING = ["object:state-changed:showing", "window:activate", "object:announcement"]
FOCUSED_ONLY = ["object:text-changed:insert", "object:property-change:accessible-name",
                "object:state-changed:focused"]


def pump(seconds, until=lambda: False):
    """Lets the bus deliver events for up to `seconds`, or until until() holds."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and not until():
        while context.iteration(False):
            pass
        time.sleep(0.02)


class Listener:
    """Keeps what a screen reader would speak of: (event type, role, the text it carries)."""

    def __init__(self):
        self.heard = []
        self.expected = []  # the return-code line of each run, in order
        for kind in ANNOUNCING + FOCUSED_ONLY:
            pyatspi.Registry.registerEventListener(self._on_event, kind)

    def _on_event(self, event):
        try:
            role, name, state = event.source.getRoleName(), event.source.name or "", event.source.getState()
        except Exception:  # gone before it could be read
            return
        kind = event.type
        if kind.startswith("object:state-changed:showing") and not (event.detail1 and role in SHOWING_ROLES):
            return
        if any(kind.startswith(only) for only in FOCUSED_ONLY) and not state.contains(pyatspi.STATE_FOCUSED):
            return
        if kind.startswith("object:state-changed:focused") and not event.detail1:
            return
        carried = event.any_data if isinstance(event.any_data, str) else ""
        self.heard.append((kind, role, f"{name} {carried}"))

    def announcements_of(self, line_start):
        return [heard for heard in self.heard if line_start in heard[2]]


class Orca:
    """Orca with its speech output off, so that it needs no speech server and no sound here; it
    still writes every utterance into its debug log, whole when it ends.

    Orca runs once per user on a machine (a second one refuses to start, and --replace would end
    another test's), so test sessions take turns through a lock file; one that gets no turn in
    time, or whose Orca does not last, hears the events alone."""

    LOCK = os.path.join(tempfile.gettempdir(), "quillon-orca-test.lock")

    def __init__(self, lock):
        self.lock = lock
        self.log = os.path.join(WORK, "orca.log")
        self.process = subprocess.Popen(
            ["orca", "--disable", "speech", "--user-prefs", os.path.join(WORK, "orca-prefs"), "--debug-file", self.log],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Its first lines are written as it starts; on a loaded machine that can take a while.
        wait_for("Orca to start", lambda: os.path.exists(self.log) and os.path.getsize(self.log) > 0
                 or self.process.poll() is not None, 90)
        time.sleep(3)

    def end(self):
        """Ends Orca; returns every utterance it spoke, or None when it had not lasted."""
        lasted = self.process.poll() is None
        end_process(self.process, 30)
        self.lock.close()
        if not lasted:
            print(f"Orca ended by itself (code {self.process.returncode}): the events alone")
            return None
        with open(self.log, encoding="utf-8", errors="replace") as log:
            return [line.split("SPEECH OUTPUT: ", 1)[1].rstrip() for line in log if "SPEECH OUTPUT: " in line]

    @staticmethod
    def start():
        """Orca, or None where it is not installed or another test holds it too long."""
        if not shutil.which("orca"):
            print("Orca is not installed: the events alone")
            return None
        os.makedirs(os.path.join(WORK, "orca-prefs"), exist_ok=True)
        lock = open(Orca.LOCK, "a")
        deadline = time.monotonic() + 45
        while True:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() > deadline:
                    lock.close()
                    print("Orca is busy with another test: the events alone")
                    return None
                time.sleep(0.5)
        print("Orca is running and speaks into its log")
        return Orca(lock)


def focused_place(app):
    for window in app:
        for node, _ in walk(window):
            if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRoleName() != "frame":
                return (window.name, node.getRoleName(), node.name, node.getIndexInParent())
    return None


def heard_once(listener, title, expected_line):
    """Waits for the run's announcement, then checks it came once, holding the expected line."""
    pump(60, lambda: listener.announcements_of(RETURN_CODE))
    pump(1.0)  # a second announcement would come right behind the first
    heard = listener.announcements_of(RETURN_CODE)
    if len(heard) != 1 or expected_line not in heard[0][2]:
        raise Failure(f"{title}: announced {heard}, expected once {expected_line!r}")
    print(f"{title}: announced once by {heard[0][0]} of a {heard[0][1]}: {expected_line!r}")
    listener.expected.append(expected_line)
    listener.heard.clear()


def check_orca_said(spoken, expected):
    """Orca never spoke a run's return-code line twice, nor one that did not come. The bus has
    already shown that every run is announced once; Orca itself, slow to start and to catch up on
    a loaded machine, may still miss some before it is ended, so a missing line is only reported."""
    said = [utterance for utterance in spoken if RETURN_CODE in utterance]
    print(f"Orca said {said}")
    if len(said) > len(expected) or any(
            sum(line in utterance for utterance in said) > expected.count(line) for line in expected):
        raise Failure(f"Orca said {said}, more often than the runs ended: {expected}")
    if len(said) != len(expected):
        print(f"Orca missed some of {expected} here")


def control(node, role, name):
    found = find(node, role, name)
    if found is None:
        raise Failure(f'no {role} "{name}" in {node.name}')
    return found


def set_text(node, text):
    node.queryEditableText().setTextContents(text)
    wait_for(f'"{text}" in {node.name}', lambda: node.queryText().getText(0, -1) == text)


def main_window_runs(listener):
    program = Program(PROGRAM)
    try:
        main = program.window("Tessaly Quillon for AVRDude")
        for combo, value in (("Device", "m8"), ("Programmer", "avr910"), ("Port", PORT)):
            set_text(control(control(main, "combo box", combo), "text", combo), value)
        command = control(main, "text", "AVRDUDE-Command")
        for title, arguments, expected in (
                ("free command", f"-c avr910 -p m8 -P {PORT} -n", RETURN_CODE + "0"),
                ("failing free command", f"-c avr910 -p m8 -P {WORK}/no-port -n", RETURN_CODE + "1")):
            set_text(command, arguments)
            before = focused_place(program.app)
            pump(0.5)
            listener.heard.clear()
            act(control(main, "push button", "Senden"), "press")
            heard_once(listener, title, expected)
            if focused_place(program.app) != before:
                raise Failure(f"{title}: the focus moved from {before} to {focused_place(program.app)}")

        act(control(main, "push button", "Fuses"), "press")
        fuses = program.window("Fuses")
        before = wait_for("the focus in the fuse window", lambda: focused_place(program.app))
        pump(0.5)
        listener.heard.clear()
        act(control(fuses, "push button", "Lesen"), "press")
        heard_once(listener, "fuse read", RETURN_CODE + "0")
        if focused_place(program.app) != before:
            raise Failure(f"fuse read: the focus moved from {before} to {focused_place(program.app)}")
    finally:
        program.end()


def progress_of(main):
    bar = find(main, "progress bar", "Fortschritt")
    if bar is None or not bar.getState().contains(pyatspi.STATE_SHOWING):
        return None
    return bar.queryValue().currentValue


def external_window_write(listener):
    firmware = os.path.join(WORK, "firmware.bin")
    with open(firmware, "wb") as data:
        data.write(os.urandom(2048))
    subprocess.run(["objcopy", "-I", "binary", "-O", "ihex", firmware, os.path.join(WORK, "firmware.hex")],
                   check=True, timeout=10)
    program = Program(PROGRAM, ["m8", "avr910", PORT, os.path.join(WORK, "firmware.hex")])
    try:
        external = program.window("Extern-Prog")
        main = next(window for window in program.app if window.name == "Tessaly Quillon for AVRDude")
        listener.heard.clear()
        act(control(external, "push button", "Programmieren"), "press")
        # While the write lasts, the strip reads as a progress bar with its value.
        values = set()
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and not listener.announcements_of(RETURN_CODE):
            value = progress_of(main)
            if value is not None:
                values.add(value)
            pump(0.05)
        if not any(0 < value <= 100 for value in values):
            raise Failure(f"external write: the progress bar read {sorted(values)} while the write lasted")
        print(f"external write: the progress bar read {len(values)} values up to {max(values):.0f} %")
        heard_once(listener, "external write", RETURN_CODE + "0")
        with open(firmware, "rb") as written, open(os.path.join(WORK, "chip", "flash.bin"), "rb") as chip:
            if chip.read(2048) != written.read():
                raise Failure("external write: the chip does not hold the file")
    finally:
        program.end()


def announcements():
    simulator = subprocess.Popen(
        [SIMULATOR, "--port-link", PORT, "--state", os.path.join(WORK, "chip"), "--part", "m8", "--baud", "19200",
         "--ignore-stdin"], stdin=subprocess.DEVNULL, stdout=open(os.path.join(WORK, "sim.log"), "w"),
        stderr=subprocess.STDOUT)
    orca = None
    try:
        wait_for("the simulated programmer", lambda: "ready" in open(os.path.join(WORK, "sim.log")).read(), 10)
        listener = Listener()
        orca = Orca.start()
        main_window_runs(listener)
        external_window_write(listener)
        if orca:
            spoken = orca.end()
            orca = None
            if spoken is not None:
                check_orca_said(spoken, listener.expected)
    finally:
        if orca:
            orca.end()
        simulator.terminate()
        simulator.wait(10)


if __name__ == "__main__":
    if not (shutil.which("avrdude") and shutil.which("objcopy")):
        print("SKIP: avrdude or objcopy is not installed")
        sys.exit(77)
    sys.exit(run(announcements))
