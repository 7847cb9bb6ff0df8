#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets in the sanitized tree (clang, libFuzzer, ASan, UBSan: the tree ./test.sh
# runs its sanitized tests in), seeds their corpora and runs each target for SECONDS (default 60).
#   fuzz/run.sh [SECONDS] [TARGET...]     targets: fuzz_bmp fuzz_mp3open fuzz_import fuzz_picture
#                                         fuzz_setarchive fuzz_settexts fuzz_origins fuzz_manifest
#                                         (default: all)
# Findings land in build-asan/fuzz/artifacts/; a run that finds one exits with status 1.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_bmp fuzz_mp3open fuzz_import fuzz_picture fuzz_setarchive
    fuzz_settexts fuzz_origins fuzz_manifest)

ensure_packages
# The default set (the natural seeds) and the artwork come from the first tree.
build_programs
configure_tree "$MIRABOSC_ASAN_BUILD" "${MIRABOSC_SANITIZED_OPTIONS[@]}"
cmake --build "$MIRABOSC_ASAN_BUILD" -j2 --target fuzz_targets

fuzz_build="$MIRABOSC_ASAN_BUILD/fuzz"
fuzz_src="$MIRABOSC_ROOT/fuzz"
assets="$MIRABOSC_BUILD/assets"
seeds="$fuzz_build/seeds"
sanitized "$fuzz_src/seeds.sh" "$MIRABOSC_ASAN_BUILD" "$assets" "$seeds"

export SDL_AUDIODRIVER=dummy QT_LOGGING_RULES="*.debug=false" MIRABOSC_FUZZ_SET="$assets"
declare -A max_len=([fuzz_bmp]=16384 [fuzz_mp3open]=32768 [fuzz_import]=65536
    [fuzz_picture]=65536 [fuzz_setarchive]=524288 [fuzz_settexts]=65536 [fuzz_origins]=16384
    [fuzz_manifest]=1048576)
status=0
for target in "${targets[@]}"; do
    corpus="$fuzz_build/corpus/$target"
    artifacts="$fuzz_build/artifacts"
    mkdir -p "$corpus" "$artifacts"
    log="$fuzz_build/$target.log"
    echo "== $target for ${seconds}s (log: $log)"
    dict=()
    [ ! -f "$fuzz_src/$target.dict" ] || dict=(-dict="$fuzz_src/$target.dict")
    if ! sanitized nice -n "${MIRABOSC_FUZZ_NICE:-19}" "$fuzz_build/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="${max_len[$target]}" \
        "${dict[@]}" -artifact_prefix="$artifacts/$target-" -print_final_stats=1 \
        "$corpus" "$seeds/$target" >"$log" 2>&1; then
        status=1
        echo "!! $target found a problem:"
        grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -20 || true
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb|^Done" "$log" || true
    grep -E "^#[0-9]+.*(cov|ft):" "$log" | tail -1 || true
    echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit $status
