"""What the sessions that work a chip share: the simulated programmer, a stand-in for avrdude
named in the program's options.ini, and a keyboard and a mouse driven through the X server as a
user's are. A key's press and release are separate events, as a real keyboard sends them."""
import os
import re
import subprocess
import time

import pyatspi

from atspi_session import Failure, end_process, wait_for, walk

MAIN = "Tessaly Quillon for AVRDude"


class Simulator:
    """avr910sim on a pseudo-terminal, with the chip's fuses preset; ended (and reaped) by end()."""

    def __init__(self, simulator, folder, fuses):
        self.state = os.path.join(folder, "chip")
        self.port = os.path.join(folder, "tty")
        os.makedirs(self.state)
        with open(os.path.join(self.state, "fuses.txt"), "w") as preset:
            preset.writelines(f"{name}=0x{value:02X}\n" for name, value in fuses.items())
        self.log = open(os.path.join(folder, "sim.log"), "w+")
        self.process = subprocess.Popen([simulator, "--port-link", self.port, "--state", self.state, "--part", "m8",
                                         "--ignore-stdin"], stdin=subprocess.DEVNULL, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        wait_for("the simulated programmer", lambda: "ready" in open(self.log.name).read())

    def fuses(self):
        with open(os.path.join(self.state, "fuses.txt")) as state:
            return {name: int(value, 0) for name, value in re.findall(r"^(\w+)=(0x[0-9A-Fa-f]+)$", state.read(), re.M)}

    def end(self):
        end_process(self.process)
        self.log.close()


def use_avrdude(program, script):
    """Makes a shell script the avrdude that the program's options.ini names."""
    stand_in = os.path.join(os.path.dirname(program), "avrdude-stand-in")
    with open(stand_in, "w") as file:
        file.write("#!/bin/sh\n" + script)
    os.chmod(stand_in, 0o755)
    with open(os.path.join(os.path.dirname(program), "options.ini"), "w") as options:
        options.write(stand_in + "\r\n")


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], check=True, timeout=10, capture_output=True, text=True).stdout


def key_down(name):
    xdotool("keydown", name)


def key_up(name):
    xdotool("keyup", name)


def tap(name):
    key_down(name)
    key_up(name)


def chord(modifier, name):
    key_down(modifier)
    tap(name)
    key_up(modifier)


def active_window():
    try:
        return xdotool("getactivewindow", "getwindowname").strip()
    except subprocess.CalledProcessError:
        return ""


def click(node):
    """Moves the pointer to the middle of a control and clicks it with the left button."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2))
    time.sleep(0.2)
    xdotool("click", "1")


def showing(node):
    return node is not None and node.getState().contains(pyatspi.STATE_SHOWING)


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def text_of(node):
    return node.queryText().getText(0, -1)


def close_button(window):
    """The close button of the window's own title bar."""
    return next((node for node, _ in walk(window) if node.getRoleName() == "push button" and node.name == "Schließen"),
                None)


def require(condition, message):
    if not condition:
        raise Failure(message)
