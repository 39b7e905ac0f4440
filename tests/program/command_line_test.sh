#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `kvarzel --help` and `kvarzel --version` answer on standard output, with no
# display at all, and exit 0; an answer that cannot be written is a failure.
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
head -n 1 <<<"$usage" | grep -qx 'Использование: kvarzel \[--help | --version\]' ||
  fail "--help does not start with the usage line: $usage"
grep -q -- '--version' <<<"$usage" || fail "--help does not name --version"
[ "$(wc -l <<<"$usage")" -le 12 ] || fail "--help is not short: $usage"

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

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
