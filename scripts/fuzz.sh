#!/usr/bin/env bash
# Runs the fuzz targets of a build folder for a while each, from their seed corpora if they
# have one. Usage: scripts/fuzz.sh BUILD_DIR SECONDS [TARGET]  (default: every target)
set -euo pipefail
dir=$1
secs=${2:-30}
only=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
for f in "$dir"/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    [ -z "$only" ] || [ "$name" = "$only" ] || continue
    work=$(mktemp -d)
    seeds=()
    [ -d "$root/fuzz/corpus/${name#fuzz_}" ] && seeds+=("$root/fuzz/corpus/${name#fuzz_}")
    echo "-- $name for ${secs}s"
    log=$work.log
    status=0
    "$f" -max_total_time="$secs" -print_final_stats=1 "$work" "${seeds[@]}" >"$log" 2>&1 ||
        status=$?
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        exit "$status"
    fi
    rm -rf "$work" "$log"
done
