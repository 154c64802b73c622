#!/usr/bin/python3
"""Reads a running program's windows as a screen reader does, over AT-SPI.

  atspi-probe.py tree APP [WINDOW]  the accessibility tree of APP's windows
                                    (only those whose name holds WINDOW):
                                    role, name, description, states, the end
                                    of any text
  atspi-probe.py watch APP SECONDS  what APP announces meanwhile: inserted
                                    text, changed names, the focus
  atspi-probe.py press APP NAME     presses APP's button named NAME, as a
                                    screen reader's user does

Run it in the program's D-Bus session with the system's Python (it needs
pyatspi); start the program with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
scripts/atspi-check.sh does all of that under a virtual X server.
"""
import sys

import pyatspi
from gi.repository import GLib

FLAGS = ("focusable", "focused", "editable", "read_only", "multi_line")


def find_app(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def tail_of_text(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    count = text.characterCount
    return count, text.getText(max(0, count - 160), count)


def describe(node):
    states = node.getState()
    flags = [f for f in FLAGS if states.contains(getattr(pyatspi, "STATE_" + f.upper()))]
    line = "%s %r" % (node.getRoleName(), node.name)
    if node.description:
        line += " desc=%r" % node.description
    if flags:
        line += " [" + ",".join(flags) + "]"
    text = tail_of_text(node)
    if text and text[0] and text[1] != node.name:
        line += " text(%d chars, ends)=%r" % text
    return line


def print_tree(node, depth=0):
    if not node.getState().contains(pyatspi.STATE_SHOWING) and depth > 0:
        return
    print("  " * depth + describe(node))
    for child in node:
        if child is not None:
            print_tree(child, depth + 1)


def tree(app_name, window=""):
    app = find_app(app_name)
    if app is None:
        names = [a.name for a in pyatspi.Registry.getDesktop(0) if a is not None]
        sys.exit("no application %r on the accessibility bus, only %r" % (app_name, names))
    for top in app:
        if top is not None and window in (top.name or ""):
            print_tree(top)


def find_button(node, name):
    if node.getRoleName() == "push button" and node.name == name:
        return node
    for child in node:
        if child is not None:
            found = find_button(child, name)
            if found is not None:
                return found
    return None


def press(app_name, name):
    app = find_app(app_name)
    button = find_button(app, name) if app is not None else None
    if button is None:
        sys.exit("no button %r in %r" % (name, app_name))
    button.queryAction().doAction(0)


def watch(app_name, seconds):
    def heard(event):
        try:
            if event.host_application.name != app_name:
                return
            source = event.source
            what = "%s %r" % (source.getRoleName(), source.name)
        except Exception:  # the source may be gone already
            what = "?"
        detail = event.any_data if event.type.startswith("object:text-changed") else ""
        if event.type.startswith("object:state-changed:focused") and not event.detail1:
            return
        print("%s: %s %s" % (event.type, what, repr(detail) if detail else ""), flush=True)

    pyatspi.Registry.registerEventListener(
        heard, "object:text-changed:insert", "object:property-change:accessible-name",
        "object:property-change:accessible-description", "object:state-changed:focused")
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop())
    pyatspi.Registry.start()


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "tree":
        tree(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else "")
    elif len(sys.argv) == 4 and sys.argv[1] == "watch":
        watch(sys.argv[2], float(sys.argv[3]))
    elif len(sys.argv) == 4 and sys.argv[1] == "press":
        press(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
