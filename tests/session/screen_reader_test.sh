#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The screen reader speaks what a sighted user reads: a training's start and
# every answer's verdict, the results, the statistics, About, the options'
# fields and the help page. The installed program on Xvfb with openbox,
# Debian's orca reading it over AT-SPI in a D-Bus session of their own, keys
# typed through XTEST. Orca's debug log records every text it
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
  [ -s "$work/orca.log" ] && echo "orca spoke: $(utterances | tail -n 40)" >&2
  exit 1
}
# shellcheck source=../shell/x_server.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell/x_server.sh"

# Every text orca has spoken, one a line; a text of several lines is joined.
utterances() {
  tr '\n' ' ' <"$work/orca.log" | grep -o "SPEECH OUTPUT: '[^']*'"
}
# said_since <count> <regex>: after the first <count> texts, orca has said one
# that ends so (after, say, the role it reads first).
said_since() {
  utterances | tail -n "+$(($1 + 1))" | grep -Eq "SPEECH OUTPUT: '([^']* )?$2'"
}
spoken() {
  said_since 0 "$1"
}
# say <regex> <what> <keys...>: types the keys and waits until orca says what
# the regex matches; fails saying what was not spoken. `said_before` keeps the
# count of texts before the keys: what they made orca say comes after it.
said_before=0
say() {
  local regex=$1 what=$2
  shift 2
  said_before=$(utterances | wc -l)
  xdotool key "$@"
  wait_until 30 said_since "$said_before" "$regex" || fail "$what is not spoken"
}
# then_say <regex> <what>: the keys of the last step have made orca say this too.
then_say() {
  wait_until 30 said_since "$said_before" "$1" || fail "$2 is not spoken"
}
# The main window has the keyboard: its menu bar sees Alt.
main_active() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ]
}
# Esc closes a dialog: the main window comes back, with the focus on the average.
close_dialog() {
  say 'Кварзель frame\.' "the main window, back from $1," Escape
  then_say '[0-9]+\.[0-9]{2}\.' "the average, focused again after $1,"
  wait_until 30 main_active || fail "the main window is not active after $1"
}
# open_menu <regex> <keys...>: Alt, then the keys that open a menu, until orca
# says its first item. Under load Qt's accessibility bridge may hand the Alt
# press and release on so late that the menu bar leaves its keyboard mode at
# once: then Esc leaves whatever is open (a menu, the menu bar), and Alt is
# tried again.
open_menu() {
  local first=$1 attempt
  shift
  for attempt in 1 2 3; do
    wait_until 30 main_active || fail "the main window is not active for its menu"
    said_before=$(utterances | wc -l)
    xdotool key alt
    if wait_until 10 said_since "$said_before" 'Тренировка\.'; then
      said_before=$(utterances | wc -l)
      xdotool key "$@"
      wait_until 10 said_since "$said_before" "$first" && return 0
    fi
    echo "the menu did not open from the keyboard at attempt $attempt"
    xdotool key Escape Escape
  done
  fail "the menu whose first item is $first is not spoken"
}
# training_menu_item <regex> <n>: goes to the n-th item of the first menu from
# the keyboard, as a user of a screen reader does, and waits until it is spoken.
training_menu_item() {
  local item=$1 downs=$2
  open_menu 'Начать\.' Down
  for _ in $(seq 2 "$downs"); do xdotool key Down; done
  then_say "$item" "the menu item $item"
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
  main=$(xdotool search --onlyvisible --name '^Кварзель$' | head -n 1)

  # A training's start names its peas and its keys; the focus stays on the page tabs,
  # and every verdict is spoken wherever it is.
  say 'notification Тренировка: 5 горошин\. Белая — W или запятая \(Б\); чёрная — B или X \(Ч\)\. Время на ответ не ограничено\.' \
    "the training's start with its five peas and its keys" ctrl+n
  say 'notification (не)?верно, горошина 1\.' "the first verdict" w
  say 'notification (не)?верно, горошина 2\.' "the second verdict" b
  say 'alert Результат\.' "the result" w b w
  then_say 'ОК push button\.' "the result box's button"
  # The results page comes forward: Tab reads the chart's point and the average, whole.
  say 'Результаты page tab( list)?\.' "the results page" Return
  wait_until 30 main_active || fail "the main window is not active after the result"
  say 'Точки: 1: [0-9]+\. [^.]*\.' "the chart's point" Tab
  say '[0-9]+\.[0-9]{2}\.' "the average, to its last digit," Tab

  # The statistics: the dialog's title and the figures it opens on.
  training_menu_item 'Статистика\.\.\.' 3
  say 'Статистика тренировок dialog [^|]+' "the statistics dialog's title" Return
  then_say '[^|]* label\.' "the headline the statistics dialog opens on"
  # Back from the headline: the close button, the export button, the keeping choice.
  say 'Сохранять историю тренировок check box not checked\.' "the keeping choice with its state" \
    shift+Tab shift+Tab shift+Tab
  close_dialog "the statistics"

  # About: the program's name and version, and a link read as a link.
  open_menu 'Содержание\.' Right Down
  say 'О программе\.\.\.' "the About item" Up
  say 'О программе «Кварзель» dialog Тренажёр интуиции +Версия [0-9.]+ .*' \
    "About's name and version" Return
  say '[^ ]+@[^ ]+ link\.' "the e-mail link" Tab
  close_dialog "About"

  # The options: a cleared answer key, and the timer field read with its check box's text.
  training_menu_item 'Параметры\.\.\.' 2
  say 'Параметры тренировок dialog\.' "the options dialog" Return
  say 'Управление page tab( list)?\.' "the page of the keys" Tab Tab ctrl+Tab
  say 'Белая: read only text\.' "the white key's field" Tab
  say 'Очистить клавишу белой горошины push button\.' "the clear button" F5 Tab
  say 'Белая: read only text\.' "the field cleared" space
  say 'Контролировать время ответа check box not checked\.' "the timer's check box" Tab Tab
  say 'checked\.?' "the timer switched on" space
  say 'Контролировать время ответа 1000 spin button\.' "the timer field" Tab
  close_dialog "the options"

  # The help: a page read line by line, and a link on Tab that Enter follows.
  say 'Страница справки read only document frame [^|]+' "the help page" F1
  # Words of the page, not the name of a key.
  say '[^|]*[[:alpha:]]+ [[:alpha:]]+[^|]*' "the next line" Down
  say 'selected' "a link on Tab" Tab
  # The text spoken as selected is the link's.
  link=$(utterances | tail -n "+$((said_before + 1))" | grep -B 1 -m 1 "SPEECH OUTPUT: 'selected'" |
    head -n 1)
  echo "$link" | grep -Eq "SPEECH OUTPUT: '[[:alpha:]][^']*[[:alpha:]]'" || fail "Tab speaks no link: $link"
  say 'notification [^|]+\.' "the heading of the place the link leads to" Return
  echo "orca spoke the link ${link#SPEECH OUTPUT: }"
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

start_xvfb
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
[ "$status" -eq 0 ] && echo "orca spoke: $(tr '\n' ' ' <"$work/orca.log" | grep -o "SPEECH OUTPUT: '[^']*'" | cut -c 16-200 | tr '\n' ' ')"
exit "$status"
