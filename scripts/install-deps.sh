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
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
