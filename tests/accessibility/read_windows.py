"""Reads Quillon's six windows through the desktop's accessibility bus, as a screen reader does.

Run by accessibility_session.sh inside a private D-Bus session on its own X server. Starts the
program (PROGRAM, from a folder it may write to), checks that every window answers with the
roles and names a user needs, works the program through accessibility actions alone and prints
each window's tree. Exits 0 on success, 1 with the reason on the first failure.
"""
from collections import Counter
import re
import sys

from atspi_session import (Failure, Program, run, act, children, expect, find, focusables, print_tree, related,
                           wait_for, walk)
import pyatspi

PROGRAM = sys.argv[1]

# Every object of each window that can take the focus: (role, name, the name of the label that
# labels it). A combo box's list and editor are named with it, its editor labelled with it.
def combo(name, label):
    return [("combo box", name, label), ("list", name, None), ("text", name, label)]


MAIN_FOCUSABLES = [
    ("push button", "Flash programmieren", None), ("push button", "EEPROM programmieren", None),
    ("push button", "Flash auslesen", None), ("push button", "EEPROM auslesen", None), ("push button", "Fuses", None),
    *combo("Device", "Device"), *combo("Programmer", "Programmer"), *combo("Port", "Port"),
    ("text", "AVRDUDE - Log", "AVRDUDE - Log"), ("text", "AVRDUDE-Command", "AVRDUDE-Command"),
    ("push button", "Senden", None),
]
# The captions of an m8's bits, as its description file has them.
M8_BITS = {
    "LowFuse": ["CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0", "SUT1", "BODEN", "BODLEVEL"],
    "HighFuse": ["BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "CKOPT", "SPIEN", "WDTON", "RSTDISBL"],
    "EFuse": ["-", "UNUSED", "-", "-", "-", "-", "-", "-"],
}
FUSE_FOCUSABLES = [("check box", bit, None) for bits in M8_BITS.values() for bit in bits] + [
    ("push button", "Lesen", None), ("push button", "Schreiben", None), ("push button", "Abbrechen", None),
]
OPTIONS_FOCUSABLES = [
    ("text", "Pfad zu avrdude.exe", "Pfad zu avrdude.exe"), ("push button", "Suchen", None),
    ("radio button", "giveio-Treiber installieren", None), ("radio button", "giveio-Treiber deinstallieren", None),
    ("push button", "Speichern", None),
]
DRIVER_FOCUSABLES = [("text", "Status", "Status"), ("push button", "OK", None)]
INFO_FOCUSABLES = [("push button", "OK", None)]
EXTERNAL_FOCUSABLES = [
    ("text", "AVR", "AVR"), ("text", "Programmer", "Programmer"), ("text", "Port", "Port"), ("text", "Datei", "Datei"), ("push button", "Fuses", None), ("push button", "Programmieren", None),
    ("push button", "Abbrechen", None),
]


def same(a, b):
    return (a.getRoleName(), a.name, a.getIndexInParent()) == (b.getRoleName(), b.name, b.getIndexInParent())


def check_focusables(window, title, table):
    """Every focusable object has a name and is in the table with its role, name and label; each
    label says whom it labels (a combo box's label, the combo box that holds the editor). No label
    reads with the blanks that line captions up, nor with a closing colon."""
    seen = []
    for node in focusables(window):
        labels = related(node, pyatspi.RELATION_LABELLED_BY)
        seen.append((node.getRoleName(), node.name, labels[0].name if labels else None))
        for label in labels:
            if not any(same(node, target) or same(node.parent, target)
                       for target in related(label, pyatspi.RELATION_LABEL_FOR)):
                raise Failure(f'{title}: label "{label.name}" does not say it labels "{node.name}"')
    padded = [node.name for node, _ in walk(window)
              if node.getRoleName() == "label" and ("  " in node.name or re.search(r"[ :]$", node.name))]
    if padded:
        raise Failure(f"{title}: labels read with their padding or closing colon: {padded}")
    unnamed = [row for row in seen if not row[1]]
    missing, extra = Counter(table) - Counter(seen), Counter(seen) - Counter(table)
    if unnamed or missing or extra:
        print_tree(title, window)
        raise Failure(f"{title}: unnamed {unnamed}, missing {sorted(missing)}, not expected {sorted(extra)}")
    print(f"{title}: {len(seen)} focusable objects, each with its role, name and label")


def check_fuse_meanings(fuses):
    """Each bit tells its byte and bit, the values their fuse, and the legend reads as text."""
    for group, bits in M8_BITS.items():
        boxes = [node for node in children(find(fuses, "panel", group)) if node.getRoleName() == "check box"]
        described = [(box.name, box.description) for box in boxes]
        wanted = [(bit, f"{group}, Bit {n}") for n, bit in enumerate(bits)]
        if described != wanted:
            raise Failure(f"{group}: the bits read {described}, expected {wanted}")
    for value in ("LowFuse 255", "HighFuse 223", "EFuse 255"):
        if find(fuses, "label", value) is None:
            print_tree("fuse window", fuses)
            raise Failure(f'no value label reads "{value}"')
    legend = [node.name for node, _ in walk(fuses) if node.name.startswith("Legende")]
    roles = {node.getRoleName() for node, _ in walk(fuses) if node.name.startswith("Legende")}
    if legend != ["Legende: markiert = 0", "Legende: nicht markiert = 1"] or roles != {"label"}:
        raise Failure(f"the legend reads {legend} as {roles}")


def check_window_menu(window, title):
    """The window menu of the title bar is in the tree while it is open, under its title bar."""
    bar = find(window, "tool bar")
    act(find(bar, "push button", "Systemmenü"), "press")
    menu = wait_for(f"the window menu of the {title}", lambda: find(bar, "popup menu", "Systemmenü"))
    entries = [node.name for node in children(menu) if node.getRoleName() == "menu item"]
    if entries != ["Minimize", "Maximize/Restore", "Close"]:
        raise Failure(f"the window menu of the {title} offers {entries}")
    print_tree(f"window menu of the {title}", menu)
    return menu


def choose_menu(program, main, top, item):
    entry = find(main, "menu item", top)
    act(entry, "press")
    popup = wait_for(f'menu "{top}"', lambda: find(entry, "popup menu", top))
    print_tree(f'menu "{top}"', popup)
    act(find(popup, "menu item", item), "press")


def title_button(window, name):
    return find(find(window, "tool bar"), "push button", name)


def main_window_session():
    program = Program(PROGRAM)
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
        check_focusables(main, "main window", MAIN_FOCUSABLES)

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
        if len(boxes) != 8 or find(fuses, "label", "LowFuse 254") is not None:
            print_tree("fuse window", fuses)
            raise Failure("the low fuse has not eight check boxes, or shows 254 before bit 0 is set")
        act(boxes[0], "toggle")
        wait_for("the low fuse's value 254", lambda: find(fuses, "label", "LowFuse 254"))
        if not boxes[0].getState().contains(pyatspi.STATE_CHECKED):
            raise Failure("bit 0 does not read as checked")
        # Writing a clock bit unread asks first, as an alert that names the bit; "Abbrechen" sends nothing.
        act(find(fuses, "push button", "Schreiben"), "press")
        question = program.window("Fuses schreiben")
        if question.getRoleName() != "alert" or "CKSEL0 (→ 0)" not in question.description:
            raise Failure(f'the question before the write is {question.getRoleName()} "{question.description}"')
        expect(question, "question", [("push button", "Abbrechen"), ("push button", "Schreiben")])
        print_tree("question before the write", question)
        act(find(question, "push button", "Abbrechen"), "press")
        program.gone("Fuses schreiben")
        expect(fuses, "fuse window", [("panel", "HighFuse"), ("panel", "EFuse"), ("push button", "Schließen")])
        print_tree("fuse window", fuses)
        act(boxes[0], "toggle")
        wait_for("the low fuse's value 255 again", lambda: find(fuses, "label", "LowFuse 255"))
        check_focusables(fuses, "fuse window", FUSE_FOCUSABLES)
        check_fuse_meanings(fuses)
        # Its window menu's "Close" closes the window.
        act(find(check_window_menu(fuses, "fuse window"), "menu item", "Close"), "press")
        program.gone("Fuses")

        choose_menu(program, main, "Info", "Info")
        info = program.window("Info")
        expect(info, "Info window", [("push button", "Schließen"), ("push button", "Systemmenü")])
        print_tree("Info window", info)
        check_focusables(info, "Info window", INFO_FOCUSABLES)
        act(title_button(info, "Schließen"), "press")
        program.gone("Info")

        # The options window leads to the driver window once a driver choice is made.
        choose_menu(program, main, "Einstellungen", "Optionen")
        options = program.window("OK")
        radios = [node for node, _ in walk(options) if node.getRoleName() == "radio button"]
        if len(radios) != 2:
            print_tree("options window", options)
        check_focusables(options, "options window", OPTIONS_FOCUSABLES)
        # Its title is "OK": what the window is, it says as its description.
        if options.description != "Optionen":
            raise Failure(f'the options window describes itself as "{options.description}"')
            raise Failure("the options window has not two radio buttons")
        print_tree("options window", options)
        act(radios[0], "toggle")
        wait_for("the first driver choice checked", lambda: radios[0].getState().contains(pyatspi.STATE_CHECKED))
        act(find(options, "push button", "Speichern"), "press")
        driver = program.window("giveio-Driver Installation")
        # The window runs the driver script as it shows (closing it meanwhile would stop the run);
        # the script's end is announced with its return-code line.
        notice = wait_for("the driver script's end announced", lambda: find(driver, "notification"))
        if not notice.name.startswith("Return-Code des Programms: "):
            raise Failure(f'the driver window announces "{notice.name}"')
        expect(driver, "driver window", [("push button", "Schließen")])
        print_tree("driver window", driver)
        check_focusables(driver, "driver window", DRIVER_FOCUSABLES)
        act(title_button(driver, "Schließen"), "press")
        program.gone("giveio-Driver Installation")
    finally:
        program.end()


def external_window_session():
    program = Program(PROGRAM, ["m8", "usbasp", "USB", "firmware.hex"])
    try:
        external = program.window("Extern-Prog")
        expect(external, "external window", [("panel", "Externer Aufruf:"), ("push button", "Schließen")])
        print_tree("external window", external)
        check_focusables(external, "external window", EXTERNAL_FOCUSABLES)
    finally:
        program.end()


if __name__ == "__main__":
    sys.exit(run(main_window_session, external_window_session))
