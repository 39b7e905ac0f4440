#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make install` and `make uninstall` (scripts/install-tree.sh) keep their notes
# per prefix: after installs into A and then B, uninstalling A leaves A as it
# was and B whole, and then B goes too.
#   check_uninstall.sh <source folder> <build folder>
set -uo pipefail
source_folder=$1 build=$2
source "$(dirname "$0")/installed_layout.sh"
# install_tree install|uninstall <prefix>
install_tree() { "$source_folder/scripts/install-tree.sh" "$1" "$build" "$2" >/dev/null 2>&1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/A" && touch "$scratch/A/own-file"
install_tree install "$scratch/A" || fail "install into A"
install_tree install "$scratch/B" || fail "install into B"
installed=$(find "$scratch/B" -type f | wc -l)
[ "$installed" -gt 10 ] || fail "only $installed files installed into B"

install_tree uninstall "$scratch/A" || fail "uninstall from A after an install into B"
[ "$(find "$scratch/A" | sort)" = "$(printf '%s\n' "$scratch/A" "$scratch/A/own-file")" ] ||
  fail "A is not as it was: $(find "$scratch/A")"
[ "$(find "$scratch/B" -type f | wc -l)" -eq "$installed" ] || fail "uninstalling A touched B"
install_tree uninstall "$scratch/A" && fail "a second uninstall from A reports success"
install_tree uninstall "$scratch/B" || fail "uninstall from B"
[ ! -e "$scratch/B" ] || fail "B is left: $(find "$scratch/B")"
finish
