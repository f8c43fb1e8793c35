#!/usr/bin/env bash
# Runs every benchmark: the Google Benchmark executables of bench/, then the
# whole-program timings (bench/*.sh). Each reports against a reference measured
# in the same run.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/Bench*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
for s in bench/*.sh; do
  [ -x "$s" ] || continue
  echo "== $(basename "$s")"
  "$s" "$build"
done
