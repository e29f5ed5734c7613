#!/usr/bin/env bash
# The packaged game in a real X window, started from its own folder: the dark LEDs and the
# first aux LED at the end of the makers' splash, the scrolling title, a game started with
# Space, the player moved and recoloured with the cursor keys, the per-step line on standard
# output, silent audio, and status 0 when the window is closed the way a window manager closes
# it. Then the same program with its archive missing and with it cut short: it reports the
# missing files, still draws its LEDs, and still closes with status 0. A Windows build runs the
# same checks under Wine.
# Usage: game_xvfb.sh <build folder>
set -uo pipefail
build=$(cd "${1:-build}" && pwd)
lib=$(dirname "$0")/lib
source "$lib/xvfb.sh"
source "$lib/wine.sh"
name="Ormwell Studios - Tintfall (2010).exe"
packaged=$build/game/$name
require_x_tools
# The same program with no archive behind it.
find_program "$build" tintfall || { echo "SKIP: $program not built or no Wine"; exit 77; }
[ -f "$packaged" ] || { echo "SKIP: $packaged not built"; exit 77; }
find_closer "$build" || { echo "SKIP: $closer not built"; exit 77; }

fail() {
    echo "FAIL ($case): $*"
    echo "--- last LEDs seen:"; cat "$work/leds.txt" 2>/dev/null
    echo "--- program output (head and tail):"; head -30 "$work/out.txt" 2>/dev/null
    echo "..."; tail -5 "$work/out.txt" 2>/dev/null
    exit 1
}

case=start
window_session || fail "$start_error"

# Colours at the 64 disc centres, top row first, then the eight aux LED centres; one capture.
fmt=""
for row in 7 6 5 4 3 2 1 0; do
    for col in 0 1 2 3 4 5 6 7; do fmt+="%[hex:u.p{$((206 + 31 * col)),$((356 - 31 * row))}] "; done
    fmt+=$'\n'
done
for i in 0 1 2 3 4 5 6 7; do fmt+="%[hex:u.p{$((210 + 30 * i)),115}] "; done
fmt+="%[hex:u.p{320,460}]" # below the panel: picture or back buffer, never an LED
read_leds() {
    import -window "$wid" "$work/cap.png" 2>/dev/null || return 1
    convert "$work/cap.png" -format "$fmt" info: >"$work/leds.txt" 2>/dev/null
}
matrix_row() { sed -n "$((8 - $1))p" "$work/leds.txt"; } # device row, 0 at the bottom
aux_leds() { sed -n 9p "$work/leds.txt" | cut -d' ' -f1-8; }
outside() { sed -n 9p "$work/leds.txt" | cut -d' ' -f9; }
lit_count() { head -8 "$work/leds.txt" | tr -s ' ' '\n' | grep -v '^$' | grep -vc '^404040$'; }

# Polls the window every capture until the named condition holds, for up to $2 seconds.
wait_for() {
    local deadline=$((SECONDS + $2))
    while [ $SECONDS -lt $deadline ]; do
        kill -0 "$app" 2>/dev/null || fail "the program ended while waiting for $1"
        read_leds && "$1" && return 0
    done
    fail "no $1 within $2 s"
}
all_dark_first_aux() {
    local -a aux
    read -ra aux <<<"$(aux_leds)"
    [ "$(lit_count)" = 0 ] && [ "${aux[0]}" = FFAA00 ] || return 1
    for led in "${aux[@]:1}"; do [ "$led" != FFAA00 ] || return 1; done
}
# The title scrolls through rows 1 to 6; the top and bottom rows stay dark.
title_letters() {
    [ "$(lit_count)" -ge 4 ] && [ "$(matrix_row 7)" = "$(printf '404040 %.0s' {1..8})" ] &&
        [ "$(matrix_row 0)" = "$(printf '404040 %.0s' {1..8})" ]
}
# The player: two cells in the bottom row, the lighter shade left, in lane $lane and colour
# $colour (colour 0: 0xE04060 and 0xA04050, colour 1: 0x80D0A0 and 0x60B080).
player_at() {
    local -a cells=(404040 404040 404040 404040 404040 404040 404040 404040)
    local -a light=(E04060 80D0A0) dark=(A04050 60B080)
    cells[$((2 * lane))]=${light[$colour]}
    cells[$((2 * lane + 1))]=${dark[$colour]}
    [ "$(matrix_row 0)" = "${cells[*]} " ]
}
# Holds a key until the window shows its effect (the game reads presses once per step).
press_until() {
    local key=$1 check=$2
    xdotool keydown "$key"
    wait_for "$check" 10
    xdotool keyup "$key"
}

