#!/usr/bin/env bash
# Retakes the README's screenshots from the real game window under Xvfb: the scrolling title
# (docs/title.png) and a game in play (docs/playing.png).
# Usage: scripts/screenshots.sh [build folder]   (default build-run, as ./run.sh leaves it)
set -euo pipefail
cd "$(dirname "$0")/.."
docs=$PWD/docs
build=$(cd "${1:-build-run}" && pwd)
game="$build/game/Ormwell Studios - Tintfall (2010).exe"
[ -x "$game" ] || { echo "build the game first (./run.sh or cmake --build)"; exit 1; }
for tool in Xvfb xdotool import convert; do
    command -v $tool >/dev/null || { echo "$tool is missing (scripts/deps.sh test)"; exit 1; }
done

source tests/scripts/lib/xvfb.sh
window_session || { echo "$start_error"; exit 1; }
export SDL_AUDIODRIVER=dummy
window_start "$work/out.txt" "$build/game" "^GlowbyJr interperter" "$game" ||
    { echo "no game window: $start_error"; exit 1; }

# Polls until row $1 of the matrix (0 at the bottom) reads as the pattern $2 (1 lit, 0 dark),
# then keeps that capture.
capture_when_row() {
    local y=$((356 - 31 * $1)) fmt="" row
    for col in 0 1 2 3 4 5 6 7; do fmt+="%[hex:u.p{$((206 + 31 * col)),$y}] "; done
    for _ in $(seq 300); do
        import -window "$wid" "$work/shot.png"
        row=$(convert "$work/shot.png" -format "$fmt" info: | sed 's/404040 /0/g; s/[0-9A-F]\{6\} /1/g')
        [ "$row" = "$2" ] && return 0
    done
    echo "row $1 never showed $2"; exit 1
}
# The title with "TI" in view (the makers' logo before it never lights the bottom row's
# neighbours in this pattern).
capture_when_row 6 11101110
convert "$work/shot.png" -strip "$docs/title.png"
xdotool windowfocus "$wid" 2>/dev/null || true
xdotool keydown space; capture_when_row 0 11000000; xdotool keyup space
sleep 3 # let the gems fall a little way
tap() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; sleep 0.1; }
tap Right
tap Up
xdotool keydown space; sleep 0.1; xdotool keyup space
import -window "$wid" "$work/shot.png"
convert "$work/shot.png" -strip "$docs/playing.png"
ls -l "$docs/title.png" "$docs/playing.png"
