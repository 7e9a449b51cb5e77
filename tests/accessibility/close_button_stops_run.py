"""Every run stops by mouse, and the window says how to stop it.

Mouse only, under openbox, with a stand-in for avrdude that hangs as a programmer that never
answers. In each window that runs it (the external window's "Programmieren", the main window's
"Chip löschen" after its question, the fuse window's "Lesen"), the running window shows "Abbrechen mit Esc", and a
click on its own title bar's close button ends the run as the window manager's close does: the
report says 143 (terminated), the stand-in is gone, and the window stays open. Then the same
through AT-SPI, as a screen reader works the fuse window: while the read runs, toggling a fuse
bit and pressing "Schreiben" do what a click would, nothing; pressing the close button ends it.
While the question before a write is open, the fuse window behind it takes no toggle or press.
Usage: close_button_stops_run.py PROGRAM AVR910SIM
"""
import os
import signal
import sys
import time

from atspi_session import Program, act, run, find, wait_for
from chip_session import MAIN, checked, click, close_button, require, showing, text_of, use_avrdude

PROGRAM = sys.argv[1]
HINT = "Abbrechen mit Esc"
STOPPED = "Return-Code des Programms: 143"


def session():
    work = os.getcwd()
    started = os.path.join(work, "started.txt")
    use_avrdude(PROGRAM, f'echo $$ >>"{started}"\necho haengt\nexec sleep 600\n')

    def stand_ins():
        return open(started).read().split() if os.path.exists(started) else []

    def alive(pid):
        try:
            os.kill(int(pid), 0)
            return True
        except ProcessLookupError:
            return False

    def stop_with_close_button(window, title, start, meanwhile=lambda: None, press=click):
        before = len(stand_ins())
        start()
        wait_for(f"the run from the {title}", lambda: len(stand_ins()) > before)
        pid = stand_ins()[-1]
        hint = wait_for(f'"{HINT}" in the {title}', lambda: (lambda node: node if showing(node) else None)(
            find(window, "label", HINT)))
        meanwhile()
        require(len(stand_ins()) == before + 1, f"a second run started in the {title}: {stand_ins()}")
        press(close_button(window))
        wait_for(f"the close button of the {title} to end the run", lambda: not alive(pid), 20)
        wait_for(f'"{HINT}" to go from the {title}', lambda: not showing(hint))
        log = find(find(program.window(MAIN), "panel", "AVRDUDE - Log"), "text")
        report = wait_for("the report", lambda: text_of(log).splitlines())
        require(report[0] == STOPPED, f"the {title}'s close button: the report begins {report[:3]}")
        print(f"{title}: the close button ended the run: {report}")

    program = Program(PROGRAM, ["m8", "avr910", "/dev/null", os.path.join(work, "firmware.hex")])
    try:
        external = program.window("Extern-Prog")
        stop_with_close_button(external, "external window",
                               lambda: click(find(external, "push button", "Programmieren")))
        program.gone("Extern-Prog")

        main = program.window(MAIN)

        def erase_chip():
            command = find(main, "menu item", "Command")
            click(command)
            popup = wait_for('the "Command" menu', lambda: find(command, "popup menu", "Command"))
            click(find(popup, "menu item", "Chip löschen"))
            # It asks first what the erase takes; "Löschen" goes on.
            question = program.window("Chip löschen")
            require(question.getRoleName() == "alert" and question.description.startswith("Der ganze Chip wird gelöscht."),
                    f'the question before the erase is {question.getRoleName()} "{question.description}"')
            act(find(question, "push button", "Löschen"), "press")
            program.gone("Chip löschen")

        stop_with_close_button(main, "main window", erase_chip)
        require(showing(program.window(MAIN)) and program.process.poll() is None,
                "the main window's close button ended the program, not just the run")

        click(find(main, "push button", "Fuses"))
        fuses = program.window("Fuses")
        stop_with_close_button(fuses, "fuse window", lambda: click(find(fuses, "push button", "Lesen")))
        require(showing(program.window("Fuses")), "the fuse window closed instead of only ending the run")

        bit = find(fuses, "check box", "CKSEL0")
        was = checked(bit)

        def try_while_running():
            act(bit, "toggle")
            act(find(fuses, "push button", "Schreiben"), "press")
            time.sleep(1)
            require(checked(bit) == was, "a fuse bit was toggled through AT-SPI while the read ran")
            shown = sorted(w.name for w in program.app if w is not None and showing(w))
            require(shown == sorted([MAIN, "Fuses"]), f"windows while the read ran: {shown}")

        stop_with_close_button(fuses, "fuse window through AT-SPI",
                               lambda: act(find(fuses, "push button", "Lesen"), "press"),
                               try_while_running, lambda button: act(button, "press"))

        # A question in front of the fuse window holds back what is asked of the window behind it.
        act(bit, "toggle")
        act(find(fuses, "push button", "Schreiben"), "press")
        question = program.window("Fuses schreiben")
        behind = find(fuses, "check box", "CKSEL1")
        behind_was, runs = checked(behind), len(stand_ins())
        act(behind, "toggle")
        act(find(fuses, "push button", "Lesen"), "press")
        time.sleep(1)
        require(checked(behind) == behind_was and len(stand_ins()) == runs,
                "the fuse window behind its question took a toggle or a press")
        act(find(question, "push button", "Abbrechen"), "press")
        program.gone("Fuses schreiben")
        print("the fuse window behind its question took nothing")
    finally:
        program.end()
        # A stand-in the program failed to stop is ended here, by its PID.
        for pid in stand_ins():
            if alive(pid):
                os.kill(int(pid), signal.SIGKILL)


if __name__ == "__main__":
    sys.exit(run(session))
