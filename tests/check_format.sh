#!/usr/bin/env bash
# Every C++ source of the project is laid out as .clang-format says, so that
# a change shows only what it changes. Run clang-format -i on the files named
# below to mend them.
set -u
clang_format="$1"
root="$2"
cd "$root" || exit 1
mapfile -d '' files < <(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0)
# One run for all files; clang-format names each file it would change.
output="$("$clang_format" --dry-run --Werror "${files[@]}" 2>&1)" && exit 0
printf '%s\n' "$output" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/not formatted: \1/p' | sort -u >&2
exit 1
