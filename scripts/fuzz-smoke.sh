#!/usr/bin/env bash
# Gives every fuzz target a short run over its seeds (tests/data/fuzz/<Target>/)
# and over the regression inputs kept there.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
for target in "$build"/fuzz/Fuzz*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds="tests/data/fuzz/$name"
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name (${seconds}s)"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=60 "$work" 2>&1 | tail -n 3
  rm -rf "$work"
done
