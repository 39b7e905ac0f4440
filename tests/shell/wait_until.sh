# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the shell tests.
# wait_until <seconds> <command...>: polls the command until it succeeds; fails
# once the seconds have passed.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
