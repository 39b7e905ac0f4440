#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A person's session with the installed program on a real X server: Xvfb with
# the openbox window manager, driven only by real input through XTEST
# (xdotool without --window), as a user at the keyboard and mouse would.
# A screenshot of every step goes to <build folder>/e2e.
#   x_session_test.sh <build folder>
set -uo pipefail
build=$(cd "$1" && pwd)
shots=$build/e2e
export LC_ALL=C.UTF-8

work=$(mktemp -d)
# The program, openbox and the X tools keep to a home of their own.
mkdir "$work/home"
export HOME=$work/home XDG_CACHE_HOME=$work/cache XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data
background=()
cleanup() {
  local pid
  [ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null
  for pid in "${background[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

skip() {
  echo "SKIP: $*"
  exit 77
}

step=0
# screenshot <name>: the whole screen as <build>/e2e/<nn>-<name>.png.
screenshot() {
  step=$((step + 1))
  import -window root "$(printf '%s/%02d-%s.png' "$shots" "$step" "$1")" 2>/dev/null
}

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/kvarzel.log" ] && echo "the program's output: $(cat "$work/kvarzel.log")" >&2
  screenshot failure
  exit 1
}

# shellcheck source=../shell/x_server.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell/x_server.sh"
# The deadlines are generous: a wait ends as soon as its event comes, and on a
# machine whose cores are all busy one step can take more than ten seconds.

# visible_window <title regex>: the id of a visible window with that title.
visible_window() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .
}

window_gone() {
  ! visible_window "$1"
}

# Xvfb alone, with one client kept connected so that the server does not
# reset between the programs that come and go.
start_display() {
  start_xvfb
  xprop -root -spy >/dev/null 2>&1 &
  background+=($!)
}

# With openbox's own default settings: smart placement, and a title bar that
# ends in the minimise, maximise and close buttons.
start_window_manager() {
  openbox --sm-disable 2>"$work/openbox.log" &
  background+=($!)
}

# Installed into a scratch prefix and started through its bin/ link, with a
# settings file for 5 peas and no answer timer, sounds off, in a folder without
# a default wave file.
install_program() {
  cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
  export XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb
  settings=$XDG_CONFIG_HOME/Tellumor/Kvarzel.reg
  mkdir -p "$(dirname "$settings")" "$work/cwd"
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Tellumor\Kvarzel]' '"PeasCount"=dword:00000005' '' \
    '[HKEY_CURRENT_USER\Software\Tellumor\Kvarzel\Timer]' '"TimerEnabled"=dword:00000000' \
    >"$settings"
}

# The visible main window becomes $main. (Looked for once: a manager that
# frames the window hides it for a moment, and a second look could miss it.)
main_found() {
  main=$(visible_window '^Кварзель$')
}

# Starts the program and waits for its main window, which becomes $main. The
# program's process id goes to a file, for the cleanup.
launch() {
  rm -f "$work/status" "$work/pid"
  # The exit status goes to a file: the shell's own records of its children can be lost to the
  # many short commands it runs meanwhile.
  (
    cd "$work/cwd" || exit
    "$work/prefix/bin/kvarzel" &
    echo $! >"$work/pid"
    wait $!
    echo $? >"$work/status"
  ) 2>"$work/kvarzel.log" &
  wait_until 30 main_found || fail "the main window does not appear"
}

# frame_centred <window>: the window manager's frame around the window, title
# bar included, lies in the middle of the 1024 x 768 screen.
frame_centred() {
  local extents left right top bottom info x y width height
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
  [ -n "$extents" ] || return 1
  IFS=, read -r left right top bottom <<<"$extents"
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  width=$(($(sed -n 's/.*Width: *//p' <<<"$info") + left + right))
  height=$(($(sed -n 's/.*Height: *//p' <<<"$info") + top + bottom))
  [ $((x - left)) -eq $(((1024 - width) / 2)) ] && [ $((y - top)) -eq $(((768 - height) / 2)) ]
}

# where <window>: its client area's corner, its frame and whether it is active.
where() {
  echo "$(xwininfo -id "$1" | grep Absolute | tr -s ' \n' ' ')$(xprop -id "$1" _NET_FRAME_EXTENTS)," \
    "active $(xdotool getactivewindow 2>/dev/null), main $1"
}

main_active() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ]
}

# Framed, centred and active, and still centred after that.
settled_centred() {
  frame_centred "$main" && main_active && frame_centred "$main"
}

