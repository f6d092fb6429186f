"""Drives PadConfig's "By Application..." dialog by keyboard and reads it through
AT-SPI, as a screen-reader user would: adds a rule that gives the test window Mode B,
switches the mode service on and presses OK. The rules file then holds the rule beside
the user's lines, and the focused test window switches the simulated keypad to Mode B.
The switch acts on OK only: switched off and cancelled, the service runs on; switched
off with OK, it ends and its autostart entry goes. A service started by hand shows as
on.

Usage: mode_dialog.py APP_ID PADCONFIG, in the session mode-dialog.sh sets up.
Prints one line per check and ends with "N passed, N failed"; exits 1 on a failure.
"""

import os
import subprocess
import sys
import time

import pyatspi

from tab_order import find_app, focused_name

CAPTION = "Modes by Application"
RULES = "Rules (the first that matches decides)"
RUNS = "The mode service padconfig-modes runs."
STOPPED = "The mode service padconfig-modes does not run."
FIELDS = ["Application", "Executable", "Window title"]
USERS_LINES = ("# my games: the dialog keeps this comment\n"
               "frobnicate   # a line the service cannot read\n")
results = {True: 0, False: 0}


def check(what, ok, seen=None):
    ok = bool(ok)
    results[ok] += 1
    print(f"ok: {what}" if ok else f"FAIL: {what}: got {seen!r}")
    return ok


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def run(*command):
    return subprocess.run(command, capture_output=True, text=True).stdout


