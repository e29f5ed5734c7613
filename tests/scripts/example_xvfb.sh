#!/usr/bin/env bash
# The example program in a real X window: it draws, moves its marker with the cursor keys,
# stretches when the window is resized, shows the frame rate and the mouse position in its
# caption (in client pixels, not clamped to the window), and ends with status 0 when asked to
# close the way a window manager asks. A Windows build runs the same checks under Wine.
# Usage: example_xvfb.sh <build folder>
set -uo pipefail
build=$(cd "${1:-build}" && pwd)
lib=$(dirname "$0")/lib
source "$lib/xvfb.sh"
source "$lib/wine.sh"
require_x_tools
find_program "$build" hello_vrx || { echo "SKIP: $program not built or no Wine"; exit 77; }
example=$program
find_closer "$build" || { echo "SKIP: $closer not built"; exit 77; }

fail() {
    echo "FAIL: $*"
    echo "--- program output:"; cat "$work/out.txt" 2>/dev/null
    echo "--- Xvfb output:"; cat "$work/xvfb.log" 2>/dev/null
    exit 1
}

window_session || fail "$start_error"

# Geometry of the yellow marker in a capture: "WxH+X+Y".
marker() {
    import -window "$wid" "$work/$1.png" || fail "capture $1"
    convert "$work/$1.png" -fill black +opaque "#FFFF00" -trim -format '%w %h %X %Y' info: | tr -d '+'
}
size_of() { identify -format '%w %h' "$work/$1.png"; }

window_start "$work/out.txt" "$build" "^hello vrx" "$example" || fail "$start_error"
sleep 1.5
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"

read -r w h x0 y0 <<<"$(marker start)"
[ "$(size_of start)" = "640 480" ] || fail "client area is $(size_of start), not 640 480"
[ "$w $h" = "24 24" ] || fail "marker is ${w}x$h at the start"
[ "$x0 $y0" = "308 228" ] || fail "marker starts at $x0,$y0"

xdotool keydown Right; sleep 0.6; xdotool keyup Right
xdotool keydown Down; sleep 0.4; xdotool keyup Down
# Once the releases are through (a loaded machine may take a while), the marker stands still.
prev=
for _ in $(seq 20); do
    sleep 0.3
    read -r w h x1 y1 <<<"$(marker moved)"
    [ "$x1 $y1" = "$prev" ] && break
    prev="$x1 $y1"
done
[ "$x1 $y1" = "$prev" ] || fail "marker still moving 6 s after the keys were released"
[ "$x1" -gt $((x0 + 20)) ] || fail "Right did not move the marker ($x0 -> $x1)"
[ "$y1" -gt $((y0 + 10)) ] || fail "Down did not move the marker ($y0 -> $y1)"
echo "marker moved from $x0,$y0 to $x1,$y1"

caption=$(xdotool getwindowname "$wid")
[[ $caption =~ ^hello\ vrx\ -\ ([0-9]+)\ fps\ -\ mouse\ -?[0-9]+,-?[0-9]+$ ]] ||
    fail "caption is '$caption'"
fps=${BASH_REMATCH[1]}
[ "$fps" -ge 10 ] && [ "$fps" -le 51 ] || fail "frame rate $fps outside the paced range"
echo "caption: $caption"

# The pointer inside and then far outside the window: client pixels, not clamped to the window.
read -r cx cy <<<"$(xdotool getwindowgeometry "$wid" | sed -n 's/ *Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')"
# A warp moves no device, so the last step is a device move, as a real mouse makes.
for spot in "$((cx + 10)) $((cy + 20))" "1100 900"; do
    read -r sx sy <<<"$spot"
    xdotool mousemove $((sx - 1)) $((sy - 1))
    xdotool mousemove_relative 1 1
    want="mouse $((sx - cx)),$((sy - cy))"
    for _ in $(seq 30); do
        sleep 0.1
        caption=$(xdotool getwindowname "$wid")
        [[ $caption == *"$want" ]] && break
    done
    [[ $caption == *"$want" ]] || fail "pointer at $sx,$sy: caption '$caption', not ending '$want'"
    echo "pointer at $sx,$sy: $want"
done

# Resized to 1.5 times: every later frame is stretched to the client area.
xdotool windowsize "$wid" 960 720
for _ in $(seq 20); do
    sleep 0.3
    read -r w h x3 y3 <<<"$(marker stretched)"
    [ "$(size_of stretched)" = "960 720" ] && [ "$w" -ge 35 ] && break
done
[ "$(size_of stretched)" = "960 720" ] || fail "client area after resize is $(size_of stretched)"
[ "$w" -ge 35 ] && [ "$w" -le 37 ] && [ "$h" -ge 35 ] && [ "$h" -le 37 ] ||
    fail "marker is ${w}x$h after stretching, not about 36x36"
[ $((x3 * 2 / 3 - x1)) -ge -2 ] && [ $((x3 * 2 / 3 - x1)) -le 2 ] ||
    fail "stretched marker at x $x3 does not match $x1"
echo "stretched marker: ${w}x$h at $x3,$y3"

# Wine takes a few seconds to end a program.
window_close 20 || fail "could not send the close request"
[ -n "$status" ] || fail "still running 20 s after the close request"
[ "$status" = 0 ] || fail "exit status $status after closing"
grep -q "closing windows" "$work/out.txt" || fail "no shutdown line"
echo "closed with status 0"
