#!/usr/bin/env bash
# check_desktop_entry.sh DESKTOP_FILE MIME_XML: the menu entry is valid, opens
# the file it is given and names the type the file-type description defines.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/common.sh"
qamp_need desktop-file-validate desktop-file-utils
entry=$1
mime=$2

output=$(desktop-file-validate "$entry" 2>&1) || qamp_fail "desktop-file-validate: $output"
# A hint (the three main categories asked for) is not a fault; errors and
# warnings are.
if grep -E 'error:|warning:' <<<"$output"; then
  qamp_fail "desktop-file-validate reports the above"
fi

value() { sed -n "s/^$1=//p" "$entry"; }
[[ $(value Exec) == "qamptool %f" ]] || qamp_fail "Exec is '$(value Exec)', not 'qamptool %f'"
[[ $(value Icon) == qamptool ]] || qamp_fail "Icon is '$(value Icon)', not 'qamptool'"
[[ $(value Categories) == "AudioVideo;Audio;Settings;" ]] || qamp_fail "Categories are '$(value Categories)'"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[[ -n $type ]] || qamp_fail "no mime-type in $mime"
[[ $(value MimeType) == "$type;" ]] || qamp_fail "MimeType is '$(value MimeType)', the file type is '$type'"
echo "the menu entry is valid and opens $type files"
