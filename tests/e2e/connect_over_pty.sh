#!/usr/bin/env bash
# qampctl connect against qampctl simulate --pty in another process: the
# initial load over a real pseudo terminal reproduces the simulated
# receiver's settings. Real time: about a minute and a half.
set -euo pipefail
qampctl="$1"
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

"$qampctl" simulate --pty random-state seed=7 no-zone3 > "$work/server.txt" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q 'on /dev/' "$work/server.txt" 2>/dev/null && break; sleep 0.1; done
device=$(awk '/on \/dev\//{print $NF}' "$work/server.txt")
[ -n "$device" ] || { echo "the simulator did not start"; cat "$work/server.txt"; exit 1; }

TMPDIR="$work" "$qampctl" connect "$device" --dump > "$work/connect.txt" 2> "$work/progress.txt"
grep -q '^Model flags: Zone 2 yes, Zone 3 no, XM yes' "$work/connect.txt"
"$qampctl" simulate --dump random-state seed=7 no-zone3 > "$work/state.txt"

# The initial load does not read the "Initialize" request, the iPod's
# reported texts, the sound program of each input (IDs 199..228: the Input
# DSP page belongs to Async Mode, and only an Upload selects every input),
# or the Zone 3 trigger switches of a receiver without Zone 3.
zone3_switches='303|306|309|312|315|318|321|324|327|330|333|337|341|344|347|350|353|356|359|362|365|368|371|375'
input_dsp='199|2[01][0-9]|22[0-8]'
unread="^(536|555|556|$input_dsp|$zone3_switches)="
grep -E '^[0-9]+(\[|=)' "$work/connect.txt" | grep -Ev "$unread" > "$work/read.txt"
grep -Ev "$unread" "$work/state.txt" > "$work/expected.txt"
if ! diff -u "$work/expected.txt" "$work/read.txt"; then
  echo "the initial load did not reproduce the simulated receiver"
  exit 1
fi
grep -q 'StartTime :' "$work/ErrLog.txt"
echo "ok: $(wc -l < "$work/read.txt") values reproduced over $device"
