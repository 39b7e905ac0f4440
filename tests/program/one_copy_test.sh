#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program as processes, offscreen: a second start on the settings
# folder of a running copy hands over to it and ends with status 0, touching
# nothing; on another settings folder a second copy runs; after the running
# copy is killed with SIGKILL, the next start runs at once. A start decides
# within two seconds whatever the copy does: stopped, it says so after two
# seconds to every start; healthy, it takes 32 starts at once, and a start
# while another process holds 64 silent connections. Where no safe lock can be
# made, every start says why and runs.
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

# now_ms: the time in milliseconds.
now_ms() {
  echo $(($(date +%s%N) / 1000000))
}

# Stopped, the copy answers nothing: every one of twelve starts in a row says
# so after two seconds, the last as the first.
kill -STOP "$third"
for attempt in $(seq 12); do
  : >"$work/stopped.log"
  began=$(now_ms)
  XDG_CONFIG_HOME=$work/one/config timeout 20 "$program" 2>"$work/stopped.log" &
  late=$!
  pids+=("$late")
  if wait_until 10 grep -q 'не отвечает' "$work/stopped.log"; then
    waited=$(($(now_ms) - began))
    [ "$waited" -ge 1500 ] && [ "$waited" -le 2500 ] ||
      fail "start $attempt against the stopped copy decided after $waited ms"
  else
    fail "start $attempt against the stopped copy says nothing: $(cat "$work/stopped.log")"
  fi
  kill "$late" 2>/dev/null
  wait "$late" 2>/dev/null
done
kill -CONT "$third"
start_again one || fail "the copy let go on does not answer"

# Thirty-two starts at once: every one hands over, none says the copy does
# not answer, none waits past two and a half seconds.
crowd=()
for attempt in $(seq 32); do
  (
    began=$(now_ms)
    XDG_CONFIG_HOME=$work/one/config timeout 20 "$program" 2>"$work/crowd-$attempt.log"
    echo "$? $(($(now_ms) - began))" >"$work/crowd-$attempt.status"
  ) &
  crowd+=($!)
done
wait "${crowd[@]}"
for attempt in $(seq 32); do
  read -r status waited <"$work/crowd-$attempt.status"
  [ "$status" -eq 0 ] && [ "$waited" -le 2500 ] ||
    fail "start $attempt of 32 at once: status $status after $waited ms: $(cat "$work/crowd-$attempt.log")"
done

# Another process of the user holds 64 silent connections, taking a new one
# for each the copy drops: a genuine start still hands over at once.
python3 - "$(find "$XDG_RUNTIME_DIR" -type s -name 'kvarzel-*.socket' | head -n 1)" "$work/hostile" <<'HOSTILE' &
import os, socket, sys, time
path, ready = sys.argv[1], sys.argv[2]
held = []
while True:
    alive = []
    for connection in held:
        try:
            if connection.recv(1) == b"":
                connection.close()
                continue
        except BlockingIOError:
            pass
        alive.append(connection)
    held = alive
    while len(held) < 64:
        connection = socket.socket(socket.AF_UNIX)
        connection.connect(path)
        connection.setblocking(False)
        held.append(connection)
    if not os.path.exists(ready):
        open(ready, "w").close()
    time.sleep(0.01)
HOSTILE
hostile=$!
pids+=("$hostile")
wait_until 30 test -e "$work/hostile" || fail "the hostile client does not connect"
for attempt in 1 2 3 4 5 6; do
  began=$(now_ms)
  start_again one
  status=$?
  waited=$(($(now_ms) - began))
  [ "$status" -eq 0 ] && [ "$waited" -le 2500 ] ||
    fail "start $attempt beside 64 silent connections: status $status after $waited ms"
done
kill "$hostile"
running "$third" || fail "the copy did not live through the crowds"

# Ended normally, a copy removes its socket.
kill -TERM "$third" "$second"
wait "$third" "$second"
check_endpoint 0

# Without a runtime folder the endpoint lies beside the settings file; where
# no safe lock can be made there, every start says why on standard error and
# runs: two copies on one settings file never come without that word.
# start_without_runtime <folder> <log>: a copy in the background; its process id is $pid.
start_without_runtime() {
  env -u XDG_RUNTIME_DIR XDG_CONFIG_HOME="$work/$1/config" "$program" 2>>"$2" &
  pid=$!
  pids+=("$pid")
}

listening_beside() {
  [ -n "$(find "$1" -type s -name 'kvarzel-*.socket')" ]
}

said_why() {
  [ "$(grep -c 'Не удаётся проверить' "$work/$1.log")" -eq 2 ]
}

# unguarded <name> <planting command>: the command runs in the settings folder
# with $lock naming the lock file that a guarded start made there.
unguarded() {
  local name=$1 plant=$2 folder lock first_start starts
  folder=$work/$name/config/Tellumor
  mkdir -p "$folder"
  chmod 0700 "$folder"
  start_without_runtime "$name" /dev/null
  first_start=$pid
  wait_until 30 listening_beside "$folder" ||
    fail "$name: a start without a runtime folder does not listen beside its settings"
  kill -TERM "$first_start"
  wait "$first_start"
  lock=$(find "$folder" -name 'kvarzel-*.lock' | head -n 1)
  rm -f "$lock"
  (cd "$folder" && eval "$plant") || fail "$name: cannot plant"
  : >"$work/$name.log"
  starts=()
  for attempt in 1 2; do
    start_without_runtime "$name" "$work/$name.log"
    starts+=("$pid")
  done
  wait_until 30 said_why "$name" || fail "$name: not every start says why: $(cat "$work/$name.log")"
  running "${starts[0]}" && running "${starts[1]}" || fail "$name: an unguarded start does not run"
  kill -TERM "${starts[@]}"
  wait "${starts[@]}"
  [ ! -e "$work/elsewhere" ] || fail "$name: the start followed a link planted at the lock"
}
# One plant at the lock and one at the folder: the warning is the same for any
# reason, and which plant gives which reason is the claim's own test.
unguarded link 'ln -s "$work/elsewhere" "$lock"'
unguarded open_folder 'chmod 0777 .'

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
