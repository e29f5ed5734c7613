#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds and runs tests/consumer against it,
# the way a library user's project finds the package.
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
# Only what vrx.h names is shipped: no internal header may reach the prefix.
if find "$work/prefix/include" -name '*_internal.h' | grep .; then
    echo "internal headers were installed"
    exit 1
fi
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
# A cross build is consumed with its own toolchain, and the program runs where its tests run.
toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
cross=()
exe=
run=()
if [ -n "$toolchain" ]; then
    # Its find root keeps packages to the target's system folders: name the package directly.
    config=$(find "$work/prefix" -name vrxConfig.cmake)
    cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -Dvrx_DIR="$(dirname "$config")")
    run=("$root/scripts/wine.sh")
    exe=.exe
fi
cmake -S "$root/tests/consumer" -B "$work/build" "${generator[@]}" "${cross[@]}" \
    -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" >/dev/null
"${run[@]}" "$work/build/consumer$exe"
