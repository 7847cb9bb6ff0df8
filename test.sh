#!/usr/bin/env bash
# Builds Mirabosc and runs its whole test suite headless, ending with CTest's summary.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_tree "$MIRABOSC_BUILD"

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir "$MIRABOSC_BUILD" --output-on-failure -j2
