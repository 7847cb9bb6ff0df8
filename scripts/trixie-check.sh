#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests Mirabosc on Debian 13 (trixie) in a chroot made for it: a clone of this
# repository's committed HEAD runs `./run.sh --screenshot` and then `CI=true ./test.sh` there, as
# on a fresh machine. Slow (some 800 packages, three build trees: about 30 minutes), so
# not part of ./test.sh. Needs root and mmdebstrap; the archive is the one this machine's own apt
# sources name.
#   scripts/trixie-check.sh [DIR]    make the chroot in DIR (new or empty; default: a temporary
#                                    folder, removed at the end unless MIRABOSC_KEEP_CHROOT=1)
# Exits 0 when both commands pass.
set -euo pipefail
source "$(dirname "$0")/common.sh"

[ "$(id -u)" = 0 ] || { echo "trixie-check: needs root (chroot, mounts)" >&2; exit 2; }
ensure_packages mmdebstrap git

# The Debian archive this machine's apt uses (not its security archive).
mirror() {
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ ! -e "$f" ] || awk '/^URIs:/ {for (i = 2; i <= NF; i++) print $i}' "$f"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ ! -e "$f" ] ||
            awk '$1 == "deb" {for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $i !~ /\]$/) {print $i; break}}' "$f"
    done
}
archive="$(mirror | grep -v -e security -e '^cdrom:' | sed -n 1p)"
[ -n "$archive" ] || { echo "trixie-check: no Debian archive in /etc/apt/sources*" >&2; exit 2; }

made_here=0
if [ -n "${1:-}" ]; then
    root="$(realpath -m "$1")"
else
    root="$(mktemp -d /var/tmp/mirabosc-trixie.XXXXXX)"
    made_here=1
fi
mounted=()
mounts_below() { awk -v r="$root/" 'index($2 "/", r) == 1 {print $2}' /proc/mounts; }
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" || true
    done
    # Never remove a folder that still has the machine's /dev or /proc mounted below it.
    if [ $made_here -eq 1 ] && [ "${MIRABOSC_KEEP_CHROOT:-0}" != 1 ]; then
        if [ -z "$(mounts_below)" ]; then rm -rf "$root"; else echo "left mounted: $root" >&2; fi
    fi
}
trap cleanup EXIT

echo "== trixie chroot in $root from $archive"
start=$SECONDS
mmdebstrap --variant=apt --include=ca-certificates,git trixie "$root" "$archive"
[ -s "$root/etc/resolv.conf" ] || cp /etc/resolv.conf "$root/etc/resolv.conf"
for m in proc dev dev/pts sys; do
    mount --bind "/$m" "$root/$m"
    mounted+=("$root/$m")
done
git clone -q "$MIRABOSC_ROOT" "$root/root/mirabosc"
echo "   made in $((SECONDS - start)) s; testing $(git -C "$MIRABOSC_ROOT" log -1 --format='%h %s')"

# A command in the clone, with a clean environment as a new login would have.
in_chroot() {
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c "cd /root/mirabosc && $1"
}
results=()
step() { # NAME COMMAND
    local begin=$SECONDS status=0
    echo "== $1"
    in_chroot "$2" 2>&1 | tee "$root/root/$1.log" || status=$?
    # The compiler's warnings name their flag ([-Wunused...]); apt's and dpkg's do not.
    local warnings; warnings=$(grep -c -E 'warning: .*\[-W[^]]*\]$' "$root/root/$1.log" || true)
    results+=("$1: exit $status after $((SECONDS - begin)) s, $warnings compiler warnings")
    return $status
}
status=0
step run "./run.sh --screenshot /root/menu.png" || status=1
if [ -s "$root/root/menu.png" ] && command -v compare >/dev/null; then
    differ=$(compare -metric AE "$root/root/menu.png" "$MIRABOSC_ROOT/docs/menu.png" null: 2>&1 || true)
    results+=("menu picture: $differ pixels differ from docs/menu.png")
fi
step test "CI=true ./test.sh" || status=1

echo "== trixie: $(in_chroot 'g++ --version | head -n1'); Qt $(in_chroot \
    "dpkg-query -W -f='\${Version}' qt6-base-dev"); $(in_chroot 'dpkg -l | grep -c ^ii') packages"
printf '   %s\n' "${results[@]}"
grep -h -E 'tests passed|tests failed' "$root/root/test.log" | sed 's/^/   /' || true
[ $status -eq 0 ] && echo "TRIXIE PASS" || echo "TRIXIE FAIL"
exit $status
