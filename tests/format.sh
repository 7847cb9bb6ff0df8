#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Every tracked C++ file must be as clang-format writes it with the repository's .clang-format.
# The tree is written so that the clang-format of Debian 12 (14) and of Debian 13 (19) lay it out
# alike: the check runs with whichever the machine has, clang-format-14 first.
#   format.sh SOURCE-DIR
set -euo pipefail
cd "$1"
tool=""
for candidate in clang-format-14 clang-format; do
    command -v "$candidate" >/dev/null && { tool="$candidate"; break; }
done
[ -n "$tool" ] || { echo "SKIP: clang-format is not installed"; exit 77; }
command -v git >/dev/null && git rev-parse --git-dir >/dev/null 2>&1 ||
    { echo "SKIP: not a git checkout: the tracked files are unknown"; exit 77; }
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no C++ file found"; exit 1; }
if ! out="$("$tool" --dry-run --Werror "${files[@]}" 2>&1)"; then
    grep -o '^[^ :]*\.\(cpp\|h\):' <<<"$out" | sort -u | sed 's/^/not formatted: /; s/:$//'
    echo "FAIL: run $tool -i on the files above"
    exit 1
fi
echo "ok: ${#files[@]} files as $("$tool" --version | sed -n 's/.*\(clang-format version [0-9.]*\).*/\1/p') writes them"
