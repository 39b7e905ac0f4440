#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# with_own_home.sh <command> [arguments]
# Runs a test, and everything it starts, on a home of its own, made for it and
# removed after it: HOME is a new empty folder, the XDG folders that default
# into it (config, cache, data, state) do, XDG_RUNTIME_DIR is a new private
# folder, and nothing reaches the user's own session: not its D-Bus, not its
# display. Every CTest test is started through it (kvarzel_add_test), so that
# no test, nor Qt, openbox, orca, D-Bus or GStreamer under it, writes into the
# home of the user who runs the suite.
set -u
own=$(mktemp -d "${TMPDIR:-/tmp}/kvarzel-test-home.XXXXXX") || exit 1
cleanup() {
  chmod -R u+rwX "$own" 2>/dev/null
  rm -rf "$own"
}
trap cleanup EXIT
mkdir "$own/home" && mkdir -m 0700 "$own/runtime" || exit 1
export HOME=$own/home XDG_RUNTIME_DIR=$own/runtime
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN
"$@"
