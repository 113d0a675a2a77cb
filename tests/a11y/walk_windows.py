#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks every window of the running kr4100 over the accessibility bus, as a screen reader does.

Opens each window through the menus by the menu items' own actions, reads every shown control
that a user can operate, goes on to the windows that open from it (the comparison with a file,
the test mode's adjustment windows, the channel grid's context menu and what it opens, the
port's cable search), closes them again; then switches the language in the Setup menu and does
it all once more. The program runs with --group-write, so that writing to a group of radios is
offered. Fails (exit 1) on a control without a name and on a window it cannot reach. A combo box
is named by its name only when that is not just one of its own entries (Qt on Linux names a
combo box after its current value and leaves the label to a relation), else by the label it is
labelled by.

Menu entries are found by their places, not their texts, so the walk is the same in both
languages; the table below says which entry opens which window, ROUTES how to go on from it.
"""
import os
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

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
    # group write: the number of radios, the question; the progress is cancelled
    (PROGRAM, 2): [["OK", "确定"], ["OK", "确定", "Yes", "是"]],
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

# Menus whose entries are read whether they are open or not (a submenu's entries included).
MENUS = {pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_MENU, pyatspi.ROLE_POPUP_MENU}

problems = []
walked = set()


STARTED = time.time()
ESCAPE, UP, DOWN, RETURN, F10, MENU_KEY = 0xff1b, 0xff52, 0xff54, 0xff0d, 0xffc7, 0xff67
SHIFT_KEYCODE = 50  # the left Shift of the X server's keyboard


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
    in_menu = role in MENUS
    if depth > 0 and not (showing(node) or (menus and (in_menu or role == pyatspi.ROLE_MENU_ITEM))):
        return
    if role in INTERACTIVE or role in (pyatspi.ROLE_MENU, pyatspi.ROLE_POPUP_MENU):
        name = heard_name(node, role)
        place = where(node)
        if role in MENUS or role == pyatspi.ROLE_MENU_ITEM:
            # Menus are no windows: the entry a menu opens from tells them apart.
            place = f"{getattr(node.parent, 'name', '')!r} in {place}"
        seen = (context, place, node.getRoleName(), name)
        if not name and seen not in walked:
            problems.append(f"{context}: {node.getRoleName()} without a name under {place}")
        walked.add(seen)
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


def button(window, words):
    """The first button whose caption is one of words (a Chinese caption may end in its
    accelerator, "取消(C)"), or None."""
    by_name = {(b.name or "").replace("&", "").strip(): b for b in buttons(window)}
    for word in words:
        for name, found in by_name.items():
            if name == word or name.startswith(word + "("):
                return found
    return None


def key(symbol):
    Atspi.generate_keyboard_event(symbol, None, Atspi.KeySynthType.SYM)


def leave(window, words=LEAVING):
    """Closes a top-level window by the first of words on its buttons, else by Escape."""
    found = button(window, words)
    if found is not None:
        press(found)
    else:
        key(ESCAPE)


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


def walk_shown(app, context, only=None):
    """Walks the windows on show (or only those of them that are in only); returns the top ones."""
    tops, inner = windows(app)
    for window in tops + inner:
        if only is None or window in only:
            log(f"{context}: walking {window.getRoleName()} {window.name!r}")
            check(window, context)
    return tops


def act_and_walk(app, context, action, answers=(), timeout=3.0):
    """Runs action, which opens windows over the ones on show; walks each window that opens and
    leaves it (by answers, then by the careful buttons) until only the ones before are left.
    Returns how many windows were walked."""
    base = windows(app)[0]
    before = shown_windows(app)
    action()
    wait_change(app, before, timeout)
    answers = list(answers)
    opened = 0
    for _ in range(8):
        tops = windows(app)[0]
        new = [window for window in tops if window not in base]
        if not new:
            break
        walk_shown(app, context, new)
        opened += 1
        before = shown_windows(app)
        leave(new[-1], answers.pop(0) if answers else LEAVING)
        wait_change(app, before, timeout)
    return opened


def reached(context, what, opened):
    if not opened:
        problems.append(f"{context}: {what} did not open")
    return opened


# --- Windows past the first one: what a route does once its menu entry's window is open ---

COMPARED_FILE = "1_KR-4100.dat"  # a template that differs from the document, so a list shows
OPEN = ["Open", "打开"]
TUNING = ["Tuning", "调协模式"]
TUNED_ROWS = (0, 12)  # an item tuned at six points, and a measured one (its own layout)
FIND_CABLE = ["Find My Cable...", "查找我的数据线..."]
STOP_FINDING = ["Stop Finding", "停止查找"]
# The grid's context menu, by the places of its entries (separators not counted).
FILL, DELETE, CHOOSE_ALL = 1, 6, 8


def compare_with_data_file(app, context):
    """Types a data file of the installation into the file dialog and accepts it."""
    dialog = windows(app)[0][-1]
    program = os.readlink(f"/proc/{app.get_process_id()}/exe")
    path = os.path.join(os.path.dirname(program), "Init", COMPARED_FILE)
    texts = []

    def collect(node, depth=0):
        for child in children(node):
            if child.getRole() == pyatspi.ROLE_TEXT and showing(child):
                texts.append(child)
            elif depth < 12 and child.getRole() not in NOT_DESCENDED:
                collect(child, depth + 1)

    collect(dialog)
    if not texts:
        problems.append(f"{context}: the file dialog has no file name box")
        return
    texts[-1].queryEditableText().setTextContents(path)
    settle(0.2)
    before = shown_windows(app)
    accept = button(dialog, OPEN)
    if accept is not None:
        press(accept)
    else:
        key(RETURN)
    wait_change(app, before, 3.0)
    tops = windows(app)[0]
    if not tops or any(window.name == dialog.name for window in tops):
        problems.append(f"{context}: the comparison with {COMPARED_FILE} did not open")


def tune_items(app, context):
    """Chooses adjustment items in the test mode window and tunes each: its adjustment window."""
    panel = next((w for w in windows(app)[0]
                  if any(c.getRole() == pyatspi.ROLE_LIST for c in children(w))), None)
    if panel is None:
        problems.append(f"{context}: no test mode window with its list of items")
        return
    items = next(c for c in children(panel) if c.getRole() == pyatspi.ROLE_LIST)
    for row in TUNED_ROWS:
        item = items.getChildAtIndex(row)
        press(item)  # its Toggle action chooses it
        settle(0.3)
        tuning = button(panel, TUNING)
        opened = act_and_walk(app, context, lambda: press(tuning), [["Cancel", "取消"]])
        reached(context, f"the adjustment of {item.name!r}", opened)


class PopupWatch:
    """Popup menus are no children of the application on the bus; a screen reader learns of
    them as they show, and so does the walk."""

    def __init__(self):
        self.shown = []
        pyatspi.Registry.registerEventListener(self.heard, "object:state-changed:showing")

    def heard(self, event):
        try:
            if event.detail1 and event.source.getRole() == pyatspi.ROLE_POPUP_MENU:
                self.shown.append(event.source)
        except Exception:
            pass

    def wait(self, seconds=1.5):
        context = GLib.MainContext.default()
        end = time.time() + seconds
        while time.time() < end and not self.shown:
            while context.iteration(False):
                pass
            time.sleep(0.05)
        return self.shown[-1] if self.shown else None


POPUPS = None


def grid_menus(app, context):
    """The channel grid's context menu, by Shift+F10 and by the Menu key at the current cell, and
    what its entries open: the fill dialog, and the refusal to delete every channel of a group."""
    frame = next((w for w in windows(app)[1]
                  if any(c.getRole() == pyatspi.ROLE_TABLE for c in descendants(w, 3))), None)
    if frame is None:
        problems.append(f"{context}: no channel grid")
        return
    grid = next(c for c in descendants(frame, 3) if c.getRole() == pyatspi.ROLE_TABLE)

    def focused():
        end = time.time() + 1.5
        while time.time() < end:
            if grid.getState().contains(pyatspi.STATE_FOCUSED):
                return True
            time.sleep(0.1)
        return False

    def context_menu(keys, click=True):
        # A loaded machine can be slow to make the window active: a few tries.
        for _ in range(3):
            if click:
                settle(0.3)  # the window a dialog leaves is the active one again
                # A click on the first row's channel number makes the window active (there is
                # no window manager to do it) and the row the current one; it opens no editor.
                cell = grid.queryTable().getAccessibleAt(0, 0)
                box = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                Atspi.generate_mouse_event(box.x + box.width // 2, box.y + box.height // 2, "b1c")
            if not focused():
                log(f"{context}: the grid has no focus; once more")
                continue
            POPUPS.shown.clear()
            keys()
            menu = POPUPS.wait()
            if menu is not None:
                return menu
            log(f"{context}: {keys.__name__} opened no menu; once more")
        problems.append(f"{context}: no context menu on the grid by {keys.__name__}")
        return None

    def shift_f10():
        Atspi.generate_keyboard_event(SHIFT_KEYCODE, None, Atspi.KeySynthType.PRESS)
        key(F10)
        Atspi.generate_keyboard_event(SHIFT_KEYCODE, None, Atspi.KeySynthType.RELEASE)

    def menu_key():
        key(MENU_KEY)

    def entry(menu, place):
        return [c for c in children(menu) if c.getRole() != pyatspi.ROLE_SEPARATOR][place]

    menu = context_menu(shift_f10)
    if menu is None:
        return
    log(f"{context}: walking {menu.getRoleName()} {menu.name!r} and its submenus")
    check(menu, context, menus=True)
    fill = entry(menu, FILL)
    reached(context, f"{fill.name!r}", act_and_walk(app, context, lambda: press(fill)))
    close_menu(menu)
    menu = context_menu(menu_key)
    if menu is None:
        return
    press(entry(menu, CHOOSE_ALL))
    settle(0.3)
    close_menu(menu)
    menu = context_menu(menu_key, click=False)
    if menu is None:
        return
    delete = entry(menu, DELETE)
    reached(context, f"the refusal of {delete.name!r} for the whole group",
            act_and_walk(app, context, lambda: press(delete), [["OK", "确定"]]))
    close_menu(menu)


def close_menu(menu):
    """An entry run by its action leaves its menu open, unless a dialog took its place."""
    if showing(menu):
        key(ESCAPE)
        settle(0.2)


def find_cable(app, context):
    """The port dialog's cable search: its question, the dialog while it looks, and after."""
    dialog = windows(app)[0][-1]
    find = button(dialog, FIND_CABLE)
    if find is None:
        problems.append(f"{context}: no button to find the cable")
        return
    opened = act_and_walk(app, context, lambda: press(find), [["OK", "确定"]])
    if not reached(context, "the question before the cable search", opened):
        return
    stop = button(dialog, STOP_FINDING)
    if stop is None:
        problems.append(f"{context}: the cable search did not start")
        return
    log(f"{context}: walking {dialog.name!r} while it looks for the cable")
    check(dialog, context)
    press(stop)
    settle(0.3)
    log(f"{context}: walking {dialog.name!r} after the search")
    check(dialog, context)


ROUTES = {
    (FILE, 8): compare_with_data_file,
    (EDIT, 2): grid_menus,
    (PROGRAM, 3): tune_items,
    (SETUP, 0): find_cable,
}


def descendants(node, depth):
    found = []
    for child in children(node):
        found.append(child)
        if depth > 1 and child.getRole() not in NOT_DESCENDED:
            found += descendants(child, depth - 1)
    return found


def open_and_walk(app, menu, entry, language):
    item = menu_entry(app, menu, entry)
    context = f"[{language}] {menu_name(app, menu)} > {item.name}"
    try:
        enabled = item.getState().contains(pyatspi.STATE_ENABLED)
    except Exception:
        enabled = False
    if not enabled:
        problems.append(f"{context}: not enabled, its window not reached")
        return
    log(f"{context}: opening")
    before = shown_windows(app)
    press(item)
    wait_change(app, before, 1.5)
    route = ROUTES.get((menu, entry))
    if route is not None:
        walk_shown(app, context)
        try:
            route(app, context)
        except Exception as error:
            problems.append(f"{context}: the way on failed: {error!r}")
    answers = list(ANSWERS.get((menu, entry), []))
    # Each window that opens is walked, then left; leaving one may open the next (a question,
    # then a progress window, then a result).
    for _ in range(8):
        tops = walk_shown(app, context)
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
    # The list has the focus: Down picks the second language, Up the first.
    combo = next((c for c in descendants(dialog, 3) if c.getRole() == pyatspi.ROLE_COMBO_BOX), None)
    offered = [item.name for part in children(combo) for item in children(part)] if combo else []
    key(UP if offered and combo.name == offered[-1] else DOWN)
    settle(0.3)
    ok = button(dialog, ["OK", "确定"])
    if ok is not None:
        press(ok)
    settle(1.0)
    still = windows(app)[0]
    if still:
        leave(still[-1])
        settle(0.5)
    return dialog


def main():
    global POPUPS
    POPUPS = PopupWatch()
    app = find_app()
    settle(1.0)
    first_caption = menu_name(app, FILE)
    # A fresh installation starts in the system's language, a used one in the one chosen last.
    languages = ["English", "Chinese"] if first_caption.isascii() else ["Chinese", "English"]
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
