#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package that `make package` builds: unpacked into a scratch root
# with dpkg -x, it holds the installed layout under /usr and nothing else, and
# depends on the libraries the program links and on what Qt loads at run time.
#   check_package.sh <build folder> <version>
set -uo pipefail
build=$1 version=$2
source "$(dirname "$0")/installed_layout.sh"
source "$(dirname "$0")/package_build.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
deb=$(build_package "$build" "$scratch") || { fail "no package"; finish; }

dpkg -x "$deb" "$scratch/root" || fail "dpkg -x"
check_installed_tree "$scratch/root/usr" "$version" /usr

# As dpkg counts: each file's size in KiB, rounded up; a link takes nothing.
size=$(dpkg-deb -f "$deb" Installed-Size)
files=$(find "$scratch/root" -type f -printf '%s\n' | awk '{ kib += int(($1 + 1023) / 1024) } END { print kib }')
[ "$size" = "$files" ] || fail "Installed-Size is $size KiB, the files take $files KiB"

outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -vE '^\./(usr/.*)?$')
[ -z "$outside" ] || fail "files outside /usr: $outside"
[ "$(dpkg-deb -f "$deb" Package)" = kvarzel ] || fail "the package is not named kvarzel"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6svg6 libsdl2 libmspack0 libxkbcommon0 libc6 qt6-qpa-plugins qt6-wayland \
  qt6-translations-l10n fonts-liberation; do
  grep -qE "(^|, )$needed[ ,(-]|(^|, )$needed\$" <<<"$depends" || fail "no dependency on $needed: $depends"
done
finish
