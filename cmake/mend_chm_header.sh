#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets the byte at offset 0x28 of a help file to 0x11: the first byte of the
# header's second GUID, {7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC}, which chmcmd
# writes as 0x10 (see KvarzelHelpFile.cmake).
set -eu
file=$1
[ "$(od -An -tx1 -j40 -N1 "$file" | tr -d ' ')" = 10 ] || exit 0
printf '\021' | dd of="$file" bs=1 seek=40 conv=notrunc status=none
