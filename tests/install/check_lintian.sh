#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's package checker on the package `make package` builds: any error or
# warning fails, and so does any informational tag that is not kept below
# with its reason.
#   check_lintian.sh <build folder>
set -uo pipefail
build=$1
source "$(dirname "$0")/installed_layout.sh"
source "$(dirname "$0")/package_build.sh"

# Informational tags that stay, each with why. None at present: the package
# is clean down to the informational tags.
declare -A kept=()

command -v lintian >/dev/null || { fail "lintian is not installed (scripts/install-deps.sh)"; finish; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
deb=$(build_package "$build" "$scratch") || { fail "no package"; finish; }

# --display-info shows the informational tags too; pedantic and experimental
# ones are left out.
report=$(lintian --display-info --tag-display-limit 0 "$deb" 2>&1)
status=$?
echo "$report"
# Lintian's own status only says whether it found errors; its tags are read here.
[ "$status" -le 2 ] || fail "lintian could not check the package (status $status)"
while read -r severity _ tag _; do
  case "$severity" in
    E: | W:) fail "lintian $severity $tag" ;;
    I:) [ -n "${kept[$tag]+x}" ] || fail "lintian I: $tag is not kept with a reason" ;;
  esac
done <<<"$report"
finish
