#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` into a scratch prefix lays out the program, its help file,
# icons, desktop entry and metainfo where a Linux desktop looks for them.
#   check_install.sh <build folder> <version>
set -uo pipefail
build=$1 version=$2
source "$(dirname "$0")/installed_layout.sh"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
if ! log=$(cmake --install "$build" --prefix "$prefix" 2>&1); then
  echo "$log" >&2
  fail "cmake --install"
  finish
fi
check_installed_tree "$prefix" "$version"
finish
