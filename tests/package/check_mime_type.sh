#!/usr/bin/env bash
# check_mime_type.sh MIME_XML PROBE: the file type is well-formed, and a
# database built from it knows configuration files by the .qcf extension and,
# whatever their name, by their first two sections; other INI texts are not
# taken for one.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/common.sh"
qamp_need xmllint libxml2-utils
qamp_need update-mime-database shared-mime-info
mime=$1
probe=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

xmllint --noout "$mime" || qamp_fail "$mime is not well-formed XML"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[[ $type == application/x-qamptool-configuration ]] || qamp_fail "the type is '$type'"

# A database of the system's types and this one, as an installed package
# leaves it.
mkdir -p "$scratch/share/mime/packages" "$scratch/files"
cp /usr/share/mime/packages/freedesktop.org.xml "$scratch/share/mime/packages/"
cp "$mime" "$scratch/share/mime/packages/qamptool.xml"
XDG_DATA_DIRS="$scratch/share" update-mime-database "$scratch/share/mime" || qamp_fail "update-mime-database rejects $mime"

cd "$scratch/files"
configuration() { printf '[User Memo]\r\nUser Memo=%s\r\n[System Memory]\r\nSystem Memory1 Data Exist=Empty\r\n[Basic Control]\r\nInput=DVD\r\n' "$1"; }
configuration "" >living.qcf
configuration "" >"living room"
# A memo of 1024 characters, every line break written as four.
configuration "$(printf 'Line of a long memo\\r\\n%.0s' $(seq 1 44))" >long-memo
printf 'anything at all\n' >empty-looking.qcf
printf '[User Memo]\r\nUser Memo=\r\n[Basic Control]\r\nInput=DVD\r\n' >memo-only
printf '[System Memory]\r\n[User Memo]\r\n' >other-order
printf '[Settings]\r\nport=/dev/ttyUSB0\r\n' >qamptool.ini

failures=0
expect() {
  local file=$1 wanted=$2 got
  got=$(XDG_DATA_HOME="$scratch/none" XDG_DATA_DIRS="$scratch/share" QT_QPA_PLATFORM=offscreen \
    "$probe" "$file")
  if [[ $got != "$wanted" ]]; then
    echo "$file: got '$got', wanted '$wanted'" >&2
    failures=$((failures + 1))
  fi
}
expect living.qcf "$type"
expect "living room" "$type"
expect long-memo "$type"
expect empty-looking.qcf "$type"
expect memo-only text/plain
expect other-order text/plain
expect qamptool.ini text/plain
[ "$failures" -eq 0 ] || qamp_fail "$failures files typed wrongly"
echo "configuration files are known by name and by content"