def wait_for(find, seconds=10):
    """The first truthy answer of find() within the time, else None."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # an accessible that went away while we looked
            found = None
        if found:
            return found
        time.sleep(0.1)
    return None


def descendants(accessible):
    for child in list(accessible):
        if child is not None:
            yield child
            yield from descendants(child)


def named(root, name, role=None):
    return next((a for a in descendants(root)
                 if a.name == name and role in (None, a.getRole())), None)


def labelled(root, label, role):
    """The control of that role that the label names (a combo box's name is its value)."""
    for a in descendants(root):
        for relation in a.getRelationSet() if a.getRole() == role else []:
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and any(
                    relation.getTarget(i).name == label for i in range(relation.getNTargets())):
                return a
    return None


def width(accessible):
    return accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width


def state(accessible, which):
    return accessible.getState().contains(which)


def focus_within(accessible):
    return any(state(a, pyatspi.STATE_FOCUSED) for a in [accessible, *descendants(accessible)])


def window(app, caption):
    return next((w for w in app if w is not None and w.name == caption), None)


def x_window(*search):
    found = wait_for(lambda: run("xdotool", "search", "--onlyvisible", *search).split(), 20)
    return found[0] if found else None


def read(path):
    return open(path, encoding="utf-8").read() if os.path.exists(path) else None


def open_dialog(app, window_id):
    subprocess.run(["xdotool", "windowactivate", "--sync", window_id], check=True)
    time.sleep(0.3)
    keys("alt+m", "b")
    return wait_for(lambda: window(app, CAPTION))


def service_runs():
    """Whether a process holds the service's instance lock, as /proc/locks tells."""
    try:
        inode = os.stat(os.environ["XDG_RUNTIME_DIR"] + "/padconfig-modes.lock").st_ino
    except FileNotFoundError:
        return False
    return any(fields[5].endswith(f":{inode}") for fields in
               (line.split() for line in open("/proc/locks")) if fields[1] != "->")


def switch_box(dialog, on):
    """The switch, once the dialog knows how the service is set up."""
    box = wait_for(lambda: [b for b in [named(dialog, "Switch modes automatically")]
                            if state(b, pyatspi.STATE_SENSITIVE)], 20)
    check(f"the switch can be used and shows the service {'on' if on else 'off'}",
          box and state(box[0], pyatspi.STATE_CHECKED) == on)
    return box[0] if box else None


def add_rule(app, dialog, app_id):
    name = focused_name(app, None, time.monotonic() + 5)
    check("the focus starts on the rule list", name == RULES, name)
    status = wait_for(lambda: [a.name for a in descendants(dialog) if a.name.startswith("Desktop:")])
    check("the status line names the desktop and follows its focus",
          status and "follows the focused window" in status[0], status)
    check("the dialog says that the service does not run", named(dialog, STOPPED))
    keys("alt+a")
    rule = wait_for(lambda: window(app, "Add Rule"))
    if not check("Add... opens the rule dialog", rule):
        return
    windows = named(rule, "Open windows")
    check("the focus starts on the open windows", windows and wait_for(lambda: focus_within(windows)))
    check("they list the test window", wait_for(lambda: any(app_id in a.name for a in descendants(rule))))
    keys("Down")
    name = focused_name(app, None, time.monotonic() + 3)
    check("Down chooses it", name and app_id in name, name)
    field = labelled(rule, "Match on:", pyatspi.ROLE_COMBO_BOX)
    fields = [a.name for a in descendants(field) if a.getRole() == pyatspi.ROLE_LIST_ITEM] if field else []
    check("Match on lists the fields in the rules file's order", fields == FIELDS, fields)
    long_title = next((a for a in descendants(windows) if a.name.startswith("A long title")), None) if windows else None
    widths = [width(long_title), width(windows)] if long_title else None
    check("a window with a very long title is shown no wider than the list",
          widths and 0 < widths[0] <= widths[1], widths)
    pattern = named(rule, "Pattern", pyatspi.ROLE_TEXT)
    text = pattern.queryText().getText(0, -1) if pattern else None
    check("choosing it fills in its application id", text == app_id, text)
    keys("alt+o")
    mode = labelled(rule, "Mode:", pyatspi.ROLE_COMBO_BOX)
    if not check("Alt+O goes to the mode", mode and wait_for(lambda: focus_within(mode))):
        return
    keys("Down")  # from Mode A, offered for a new rule
    check("Down sets Mode B", wait_for(lambda: mode.name == "Mode B"), mode.name)
    keys("Return")
    table = wait_for(lambda: window(app, "Add Rule") is None and named(dialog, RULES))
    cells = [a.name for a in descendants(table) if a.getRole() == pyatspi.ROLE_TABLE_CELL] if table else []
    check("the rule list shows the new rule", cells[-3:] == ["Application", app_id, "Mode B"], cells)

    box = switch_box(dialog, on=False)
    if box:
        keys("alt+s")
        check("the switch is on", wait_for(lambda: state(box, pyatspi.STATE_CHECKED)))
        time.sleep(1)
        check("the service starts only on OK", not service_runs() and named(dialog, STOPPED))
    keys("Return")
    check("OK closes the dialog", wait_for(lambda: window(app, CAPTION) is None, 15))
    check("OK starts the service", wait_for(service_runs))


def switch_off(app, main_window):
    dialog = open_dialog(app, main_window)
    if not check("the dialog opens again", dialog):
        return
    check("the dialog says that the service runs", wait_for(lambda: named(dialog, RUNS)))
    box = switch_box(dialog, on=True)
    if box:
        keys("alt+s")
        check("the switch is off", wait_for(lambda: not state(box, pyatspi.STATE_CHECKED)))
        keys("Escape")
        check("Escape closes the dialog", wait_for(lambda: window(app, CAPTION) is None))
        time.sleep(1)
        check("switched off and cancelled, the service runs on", service_runs())
    dialog = open_dialog(app, main_window)
    box = switch_box(dialog, on=True) if dialog else None
    if box:
        keys("alt+s")
        wait_for(lambda: not state(box, pyatspi.STATE_CHECKED))
        keys("Return")
        check("OK closes the dialog", wait_for(lambda: window(app, CAPTION) is None, 15))
        check("switched off with OK, the service ends", wait_for(lambda: not service_runs()))


def started_by_hand(app, main_window, service):
    """A service that the user started shows as on (nor the autostart entry nor the unit
    says so)."""
    entry = os.environ["XDG_CONFIG_HOME"] + "/autostart/padconfig-modes.desktop"
    if os.path.exists(entry):
        os.remove(entry)
    with subprocess.Popen([service], stderr=subprocess.DEVNULL) as running:
        wait_for(service_runs)
        dialog = open_dialog(app, main_window)
        if check("the dialog opens with a service started by hand", dialog):
            switch_box(dialog, on=True)
            check("the dialog says that it runs", wait_for(lambda: named(dialog, RUNS)))
            keys("Escape")
            wait_for(lambda: window(app, CAPTION) is None)
        running.terminate()


def main():
    app_id, padconfig = sys.argv[1:3]
    config = os.environ["XDG_CONFIG_HOME"]
    rules = f"{config}/padconfig/modes.conf"
    entry = f"{config}/autostart/padconfig-modes.desktop"
    keypad = os.environ["PADLINK_SIMULATOR"]
    os.makedirs(os.path.dirname(rules))
    with open(rules, "w", encoding="utf-8") as file:
        file.write(USERS_LINES + "default keep\n")
    wait_for(lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))
    with subprocess.Popen([padconfig], stdout=subprocess.DEVNULL) as program:
        main_window = x_window("--name", "^Corvask 12 - ")
        test_window = x_window("--class", "^" + app_id.replace(".", "\\.") + "$")
        app = find_app(time.monotonic() + 15)
        if check("PadConfig and the test window show up, on the accessibility bus",
                 main_window and test_window and app):
            dialog = open_dialog(app, main_window)
            if check("Mode > By Application... opens the dialog", dialog):
                add_rule(app, dialog, app_id)
            expected = USERS_LINES + f"app:{app_id} b\ndefault keep\n"
            check("the rules file holds the rule, the user's lines kept", read(rules) == expected,
                  read(rules))
            check("the autostart entry is in place", os.path.exists(entry))
            subprocess.run(["xdotool", "windowactivate", "--sync", test_window], check=True)
            modes = lambda: [line.split()[3] for line in open(keypad) if line.startswith("03 ff ff")]
            check("the focused test window switches the keypad from Normal to Mode B",
                  wait_for(lambda: modes() == ["00", "02"]), modes())
            switch_off(app, main_window)
            check("switching off takes the autostart entry away", not os.path.exists(entry))
            check("the rules stay as OK wrote them", read(rules) == expected, read(rules))
            started_by_hand(app, main_window, os.path.dirname(padconfig) + "/padconfig-modes")
        program.terminate()
    print(f"{results[True]} passed, {results[False]} failed")
    return 1 if results[False] or not results[True] else 0


if __name__ == "__main__":
    sys.exit(main())