start() { # start <folder> <program>
    window_start "$work/out.txt" "$1" \
        "^GlowbyJr interperter - Tintfall \(2010\) , by: Ormwell Studios$" "$2" ||
        fail "$start_error"
}

close_and_check() {
    # Wine takes a few seconds to end a program.
    window_close 20 || fail "could not send the close request"
    [ -n "$status" ] || fail "still running 20 s after the close request"
    [ "$status" = 0 ] || fail "exit status $status after closing"
}

# The program's output; Windows ends its lines with CR LF.
output() { tr -d '\r' <"$work/out.txt"; }
expect_lines() {
    for line in "$@"; do
        output | grep -aqxF -- "$line" || fail "no line '$line'"
    done
}
# Messages that may follow text without a line end ("Loading TGA image.").
expect_texts() {
    for text in "$@"; do
        output | grep -aqF -- "$text" || fail "no '$text'"
    done
}

# --- The packaged game.
case=packaged
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
start "$build/game" "./$name"
started=$EPOCHREALTIME
wait_for all_dark_first_aux 40
wait_for title_letters 20
echo "$case: dark LEDs with the first aux LED, then the title"
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
lane=0 colour=0
press_until space player_at
lane=1
press_until Right player_at
colour=1
press_until Up player_at
echo "$case: Space starts a game; Right and Up move and recolour the player"
output | grep -Eq '^speedcount: [0-9]+, gamespeed: 50$' || fail "no per-step line"
close_and_check
ended=$EPOCHREALTIME
expect_lines "Loading resource image: $name" "loading from executable" "numfiles: 3" \
    "- Init Soundsystem" "- Loading sounds"
grep -aq "ERROR: Image" "$work/out.txt" && fail "an asset did not load"
if [ -n "$wine" ]; then
    # Wine has no disk audio device to check the samples on. Without a sound card its
    # waveOutOpen fails and the game plays on silent: the game above is the check.
    if grep -aqF "AUDIO: error opening audio buffer" "$work/out.txt"; then
        echo "$case: no sound device: the game played silent"
    else
        echo "$case: a sound device was opened"
    fi
elif [ -s "$work/audio.raw" ]; then
    [ -z "$(tr -d '\0' <"$work/audio.raw" | head -c 1)" ] || fail "the audio output is not silent"
    # 44100 frames of two 16-bit samples a second, give or take the device's buffering.
    rate=$(awk -v b="$(stat -c %s "$work/audio.raw")" -v t0="$started" -v t1="$ended" \
        'BEGIN { printf "%d", b / (t1 - t0) }')
    [ "$rate" -ge 120000 ] && [ "$rate" -le 200000 ] ||
        fail "audio came at $rate bytes/s, not about 176400"
    echo "$case: silent audio at $rate bytes/s"
else
    fail "no audio output"
fi
export SDL_AUDIODRIVER=dummy
unset SDL_DISKAUDIOFILE
echo "$case: closed with status 0"

# --- Without its archive, and with the archive cut short: messages, LEDs, clean close.
for case in missing truncated; do
    rm -rf "$work/run" && mkdir "$work/run"
    if [ $case = missing ]; then
        cp "$program" "$work/run/"
        start "$work/run" "./${program##*/}"
    else
        size=$(stat -c %s "$packaged")
        head -c $((size / 2)) "$packaged" >"$work/run/$name" && chmod +x "$work/run/$name"
        start "$work/run" "./$name"
    fi
    wait_for all_dark_first_aux 40
    # No picture: the LEDs are drawn over the untouched back buffer.
    [ "$(outside)" = 000000 ] || fail "outside the LEDs shows $(outside), not black"
    close_and_check
    [ $case = missing ] && expect_lines "could not open image: $name"
    expect_texts "couldn't find file: glowbyjr.tga" "couldn't find file: leds.tga" \
        "couldn't find file: font_heat.tga" "ERROR: Image glowbyjr.tga not loaded."
    expect_lines "bitmap has no data"
    echo "$case: messages, dark LEDs over a black screen, closed with status 0"
done
