#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Mirabosc and runs its whole test suite headless, then builds it again with ASan, UBSan and
# LeakSanitizer and runs the suite there, ending with CTest's summary of that run.
# (scripts/tsan.sh runs the narration player's tests under ThreadSanitizer; it is left out of this
# command to keep its cost within what a test cycle may take.)
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages
# Each library compiles as one source (a unity build), with line tables for debug information.
build_tree "$MIRABOSC_BUILD" "${MIRABOSC_TEST_OPTIONS[@]}"

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
status=0
ctest --test-dir "$MIRABOSC_BUILD" --output-on-failure -j2 || status=1

# Then the readers of outside files again, sanitized, with the fuzz targets run over their seeds.
build_tree "$MIRABOSC_ASAN_BUILD" "${MIRABOSC_SANITIZED_OPTIONS[@]}"
sanitized ctest --test-dir "$MIRABOSC_ASAN_BUILD" --output-on-failure -j2 || status=1
exit $status
