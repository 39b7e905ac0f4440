#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks the accessibility tree of every window of one program, as a screen
reader reads it over AT-SPI, and names every node that takes the keyboard focus
or is a picture but has no name: a screen reader could say nothing about it.

    accessibility_walk.py <process id> <window title>...

Waits until the program has published a window of each title, then walks them
all; exits 0 when every such node has a name, 1 otherwise."""
import sys
import time

import pyatspi

# A cell or an entry of a table, tree or list says its text, and an empty
# cell has none to say: the screen reader reads its row and column instead.
ITEM_ROLES = {pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TREE_ITEM}
NAMED_ROLES = {pyatspi.ROLE_IMAGE, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON}


def needs_name(role, state):
    """A node the user can reach, a button (which a screen reader's review
    reaches without the focus) or a picture. A label that is not shown, whose
    name is its text, is hidden because it has none."""
    if role in ITEM_ROLES:
        return False
    if role == pyatspi.ROLE_LABEL and not state.contains(pyatspi.STATE_VISIBLE):
        return False
    return state.contains(pyatspi.STATE_FOCUSABLE) or role in NAMED_ROLES


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def windows_of(app):
    return [window for window in app if window is not None] if app else []


def published(pid, titles):
    names = {window.name for window in windows_of(application(pid))}
    return all(title in names for title in titles)


def unnamed(node, path, found, counts):
    counts[0] += 1
    role = node.getRole()
    state = node.getState()
    if not node.name and needs_name(role, state):
        states = sorted(pyatspi.stateToString(s) for s in state.getStates())
        found.append("%s (%s)" % (path, ", ".join(states)))
    for index, child in enumerate(node):
        if child is not None:
            unnamed(child, "%s/%s[%d]" % (path, child.getRoleName(), index), found, counts)


def main():
    pid, titles = int(sys.argv[1]), sys.argv[2:]
    deadline = time.monotonic() + 60
    while not published(pid, titles):
        if time.monotonic() > deadline:
            names = [window.name for window in windows_of(application(pid))]
            print("the program published the windows %s, not all of %s" % (names, titles))
            return 1
        time.sleep(0.1)
    found, counts = [], [0]
    for window in windows_of(application(pid)):
        unnamed(window, "'%s'" % window.name, found, counts)
    print("%d nodes in %d windows" % (counts[0], len(windows_of(application(pid)))))
    for node in found:
        print("no name: " + node)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
