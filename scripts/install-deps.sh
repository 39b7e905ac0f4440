#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages a make command needs, by group:
#   --run      building and running the program (make run, make install)
#   --test     the default: --run and everything the tests need (make test, make soak)
#   --package  --run and what building the Debian package needs (make package)
#   --bench    --run and the benchmark libraries (make bench)
#   --fuzz     --run and clang with libFuzzer (make fuzz)
# Only what is missing is installed; nothing is printed when everything is there.
# `install-deps.sh --print <group>` lists the group's packages, one a line, and
# installs nothing (a test checks the README's table against it).
set -euo pipefail
print=false
if [ "${1:-}" = --print ]; then
  print=true
  shift
fi

run=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n qt6-wayland libgl-dev
  libsdl2-dev
  libxkbcommon-dev libxkbcommon-x11-dev xkb-data libxcb1-dev
  libmspack-dev fp-utils
  locales # the sources the tests generate their Russian and German locales from
  fonts-liberation
)
package=(dpkg-dev file lintian man-db)
fuzz=(clang libclang-rt-dev)
# The reference chart library the chart benchmark measures ours against.
bench=(libbenchmark-dev libqcustomplot-dev)
# The tests build the package and fuzz targets too, check the installed tree
# with the desktop's validators, run the program in weston and in Xvfb with
# openbox (looked at with xprop, xwininfo and xev), read its windows over
# AT-SPI and with the orca screen reader, watch the X server's startup messages
# (python3-xlib), and load the machine for the soak.
test=(
  "${package[@]}" "${fuzz[@]}"
  libgtest-dev libgmock-dev
  desktop-file-utils appstream
  weston xvfb openbox xdotool x11-utils imagemagick
  dbus-daemon at-spi2-core python3-pyatspi python3-xlib orca
  stress-ng
)

packages=("${run[@]}")
case "${1:---test}" in
  --run) ;;
  --test) packages+=("${test[@]}") ;;
  --package) packages+=("${package[@]}") ;;
  --bench) packages+=("${bench[@]}") ;;
  --fuzz) packages+=("${fuzz[@]}") ;;
  *)
    echo "install-deps: unknown group $1 (--run, --test, --package, --bench or --fuzz)" >&2
    exit 2
    ;;
esac

if $print; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