# The program started together with the window manager, before the manager
# has finished starting: the window appears all the same, framed and centred.
# (A manager still starting can leave the program's requests unanswered; the
# program then makes them again.)
start_program_with_window_manager() {
  start_window_manager
  launch
  wait_until 30 window_manager_ready || fail "openbox does not start"
  wait_until 30 frame_centred "$main" ||
    fail "the frame is off centre at the first start: $(where "$main")"
  # A manager that finds the window already there need not activate it.
  main_active || click_in "$main" 160 140
  wait_until 20 main_active || fail "the main window has no focus"
  frame_centred "$main" || fail "the frame leaves the centre: $(where "$main")"
  screenshot start
}

quit_program() {
  xdotool key alt+F4
  wait_until 30 test -s "$work/status" || fail "Alt+F4 does not end the program"
  [ "$(cat "$work/status")" = 0 ] || fail "the program ended with status $(cat "$work/status")"
}

# Twenty starts in a row under the running manager, each one frame-centred.
check_twenty_starts() {
  local start misses=0
  for start in $(seq 20); do
    launch
    if ! wait_until 30 settled_centred; then
      misses=$((misses + 1))
      echo "start $start: the frame is off centre: $(where "$main")" >&2
      screenshot "off-centre-$start"
    fi
    quit_program
  done
  [ "$misses" -eq 0 ] || fail "$misses of 20 starts left the frame off centre"
}

# F1 opens the help file found beside the real executable, through the link:
# the viewer's caption then names the page and the file.
open_and_close_help() {
  xdotool key F1
  wait_until 30 visible_window ' — ' || fail "F1 shows no help page"
  screenshot help
  xdotool key alt+F4
  wait_until 20 window_gone ' — ' || fail "the help viewer does not close"
  wait_until 20 test "$(xdotool getactivewindow)" = "$main" || fail "the focus does not come back"
}

# click_in <window> <x> <y>: moves the pointer to that point of the window's
# client area and clicks the left button there, both through XTEST. (The
# position that getwindowgeometry reports under openbox is off by the frame.)
click_in() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# The open drop-down menu: the program's visible window other than the main one.
menu_popup() {
  xdotool search --onlyvisible --class '^kvarzel$' 2>/dev/null | grep -vx "$main" | head -n 1 | grep .
}

# Pixels of the results series' dark green (0x408000 as BGR) in the main window.
series_pixels() {
  import -window "$main" "$work/main.png" 2>/dev/null
  convert "$work/main.png" txt:- | grep -ci '#008040'
}

results_in_front() {
  [ "$(series_pixels)" -gt 0 ]
}

# Ctrl+N, then W, B, comma and X from the keyboard and a left click on the
# bucket picture, away from the signal circle: five answers for five peas.
run_training() {
  ! results_in_front || fail "the results page is in front before any training"
  xdotool key ctrl+n
  screenshot training-started
  xdotool key w b comma x
  click_in "$main" 60 100
  wait_until 30 visible_window '^Результат$' || fail "no box captioned Результат"
  screenshot result-box
  xdotool key Return
  wait_until 20 window_gone '^Результат$' || fail "Enter does not dismiss the result box"
  wait_until 20 results_in_front || fail "the results page with its point is not in front"
  screenshot results-page
}

# "Тренировка" → "Параметры..." with the mouse; the dialog becomes $options.
open_options() {
  click_in "$main" 30 8
  wait_until 20 menu_popup || fail "a click on Тренировка opens no menu"
  screenshot menu
  # "Параметры..." is the second item of the menu, each item 20 pixels high.
  click_in "$(menu_popup)" 40 30
  wait_until 30 visible_window '^Параметры тренировок$' || fail "Параметры... opens no dialog"
  options=$(visible_window '^Параметры тренировок$')
  wait_until 20 test "$(xdotool getactivewindow)" = "$options" || fail "the options dialog has no focus"
  screenshot options
}

# A click on the main window below the open dialog leaves the keys with the
# dialog: Esc then closes it.
click_main_then_escape() {
  open_options
  click_in "$main" 100 290
  wait_until 20 test "$(xdotool getactivewindow)" = "$options" ||
    fail "a click on the main window takes the activation from the options dialog"
  screenshot options-after-click-on-main
  xdotool key Escape
  wait_until 20 window_gone '^Параметры тренировок$' || fail "Esc does not close the options dialog"
  wait_until 20 main_active || fail "the focus does not come back"
}

# allowed <window> <action>: the window manager offers that action
# (_NET_WM_ACTION_<action>) for the window, and so shows its button.
allowed() {
  xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -qw "_NET_WM_ACTION_$2"
}

shown() {
  xwininfo -id "$1" | grep -q 'Map State: IsViewable'
}

