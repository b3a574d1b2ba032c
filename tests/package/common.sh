# Shared by the checks of the installed files. Sourced, not run.
set -euo pipefail

# qamp_need TOOL PACKAGE: a check cannot be made without its tool. A plain
# build skips it (exit 77, which the suite counts as skipped); script/test,
# which installs the tools, fails it.
qamp_need() {
  if ! command -v "$1" >/dev/null 2>&1; then
    if [ -n "${QAMP_REQUIRE_CHECK_TOOLS:-}" ]; then
      echo "FAIL: $1 is missing; install it with: apt-get install $2" >&2
      exit 1
    fi
    echo "SKIP: $1 is missing (apt-get install $2)" >&2
    exit 77
  fi
}

qamp_fail() {
  echo "FAIL: $*" >&2
  exit 1
}
