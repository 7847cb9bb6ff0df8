#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Every tracked C++ file must be as clang-format writes it with the repository's .clang-format.
# Versions of clang-format lay some code out differently: the check runs with the major version
# the tree is formatted with, and is skipped, with a message, where only another is installed.
#   format.sh SOURCE-DIR
set -euo pipefail
formatted_with=14
cd "$1"
tool=""
for candidate in clang-format-$formatted_with clang-format; do
    command -v "$candidate" >/dev/null || continue
    version="$("$candidate" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')"
    [ "$version" = "$formatted_with" ] && { tool="$candidate"; break; }
done
[ -n "$tool" ] || { echo "SKIP: the tree is formatted with clang-format $formatted_with," \
    "which is not installed${version:+ (found version $version)}"; exit 77; }
command -v git >/dev/null && git rev-parse --git-dir >/dev/null 2>&1 ||
    { echo "SKIP: not a git checkout: the tracked files are unknown"; exit 77; }
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no C++ file found"; exit 1; }
if ! out="$("$tool" --dry-run --Werror "${files[@]}" 2>&1)"; then
    grep -o '^[^ :]*\.\(cpp\|h\):' <<<"$out" | sort -u | sed 's/^/not formatted: /; s/:$//'
    echo "FAIL: run $tool -i on the files above"
    exit 1
fi
echo "ok: ${#files[@]} files as $tool writes them"
