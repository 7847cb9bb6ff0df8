#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Mirabosc installed: staged and used from elsewhere, its metadata, the .deb built, linted,
# installed, run and removed.  Usage: packaging.sh metadata|install|deb BUILD_DIR VERSION
set -euo pipefail
mode="$1"; build="$(realpath "$2")"; version="$3"
work="$(realpath "$(mktemp -d)")"; prefix="$work/stage/usr"; pid=""; ours=""
# grep reads to the end (no -q) so that its writer never dies of SIGPIPE under pipefail.
installed() {
    dpkg-query -Wf'${db:Status-Status}' mirabosc 2>/dev/null | grep -v not-installed >/dev/null; }
cleanup() { # neither the program nor the package outlives the test
    { [ -z "$pid" ] || kill "$pid"; [ -z "$ours" ] || ! installed || dpkg -P mirabosc; } &>/dev/null
    rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { for t; do command -v "$t" >/dev/null || { echo "SKIP: no $t"; exit 77; }; done; }
stage() { DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null || fail install; }
# Under the environment given, the launcher in BIN, run from elsewhere, must become PROGRAM in
# the EXPECTED folder, and mirabosc-check with no folder must name and pass that same folder.
expect_set() {
    local bin="$1" program="$2" expected="$3" name="$4" end=$((SECONDS + 30)) out; shift 4
    mkdir -p "$work/elsewhere" && cd "$work/elsewhere"
    env "$@" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$bin/mirabosc" >/dev/null 2>&1 &
    pid=$!
    until [ "$(readlink "/proc/$pid/exe")" = "$program" ]; do
        [ $SECONDS -lt $end ] && kill -0 $pid || fail "$name: $program did not start"
        sleep 0.05
    done
    [ "$(readlink "/proc/$pid/cwd")" = "$expected" ] || fail "$name: started in another folder"
    kill $pid; wait $pid || true; pid=""
    out="$(env "$@" "$bin/mirabosc-check")" || fail "$name: mirabosc-check: $out"
    [ "$(head -n1 <<<"$out")" = "Dorsièr verificat : $expected" ] || fail "$name: checked $out"
    echo "ok: $name"; cd "$work"
}
case "$mode" in
metadata)
    need desktop-file-validate appstreamcli; stage
    out="$(desktop-file-validate --no-hints "$prefix"/share/applications/*.desktop 2>&1)"
    [ -z "$out" ] || fail "$out"
    out="$(appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml 2>&1 &&
        appstreamcli validate-tree --no-net "$work/stage" 2>&1)" || fail "$out"
    ! grep -E '^\s*[EW]:' <<<"$out" || fail "appstreamcli"
    grep -q "<release version=\"$version\"" "$prefix"/share/metainfo/*.xml || fail "version"
    ;;
install)
    need file; stage
    id="$(basename "$prefix"/share/metainfo/*.metainfo.xml .metainfo.xml)"
    for px in 16 32 48 64 128 256; do file -L "$prefix/share/icons/hicolor/${px}x$px/apps/$id.png" |
        grep ", $px x $px," >/dev/null || fail "no $px px icon $id"; done
    # Help and version answer anywhere: no display, exit 0, the program's name on the version line.
    for program in mirabosc mirabosc-record mirabosc-check; do
        out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --help)" &&
            grep -q -- "--version" <<<"$out" || fail "$program --help"
        [ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version)" = \
            "$program $version" ] || fail "$program --version"
    done
    set_dir="$prefix/share/mirabosc"
    mkdir -p "$work/full/mirabosc" "$work/part/mirabosc" "$work/home/.local/share" "$work/none"
    for copy in full/mirabosc home/.local/share/mirabosc half/mirabosc; do
        mkdir -p "$work/$copy"; cp -as "$set_dir/." "$work/$copy"; done
    cp -as "$set_dir/img_album" "$set_dir/son_album" "$set_dir/img_familles" "$work/part/mirabosc"
    rm "$work/half/mirabosc/son_album/17.mp3"    # a fill cut short: four folders, one voice missing
    # XDG_DATA_HOME ("-": unset), HOME, the set the launcher must pick.
    while read -r xdg home expected; do
        args=(-u XDG_DATA_HOME "HOME=$work/$home")
        [ "$xdg" = - ] || args+=("XDG_DATA_HOME=$xdg")
        expect_set "$prefix/bin" "$prefix/libexec/mirabosc/mirabosc" "$expected" \
            "XDG_DATA_HOME=$xdg HOME=$home" "${args[@]}"
    done <<EOT
- none $set_dir
$work/full none $work/full/mirabosc
$work/part none $set_dir
- home $work/home/.local/share/mirabosc
../full none $set_dir
$work/half none $set_dir
EOT
    # The recorder writes where the launcher and the checker look, a relative XDG_DATA_HOME
    # ignored; the user's set holds the one voice changed, the rest links to the installed set.
    need espeak-ng; espeak-ng -v ca -w "$work/take.wav" "lo papet"
    user_set="$work/rec/.local/share/mirabosc"; mkdir -p "$work/rec"
    (cd "$work/elsewhere" && env -u DISPLAY HOME="$work/rec" XDG_DATA_HOME=../full \
        "$prefix/bin/mirabosc-record" --import "$work/take.wav" --to sons_familles/2.mp3) >/dev/null ||
        fail "recorder import"
    expect_set "$prefix/bin" "$prefix/libexec/mirabosc/mirabosc" "$user_set" "recorder's set" \
        HOME="$work/rec" XDG_DATA_HOME=../full
    [ "$(find "$user_set"/{img_album,son_album,img_familles,sons_familles} -type f | wc -l)" = 1 ] ||
        fail "the user's set holds more than the voice changed"
    # An upgrade of the installed set reaches the user's set; the user's own voice stays.
    own="$(md5sum <"$user_set/sons_familles/2.mp3")"
    cp "$set_dir/sons_familles/4.mp3" "$set_dir/sons_familles/3.mp3"
    cmp -s "$user_set/sons_familles/3.mp3" "$set_dir/sons_familles/4.mp3" || fail "upgrade not seen"
    [ "$(md5sum <"$user_set/sons_familles/2.mp3")" = "$own" ] || fail "own voice changed"
    echo "ok: user's set of links, upgraded"
    # A class set put for every account: exported from the user's set, imported with --system
    # under the first absolute folder of XDG_DATA_DIRS; then the user's set, the class set, the
    # installed set, in that order.
    env -u DISPLAY -u XDG_DATA_HOME HOME="$work/rec" "$prefix/bin/mirabosc-record" --export "$work/class.mirabosc" \
        >/dev/null || fail "export"
    env -u DISPLAY XDG_DATA_DIRS="$work/sys:/usr/share" "$prefix/bin/mirabosc-record" \
        --import-set "$work/class.mirabosc" --system >/dev/null || fail "import --system"
    cmp -s "$work/sys/mirabosc/sons_familles/2.mp3" "$user_set/sons_familles/2.mp3" || fail "class"
    # XDG_DATA_DIRS, HOME, the set the launcher must pick.
    while read -r dirs home expected; do
        expect_set "$prefix/bin" "$prefix/libexec/mirabosc/mirabosc" "$expected" \
            "XDG_DATA_DIRS=$dirs HOME=$home" -u XDG_DATA_HOME "HOME=$work/$home" "XDG_DATA_DIRS=$dirs"
    done <<EOT
$work/sys:/usr/share none $work/sys/mirabosc
rel/sys:$work/sys none $work/sys/mirabosc
$work/sys rec $user_set
$work/half none $set_dir
EOT
    # In the build tree, the checker's default is the build's own set.
    out="$(HOME="$work/none" "$build/mirabosc-check" | sed -n 1p)"
    [ "$out" = "Dorsièr verificat : $build/assets" ] || fail "build tree: $out"
    ;;
deb)
    need cpack dpkg-shlibdeps lintian
    deb="$work/cpack/mirabosc_${version}_$(dpkg --print-architecture).deb"
    # The release is compressed with xz; the test checks what the package holds, so gzip does.
    (cd "$build" && cpack -G DEB -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip -B "$work/cpack" >"$work/log") ||
        fail "cpack: $(cat "$work/log")"
    for f in Section Priority Maintainer Description; do
        [ -n "$(dpkg-deb -f "$deb" $f)" ] || fail "no $f"; done
    dpkg-deb -f "$deb" Depends | grep libqt6widgets6 | grep libsdl2 | grep libmpg123 >/dev/null ||
        fail deps
    lintian --display-info "$deb" 2>&1 | tee "$work/lintian" && ! grep '^E:' "$work/lintian" ||
        fail "lintian"
    ! grep hardening-no "$work/lintian" || fail "the programs are not built hardened"
    [ "$(id -u)" = 0 ] || { echo "SKIP: installing the package needs root"; exit 77; }
    exec 9>/var/lock/mirabosc-package-test; flock 9    # one package test at a time
    ! installed || { echo "SKIP: a mirabosc package is installed already; left alone"; exit 77; }
    ours=1; dpkg -i "$deb" >"$work/log" 2>&1 || fail "dpkg -i: $(cat "$work/log")"
    expect_set /usr/bin /usr/libexec/mirabosc/mirabosc /usr/share/mirabosc "package" \
        -u XDG_DATA_HOME "HOME=$work"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' >"$work/files"
    dpkg -r mirabosc >"$work/log" 2>&1 || fail "dpkg -r: $(cat "$work/log")"
    [ -s "$work/files" ] && ! installed || fail "dpkg -r left the package"
    while read -r f; do [ ! -e "$f" ] && [ ! -L "$f" ] || fail "$f remains"; done <"$work/files"
    ;;
*) fail "unknown mode $mode" ;;
esac
