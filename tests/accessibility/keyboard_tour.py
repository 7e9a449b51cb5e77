"""Works Quillon with the keyboard alone, on an X server with a window manager, and reads where
the focus is through the accessibility bus after every key.

Tab must visit every enabled control of a window in reading order (left to right, top to bottom)
and come back to the first; Alt plus a menu's letter drops the menu down, the arrow keys move in
it and Escape closes it. Exits 0 on success, 1 with the reason on the first failure.
"""
import subprocess
import sys

import pyatspi

from atspi_session import Failure, Program, run, children, find, wait_for, walk

PROGRAM = sys.argv[1]

MAIN_TAB_ORDER = [
    "Flash programmieren", "EEPROM programmieren", "Flash auslesen", "EEPROM auslesen", "Fuses",
    "Device", "Programmer", "Port", "AVRDUDE-Command", "Senden", "AVRDUDE - Log",
]
# SPIEN is locked: it keeps the serial programmer working, so Tab passes it by.
FUSE_TAB_ORDER = [
    "CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0", "SUT1", "BODEN", "BODLEVEL",
    "BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "CKOPT", "WDTON", "RSTDISBL",
    "-", "UNUSED", "-", "-", "-", "-", "-", "-",
    "Lesen", "Schreiben", "Abbrechen",
]
OPTIONS_TAB_ORDER = [
    "Pfad zu avrdude.exe", "Suchen", "giveio-Treiber installieren", "giveio-Treiber deinstallieren", "Speichern",
]
EXTERNAL_TAB_ORDER = [
    "AVR", "Programmer", "Port", "Datei", "Fuses", "Programmieren", "Abbrechen",
]


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "50", *names], check=True, timeout=10)


def described(node):
    """How a focused control is told apart: by its name; every control has one."""
    return node.name or f"a nameless {node.getRoleName()}"


def focused(window):
    for node, _ in walk(window):
        if node.getState().contains(pyatspi.STATE_FOCUSED) and node is not window:
            return node
    return None


def focus_after(window, keys, before):
    """Presses the keys and waits for the focus to leave the control `before` (a focused())."""
    key(*keys)
    return wait_for(f"the focus to move on from {described(before)}", lambda: (
        lambda now: now if now is not None and place(now) != place(before) else None)(focused(window)))


def place(node):
    """A control's place in its window: controls may share a name."""
    places = []
    while node is not None and node.getRoleName() != "frame":
        places.append(node.getIndexInParent())
        node = node.parent
    return places


def tab_tour(window, title, expected):
    """Tabs once around the window, from the first control on."""
    start = wait_for(f"a focused control in the {title}", lambda: focused(window))
    visited = [start]
    for _ in range(len(expected) + 2 if len(expected) > 1 else 0):
        now = focus_after(window, ["Tab"], visited[-1])
        if place(now) == place(visited[0]):
            break
        visited.append(now)
    seen = [described(node) for node in visited]
    first = seen.index(expected[0]) if expected[0] in seen else 0
    tour = seen[first:] + seen[:first]
    print(f"{title}: Tab visits {tour}")
    if tour != expected:
        raise Failure(f"{title}: Tab visits {tour}, expected {expected}")


def selected_entry(popup):
    return next((entry.name for entry in children(popup) if entry.getState().contains(pyatspi.STATE_SELECTED)), None)


def menu_keys(program, main):
    entry = find(main, "menu item", "Command")
    key("alt+c")
    popup = wait_for('Alt+C to drop down "Command"', lambda: find(entry, "popup menu", "Command"))
    wait_for("the first entry selected", lambda: selected_entry(popup) == "Flash auslesen")
    key("Down")
    wait_for("Down to select the next entry", lambda: selected_entry(popup) == "EEPROM auslesen")
    key("Down")
    # The separator is passed over.
    wait_for("Down to pass over the separator", lambda: selected_entry(popup) == "Flash programmieren")
    key("Up")
    wait_for("Up to go back", lambda: selected_entry(popup) == "EEPROM auslesen")
    key("Escape")
    wait_for("Escape to close the menu", lambda: find(entry, "popup menu") is None)
    print("menu: Alt+C drops Command down, Down and Up move, Escape closes")

    key("alt+i")
    info_entry = find(main, "menu item", "Info")
    wait_for('Alt+I to drop down "Info"', lambda: find(info_entry, "popup menu", "Info"))
    key("Return")
    info = program.window("Info")
    tab_tour(info, "Info window", ["OK"])
    key("Return")
    program.gone("Info")
    print("menu: Alt+I and Enter open the Info window, Enter closes it")


def main_session():
    program = Program(PROGRAM)
    try:
        main = program.window("Tessaly Quillon for AVRDude")
        tab_tour(main, "main window", MAIN_TAB_ORDER)
        menu_keys(program, main)

        key("alt+e")
        settings = find(main, "menu item", "Einstellungen")
        wait_for('Alt+E to drop down "Einstellungen"', lambda: find(settings, "popup menu"))
        key("Return")
        options = program.window("OK")
        tab_tour(options, "options window", OPTIONS_TAB_ORDER)
        # The window has no cancel button: the window manager closes it.
        key("alt+F4")
        program.gone("OK")

        # Tab to the tool bar's fuse button and press it with the space bar.
        while described(focused(main)) != "Fuses":
            focus_after(main, ["Tab"], focused(main))
        key("space")
        fuses = program.window("Fuses")
        tab_tour(fuses, "fuse window", FUSE_TAB_ORDER)
        key("alt+F4")
        program.gone("Fuses")
    finally:
        program.end()


def external_session():
    program = Program(PROGRAM, ["m8", "usbasp", "USB", "firmware.hex"])
    try:
        tab_tour(program.window("Extern-Prog"), "external window", EXTERNAL_TAB_ORDER)
    finally:
        program.end()


if __name__ == "__main__":
    sys.exit(run(main_session, external_session))
