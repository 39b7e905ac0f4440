#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file, build file and script of the project names its licence.
set -euo pipefail
cd "$1"
missing=$(find src tests bench fuzz tools cmake scripts .ci packaging \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.sh' -o -name CMakeLists.txt \
     -o -path '.ci/*' -type f \) -print0 |
  xargs -0 grep -L 'SPDX-License-Identifier: GPL-3.0-or-later' || true)
for file in CMakeLists.txt Makefile; do
  grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' "$file" || missing+=$'\n'"$file"
done
missing=$(printf '%s\n' "$missing" | sed '/^$/d')
if [ -n "$missing" ]; then
  echo "files without a licence line:"
  echo "$missing"
  exit 1
fi
