#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader hears: walks the accessibility tree of each screen of the running game,
# driven by keys alone, and checks the roles and names a child meets there.
#   atspi_walk.py CLASS-WORD PAGE-1-TEXT
import subprocess, sys, time
import pyatspi

word, page = sys.argv[1:3]
# Keys pressed first, then the window's title, role, name and description (None: any) to find.
STEPS = [([], "Mirabosc", "frame", "Mirabosc", None),
         ([], "Mirabosc", "push button", "las sèt familhas", None),
         ([], "Mirabosc", "image", "", None),
         (["Right", "Return"], "Las set familhas", "push button", "la familha", None),
         (["Return"], "Las set familhas", "push button", word, None),
         ([], "Las set familhas", "image", "la familha", None),
         (["Escape", "Left", "Return"], "Mirabosc", "page tab", "p. 16", None),
         ([], "Mirabosc", "image", "Mirabosc", page),
         ([], "Mirabosc", "radio button", "pas de son", None),
         (["Escape", "Right", "Right", "Return"], "Repassadas", "check box", "los jòcs", None),
         (["Return", "Return"], "Repassadas", "label", "responsa justa: 0", None),
         ([], "Repassadas", "push button", "tornar jogar lo son", None)]


def walk(node):
    """(role, name, description) of node and every object shown under it."""
    found = [(node.getRoleName(), node.name, node.description)]
    for child in (node.getChildAtIndex(i) for i in range(node.childCount)):
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            found += walk(child)
    return found


def shown(title):
    """What the shown windows of that title hold (the menu and the album share theirs)."""
    desktop = pyatspi.Registry.getDesktop(0)
    games = [a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
             if a is not None and a.name == "mirabosc"]
    windows = [w for a in games for w in (a.getChildAtIndex(i) for i in range(a.childCount))]
    return [o for w in windows if w is not None and w.name == title and
            w.getState().contains(pyatspi.STATE_SHOWING) for o in walk(w)]


for keys, title, role, name, description in STEPS:
    for key in keys:
        subprocess.run(["xdotool", "key", key], check=True)
        time.sleep(0.1)
    for _ in range(100):
        try:
            objects = shown(title)
        except Exception:  # an object gone while read: read the tree again
            objects = []
        if (role, name) in [(r, n) for r, n, d in objects if description in (None, d)]:
            print(f"   {title}: {role} '{name}'" + (f", '{description}'" if description else ""))
            break
        time.sleep(0.1)
    else:
        sys.exit(f"FAIL: {title}: no {role} '{name}' ({description}) in {objects}")
board = [n for r, n, d in objects if r == "push button" and n != "tornar jogar lo son"]
if len(board) != 7:
    sys.exit(f"FAIL: the round's board is named {board}")
print(f"   Repassadas: the board, {board}")
subprocess.run(["xdotool", "key", "Escape"], check=True)
