#!/usr/bin/python3
"""VEQ Editor under a window manager (openbox), driven by the keyboard.

Starts openbox, then the program as the desktop starts it from its menu entry
with a file to open, and sends keystrokes through the X server as a user types
them. What must hold:
- the file given on the entry's command line arrives in its list;
- Read by keyboard (Space on Read, Enter in the file dialog) leaves the main
  window where the user put it, active, with the keyboard on that Read;
- a tool window opens over the main window, wholly on the screen; leaving it
  (Escape, or Space on Finish) brings the main window back where it was,
  active, with the keyboard on the button that opened the tool;
- when a file dialog closes, the window that opened it is active with the
  keyboard where it was;
- the Message window opens centred over the window it speaks for, and
  Escape closes it.

Run it under tests/atspi/with_atspi.sh, which gives it a virtual X server and
the accessibility bus through which the keyboard focus is read:
    window_manager_test.py VEQ_EDITOR VEQ_MAKE_SAMPLES DESKTOP_ENTRY
Exits non-zero with every problem found; says SKIP without openbox.
"""
import ctypes
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

TIMEOUT = 20  # seconds for anything to appear
TOLERANCE = 2  # pixels that rounding may move a centred window
problems = []


def problem(text):
    print("FAIL:", text)
    problems.append(text)


def soon(find, timeout=5):
    """Whether `find` holds within `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if find():
            return True
        time.sleep(0.1)
    return False


def wait_for(what, find, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} within {timeout} s; problems so far: {problems}")


# ---- The X server: keystrokes, windows and what the window manager says of them ----

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
x11.XFlush.argtypes = [ctypes.c_void_p]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
display = None

SHIFTED = {"_": "underscore"}
NAMED = {" ": "space", ".": "period", "-": "minus", "/": "slash"}


def press(key, shift=False):
    """One keystroke, as the keyboard sends it."""
    code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(key.encode()))
    shift_code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(b"Shift_L"))
    events = [(code, 1), (code, 0)]
    if shift:
        events = [(shift_code, 1)] + events + [(shift_code, 0)]
    for keycode, down in events:
        xtest.XTestFakeKeyEvent(display, keycode, down, 0)
    x11.XFlush(display)
    time.sleep(0.25)


def type_text(text):
    for char in text:
        press(SHIFTED.get(char, NAMED.get(char, char)), char in SHIFTED)


def window_id(title):
    out = subprocess.run(["xwininfo", "-name", title], capture_output=True, text=True).stdout
    if "IsViewable" not in out:
        return None
    return int(re.search(r"Window id: (0x[0-9a-f]+)", out).group(1), 16)


def frame(title):
    """The window's frame as (left, top, width, height), or None while it is not shown."""
    out = subprocess.run(["xwininfo", "-name", title], capture_output=True, text=True).stdout
    if "IsViewable" not in out:
        return None
    value = lambda name: int(re.search(name + r":\s+(-?\d+)", out).group(1))
    wid = re.search(r"Window id: (0x[0-9a-f]+)", out).group(1)
    extents = subprocess.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"], capture_output=True, text=True).stdout
    left, right, top, bottom = map(int, re.findall(r"\d+", extents.split("=")[-1])) if "=" in extents else (0,) * 4
    return (value("Absolute upper-left X") - left, value("Absolute upper-left Y") - top,
            value("Width") + left + right, value("Height") + top + bottom)


def centre(rect):
    return rect[0] + rect[2] / 2, rect[1] + rect[3] / 2


def active_title():
    out = subprocess.run(["xprop", "-root", "_NET_ACTIVE_WINDOW"], capture_output=True, text=True).stdout
    found = re.search(r"window id # (0x[0-9a-f]+)", out)
    if not found or int(found.group(1), 16) == 0:
        return None
    name = subprocess.run(["xprop", "-id", found.group(1), "WM_NAME"], capture_output=True, text=True).stdout
    found = re.search(r'"(.*)"', name)
    return found.group(1) if found else None


