"""Reads Quillon's six windows through the desktop's accessibility bus, as a screen reader does.

Run by accessibility_session.sh inside a private D-Bus session on its own X server. Starts the
program (PROGRAM, from a folder it may write to), checks that every window answers with the
roles and names a user needs, works the program through accessibility actions alone and prints
each window's tree. Exits 0 on success, 1 with the reason on the first failure.
"""
import os
import subprocess
import sys
import time

import pyatspi

PROGRAM = sys.argv[1]
TREE_DEPTH = 12


class Failure(Exception):
    pass


def wait_for(what, find, seconds=15.0):
    """Polls find() until it returns something true, for at most `seconds`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise Failure(f"timed out waiting for {what}")


def children(node):
    return [child for child in node if child is not None]


def walk(node, depth=0):
    yield node, depth
    # A combo box's list and a scroll area's inner parts say nothing a user needs.
    if depth < TREE_DEPTH and node.getRoleName() not in ("list", "filler"):
        for child in children(node):
            yield from walk(child, depth + 1)


def find(node, role, name=None):
    for found, _ in walk(node):
        if found.getRoleName() == role and (name is None or found.name == name):
            return found
    return None


def entries(node):
    return {(found.getRoleName(), found.name) for found, _ in walk(node)}


def print_tree(title, node):
    print(f"--- {title}")
    for found, depth in walk(node):
        if found.getRoleName() in ("list", "filler"):
            continue
        print("  " * depth + f'{found.getRoleName()} "{found.name}"')


class Program:
    def __init__(self, arguments=()):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([PROGRAM, *arguments], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.app = wait_for("Quillon on the accessibility bus", self._app, 40)

    def _app(self):
        for app in children(pyatspi.Registry.getDesktop(0)):
            if app.name == "Quillon" and app.get_process_id() == self.process.pid:
                return app
        return None

    def window(self, name):
        return wait_for(f'window "{name}"', lambda: next(
            (w for w in children(self.app) if w.name == name and w.getState().contains(pyatspi.STATE_SHOWING)), None))

    def gone(self, name):
        wait_for(f'window "{name}" to close', lambda: not any(
            w.name == name and w.getState().contains(pyatspi.STATE_SHOWING) for w in children(self.app)))

    def end(self):
        if self.process.poll() is None:
            self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def act(node, action):
    """Runs the named action (press, toggle) of a node, as a screen reader's user does."""
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    if action not in names:
        raise Failure(f'{node.getRoleName()} "{node.name}" offers {names}, not {action}')
    actions.doAction(names.index(action))


def expect(node, title, wanted):
    missing = set(wanted) - entries(node)
    if missing:
        print_tree(title, node)
        raise Failure(f"{title} lacks {sorted(missing)}")


def choose_menu(program, main, top, item):
    entry = find(main, "menu item", top)
    act(entry, "press")
    popup = wait_for(f'menu "{top}"', lambda: find(entry, "popup menu", top))
    print_tree(f'menu "{top}"', popup)
    act(find(popup, "menu item", item), "press")


def title_button(window, name):
    return find(find(window, "tool bar"), "push button", name)


def main_window_session():
    program = Program()
    try:
        main = program.window("Tessaly Quillon for AVRDude")
        expect(main, "main window", [
            ("frame", "Tessaly Quillon for AVRDude"),
            ("push button", "Systemmenü"), ("push button", "Schließen"), ("push button", "Minimieren"),
            ("menu bar", ""), ("menu item", "Datei"), ("menu item", "Command"), ("menu item", "Einstellungen"),
            ("menu item", "Info"), ("panel", "Werkzeugleiste"), ("panel", "AVRDUDE - Log"),
            ("panel", "AVR-Options"), ("panel", "Programmer-Options"), ("panel", "AVRDUDE-Command"),
            ("push button", "Flash programmieren"), ("push button", "EEPROM programmieren"),
            ("push button", "Flash auslesen"), ("push button", "EEPROM auslesen"), ("push button", "Fuses"),
            ("push button", "Senden"),
        ])
        print_tree("main window", main)

        # An empty free command: the message is announced as an alert whose text can be read.
        act(find(main, "push button", "Senden"), "press")
        alert = program.window("Fehler!")
        if alert.getRoleName() != "alert" or alert.description != "Sie haben kein Komando eigegeben!":
            raise Failure(f'message window is {alert.getRoleName()} "{alert.description}"')
        expect(alert, "message window", [("label", "Sie haben kein Komando eigegeben!"), ("push button", "OK")])
        print_tree("message window", alert)
        act(find(alert, "push button", "OK"), "press")
        program.gone("Fehler!")

        # The fuse window: toggling bit 0 of the low fuse recomputes the low fuse's value.
        act(find(main, "push button", "Fuses"), "press")
        fuses = program.window("Fuses")
        low = find(fuses, "panel", "LowFuse")
        boxes = [node for node in children(low) if node.getRoleName() == "check box"]
        if len(boxes) != 8 or find(fuses, "label", "255") is None:
            print_tree("fuse window", fuses)
            raise Failure("the low fuse has not eight check boxes and the value 255")
        act(boxes[0], "toggle")
        wait_for("the low fuse's value 254", lambda: find(low, "label", "254") or find(fuses, "label", "254"))
        if not boxes[0].getState().contains(pyatspi.STATE_CHECKED):
            raise Failure("bit 0 does not read as checked")
        expect(fuses, "fuse window", [("panel", "HighFuse"), ("panel", "EFuse"), ("push button", "Schließen")])
        print_tree("fuse window", fuses)
        act(title_button(fuses, "Schließen"), "press")
        program.gone("Fuses")

        choose_menu(program, main, "Info", "Info")
        info = program.window("Info")
        expect(info, "Info window", [("push button", "Schließen"), ("push button", "Systemmenü")])
        print_tree("Info window", info)
        act(title_button(info, "Schließen"), "press")
        program.gone("Info")

        # The options window leads to the driver window once a driver choice is made.
        choose_menu(program, main, "Einstellungen", "Optionen")
        options = program.window("OK")
        radios = [node for node, _ in walk(options) if node.getRoleName() == "radio button"]
        if len(radios) != 2:
            print_tree("options window", options)
            raise Failure("the options window has not two radio buttons")
        print_tree("options window", options)
        act(radios[0], "toggle")
        wait_for("the first driver choice checked", lambda: radios[0].getState().contains(pyatspi.STATE_CHECKED))
        act(find(options, "push button", "Speichern"), "press")
        driver = program.window("giveio-Driver Installation")
        expect(driver, "driver window", [("push button", "Schließen")])
        print_tree("driver window", driver)
        act(title_button(driver, "Schließen"), "press")
        program.gone("giveio-Driver Installation")
    finally:
        program.end()


def external_window_session():
    program = Program(["m8", "usbasp", "USB", "firmware.hex"])
    try:
        external = program.window("Extern-Prog")
        expect(external, "external window", [("panel", "Externer Aufruf:"), ("push button", "Schließen")])
        print_tree("external window", external)
    finally:
        program.end()


def main():
    try:
        main_window_session()
        external_window_session()
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
