#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make install` and `make uninstall` (scripts/install-tree.sh) keep their notes
# in each installed tree: after installs into A and then B, uninstalling A
# leaves A as it was and B whole, and then B goes too. Two installs into one
# prefix go with one uninstall, and `make uninstall` needs no build folder.
#   check_uninstall.sh <source folder> <build folder>
set -uo pipefail
source_folder=$1 build=$2
source "$(dirname "$0")/installed_layout.sh"
# install_tree install <prefix> | install_tree uninstall <prefix>
install_tree() {
  if [ "$1" = install ]; then
    "$source_folder/scripts/install-tree.sh" install "$build" "$2" >/dev/null 2>&1
  else
    "$source_folder/scripts/install-tree.sh" uninstall "$2" >/dev/null 2>&1
  fi
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/A" && touch "$scratch/A/own-file"
as_it_was=$(printf '%s\n' "$scratch/A" "$scratch/A/own-file")
install_tree install "$scratch/A" || fail "install into A"
install_tree install "$scratch/B" || fail "install into B"
installed=$(find "$scratch/B" -type f | wc -l)
[ "$installed" -gt 10 ] || fail "only $installed files installed into B"

install_tree uninstall "$scratch/A" || fail "uninstall from A after an install into B"
[ "$(find "$scratch/A" | sort)" = "$as_it_was" ] || fail "A is not as it was: $(find "$scratch/A")"
[ "$(find "$scratch/B" -type f | wc -l)" -eq "$installed" ] || fail "uninstalling A touched B"
install_tree uninstall "$scratch/A" && fail "a second uninstall from A reports success"
install_tree uninstall "$scratch/B" || fail "uninstall from B"
[ ! -e "$scratch/B" ] || fail "B is left: $(find "$scratch/B")"

# Installed twice, A is as it was after one uninstall.
install_tree install "$scratch/A" && install_tree install "$scratch/A" || fail "two installs into A"
install_tree uninstall "$scratch/A" || fail "uninstall after two installs"
[ "$(find "$scratch/A" | sort)" = "$as_it_was" ] || fail "A is not as it was after two installs: $(find "$scratch/A")"

# `make uninstall` after `make clean`: no release build folder at all.
install_tree install "$scratch/C" || fail "install into C"
make -s -C "$source_folder" uninstall PREFIX="$scratch/C" RELEASE_DIR="$scratch/gone" >/dev/null 2>&1 ||
  fail "make uninstall fails without a build folder"
[ ! -e "$scratch/C" ] || fail "C is left after make uninstall: $(find "$scratch/C")"
finish
