#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program as processes, offscreen: a second start on the settings
# folder of a running copy hands over to it and ends with status 0, touching
# nothing; on another settings folder a second copy runs; after the running
# copy is killed with SIGKILL, the next start runs at once.
#   one_copy_test.sh <program>
set -uo pipefail
program=$1
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# shellcheck source=../shell/wait_until.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell/wait_until.sh"

settings_of() {
  echo "$work/$1/config/Tellumor/Kvarzel.reg"
}

# start <folder>: a copy on the settings folder <folder>, with a settings file
# of 25 peas, in the background; its process id is $pid.
start() {
  mkdir -p "$(dirname "$(settings_of "$1")")"
  [ -f "$(settings_of "$1")" ] ||
    printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Software\Tellumor\Kvarzel]' \
      '"PeasCount"=dword:00000019' >"$(settings_of "$1")"
  XDG_CONFIG_HOME=$work/$1/config "$program" 2>>"$work/$1.log" &
  pid=$!
  pids+=("$pid")
}

# start_again <folder>: a start in the foreground; its exit status.
start_again() {
  XDG_CONFIG_HOME=$work/$1/config timeout 20 "$program" 2>>"$work/$1.log"
}

# listening <count>: as many copies listen for later starts (a copy opens its
# socket once it runs its event loop).
listening() {
  [ "$(find "$XDG_RUNTIME_DIR" -type s -name 'kvarzel-*.socket' | wc -l)" -eq "$1" ]
}

# served <socket file>: a live socket is bound to the file (the system's list
# of local sockets names it), not one a killed process left.
served() {
  awk -v path="$1" '$NF == path { found = 1 } END { exit !found }' /proc/net/unix
}

running() {
  kill -0 "$1" 2>/dev/null
}

# The endpoint of a settings folder: a socket of the user's alone.
check_endpoint() {
  local sockets
  sockets=$(find "$XDG_RUNTIME_DIR" -type s -name 'kvarzel-*.socket' -perm 0600 | wc -l)
  [ "$sockets" -eq "$1" ] || fail "$1 private socket(s) expected, found: $(ls -l "$XDG_RUNTIME_DIR")"
}

# A second start on the folder of a running copy: status 0, the running copy
# stays and was asked, and the settings file is left as it was.
start "one"
first=$pid
wait_until 30 listening 1 || fail "the first copy never listens for later starts"
socket_of_one=$(find "$XDG_RUNTIME_DIR" -type s -name 'kvarzel-*.socket')
before=$(stat -c '%Y %s' "$(settings_of one)")
start_again one
status=$?
[ "$status" -eq 0 ] || fail "the second start ended with status $status: $(cat "$work/one.log")"
running "$first" || fail "the first copy ended when the second started"
[ "$(stat -c '%Y %s' "$(settings_of one)")" = "$before" ] || fail "the second start touched the settings file"
check_endpoint 1

# Another settings folder: a second copy runs beside the first.
start "two"
second=$pid
wait_until 30 listening 2 || fail "the copy on another settings folder never runs"
running "$second" && running "$first" || fail "the two copies on two folders do not both run"
check_endpoint 2

# The first copy killed outright: its lock goes with it and the next start
# runs at once, replacing the socket left behind.
kill -KILL "$first"
wait "$first" 2>/dev/null
[ -S "$socket_of_one" ] && ! served "$socket_of_one" || fail "the killed copy's socket is served"
start "one"
third=$pid
# The socket the killed copy left behind is replaced by the new copy's.
wait_until 30 served "$socket_of_one" || fail "no start runs after the first copy was killed"
running "$third" || fail "the start after the kill ended: $(cat "$work/one.log")"
start_again one || fail "the copy after the kill does not answer"
check_endpoint 2

# Ended normally, a copy removes its socket.
kill -TERM "$third" "$second"
wait "$third" "$second"
check_endpoint 0

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
