#!/usr/bin/env bash
# Installs the Debian packages the project needs, when they are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make
  zlib1g-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libsdl2-dev libfreetype-dev libpng-dev libjpeg62-turbo-dev
  fonts-dejavu-core fonts-ipafont-gothic
  liblnk-utils xvfb xauth xdotool
  time strace bc # the benchmarks: peak memory, system calls per file, ratios
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# Another apt-get or an automatic update may hold the package lock for a
# while: wait for it, as a person would, but not for ever. apt-get waits on
# the dpkg lock itself (DPkg::Lock::Timeout); the lists lock of an update is
# waited for here, by trying again while apt-get says it is locked.
lock_wait=${KIV_APT_LOCK_WAIT:-300} # seconds
lock_retry=${KIV_APT_LOCK_RETRY:-5} # seconds between tries
deadline=$((SECONDS + lock_wait))
apt_get() {
  local errors status
  errors=$(mktemp)
  while :; do
    status=0
    $sudo apt-get -o DPkg::Lock::Timeout="$((deadline > SECONDS ? deadline - SECONDS : 0))" \
      "$@" 2>"$errors" || status=$?
    cat "$errors" >&2
    if [ "$status" -eq 0 ] || ! grep -qiE 'could not get lock|unable to (acquire|lock)' "$errors"; then
      rm -f "$errors"
      return "$status"
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      rm -f "$errors"
      echo "install-deps: another package manager still holds the lock after ${lock_wait}s; try again when it is done" >&2
      return "$status"
    fi
    echo "install-deps: another package manager holds the lock; waiting" >&2
    sleep "$lock_retry"
  done
}
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
