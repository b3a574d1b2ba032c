#!/usr/bin/env bash
# check_metainfo.sh METAINFO VERSION: the AppStream metainfo is valid, names
# the menu entry, carries a screenshot and this version's release.
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/common.sh"
qamp_need appstreamcli appstream
metainfo=$1
version=$2
# The menu entry keeps the plain name the program is started by, so the
# component is named the same; that it is not a reverse domain name is told,
# not counted as a fault. Anything else is.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info "$metainfo" ||
  qamp_fail "appstreamcli validate rejects $metainfo"
grep -q '<launchable type="desktop-id">qamptool.desktop</launchable>' "$metainfo" ||
  qamp_fail "the metainfo does not name qamptool.desktop"
grep -q '<screenshot type="default">' "$metainfo" || qamp_fail "the metainfo has no screenshot"
grep -q "<release version=\"$version\"" "$metainfo" || qamp_fail "the metainfo has no release $version"
