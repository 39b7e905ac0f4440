#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# install-tree.sh install <build folder> <prefix>
#   installs the built program into the prefix, stripped, and notes in the
#   installed tree, beside the program (<prefix>/lib/kvarzel/), what it put
#   there: the files (CMake's install manifest) and the folders that did not
#   exist before. A second install into the prefix adds to those notes.
# install-tree.sh uninstall <prefix>
#   removes exactly the files the notes name, the notes, and then those
#   folders where they are empty, so that the prefix is left as it was before
#   the installs. It needs nothing but the installed tree: the build folder
#   may be gone (`make clean`). Installs into other prefixes keep their notes.
set -euo pipefail

usage() {
  echo "usage: install-tree.sh install <build folder> <prefix> | uninstall <prefix>" >&2
  exit 2
}
action=${1:-}
case "$action" in
  install) [ $# -eq 3 ] || usage; build=$2 prefix=$3 ;;
  uninstall) [ $# -eq 2 ] || usage; prefix=$2 ;;
  *) usage ;;
esac
prefix=$(realpath -m "$prefix")
# The notes of the installs into this prefix, in the installed program's folder.
records=$prefix/lib/kvarzel
manifest=$records/installed-files.txt
created=$records/installed-folders.txt

# The folders from each file named on standard input up to the prefix, the
# prefix included. (CMake ends the manifest's last line without a newline,
# hence the `|| [ -n ]`.)
folders_of() {
  while IFS= read -r file || [ -n "$file" ]; do
    folder=$(dirname "$file")
    while [ "${#folder}" -ge "${#prefix}" ]; do
      echo "$folder"
      [ "$folder" = "$prefix" ] && break
      folder=$(dirname "$folder")
    done
  done | sort -u
}

# merge <note> <lines...>: the note holds its lines and these, once each.
merge() {
  local note=$1 merged
  shift
  merged=$( (cat "$note" 2>/dev/null; printf '%s\n' "$@") | grep -v '^$' | sort -u)
  printf '%s\n' "$merged" >"$note"
}

install_tree() {
  local before files folders
  before=$(mktemp)
  trap 'rm -f "$before"' RETURN
  if [ -d "$prefix" ]; then find "$prefix" -type d | sort -u >"$before"; fi
  cmake --install "$build" --prefix "$prefix" --strip
  mapfile -t files < <(cat "$build/install_manifest.txt"; echo)
  mapfile -t folders < <(printf '%s\n' "${files[@]}" "$manifest" | folders_of | comm -23 - "$before")
  merge "$manifest" "${files[@]}"
  merge "$created" "${folders[@]}"
}

uninstall_tree() {
  if [ ! -f "$manifest" ]; then
    echo "install-tree: nothing installed into $prefix" >&2
    exit 1
  fi
  while IFS= read -r file || [ -n "$file" ]; do
    case "$file" in
      "$prefix"/*) rm -f -- "$file" ;;
      *) echo "install-tree: $file is outside $prefix, left alone" >&2 ;;
    esac
  done <"$manifest"
  local folders=()
  [ -f "$created" ] && mapfile -t folders <"$created"
  rm -f -- "$manifest" "$created"
  # Deepest first, so that a folder emptied by removing its subfolders goes too.
  printf '%s\n' "${folders[@]}" | awk 'NF { print length($0) "\t" $0 }' | sort -rn | cut -f2- |
    while IFS= read -r folder; do
      rmdir -- "$folder" 2>/dev/null || true
    done
}

case "$action" in
  install) install_tree ;;
  uninstall) uninstall_tree ;;
esac
