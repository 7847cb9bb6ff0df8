#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Inside an X display: starts the program, waits for the main menu, saves its picture, quits.
set -euo pipefail
program="$1"; out="$2"
SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" "$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=""
for _ in $(seq 100); do
    wid="$(xdotool search --onlyvisible --name '^Mirabosc$' 2>/dev/null | head -n1 || true)"
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "the main menu did not appear" >&2; exit 1; }
sleep 1 # let the first paint reach the X server
import -window "$wid" "$out"
echo "Saved $out ($(xwininfo -id "$wid" | awk '/Width|Height/ {printf "%s ", $2}'))"
