#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# ThreadSanitizer over the narration player: builds the audio tests alone, in a tree of their own,
# and runs them, the random-operations stress at length too. Fails on any report.
#   scripts/tsan.sh
# The tree borrows the first tree's artwork, which is built first if it is not yet.
set -euo pipefail
source "$(dirname "$0")/common.sh"

tree="${MIRABOSC_TSAN_BUILD:-$MIRABOSC_ROOT/build-tsan}"
tests=(tst_mediaplayer tst_mediaplayernodevice tst_mediaplayeroutput)
# About 32,000 random operations over four players.
stress_operations=32000

ensure_packages
build_programs
# Debug keeps the assertions on the threads that make each transition; -O1 is the level the
# sanitizer is made for.
mkdir -p "$tree"
cmake -S "$MIRABOSC_ROOT" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1 -g" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
    -DMIRABOSC_TESTS=ON -DMIRABOSC_BENCH=OFF -DMIRABOSC_GENERATED_FROM="$MIRABOSC_BUILD" \
    >"$tree/configure.log" ||
    { cat "$tree/configure.log"; exit 1; }
cmake --build "$tree" -j2 --target "${tests[@]}"

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy MIRABOSC_STRESS_OPS=$stress_operations
# The tests start lame through QProcess while threads run; the child only execs.
export TSAN_OPTIONS="halt_on_error=1 suppressions=$MIRABOSC_ROOT/scripts/tsan.supp exitcode=66 second_deadlock_stack=1 die_after_fork=0${TSAN_OPTIONS:+ $TSAN_OPTIONS}"
status=0
for t in "${tests[@]}"; do
    log="$tree/$t.log"
    if "$tree/tests/$t" >"$log" 2>&1 && ! grep -q "ThreadSanitizer" "$log"; then
        echo "tsan: $t passed"
    else
        cat "$log"
        echo "tsan: $t FAILED (log: $log)"
        status=1
    fi
done
exit $status
