#!/usr/bin/python3
"""Starts VEQ Editor and reads it as a screen reader does, over AT-SPI.

Every window must be a frame or a dialog with its title for a name (never a
"filler"); every list, text box and button must have a name, and in the main
window the lists and the repeated buttons (Read, Write, Add, Delete, Copy)
must name their file or list; count labels say which list they count; lines
are separators; the folder tree has no header named "1". The keyboard starts
on the FileList list once the window system gives the window the keyboard.
The tool windows are opened through their buttons' AT-SPI actions.

Run it under tests/atspi/with_atspi.sh. Exits non-zero with every problem found.
"""
import ctypes
import re
import subprocess
import sys
import time

import pyatspi

TIMEOUT = 20  # seconds for anything to appear on the bus
LIST_WORD = re.compile(r"filelist|except|planesq", re.IGNORECASE)
SERVES = re.compile(r"filelist|except|planesq|squadron|extra|missing|folder", re.IGNORECASE)
ITEM_HOLDERS = {"list", "tree", "tree table", "table"}  # their children are entries, not controls
CONTROLS = {"push button", "list", "text", "tree", "tree table"}
problems = []


def wait_for(what, find):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} did not appear within {TIMEOUT} s; problems so far: {problems}")


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c is not None]


def descendants(node):
    for child in children(node):
        yield child
        if child.getRoleName() not in ITEM_HOLDERS:
            yield from descendants(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def window(app, title):
    return next((w for w in children(app) if w.name == title and showing(w)), None)


def control(win, name):
    return next((c for c in descendants(win) if c.name == name), None)


def press(win, name):
    button = control(win, name)
    if button is None:
        sys.exit(f"FAIL: no button '{name}' in '{win.name}'")
    button.queryAction().doAction(0)


def check_window(win, role, main=False):
    if win.getRoleName() != role:
        problems.append(f"window '{win.name}' is a {win.getRoleName()}, not a {role}")
    nodes = list(descendants(win))
    print(f"{win.getRoleName()} '{win.name}': {len(nodes)} objects, "
          f"{sum(n.getRoleName() in CONTROLS for n in nodes)} lists, text boxes and buttons")
    for node in nodes:
        role_name, name = node.getRoleName(), node.name
        where = f"{role_name} in '{win.name}'"
        if role_name == "filler" or (role_name in ("frame", "panel") and not name):
            problems.append(f"unnamed {where}")
        if role_name in CONTROLS and not name:
            problems.append(f"{where} has no name")
        header = children(node)[0] if role_name in ITEM_HOLDERS and node.childCount else None
        if header is not None and "column header" in header.getRoleName() and header.name == "1":
            problems.append(f"phantom header '1' in the {where}")
        repeated = role_name == "push button" and name.split(" ")[0] in ("Read", "Write", "Add", "Delete", "Copy")
        if main and (role_name == "list" or repeated) and not LIST_WORD.search(name):
            problems.append(f"{where} '{name}' does not name its file or list")
        if not main and role_name in ("list", "text") and not SERVES.search(name):
            problems.append(f"{where} '{name}' does not say what it serves")
        if role_name == "label" and "count" in node.description.lower() and "count" not in name.lower():
            problems.append(f"count label '{name}' in '{win.name}' is not named as a count")


def give_keyboard(title):
    """Does what a window manager does for a new window: gives it the keyboard."""
    info = subprocess.run(["xwininfo", "-name", title], capture_output=True, text=True, check=True).stdout
    window_id = int(re.search(r"Window id: (0x[0-9a-f]+)", info).group(1), 16)
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    x11.XSetInputFocus(display, window_id, 2, 0)  # RevertToParent, CurrentTime
    x11.XCloseDisplay(display)


def focused(win):
    return next((c for c in descendants(win) if c.getState().contains(pyatspi.STATE_FOCUSED)), None)


def run(app):
    main = wait_for("the main window", lambda: window(app, "VEQ Editor"))
    give_keyboard("VEQ Editor")
    start = wait_for("the keyboard focus", lambda: focused(main))
    if (start.getRoleName(), start.name) != ("list", "FileList"):
        problems.append(f"the keyboard starts on {start.getRoleName()} '{start.name}', not on the FileList list")
    check_window(main, "frame", main=True)

    # A refusal: the Message dialog, with the keyboard on OK, which carries the text.
    press(main, "Write filelist.dat")
    message = wait_for("the Message window", lambda: window(app, "Message"))
    check_window(message, "dialog")
    ok = wait_for("the keyboard on OK", lambda: focused(message))
    if ok.name != "OK" or "filelist.dat" not in ok.description:
        problems.append(f"Message: keyboard on '{ok.name}' described '{ok.description}'")
    press(message, "OK")

    # One entry in FileList and Except through the add dialog, so that Missing opens.
    for list_name, entry in (("FileList", "03010714"), ("Except", "03010716-03010717")):
        press(main, f"Add entries to the {list_name} list")
        add = wait_for("Add Aircraft Parts", lambda: window(app, "Add Aircraft Parts"))
        check_window(add, "frame")
        control(add, f"New {list_name} entry").queryEditableText().setTextContents(entry)
        press(add, f"Add to the new {list_name} entries")
        press(add, f"Finish: add the new entries to the {list_name} list")
        wait_for("the main window again", lambda: window(app, "VEQ Editor"))

    tools = (("Copy entries of one aircraft into the PlaneSQ list", "Copy From File", "Cancel"),
             ("AutoGen PlaneSQ entries from squadron.dat", "AutoGen", "Cancel"),
             ("Extra bitmaps not in the FileList list", "Extra", "Cancel"),
             ("Missing bitmaps of the FileList and Except lists", "Missing Bitmaps", "Exit"))
    for button, title, close in tools:
        press(main, button)
        tool = wait_for(title, lambda: window(app, title))
        check_window(tool, "frame")
        press(tool, close)
        wait_for("the main window again", lambda: window(app, "VEQ Editor"))


def main():
    program = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        app = wait_for("VEQ Editor on the accessibility bus",
                       lambda: next((a for a in children(pyatspi.Registry.getDesktop(0)) if a.name == "VEQ Editor"),
                                    None))
        run(app)
    finally:
        program.kill()
        program.wait()
    for problem in problems:
        print("FAIL:", problem)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