# Minimised, and hidden once the manager's shrinking animation is over.
minimised() {
  xprop -id "$1" WM_STATE | grep -q 'window state: Iconic' && ! shown "$1"
}

# Shown again, and back in the middle once the manager's growing animation is over.
main_back_in_place() {
  shown "$main" && frame_centred "$main"
}

# click_minimise_button <window>: a click, through XTEST, on the minimise
# button of the window's frame: under openbox's default theme the middle of the
# third button from the right, 42 pixels left of the frame's right edge and 10
# below its top.
click_minimise_button() {
  local extents left right top bottom info x y width
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
  IFS=, read -r left right top bottom <<<"$extents"
  info=$(xwininfo -id "$1")
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  width=$(sed -n 's/.*Width: *//p' <<<"$info")
  xdotool mousemove $((x + width + right - 1 - 42)) $((y - top + 10)) click 1
}

# The modal options dialog has no minimise button of its own, the main window
# has one. Minimising the main window hides the dialog with it; Alt+Tab, the
# way back without a task bar, brings both back with the keys in the dialog.
minimise_with_options_open() {
  open_options
  allowed "$main" MINIMIZE || fail "the main window has no minimise button"
  ! allowed "$options" MINIMIZE || fail "the options dialog has a minimise button of its own"
  click_minimise_button "$main"
  wait_until 20 minimised "$main" || fail "the minimise button does not minimise the main window"
  wait_until 20 minimised "$options" || fail "the options dialog stays when the main window is minimised"
  screenshot minimised
  xdotool key alt+Tab
  wait_until 20 main_back_in_place || fail "Alt+Tab does not bring the main window back: $(where "$main")"
  wait_until 20 shown "$options" || fail "Alt+Tab brings the main window back without the options dialog"
  wait_until 20 test "$(xdotool getactivewindow)" = "$options" ||
    fail "the options dialog brought back has no focus"
  screenshot restored
  xdotool key Escape
  wait_until 20 window_gone '^Параметры тренировок$' || fail "Esc does not close the options dialog"
  wait_until 20 main_active || fail "the focus does not come back"
}

active_name() {
  xdotool getactivewindow getwindowname 2>/dev/null
}

# The options dialog open, and another program's window (its process in
# other_program) clicked in front of it.
open_options_behind_another_program() {
  open_options
  xev -geometry 200x100+0+0 >/dev/null 2>&1 &
  other_program=$!
  background+=("$other_program")
  wait_until 20 visible_window '^Event Tester$' || fail "the other program's window does not appear"
  click_in "$(visible_window '^Event Tester$')" 100 50
  wait_until 20 test "$(active_name)" = "Event Tester" || fail "a click on the other program's window gives it no focus"
}

# A click on another program's window takes the keys from the open options
# dialog; a click inside the dialog (not on its title bar) gives them back.
click_options_after_another_program() {
  open_options_behind_another_program
  click_in "$options" 120 150
  wait_until 20 test "$(xdotool getactivewindow)" = "$options" ||
    fail "a click inside the options dialog does not give it the keys: $(active_name) is active"
  kill "$other_program"
  xdotool key Escape
  wait_until 20 window_gone '^Параметры тренировок$' || fail "Esc does not close the options dialog"
  wait_until 20 main_active || fail "the focus does not come back"
}

# In the dialog a click into the count field, Ctrl+A and a new count typed
# over the old one, then Enter for OK.
change_count_in_options() {
  open_options
  # The count field lies at the right of the first page, below the tabs.
  click_in "$options" 225 41
  xdotool key ctrl+a type "$new_count"
  screenshot options-count-typed
  xdotool key Return
  wait_until 20 window_gone '^Параметры тренировок$' || fail "Enter does not close the options dialog"
  wait_until 20 test "$(xdotool getactivewindow)" = "$main" || fail "the focus does not come back"
  screenshot options-confirmed
  # OK saves at once, not only at the end.
  grep -q "\"PeasCount\"=dword:$(printf '%08x' "$new_count")" "$settings" ||
    fail "OK does not save the new count of peas: $(grep PeasCount "$settings")"
}

check_settings_written() {
  grep -q "\"PeasCount\"=dword:$(printf '%08x' "$new_count")" "$settings" ||
    fail "the settings do not hold the new count of peas: $(grep PeasCount "$settings")"
  grep -q '"BeepFrequency"=' "$settings" || fail "the settings were not written at the end"
}

