#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# The benchmarks, in a tree of their own built as a player's build is (optimized, no debug
# information), so that they measure what a child runs.
#   scripts/bench.sh                 builds every benchmark and runs them all
#   scripts/bench.sh NAME [ARG...]   builds and runs one (bench_bmp, bench_sevens...), with
#                                    Google Benchmark's own options (--benchmark_filter=...)
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
tree="$MIRABOSC_BENCH_BUILD"
configure_tree "$tree" "${MIRABOSC_BENCH_OPTIONS[@]}"
benches=()
for source in "$MIRABOSC_ROOT"/bench/bench_*.cpp; do benches+=("$(basename "$source" .cpp)"); done
if [ $# -gt 0 ]; then
    [[ " ${benches[*]} " == *" $1 "* ]] || { echo "bench.sh: no benchmark $1 (${benches[*]})" >&2; exit 2; }
    benches=("$1"); shift
fi
cmake --build "$tree" -j2 --target "${benches[@]}"

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
for bench in "${benches[@]}"; do
    echo "== $bench"
    "$tree/bench/$bench" "$@"
done
