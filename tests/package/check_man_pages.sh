#!/usr/bin/env bash
# check_man_pages.sh PAGE...: every man page is formatted without a warning.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/common.sh"
qamp_need man man-db
for page in "$@"; do
  [ -s "$page" ] || qamp_fail "$page is missing or empty"
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || qamp_fail "$page: $warnings"
  lines=$(MANWIDTH=80 man -l "$page" 2>/dev/null | wc -l)
  [ "$lines" -gt 40 ] || qamp_fail "$page renders to only $lines lines"
  echo "$page: no warnings, $lines lines"
done
