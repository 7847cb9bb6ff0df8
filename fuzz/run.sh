#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan, seeds their corpora from the
# default assets and hand-made broken files, and runs each target for SECONDS (default 60).
#   fuzz/run.sh [SECONDS] [TARGET...]     targets: fuzz_bmp fuzz_mp3open fuzz_import
#                                         fuzz_picture fuzz_setarchive (default: all)
# Findings land in build-fuzz/artifacts/; a run that finds one exits with status 1.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_bmp fuzz_mp3open fuzz_import fuzz_picture fuzz_setarchive)

fuzz_build="${MIRABOSC_FUZZ_BUILD:-$MIRABOSC_ROOT/build-fuzz}"
fuzz_src="$MIRABOSC_ROOT/fuzz"
assets="${MIRABOSC_ASSETS:-$MIRABOSC_BUILD/assets}"

ensure_packages
if [ ! -f "$fuzz_build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$fuzz_src" -B "$fuzz_build" -G Ninja
fi
cmake --build "$fuzz_build" -j2

# The default assets are the natural seeds; build them when no build tree has them yet.
if [ ! -f "$assets/img_familles/vierge.bmp" ]; then
    [ -f "$MIRABOSC_BUILD/build.ninja" ] || cmake -S "$MIRABOSC_ROOT" -B "$MIRABOSC_BUILD" -G Ninja
    cmake --build "$MIRABOSC_BUILD" -j2 --target default_assets
    assets="$MIRABOSC_BUILD/assets"
fi

seeds="$fuzz_build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds/fuzz_bmp" "$seeds/fuzz_mp3open" "$seeds/fuzz_import" "$seeds/fuzz_picture" \
    "$seeds/fuzz_setarchive"
"$fuzz_build/make_seeds" "$seeds/fuzz_bmp"
cp "$assets"/img_familles/{v2,2,mini2,vierge}.bmp "$assets/img_album/1.bmp" "$seeds/fuzz_bmp/"

mp3="$seeds/fuzz_mp3open"
for folder in sons_familles son_album; do
    for f in "$assets/$folder"/*.mp3; do cp "$f" "$mp3/$folder-$(basename "$f")"; done
done
# Every MPEG version, both channel modes and several bit-rate kinds, each a fraction of a second.
tone="$fuzz_build/tone.wav"
sox -n -r 44100 -c 2 "$tone" synth 0.15 sine 440 sine 660 2>/dev/null
lame --quiet -m m --resample 8 -b 8 "$tone" "$mp3/mpeg25-8k-mono.mp3"
lame --quiet -m j --resample 22.05 -V 9 "$tone" "$mp3/mpeg2-22k-vbr.mp3"
lame --quiet -m s -b 320 "$tone" "$mp3/mpeg1-320k-stereo.mp3"
lame --quiet -m m --abr 48 -t "$tone" "$mp3/mpeg1-abr-notag.mp3"
lame --quiet -m m -b 32 --id3v2-only --tt "mot" "$tone" "$mp3/id3v2.mp3"
# Broken variants: cut short, the tag alone, no audio after a header, noise.
word="$assets/sons_familles/2.mp3"
head -c 700 "$word" > "$mp3/cut-700.mp3"
head -c 10 "$word" > "$mp3/cut-10.mp3"
printf 'ID3\x04\x00\x00\x7f\x7f\x7f\x7f' > "$mp3/id3-huge-size.mp3"
printf '\xff\xfb\x90\x00' > "$mp3/header-only.mp3"
head -c 2048 /dev/zero > "$mp3/zeros.mp3"
printf 'RIFF\x24\x00\x00\x00WAVEfmt ' > "$mp3/riff.mp3"

# Short spoken words in every format the recorder imports, at several rates and widths, with
# room noise, a click, an offset, and cut or lying variants.
take="$seeds/fuzz_import"
spoken="$fuzz_build/spoken.wav"
espeak-ng -v ca -s 200 -w "$spoken" "pan"
sox "$spoken" -r 16000 "$take/word-16k.wav" trim 0 0.5
sox "$spoken" -r 8000 -e floating-point -b 32 "$take/word-float.wav" trim 0 0.4
sox "$spoken" -r 11025 -c 2 "$take/word-stereo.wav" trim 0 0.4 dcshift 0.05
sox "$spoken" -r 16000 "$take/word.flac" trim 0 0.5
sox "$spoken" -r 16000 -b 24 "$take/word-24.flac" trim 0 0.4
sox "$spoken" -r 22050 "$take/word.ogg" trim 0 0.5
sox "$spoken" -r 8000 "$take/word.aiff" trim 0 0.4
sox -n -r 16000 "$fuzz_build/noise.wav" synth 0.6 whitenoise vol 0.01
sox -m "$take/word-16k.wav" "$fuzz_build/noise.wav" "$take/word-noise.wav"
sox -n -r 8000 "$take/click.wav" synth 0.004 square 900 pad 0.3 0.3
lame --quiet -m m --resample 16 -V 7 "$take/word-16k.wav" "$take/word.mp3"
head -c 3000 "$take/word-16k.wav" > "$take/word-cut.wav"
head -c 2000 "$take/word.flac" > "$take/word-cut.flac"
printf 'RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x08\x00\xf6\xff\x09\x00\x00\x00\x00\x00\x10\x00\x10\x00data\xff\xff\xff\x7f' > "$take/lying-header.wav"

# Pictures in the five formats, of ordinary and extreme proportions, with 16 bits a channel, an
# EXIF turn, and cut short.
pictures="$seeds/fuzz_picture"
convert -size 40x30 gradient:red-blue "$pictures/photo.png"
convert -size 40x30 gradient:red-blue -depth 16 "$pictures/deep.png"
convert -size 40x30 gradient:yellow-green -quality 80 "$pictures/photo.jpg"
convert -size 40x30 gradient:yellow-green -orient RightTop "$pictures/turned.jpg"
convert -size 40x30 plasma: -quality 80 "$pictures/photo.webp"
convert -size 40x30 gradient:red-green -compress lzw "$pictures/photo.tif"
convert -size 40x30 gradient:red-green "$pictures/photo.bmp"
convert -size 2000x1 xc:red "$pictures/thin.png"
convert -size 1x3000 xc:blue "$pictures/tall.png"
convert -size 3000x2 xc:green -quality 50 "$pictures/wide.jpg"
convert -size 20x20 xc:white "$pictures/small.gif"
head -c 300 "$pictures/photo.jpg" > "$pictures/cut.jpg"
head -c 200 "$pictures/photo.png" > "$pictures/cut.png"

# Real exports, made after word, page and picture changes, and one of an earlier version.
sets="$seeds/fuzz_setarchive"
made="$fuzz_build/made-set"
rm -rf "$made"
record() { QT_QPA_PLATFORM=offscreen "$MIRABOSC_BUILD/mirabosc-record" --folder "$made" "$@" >/dev/null; }
record --word 10 "lo can"
record --export "$sets/word.mirabosc"
record --page 3 "Un tèxte novèl"
record --export "$sets/word-page.mirabosc"
record --picture "$pictures/thin.png" --to img_familles/mini10.bmp
record --export "$sets/word-page-picture.mirabosc"
(cd "$made" && zip -q -r "$sets/earlier.mirabosc" sons_familles/10.mp3 textes/familles.txt textes/album.txt)

export SDL_AUDIODRIVER=dummy QT_LOGGING_RULES="*.debug=false" MIRABOSC_FUZZ_SET="$assets"

declare -A max_len=([fuzz_bmp]=16384 [fuzz_mp3open]=32768 [fuzz_import]=65536
    [fuzz_picture]=65536 [fuzz_setarchive]=524288)
declare -A dict=([fuzz_bmp]=bmp.dict [fuzz_mp3open]=mp3.dict [fuzz_import]=import.dict
    [fuzz_picture]=picture.dict [fuzz_setarchive]=setarchive.dict)
status=0
for target in "${targets[@]}"; do
    corpus="$fuzz_build/corpus/$target"
    artifacts="$fuzz_build/artifacts"
    mkdir -p "$corpus" "$artifacts"
    log="$fuzz_build/$target.log"
    echo "== $target for ${seconds}s (log: $log)"
    suppressions=()
    [ "$target" != fuzz_import ] || suppressions=(env "LSAN_OPTIONS=suppressions=$fuzz_src/import.supp")
    if ! sanitized "${suppressions[@]}" nice -n "${MIRABOSC_FUZZ_NICE:-19}" "$fuzz_build/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="${max_len[$target]}" \
        -dict="$fuzz_src/${dict[$target]}" -artifact_prefix="$artifacts/$target-" \
        -print_final_stats=1 "$corpus" "$seeds/$target" >"$log" 2>&1; then
        status=1
        echo "!! $target found a problem:"
        grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -20 || true
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb|^Done" "$log" || true
    echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit $status
