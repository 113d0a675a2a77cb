#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks every window of the running kr4100 over the accessibility bus, as a screen reader does.

Opens each window through the menus by the menu items' own actions, reads every shown control
that a user can operate, closes the window again; then switches the language in the Setup menu
and does it all once more. Fails (exit 1) on a control without a name. A combo box is named by
its name only when that is not just one of its own entries (Qt on Linux names a combo box after
its current value and leaves the label to a relation), else by the label it is labelled by.

Menu entries are found by their places, not their texts, so the walk is the same in both
languages; the table below says which entry opens which window.
"""
import sys
import time

import pyatspi
from gi.repository import Atspi

# Menus of the main window by their place in the menu bar.
FILE, MODEL, EDIT, PROGRAM, TOOLS, SETUP, VIEW, WINDOW, HELP = range(9)

# (menu, entry): the windows and dialogs reached from the menus. Entries that only act (undo,
# arranging windows, switches) or open the desktop's file dialogs are not windows of this program.
WINDOWS = [
    (FILE, 3),  # backups
    (FILE, 8),  # compare with a file: a file dialog first, then the comparison
    (FILE, 9),  # print: the choice of pages
    (MODEL, 0),  # model information
    (EDIT, 2), (EDIT, 3), (EDIT, 4), (EDIT, 5), (EDIT, 6), (EDIT, 7), (EDIT, 8), (EDIT, 9),
    (EDIT, 10),  # the editors and the local information
    (PROGRAM, 0), (PROGRAM, 1), (PROGRAM, 2), (PROGRAM, 3),  # read, write, group write, test mode
    (TOOLS, 0), (TOOLS, 1),  # radio information, setting it
    (SETUP, 0), (SETUP, 1),  # port, language
    (HELP, 0),  # about
]
LANGUAGE = (SETUP, 1)
# Windows reached past a question: (menu, entry) -> the buttons to answer the first windows with.
ANSWERS = {
    (PROGRAM, 0): [["OK", "确定", "Yes", "是"]],  # read from the virtual radio: its progress
    (PROGRAM, 1): [["OK", "确定", "Yes", "是"]],  # write: what it would change, then cancelled
}
CLOSE_ALL = (WINDOW, 4)

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_SLIDER, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_PAGE_TAB,
}
# Buttons that leave a window without changing anything, most careful first.
LEAVING = ["Cancel", "取消", "No", "否", "Close", "关闭", "Exit", "退出", "OK", "确定", "Ok"]
# A window's own parts that a screen reader reads as one (a combo box's list of entries).
NOT_DESCENDED = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
                 pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_COMBO_BOX}

problems = []
walked = set()


STARTED = time.time()


def log(*args):
    print(f"{time.time() - STARTED:6.1f}", *args, flush=True)


def find_app(timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "kr4100":
                try:
                    main_frame(app)  # past the splash
                    return app
                except RuntimeError:
                    pass
        time.sleep(0.2)
    sys.exit("kr4100 never appeared on the accessibility bus")


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return []


def entries(combo):
    names = set()
    for part in children(combo):
        for item in children(part):
            names.add((item.name or "").strip())
    return names


def labels(node):
    names = []
    try:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                for i in range(relation.getNTargets()):
                    names.append((relation.getTarget(i).name or "").strip())
    except Exception:
        pass
    return [n for n in names if n]


def heard_name(node, role):
    name = (node.name or "").strip()
    by_label = " / ".join(labels(node))
    # (A long list's entries are many calls to read: only where no label names the box.)
    if role == pyatspi.ROLE_COMBO_BOX and not by_label and name in entries(node):
        name = ""
    return name or by_label


def where(node):
    path = []
    while node is not None:
        try:
            role = node.getRole()
            if role in (pyatspi.ROLE_APPLICATION,):
                break
            if role in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_INTERNAL_FRAME,
                        pyatspi.ROLE_ALERT, pyatspi.ROLE_WINDOW):
                path.append(repr(node.name))
            node = node.parent
        except Exception:
            break
    return " in ".join(path) or "?"


def check(node, context, menus=False, depth=0):
    """Every operable control under node that is shown (menu entries: all) has a name."""
    if depth > 40:
        return
    try:
        role = node.getRole()
    except Exception:
        return
    in_menu = role in (pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_MENU)
    if depth > 0 and not (showing(node) or (menus and (in_menu or role == pyatspi.ROLE_MENU_ITEM))):
        return
    if role in INTERACTIVE or role == pyatspi.ROLE_MENU:
        name = heard_name(node, role)
        key = (context, where(node), node.getRoleName(), name)
        if not name and key not in walked:
            problems.append(f"{context}: {node.getRoleName()} without a name in {where(node)}")
        walked.add(key)
    if role in NOT_DESCENDED:
        return
    for child in children(node):
        check(child, context, menus or in_menu, depth + 1)


def press(node):
    """Runs a control's first action. An action that opens a modal dialog answers only once the
    dialog closes, so the call is not waited for."""
    Atspi.set_timeout(250, -1)
    try:
        node.queryAction().doAction(0)
    except Exception:
        pass
    finally:
        Atspi.set_timeout(-1, -1)


def menu_entry(app, menu, entry):
    frame = main_frame(app)
    bar = next(c for c in children(frame) if c.getRole() == pyatspi.ROLE_MENU_BAR)
    top = bar.getChildAtIndex(menu)
    items = [c for c in children(top.getChildAtIndex(0)) if c.getRole() != pyatspi.ROLE_SEPARATOR]
    return items[entry]


def main_frame(app):
    for window in children(app):
        if window.getRole() == pyatspi.ROLE_FRAME and any(
                c.getRole() == pyatspi.ROLE_MENU_BAR for c in children(window)):
            return window
    raise RuntimeError("no main window")


def windows(app):
    """The top-level windows besides the main one (dialogs, message boxes), and the windows
    inside the main one (editors, the test-mode panel)."""
    frame = main_frame(app)
    tops = [w for w in children(app) if showing(w) and w != frame]
    inner = []

    def collect(node, depth=0):
        if depth > 6:
            return
        for child in children(node):
            if child.getRole() in (pyatspi.ROLE_INTERNAL_FRAME, pyatspi.ROLE_FRAME):
                # A window taller than the screen is not "showing" itself; its controls are.
                if showing(child) or any(showing(c) for c in children(child)):
                    inner.append(child)
            elif child.getRole() not in NOT_DESCENDED and child.getRole() != pyatspi.ROLE_MENU_BAR:
                collect(child, depth + 1)

    collect(frame)
    return tops, inner


def buttons(window):
    found = []

    def collect(node, depth=0):
        if depth > 12:
            return
        for child in children(node):
            if child.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(child):
                found.append(child)
            elif child.getRole() not in NOT_DESCENDED:
                collect(child, depth + 1)

    collect(window)
    return found


def leave(window, words=LEAVING):
    """Closes a top-level window by the first of words on its buttons, else by Escape."""
    by_name = {(b.name or "").replace("&", "").strip(): b for b in buttons(window)}
    for word in words:
        for name, button in by_name.items():
            if name == word or name.startswith(word + "("):
                press(button)
                return
    Atspi.generate_keyboard_event(0xff1b, None, Atspi.KeySynthType.SYM)


def settle(seconds=0.6):
    time.sleep(seconds)


def shown_windows(app):
    tops, inner = windows(app)
    return [(w.getRoleName(), w.name) for w in tops + inner]


def wait_change(app, before, timeout):
    """Waits until the windows on show differ from before, or timeout seconds pass."""
    end = time.time() + timeout
    while time.time() < end:
        time.sleep(0.1)
        try:
            if shown_windows(app) != before:
                time.sleep(0.1)  # let the window fill in
                return
        except Exception:
            pass


def open_and_walk(app, menu, entry, language):
    item = menu_entry(app, menu, entry)
    context = f"[{language}] {menu_name(app, menu)} > {item.name}"
    try:
        enabled = item.getState().contains(pyatspi.STATE_ENABLED)
    except Exception:
        enabled = False
    if not enabled:
        log(f"{context}: not enabled here")
        return
    log(f"{context}: opening")
    before = shown_windows(app)
    press(item)
    wait_change(app, before, 1.5)
    answers = list(ANSWERS.get((menu, entry), []))
    # Each window that opens is walked, then left; leaving one may open the next (a question,
    # then a progress window, then a result).
    for _ in range(8):
        tops, inner = windows(app)
        for window in tops + inner:
            log(f"{context}: walking {window.getRoleName()} {window.name!r}")
            check(window, context)
        if not tops:
            break
        before = shown_windows(app)
        leave(tops[-1], answers.pop(0) if answers else LEAVING)
        wait_change(app, before, 3.0)
    if windows(app)[1]:
        press(menu_entry(app, *CLOSE_ALL))
        settle(0.2)


def menu_name(app, menu):
    bar = next(c for c in children(main_frame(app)) if c.getRole() == pyatspi.ROLE_MENU_BAR)
    return bar.getChildAtIndex(menu).name


def switch_language(app):
    """Setup > Language: the other entry of its list, then OK."""
    before = shown_windows(app)
    press(menu_entry(app, *LANGUAGE))
    wait_change(app, before, 2.0)
    dialog = windows(app)[0][-1]
    # The list has the focus; Down picks the second language.
    Atspi.generate_keyboard_event(0xff54, None, Atspi.KeySynthType.SYM)
    settle(0.3)
    for button in buttons(dialog):
        if (button.name or "").replace("&", "") == "OK":
            press(button)
    settle(1.0)
    still = windows(app)[0]
    if still:
        leave(still[-1])
        settle(0.5)
    return dialog


def main():
    app = find_app()
    settle(1.0)
    languages = ["English", "Chinese"]
    first_caption = menu_name(app, FILE)
    # The editors open at start are walked with the main window, then closed.
    press(menu_entry(app, *CLOSE_ALL))
    settle(0.3)
    for number, language in enumerate(languages):
        if number > 0:
            switch_language(app)
            if menu_name(app, FILE) == first_caption:
                problems.append("the language did not change through the Setup menu")
                break
        check(main_frame(app), f"[{language}] main window", menus=True)
        for menu, entry in WINDOWS:
            try:
                open_and_walk(app, menu, entry, language)
            except Exception as error:  # a window that vanished while read
                log(f"[{language}] menu {menu}/{entry}: {error!r}")
    for line in problems:
        log("UNNAMED " + line)
    log(f"{len(walked)} controls read, {len(problems)} without a name")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
