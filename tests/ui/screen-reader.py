"""Starts Korvane on the accessibility bus (AT-SPI) as a screen reader finds it, prints what a
screen reader would announce of each control of both windows, and checks that every box, list,
button and menu item has its English name and a description.

Run inside a session bus of its own on an X server: dbus-run-session -- python3 screen-reader.py
KORVANE. Ends the program through its own close item, or by its process id if that fails."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

# Per window: the controls' (role, name) a screen reader must find; a list, which Linux names by
# its item, by the caption that labels it.
EXPECTED = {
    "Convert Lat, Long": [
        ("text", "Latitude degrees"), ("text", "Latitude minutes"), ("text", "Latitude seconds"),
        ("combo box", "Latitude"), ("text", "Longitude degrees"), ("text", "Longitude minutes"),
        ("text", "Longitude seconds"), ("combo box", "Longitude"), ("combo box", "Select Datum"),
        ("push button", "Convert to UTM"), ("text", "Northing"), ("text", "Easting"),
        ("text", "Military Grid Reference"), ("menu item", "File"), ("menu item", "Data Datum"),
        ("menu item", "Close"), ("menu item", "Convert UTM"),
    ],
    "Convert UTM": [
        ("text", "Northing"), ("combo box", "  UTM "), ("text", "Easting"), ("text", "Zone"),
        ("combo box", "Select Datum"), ("push button", "Convert to Lat, Long"),
        ("text", "Latitude degrees"), ("text", "Latitude minutes"), ("text", "Latitude seconds"),
        ("text", "Latitude hemisphere"), ("text", "Longitude degrees"),
        ("text", "Longitude minutes"), ("text", "Longitude seconds"),
        ("text", "Longitude hemisphere"), ("text", "Military Grid Reference"),
        ("menu item", "File"), ("menu item", "Data Datum"), ("menu item", "Close"),
        ("menu item", "Convert Lat, Long"),
    ],
}
SPOKEN_ROLES = {"text", "combo box", "push button", "menu item"}


def enable_accessibility():
    """What a screen reader does when it starts: tells applications that one is listening."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def wait_for(find, what):
    for _ in range(100):
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit("FAIL: no %s on the accessibility bus" % what)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Korvane":
            return app
    return None


def window(app, title):
    for frame in app:
        if frame is not None and frame.name == title:
            return frame
    return None


def labels(control):
    return [relation.getTarget(i).name
            for relation in control.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def announcements(node):
    """(role, name, labels, spoken line) for every control a screen reader speaks, in tree order."""
    role = node.getRoleName()
    if role in SPOKEN_ROLES:
        parts = labels(node) if role == "combo box" else []
        parts += [node.name, role]
        if role == "text":
            parts.append(repr(node.queryText().getText(0, -1)))
        yield role, node.name, labels(node), ", ".join(parts) + " -- " + node.description, node
    for child in node:
        if child is not None:
            yield from announcements(child)


def check(frame, title):
    print("%s:" % title)
    found = []
    failed = False
    for role, name, labelled_by, line, node in announcements(frame):
        print("  " + line)
        if not name.strip() or not node.description:
            print("  FAIL: no name or description")
            failed = True
        found.append((role, name))
        found.extend((role, label) for label in labelled_by)
    for expected in EXPECTED[title]:
        if expected not in found:
            print("  FAIL: a screen reader does not find %s %r" % expected)
            failed = True
    return failed


def press(frame, item_name):
    for _, name, _, _, node in announcements(frame):
        if node.getRoleName() == "menu item" and name == item_name:
            node.queryAction().doAction(0)
            return
    sys.exit("FAIL: no menu item %r" % item_name)


def main():
    enable_accessibility()
    # The registry, where the program announces itself, is up before the program starts.
    pyatspi.Registry.getDesktop(0).childCount
    korvane = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        app = wait_for(application, "Korvane")
        failed = check(wait_for(lambda: window(app, "Convert Lat, Long"), "Lat/Long window"),
                       "Convert Lat, Long")
        press(window(app, "Convert Lat, Long"), "Convert UTM")
        failed |= check(wait_for(lambda: window(app, "Convert UTM"), "UTM window"), "Convert UTM")
        press(window(app, "Convert UTM"), "Close")
        korvane.wait(timeout=10)
    finally:
        if korvane.poll() is None:
            korvane.kill()
            korvane.wait()
    print("screen reader: %s" % ("FAILED" if failed else "passed"))
    return 1 if failed else 0


sys.exit(main())
