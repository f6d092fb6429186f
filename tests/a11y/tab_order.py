"""Walks PadConfig's main window with the Tab key and reads, through AT-SPI, the
name of the control that has the focus after each press, as a screen reader does.

Usage: tab_order.py WINDOW_ID
Prints one line per stop and ends with "N passed, N failed"; exits 1 on a failure.
"""

import subprocess
import sys
import time

import pyatspi

APP_NAME = "Corvask 12"
NORMAL_KEYS = ["Q", "W", "E", "L-Ctrl", "A", "S", "D", "L-Shift", "L-Alt", "Tab",
               "Space", "M-Mouse", "U-Arrow", "D-Arrow", "L-Arrow", "R-Arrow"]
# The whole round from the Normal mode button back to it.
EXPECTED = (["Mode A", "Mode B", "Mode C", "LOAD"]
            + [f"Key {n}: {text}" for n, text in enumerate(NORMAL_KEYS, start=1)]
            + ["New", "Open", "Save", "Help", "Sound settings", "Normal mode"])


def find_app(deadline):
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == APP_NAME:
                return app
        time.sleep(0.1)
    return None


def focused_in(accessible):
    """The deepest descendant of accessible that has the focused state."""
    try:
        states = accessible.getState()
        children = list(accessible)
    except Exception:  # an object that went away while we looked
        return None
    for child in children:
        if child is None:
            continue
        found = focused_in(child)
        if found is not None:
            return found
    return accessible if states.contains(pyatspi.STATE_FOCUSED) else None


def focused_name(app, previous, deadline):
    """The focused control's name once it differs from previous, or the last seen."""
    name = None
    while time.monotonic() < deadline:
        found = focused_in(app)
        name = found.name if found is not None else None
        if name is not None and name != previous:
            return name
        time.sleep(0.05)
    return name


def main():
    window = sys.argv[1]
    app = find_app(time.monotonic() + 15)
    if app is None:
        print(f"FAIL: no application named {APP_NAME!r} on the accessibility bus")
        print("0 passed, 1 failed")
        return 1
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    passed = failed = 0
    name = focused_name(app, None, time.monotonic() + 5)
    if name == "Normal mode":
        passed += 1
        print("ok: the focus starts on 'Normal mode'")
    else:
        failed += 1
        print(f"FAIL: the focus starts on {name!r}, not 'Normal mode'")
    for expected in EXPECTED:
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        name = focused_name(app, name, time.monotonic() + 3)
        if name == expected:
            passed += 1
            print(f"ok: Tab reaches {expected!r}")
        else:
            failed += 1
            print(f"FAIL: Tab reaches {name!r}, expected {expected!r}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