# The X server goes away while the program runs: Qt ends the process at once,
# without its normal end, and what OK confirmed before is kept all the same.
lose_the_display_after_ok() {
  launch
  new_count=14
  change_count_in_options
  kill "$xvfb"
  wait_until 30 test -s "$work/status" || fail "the program outlives its X server"
  grep -q '"PeasCount"=dword:0000000e' "$settings" ||
    fail "the count confirmed before the X server went is lost: $(grep PeasCount "$settings")"
}

# start_second: the program started once more, on the same settings, while
# it runs: it hands over to the running copy and ends by itself, with status
# 0, and with no window of its own.
start_second() {
  local status
  (cd "$work/cwd" && timeout 30 "$work/prefix/bin/kvarzel") 2>>"$work/second.log"
  status=$?
  [ "$status" -eq 0 ] || fail "the second start ended with status $status: $(cat "$work/second.log")"
  [ "$(xdotool search --onlyvisible --name '^Кварзель$' | wc -l)" -eq 1 ] ||
    fail "the second start left a second main window"
}

# active_is <window>: the manager has made the window the active one
# (_NET_ACTIVE_WINDOW of the root window), and shows it, not minimised.
active_is() {
  xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$1")\$" &&
    ! xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN && shown "$1"
}

# With the main window minimised, a second start brings it back, active.
second_start_brings_back_the_minimised_window() {
  xdotool windowminimize "$main"
  wait_until 20 minimised "$main" || fail "the main window cannot be minimised"
  start_second
  wait_until 20 active_is "$main" || fail "a second start leaves the main window minimised: $(where "$main")"
  wait_until 20 main_back_in_place || fail "the main window brought back is off centre: $(where "$main")"
  screenshot second-start
}

# With the options dialog open and another program's window in front, a
# second start brings the dialog to the front with the keys; minimised with
# the main window, both come back.
second_start_brings_back_the_open_dialog() {
  open_options_behind_another_program
  start_second
  wait_until 20 active_is "$options" || fail "a second start leaves the options dialog behind: $(active_name) is active"
  kill "$other_program"
  click_minimise_button "$main"
  wait_until 20 minimised "$options" || fail "the options dialog stays when the main window is minimised"
  start_second
  wait_until 20 active_is "$options" || fail "a second start leaves the options dialog minimised"
  wait_until 20 main_back_in_place || fail "a second start brings the options dialog back without the main window"
  screenshot second-start-with-options
  xdotool key Escape
  wait_until 20 window_gone '^Параметры тренировок$' || fail "Esc does not close the options dialog"
  wait_until 20 main_active || fail "the focus does not come back"
}

program_windows() {
  xdotool search --onlyvisible --name '^Кварзель$' 2>/dev/null | wc -l
}

# A window captioned Кварзель other than the main window, and active.
message_box_active() {
  local box
  box=$(xdotool search --onlyvisible --name '^Кварзель$' 2>/dev/null | grep -vx "$main" | head -n 1) &&
    [ -n "$box" ] && [ "$(xdotool getactivewindow)" = "$box" ]
}

# A running copy that does not answer (stopped): a second start says so in a
# message box and, the box closed, ends without a copy of its own.
second_start_finds_the_copy_not_answering() {
  local first shown_box=0
  first=$(cat "$work/pid")
  rm -f "$work/second-status"
  kill -STOP "$first"
  (
    cd "$work/cwd" || exit
    "$work/prefix/bin/kvarzel"
    echo $? >"$work/second-status"
  ) 2>>"$work/second.log" &
  wait_until 30 message_box_active && shown_box=1
  screenshot not-answering
  [ "$shown_box" -eq 1 ] && xdotool key Return
  wait_until 20 test -s "$work/second-status"
  kill -CONT "$first"
  [ "$shown_box" -eq 1 ] || fail "no message box says the running copy does not answer"
  test -s "$work/second-status" || fail "Enter does not close the message box"
  [ "$(cat "$work/second-status")" -ne 0 ] ||
    fail "the start that found the copy not answering ended with status 0"
  [ "$(program_windows)" -eq 1 ] || fail "the start that found the copy not answering left a window"
}

command -v xdotool >/dev/null || fail "xdotool is not installed"
mkdir -p "$shots"
rm -f "$shots"/*.png
start_display
install_program
start_program_with_window_manager
open_and_close_help
run_training
click_main_then_escape
minimise_with_options_open
click_options_after_another_program
second_start_brings_back_the_minimised_window
second_start_brings_back_the_open_dialog
second_start_finds_the_copy_not_answering
new_count=12
change_count_in_options
# What OK confirmed stays, whatever a later start does meanwhile.
start_second
quit_program
check_settings_written
check_twenty_starts
lose_the_display_after_ok
echo "the X session passed; screenshots in $shots"
