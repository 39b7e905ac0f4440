#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program on an Xvfb of its own, in a D-Bus session of its own in which
# at-spi2-core's bus and registry start on demand, with Qt's accessibility on:
# a screen reader's view of the program, without a desktop.
#   with_accessibility_bus.sh <program> [arguments]
# Ends with 77 (skipped), saying why, where that cannot be had.
set -uo pipefail
export LC_ALL=C.UTF-8

skip() {
  echo "SKIP: $*"
  exit 77
}
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"

work=$(mktemp -d)
background=()
cleanup() {
  local pid
  for pid in "${background[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=../shell/x_server.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell/x_server.sh"
start_xvfb

mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir "$work/home"
export HOME=$work/home XDG_CACHE_HOME=$work/cache XDG_STATE_HOME=$work/state
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export SDL_AUDIODRIVER=dummy
dbus-run-session -- "$@"
