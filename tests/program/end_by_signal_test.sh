#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program, started offscreen with a settings file of its own, is sent
# SIGTERM, SIGINT and SIGHUP in turn: each time it ends as after Alt+F4, with
# exit status 0 and the settings written back whole by its normal end. Started
# with SIGHUP ignored, as under nohup, it leaves SIGHUP ignored. With
# settings that cannot be saved, SIGTERM still ends it within a second.
#   end_by_signal_test.sh <program>
set -uo pipefail
program=$1
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
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

# signal_mask <pid> <SigCgt|SigIgn>: the process's mask of caught or ignored signals.
signal_mask() {
  awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/status"
}

# in_mask <pid> <field> <signal number>
in_mask() {
  local mask
  mask=$(signal_mask "$1" "$2") && [ -n "$mask" ] && (((16#$mask >> ($3 - 1)) & 1))
}

# catches <pid> <signal number>: the program itself (not the shell or env
# that starts it: a shell catches some signals until it runs the program) has
# a handler for the signal.
catches() {
  [ "$(readlink "/proc/$1/exe")" = "$(readlink -f "$program")" ] && in_mask "$1" SigCgt "$2"
}

# start <folder> <signal dispositions for env...>: the program with the
# settings of a first run that stored only a count of 25 peas, and Qt options
# after "--", left alone by the program and never handed to Qt (the xcb
# platform would fail without a display).
# The dispositions are set explicitly: a shell gives its background jobs
# SIGINT ignored, and this test may itself run under nohup.
start() {
  local folder=$1
  shift
  mkdir -p "$folder/config/Tellumor" "$folder/cwd"
  printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Software\Tellumor\Kvarzel]' \
    '"PeasCount"=dword:00000019' >"$folder/config/Tellumor/Kvarzel.reg"
  (cd "$folder/cwd" && XDG_CONFIG_HOME=$folder/config exec env "$@" "$program" \
    -- -platform xcb -style windows -reverse) 2>"$folder/log" &
  pid=$!
  # Its handler for SIGTERM is the sign that it listens.
  wait_until 30 catches "$pid" 15 || fail "$(basename "$folder"): no handler for SIGTERM"
}

# end_with <signal name> <signal number>
end_with() {
  local name=$1 number=$2 folder=$work/$1 status settings
  start "$folder" --default-signal=HUP,INT,TERM
  # The handlers come one after another: this one may follow a moment later.
  wait_until 30 catches "$pid" "$number" || fail "$name is not caught"
  kill -s "$name" "$pid"
  wait "$pid"
  status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$name: the program ended with status $status: $(cat "$folder/log")"
  settings=$(cat "$folder/config/Tellumor/Kvarzel.reg")
  grep -q '"PeasCount"=dword:00000019' <<<"$settings" || fail "$name: the stored count is lost: $settings"
  grep -q '"BeepFrequency"=' <<<"$settings" || fail "$name: the settings were not saved at the end: $settings"
}

end_with TERM 15
end_with INT 2
end_with HUP 1

start "$work/nohup" --default-signal=INT,TERM --ignore-signal=HUP
in_mask "$pid" SigIgn 1 && ! in_mask "$pid" SigCgt 1 || fail "SIGHUP ignored at the start is caught"
kill -s TERM "$pid"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] ||
  fail "under nohup, SIGTERM ended the program with status $status: $(cat "$work/nohup/log")"

# Settings that cannot be saved (a folder in the file's place): SIGTERM still
# ends the program within a second, the error going to standard error
# instead of a box that nobody would answer.
start "$work/unsaved" --default-signal=HUP,INT,TERM
settings_file=$work/unsaved/config/Tellumor/Kvarzel.reg
rm -f "$settings_file" && mkdir "$settings_file"
started=$(date +%s%N)
kill -s TERM "$pid"
gone() { ! kill -0 "$pid"; }
wait_until 5 gone || fail "with unsaved settings, SIGTERM left the program running"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
wait "$pid"
pid=
[ "$elapsed_ms" -le 1000 ] || fail "with unsaved settings, the program took ${elapsed_ms} ms to end"
grep -q "Failed to set data for '.*Kvarzel.reg'.*Причина" "$work/unsaved/log" ||
  fail "the settings error is not on standard error: $(cat "$work/unsaved/log")"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
