#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the fuzz targets' seeds: the default set's pictures and voices, hand-made broken files,
# takes and pictures in every format the workshop reads, and real exports of a changed set.
#   fuzz/seeds.sh BUILD ASSETS SEEDS
# BUILD is the fuzz tree (its make_seeds and mirabosc-record are used), ASSETS a default set.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 BUILD ASSETS SEEDS" >&2; exit 2; }
build="$1" assets="$2" seeds="$3"
work="$seeds.work"
rm -rf "$seeds" "$work"
mkdir -p "$seeds"/{fuzz_bmp,fuzz_mp3open,fuzz_import,fuzz_picture,fuzz_setarchive} \
    "$seeds"/{fuzz_settexts,fuzz_origins,fuzz_manifest} "$work"

"$build/fuzz/make_seeds" "$seeds/fuzz_bmp"
cp "$assets"/img_familles/{v2,2,mini2,vierge}.bmp "$assets/img_album/1.bmp" "$seeds/fuzz_bmp/"

mp3="$seeds/fuzz_mp3open"
for folder in sons_familles son_album; do
    for f in "$assets/$folder"/*.mp3; do cp "$f" "$mp3/$folder-$(basename "$f")"; done
done
# Every MPEG version, both channel modes and several bit-rate kinds, each a fraction of a second.
tone="$work/tone.wav"
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
spoken="$work/spoken.wav"
espeak-ng -v ca -s 200 -w "$spoken" "pan"
sox "$spoken" -r 16000 "$take/word-16k.wav" trim 0 0.5
sox "$spoken" -r 8000 -e floating-point -b 32 "$take/word-float.wav" trim 0 0.4
sox "$spoken" -r 11025 -c 2 "$take/word-stereo.wav" trim 0 0.4 dcshift 0.05
sox "$spoken" -r 16000 "$take/word.flac" trim 0 0.5
sox "$spoken" -r 16000 -b 24 "$take/word-24.flac" trim 0 0.4
sox "$spoken" -r 22050 "$take/word.ogg" trim 0 0.5
sox "$spoken" -r 8000 "$take/word.aiff" trim 0 0.4
sox -n -r 16000 "$work/noise.wav" synth 0.6 whitenoise vol 0.01
sox -m "$take/word-16k.wav" "$work/noise.wav" "$take/word-noise.wav"
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

# Real exports, made after word, page and picture changes, and one of an earlier version; the
# set's texts, its record of origins and each export's entries unpacked for the targets of those
# readers.
sets="$seeds/fuzz_setarchive"
made="$work/made-set"
record() { QT_QPA_PLATFORM=offscreen "$build/mirabosc-record" --folder "$made" "$@" >/dev/null; }
unpack() { python3 "$(dirname "$0")/unpack.py" "$@"; }
export_as() {
    record --export "$sets/$1.mirabosc"
    unpack texts "$sets/$1.mirabosc" "$seeds/fuzz_settexts/$1"
    unpack entries "$sets/$1.mirabosc" "$seeds/fuzz_manifest/$1"
    cp "$made/originas.txt" "$seeds/fuzz_origins/$1.txt"
}
record --word 10 "lo can"
export_as word
record --page 3 "Un tèxte novèl"
export_as word-page
record --picture "$pictures/thin.png" --to img_familles/mini10.bmp
export_as word-page-picture
(cd "$made" && zip -q -r "$sets/earlier.mirabosc" sons_familles/10.mp3 textes/familles.txt textes/album.txt)
unpack entries "$sets/earlier.mirabosc" "$seeds/fuzz_manifest/earlier"
# The default set's own texts, and a record of every origin.
data="$(dirname "$0")/../data"
{ cat "$data/familles.txt"; printf '\0'; cat "$data/album.txt"; } > "$seeds/fuzz_settexts/default"
printf 'sons_familles/2.mp3 recorded\nimg_familles/2.bmp drawn\nson_album/1.mp3 imported\nsons_familles/3.mp3 revoiced\n' \
    > "$seeds/fuzz_origins/every-origin.txt"
rm -rf "$work"
