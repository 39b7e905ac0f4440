#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The suite leaves the home of the user who runs it alone: a part of it that
# has written there before (Qt's QtProject.conf from the options and
# accessibility tests and the application test; openbox's log and cache from
# a session under Xvfb) runs under a new, empty HOME, as a user's `make test`
# would, and nothing may appear there.
#   check_test_homes.sh <build folder>
set -uo pipefail
build=$(cd "$1" && pwd)
part='^(gui_test_options_keys|gui_test_accessibility|platform_test_application|platform_test_program_application|program_end_by_signal|session_startup_notification)$'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/home" "$work/suite"
# A suite of its own that takes the tests from the build's folders, so that
# this run keeps its logs out of the build's own.
for folder in gui platform program session; do
  echo "subdirs(\"$build/tests/$folder\")" >>"$work/suite/CTestTestfile.cmake"
done

ran=$(cd "$work/suite" && env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME \
  -u XDG_STATE_HOME HOME="$work/home" ctest -R "$part" --output-on-failure 2>&1)
status=$?
[ "$status" -eq 0 ] || {
  echo "FAIL: the part of the suite fails: $ran" >&2
  exit 1
}
count=$(grep -c 'Test *#' <<<"$ran")
[ "$count" -eq 6 ] || {
  echo "FAIL: $count tests ran, not 6: $ran" >&2
  exit 1
}
written=$(cd "$work/home" && find . -mindepth 1)
if [ -n "$written" ]; then
  echo "FAIL: the suite wrote into the home:" >&2
  echo "$written" >&2
  exit 1
fi
echo "6 tests ran and left the home empty"
