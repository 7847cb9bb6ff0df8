#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Mirabosc and starts it from the folder holding its four asset folders.
#   ./run.sh                   start the program (on a virtual X display when there is none)
#   ./run.sh --screenshot FILE save a PNG of the main menu after start-up, then exit
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

shot=""
if [ "${1:-}" = "--screenshot" ]; then
    [ -n "${2:-}" ] || { echo "usage: $0 --screenshot FILE" >&2; exit 2; }
    shot="$(realpath -m "$2")"
fi

# Only what the programs need: the test suite's packages, tests and benchmarks are ./test.sh's.
if [ -n "$shot" ]; then
    ensure_packages "${MIRABOSC_RUN_PACKAGES[@]}" "${MIRABOSC_SCREENSHOT_PACKAGES[@]}"
else
    ensure_packages "${MIRABOSC_RUN_PACKAGES[@]}"
fi
build_programs
mkdir -p "$MIRABOSC_BUILD/assets"
cd "$MIRABOSC_BUILD/assets"

if [ -n "$shot" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$MIRABOSC_ROOT/scripts/screenshot.sh" \
        "$MIRABOSC_BUILD/mirabosc" "$shot"
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: running on a virtual X display."
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$MIRABOSC_BUILD/mirabosc"
fi
exec "$MIRABOSC_BUILD/mirabosc"
