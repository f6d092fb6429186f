"""Drives PadConfig's "By Application..." dialog by keyboard and reads it through
AT-SPI, as a screen-reader user would: opens it from the Mode menu, adds a rule for
the test window with Mode B, switches the mode service on and presses OK (add-rule);
or opens it again, switches the service off and cancels (switch-off).

Usage: mode_dialog.py WINDOW_ID add-rule|switch-off APP_ID
Prints one line per check and ends with "N passed, N failed"; exits 1 on a failure.
"""

import subprocess
import sys
import time

import pyatspi

from tab_order import APP_NAME, find_app, focused_name

CAPTION = "Modes by Application"
RUNS = "The mode service padconfig-modes runs."
STOPPED = "The mode service padconfig-modes does not run."


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def __call__(self, what, ok, seen=""):
        if ok:
            self.passed += 1
            print(f"ok: {what}")
        else:
            self.failed += 1
            print(f"FAIL: {what}: got {seen!r}")
        return ok


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def descendants(accessible):
    try:
        children = list(accessible)
    except Exception:  # an object that went away while we looked
        return
    for child in children:
        if child is not None:
            yield child
            yield from descendants(child)


def wait_for(find, seconds=10):
    """The first truthy answer of find() within the time, else None."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:
            found = None
        if found:
            return found
        time.sleep(0.1)
    return None


def window(app, caption):
    return next((w for w in app if w is not None and w.name == caption), None)


def named(root, name, role=None):
    return next((a for a in descendants(root)
                 if a.name == name and (role is None or a.getRole() == role)), None)


def has_state(accessible, state):
    return accessible.getState().contains(state)


def labelled(root, label, role):
    """The control of that role that the label names (a combo box's name is its value)."""
    for a in descendants(root):
        if a.getRole() != role:
            continue
        for relation in a.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and any(
                    relation.getTarget(i).name == label for i in range(relation.getNTargets())):
                return a
    return None


def focus_within(accessible):
    return any(has_state(a, pyatspi.STATE_FOCUSED)
               for a in [accessible, *descendants(accessible)])


def cell_names(table):
    return [a.name for a in descendants(table) if a.getRole() == pyatspi.ROLE_TABLE_CELL]


def open_dialog(app, check):
    keys("alt+m", "b")
    dialog = wait_for(lambda: window(app, CAPTION))
    check("By Application... opens the dialog", dialog is not None)
    return dialog


def switch_box(dialog, check, checked):
    """The switch, once the dialog knows how the service is set up."""
    box = wait_for(lambda: (lambda b: b if b and has_state(b, pyatspi.STATE_SENSITIVE) else None)(
        named(dialog, "Switch modes automatically", pyatspi.ROLE_CHECK_BOX)), 20)
    if not check("the switch can be used", box is not None):
        return None
    check(f"the switch shows the service {'on' if checked else 'off'}",
          has_state(box, pyatspi.STATE_CHECKED) == checked)
    return box


def add_rule(app, check, app_id):
    dialog = open_dialog(app, check)
    if dialog is None:
        return
    name = focused_name(app, None, time.monotonic() + 5)
    check("the focus starts on the rule list", name == "Rules (the first that matches decides)", name)
    status = wait_for(lambda: next((a.name for a in descendants(dialog)
                                    if a.name.startswith("Desktop: ")), None))
    check("the status line names the desktop and follows its focus",
          status is not None and "follows the focused window" in status, status)
    running = named(dialog, STOPPED)
    check("the dialog shows that the service does not run", running is not None)

    keys("alt+a")
    rule = wait_for(lambda: window(app, "Add Rule"))
    if not check("Add... opens the rule dialog", rule is not None):
        return
    windows = named(rule, "Open windows")
    check("the focus starts on the open windows",
          windows is not None and wait_for(lambda: focus_within(windows)))
    listed = wait_for(lambda: any(app_id in a.name for a in descendants(rule)))
    check("the open windows list the test window", listed)
    name = None
    for _ in range(10):  # down the list to the test window
        keys("Down")
        name = focused_name(app, name, time.monotonic() + 2)
        if name and app_id in name:
            break
    check("the test window is chosen by keyboard", name is not None and app_id in name, name)
    pattern = named(rule, "Pattern", pyatspi.ROLE_TEXT)
    text = pattern.queryText().getText(0, -1) if pattern else None
    check("choosing it fills in its application id", text == app_id, text)
    keys("alt+o")
    mode = labelled(rule, "Mode:", pyatspi.ROLE_COMBO_BOX)
    if not check("Alt+O goes to the mode", mode is not None and wait_for(lambda: focus_within(mode))):
        return
    keys("Down")  # from Mode A, offered for a new rule
    check("Down sets Mode B", wait_for(lambda: mode.name == "Mode B"), mode.name)
    keys("Return")
    table = wait_for(lambda: window(app, "Add Rule") is None
                     and named(dialog, "Rules (the first that matches decides)"))
    cells = cell_names(table) if table else []
    check("the rule list shows the new rule",
          cells[-3:] == ["Application", app_id, "Mode B"], cells)

    box = switch_box(dialog, check, checked=False)
    if box is None:
        return
    keys("alt+s")
    check("switching on starts the service", wait_for(lambda: named(dialog, RUNS), 15) is not None)
    check("the switch is on", wait_for(lambda: has_state(box, pyatspi.STATE_CHECKED)
                                      and has_state(box, pyatspi.STATE_SENSITIVE)) is not None)
    keys("Return")
    check("OK closes the dialog", wait_for(lambda: window(app, CAPTION) is None))


def switch_off(app, check):
    dialog = open_dialog(app, check)
    if dialog is None:
        return
    check("the dialog shows that the service runs", wait_for(lambda: named(dialog, RUNS)) is not None)
    if switch_box(dialog, check, checked=True) is None:
        return
    keys("alt+s")
    check("switching off ends the service", wait_for(lambda: named(dialog, STOPPED), 15) is not None)
    keys("Escape")
    check("Escape closes the dialog", wait_for(lambda: window(app, CAPTION) is None))


def main():
    window_id, task, app_id = sys.argv[1:4]
    check = Checks()
    app = find_app(time.monotonic() + 15)
    if check(f"{APP_NAME} is on the accessibility bus", app is not None):
        subprocess.run(["xdotool", "windowactivate", "--sync", window_id], check=True)
        time.sleep(0.3)
        add_rule(app, check, app_id) if task == "add-rule" else switch_off(app, check)
    print(f"{check.passed} passed, {check.failed} failed")
    return 1 if check.failed else 0


if __name__ == "__main__":
    sys.exit(main())
