#!/usr/bin/python3
"""Takes a session-bus name as any other program of the user could, asking the bus
to replace its owner, and holds it until it is ended:
  take_bus_name.py NAME [APP_ID TITLE]
Prints "owner" once it owns the name, else "not owner" and ends. With APP_ID and TITLE it then
reports that window as focused to the mode service, as the name's owner would, and
prints "report accepted" or the name of the error the service answered with.
"""
import sys

from gi.repository import Gio, GLib

REPLACE_EXISTING, DO_NOT_QUEUE, PRIMARY_OWNER = 2, 4, 1

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                      "RequestName", GLib.Variant("(su)", (sys.argv[1], REPLACE_EXISTING | DO_NOT_QUEUE)),
                      GLib.VariantType("(u)"), Gio.DBusCallFlags.NONE, -1)
if reply.unpack()[0] != PRIMARY_OWNER:
    print("not owner", flush=True)
    sys.exit(0)
print("owner", flush=True)
if len(sys.argv) == 4:
    try:
        bus.call_sync("org.padconfig.Modes", "/org/padconfig/Modes", "org.padconfig.Modes1",
                      "ReportFocus", GLib.Variant("(sssu)", (sys.argv[2], "", sys.argv[3], 0)),
                      None, Gio.DBusCallFlags.NONE, -1)
        print("report accepted", flush=True)
    except GLib.Error as error:
        print(Gio.DBusError.get_remote_error(error), flush=True)
GLib.MainLoop().run()
