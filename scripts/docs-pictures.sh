#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# docs-pictures.sh <screenshots folder> <docs folder>
#   writes the README's pictures from the windows that `make screenshots`
#   renders (`make docs` runs both); the help window, large and rich in
#   colours, is reduced to 256 of them. A test renders them again and fails
#   when docs/ differs.
set -euo pipefail
shots=${1:?usage: docs-pictures.sh <screenshots folder> <docs folder>}
docs=${2:?usage: docs-pictures.sh <screenshots folder> <docs folder>}
mkdir -p "$docs"
while read -r picture shot; do
  cp "$shots/$shot.png" "$docs/$picture.png"
done <<'PICTURES'
training main_training_right
results main_results
menu main_menu
options_peas options_peas
options_control options_control
options_sound options_sound
about about
PICTURES
convert "$shots/help_training.png" -colors 256 -strip "$docs/help.png"
