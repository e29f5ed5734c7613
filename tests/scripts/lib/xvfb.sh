# shellcheck shell=bash
# Sourced by the scripts that drive real windows: a private Xvfb display, programs started in it
# (under Wine when they are Windows programs), and the window manager's close request.
# The caller sets a cleanup trap that calls xvfb_stop.

xvfb=
app=
wid=

# xvfb_start DIR: starts Xvfb on a free display, logging to DIR/xvfb.log, and exports DISPLAY
# once the display answers. Returns 1 if it never does.
xvfb_start() {
    local dir=$1
    # Xvfb picks a free display itself and writes its number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 300); do [ -s "$dir/display" ] && break; sleep 0.1; done
    [ -s "$dir/display" ] || return 1
    export DISPLAY=:$(head -1 "$dir/display")
    for _ in $(seq 300); do xdotool getmouselocation >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# require_x_tools: skips the script (status 77) when a tool the window checks use is missing.
require_x_tools() {
    for tool in Xvfb xdotool import convert; do
        command -v $tool >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
    done
}

# window_session: a work folder (work) and a display, and in a Windows build a Wine server of
# the script's own; all of them go when the script ends. Returns 1 with the reason in
# start_error.
window_session() {
    work=$(mktemp -d)
    trap window_session_end EXIT
    start_error="Xvfb did not start or does not answer"
    xvfb_start "$work" || return 1
    start_error="no Wine session"
    [ -z "${wine:-}" ] || wine_session "$work" own || return 1
    # The X11 driver or nothing: never a headless fallback that would show no window.
    export SDL_VIDEODRIVER=x11
}
window_session_end() {
    # Wine's server first: it ends every program in it, even one stuck too hard for a signal.
    ! declare -F wine_stop >/dev/null || wine_stop
    xvfb_stop
    rm -rf "$work"
}

# xvfb_stop: ends the program started last, if it still runs, and the display.
xvfb_stop() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    app=
    xvfb=
}

# run_program PROGRAM [ARGS]: replaces the shell with the program; in a Windows build (wine
# set) under Wine, whose own diagnostics stay off except the one that says it could not reach
# the display. The Linux game has a .exe name too, so the name does not tell.
run_program() {
    [ -n "${wine:-}" ] && WINEDEBUG=-all,err+winediag exec "$wine" "$@"
    exec "$@"
}

# True when the display refused the program's connection: SDL gives up, Wine carries on
# windowless and says so.
display_refused() {
    grep -aqE "x11 not available|no driver could be loaded" "$1"
}

# window_start OUT FOLDER TITLE PROGRAM [ARGS]: starts the program in FOLDER with its output in
# OUT and waits for a window whose title matches the regular expression TITLE; sets app (the
# process) and wid (the window). Xvfb now and then refuses a connection under load, which is not
# the program's fault: it is started again, at most three times. Returns 1 with a message in
# start_error when no window comes.
window_start() {
    local out=$1 folder=$2 title=$3 tries=0
    shift 3
    start_error=
    (cd "$folder" && run_program "$@") >"$out" 2>&1 </dev/null &
    app=$!
    wid=
    # Under Wine the first program of a session also starts Wine's services: allow a minute.
    for _ in $(seq 600); do
        wid=$(xdotool search --name "$title" 2>/dev/null | head -1)
        [ -n "$wid" ] && return 0
        if ! kill -0 "$app" 2>/dev/null || display_refused "$out"; then
            if ! display_refused "$out"; then
                start_error="the program ended before showing a window"
                return 1
            fi
            if [ $((tries += 1)) -ge 3 ]; then
                start_error="the display refused the program three times"
                return 1
            fi
            kill "$app" 2>/dev/null
            wait "$app" 2>/dev/null
            # Wine's desktop process failed with it: a new session, if this script owns one.
            declare -F wine_restart >/dev/null && wine_restart
            (cd "$folder" && run_program "$@") >"$out" 2>&1 </dev/null &
            app=$!
        fi
        sleep 0.1
    done
    start_error="no window matching '$title' appeared"
    return 1
}

# window_close SECONDS: asks the window to close the way a window manager does and waits up to
# SECONDS for the program to end; sets status (empty if it did not end).
window_close() {
    status=
    "${closer:?}" "$wid" || return 1
    for _ in $(seq $(($1 * 10))); do
        if ! kill -0 "$app" 2>/dev/null; then
            wait "$app"
            status=$?
            app=
            return 0
        fi
        sleep 0.1
    done
    return 0
}

# find_closer BUILD: sets closer to the X tool that sends the close request. A cross build has
# none of its own: it takes the one of the host build its tools come from.
find_closer() {
    closer=$1/tests/wm_close
    [ -x "$closer" ] && return 0
    local host
    host=$(sed -n 's/^VRX_HOST_TOOLS:[A-Z]*=//p' "$1/CMakeCache.txt" 2>/dev/null)
    closer=$host/tests/wm_close
    [ -n "$host" ] && [ -x "$closer" ]
}
