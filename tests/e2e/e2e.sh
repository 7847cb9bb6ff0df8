#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: the real program on a virtual X display, driven by real pointer events as a child
# would. Opens each screen from the menu, points, clicks, listens, closes it, and quits.
#   e2e.sh MIRABOSC ASSET-DIR OUTPUT-DIR WMCLOSE
# Leaves screenshots of every screen, the recorded output (audio.raw) and a log in OUTPUT-DIR.
set -euo pipefail

program="$(realpath "$1")"; assets="$(realpath "$2")"; out="$(realpath -m "$3")"
wmclose="$(realpath "$4")"
rm -rf "$out"
mkdir -p "$out"
audio="$out/audio.raw"
step() { echo "-- $*"; }

xvfb_pid=""; app_pid=""; row_pids=(); wm=""; pulse_pid=""; parec_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$parec_pid" ] && kill "$parec_pid" 2>/dev/null || true
    [ -n "$pulse_pid" ] && kill "$pulse_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    for p in "${row_pids[@]}"; do kill "$p" 2>/dev/null || true; done
    # An X server still ending when the next run starts one on its number would remove the new
    # server's socket as it goes: wait (5 s at most each) until they are all gone.
    for p in "$app_pid" "$parec_pid" "$pulse_pid" "$xvfb_pid" "${row_pids[@]}"; do
        [ -n "$p" ] || continue
        for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    done
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failure.png" 2>/dev/null || true
    exit 1
}

# Waits up to TENTHS tenths of a second for a command to succeed.
wait_for() {
    local tenths="$1"; shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# --- the display and the program ------------------------------------------------------------
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$out/display" 2>"$out/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$out/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$out/display")"
unset XAUTHORITY

cd "$assets"
QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" "$program" \
    >"$out/mirabosc.log" 2>&1 &
app_pid=$!

visible_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }
has_visible() { [ -n "$(visible_named "$1")" ]; }
# A visible window with the title that is none of the windows already known.
new_window() {
    local title="$1"; shift
    local w
    for w in $(visible_named "$title"); do
        local known=0 k
        for k in "$@"; do [ "$w" = "$k" ] && known=1; done
        [ $known -eq 0 ] && { echo "$w"; return 0; }
    done
    return 1
}
is_visible() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }
geometry() { # x y width height
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^  Width/ {w=$2} /^  Height/ {h=$2} END {print x, y, w, h}'
}
# Checks a window's title, client size and the centring rule (no window manager: no frame).
check_window() {
    local wid="$1" title="$2" width="$3" height="$4"
    local name; name="$(xdotool getwindowname "$wid")"
    [ "$name" = "$title" ] || fail "window $wid is titled '$name', not '$title'"
    read -r x y w h < <(geometry "$wid")
    [ "$w" = "$width" ] && [ "$h" = "$height" ] || fail "$title is ${w}x${h}, not ${width}x${height}"
    echo "   $title: ${w}x${h} at $x,$y"
}
check_centred() {
    read -r x y w h < <(geometry "$1")
    [ "$x" = $(((1024 - w) / 2)) ] && [ "$y" = $(((768 - h) / 2)) ] ||
        fail "window at $x,$y is not centred for ${w}x${h}"
}

# --- pointer --------------------------------------------------------------------------------
# Pointer positions are relative to a window; moves glide through a few points on the way.
origin_x=0; origin_y=0
use_window() { read -r origin_x origin_y _ _ < <(geometry "$1"); }
move() { xdotool mousemove "$((origin_x + $1))" "$((origin_y + $2))"; }
glide() {
    local from_x="$1" from_y="$2" to_x="$3" to_y="$4" steps=6 i
    for i in $(seq 1 $steps); do
        move $((from_x + (to_x - from_x) * i / steps)) $((from_y + (to_y - from_y) * i / steps))
        sleep 0.02
    done
}
click_at() { move "$1" "$2"; sleep 0.05; xdotool click 1; }
shot() { import -window "$1" "$out/$2.png" && echo "   screenshot $out/$2.png"; }

