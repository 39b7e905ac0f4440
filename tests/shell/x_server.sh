# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that need a real X server; brings wait_until along.
# shellcheck source=wait_until.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait_until.sh"

# start_xvfb: an Xvfb of the test's own on a display number no other server
# has, which becomes $DISPLAY; its process is $xvfb and joins the array
# `background`, which the test's cleanup ends. Skips the test (its `skip`)
# when Xvfb is missing or cannot start. Needs $work.
start_xvfb() {
  command -v Xvfb >/dev/null || skip "Xvfb is not installed"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  background+=("$xvfb")
  # Xvfb writes its display number once it accepts clients.
  wait_until 30 bash -c "grep -q . '$work/display' || ! kill -0 $xvfb"
  grep -q . "$work/display" || skip "Xvfb cannot start: $(tr '\n' ' ' <"$work/xvfb.log")"
  export DISPLAY=:$(head -n 1 "$work/display")
}

# window_manager_ready: a window manager has taken the screen.
window_manager_ready() {
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}