def move_as_user(title, left, top):
    """Asks the window manager to move a window, as a user dragging it would."""
    event = XEvent()
    message = event.xclient
    message.type = 33  # ClientMessage
    message.send_event = 1
    message.window = window_id(title)
    message.message_type = x11.XInternAtom(display, b"_NET_MOVERESIZE_WINDOW", 0)
    message.format = 32
    # North-west gravity, x and y given, from a pager or the user (source 2).
    message.data[0] = 1 | (1 << 8) | (1 << 9) | (2 << 12)
    message.data[1], message.data[2] = left, top
    mask = (1 << 19) | (1 << 20)  # SubstructureNotify | SubstructureRedirect
    x11.XSendEvent(display, x11.XDefaultRootWindow(display), 0, mask, ctypes.byref(event))
    x11.XFlush(display)
    wait_for(f"'{title}' moved to {left},{top}", lambda: frame(title)[:2] == (left, top), 10)


def screen_size():
    out = subprocess.run(["xwininfo", "-root"], capture_output=True, text=True).stdout
    return tuple(int(re.search(name + r":\s+(\d+)", out).group(1)) for name in ("Width", "Height"))


# ---- The accessibility bus: which control has the keyboard ----

def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c is not None]


def descendants(node):
    for child in children(node):
        yield child
        if child.getRoleName() not in ("list", "tree", "tree table", "table"):
            yield from descendants(child)


def window(app, title):
    return next((w for w in children(app) if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)),
                None)


def file_dialog(app):
    """The file dialog, once it is shown and has the keyboard."""
    return next((w for w in children(app) if w.getRoleName() in ("dialog", "file chooser") and
                 w.name not in ("Message", "Working") and w.getState().contains(pyatspi.STATE_SHOWING) and
                 w.getState().contains(pyatspi.STATE_ACTIVE)), None)


def focused(win):
    control = next((c for c in descendants(win) if c.getState().contains(pyatspi.STATE_FOCUSED)), None)
    return control.name if control else None


def control(win, name):
    found = next((c for c in descendants(win) if c.name.startswith(name)), None)
    if found is None:
        sys.exit(f"FAIL: no control '{name}' in '{win.name}'")
    return found


def keyboard_to(win, name):
    """Puts the keyboard on the control whose name starts with `name`, as Tab would; returns its name."""
    target = control(win, name)
    target.queryComponent().grabFocus()
    wait_for(f"the keyboard on '{target.name}'", lambda: focused(win) == target.name, 10)
    return target.name


# ---- What must hold ----

def expect_back(app, title, place, button):
    """The window is shown where it was, active, with the keyboard on `button`."""
    win = wait_for(f"'{title}' shown again", lambda: window(app, title))
    soon(lambda: active_title() == title and focused(win) == button, 10)
    # Qt may move the keyboard a moment after the window becomes active.
    time.sleep(0.5)
    shown = frame(title)
    if place and shown[:2] != place[:2]:
        problem(f"'{title}' moved from {place[:2]} to {shown[:2]}")
    if active_title() != title:
        problem(f"'{title}' is not active; '{active_title()}' is")
    if focused(win) != button:
        problem(f"in '{title}' the keyboard is on '{focused(win)}', not on '{button}'")
    return win


def expect_over(title, over_title, over):
    """The window is centred over another's frame `over`, as far as the screen allows, and wholly on the screen."""
    shown = frame(title)
    width, height = screen_size()
    on_screen = shown[0] >= 0 and shown[1] >= 0 and shown[0] + shown[2] <= width and shown[1] + shown[3] <= height
    if not on_screen:
        problem(f"'{title}' at {shown} is not wholly on the {width}x{height} screen")
    over_on_screen = over[0] >= 0 and over[1] >= 0 and over[0] + over[2] <= width and over[1] + over[3] <= height
    (x, y), (over_x, over_y) = centre(shown), centre(over)
    if over_on_screen and (abs(x - over_x) > TOLERANCE or abs(y - over_y) > TOLERANCE):
        problem(f"'{title}' at {shown} is not centred over '{over_title}' at {over}")
    if not over_on_screen and not (over[0] < x < over[0] + over[2] and over[1] < y < over[1] + over[3]):
        problem(f"'{title}' at {shown} is not over '{over_title}' at {over}")


