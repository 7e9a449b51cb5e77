"""Reads Quillon's six windows through the desktop's accessibility bus, as a screen reader does.

Run by accessibility_session.sh inside a private D-Bus session on its own X server. Starts the
program (PROGRAM, from a folder it may write to), checks that every window answers with the
roles and names a user needs, works the program through accessibility actions alone and prints
each window's tree. Exits 0 on success, 1 with the reason on the first failure.
"""
import sys

from atspi_session import Failure, Program, run, act, children, expect, find, print_tree, wait_for, walk
import pyatspi

PROGRAM = sys.argv[1]


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
        if len(boxes) != 8 or find(fuses, "label", "254") is not None:
            print_tree("fuse window", fuses)
            raise Failure("the low fuse has not eight check boxes, or shows 254 before bit 0 is set")
        act(boxes[0], "toggle")
        wait_for("the low fuse's value 254", lambda: find(fuses, "label", "254"))
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
    program = Program(PROGRAM, ["m8", "usbasp", "USB", "firmware.hex"])
    try:
        external = program.window("Extern-Prog")
        expect(external, "external window", [("panel", "Externer Aufruf:"), ("push button", "Schließen")])
        print_tree("external window", external)
    finally:
        program.end()


if __name__ == "__main__":
    sys.exit(run(main_window_session, external_window_session))
