# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
"""Lists Kormix's accessible tree as AT-SPI shows it to a screen reader.

Run by a11y-check.sh inside a private session. Prints the main window, opens
the setup dialog through its accessible "Setup System" button, prints it and
closes it again. Exits with 1 when a control (a button, an option, a check
box, a text field, a menu or menu item) has no name.
"""
import sys
import time

import pyatspi

CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_MENU,
    pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_PAGE_TAB,
}

unnamed = []


def wait_for(what, find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit("a11y-check: no %s appeared" % what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "kormix":
            return app
    return None


def frame(app, title):
    for window in app:
        if window is not None and window.name == title:
            return window
    return None


def labelled_by(node):
    names = []
    try:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                for i in range(relation.getNTargets()):
                    names.append(relation.getTarget(i).name)
    except Exception:
        pass
    return names


def show(node, depth=0):
    role = node.getRoleName()
    line = "%s%s \"%s\"" % ("  " * depth, role, node.name)
    if node.description:
        line += "  description \"%s\"" % node.description
    labels = labelled_by(node)
    if labels:
        line += "  labelled by \"%s\"" % "\", \"".join(labels)
    showing = node.getState().contains(pyatspi.STATE_SHOWING)
    if not showing:
        line += "  (hidden)"
    print(line)
    if node.getRole() in CONTROLS and showing and not node.name.strip():
        unnamed.append("%s in %s" % (role, node.parent.name if node.parent else "?"))
    for child in node:
        if child is not None:
            show(child, depth + 1)


def find(node, role, name):
    if node.getRole() == role and node.name == name:
        return node
    for child in node:
        if child is not None:
            hit = find(child, role, name)
            if hit is not None:
                return hit
    return None


def main():
    app = wait_for("Kormix application", application)
    main_window = wait_for("main window", lambda: frame(app, "Kormix 1.2"))
    print("== main window")
    show(main_window)

    setup = find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Setup System")
    if setup is None:
        sys.exit("a11y-check: no button \"Setup System\"")
    setup.queryAction().doAction(0)
    dialog = wait_for("setup dialog", lambda: frame(app, "System Setup"))
    print("== setup dialog")
    show(dialog)
    ok = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK")
    if ok is not None:
        ok.queryAction().doAction(0)

    if unnamed:
        print("controls without a name:", ", ".join(unnamed))
        return 1
    print("every control has a name")
    return 0


if __name__ == "__main__":
    sys.exit(main())
