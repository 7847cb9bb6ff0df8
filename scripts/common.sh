# Shared by run.sh and test.sh: Debian packages, configuration and build of Mirabosc.

MIRABOSC_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MIRABOSC_BUILD="${MIRABOSC_BUILD:-$MIRABOSC_ROOT/build}"
MIRABOSC_ASAN_BUILD="${MIRABOSC_ASAN_BUILD:-$MIRABOSC_ROOT/build-asan}"

# Everything the build, the default assets, the tests and the screenshots need.
MIRABOSC_PACKAGES=(
    build-essential cmake ninja-build pkgconf git
    qt6-base-dev libmpg123-dev libsdl2-dev libbenchmark-dev libmp3lame-dev libsndfile1-dev libebur128-dev
    libarchive-dev qt6-image-formats-plugins libespeak-ng-dev tesseract-ocr
    espeak-ng lame sox
    fonts-dejavu-core fonts-noto-color-emoji fonts-kaushanscript fonts-dancingscript fonts-comic-neue
    xvfb xauth x11-utils xdotool imagemagick libx11-dev libxcb1-dev openbox qt6-wayland
    weston xwayland
    desktop-file-utils appstream lintian dpkg-dev file
    pulseaudio pulseaudio-utils
    clang libclang-rt-14-dev lld
)

ensure_packages() {
    local missing=()
    for p in "${MIRABOSC_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds the given directory with the given extra CMake options.
build_tree() {
    local dir="$1"; shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$MIRABOSC_ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir" -j2
}

# Runs a command with AddressSanitizer, UBSan and LeakSanitizer reporting as errors; the
# suppressions name only what system libraries keep until the process ends.
sanitized() {
    ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
    LSAN_OPTIONS="suppressions=$MIRABOSC_ROOT/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}" \
        "$@"
}
