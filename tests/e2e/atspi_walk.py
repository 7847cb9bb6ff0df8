#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader hears: walks the accessibility tree of each screen of the running game,
# driven by keys alone, and checks the roles and names of what a child meets there.
#   atspi_walk.py CLASS-WORD FAMILY-1-NAME PAGE-1-TEXT
import subprocess
import sys
import time

import pyatspi

class_word, family_name, page_text = sys.argv[1:4]


def fail(why):
    print("FAIL (accessibility): " + why, file=sys.stderr)
    sys.exit(1)


def shown(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def walk(node):
    """(role, name, description) of every shown object under node, node included."""
    found = [(node.getRoleName(), node.name, node.description)]
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and shown(child):
            found += walk(child)
    return found


def game():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "mirabosc":
            return app
    return None


def screen(title):
    """The objects of the shown windows with this title (the menu and the album share theirs)."""
    app = game()
    objects = []
    for i in range(app.childCount if app else 0):
        window = app.getChildAtIndex(i)
        if window is not None and window.name == title and shown(window):
            objects += walk(window)
    return objects


def wait_for(what, test, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            result = test()
        except Exception:  # an object gone while being read: read the tree again
            result = None
        if result:
            return result
        time.sleep(0.1)
    fail(what)


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        time.sleep(0.1)


def has(title, role, name, description=None):
    """Waits until the window shows an object of that role and name (and description)."""
    def look():
        objects = screen(title) or []
        return any(r == role and n == name and (description is None or d == description)
                   for r, n, d in objects)
    wait_for(f"{title}: no {role} named '{name}'" +
             (f" described '{description}'" if description else "") +
             f"; shown: {screen(title)}", look)
    print(f"   {title}: {role} '{name}'")


wait_for("the game is not on the accessibility bus", game, 20)
has("Mirabosc", "frame", "Mirabosc")
has("Mirabosc", "push button", "las sèt familhas")
has("Mirabosc", "push button", "repassadas")
has("Mirabosc", "image", "")

keys("Right", "Return")  # the frame starts on the album's word: the next is the families'
has("Las set familhas", "frame", "Las set familhas")
has("Las set familhas", "push button", family_name)
keys("Return")  # the first family
has("Las set familhas", "push button", class_word)
has("Las set familhas", "image", family_name)  # the large card, blank until a card is met
keys("Escape", "Left", "Return")
has("Mirabosc", "page tab", "p. 16")
has("Mirabosc", "image", "Mirabosc", page_text)
has("Mirabosc", "radio button", "pas de son")
keys("Escape", "Right", "Right", "Return")
has("Repassadas", "check box", "los jòcs")
keys("Return", "Return")  # the first family ticked, and the round started
has("Repassadas", "label", "responsa justa: 0")
has("Repassadas", "label", "responsa faussa: 0")
has("Repassadas", "push button", "tornar jogar lo son")
board = [n for r, n, d in screen("Repassadas") if r == "push button" and n != "tornar jogar lo son"]
if len(board) != 7:
    fail(f"the round's board names {board}")
print(f"   Repassadas: the board is {board}")
keys("Escape")
