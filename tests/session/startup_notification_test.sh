#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher's busy cursor ends, on a real X server (Xvfb with openbox), for
# every start that a launcher announced with a startup id: the first start
# (its window appears), a second start that hands over to it (no window of its
# own), and a start that finds the copy not answering (its box). A watcher of
# the root window's startup messages, as the launcher and the window manager
# keep them, must have no launch of that id left. A second start against the
# stopped copy shows its box after two seconds, not later.
#   startup_notification_test.sh <build folder>
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export LC_ALL=C.UTF-8

work=$(mktemp -d)
background=()
cleanup() {
  local pid
  for pid in "${background[@]}"; do kill -CONT "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

skip() {
  echo "SKIP: $*"
  exit 77
}

fail() {
  echo "FAIL: $*" >&2
  echo "the watcher saw: $(cat "$work/startup.log" 2>/dev/null)" >&2
  exit 1
}

# shellcheck source=../shell/x_server.sh
source "$here/../shell/x_server.sh"

command -v openbox >/dev/null || skip "openbox is not installed"
command -v xdotool >/dev/null || skip "xdotool is not installed"
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || skip "python3-xlib is not installed"

# Everything started here keeps to a home of its own.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN DBUS_SESSION_BUS_ADDRESS

start_xvfb

openbox --sm-disable 2>"$work/openbox.log" &
background+=($!)
wait_until 30 window_manager_ready || fail "openbox does not start"

/usr/bin/python3 "$here/startup_watch.py" watch "$work/startup.log" &
background+=($!)
wait_until 30 grep -q '^watching$' "$work/startup.log" || fail "the watcher does not start"

marks=0
# settled: every message sent so far has reached the watcher, which is known
# once a mark sent now after them has (the X server keeps their order).
settled() {
  marks=$((marks + 1))
  /usr/bin/python3 "$here/startup_watch.py" send "change: ID=mark-$marks" ||
    fail "the watcher's mark cannot be sent"
  wait_until 30 grep -q "^change: ID=mark-$marks\$" "$work/startup.log" ||
    fail "the watcher does not see its mark"
}

# The launches the watcher still has under way.
open_launches() {
  grep '^open:' "$work/startup.log" | tail -n 1
}

# announce <id> [<id as written>]: a launcher starts a launch, as the
# desktop's menu does.
announce() {
  /usr/bin/python3 "$here/startup_watch.py" send "new: ID=${2:-$1} NAME=Kvarzel SCREEN=0 BIN=kvarzel"
  settled
  open_launches | grep -qF -- "$1" || fail "the watcher does not keep the launch $1"
}

# ended <id>: no launch of that id is left.
ended() {
  settled
  ! open_launches | grep -qF -- "$1"
}

program_windows() {
  xdotool search --onlyvisible --name '^Кварзель$' 2>/dev/null | wc -l
}

windows_shown() {
  [ "$(program_windows)" -eq "$1" ]
}

box_active() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$box" ]
}

# The first start: its window appears, and its launch ends.
announce "first-launch_TIME100"
DESKTOP_STARTUP_ID=first-launch_TIME100 "$build/kvarzel" 2>"$work/first.log" &
first=$!
background+=("$first")
wait_until 30 windows_shown 1 || fail "the first start shows no window"
wait_until 30 ended "first-launch_TIME100" || fail "the first start leaves its launch under way"

# A second start hands over, shows no window of its own, and ends its launch.
announce "second-launch_TIME200"
DESKTOP_STARTUP_ID=second-launch_TIME200 timeout 30 "$build/kvarzel" 2>"$work/second.log"
status=$?
[ "$status" -eq 0 ] || fail "the second start ended with status $status: $(cat "$work/second.log")"
[ "$(program_windows)" -eq 1 ] || fail "the second start left a window of its own"
ended "second-launch_TIME200" || fail "the second start leaves its launch under way: $(open_launches)"

# An id with a space and a quote is ended too, quoted as the format has it.
odd='odd "launch" id_TIME300'
announce "$odd" '"odd \"launch\" id_TIME300"'
DESKTOP_STARTUP_ID=$odd timeout 30 "$build/kvarzel" 2>>"$work/second.log" ||
  fail "the start with an odd id does not hand over"
ended "$odd" || fail "the start with an odd id leaves its launch under way: $(open_launches)"

# Against the stopped copy, the start says so after two seconds, in a box that
# takes over its launch; closed, it leaves nothing under way.
kill -STOP "$first"
announce "third-launch_TIME400"
began=$(date +%s%N)
(
  DESKTOP_STARTUP_ID=third-launch_TIME400 "$build/kvarzel"
  echo $? >"$work/third-status"
) 2>"$work/third.log" &
background+=($!)
wait_until 30 grep -q 'не отвечает' "$work/third.log" || fail "the start against the stopped copy says nothing"
waited=$((($(date +%s%N) - began) / 1000000))
[ "$waited" -ge 1500 ] && [ "$waited" -le 2500 ] ||
  fail "the start against the stopped copy decided after $waited ms, not about 2000"
wait_until 30 windows_shown 2 || fail "no box says the copy does not answer"
box=$(xdotool search --onlyvisible --name '^Кварзель$' | tail -n 1)
wait_until 20 box_active || fail "the box has no focus"
xdotool key Return
wait_until 30 test -s "$work/third-status" || fail "Enter does not close the box"
kill -CONT "$first"
wait_until 30 ended "third-launch_TIME400" || fail "the box leaves its launch under way: $(open_launches)"

echo "every launch ended; the watcher saw:"
grep -v '^open:' "$work/startup.log"
