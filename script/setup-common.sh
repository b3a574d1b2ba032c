# Shared by script/run and script/test: install what is missing, then configure
# and build incrementally. Sourced, not run.
set -euo pipefail

QAMP_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# librsvg2-bin renders the icon's PNG sizes from its SVG.
QAMP_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev qt6-base-dev qt6-serialport-dev libgl-dev fonts-dejavu-core
  librsvg2-bin)
# The fuzz targets are built with clang's libFuzzer.
QAMP_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# script/package makes the Debian package: cpack works out its dependencies
# with dpkg-shlibdeps, which needs file to find the programs.
QAMP_PACKAGE_PACKAGES=(dpkg-dev file)
# script/test also checks the layout of the sources and what an installed
# program brings: the menu entry, the metainfo, the man pages, the file type,
# the completion and the package.
QAMP_CHECK_PACKAGES=(clang-format desktop-file-utils appstream man-db libxml2-utils shared-mime-info
  "${QAMP_PACKAGE_PACKAGES[@]}")

qamp_missing_packages() {
  local missing=()
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  printf '%s\n' "${missing[@]}"
}

qamp_install_packages() {
  local missing
  mapfile -t missing < <(qamp_missing_packages "$@" | sed '/^$/d')
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}" >&2
  local runner=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      runner=(sudo)
    else
      echo "error: packages ${missing[*]} are missing and this user is not root and has no sudo." >&2
      echo "       Install them as root: apt-get install ${missing[*]}" >&2
      exit 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${runner[@]}" apt-get update -q >&2
  "${runner[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}

# qamp_build BUILD_DIR [cmake options...]
qamp_build() {
  local build_dir="$1"
  shift
  if [ ! -f "$build_dir/build.ninja" ]; then
    local launcher=()
    # A compiler cache, where one is installed, makes rebuilds of other
    # checkouts cheap; the build is the same without it.
    if command -v ccache >/dev/null 2>&1; then
      launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$QAMP_ROOT" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >&2
  fi
  cmake --build "$build_dir" --parallel "$(nproc)" >&2
}