# --- sound ----------------------------------------------------------------------------------
# The disk driver writes the output, 44.1 kHz stereo 32-bit floats, in real time.
frame_bytes=8
mark() { local s; s=$(stat -c %s "$audio" 2>/dev/null || echo 0); echo $((s / frame_bytes * frame_bytes)); }
peak_since() {
    local from="$1" size; size=$(mark)
    [ "$size" -gt "$from" ] || { echo 0; return; }
    tail -c +"$((from + 1))" "$audio" | head -c "$((size - from))" |
        sox -t raw -r 44100 -e floating-point -b 32 -c 2 - -n stat 2>&1 |
        awk '/Maximum amplitude/ {print $3}'
}
loud() { awk -v p="$(peak_since "$1")" 'BEGIN {exit !(p > 0.02)}'; }
heard_since() { wait_for 80 loud "$1" || fail "nothing was heard: $2"; echo "   heard: $2"; }
grown() { [ "$(mark)" -ge $(($1 + $2)) ]; }
silent_after() { # nothing louder than the floor in the output written after a fresh mark
    # What was mixed before the sound stopped may still be on its way to the file (the buffer
    # in flight, the driver's stdio buffer), late when the machine is busy: let 0.1 s of output
    # pass first, then listen to the next 0.4 s.
    local m; m=$(mark)
    wait_for 50 grown "$m" $((44100 * frame_bytes / 10)) || fail "the output stopped: $1"
    m=$(mark)
    wait_for 50 grown "$m" $((44100 * frame_bytes * 4 / 10)) || fail "the output stopped: $1"
    awk -v p="$(peak_since "$m")" 'BEGIN {exit !(p < 0.001)}' || fail "still sounding: $1"
    echo "   silent: $1"
}
# Whether the keyboard's frame crosses a screenshot at X, Y: its yellow band, inside dark lines.
framed() { [ "$(convert "$out/$1.png" -format "%[pixel:p{$2,$3}]" info:)" = "srgb(255,224,0)" ]; }
differs() { # the count of differing pixels between two screenshots
    local ae; ae=$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 >/dev/null || true)
    awk -v n="$ae" 'BEGIN {exit !(n + 0 > 0)}'
}

