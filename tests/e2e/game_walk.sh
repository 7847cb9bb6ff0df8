#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# The game of the seven families played by keys alone under Xvfb with openbox, on a bus of its
# own so that the walk reads what a screen reader hears. The voices play in real time to SDL's
# dummy driver: the game waits for each sentence as it would for a child.
#   game_walk.sh MIRABOSC ASSET-DIR OUTPUT-DIR
set -euo pipefail
program="$(realpath "$1")"; assets="$(realpath "$2")"; out="$(realpath -m "$3")"
here="$(dirname "$(realpath "$0")")"
mkdir -p "$out"
echo "-- the game of the seven families by keys, read by a screen reader"
for tool in dbus-daemon openbox Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "   SKIPPED: not installed: $tool"; exit 0; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "   SKIPPED: no python3-pyatspi"; exit 0; }

pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT
wait_for() { local t="$1"; shift; for _ in $(seq "$t"); do "$@" && return 0; sleep 0.1; done; return 1; }
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$out/game.display" 2>/dev/null &
pids+=($!)
wait_for 100 test -s "$out/game.display" || { echo "FAIL: Xvfb" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$out/game.display")"
unset XAUTHORITY
XDG_CONFIG_HOME="$out/game-config" openbox >"$out/game-wm.log" 2>&1 & pids+=($!)
wait_for 100 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
    { echo "FAIL: openbox" >&2; exit 1; }
dbus-daemon --session --nofork --print-address=7 7>"$out/game.bus" 2>/dev/null & pids+=($!)
wait_for 50 test -s "$out/game.bus" || { echo "FAIL: no session bus" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS; DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$out/game.bus")"
(cd "$assets" && exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    MIRABOSC_GAME_SEED=24 SDL_AUDIODRIVER=dummy "$program" >"$out/game.log" 2>&1) &
pids+=($!)
/usr/bin/python3 "$here/game_walk.py" "$out/game-end.png" || { import -window root "$out/game-failure.png" || true; exit 1; }
