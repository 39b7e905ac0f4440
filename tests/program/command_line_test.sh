#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `kvarzel --help` (or -h) and `kvarzel --version` (or -v) answer on standard
# output, with no display at all, and exit 0; an answer that cannot be written
# is a failure. `--version` names the About dialog's four-part version. Any
# other option is refused in one line on standard error, with status 2 and no
# window. A start with no display to open the window on says so in one line,
# in the locale's language, naming the display that was set, and ends with
# status 1.
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

# The About dialog's version: the project's, four numbers.
four_part=$version
while [ "$(tr -cd . <<<"$four_part" | wc -c)" -lt 3 ]; do four_part=$four_part.0; done

usage=$("$program" --help 2>&1) || fail "--help exits with status $?: $usage"
head -n 1 <<<"$usage" | grep -qx 'Использование: kvarzel \[-h | --help | -v | --version\]' ||
  fail "--help does not start with the usage line: $usage"
grep -q -- '--version' <<<"$usage" || fail "--help does not name --version"
[ "$(wc -l <<<"$usage")" -le 12 ] || fail "--help is not short: $usage"

[ "$("$program" -h 2>&1)" = "$usage" ] || fail "-h does not print what --help prints"

answer=$("$program" --version 2>&1) || fail "--version exits with status $?: $answer"
[ "$(head -n 1 <<<"$answer")" = "kvarzel $four_part" ] ||
  fail "--version prints '$(head -n 1 <<<"$answer")' first, not 'kvarzel $four_part'"
sed -n 2p <<<"$answer" | grep -q '^© [0-9]\{4\} ' || fail "no copyright line after the version: $answer"
sed -n 3p <<<"$answer" | grep -q 'GNU GPL' || fail "no licence line after the copyright: $answer"
[ "$("$program" -v 2>&1)" = "$answer" ] || fail "-v does not print what --version prints"
[ "$("$program" --vers file.wav --help 2>&1)" = "$answer" ] || fail "the first option does not decide"

# refused <option> <arguments...>: one line on standard error naming the
# option and pointing to --help, nothing on standard output, status 2, and no
# window even where one could open.
refused() {
  local option=$1 out errors status
  shift
  out=$(QT_QPA_PLATFORM=offscreen timeout 60 "$program" "$@" 2>"$work/errors")
  status=$?
  errors=$(cat "$work/errors")
  [ "$status" -eq 2 ] || fail "with $*: status $status, not 2"
  [ -z "$out" ] || fail "with $*: '$out' on standard output"
  [ "$(wc -l <"$work/errors")" -eq 1 ] || fail "with $*: not one line on standard error: $errors"
  grep -qF -- "$option" <<<"$errors" && grep -qF -- 'kvarzel --help' <<<"$errors" ||
    fail "with $*: '$errors' does not name $option and --help"
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Which options are refused is ReadCommandLine's own test; here, that it comes before Qt.
refused --foo --foo
refused -platform -platform offscreen
LC_ALL=ru_RU.UTF-8 refused --foo --foo
grep -q 'неизвестный параметр' "$work/errors" || fail "the refusal is not Russian in a Russian locale"

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
runtime=$work/runtime
mkdir -m 0700 "$runtime"
no_display "$english"
no_display "$russian" LC_ALL=ru_RU.UTF-8
no_display "$russian" LC_ALL= LC_MESSAGES= LANG=ru_RU.UTF-8
no_display 'kvarzel: cannot open display :4711' DISPLAY=:4711
no_display 'kvarzel: не удаётся открыть дисплей :4711' DISPLAY=:4711 LC_ALL=ru_RU.UTF-8
no_display 'kvarzel: cannot open display wayland-9' QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-9
no_display "$english" QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$runtime"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