# --- rows on real desktops: a window manager, a display of scale 2 -------------------------
# A row whose desktop tools are not installed is skipped, and says so.
missing() {
    local t absent=()
    for t; do command -v "$t" >/dev/null || absent+=("$t"); done
    [ ${#absent[@]} -gt 0 ] && echo "   SKIPPED: not installed: ${absent[*]}"
}
start_row() { # SIZE NAME WM|"" [VARIABLE=VALUE...]: Xvfb, a window manager, then the program
    Xvfb -displayfd 6 -screen 0 "$1x24" -nolisten tcp 6>"$out/$2.display" 2>/dev/null &
    row_pids+=($!)
    wait_for 100 test -s "$out/$2.display" || fail "Xvfb for $2 did not start"
    export DISPLAY=":$(head -n1 "$out/$2.display")" audio="$out/$2-audio.raw" wm="$3"
    [ -z "$wm" ] || { XDG_CONFIG_HOME="$out/$2-config" "$wm" >"$out/$2-wm.log" 2>&1 & row_pids+=($!)
        wait_for 100 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"; } || fail "$wm"
    (cd "$assets" && exec env QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" \
        "${@:4}" "$program" >"$out/$2.log" 2>&1) &
    row_app=$!; row_pids+=($row_app)
    wait_for 150 has_visible '^Mirabosc$' || fail "the main menu did not appear ($2)"
    row_menu="$(visible_named '^Mirabosc$' | head -n1)"
}
# The outer frame, client plus _NET_FRAME_EXTENTS, within 2 pixels of the display's centre.
check_frame_centred() { # WINDOW NAME SCREEN-WIDTH SCREEN-HEIGHT
    local l=0 r=0 t=0 b=0 x y w h
    [ -z "$wm" ] || { wait_for 50 bash -c "xprop -id $1 _NET_FRAME_EXTENTS | grep -q '= '" &&
        read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g'); } ||
        fail "$2 was not framed"
    read -r x y w h < <(geometry "$1")
    local fx=$((x - l)) fy=$((y - t)) fw=$((w + l + r)) fh=$((h + t + b)) cx cy
    cx=$((($3 - fw) / 2)) cy=$((($4 - fh) / 2))
    [ $(((fx - cx) ** 2 <= 4 && (fy - cy) ** 2 <= 4)) = 1 ] ||
        fail "$2: outer frame ${fw}x${fh} at $fx,$fy, centred is $cx,$cy"
    echo "   $2: outer frame ${fw}x${fh} at $fx,$fy (centred $cx,$cy)"
}
open_screen() { # X Y TITLE NAME SCREEN-WIDTH SCREEN-HEIGHT: prints the window, once checked
    use_window "$row_menu"; click_at "$1" "$2"
    wait_for 100 new_window "$3" "$row_menu" >/dev/null || fail "$4 did not open"
    check_frame_centred "$(new_window "$3" "$row_menu")" "$4" "$5" "$6" >&2
    new_window "$3" "$row_menu"
}
close_screen() { "$wmclose" "$1"
    wait_for 50 bash -c "! xwininfo -id $1 2>/dev/null | grep -q IsViewable" || fail "$1 stayed"; }
quit_row() { use_window "$row_menu"; click_at "$1" "$2" # on the quit picture: the program ends
    wait_for 100 bash -c "! kill -0 $row_app 2>/dev/null" || fail "the program did not end"
    wait "$row_app" || fail "the program ended with an error"
}
row_openbox() {
    step "under openbox: outer frames centred at every showing, the first included"
    ! missing openbox xprop xev || return 0
    start_row 1024x768 openbox openbox
    check_frame_centred "$row_menu" menu 1024 768
    local win corner; win="$(open_screen 270 110 '^Las set familhas$' explorer 1024 768)"
    # A family click must not unmap the window; xev listens once it reports a probe property.
    xev -id "$win" -event structure -event property >"$out/explorer-xev.log" 2>&1 & row_pids+=($!)
    wait_for 50 bash -c "xprop -id $win -f _MIRABOSC_PROBE 8s -set _MIRABOSC_PROBE 1;
        grep -q _MIRABOSC_PROBE '$out/explorer-xev.log'" || fail "xev did not listen"
    corner="$(geometry "$win" | cut -d' ' -f1,2)"; use_window "$win"; click_at 87 132
    wait_for 30 bash -c "xwininfo -id $win | grep -q 'Height: 577'" || fail "no cards under openbox"
    ! grep -q UnmapNotify "$out/explorer-xev.log" || fail "a family click unmapped the explorer"
    [ "$(geometry "$win" | cut -d' ' -f1,2)" = "$corner" ] || fail "the explorer's top-left moved"
    echo "   a family click: no UnmapNotify, top-left kept at $corner"
    shot root openbox-cards && close_screen "$win"
    close_screen "$(open_screen 270 110 '^Las set familhas$' "explorer again" 1024 768)"
    close_screen "$(open_screen 100 35 '^Mirabosc$' album 1024 768)"
    win="$(open_screen 60 440 '^Repassadas$' review 1024 768)"
    use_window "$win"; click_at 388 276     # OK with no family ticked: a message box
    wait_for 50 has_visible '^Erreur$' || fail "no message for an empty choice"
    check_frame_centred "$(visible_named '^Erreur$' | head -n1)" "message box" 1024 768
    close_screen "$(visible_named '^Erreur$' | head -n1)"
    close_screen "$win"
    quit_row 300 510
}
# The error box of a failed show: the window named exactly as the program file (xdotool's
# search ignores case, and the menu is "Mirabosc").
error_box() { local w
    for w in $(visible_named '^mirabosc$'); do
        [ "$(xdotool getwindowname "$w")" = mirabosc ] && { echo "$w"; return 0; }; done; return 1; }
dismiss_error_box() { # NAME: the box comes first, centred, and Return closes it
    wait_for 100 error_box >/dev/null || fail "no error box: $1"
    local box; box="$(error_box)"
    check_frame_centred "$box" "error box: $1" 1024 768
    xdotool windowfocus --sync "$box" key Return
    wait_for 50 bash -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" || fail "box stayed: $1"
}
row_openbox_show_errors() {
    step "under openbox: screens whose show fails open centred after the error box"
    local set="$assets" win corner d f
    local assets="$out/broken-set"   # start_row runs the program here: the set, two files broken
    mkdir -p "$assets/img_familles"
    for d in img_album son_album sons_familles; do ln -s "$set/$d" "$assets/$d"; done
    for f in "$set"/img_familles/*; do ln -s "$f" "$assets/img_familles/"; done
    rm "$assets/img_familles/mini26.bmp" "$assets/img_familles/v10.bmp"
    printf 'BM\x10\x00' >"$assets/img_familles/v10.bmp"   # cut inside its header
    start_row 1024x768 openbox-errors openbox
    use_window "$row_menu"; click_at 270 110
    dismiss_error_box "img_familles/mini26.bmp missing"
    wait_for 100 new_window '^Las set familhas$' "$row_menu" >/dev/null || fail "no explorer"
    win="$(new_window '^Las set familhas$' "$row_menu")"
    check_frame_centred "$win" "explorer after its error box" 1024 768
    corner="$(geometry "$win" | cut -d' ' -f1,2)"; use_window "$win"; click_at 87 132
    wait_for 30 bash -c "xwininfo -id $win | grep -q 'Height: 577'" || fail "no cards"
    [ "$(geometry "$win" | cut -d' ' -f1,2)" = "$corner" ] || fail "the explorer moved as it grew"
    echo "   the explorer grew with its top-left kept at $corner"
    close_screen "$win"
    use_window "$row_menu"; click_at 60 440
    dismiss_error_box "img_familles/v10.bmp broken"
    wait_for 100 new_window '^Repassadas$' "$row_menu" >/dev/null || fail "no review"
    win="$(new_window '^Repassadas$' "$row_menu")"
    check_frame_centred "$win" "review after its error box" 1024 768
    close_screen "$win"
    quit_row 300 510
}
# One review round with keys only, through XTEST to the focused window as a keyboard does.
keys() { local k; for k in "$@"; do xdotool key "$k"; sleep 0.05; done; }
# Keys held as a child holds them, down 3 s through the X server's own repeat (on in Xvfb: after
# 660 ms, 25 a second), on the menu, a card and an answer: each hold is one act.
answers() { xdotool search --onlyvisible --name '^(Information|Erreur)$' 2>/dev/null || true; }
none_but() { [ -z "$(answers | grep -vxF "${1:-}")" ]; }   # no answer up but the one given
no_answer() { [ -z "$(answers)" ]; }
held() { # KEY WHAT CHECK...: KEY down 3 s, CHECK true throughout and after
    local t; xdotool keydown "$1"
    for t in $(seq 30); do
        sleep 0.1; "${@:3}" || { xdotool keyup "$1"; fail "$1 held on $2 ($t tenths)"; }
    done
    xdotool keyup "$1"; sleep 0.5; "${@:3}" || fail "$1 held on $2, released"
    echo "   $1 held 3 s on $2"
}
one_answer() { local a; a="$(answers)"; [ -n "$first" ] || first="$a"; [ "$a" = "$first" ]; }
held_keys() { # MENU KEYS...: KEYS bring the menu's frame to the review's word
    step "keys held 3 s, ${wm:-no window manager}: one act each, on the menu, a card, an answer"
    local key win m; xdotool mousemove 0 0             # keys act wherever the pointer is
    keys "${@:2}"
    for key in Return space; do
        held "$key" "the menu: the review opens, no box ticked, no round" none_but
        wait_for 50 new_window '^Repassadas$' "$1" >/dev/null || fail "$key opened no review"
        win="$(new_window '^Repassadas$' "$1")"
        keys Return; silent_after "Return ticks the first family, and starts nothing"
        m=$(mark); keys Return; heard_since "$m" "a round, started by Return on the ticked box"
        first=""; sleep 0.3                            # a new board takes no key for 250 ms
        held "$key" "a card: one answer, up throughout" one_answer
        [ -n "$first" ] || fail "$key held on a card picked nothing"
        held "$key" "the answer: it closes, and no other comes" none_but "$first"
        wait_for 30 no_answer || fail "$key held on the answer left it up"
        keys Escape
        wait_for 50 bash -c "! xwininfo -id $win 2>/dev/null | grep -q IsViewable" ||
            fail "Escape left the review open"
    done
}
row_keys_review() {
    step "a review round played with the keyboard alone"
    start_row 1024x768 keys openbox
    local win m pick message box
    keys Right Right Return                            # the review's word, from the album's
    wait_for 100 new_window '^Repassadas$' "$row_menu" >/dev/null || fail "Return opened no review"
    win="$(new_window '^Repassadas$' "$row_menu")"
    m=$(mark)
    keys Right                                         # the second family box: its name is heard
    heard_since "$m" "the family's name, on arriving at its box"
    keys Return                                        # Return ticks it
    m=$(mark)
    keys Return                                        # and, ticked, starts the round
    heard_since "$m" "the round's word, started by Return on the ticked box"
    for pick in 1 2 3 4 5 6 7; do                      # Enter on a card until it is the right one
        sleep 0.3                                      # a new board takes no key for 250 ms
        keys Return
        wait_for 50 bash -c "xdotool search --onlyvisible --name '^(Information|Erreur)$' >/dev/null" ||
            fail "no answer to pick $pick"
        box="$(xdotool search --onlyvisible --name '^(Information|Erreur)$' | head -n1)"
        message="$(xdotool getwindowname "$box")"
        check_frame_centred "$box" "message $message" 1024 768   # as wide as its title needs
        shot root "keys-$message" >/dev/null
        keys Return
        wait_for 50 bash -c "! xdotool search --onlyvisible --name '^(Information|Erreur)$' >/dev/null" ||
            fail "Return left the message up"
        [ "$message" = Information ] && break
        keys Right
    done
    [ "$message" = Information ] || fail "no right pick among the seven cards"
    echo "   a right pick at the card reached by $((pick - 1)) presses of Right"
    m=$(mark); keys r
    heard_since "$m" "the word replayed by R"
    keys Escape
    wait_for 50 bash -c "! xwininfo -id $win 2>/dev/null | grep -q IsViewable" || fail "Escape left it open"
    held_keys "$row_menu"                              # the frame is on the review's word
    keys Escape                                        # the menu's close box: the program ends
    wait_for 100 bash -c "! kill -0 $row_app 2>/dev/null" || fail "Escape did not end the program"
    wait "$row_app" || fail "the program ended with an error"
}
# What a screen reader hears, on a bus of the row's own, in a set whose class changed a word, a
# family's name and a page; and what a switch device does through the "Press" action alone.
row_atspi() { # WM|""
    step "screen readers, ${1:-no window manager}: roles and names, the set's own words"
    local set="$assets" name="atspi-${1:-nowm}" d here; here="$(dirname "$(realpath "$0")")"
    # Debian's own Python, which python3-pyatspi installs into, whatever else is on the PATH.
    ! missing dbus-daemon || return 0
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "   SKIPPED: no python3-pyatspi"; return 0; }
    local assets="$out/$name-set" class="$out/$name-class"; mkdir -p "$assets/textes" "$class/textes"
    for d in img_album img_familles son_album sons_familles; do ln -s "$set/$d" "$assets/$d"; done
    # The family's name and the page come from the class set it is based on, the card's word
    # from the set's own row.
    sed 's/^family 1 | la familha |/family 1 | los parents |/' "$here/../../data/familles.txt" \
        >"$class/textes/familles.txt"
    sed 's/^title Joana e.*/title Lo libre/' "$here/../../data/album.txt" >"$class/textes/album.txt"
    sed -n 's/^card 3 | la maire |/card 3 | la grand-maire |/p' "$here/../../data/familles.txt" \
        >"$assets/textes/familles.txt"
    ln -s "$class/textes" "$assets/textes/base"
    dbus-daemon --session --nofork --print-address=7 7>"$out/$name.bus" 2>/dev/null & row_pids+=($!)
    wait_for 50 test -s "$out/$name.bus" || fail "no session bus for $name"
    export DBUS_SESSION_BUS_ADDRESS; DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$out/$name.bus")"
    start_row 1024x768 "$name" "$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    /usr/bin/python3 "$here/atspi_walk.py" "la grand-maire" "Lo libre" "los parents" ||
        fail "heard by $name"
    unset DBUS_SESSION_BUS_ADDRESS; quit_row 300 510
}
row_scale2() {
    step "scale 2 on a 2048x1536 display: doubled rectangles, hit-testing, smooth pictures"
    start_row 2048x1536 scale2 "" QT_SCALE_FACTOR=2
    check_window "$row_menu" Mirabosc 802 1100
    check_frame_centred "$row_menu" menu 2048 1536
    shot "$row_menu" scale2-menu
    # Pixel doubling leaves 2x2 blocks of one colour, which survive halving and doubling.
    convert "$out/scale2-menu.png" -crop 600x600+100+300 +repage -write mpr:a -sample 50% \
        -sample 200% mpr:a -metric AE -compare -format '%[distortion]' info: >"$out/scale2-ae"
    [ "$(cut -d. -f1 "$out/scale2-ae")" -gt 36000 ] || fail "pixel-doubled: $(cat "$out/scale2-ae")"
    echo "   smooth: $(cat "$out/scale2-ae") of 360000 pixels differ from a pixel-doubled copy"
    local win m; win="$(open_screen 540 220 '^Las set familhas$' explorer 2048 1536)"
    use_window "$win"; m=$(mark); glide 340 504 174 264   # over bare panel onto a miniature
    heard_since "$m" "the first family's name at scale 2"
    click_at 174 264
    wait_for 30 bash -c "xwininfo -id $win | grep -q 'Height: 1154'" || fail "no cards at scale 2"
    close_screen "$win"
    quit_row 400 960   # where the quit picture lies over the review's, quit wins
}

row_weston() {
    step "under weston: X11 through XWayland where both are there, Wayland where it is alone"
    ! missing weston Xwayland || return 0
    [ -z "${MIRABOSC_QT_PLATFORMS:-}" ] || compgen -G "$MIRABOSC_QT_PLATFORMS/*wayland*" >/dev/null ||
        { echo "   SKIPPED: Qt's Wayland platform plugin is not installed"; return 0; }
    local rt="$out/weston-runtime" socket="mirabosc-e2e-$$" log="$out/weston.log" xwl
    mkdir -m 700 "$rt"
    XDG_RUNTIME_DIR="$rt" weston --backend=headless-backend.so --xwayland --no-config \
        --socket="$socket" --idle-time=0 --log="$log" >/dev/null 2>&1 & row_pids+=($!)
    wait_for 100 grep -q 'xserver listening on display' "$log" || fail "weston did not start"
    xwl="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$log" | head -n1)"
    weston_app() { # LOG VARIABLE=VALUE...: the program with no platform asked for
        (cd "$assets" && exec env -u QT_QPA_PLATFORM -u DISPLAY XDG_RUNTIME_DIR="$rt" \
            WAYLAND_DISPLAY="$socket" SDL_AUDIODRIVER=dummy "${@:2}" "$program" >"$out/$1" 2>&1) &
        row_app=$!; row_pids+=($row_app)
    }
    weston_app weston-x11.log DISPLAY="$xwl"   # both there: X11 (weston places X windows itself)
    export DISPLAY="$xwl"
    wait_for 150 has_visible '^Mirabosc$' || fail "no X11 window on XWayland $xwl"
    row_menu="$(visible_named '^Mirabosc$' | head -n1)"
    check_window "$row_menu" Mirabosc 401 550 && "$wmclose" "$row_menu"
    wait_for 100 bash -c "! kill -0 $row_app 2>/dev/null" || fail "the program did not end"
    wait "$row_app" || fail "the program ended with an error under XWayland"
    # Wayland alone: a toplevel titled Mirabosc, drawn, then shown on weston's output.
    weston_app weston-wayland.log WAYLAND_DEBUG=1
    wait_for 150 awk '/xdg_toplevel[@#][0-9]+\.set_title\("Mirabosc"\)/ {t = 1}
        t && /\.attach\(wl_buffer[@#]/ {a = 1} a && /wl_surface[@#][0-9]+\.enter\(wl_output[@#]/ {ok = 1}
        END {exit !ok}' "$out/weston-wayland.log" || fail "no Mirabosc window shown on Wayland"
    kill -0 "$row_app" 2>/dev/null || fail "the program ended on Wayland"
    ! grep -i -E 'qt\.qpa|could not|failed' "$out/weston-wayland.log" || fail "a platform error"
    kill "$row_app" && echo "   XWayland $xwl: an X11 window; Wayland alone: a toplevel, shown"
}

# --- a real sound server that goes away and comes back -------------------------------------
# PulseAudio with a null sink, started here; parec records the sink's monitor in the format the
# disk driver writes, so mark, peak_since and heard_since work on the recording. The program
# plays through PulseAudio; the server is stopped and started again between two hovers.
sink=mirabosc_e2e
start_pulse() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 \
        --load="module-null-sink sink_name=$sink" --load=module-native-protocol-unix \
        >>"$out/pulseaudio.log" 2>&1 &
    pulse_pid=$!
    wait_for 100 pulse_ready || fail "PulseAudio did not start"
}
pulse_ready() { pactl list short sinks 2>/dev/null | grep -q "$sink"; }
stop_pulse() {
    kill "$parec_pid" 2>/dev/null || true
    wait "$parec_pid" 2>/dev/null || true
    parec_pid=""
    kill "$pulse_pid"
    wait "$pulse_pid" 2>/dev/null || true
    pulse_pid=""
    ! pactl info >/dev/null 2>&1 || fail "PulseAudio is still answering"
}
record() { # (re)starts recording the sink into $audio; parec writes its first data 2 s later
    : >"$audio"
    parec -d "$sink.monitor" --raw --format=float32le --rate=44100 --channels=2 \
        --latency-msec=20 >"$audio" 2>>"$out/parec.log" &
    parec_pid=$!
}
# The energy of a sound (mean square times seconds): inserted silence, which a busy machine can
# cause on the server's side, leaves it as it is; a word cut off lowers it, a doubled word doubles it.
energy() {
    sox "$@" -n stat 2>&1 |
        awk '/^Length/ {l = $3} /^RMS +amplitude/ {r = $3} END {printf "%.5f\n", r * r * l}'
}
recorded_energy() { tail -c +"$(($1 + 1))" "$audio" | energy -t raw -r 44100 -e floating-point -b 32 -c 2 -; }
word_energy() { lame --quiet --decode "$1" - | energy -t wav -; }
# Hovers the first family from the bare panel, then waits for the word to be heard and to end;
# what was heard must be the whole word once.
hover_family_heard() {
    local m; m=$(mark)
    glide 170 252 87 132
    heard_since "$m" "$1"
    wait_for 50 silent_now || fail "the word did not end: $1"
    local heard expected
    heard=$(recorded_energy "$m"); expected=$(word_energy "$assets/sons_familles/1.mp3")
    awk -v h="$heard" -v e="$expected" 'BEGIN {exit !(h > 0.9 * e && h < 1.1 * e)}' ||
        fail "heard an energy of $heard for a word of $expected: $1"
    echo "   energy heard $heard, the word's $expected"
    glide 87 132 170 252
}
silent_now() { local m; m=$(mark); sleep 0.2; awk -v p="$(peak_since "$m")" 'BEGIN {exit !(p < 0.001)}'; }

sound_server_row() {
    step "sound server"
    ! missing pulseaudio parec pactl || return 0
    local runtime="$out/runtime"
    mkdir -p "$runtime"; chmod 700 "$runtime"
    export XDG_RUNTIME_DIR="$runtime" PULSE_SERVER="unix:$runtime/pulse/native"
    audio="$out/pulse.raw"
    start_pulse
    record
    wait_for 50 bash -c "[ -s '$audio' ]" || fail "parec records nothing"
    QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=pulseaudio "$program" >"$out/mirabosc-pulse.log" 2>&1 &
    app_pid=$!
    wait_for 150 has_visible '^Mirabosc$' || fail "the main menu did not appear"
    local menu families
    menu="$(visible_named '^Mirabosc$' | head -n1)"
    use_window "$menu"
    click_at 270 110
    wait_for 100 new_window '^Las set familhas$' >/dev/null || fail "the explorer did not open"
    families="$(new_window '^Las set familhas$')"
    use_window "$families"
    move 170 252
    hover_family_heard "the family's name through PulseAudio"

    stop_pulse
    echo "   PulseAudio stopped"
    # A word tried while the server is away fails to open the output; the next word, soon after
    # the server is back, is heard all the same.
    glide 170 252 87 132
    glide 87 132 170 252
    start_pulse
    record
    echo "   PulseAudio started again"
    sleep 0.5
    hover_family_heard "the family's name 0.5 s after PulseAudio came back"

    kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the sound server"
    [ "$(visible_named '^Mirabosc$' | wc -l)" -eq 1 ] || fail "a message box came up"
    "$wmclose" "$families"
    wait_for 50 bash -c "! xwininfo -id $families 2>/dev/null | grep -q IsViewable" ||
        fail "the explorer did not close"
    use_window "$menu"
    click_at 300 510
    wait_for 100 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the program did not end"
    local status=0; wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    stop_pulse
}

# --- the main menu --------------------------------------------------------------------------
step "main menu"
wait_for 150 has_visible '^Mirabosc$' || fail "the main menu did not appear"
menu="$(visible_named '^Mirabosc$' | head -n1)"
sleep 0.5
check_window "$menu" Mirabosc 401 550
check_centred "$menu"
use_window "$menu"
glide 300 300 10 515   # onto the help icon: the credits show
sleep 0.3
shot "$menu" menu-credits
glide 10 515 300 300   # back over the landscape: they go
sleep 0.3
shot "$menu" menu
# With no window manager the menu takes the keyboard itself: the frame is on the album's word.
framed menu 4 37 || fail "no frame on the menu at start"

# --- the album ------------------------------------------------------------------------------
step "album"
use_window "$menu"
glide 300 300 100 35
click_at 100 35
wait_for 100 new_window '^Mirabosc$' "$menu" >/dev/null || fail "the album did not open"
album="$(new_window '^Mirabosc$' "$menu")"
check_window "$album" Mirabosc 761 561
check_centred "$album"
heard_since 0 "page 1's narration"
sleep 0.3
shot "$album" album
# The menu takes no input while the album is open.
use_window "$menu"
click_at 270 110
sleep 0.5
[ -z "$(visible_named '^Las set familhas$')" ] || fail "the menu opened the explorer over the album"
use_window "$album"
glide 400 300 20 530
click_at 70 530        # narration off
silent_after "the narration switched off"
glide 70 530 130 12
click_at 130 12        # another tab: a new page, silent
sleep 0.5
shot "$album" album-page
differs album album-page || fail "the tab showed the same picture"
m=$(mark)
glide 130 12 15 530
click_at 15 530        # narration on: the new page speaks
heard_since "$m" "the page's narration switched on"
"$wmclose" "$album"
wait_for 50 bash -c "! xwininfo -id $album 2>/dev/null | grep -q IsViewable" ||
    fail "the album did not close"
silent_after "the album closed"
sleep 0.3
shot "$menu" menu-after-album
framed menu-after-album 4 37 || fail "no frame on the menu after the album closed"

# --- the family explorer ---------------------------------------------------------------------
step "family explorer"
use_window "$menu"
glide 100 35 270 110
click_at 270 110
wait_for 100 new_window '^Las set familhas$' >/dev/null || fail "the explorer did not open"
families="$(new_window '^Las set familhas$')"
check_window "$families" "Las set familhas" 689 529
check_centred "$families"
use_window "$families"
sleep 0.3
shot "$families" families
m=$(mark)
glide 170 252 87 132   # over bare panel onto the first miniature: the family's name
heard_since "$m" "the first family's name"
click_at 87 132
wait_for 30 bash -c "xwininfo -id $families | grep -q 'Height: 577'" ||
    fail "the cards did not show"
check_window "$families" "Las set familhas" 689 577
glide 87 132 437 300   # the bare strip between the large card and the small ones
sleep 0.3
shot "$families" families-cards
m=$(mark)
glide 437 300 499 70   # onto the first small card: its word, shown large
heard_since "$m" "the first card's word"
sleep 0.3
shot "$families" families-card
differs families-cards families-card || fail "the large card did not change"
glide 499 70 562 300
silent_after "the pointer left the card"
glide 562 300 627 502
click_at 627 502       # back to the family choice
wait_for 30 bash -c "xwininfo -id $families | grep -q 'Height: 529'" ||
    fail "the other-choice picture did not go back"
"$wmclose" "$families"
wait_for 50 bash -c "! xwininfo -id $families 2>/dev/null | grep -q IsViewable" ||
    fail "the explorer did not close"
sleep 0.3; shot "$menu" menu-after-explorer
framed menu-after-explorer 4 37 || fail "no frame on the menu after the explorer closed"

# --- the review -----------------------------------------------------------------------------
step "review"
use_window "$menu"
glide 270 110 60 440
click_at 60 440
wait_for 100 new_window '^Repassadas$' >/dev/null || fail "the review did not open"
review="$(new_window '^Repassadas$')"
check_window "$review" Repassadas 793 321
check_centred "$review"
use_window "$review"
sleep 0.3
shot "$review" review
click_at 25 208        # tick the first family
m=$(mark)
glide 25 208 388 276
click_at 388 276       # OK: the first round speaks its word
heard_since "$m" "the round's word"
sleep 0.3
shot "$review" review-round
glide 388 276 58 85
click_at 58 85         # a pick: right or wrong, a message answers
wait_for 50 bash -c "xdotool search --onlyvisible --name '^(Information|Erreur)$' >/dev/null" ||
    fail "no message after a pick"
dialog="$(xdotool search --onlyvisible --name '^(Information|Erreur)$' | head -n1)"
echo "   message: $(xdotool getwindowname "$dialog")"
check_frame_centred "$dialog" "message box" 1024 768
sleep 0.3
shot "$dialog" review-message
xdotool windowfocus --sync "$dialog" key Return
wait_for 50 bash -c "! xwininfo -id $dialog 2>/dev/null | grep -q IsViewable" ||
    fail "the message did not close with Enter"
m=$(mark)
click_at 50 270        # replay the word
heard_since "$m" "the replayed word"
"$wmclose" "$review"
wait_for 50 bash -c "! xwininfo -id $review 2>/dev/null | grep -q IsViewable" ||
    fail "the review did not close"
silent_after "the review closed"
shot "$menu" menu-after-review
framed menu-after-review 4 37 || fail "no frame on the menu after the review closed"
held_keys "$menu" Right Right

# --- quitting -------------------------------------------------------------------------------
step "quit"
use_window "$menu"
glide 60 440 300 510
click_at 300 510
wait_for 100 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the quit picture did not end the program"
status=0; wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "   output recorded: $(stat -c %s "$audio") bytes in $audio"

sound_server_row
row_openbox
row_openbox_show_errors
row_keys_review
row_atspi openbox
row_atspi ""
row_scale2
row_weston
"$(dirname "$(realpath "$0")")/game_walk.sh" "$program" "$assets" "$out/game" || fail "the game by keys"
echo "PASS"
