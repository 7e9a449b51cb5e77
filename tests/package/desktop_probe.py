"""What a desktop shows of a program, read from the X server as the desktop's own tools do.

  desktop_probe.py tasks PID
      the program's windows that a task list shows, one name a line (libwnck decides, as the
      task lists of GNOME, MATE and Xfce do)
  desktop_probe.py pixels RRGGBB X Y W H
      how many pixels of the screen rectangle have that colour (within 0x10 per channel)
"""
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Wnck", "3.0")
from gi.repository import Gdk, Wnck  # noqa: E402


def tasks(pid):
    screen = Wnck.Screen.get_default()
    screen.force_update()
    for window in screen.get_windows():
        if window.get_pid() == pid and not window.is_skip_tasklist():
            print(window.get_name())


def pixels(colour, x, y, width, height):
    wanted = [int(colour[i:i + 2], 16) for i in (0, 2, 4)]
    root = Gdk.get_default_root_window()
    shot = Gdk.pixbuf_get_from_window(root, x, y, width, height)
    data, stride, step = shot.get_pixels(), shot.get_rowstride(), shot.get_n_channels()
    count = 0
    for row in range(height):
        for column in range(width):
            at = row * stride + column * step
            if all(abs(data[at + i] - wanted[i]) <= 0x10 for i in range(3)):
                count += 1
    print(count)


if __name__ == "__main__":
    if sys.argv[1] == "tasks":
        tasks(int(sys.argv[2]))
    elif sys.argv[1] == "pixels":
        pixels(sys.argv[2], *map(int, sys.argv[3:7]))
    else:
        sys.exit(f"unknown request {sys.argv[1]}")
