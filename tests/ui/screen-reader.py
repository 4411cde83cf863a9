"""Starts Korvane on the accessibility bus (AT-SPI) as a screen reader finds it, prints what a
screen reader would announce of each control of both windows, and checks that every box, list,
button and menu item has its English name and a description, that each box and list is labelled
by its own caption and by nothing else (never by the frame around it), that a list is named by its
name (and its current item) and offers its items, and that each menu command tells its key.

Run inside a session bus of its own on an X server: dbus-run-session -- python3 screen-reader.py
KORVANE. Ends the program through its own close item, or by its process id if that fails."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

# Per window: the controls' (role, name, the captions that label it) a screen reader must find,
# and nothing else; a menu item's key stands in place of its captions. A list's name goes on with
# its current item, which AT-SPI has no other place for.
LAT_LONG = ("Latitude",)
LONG = ("Longitude",)
GRID = ("Military Grid Reference",)
EXPECTED = {
    "Convert Lat, Long": [
        ("text", "Latitude degrees", LAT_LONG), ("text", "Latitude minutes", LAT_LONG),
        ("text", "Latitude seconds", LAT_LONG), ("combo box", "Latitude hemisphere, N", LAT_LONG),
        ("text", "Longitude degrees", LONG), ("text", "Longitude minutes", LONG),
        ("text", "Longitude seconds", LONG), ("combo box", "Longitude hemisphere, E", LONG),
        ("combo box", "Select Datum, WGS 84", ("Select Datum",)),
        ("push button", "Convert to UTM", ()), ("text", "Northing", ("Northing",)),
        ("text", "Easting", ("Easting",)), ("text", "Military Grid Reference", GRID),
        ("menu item", "File", ()), ("menu item", "Data Datum", ("Ctrl+S",)),
        ("menu item", "Close", ("Ctrl+Q",)), ("menu item", "Convert UTM", ("Ctrl+Tab",)),
    ],
    "Convert UTM": [
        ("text", "Northing", ("Northing",)), ("combo box", "Hemisphere, N", ()),
        ("text", "Easting", ("Easting",)), ("text", "Zone", ("Zone",)),
        ("combo box", "Select Datum, WGS 84", ("Select Datum",)),
        ("push button", "Convert to Lat, Long", ()),
        ("text", "Longitude minutes", LONG), ("text", "Longitude seconds", LONG),
        ("text", "Longitude degrees", LONG), ("text", "Latitude seconds", LAT_LONG),
        ("text", "Latitude minutes", LAT_LONG), ("text", "Latitude degrees", LAT_LONG),
        ("text", "Longitude hemisphere", LONG), ("text", "Latitude hemisphere", LAT_LONG),
        ("text", "Military Grid Reference", GRID),
        ("menu item", "File", ()), ("menu item", "Data Datum", ("Ctrl+S",)),
        ("menu item", "Close", ("Ctrl+Q",)), ("menu item", "Convert Lat, Long", ("Ctrl+Tab",)),
    ],
}
# The first items of each list, as its drop-down offers them.
LIST_ITEMS = {"Latitude hemisphere, N": ["N", "S"], "Longitude hemisphere, E": ["E", "W"],
              "Hemisphere, N": ["N", "S"], "Select Datum, WGS 84": ["WGS 84", "NAD 83", "GRS 80"]}
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
    return tuple(relation.getTarget(i).name
                 for relation in control.getRelationSet()
                 if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                 for i in range(relation.getNTargets()))


def key(item):
    """A menu item's key, as a screen reader reads it from the item's action."""
    action = item.queryAction()
    return (action.getKeyBinding(0),) if action.nActions and action.getKeyBinding(0) else ()


def items(combo):
    """The items that a list's drop-down offers, read from its table of items."""
    table = combo[0].queryTable()
    return [table.getAccessibleAt(row, 0).name for row in range(table.nRows)]


def announcements(node):
    """(role, name, labels or key, spoken line, node) for every control a screen reader speaks,
    in tree order."""
    role = node.getRoleName()
    if role in SPOKEN_ROLES:
        related = key(node) if role == "menu item" else labels(node)
        parts = list(labels(node)) + [node.name, role]
        if role == "text":
            parts.append(repr(node.queryText().getText(0, -1)))
        if role == "menu item" and related:
            parts.append(related[0])
        yield role, node.name, related, ", ".join(parts) + " -- " + node.description, node
    for child in node:
        if child is not None:
            yield from announcements(child)


def check(frame, title):
    print("%s:" % title)
    found = []
    failed = False
    for role, name, related, line, node in announcements(frame):
        print("  " + line)
        if not name.strip() or not node.description:
            print("  FAIL: no name or description")
            failed = True
        if role == "combo box":
            offered = items(node)
            wanted = LIST_ITEMS.get(name)
            if wanted is None or offered[:len(wanted)] != wanted:
                print("  FAIL: the list %r offers %r" % (name, offered))
                failed = True
        found.append((role, name, related))
    for expected in EXPECTED[title]:
        if expected not in found:
            print("  FAIL: a screen reader does not find %s %r labelled by %r" % expected)
            failed = True
    for unexpected in found:
        if unexpected not in EXPECTED[title]:
            print("  FAIL: a screen reader finds %s %r labelled by %r" % unexpected)
            failed = True
    return failed


def press(frame, item_name):
    for _, name, _, _, node in announcements(frame):
        if node.getRoleName() == "menu item" and name == item_name:
            node.queryAction().doAction(0)
            return
    sys.exit("FAIL: no menu item %r" % item_name)


def hears_a_new_item(frame):
    """Down on the focused latitude hemisphere list picks S: a screen reader is told the list's
    name has changed, and hears the new item in it."""
    combo = next(node for role, name, _, _, node in announcements(frame)
                 if role == "combo box" and name.startswith("Latitude hemisphere"))
    heard = []

    def listener(event):
        if event.type == "object:property-change:accessible-name" and event.source == combo:
            heard.append(event.source.name)

    # Qt tells of a list's new item only while something listens for changes of value, as a
    # screen reader does.
    events = ("object:property-change:accessible-name", "object:value-changed")
    pyatspi.Registry.registerEventListener(listener, *events)
    try:
        combo.queryComponent().grabFocus()
        time.sleep(0.5)
        subprocess.run(["xdotool", "search", "--name", "^Convert Lat, Long$", "windowfocus",
                        "--sync", "key", "Down"], check=True)
        for _ in range(50):
            if combo.name.endswith(", S"):
                break
            time.sleep(0.1)
        # Let the events arrive.
        GLib.timeout_add(500, pyatspi.Registry.stop)
        pyatspi.Registry.start()
    finally:
        pyatspi.Registry.deregisterEventListener(listener, *events)
    print("  after Down on the latitude hemisphere list: %r, told %r" % (combo.name, heard))
    if combo.name != "Latitude hemisphere, S" or "Latitude hemisphere, S" not in heard:
        print("  FAIL: the new item is not heard")
        return True
    return False


def main():
    enable_accessibility()
    # The registry, where the program announces itself, is up before the program starts.
    pyatspi.Registry.getDesktop(0).childCount
    korvane = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        app = wait_for(application, "Korvane")
        failed = check(wait_for(lambda: window(app, "Convert Lat, Long"), "Lat/Long window"),
                       "Convert Lat, Long")
        failed |= hears_a_new_item(window(app, "Convert Lat, Long"))
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
