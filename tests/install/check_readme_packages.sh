#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's Commands table names, for each group of scripts/install-deps.sh,
# exactly the packages that the script installs for it.
#   check_readme_packages.sh <source folder>
set -uo pipefail
source_folder=$1
source "$(dirname "$0")/installed_layout.sh"

# listed <group>: the packages the README's cell for `--<group>` names, one a
# line; "the `--run` ones" stands for the run group's.
listed() {
  local cell
  cell=$(grep -o "\`--$1\`[^|]*" "$source_folder/README.md" | head -n 1)
  [ -n "$cell" ] || return
  if grep -q 'the `--run` ones' <<<"$cell"; then listed run; fi
  sed -e 's/^`--[a-z]*`[^:]*: *//' -e 's/the `--run` ones\( and\)\{0,1\}//' -e 's/([^)]*)//g' <<<"$cell" |
    tr ',' '\n' | sed -e 's/^ *//' -e 's/ *$//' | grep .
}

for group in run test package bench fuzz; do
  installed=$("$source_folder/scripts/install-deps.sh" --print "--$group" | sort -u)
  named=$(listed "$group" | sort -u)
  [ -n "$named" ] || { fail "the README names no packages for --$group"; continue; }
  missing=$(comm -23 <(echo "$installed") <(echo "$named") | tr '\n' ' ')
  extra=$(comm -13 <(echo "$installed") <(echo "$named") | tr '\n' ' ')
  [ -z "$missing" ] || fail "the README's --$group lacks $missing"
  [ -z "$extra" ] || fail "the README's --$group names $extra, which install-deps.sh does not install"
done
finish
