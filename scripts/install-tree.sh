#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# install-tree.sh install <build folder> <prefix>
#   installs the built program into the prefix, stripped, and notes what it
#   put there, per prefix: the files (CMake's install_manifest.txt) and the
#   folders that did not exist before, in <build folder>/install-records/.
# install-tree.sh uninstall <build folder> <prefix>
#   removes exactly the files of the last install into that prefix, then those
#   folders where they are empty, so that the prefix is left as it was before
#   the install; installs into other prefixes keep their notes.
set -euo pipefail

action=${1:-} build=${2:-} prefix=${3:-}
if [ -z "$action" ] || [ -z "$build" ] || [ -z "$prefix" ]; then
  echo "usage: install-tree.sh install|uninstall <build folder> <prefix>" >&2
  exit 2
fi
prefix=$(realpath -m "$prefix")
# The notes of an install into this prefix, in a folder named after it.
records=$build/install-records/$(printf '%s' "$prefix" | md5sum | cut -c1-16)
manifest=$records/install_manifest.txt
created=$records/install_created_dirs.txt
noted_prefix=$records/install_prefix.txt

# The folders from each installed file up to the prefix, the prefix included.
# (CMake ends the manifest's last line without a newline, hence the `|| [ -n ]`.)
folders_of_installed_files() {
  while IFS= read -r file || [ -n "$file" ]; do
    folder=$(dirname "$file")
    while [ "${#folder}" -ge "${#prefix}" ]; do
      echo "$folder"
      [ "$folder" = "$prefix" ] && break
      folder=$(dirname "$folder")
    done
  done <"$manifest" | sort -u
}

install_tree() {
  local before
  before=$(mktemp)
  trap 'rm -f "$before"' RETURN
  if [ -d "$prefix" ]; then find "$prefix" -type d | sort -u >"$before"; fi
  cmake --install "$build" --prefix "$prefix" --strip
  mkdir -p "$records"
  cp "$build/install_manifest.txt" "$manifest"
  folders_of_installed_files | comm -23 - "$before" >"$created"
  echo "$prefix" >"$noted_prefix"
}

uninstall_tree() {
  if [ ! -f "$manifest" ] || [ "$(cat "$noted_prefix" 2>/dev/null)" != "$prefix" ]; then
    echo "install-tree: nothing installed from $build into $prefix" >&2
    exit 1
  fi
  while IFS= read -r file || [ -n "$file" ]; do
    case "$file" in
      "$prefix"/*) rm -f -- "$file" ;;
      *) echo "install-tree: $file is outside $prefix, left alone" >&2 ;;
    esac
  done <"$manifest"
  # Deepest first, so that a folder emptied by removing its subfolders goes too.
  if [ -f "$created" ]; then
    awk '{ print length($0) "\t" $0 }' "$created" | sort -rn | cut -f2- | while IFS= read -r folder; do
      rmdir -- "$folder" 2>/dev/null || true
    done
  fi
  rm -rf "$records"
}

case "$action" in
  install) install_tree ;;
  uninstall) uninstall_tree ;;
  *)
    echo "install-tree: unknown action $action" >&2
    exit 2
    ;;
esac
