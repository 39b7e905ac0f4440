# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of an installed Kvarzel tree, shared by the install and package tests.
# Source it, call the checks with the installation prefix, then `finish`.

failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The program and its help file side by side, reached through a relative link.
check_program_files() {
  local prefix=$1
  [ -x "$prefix/lib/kvarzel/kvarzel" ] && [ ! -L "$prefix/lib/kvarzel/kvarzel" ] ||
    fail "no executable lib/kvarzel/kvarzel"
  [ -s "$prefix/lib/kvarzel/kvarzel.chm" ] || fail "no help file lib/kvarzel/kvarzel.chm"
  [ "$(readlink "$prefix/bin/kvarzel")" = ../lib/kvarzel/kvarzel ] ||
    fail "bin/kvarzel is not the link ../lib/kvarzel/kvarzel"
  [ "$(readlink -f "$prefix/bin/kvarzel")" = "$(readlink -f "$prefix/lib/kvarzel/kvarzel")" ] ||
    fail "bin/kvarzel does not lead to the program"
}

# A PNG's width and height from its header: "<width>x<height>".
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}

check_icons() {
  local prefix=$1 size file
  for size in 16 22 24 32 48 64 128 256; do
    file=$prefix/share/icons/hicolor/${size}x${size}/apps/kvarzel.png
    if [ ! -f "$file" ]; then
      fail "no ${size}-pixel icon"
    elif [ "$(png_size "$file")" != "${size}x${size}" ]; then
      fail "the ${size}-pixel icon is $(png_size "$file")"
    fi
  done
  grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/kvarzel.svg" 2>/dev/null ||
    fail "no scalable icon"
}

# Errors and warnings fail; hints (two main categories are wanted) do not.
check_desktop_entry() {
  local entry=$1/share/applications/com.tellumor.Kvarzel.desktop report
  [ -f "$entry" ] || { fail "no desktop entry"; return; }
  report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
  if grep -E ': (error|warning):' <<<"$report"; then fail "the desktop entry has warnings"; fi
  grep -qx 'Exec=kvarzel' "$entry" || fail "the desktop entry does not start bin/kvarzel"
  grep -qx 'Icon=kvarzel' "$entry" || fail "the desktop entry does not name the installed icon"
  grep -qx 'Name\[ru\]=Кварзель' "$entry" || fail "no Russian name"
  grep -qx 'Categories=Education;Game;' "$entry" || fail "not in Education and Game"
  grep -qx 'X-GNOME-SingleWindow=true' "$entry" || fail "the desktop entry does not say the program has one window"
}

check_metainfo() {
  local metainfo=$1/share/metainfo/com.tellumor.kvarzel.metainfo.xml version=$2 report
  [ -f "$metainfo" ] || { fail "no AppStream metainfo"; return; }
  # Pedantic: every hint counts, and nothing is left to report.
  report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) ||
    fail "appstreamcli validate: $report"
  grep -qx '✔ Validation was successful.' <<<"$report" || fail "appstreamcli validate reports: $report"
  grep -q '<id>com.tellumor.kvarzel</id>' "$metainfo" || fail "the component id is not lower case"
  if grep -Eq '\.example[/<"]|example\.(com|org)' "$metainfo"; then
    fail "the metainfo points at a placeholder address"
  fi
  grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "the metainfo has no release entry for version $version"
  grep -q '<launchable type="desktop-id">com.tellumor.Kvarzel.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch the desktop entry"
  grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
    fail "the metainfo does not name the licence"
}

# The manual page in both languages, compressed without a time stamp, read by
# man without a warning; the licence and the changes where Debian keeps them.
check_documents() {
  local prefix=$1 version=$2 installed_for=$3 page warnings
  for page in share/man/man6/kvarzel.6.gz share/man/ru/man6/kvarzel.6.gz; do
    if [ ! -f "$prefix/$page" ]; then
      fail "no manual page $page"
      continue
    fi
    [ "$(od -An -tu1 -j4 -N4 "$prefix/$page" | tr -d ' ')" = 0000 ] || fail "$page carries a time stamp"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $page: $warnings"
    zcat "$prefix/$page" | grep -q "^\.TH KVARZEL 6 .*$version" || fail "$page is not kvarzel(6) $version"
    zcat "$prefix/$page" | grep -qx "\.I $installed_for/lib/kvarzel/kvarzel.chm" ||
      fail "$page does not name the help file in $installed_for/lib/kvarzel"
  done
  grep -q '^License: GPL-3+$' "$prefix/share/doc/kvarzel/copyright" 2>/dev/null ||
    fail "no copyright file under GPL-3+"
  zcat "$prefix/share/doc/kvarzel/changelog.gz" 2>/dev/null | head -n 1 | grep -q "^kvarzel ($version)" ||
    fail "no changelog.gz for version $version"
}

# check_installed_tree <tree> <version> [<prefix it was installed for, the tree's own>]
check_installed_tree() {
  check_program_files "$1"
  check_documents "$1" "$2" "${3:-$1}"
  check_icons "$1"
  check_desktop_entry "$1"
  check_metainfo "$1" "$2"
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}
