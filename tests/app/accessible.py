#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""What a screen reader finds in a program's windows, through AT-SPI on the
session's accessibility bus: one line per object, its role and its name
("label: Pac-Man (Midway) ...", "push button: Play"), and for a table its
column headers ("column: Year"); the items of tables and lists are not walked. Usage: accessible.py PID.
Needs python3-dbus and a session bus that starts the accessibility bus
(at-spi2-core); the program must have been started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1."""
import sys

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"
TABLE = "org.a11y.atspi.Table"
PROPERTIES = "org.freedesktop.DBus.Properties"


def main(pid):
    session = dbus.SessionBus()
    address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
        dbus_interface="org.a11y.Bus")
    bus = dbus.bus.BusConnection(address)
    daemon = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
    root = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root",
                          introspect=False)
    for name, path in root.GetChildren(dbus_interface=ACCESSIBLE):
        if daemon.GetConnectionUnixProcessID(name, dbus_interface="org.freedesktop.DBus") == pid:
            walk(bus, name, path)


def walk(bus, name, path, depth=0):
    if depth > 30:
        return
    node = bus.get_object(name, path, introspect=False)
    role = node.GetRoleName(dbus_interface=ACCESSIBLE)
    text = node.Get(ACCESSIBLE, "Name", dbus_interface=PROPERTIES)
    print("%s: %s" % (role, " ".join(str(text).split())))
    if role == "table":
        columns = node.Get(TABLE, "NColumns", dbus_interface=PROPERTIES)
        for column in range(columns):
            print("column: %s" % node.GetColumnDescription(column, dbus_interface=TABLE))
        return
    if role == "list":
        return
    for child_name, child_path in node.GetChildren(dbus_interface=ACCESSIBLE):
        walk(bus, child_name, child_path, depth + 1)


if __name__ == "__main__":
    main(int(sys.argv[1]))
