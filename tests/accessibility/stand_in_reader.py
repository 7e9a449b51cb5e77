"""A stand-in screen reader: registers a synchronous key listener on the accessibility bus, as
Orca does, and answers every key it is told of late, never, or with an error. It keeps no key.
Prints "listening" once registered; writes the number of keys it was told of to COUNT_FILE when
it is ended (SIGTERM).
Usage: stand_in_reader.py late|never|error COUNT_FILE
"""
import signal
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

MODE, COUNT_FILE = sys.argv[1], sys.argv[2]
LISTENER_PATH = "/org/quillon/standin/keys"
# Later than the program waits for an answer (a tenth of a second), yet sooner than the
# registry's own wait for its listeners (three seconds).
LATE_MS = 300
# The registry takes the kinds of key event as a mask: presses and releases.
PRESSES_AND_RELEASES = 0b11


class KeyListener(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, LISTENER_PATH)
        self.count = 0
        self.unanswered = []

    @dbus.service.method("org.a11y.atspi.DeviceEventListener", out_signature="b",
                         async_callbacks=("reply", "error"))
    def NotifyEvent(self, event, reply, error):
        self.count += 1
        if MODE == "late":
            GLib.timeout_add(LATE_MS, lambda: reply(False) and False)
        elif MODE == "never":
            self.unanswered.append(reply)
        else:
            error(dbus.exceptions.DBusException("the stand-in fails", name="org.quillon.StandIn.Failed"))


def accessibility_bus():
    session = dbus.SessionBus()
    address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
    return dbus.bus.BusConnection(str(address))


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = accessibility_bus()
    listener = KeyListener(bus)
    # The registry describes its key listener methods other than it reads them: no introspection.
    registry = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", introspect=False)
    # A reader listens for events too; only then does a program hand it its keys.
    registry.RegisterEvent("object:state-changed:focused", dbus.Array([], signature="s"), "",
                           dbus_interface="org.a11y.atspi.Registry")
    controller = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry/deviceeventcontroller",
                                introspect=False)
    # Every key, with every combination of modifiers, as a reader that binds its own commands does.
    for mask in range(256):
        controller.RegisterKeystrokeListener(
            dbus.ObjectPath(LISTENER_PATH), dbus.Array([], signature="(iisi)"), dbus.UInt32(mask),
            dbus.UInt32(PRESSES_AND_RELEASES), dbus.Struct((True, True, False), signature="bbb"),
            dbus_interface="org.a11y.atspi.DeviceEventController")
    loop = GLib.MainLoop()

    def stop(*_):
        with open(COUNT_FILE, "w") as count:
            count.write(f"{listener.count}\n")
        loop.quit()

    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, stop)
    print("listening", flush=True)
    loop.run()


if __name__ == "__main__":
    main()
