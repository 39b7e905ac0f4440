#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# soak.sh <build folder> <runs> [--load]
# Runs the whole suite (ctest) <runs> times in a row and reports every test
# that failed, with the runs it failed in; exits non-zero if any did. The log
# of a run with a failure is kept as <build folder>/soak/run-<n>[-loaded].log.
# --load keeps both cores busy (stress-ng --cpu 2) during every run, as a
#   loaded machine would.
# SOAK_WRAPPER, when set, is put before each ctest command (a lock, nice, ...).
# JOBS sets ctest's parallel jobs (the number of cores by default).
set -uo pipefail

build=${1:?build folder} runs=${2:?number of runs} load=${3:-}
jobs=${JOBS:-$(nproc)}
logs=$build/soak
mkdir -p "$logs"
if [ "$load" = --load ] && ! command -v stress-ng >/dev/null; then
  echo "soak: --load needs stress-ng (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

declare -A failed_runs=()
failed_count=0
for ((run = 1; run <= runs; run++)); do
  log=$logs/run-$run${load:+-loaded}.log
  # The load starts and stops with the run, inside the wrapper.
  ${SOAK_WRAPPER:-} bash -c '
    build=$1 jobs=$2 load=$3
    stress=
    if [ "$load" = --load ]; then
      stress-ng --cpu 2 --quiet & stress=$!
    fi
    (cd "$build" && ctest --output-on-failure -j "$jobs"); status=$?
    [ -n "$stress" ] && kill "$stress" && wait "$stress" 2>/dev/null
    exit $status' soak "$build" "$jobs" "$load" >"$log" 2>&1
  status=$?
  failures=$(sed -n '/The following tests FAILED:/,$p' "$log" | sed -nE 's/^[[:space:]]+[0-9]+ - ([^ ]+) .*/\1/p')
  if [ "$status" -eq 0 ]; then
    echo "run $run: passed"
    rm -f "$log"
  elif [ -z "$failures" ]; then
    echo "run $run: ctest failed ($status) without naming a test, see $log"
    failed_runs[ctest]+=" $run"
    failed_count=$((failed_count + 1))
  else
    for test in $failures; do
      echo "run $run: FAILED $test"
      failed_runs[$test]+=" $run"
    done
    echo "  the log: $log"
    failed_count=$((failed_count + 1))
  fi
done

echo "soak: $((runs - failed_count)) of $runs runs passed${load:+ (under load)}"
for test in "${!failed_runs[@]}"; do
  echo "soak: $test failed in run(s)${failed_runs[$test]}"
done
[ "$failed_count" -eq 0 ]
