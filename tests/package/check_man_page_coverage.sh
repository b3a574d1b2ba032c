#!/usr/bin/env bash
# check_man_page_coverage.sh QAMPCTL QAMPCTL_PAGE QAMPTOOL QAMPTOOL_PAGE: the
# man pages name every command and every option that the programs' own help
# names, so that a new option is not left out of them.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/common.sh"
qamp_need man man-db
qampctl=$1
qampctl_page=$2
qamptool=$3
qamptool_page=$4
missing=0

# The page as a reader sees it, on lines long enough that nothing is broken.
rendered() { MANWIDTH=400 man -l "$1" 2>/dev/null | sed 's/\xe2\x80\x90/-/g'; }
options_of() { grep -oE '(^|[^a-zA-Z0-9-])--?[a-z][a-z0-9-]*' | grep -oE -- '--?[a-z][a-z0-9-]*' | sort -u; }
expect() {
  local text=$1 what=$2 word=$3
  if ! grep -qF -- "$word" <<<"$text"; then
    echo "missing from the man page: $what $word" >&2
    missing=1
  fi
}

page=$(rendered "$qampctl_page")
commands=$("$qampctl" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
[ -n "$commands" ] || qamp_fail "qampctl --help lists no commands"
for command in $commands; do
  expect "$page" "qampctl command" "$command"
  help=$("$qampctl" "$command" --help 2>&1 || true)
  for option in $(options_of <<<"$help"); do
    expect "$page" "qampctl $command option" "$option"
  done
done
# The simulated receiver's options, as 'simulate --help' lists them.
for option in $("$qampctl" simulate --help 2>&1 | sed -n '/^Receiver options:/,$p' |
  grep -oE '^  [a-z][a-z0-9-]*=?' | tr -d ' '); do
  expect "$page" "simulated receiver option" "$option"
done
for option in $("$qampctl" --help | options_of); do
  expect "$page" "qampctl option" "$option"
done

page=$(rendered "$qamptool_page")
for option in $("$qamptool" --help | options_of); do
  expect "$page" "qamptool option" "$option"
done
[ "$missing" -eq 0 ] || qamp_fail "the man pages leave out the above"
echo "the man pages name every command and option"
