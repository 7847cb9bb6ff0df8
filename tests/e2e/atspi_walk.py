#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader hears: walks the accessibility tree of the running game's screens, driven
# by keys alone, and finds the role, name and description of what a child meets there.
#   atspi_walk.py CLASS-WORD PAGE-1-TEXT
import subprocess, sys, time
import pyatspi

word, page = sys.argv[1:3]
STEPS = [  # keys, then a window's title, role, name, description (None: any)
    ([], "Mirabosc", "frame", "Mirabosc", None), ([], "Mirabosc", "image", "", None),
    ([], "Mirabosc", "push button", "las sèt familhas", None),
    (["Right", "Return"], "Las set familhas", "push button", "la familha", None),
    (["Return"], "Las set familhas", "push button", word, None),
    ([], "Las set familhas", "image", "la familha", None),
    (["Escape", "Left", "Return"], "Mirabosc", "page tab", "p. 16", None),
    ([], "Mirabosc", "image", "Mirabosc", page), ([], "Mirabosc", "radio button", "son", None),
    (["Escape", "Right", "Right", "Return"], "Repassadas", "check box", "los jòcs", None),
    (["Return", "Return"], "Repassadas", "label", "responsa justa: 0", None),
    ([], "Repassadas", "push button", "tornar jogar lo son", None)]


def shown(node):  # (role, name, description) of node and of all shown under it
    kids = (node.getChildAtIndex(i) for i in range(node.childCount))
    return [(node.getRoleName(), node.name, node.description)] + [
        o for k in kids if k and k.getState().contains(pyatspi.STATE_SHOWING) for o in shown(k)]


def heard(title):
    desktop = pyatspi.Registry.getDesktop(0)
    games = [a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
             if a and a.name == "mirabosc"]
    return [o for a in games for w in (a.getChildAtIndex(i) for i in range(a.childCount))
            if w and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)
            for o in shown(w)]


for keys, title, role, name, description in STEPS:
    for key in keys:
        subprocess.run(["xdotool", "key", key], check=True)
        time.sleep(0.1)
    for _ in range(100):
        try:  # an object may go while it is read: then read the tree again
            objects = heard(title)
        except Exception:
            objects = []
        if any((r, n) == (role, name) and description in (None, d) for r, n, d in objects):
            break
        time.sleep(0.1)
    else:
        sys.exit(f"FAIL: {title}: no {role} '{name}' ({description}) in {objects}")
    print(f"   {title}: {role} '{name}'" + (f", '{description}'" if description else ""))
board = [n for r, n, d in objects if r == "push button" and n != "tornar jogar lo son"]
print(f"   Repassadas: the board, {board}")
subprocess.run(["xdotool", "key", "Escape"], check=True)
sys.exit(0 if len(board) == 7 else "FAIL: the round's board is not seven named cards")