def run(app, samples):
    main_title = "VEQ Editor"
    main = wait_for("the main window", lambda: window(app, main_title))
    wait_for("the main window active", lambda: active_title() == main_title)
    count = wait_for("the file from the command line in FileList",
                     lambda: next((c.name for c in descendants(main) if c.name.startswith("FileList count:")), None))
    print(count)

    # Read by keyboard: Tab to the FileList list's Read, Space, Enter in the dialog.
    wait_for("the keyboard on the FileList list", lambda: focused(main) == "FileList", 5)
    press("Tab")
    press("Tab")
    if focused(main) != "Read filelist.dat":
        problem(f"two Tabs from the FileList list lead to '{focused(main)}'")
        keyboard_to(main, "Read filelist.dat")
    for where in ("where openbox put it", "where the user moved it"):
        if where != "where openbox put it":
            move_as_user(main_title, 700, 420)  # over the screen's right and bottom edges
            keyboard_to(main, "Read filelist.dat")
        place = frame(main_title)
        press("space")
        wait_for("the file dialog of Read", lambda: file_dialog(app))
        press("Return")
        expect_back(app, main_title, place, "Read filelist.dat")
        print(f"Read by keyboard, main window {where}: at {frame(main_title)[:2]}")

        # A tool window over it, left by Escape.
        keyboard_to(main, "Add entries to the FileList list")
        press("space")
        wait_for("Add Aircraft Parts", lambda: window(app, "Add Aircraft Parts"))
        expect_over("Add Aircraft Parts", main_title, place)
        press("Escape")
        expect_back(app, main_title, place, "Add entries to the FileList list")

    # Copy: the keyboard back in it after its file dialog, and Finish by keyboard.
    move_as_user(main_title, 150, 100)
    place = frame(main_title)
    keyboard_to(main, "Copy entries of one aircraft into the FileList list")
    press("space")
    copy = wait_for("Copy From File", lambda: window(app, "Copy From File"))
    expect_over("Copy From File", main_title, place)
    type_text("25")
    adder = keyboard_to(copy, "Add the plane's entries")
    press("space")
    wait_for("the file dialog of Copy", lambda: file_dialog(app))
    type_text(os.path.join(samples, "other_filelist.dat"))
    press("Return")
    expect_back(app, "Copy From File", None, adder)
    keyboard_to(copy, "Finish")
    press("space")
    expect_back(app, main_title, place, "Copy entries of one aircraft into the FileList list")
    print(f"Copy by keyboard, its file dialog and Finish: main window at {frame(main_title)[:2]}")

    # A message over the window it speaks for; Escape closes it.
    keyboard_to(main, "Write except.dat")
    press("space")
    wait_for("the Message window", lambda: window(app, "Message"))
    expect_over("Message", main_title, frame(main_title))
    press("Escape")
    wait_for("the Message window closed by Escape", lambda: window(app, "Message") is None, 5)
    expect_back(app, main_title, place, "Write except.dat")
    print("A message over the main window, closed by Escape")


def desktop_command(entry, program, file):
    """The command a desktop runs for the entry to open `file` (%F and %f take files; other codes go)."""
    with open(entry, encoding="utf-8") as text:
        exec_line = next(line for line in text if line.startswith("Exec="))[len("Exec="):].strip()
    command = []
    for word in shlex.split(exec_line):
        if word in ("%F", "%f"):
            command.append(file)
        elif not re.fullmatch(r"%[a-zA-Z]", word):
            command.append(word)
    return [program if word == os.path.basename(program) else word for word in command]


def main():
    if shutil.which("openbox") is None:
        print("SKIP: openbox is not installed (scripts/install-deps.sh installs it)")
        return 0
    program, make_samples, entry = sys.argv[1:4]
    global display
    display = x11.XOpenDisplay(None)
    home = tempfile.mkdtemp(prefix="veq-wm-")
    samples = os.path.join(home, "samples")
    subprocess.run([make_samples, samples], check=True, capture_output=True)
    # The read dialog starts in the home folder: there is no Wine prefix in it.
    shutil.copy(os.path.join(samples, "filelist.dat"), home)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
    for name in ("XDG_CURRENT_DESKTOP", "QT_QPA_PLATFORMTHEME", "WINEPREFIX"):
        env.pop(name, None)
    wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    editor = None
    try:
        wait_for("openbox", lambda: "window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout)
        command = desktop_command(entry, program, os.path.join(samples, "filelist.dat"))
        print("starting:", " ".join(command))
        editor = subprocess.Popen(command, cwd=home, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                  text=True)
        app = wait_for("VEQ Editor on the accessibility bus",
                       lambda: next((a for a in children(pyatspi.Registry.getDesktop(0)) if a.name == "VEQ Editor"),
                                    None))
        run(app, samples)
    finally:
        for process in (editor, wm):
            if process:
                process.kill()
                process.wait()
        shutil.rmtree(home, ignore_errors=True)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
