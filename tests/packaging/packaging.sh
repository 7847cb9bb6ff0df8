#!/usr/bin/env bash
# Mirabosc installed: staged and used from elsewhere, its metadata, the .deb built, linted,
# installed, run and removed.  Usage: packaging.sh metadata|install|deb BUILD_DIR VERSION
set -euo pipefail
mode="$1"; build="$(realpath "$2")"; version="$3"
work="$(realpath "$(mktemp -d)")"; prefix="$work/stage/usr"; pid=""; ours=""
installed() { dpkg-query -Wf'${db:Status-Status}' mirabosc 2>/dev/null | grep -qv not-installed; }
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
    [ "$(head -n1 <<<"$out")" = "Dossier vérifié : $expected" ] || fail "$name: checked $out"
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
        grep -q ", $px x $px," || fail "no $px px icon $id"; done
    set_dir="$prefix/share/mirabosc"
    mkdir -p "$work/full/mirabosc" "$work/part/mirabosc" "$work/home/.local/share" "$work/none"
    for copy in full/mirabosc home/.local/share/mirabosc; do cp -as "$set_dir/." "$work/$copy"; done
    cp -as "$set_dir/img_album" "$set_dir/son_album" "$set_dir/img_familles" "$work/part/mirabosc"
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
EOT
    # In the build tree, the checker's default is the build's own set.
    out="$(HOME="$work/none" "$build/mirabosc-check" | head -n1)"
    [ "$out" = "Dossier vérifié : $build/assets" ] || fail "build tree: $out"
    ;;
deb)
    need cpack dpkg-shlibdeps lintian
    deb="$work/cpack/mirabosc_${version}_$(dpkg --print-architecture).deb"
    (cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/log") || fail "cpack: $(cat "$work/log")"
    for f in Section Priority Maintainer Description; do
        [ -n "$(dpkg-deb -f "$deb" $f)" ] || fail "no $f"; done
    dpkg-deb -f "$deb" Depends | grep libqt6widgets6 | grep libsdl2 | grep -q libmpg123 || fail deps
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
