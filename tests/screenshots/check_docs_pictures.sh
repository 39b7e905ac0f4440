#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's pictures in docs/ are what `make docs` writes from the windows
# as they are drawn now: rendered again, offscreen with the same fonts, they
# match pixel for pixel, and docs/ holds no other picture.
#   check_docs_pictures.sh <screenshot program> <source folder>
set -uo pipefail
program=$1 source_folder=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$program" "$scratch/shots" >/dev/null ||
  { echo "FAIL: the screenshots cannot be rendered" >&2; exit 1; }
"$source_folder/scripts/docs-pictures.sh" "$scratch/shots" "$scratch/docs" ||
  { echo "FAIL: docs-pictures.sh" >&2; exit 1; }

failures=0
for picture in "$scratch"/docs/*.png; do
  name=$(basename "$picture")
  kept=$source_folder/docs/$name
  # The count of differing pixels; the files' bytes may differ with the encoder's version.
  differing=$(compare -metric AE "$kept" "$picture" null: 2>&1)
  if [ "$differing" != 0 ]; then
    echo "FAIL: docs/$name differs from the window as drawn now ($differing pixels); run make docs" >&2
    failures=$((failures + 1))
  fi
done
for kept in "$source_folder"/docs/*.png; do
  [ -f "$scratch/docs/$(basename "$kept")" ] || {
    echo "FAIL: docs/$(basename "$kept") is not written by make docs" >&2
    failures=$((failures + 1))
  }
done
[ "$failures" -eq 0 ] || exit 1
echo "docs/ is what make docs writes"
