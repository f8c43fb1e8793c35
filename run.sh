#!/usr/bin/env bash
# The project's two commands, usable on a fresh Debian 12 machine (which may
# not have make yet): installs what is missing, then builds and runs.
#   ./run.sh demo    the main job
#   ./run.sh test    every test
# Further arguments are passed to make (WERROR=1, SANITIZE=asan|tsan, ...).
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
  demo|test|bench|fuzz) ;;
  *) echo "usage: ./run.sh demo|test|bench|fuzz [MAKE OPTIONS...]" >&2; exit 2 ;;
esac
scripts/install-deps.sh
exec make "$@"
