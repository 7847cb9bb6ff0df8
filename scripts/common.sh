# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and test.sh: Debian packages, configuration and build of Mirabosc.

MIRABOSC_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MIRABOSC_BUILD="${MIRABOSC_BUILD:-$MIRABOSC_ROOT/build}"
MIRABOSC_ASAN_BUILD="${MIRABOSC_ASAN_BUILD:-$MIRABOSC_ROOT/build-asan}"
MIRABOSC_BENCH_BUILD="${MIRABOSC_BENCH_BUILD:-$MIRABOSC_ROOT/build-bench}"

# What building and running the program and its tools need: compilers, libraries, the fonts and
# voice programs the default set is made with, and Xvfb for a machine with no display. Nothing
# here changes the machine's desktop or sound server.
MIRABOSC_RUN_PACKAGES=(
    build-essential cmake ninja-build pkgconf
    qt6-base-dev libmpg123-dev libsdl2-dev libmp3lame-dev libsndfile1-dev libxcb1-dev
    libebur128-dev libarchive-dev libespeak-ng-dev qt6-image-formats-plugins qt6-translations-l10n
    espeak-ng lame
    fonts-dejavu-core fonts-noto-color-emoji fonts-kaushanscript fonts-dancingscript fonts-comic-neue
    xvfb xauth
)
# What ./run.sh --screenshot adds: finding the menu's window and saving its picture.
MIRABOSC_SCREENSHOT_PACKAGES=(xdotool x11-utils imagemagick)
# What the test suite adds: benchmarks (and the voice detector the speech finder is measured
# against), desktops to run under (window manager, Wayland, a sound server of its own, an
# accessibility bus and a reader of it), the printed deck's PDF readers and a printer to print it
# to, packaging checks, the format check and the sanitizers' and fuzzers' clang.
# "a|b" takes the first name apt knows, so that one list fits several Debian releases.
MIRABOSC_TEST_PACKAGES=(
    git zip libbenchmark-dev libwebrtc-audio-processing-dev sox tesseract-ocr libx11-dev openbox
    qt6-wayland weston xwayland
    desktop-file-utils appstream lintian dpkg-dev file reuse
    pulseaudio pulseaudio-utils dbus-daemon python3-pyatspi zip unzip
    clang lld "libclang-rt-dev|libclang-rt-14-dev" "clang-format-14|clang-format"
    poppler-utils qpdf cups printer-driver-cups-pdf
)

# (grep reads all its input: with pipefail, an early exit would fail the writer and the test.)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep "install ok installed" >/dev/null; }
# Whether apt can install the package (a real package, not only a name others provide).
known() { apt-cache show --no-all-versions "$1" 2>/dev/null | grep '^Package:' >/dev/null; }

# Of the alternatives "a|b|c", the first that apt knows, else the first.
package_choice() {
    local names name
    IFS='|' read -r -a names <<<"$1"
    for name in "${names[@]}"; do known "$name" && { echo "$name"; return; }; done
    echo "${names[0]}"
}

# Installs those of the given packages ("a|b" alternatives allowed) that are missing; with none
# given, everything the programs, the screenshot and the test suite need.
ensure_packages() {
    local wanted=("$@") missing=() entry name names any
    [ $# -gt 0 ] || wanted=("${MIRABOSC_RUN_PACKAGES[@]}" "${MIRABOSC_SCREENSHOT_PACKAGES[@]}"
        "${MIRABOSC_TEST_PACKAGES[@]}")
    for entry in "${wanted[@]}"; do
        any=0
        IFS='|' read -r -a names <<<"$entry"
        for name in "${names[@]}"; do installed "$name" && any=1; done
        [ $any -eq 1 ] || missing+=("$entry")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    local chosen=()
    for entry in "${missing[@]}"; do chosen+=("$(package_choice "$entry")"); done
    echo "Installing Debian packages: ${chosen[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${chosen[@]}"
}

# Configures the given directory with the given extra CMake options. Options given on a later run
# apply there too: CMake is run again whenever options are given.
configure_tree() {
    local dir="$1"; shift
    if [ ! -f "$dir/build.ninja" ] || [ $# -gt 0 ]; then
        cmake -S "$MIRABOSC_ROOT" -B "$dir" -G Ninja "$@"
    fi
}

# Configures (as configure_tree) and builds the given directory.
build_tree() {
    configure_tree "$@"
    cmake --build "$1" -j2
}

# What playing and the workshop need: the three programs and the default set.
MIRABOSC_PROGRAMS=(mirabosc mirabosc-record mirabosc-check default_assets)
# The build ./run.sh makes when there is none: optimized (-O2, as Debian builds), without debug
# information, each library compiled as one source (a unity build: a whole library in one batch).
MIRABOSC_PLAYER_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON
    -DCMAKE_UNITY_BUILD_BATCH_SIZE=0
)
# The test command's first tree: optimized at -O1 (about a quarter quicker to compile than -O2),
# with line tables for stack traces, each library as one source. It builds the tests of the
# screens, the tools and the whole program, and leaves those of the readers of outside files to
# the sanitized tree; the benchmarks have a tree of their own (scripts/bench.sh).
MIRABOSC_TEST_OPTIONS=(
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g -DNDEBUG"
    -DMIRABOSC_TESTS=ON -DMIRABOSC_BENCH=OFF -DMIRABOSC_READERS_SANITIZED=ON
    -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=0 -DMIRABOSC_LINE_TABLES=ON
    -DMIRABOSC_PCH=ON
)
# The benchmarks' tree: a player's build (what they measure is what a child runs) with the
# benchmarks.
MIRABOSC_BENCH_OPTIONS=("${MIRABOSC_PLAYER_OPTIONS[@]}" -DMIRABOSC_BENCH=ON)

# The programs and the default set in the first tree: a player's build when there is none yet, a
# tree ./test.sh made used as it is.
build_programs() {
    [ -f "$MIRABOSC_BUILD/build.ninja" ] ||
        configure_tree "$MIRABOSC_BUILD" "${MIRABOSC_PLAYER_OPTIONS[@]}"
    cmake --build "$MIRABOSC_BUILD" -j2 --target "${MIRABOSC_PROGRAMS[@]}"
}

# The sanitized tree: the readers of outside files built with clang, AddressSanitizer, UBSan and
# LeakSanitizer, instrumented for libFuzzer, with the fuzz targets; it takes the default assets and
# artwork of the first tree. ./test.sh runs its tests and each fuzz target over its seeds;
# fuzz/run.sh fuzzes with the same targets.
MIRABOSC_SANITIZED_OPTIONS=(
    -DCMAKE_CXX_COMPILER=clang++ -DMIRABOSC_SANITIZE=ON -DMIRABOSC_FUZZ=ON -DMIRABOSC_TESTS=ON
    -DMIRABOSC_BENCH=OFF -DMIRABOSC_GENERATED_FROM="$MIRABOSC_BUILD" -DCMAKE_UNITY_BUILD=ON
    -DCMAKE_UNITY_BUILD_BATCH_SIZE=0
)

# Runs a command with AddressSanitizer, UBSan and LeakSanitizer reporting as errors; the
# suppressions name only what system libraries keep until the process ends. Qt 6.8 asks the
# desktop portal over D-Bus at start-up and keeps that watcher to the end; with fast unwinding its
# blocks show no frame a suppression could name, so the sanitized programs do not ask. Stack
# memory used after its function returned is looked for on every release (newer ones do by default).
sanitized() {
    QT_NO_XDG_DESKTOP_PORTAL=1 \
    ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
    LSAN_OPTIONS="suppressions=$MIRABOSC_ROOT/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}" \
        "$@"
}
