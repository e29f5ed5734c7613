#!/usr/bin/env bash
# Installs the Debian packages a task needs when they are missing: as root with apt-get,
# otherwise it prints the exact command to run and fails.
# Usage: scripts/deps.sh build|test
set -euo pipefail

build_pkgs=(g++ cmake ninja-build pkg-config libsdl2-dev)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xdotool
           imagemagick libx11-dev x11-utils time g++-mingw-w64-x86-64 wine64)

want=("${build_pkgs[@]}")
[ "${1:-build}" = test ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Run:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
fi
