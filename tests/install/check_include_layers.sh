#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's includes point only downward, and nothing includes itself
# round a loop:
#  - an area includes only from itself and the areas below it:
#    core <- platform <- chart, help <- ui <- the program (src/main.cpp);
#  - in an area kept in rooms (kvarzel_keep_in_rooms in its CMakeLists.txt),
#    a room includes only from itself and the rooms listed before it;
#  - no header includes itself through other headers;
#  - in an area kept in rooms, no unit (a header with its source file, x.h and
#    x.cpp) reaches itself through the units it includes either: each is one
#    concern, relying on others without their relying on it.
set -euo pipefail
cd "$1/src"

area_rank() {
  case "$1" in
    core) echo 0 ;;
    platform) echo 1 ;;
    chart | help) echo 2 ;;
    ui) echo 3 ;;
    main.cpp) echo 4 ;;
    *) echo "unknown area $1" >&2 && echo 99 ;;
  esac
}

# "area room" per line, the rooms of each area in their order.
rooms=$(for list in */CMakeLists.txt; do
  sed -n 's/^kvarzel_keep_in_rooms([a-z_]* \(.*\))$/\1/p' "$list" | tr ' ' '\n' |
    sed "s|^|${list%%/*} |"
done)

room_rank() { # <area> <path inside the area>
  local room=${2%%/*}
  printf '%s\n' "$rooms" | awk -v area="$1" -v room="$room" \
    '$1 == area { n++; if ($2 == room) { print n; found = 1 } } END { if (!found) print 0 }'
}

# "includer included" per line, both as paths under src/.
edges=$(grep -rE --include='*.h' --include='*.cpp' '^#include "[a-z]+/' . |
  sed -E 's|^\./([^:]*):#include "([^"]*)".*|\1 \2|')

status=0
while read -r from to; do
  from_area=${from%%/*}
  to_area=${to%%/*}
  if [ "$from_area" != "$to_area" ]; then
    if [ "$(area_rank "$to_area")" -ge "$(area_rank "$from_area")" ]; then
      echo "$from includes $to, which is not below it"
      status=1
    fi
  elif [ -n "$(printf '%s\n' "$rooms" | awk -v area="$from_area" '$1 == area')" ]; then
    from_room=$(room_rank "$from_area" "${from#*/}")
    to_room=$(room_rank "$to_area" "${to#*/}")
    if [ "$from_room" -eq 0 ] || [ "$to_room" -gt "$from_room" ]; then
      echo "$from includes $to, which is not in its room or a room before it"
      status=1
    fi
  fi
done <<<"$edges"

# tsort names the files of a loop on standard error.
report_loops() { # <what> < edges
  local loops
  loops=$(tsort 2>&1 >/dev/null || true)
  if [ -n "$loops" ]; then
    echo "$1 go round a loop:"
    echo "$loops"
    status=1
  fi
}
report_loops "the headers' includes" < <(printf '%s\n' "$edges" | grep -E '^[^ ]+\.h ')
areas_in_rooms=$(printf '%s\n' "$rooms" | awk 'NF { print $1 }' | sort -u | paste -sd '|')
if [ -n "$areas_in_rooms" ]; then
  report_loops "the units' includes" < <(printf '%s\n' "$edges" | grep -E "^($areas_in_rooms)/" |
    sed -E 's/\.(h|cpp)( |$)/\2/g')
fi
exit $status
