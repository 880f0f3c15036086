"""Reads the desktop program through the accessibility bus, as a screen reader would.

Waits for the program to appear, then checks that its top-level windows are frames or dialogs
with titles, that every focusable control it shows has a name, and that the pop-up notice can
be read while it shows. Prints what it found and exits 0 only when all three hold.
"""
import sys
import time

import pyatspi

APP_NAME = "tarsel"
DEBUG = bool(__import__("os").environ.get("BUS_DEBUG"))
TOP_LEVEL_ROLES = {"frame", "dialog", "alert", "notification", "window"}


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and APP_NAME in (app.name or "").lower():
            return app
    return None


def is_showing(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def in_language(name):
    """True when `name` is in the language the check asks for (any, unless BUS_SCRIPT=cyrillic)."""
    if __import__("os").environ.get("BUS_SCRIPT") != "cyrillic":
        return True
    return any("\u0400" <= ch <= "\u04ff" for ch in name)


def unnamed_focusable(node, path, found, depth=0):
    """Collects the showing, focusable controls under node that have no name (None for one
    that has a name)."""
    try:
        role = node.getRoleName()
        states = node.getState()
        showing = is_showing(node)
    except Exception:
        return
    if not showing:
        return
    here = f"{path}/{role}"
    # Rows and cells name themselves by their text; a table's or list's items are read as data.
    item_roles = {"table cell", "list item", "tree item", "page tab", "menu item"}
    if states.contains(pyatspi.STATE_FOCUSABLE) and role not in item_roles:
        heard = node.name or node.description
        found.append(None if heard and in_language(heard) else f"{here} {heard!r}")
        if DEBUG: print("  ", here, repr(node.name))
    if depth > 12 or role in ("table", "tree table", "list", "tree", "document web"):
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            unnamed_focusable(child, here, found, depth + 1)


def check_windows(app):
    problems, windows, controls = [], [], 0
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is None or not is_showing(window):
            continue
        role = window.getRoleName()
        if role not in TOP_LEVEL_ROLES:
            problems.append(f"top-level {role} {window.name!r} is not a frame or dialog")
        elif role in ("frame", "dialog") and not window.name:
            problems.append(f"top-level {role} has no title")
        windows.append(f"{role} {window.name!r}")
        focusable = []
        unnamed_focusable(window, role, focusable)
        controls += len(focusable)
        problems += [f"focusable control without a name in the language: {p}"
                     for p in focusable if p]
    print(f"read {', '.join(windows)}: {controls} focusable controls")
    return problems


def any_frame_showing(app):
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and window.getRoleName() == "frame" and is_showing(window):
            return True
    return False


def showing_alert(app):
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if (window is not None and window.getRoleName() in ("alert", "notification")
                and is_showing(window) and window.name):
            return window.name
    return None


def main():
    deadline = time.time() + (float(sys.argv[1]) if len(sys.argv) > 1 else 30)
    expected = sys.argv[2] if len(sys.argv) > 2 else "updated"
    app, notice = None, None
    # The notice shows for a few seconds only: it is looked for first, the windows after.
    while time.time() < deadline and notice is None:
        time.sleep(0.2)
        app = app or find_app()
        text = showing_alert(app) if app is not None else None
        if text and expected in text:
            notice = text
    if app is None:
        print("FAIL: the program never appeared on the accessibility bus")
        return 1
    print("notice heard:" if notice else "FAIL: no notice heard", repr(notice))
    while time.time() < deadline and not any_frame_showing(app):
        time.sleep(0.2)
    problems = check_windows(app) if any_frame_showing(app) else ["no main window shown"]
    for problem in problems:
        print("FAIL:", problem)
    return 0 if notice and not problems else 1


if __name__ == "__main__":
    sys.exit(main())
