#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The screen reader speaks every answer's verdict: the installed program on
# Xvfb with openbox, Debian's orca reading it over AT-SPI in a D-Bus session of
# their own, keys typed through XTEST. Orca's debug log records every text it
# speaks ("SPEECH OUTPUT: '...'"), whether or not a speech synthesiser answers.
#   screen_reader_test.sh <build folder>
# Ends with 77 (skipped), saying why, where orca or the display cannot start.
set -uo pipefail
export LC_ALL=C.UTF-8

skip() {
  echo "SKIP: $*"
  exit 77
}
fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/orca.log" ] && echo "orca spoke: $(grep -o "SPEECH OUTPUT: '[^']*'" "$work/orca.log")" >&2
  exit 1
}
# shellcheck source=../shell/wait_until.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell/wait_until.sh"

# spoken <regex>: orca has said a text that ends so (after, say, the role it reads first).
spoken() {
  grep -o "SPEECH OUTPUT: '[^']*'" "$work/orca.log" | grep -Eq "SPEECH OUTPUT: '([^']* )?$1'"
}
# seen <text>: orca has had an event whose description holds the text.
seen() {
  grep -Fq -- "$1" "$work/orca.log"
}

# Inside the D-Bus session: orca first, then the program, then the keys.
if [ "${2:-}" = --in-session ]; then
  work=$3
  # Orca runs the user's customizations at its start: there its debug log is
  # made to write each line at once, to be read while orca runs.
  mkdir -p "$work/orca-settings"
  echo 'import orca.debug; orca.debug.debugFile.reconfigure(line_buffering=True)' \
    >"$work/orca-settings/orca-customizations.py"
  orca --replace --debug-file="$work/orca.log" --user-prefs="$work/orca-settings" \
    >"$work/orca.out" 2>&1 &
  wait_until 60 spoken 'Screen reader on\.' || skip "orca does not start: $(tail -n 3 "$work/orca.out")"
  (cd "$work" && exec "$work/prefix/bin/kvarzel") 2>"$work/kvarzel.log" &
  wait_until 60 spoken 'Кварзель frame\.' || fail "orca does not announce the main window"
  xdotool key ctrl+n
  wait_until 30 seen 'object:state-changed:showing for [push button | Чёрная]' ||
    fail "Ctrl+N shows no answer buttons"
  # The focus stays where the program put it: the page tabs.
  xdotool key w
  wait_until 30 spoken '(не)?верно, горошина 1\.?' || fail "the first verdict is not spoken"
  xdotool key b
  wait_until 30 spoken '(не)?верно, горошина 2\.?' || fail "the second verdict is not spoken"
  exit 0
fi

build=$(cd "$1" && pwd)
for tool in orca dbus-run-session Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
background=()
cleanup() {
  local pid
  for pid in "${background[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
background+=($!)
wait_until 30 bash -c "grep -q . '$work/display' || ! kill -0 ${background[0]}"
grep -q . "$work/display" || skip "Xvfb cannot start: $(tr '\n' ' ' <"$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")
openbox --sm-disable 2>"$work/openbox.log" &
background+=($!)

cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
settings=$work/config/Tellumor/Kvarzel.reg
mkdir -p "$(dirname "$settings")" "$work/runtime"
chmod 700 "$work/runtime"
printf '%s\r\n' 'REGEDIT4' '' \
  '[HKEY_CURRENT_USER\Software\Tellumor\Kvarzel]' '"PeasCount"=dword:00000005' '' \
  '[HKEY_CURRENT_USER\Software\Tellumor\Kvarzel\Timer]' '"TimerEnabled"=dword:00000000' \
  >"$settings"
# What a desktop with a screen reader sets: the toolkits' accessibility on.
# Orca, D-Bus, GStreamer and openbox keep to a home of their own.
mkdir -p "$work/home"
export HOME=$work/home XDG_CACHE_HOME=$work/cache XDG_STATE_HOME=$work/state
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SDL_AUDIODRIVER=dummy
# No speech synthesiser: orca still logs every text it would speak. (Started on demand, with
# no sound card, the synthesiser's server can keep orca waiting; its socket is put where
# none can be made.)
export SPEECHD_ADDRESS=unix_socket:$work/no-synthesiser/speechd.sock
dbus-run-session -- bash "${BASH_SOURCE[0]}" "$build" --in-session "$work"
status=$?
[ "$status" -eq 0 ] && echo "orca spoke: $(grep -o "SPEECH OUTPUT: '[^']*горошина[^']*'" "$work/orca.log" | tr '\n' ' ')"
exit "$status"
