"""Reads Pemblo! as a screen reader does, over AT-SPI: the toolbar buttons'
names, the device picture's name and LED state, the LED Editor's table with
its cells, and the focus event of a line the keyboard moves to."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def find_all(node, predicate, found=None):
    found = [] if found is None else found
    if node is None:
        return found
    if predicate(node):
        found.append(node)
    for i in range(node.childCount if node.getRole() != pyatspi.ROLE_TABLE else 0):
        find_all(node.getChildAtIndex(i), predicate, found)
    return found


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower().startswith("pemblo"):
            return app
    return None


deadline = time.monotonic() + 10
app = application()
while app is None and time.monotonic() < deadline:
    time.sleep(0.1)
    app = application()
if app is None:
    print("FAIL: Pemblo! is not on the accessibility bus", file=sys.stderr)
    sys.exit(1)

buttons = sorted(b.name for b in find_all(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON))
for name in ["open", "save as", "start", "stop", "upload", "editor", "about"]:
    check(name in buttons, f"no toolbar button named '{name}' among {buttons}")
check(all(buttons), f"a button without a name: {buttons}")

devices = find_all(app, lambda n: n.getRole() == pyatspi.ROLE_IMAGE and n.name == "device")
check(len(devices) == 1, "no device picture named 'device'")
if devices:
    description = devices[0].description
    check(description.startswith("LED 1 ") and "LED 10 " in description,
          f"the device picture does not tell the LEDs' state: '{description}'")

tables = find_all(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE and n.name == "LED Editor")
check(len(tables) == 1, "no table named 'LED Editor'")
if tables:
    table = tables[0].queryTable()
    check((table.nRows, table.nColumns) == (4, 10), f"the table is {table.nRows} x {table.nColumns}, not 4 x 10")
    cells = {(1, 0): "1", (1, 1): "20", (1, 2): "on", (2, 9): "off", (0, 1): "CMD", (0, 2): "FADE OUT",
             (3, 3): "GOTO", (3, 9): "0"}
    for (row, column), name in cells.items():
        cell = table.getAccessibleAt(row, column)
        check(cell is not None and cell.name == name,
              f"cell {row}, {column} is '{cell.name if cell else None}', not '{name}'")
    check(table.getColumnExtentAt(0, 2) > 1, "a command's name does not span channel columns")

# Ctrl+E gives the editor the keyboard on line 0; Down moves it to line 1
# and Insert puts an empty line there.
focused = []


def on_focus(event):
    if event.detail1 and event.source.getRole() == pyatspi.ROLE_TABLE_CELL:
        focused.append(event.source.description)


def within_10s(condition):
    """Handles the bus's events until the condition holds, for up to 10 s."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + 10
    while not condition() and time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)
    return condition()


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
key("ctrl+e")
check(within_10s(lambda: focused), "no focus event when the LED Editor got the keyboard")
key("Down")
expected = "row 1, time 20, channels 1, 2, 3, 4, 5, 6, 7 and 8 on"
check(within_10s(lambda: focused and focused[-1] == expected), f"no focus event for '{expected}': {focused}")
if tables:
    key("Insert")
    check(within_10s(lambda: tables[0].queryTable().nRows == 5), "the table does not follow an inserted line")

for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
print("the accessibility tree is as expected" if not failures else f"{len(failures)} failures")
sys.exit(1 if failures else 0)
