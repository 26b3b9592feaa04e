#!/usr/bin/python3
"""Reads a running program's widgets as assistive technology does (AT-SPI), for the e2e tests.

Prints one JSON object a line for each label, text field and check box (or the --roles given):
  role, name, text, description, x, y, w, h (on the screen), wx, wy (in window coordinates: from
  the top-left of the window's content, below its menu bar), showing, visible, enabled, sensitive,
  focused, checked, path.
A QLabel's text is its name; a QLineEdit's text is its "text" and its placeholder its description.
A node is "showing" only when it and all its parents are shown; "visible" is its own flag.

Run with Debian's /usr/bin/python3 (gi.repository.Atspi) on the program's session bus.
"""

import argparse
import json
import os
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

DEFAULT_ROLES = "label,text,entry,password text,check box"


def fail(message):
    print(f"a11y.py: {message}", file=sys.stderr)
    sys.exit(2)


def find_app(pid, name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None:
            continue
        try:
            if pid is not None:
                if app.get_process_id() == pid:
                    return app
            elif (app.get_name() or "").lower() == name.lower():
                return app
        except GLib.Error:
            continue  # an application that went away meanwhile
    return None


def showing_windows(app):
    windows = []
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is not None and window.get_state_set().contains(Atspi.StateType.SHOWING):
            windows.append(window)
    return windows


def wait_for_app(pid, name, seconds):
    """The application once it has a showing window, or None after the given time."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            app = find_app(pid, name)
            if app is not None and showing_windows(app):
                return app
        except GLib.Error:
            pass  # the bus or the application is still starting
        if time.monotonic() >= deadline:
            return None
        time.sleep(0.1)


def extents(node):
    if "Component" not in node.get_interfaces():
        return None
    rect = node.get_extents(Atspi.CoordType.SCREEN)
    return rect.x, rect.y, rect.width, rect.height


def text_of(node):
    if "Text" not in node.get_interfaces():
        return None
    return node.get_text(0, node.get_character_count())


def content_origin(window):
    """Screen position of window coordinates (0, 0): the window's top-left, below its menu bar."""
    x, y, _, _ = extents(window) or (0, 0, 0, 0)
    for i in range(window.get_child_count()):
        child = window.get_child_at_index(i)
        if (child is not None and child.get_role() == Atspi.Role.MENU_BAR
                and child.get_state_set().contains(Atspi.StateType.SHOWING)):
            bar = extents(child)
            if bar is not None and bar[1] == y:
                y += bar[3]
    return x, y


def describe(node, path, origin):
    states = node.get_state_set()
    has = states.contains
    row = {
        "role": node.get_role_name(),
        "name": node.get_name(),
        "text": text_of(node),
        "description": node.get_description() or "",
    }
    box = extents(node)
    if box is not None:
        x, y, w, h = box
        row.update(x=x, y=y, w=w, h=h, wx=x - origin[0], wy=y - origin[1])
    row.update(
        showing=has(Atspi.StateType.SHOWING),
        visible=has(Atspi.StateType.VISIBLE),
        enabled=has(Atspi.StateType.ENABLED),
        sensitive=has(Atspi.StateType.SENSITIVE),
        focused=has(Atspi.StateType.FOCUSED),
    )
    if node.get_role() in (Atspi.Role.CHECK_BOX, Atspi.Role.RADIO_BUTTON, Atspi.Role.TOGGLE_BUTTON):
        row["checked"] = has(Atspi.StateType.CHECKED)
    row["path"] = "/".join(map(str, path))
    return row


def walk(node, path, origin, out, depth=0):
    if depth > 64:
        return  # a cycle in a broken tree; real trees are shallow
    out.append((node, path, origin))
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, path + [i], origin, out, depth + 1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    which = parser.add_mutually_exclusive_group()
    which.add_argument("--pid", type=int, help="the application's process id")
    which.add_argument("--app", default="brindlex", help="the application's name (any case)")
    parser.add_argument("--roles", default=DEFAULT_ROLES,
                        help=f"comma-separated role names, or 'all' (default: {DEFAULT_ROLES})")
    parser.add_argument("--wait", type=float, default=10,
                        help="seconds to wait for the application's window (default 10)")
    parser.add_argument("--showing", action="store_true", help="only nodes that are showing")
    parser.add_argument("--at", metavar="X,Y",
                        help="only nodes holding this point in window coordinates, smallest first")
    parser.add_argument("--field", help="print this field of each node as plain text, not JSON")
    parser.add_argument("--first", action="store_true", help="only the first node; fail if none")
    parser.add_argument("--origin", action="store_true",
                        help="print only 'X Y', the screen position of window coordinates (0, 0)")
    args = parser.parse_args()

    point = None
    if args.at is not None:
        try:
            point = tuple(int(v) for v in args.at.split(","))
            assert len(point) == 2
        except (ValueError, AssertionError):
            fail(f"--at wants X,Y, not {args.at!r}")
    roles = None if args.roles == "all" else {r.strip() for r in args.roles.split(",")}

    Atspi.set_timeout(5000, 10000)  # a hung program must not hang the test
    app = wait_for_app(args.pid, args.app, args.wait)
    if app is None:
        who = f"pid {args.pid}" if args.pid is not None else f"named {args.app!r}"
        fail(f"no accessible application {who} with a showing window after {args.wait:g} s")

    if args.origin:
        print(*content_origin(showing_windows(app)[0]))
        return

    nodes = []
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is not None:
            walk(window, [i], content_origin(window), nodes)

    rows = []
    for node, path, origin in nodes:
        if roles is not None and node.get_role_name() not in roles:
            continue
        row = describe(node, path, origin)
        if args.showing and not row["showing"]:
            continue
        if point is not None:
            if "wx" not in row:
                continue
            px, py = point
            if not (row["wx"] <= px < row["wx"] + row["w"] and row["wy"] <= py < row["wy"] + row["h"]):
                continue
        rows.append(row)
    if point is not None:
        rows.sort(key=lambda r: r["w"] * r["h"])  # the innermost first
    if args.first:
        if not rows:
            sys.exit(1)
        rows = rows[:1]
    for row in rows:
        if args.field is not None:
            value = row.get(args.field)
            print("" if value is None else value)
        else:
            print(json.dumps(row, ensure_ascii=False))


if __name__ == "__main__":
    try:
        main()
        sys.stdout.flush()
    except GLib.Error as error:  # e.g. the program ended while being read
        fail(f"reading the accessible tree: {error.message}")
    except BrokenPipeError:  # the reader took what it wanted (e.g. head -1)
        os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())
