#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the optimised build, the suite under
# AddressSanitizer + UndefinedBehaviorSanitizer, the threaded parts under ThreadSanitizer, and
# a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
jobs=$(nproc)

echo "== optimised build"
cmake --preset default >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-sanitize -j"$jobs" -LE scripts \
    --output-on-failure

echo "== ThreadSanitizer (threaded parts)"
cmake --preset tsan >/dev/null
# Only the test programs of the threaded groups are built here.
tsan_targets=()
for group in video sound; do
    [ -d "tests/$group" ] && tsan_targets+=("test_$group")
done
cmake --build build-tsan -j"$jobs" --target "${tsan_targets[@]}"
if ctest --test-dir build-tsan -N -L tsan | grep -q 'Total Tests: [1-9]'; then
    TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -j"$jobs" -L tsan --output-on-failure
fi

echo "== fuzz targets (short runs)"
cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j"$jobs"
scripts/fuzz.sh build-fuzz "${FUZZ_SECONDS:-30}"
