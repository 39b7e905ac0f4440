#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `kvarzel --help` (or -h) and `kvarzel --version` answer on standard output,
# with no display at all, and exit 0; an answer that cannot be written is a
# failure. A start with no display to open the window on says so in one line,
# in the locale's language, and ends with status 1.
#   command_line_test.sh <program> <version>
set -uo pipefail
program=$1 version=$2
# No display: the program must not even try to open a window.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

usage=$("$program" --help 2>&1) || fail "--help exits with status $?: $usage"
head -n 1 <<<"$usage" | grep -qx 'Использование: kvarzel \[-h | --help | --version\]' ||
  fail "--help does not start with the usage line: $usage"
grep -q -- '--version' <<<"$usage" || fail "--help does not name --version"
[ "$(wc -l <<<"$usage")" -le 12 ] || fail "--help is not short: $usage"

[ "$("$program" -h 2>&1)" = "$usage" ] || fail "-h does not print what --help prints"

answer=$("$program" --version 2>&1) || fail "--version exits with status $?: $answer"
[ "$answer" = "Кварзель $version" ] || fail "--version prints '$answer', not 'Кварзель $version'"

answer=$("$program" -platform offscreen --foo --version --help 2>&1) ||
  fail "--version after other arguments exits with status $?"
[ "$answer" = "Кварзель $version" ] || fail "the first of the two options does not decide: $answer"

for option in --help --version; do
  if "$program" "$option" >/dev/full 2>/dev/null; then
    fail "$option reports success when its answer cannot be written"
  fi
done

# no_display <expected line> <environment...>: the program, started in that
# environment, prints just that line on standard error and ends with status 1.
no_display() {
  local expected=$1 output status
  shift
  output=$(env "$@" timeout 60 "$program" 2>&1 >/dev/null)
  status=$?
  [ "$status" -eq 1 ] || fail "with $*: status $status, not 1 ($output)"
  [ "$output" = "$expected" ] || fail "with $*: '$output', not '$expected'"
}
english='kvarzel: no display to open the window on (set DISPLAY or WAYLAND_DISPLAY)'
russian='kvarzel: нет дисплея, на котором открыть окно (задайте DISPLAY или WAYLAND_DISPLAY)'
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
no_display "$english"
no_display "$russian" LC_ALL=ru_RU.UTF-8
no_display "$russian" LC_ALL= LC_MESSAGES= LANG=ru_RU.UTF-8
no_display "$english" DISPLAY=:4711
no_display "$english" QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-9

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
