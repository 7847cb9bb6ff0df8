#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader hears: walks the accessibility tree of the running game's screens, driven
# by keys, or by the "Press" action alone as a switch device or voice control acts, and finds the
# role, name and description of what a child meets there, and which object has the focus.
#   atspi_walk.py CLASS-WORD PAGE-1-TEXT CLASS-FAMILY-1
import subprocess, sys, time
import pyatspi

word, page, family = sys.argv[1:4]
BUTTON = "push button"  # Debian 12's name for the role; Debian 13's is "button"
FOCUSED, ALONE = 1, 2
# keys, or ("Press", name): then a window's title, role, name, description (None: any), and
# FOCUSED when that object must have the focus, ALONE when no other object has it
STEPS = [
    ([], "Mirabosc", "frame", "Mirabosc", None), ([], "Mirabosc", "image", "lo païsatge", None),
    ([], "Mirabosc", BUTTON, "Mirabosc", None, FOCUSED),
    ([], "Mirabosc", BUTTON, "las sèt familhas", None),
    (["Right", "Return"], "Las set familhas", BUTTON, family, None, FOCUSED),
    (["Return"], "Las set familhas", BUTTON, word, None),
    ([], "Las set familhas", "image", family, None),
    (["Escape", "Left", "Return"], "Mirabosc", "page tab", "Mirabosc", page, ALONE),
    ([], "Mirabosc", "image", "Mirabosc", page), ([], "Mirabosc", "radio button", "son", None),
    (["Escape", "Right", "Right", "Return"], "Repassadas", "check box", family, None),
    (["Return", "Return"], "Repassadas", "label", "responsa justa: 0", None),
    ([], "Repassadas", BUTTON, "tornar jogar lo son", None)]
PRESSED = [  # after the round's board: a pick, its answer closed, then a screen opened
    (None, ("Erreur", "Information"), BUTTON, "OK", None),
    (("Press", "OK"), "Repassadas", None, None, None, FOCUSED),  # the keys are back
    (["Escape"], "Mirabosc", BUTTON, "repassadas", None, FOCUSED),
    (("Press", "las sèt familhas"), "Las set familhas", BUTTON, family, None, FOCUSED)]


def same_role(found, wanted):
    return found == wanted or (wanted == BUTTON and found == "button")


def shown(node):  # (role, name, description, focused, node) of node and of all shown under it
    kids = (node.getChildAtIndex(i) for i in range(node.childCount))
    state = node.getState()
    return [(node.getRoleName(), node.name, node.description,
             state.contains(pyatspi.STATE_FOCUSED), node)] + [
        o for k in kids if k and k.getState().contains(pyatspi.STATE_SHOWING) for o in shown(k)]


def heard(titles):
    desktop = pyatspi.Registry.getDesktop(0)
    games = [a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
             if a and a.name == "mirabosc"]
    return [o for a in games for w in (a.getChildAtIndex(i) for i in range(a.childCount))
            if w and w.name in titles and w.getState().contains(pyatspi.STATE_SHOWING)
            for o in shown(w)]


def press(node):  # the "Press" action, as a switch device gives it
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit(f"FAIL: '{node.name}' offers {names}, not Press")
    action.doAction(names.index("Press"))


def find(titles, role, name, description=None, focused=0):
    objects = []
    for _ in range(100):
        try:  # an object may go while it is read: then read the tree again
            objects = heard(titles)
        except Exception:
            objects = []
        alone = focused != ALONE or sum(f for r, n, d, f, o in objects) == 1
        found = [o for r, n, d, f, o in objects if (role is None or same_role(r, role)) and
                 name in (None, n) and description in (None, d) and (f or not focused) and alone]
        if found:
            return found[0], objects
        time.sleep(0.1)
    sys.exit(f"FAIL: {titles}: no {role} '{name}' ({description})" + " focused" * bool(focused) +
             f" in {[o[:4] for o in objects]}")


def walk(steps, title):
    objects = []
    for action, titles, role, name, description, *focused in steps:
        if isinstance(action, tuple):
            press(find(title, BUTTON, action[1])[0])
        else:
            for key in action or []:
                subprocess.run(["xdotool", "key", key], check=True)
                time.sleep(0.1)
        title = titles if isinstance(titles, tuple) else (titles,)
        objects = find(title, role, name, description, *focused)[1]
        print(f"   {titles}: " + (f"{role} '{name}'" if name else "an object") +
              (f", '{description}'" if description else "") + (", focused" if focused else ""))
    return objects, title


objects, title = walk(STEPS, ("Mirabosc",))
board = [(n, o) for r, n, d, f, o in objects if same_role(r, BUTTON) and n != "tornar jogar lo son"]
print(f"   Repassadas: the board, {[n for n, o in board]}")
if len(board) != 7:
    sys.exit("FAIL: the round's board is not seven named cards")
press(board[0][1])  # a pick by the "Press" action alone: right or wrong, an answer comes up
walk(PRESSED, title)
subprocess.run(["xdotool", "key", "Escape"], check=True)
