#!/usr/bin/env bash
# check_completion.sh COMPLETION QAMPCTL: the bash completion, sourced into a
# plain bash, completes qampctl's commands, options, ports, sections and keys
# and .qcf files.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/common.sh"
completion=$1
qampctl=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# shellcheck source=/dev/null
source "$completion"
complete -p qampctl | grep -q _qampctl || qamp_fail "sourcing $completion registers no completion for qampctl"

failures=0
# expect WANTED WORD...: completing the last WORD offers exactly WANTED
# (the offers joined by '|').
expect() {
  local wanted=$1
  shift
  COMP_WORDS=("$qampctl" "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  # As bash runs it: without -e, and outside a completion, where compopt fails.
  set +e
  _qampctl 2>/dev/null
  set -e
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | paste -sd '|')
  if [[ $got != "$wanted" ]]; then
    echo "completing qampctl $*: got '$got', wanted '$wanted'" >&2
    failures=$((failures + 1))
  fi
}

# Every command qampctl's help lists, and nothing else.
commands=$("$qampctl" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
[ -n "$commands" ] || qamp_fail "qampctl --help lists no commands"
expect "$(printf '%s\n' $commands help --help --version --trace --quiet | sort | paste -sd '|')" ''
expect 'upload' up
expect 'decode|diff|download' d
expect 'checksum|command|connect' c
expect '--help|--quiet|--trace|--version' --
# After the global options the command, then its own words.
expect 'upload' --trace t.txt up
expect '--help|--region|--sim|-o' --quiet --trace=t.txt upload sim -
expect 'sim' --quiet get s
expect 'report' help rep
expect '--async|--help|--json|--region|--values' params --
expect '--json' ports --j
expect '--json' decode --j
expect '--help|--region|--sim|-o' upload sim -
expect '--yes' download sim living.qcf --y
expect '0|1|2|3' params --region ''
expect 'random-digits|random-state' upload sim --sim ra
expect 'garbage-every=|garbage=' simulate garb
expect 'sim' get s
expect 'tcp:' set tc
# Sections with a space are quoted, or closed inside the quote begun.
expect 'Speaker\ Distance|Speaker\ Level|Speaker\ Set' get sim Speaker
expect '"Speaker Set"' get sim '"Speaker Se'
expect "'Basic Control'" command "'Basic"
# Keys are those of the section named before them, however it was quoted.
expect 'SW\ Cross\ Over|SW\ Phase' set sim '"Speaker Set"' SW
expect 'SW\ Cross\ Over|SW\ Phase' command 'Speaker\ Set' SW
expect 'Main\ Volume' get sim "'Basic Control'" Main
expect '' get sim 'No Such Section' ''
# Nothing for a value; after a whole parameter the next one's section.
expect '' set sim '"Speaker Set"' '"SW Phase"' ''
expect 'Basic\ Control' get sim '"Speaker Set"' '"SW Phase"' Basic
expect 'Main\ Volume' set sim '"Speaker Set"' '"SW Phase"' Reverse "'Basic Control'" Main
expect '--full' get sim --fu
expect '--memories|--missing' diff sim --m
# diff takes a receiver's port or a file first.
expect 'tcp:' diff tc
# Configuration files and folders, nothing else.
mkdir -p "$scratch/backups"
touch "$scratch/living.qcf" "$scratch/LOFT.QCF" "$scratch/notes.txt"
expect "$scratch/LOFT.QCF|$scratch/backups|$scratch/living.qcf" report "$scratch/"
expect "$scratch/living.qcf" diff "$scratch/living.qcf" "$scratch/l"
expect '' diff a.qcf b.qcf ''

[ "$failures" -eq 0 ] || qamp_fail "$failures completions differ"
echo "the completion offers commands, options, ports, sections, keys and files"
