"""a11ytool: reads and drives the windows of GTK programs on the rig's screen
through the accessibility interface (AT-SPI), for the test rig, as wintool
does under Wine. Every command prints plain lines on standard output and exits
0 on success, 1 when the window or widget is not there (or will not do what is
asked), 2 on a usage error.

A widget is named by its role and its label, as a person sees it: ROLE is
AT-SPI's role name ("push button", "radio button", "combo box", ...) and LABEL
its text, or "" for the first widget of that role.

    controls TITLE               one line per widget: role<TAB>name<TAB>checked<TAB>enabled
    focused TITLE                role<TAB>name of the widget with the keyboard focus
    labelled TITLE ROLE LABEL    the name of the label that labels the widget ("" for none)
    combo TITLE ROLE LABEL       "selected N", then one line per entry
    checked TITLE ROLE LABEL     1 or 0
    enabled TITLE ROLE LABEL     1 or 0
    click TITLE ROLE LABEL       press a button (its first action, "click")
    select TITLE ROLE LABEL N    choose entry N of a combo box

The window is waited for up to SNOWGIG_A11Y_WAIT_MS (default 10000): a
program's widgets reach the accessibility bus a moment after its window maps.
Runs with Debian's own Python (/usr/bin/python3), which has the AT-SPI
bindings; the bus comes from DBUS_SESSION_BUS_ADDRESS or the screen.
"""
import os
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Entries of a combo box are the items of the menu it holds.
ENTRY_ROLES = ("menu item", "check menu item", "radio menu item")


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def find_window(title):
    """The top-level frame or dialog titled `title`, waited for."""
    wait_ms = int(os.environ.get("SNOWGIG_A11Y_WAIT_MS", "10000"))
    deadline = time.monotonic() + wait_ms / 1000.0
    while True:
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            for window in children(app):
                if window.get_name() == title and \
                        window.get_state_set().contains(Atspi.StateType.SHOWING):
                    return window
        if time.monotonic() >= deadline:
            return None
        time.sleep(0.1)


def widgets(node):
    """The widgets inside a window in reading order, not descending into a
    combo box (whose menu holds its entries)."""
    for child in children(node):
        yield child
        if child.get_role_name() != "combo box":
            yield from widgets(child)


def find_widget(window, role, label):
    for widget in widgets(window):
        if widget.get_role_name() == role and (not label or widget.get_name() == label):
            return widget
    return None


def entries(combo):
    """[names] of a combo box's entries, in its order."""
    for menu in children(combo):
        if menu.get_role_name() == "menu":
            return [item.get_name() for item in children(menu)
                    if item.get_role_name() in ENTRY_ROLES]
    return []


def selected_index(combo, names):
    """The combo box's chosen entry: the one its menu marks selected, or else
    the one whose text it shows."""
    for menu in children(combo):
        if menu.get_role_name() == "menu" and menu.get_n_selected_children() > 0:
            chosen = menu.get_selected_child(0)
            if chosen is not None:
                return chosen.get_index_in_parent()
    name = combo.get_name()
    return names.index(name) if name in names else -1


def has_state(widget, state):
    return 1 if widget.get_state_set().contains(state) else 0


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    command, title, rest = argv[0], argv[1], argv[2:]
    window = find_window(title)
    if window is None:
        print("no window titled %r" % title, file=sys.stderr)
        return 1
    if command == "controls" and not rest:
        for w in widgets(window):
            print("%s\t%s\t%d\t%d" % (w.get_role_name(), w.get_name() or "",
                                      has_state(w, Atspi.StateType.CHECKED),
                                      has_state(w, Atspi.StateType.SENSITIVE)))
        return 0
    if command == "focused" and not rest:
        for w in widgets(window):
            if has_state(w, Atspi.StateType.FOCUSED):
                print("%s\t%s" % (w.get_role_name(), w.get_name() or ""))
                return 0
        return 1
    wanted = {"combo": 2, "checked": 2, "enabled": 2, "click": 2, "select": 3, "labelled": 2}
    if wanted.get(command) != len(rest):
        print(__doc__, file=sys.stderr)
        return 2
    widget = find_widget(window, rest[0], rest[1])
    if widget is None:
        print("no %s %r in %r" % (rest[0], rest[1], title), file=sys.stderr)
        return 1
    if command == "combo":
        names = entries(widget)
        print("selected %d" % selected_index(widget, names))
        for name in names:
            print(name)
        return 0
    if command == "checked":
        print(has_state(widget, Atspi.StateType.CHECKED))
        return 0
    if command == "enabled":
        print(has_state(widget, Atspi.StateType.SENSITIVE))
        return 0
    if command == "labelled":
        for relation in widget.get_relation_set():
            if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
                print(relation.get_target(0).get_name() or "")
                return 0
        print("")
        return 0
    if command == "click":
        return 0 if widget.get_n_actions() > 0 and widget.do_action(0) else 1
    index = int(rest[2])
    return 0 if 0 <= index < len(entries(widget)) and widget.select_child(index) else 1


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except GLib.Error as failure:
        print("accessibility bus: %s" % failure.message, file=sys.stderr)
        sys.exit(1)
