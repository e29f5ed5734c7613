#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game. It builds in its own folder
# (build-run/) without tests or benchmarks, so it needs only the build packages.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DVRX_BUILD_TESTS=OFF \
    -DVRX_BUILD_BENCH=OFF >/dev/null
cmake --build build-run -j"$(nproc)"

# The game finds its assets in its own file, by name, from its own folder.
cd build-run/game && exec "./Ormwell Studios - Tintfall (2010).exe"
