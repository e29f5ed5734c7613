#!/usr/bin/env bash
# Measures the packaged game in a real X window under Xvfb: start-up time (process start to the
# last start-up line, right before the bare device is presented; median of 5), peak resident
# memory over a played game, and what each thread takes while a game runs: the UI thread's
# share of a core and the frames it draws per second against the presents the logic thread
# posts (three per game step).
# With perf installed it also gives the CPU time the start-up took (all threads), which a busy
# machine does not inflate. The window draws with SDL's software renderer unless
# SDL_RENDER_DRIVER names another (SDL_RENDER_DRIVER=opengl measures SDL's GL renderer).
# Usage: scripts/measure_game.sh [build folder]   (default build-run)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build-run}" && pwd)
name="Ormwell Studios - Tintfall (2010).exe"
[ -x "$build/game/$name" ] || { echo "build the game first"; exit 1; }

source tests/scripts/lib/xvfb.sh
window_session || { echo "$start_error"; exit 1; }
export SDL_AUDIODRIVER=dummy
cd "$build/game"

# Start-up: the program's own lines, stamped as they arrive; "deleting bitmap" is the font
# load's last line, printed just before the bare device is presented.
times=()
cpu=()
perf=()
command -v perf >/dev/null && perf stat -e task-clock true >/dev/null 2>&1 &&
    perf=(perf stat -x, -e task-clock -o "$work/perf.txt")
for run in 1 2 3 4 5; do
    t0=${EPOCHREALTIME/./}
    coproc GAME { exec "${perf[@]}" "./$name"; }
    app=$GAME_PID
    while IFS= read -r line <&"${GAME[0]}"; do
        if [ "$line" = "deleting bitmap" ]; then
            t1=${EPOCHREALTIME/./}
            times+=("$(((t1 - t0) / 1000))")
            break
        fi
    done
    if [ ${#perf[@]} -gt 0 ]; then
        kill -INT $(pgrep -P "$app") 2>/dev/null || true
        wait "$app" 2>/dev/null || true
        cpu+=("$(awk -F, '/task-clock/ { printf "%d", $1 }' "$work/perf.txt")")
    else
        kill "$app"; wait "$app" 2>/dev/null || true
    fi
    app=
done
median() { printf '%s\n' "$@" | sort -n | sed -n 3p; }
echo "start-up to the bare device, ms: ${times[*]} (median $(median "${times[@]}"))"
[ ${#cpu[@]} -gt 0 ] && echo "  CPU time of the start-up, ms: ${cpu[*]} (median $(median "${cpu[@]}"))"

# A played game: Space leaves the title, then the numbers are taken over 5 seconds of play.
window_start "$work/out.txt" . "^GlowbyJr interperter" "./$name" || { echo "$start_error"; exit 1; }
until grep -q '^speedcount' "$work/out.txt"; do
    xdotool keydown space; sleep 0.2; xdotool keyup space; sleep 0.3
done
ticks() { awk '{ print $14 + $15 }' "/proc/$app/task/$1/stat"; }
declare -A before
for t in /proc/$app/task/*; do before[${t##*/}]=$(ticks "${t##*/}"); done
steps0=$(grep -c '^speedcount' "$work/out.txt")
timeout 5 strace -qq -c -e trace=writev -p "$app" -o "$work/strace.txt" || true
steps1=$(grep -c '^speedcount' "$work/out.txt")
hz=$(getconf CLK_TCK)
echo "over 5 s of play ($(((steps1 - steps0) / 5)) game steps/s, $((3 * (steps1 - steps0) / 5)) presents/s posted):"
for t in /proc/$app/task/*; do
    tid=${t##*/}
    share=$(( ( $(ticks "$tid") - ${before[$tid]:-0} ) * 100 / (5 * hz) ))
    role=$(cat "$t/comm")
    [ "$tid" = "$app" ] && role="UI thread ($role)"
    echo "  thread $tid $role: $share% of a core"
done
drawn=$(awk '$NF == "writev" { print $4 }' "$work/strace.txt")
echo "  UI thread: ${drawn:-0} frames sent to the X server in 5 s ($(( ${drawn:-0} / 5 ))/s)"
echo "peak resident memory: $(awk '/VmHWM/ { print $2, $3 }' "/proc/$app/status")" \
    "(of it mapped from files: $(awk '/RssFile/ { print $2, $3 }' "/proc/$app/status"))"
kill "$app"; wait "$app" 2>/dev/null || true; app=
