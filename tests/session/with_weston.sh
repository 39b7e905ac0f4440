#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program on a headless weston compositor of its own (its own runtime
# folder and socket) on Qt's Wayland platform, and stops weston afterwards.
#   with_weston.sh <program> [arguments...]
set -uo pipefail

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT

skip() {
  echo "SKIP: weston cannot start: $*"
  exit 77
}

command -v weston >/dev/null || skip "it is not installed"
socket=kvarzel-session-$$
HOME=$runtime XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
  --no-config >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
[ -S "$runtime/$socket" ] || skip "$(tail -n 5 "$runtime/weston.log" | tr '\n' ' ')"

# The program keeps to a home of its own, beside weston's runtime folder.
mkdir "$runtime/home"
HOME=$runtime/home XDG_CONFIG_HOME=$runtime/home/.config XDG_CACHE_HOME=$runtime/home/.cache \
  XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@"
