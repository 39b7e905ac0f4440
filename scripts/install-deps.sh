#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the benchmarks need.
# Only what is missing is installed; nothing is printed when everything is there.
# `--bench` adds what only the benchmarks need.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
  libsdl2-dev
  libxkbcommon-dev libxkbcommon-x11-dev xkb-data libxcb1-dev
  libmspack-dev fp-utils
  locales # the sources the tests generate their Russian and German locales from
  fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  dpkg-dev file desktop-file-utils appstream lintian man-db
  qt6-wayland weston xvfb openbox xdotool imagemagick
)
# The reference chart library the chart benchmark measures ours against.
if [ "${1:-}" = "--bench" ]; then
  packages+=(libqcustomplot-dev)
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
