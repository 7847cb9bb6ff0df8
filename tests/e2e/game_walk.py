#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# A short game of the seven families by keys alone, read as a screen reader reads it: from the
# menu to the choice (three families, one opponent), then Enter on whatever the frame is on until
# the game ends; the names of the hand's cards are read on the way.
#   game_walk.py [END-SCREENSHOT.png]
import subprocess, sys, time
import pyatspi

GAME = "Lo jòc de las set familhas"
REPLAY = "tornar jogar lo son"


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        time.sleep(0.1)


def shown(node):  # (role, name, focused) of node and of all shown under it
    kids = (node.getChildAtIndex(i) for i in range(node.childCount))
    state = node.getState()
    role = "push button" if node.getRoleName() == "button" else node.getRoleName()  # Debian 13
    return [(role, node.name, state.contains(pyatspi.STATE_FOCUSED))] + [
        o for k in kids if k and k.getState().contains(pyatspi.STATE_SHOWING) for o in shown(k)]


def heard(title):
    desktop = pyatspi.Registry.getDesktop(0)
    games = [a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
             if a and a.name == "mirabosc"]
    try:
        return [o for a in games for w in (a.getChildAtIndex(i) for i in range(a.childCount))
                if w and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)
                for o in shown(w)]
    except Exception:  # an object may go while it is read: read the tree again
        return []


def wait_for(title, test, seconds):
    end = time.time() + seconds
    while time.time() < end:
        objects = heard(title)
        if test(objects):
            return objects
        time.sleep(0.1)
    sys.exit(f"FAIL: {title}: not found in {heard(title)}")


wait_for("Mirabosc", lambda o: ("push button", "jogar", False) in o, 20)
key("Right", "Right", "Right", "Return")  # the menu's frame starts on its first word
wait_for(GAME, lambda o: any(r == "check box" and f for r, n, f in o), 20)
# Families 4 to 7 off, one opponent; Enter on a box starts the game.
key("Tab", "Tab", "Tab", "space", "Tab", "space", "Tab", "space", "Tab", "space", "Tab", "Up", "space",
    "Return")
objects = wait_for(GAME, lambda o: any(r == "push button" and f for r, n, f in o), 20)
hand = [n for r, n, f in objects if r == "push button" and n != REPLAY]
print(f"   {GAME}: the hand, {hand}")
if len(hand) != 5 or "" in hand:
    sys.exit("FAIL: the hand is not five cards named by their words")

presses, end = 0, time.time() + 240
while time.time() < end:
    objects = heard(GAME)
    if any(r == "push button" and n == "Tornar jogar" for r, n, f in objects):
        break
    if any(f and r == "push button" and n != REPLAY for r, n, f in objects):
        key("Return")
        presses += 1
    time.sleep(0.2)
else:
    sys.exit(f"FAIL: the game did not end after {presses} presses: {heard(GAME)}")
ending = [n for r, n, f in objects if r == "label" and n.startswith("responsas justas")]
if len(sys.argv) > 1:
    subprocess.run(["import", "-window", "root", sys.argv[1]], check=False)
print(f"   {GAME}: ended after {presses} presses of Enter, {ending}")
key("Escape")
wait_for("Mirabosc", lambda o: ("push button", "jogar", False) in o or
         ("push button", "jogar", True) in o, 20)
sys.exit(0 if ending else "FAIL: no count of right answers at the end")
