#!/usr/bin/env bash
# The core (link, model, pages, sim, session, document) is plain C++: no Qt and no operating
# system headers, so that it stays testable without a display, a port or a
# clock.
set -u
root="$1"
status=0
for dir in link model pages sim session document; do
  [ -d "$root/src/$dir" ] || continue
  if grep -rn -E '#\s*include\s*[<"](Q[A-Za-z]|qt)' "$root/src/$dir"; then
    echo "src/$dir includes Qt" >&2
    status=1
  fi
  if grep -rn -E '#\s*include\s*<(unistd|termios|fcntl|sys/|pthread|windows|thread|chrono|fstream|filesystem)' "$root/src/$dir"; then
    echo "src/$dir uses the operating system directly" >&2
    status=1
  fi
done
exit $status
