#!/usr/bin/env bash
# check_debian_package.sh BUILD_DIR VERSION: cpack makes the Debian package
# of the built programs; unpacked into a scratch directory it holds every
# file an installed program brings, depends only on packages dpkg knows, and
# both programs run from there.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/common.sh"
qamp_need cpack cmake
qamp_need dpkg-deb dpkg
qamp_need dpkg-shlibdeps dpkg-dev
qamp_need file file
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The package of this build tree's programs, made in the scratch directory so
# that the build tree is left as it was.
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log" >&2
  qamp_fail "cpack failed"
}
shopt -s nullglob
packages=("$scratch"/out/qamptool_"$version"_*.deb)
[ "${#packages[@]}" -eq 1 ] || qamp_fail "cpack made ${#packages[@]} packages named qamptool_${version}_*.deb"
deb=${packages[0]}

[[ $(dpkg-deb -f "$deb" Package) == qamptool ]] || qamp_fail "the package is not called qamptool"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || qamp_fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
names=" $(sed 's/([^)]*)//g; s/|/,/g; s/,/ /g' <<<"$depends" | tr -s ' ') "
for library in libqt6widgets6 libqt6serialport6 libqt6core6 libstdc++6 libc6; do
  [[ $names == *" $library "* ]] || qamp_fail "the package does not depend on $library: $depends"
done
# Every dependency is a package of the distribution (here, one dpkg has
# installed, as the build needed it).
for dependency in $names; do
  dpkg-query -W -f='${Status}' "$dependency" 2>/dev/null | grep -q 'install ok installed' ||
    qamp_fail "the package depends on $dependency, which no installed package provides"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for file in \
  usr/bin/qamptool \
  usr/bin/qampctl \
  usr/share/applications/qamptool.desktop \
  usr/share/metainfo/qamptool.metainfo.xml \
  usr/share/mime/packages/qamptool.xml \
  usr/share/man/man1/qamptool.1.gz \
  usr/share/man/man1/qampctl.1.gz \
  usr/share/bash-completion/completions/qampctl \
  usr/share/icons/hicolor/scalable/apps/qamptool.svg \
  usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/qamptool.png; do
  [ -s "$root/$file" ] || qamp_fail "the package has no /$file"
done
for size in 16 24 32 48 64 128 256; do
  info=$(file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/qamptool.png")
  grep -q "PNG image data, $size x $size" <<<"$info" || qamp_fail "the ${size}x${size} icon is $info"
done
# Nothing of the build's own (tests, libraries, headers) is installed.
unexpected=$(cd "$root" && find . -type f | grep -vE '^\./usr/(bin/qamp(tool|ctl)|share/(applications|metainfo|mime/packages|man/man1|bash-completion/completions|icons/hicolor)/)' || true)
[ -z "$unexpected" ] || qamp_fail "the package holds files no installed program needs: $unexpected"

# Both programs run from the unpacked files, with the system's libraries only.
got=$(env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$root/usr/bin/qampctl" --version) ||
  qamp_fail "qampctl --version failed"
[[ $got == "qampctl $version" ]] || qamp_fail "qampctl --version says '$got'"
got=$(env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$root/usr/bin/qamptool" --version) ||
  qamp_fail "qamptool --version failed"
[[ $got == "qamptool $version" ]] || qamp_fail "qamptool --version says '$got'"
# The packaged qampctl does its work too: one extended message framed.
got=$(env -u LD_LIBRARY_PATH "$root/usr/bin/qampctl" frame 20050000F)
[[ $got == "<DC4>20050000FCD<ETX>" ]] || qamp_fail "the packaged qampctl frames 20050000F as '$got'"
echo "$(basename "$deb") installs both programs and their files; depends: $depends"
