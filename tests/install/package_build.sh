# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as `make package` does, into a scratch folder, and
# prints the path of the .deb; on failure it says why on standard error.
#   deb=$(build_package <build folder> <scratch folder>) || ...

build_package() {
  local build=$1 scratch=$2 log deb
  if ! log=$(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" 2>&1); then
    echo "cpack failed: $log" >&2
    return 1
  fi
  deb=$(find "$scratch/out" -maxdepth 1 -name 'kvarzel_*.deb' | head -n 1)
  [ -n "$deb" ] || { echo "cpack made no kvarzel_*.deb" >&2; return 1; }
  echo "$deb"
}
