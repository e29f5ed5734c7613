#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build
cmake --preset default -DVRX_BUILD_TESTS=OFF -DVRX_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"

game="build/game/Ormwell Studios - Tintfall (2010).exe"
if [ -x "$game" ]; then
    # The game finds its assets in its own file, by name, from its own folder.
    cd build/game && exec "./Ormwell Studios - Tintfall (2010).exe"
elif [ -x build/hello_vrx ]; then
    exec build/hello_vrx
else
    cmake --preset default -DVRX_BUILD_BENCH=ON >/dev/null
    cmake --build build -j"$(nproc)" --target bench_kernels
    exec build/bench/bench_kernels
fi
