#!/usr/bin/env bash
# Mirabosc as installed: the staged tree used from another folder, its desktop metadata, and the
# Debian package built, checked, installed, run and removed.
#   packaging.sh metadata|install|deb BUILD_DIR VERSION
set -euo pipefail
mode="$1"; build="$(realpath "$2")"; version="$3"
skipped=77
deadline_s=30
work="$(realpath "$(mktemp -d)")"
program_pid=""
installed_by_us=""

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    if [ -n "$installed_by_us" ] && dpkg-query -W -f='${db:Status-Status}' mirabosc 2>/dev/null |
        grep -qv not-installed; then
        dpkg -P mirabosc >/dev/null || echo "could not remove the mirabosc package" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
need() {
    for tool; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit $skipped; }
    done
}

stage() {
    DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/install.log" ||
        { cat "$work/install.log"; fail "cmake --install"; }
    prefix="$work/stage/usr"
}

# Starts the launcher from an unrelated folder as a user would, waits until it has become the
# program, and sets "folder" to the folder the program runs in.
launched_folder() {
    local launcher="$1" program="$2"; shift 2
    (cd "$work/elsewhere" && exec env "$@" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
        "$launcher" >"$work/program.log" 2>&1) &
    program_pid=$!
    local end=$((SECONDS + deadline_s))
    until [ "$(readlink "/proc/$program_pid/exe" 2>/dev/null)" = "$program" ]; do
        kill -0 "$program_pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "$launcher ended"; }
        [ $SECONDS -lt $end ] || fail "$launcher did not start $program"
        sleep 0.05
    done
    folder="$(readlink "/proc/$program_pid/cwd")"
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

# mirabosc-check with no argument, from an unrelated folder: exit 0, and "folder" set to the
# folder it names on its first line.
checked_folder() {
    local checker="$1" out; shift
    out="$(cd "$work/elsewhere" && env "$@" "$checker")" || { echo "$out" >&2; fail "$checker"; }
    folder="$(sed -n '1s/^Dossier vérifié : //p' <<<"$out")"
}

# The launcher and the checker in BIN pick the EXPECTED set under the given environment.
expect_set() {
    local bin="$1" program="$2" expected="$3" name="$4"; shift 4
    launched_folder "$bin/mirabosc" "$program" "$@"
    [ "$folder" = "$expected" ] || fail "$name: the program started in '$folder', not '$expected'"
    checked_folder "$bin/mirabosc-check" "$@"
    [ "$folder" = "$expected" ] || fail "$name: mirabosc-check checked '$folder', not '$expected'"
    echo "ok: $name -> $expected"
}

validate_metadata() {
    local desktop="$1" metainfo="$2" out
    out="$(desktop-file-validate --no-hints "$desktop" 2>&1)"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    out="$(appstreamcli validate --no-net "$metainfo" 2>&1)" || fail "appstreamcli: $out"
    ! grep -E '^\s*[EW]:' <<<"$out" || fail "appstreamcli reports errors or warnings"
    out="$(appstreamcli validate-tree --no-net "$3" 2>&1)" || fail "appstreamcli validate-tree: $out"
    ! grep -E '^\s*[EW]:' <<<"$out" || fail "appstreamcli validate-tree reports errors or warnings"
}

case "$mode" in
metadata)
    need desktop-file-validate appstreamcli
    stage
    validate_metadata "$prefix"/share/applications/*.desktop "$prefix"/share/metainfo/*.xml \
        "$work/stage"
    grep -q "<release version=\"$version\"" "$prefix"/share/metainfo/*.xml ||
        fail "the metadata do not name version $version"
    ;;
install)
    need file
    stage
    id="$(basename "$prefix"/share/applications/*.desktop .desktop)"
    for size in 16 32 48 64 128 256; do
        file -L "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" |
            grep -q "PNG image data, $size x $size" || fail "no $size px icon named $id"
    done
    mkdir -p "$work/elsewhere" "$work/home" "$work/full/mirabosc" "$work/partial/mirabosc" \
        "$work/home-set/.local/share"
    installed="$(realpath "$prefix/share/mirabosc")"
    program="$(realpath "$prefix/libexec/mirabosc/mirabosc")"
    cp -as "$installed/." "$work/full/mirabosc"
    cp -as "$installed/." "$work/home-set/.local/share/mirabosc"
    cp -as "$installed/img_album" "$installed/son_album" "$installed/img_familles" \
        "$work/partial/mirabosc"
    # Each case: XDG_DATA_HOME (unset when "-"), HOME, the set expected, its name.
    while read -r xdg home expected name; do
        environment=(-u XDG_DATA_HOME "HOME=$work/$home")
        [ "$xdg" = - ] || environment+=("XDG_DATA_HOME=$xdg")
        expect_set "$prefix/bin" "$program" "${expected/#installed/$installed}" "$name" \
            "${environment[@]}"
    done <<EOT
- home installed no-user-set
$work/full home $work/full/mirabosc complete-user-set
$work/partial home installed user-set-lacking-a-folder
- home-set $work/home-set/.local/share/mirabosc set-in-default-data-home
../full home installed relative-XDG_DATA_HOME-ignored
EOT
    ;;
deb)
    need cpack dpkg-deb dpkg-shlibdeps lintian
    deb="$work/mirabosc_${version}_$(dpkg --print-architecture).deb"
    (cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log") ||
        { cat "$work/cpack.log"; fail "cpack"; }
    mv "$work/cpack/$(basename "$deb")" "$deb" || fail "cpack made no $(basename "$deb")"
    for field in Section Priority Maintainer Description Depends; do
        [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field in the package"
    done
    for library in libqt6widgets6 libsdl2 libmpg123; do
        dpkg-deb -f "$deb" Depends | grep -q "$library" || fail "no dependency on $library"
    done
    lintian "$deb" >"$work/lintian.log" 2>&1 || true
    cat "$work/lintian.log"
    ! grep -q '^E:' "$work/lintian.log" || fail "lintian reports errors"
    [ "$(id -u)" = 0 ] || { echo "SKIP: installing the package needs root"; exit $skipped; }
    # One package test at a time on a machine; a mirabosc installed by someone else stays.
    exec 9>/var/lock/mirabosc-package-test
    flock 9
    if dpkg-query -W -f='${db:Status-Status}' mirabosc 2>/dev/null | grep -qv not-installed; then
        echo "SKIP: a mirabosc package is already installed; it is left alone"
        exit $skipped
    fi
    installed_by_us=1
    dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
    mkdir -p "$work/elsewhere" "$work/home"
    expect_set /usr/bin /usr/libexec/mirabosc/mirabosc /usr/share/mirabosc installed-package \
        -u XDG_DATA_HOME "HOME=$work/home"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' >"$work/files"
    dpkg -r mirabosc >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r"; }
    [ -s "$work/files" ] || fail "the package lists no file"
    while read -r path; do
        [ ! -e "$path" ] || fail "$path remains after dpkg -r"
    done <"$work/files"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
