#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the optimised build, the suite under
# AddressSanitizer + UndefinedBehaviorSanitizer, the threaded parts under ThreadSanitizer, and
# a short run of every fuzz target. Every stage runs; the summary line counts them all.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
jobs=$(nproc)
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Runs ctest with the given arguments and adds its counts to the totals.
run_ctest() {
    local status=0
    ctest -j"$jobs" --output-on-failure "$@" 2>&1 | tee "$log" || status=$?
    local total bad
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
    bad=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -1)
    if [ -z "$total" ]; then
        failed=$((failed + 1)) # ctest itself failed
    else
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    [ "$status" -eq 0 ] || [ -n "$total" ] || echo "ctest failed to run (status $status)"
}

echo "== include layers"
if scripts/layers.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

echo "== optimised build"
cmake --preset default >/dev/null
cmake --build build -j"$jobs"
run_ctest --test-dir build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 run_ctest --test-dir build-sanitize -LE scripts

echo "== ThreadSanitizer (threaded parts)"
cmake --preset tsan >/dev/null
# Only the test programs of the threaded groups are built here.
tsan_targets=()
for group in video sound; do
    [ -d "tests/$group" ] && tsan_targets+=("test_$group")
done
cmake --build build-tsan -j"$jobs" --target "${tsan_targets[@]}"
TSAN_OPTIONS=halt_on_error=1 run_ctest --test-dir build-tsan -L tsan

echo "== fuzz targets (short runs)"
cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j"$jobs"
for target in build-fuzz/fuzz/fuzz_*; do
    if scripts/fuzz.sh build-fuzz "${FUZZ_SECONDS:-30}" "$(basename "$target")"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done

# VRX_WINDOWS_STAGE=0 leaves the Windows stage out (for a quick local run).
if [ "${VRX_WINDOWS_STAGE:-1}" = 1 ]; then
    echo "== Windows (cross build with mingw-w64, tests under Wine)"
    wine=/usr/lib/wine/wine64
    winework=$(mktemp -d)
    # A fresh Wine prefix of its own, and one Xvfb display for the window tests.
    export WINEPREFIX=$winework/prefix WINEDEBUG=-all
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$winework/display" >/dev/null 2>&1 &
    winexvfb=$!
    # Each step on its own: under set -e a failing step would end the clean-up early.
    windows_cleanup() {
        rm -f "$log"
        WINEPREFIX=$winework/prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
        kill "$winexvfb" 2>/dev/null || true
        rm -rf "$winework"
    }
    trap windows_cleanup EXIT
    "$wine" wineboot -i >/dev/null 2>&1
    # One server for every test program, rather than one started and stopped for each. The
    # boot's own server must be gone first, or the persistent one refuses to start.
    /usr/lib/wine/wineserver -w
    /usr/lib/wine/wineserver -p >/dev/null 2>&1 || echo "wineserver did not stay up; each test starts its own"
    for _ in $(seq 100); do [ -s "$winework/display" ] && break; sleep 0.1; done
    DISPLAY=:$(head -1 "$winework/display")
    export DISPLAY
    cmake --preset windows >/dev/null
    cmake --build build-windows -j"$jobs"
    run_ctest --test-dir build-windows --timeout 120
    unset DISPLAY WINEPREFIX WINEDEBUG
else
    echo "== Windows stage skipped (VRX_WINDOWS_STAGE=0)"
fi

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
