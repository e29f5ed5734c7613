# shellcheck shell=bash
# Sourced by the script tests that also run on a cross build: which program to run (NAME or,
# in a Windows build, NAME.exe under Wine) and a Wine session for it.

wine=
wine_own= # the prefix whose Wine server this script started, and ends

# find_program BUILD NAME: sets program to BUILD/NAME, or to BUILD/NAME.exe in a Windows build,
# where wine then names Wine. Returns 1 when neither is there, or Wine is missing.
find_program() {
    program=$1/$2
    [ -x "$program" ] && return 0
    program=$1/$2.exe
    [ -f "$program" ] || return 1
    wine=${VRX_WINE:-/usr/lib/wine/wine64}
    [ -x "$wine" ]
}

# wine_session DIR [own]: the Wine prefix the programs run in. The caller's (WINEPREFIX), or a
# fresh one in DIR when there is none (about 10 s). With "own", always a Wine server of this
# script's own: Wine hands keys to the foreground window of the whole session, whatever display
# they came from, so two scripts with windows in one session would take each other's keys.
wine_session() {
    local dir=$1 own=${2:-}
    wineserver=${VRX_WINESERVER:-$(dirname "$wine")/wineserver}
    export WINEDEBUG=${WINEDEBUG:--all}
    if [ -n "${WINEPREFIX:-}" ] && [ -z "$own" ]; then
        return 0
    fi
    # A copy of the caller's prefix made of hard links is instant. The server rewrites a
    # registry file in place when it has more than one link: those are real copies.
    if [ -n "${WINEPREFIX:-}" ] && cp -al "$WINEPREFIX" "$dir/prefix" 2>/dev/null; then
        for reg in "$WINEPREFIX"/*.reg; do cp --remove-destination "$reg" "$dir/prefix/"; done
        export WINEPREFIX=$dir/prefix
    else
        rm -rf "$dir/prefix"
        export WINEPREFIX=$dir/prefix
        # No display and no add-on installers: nothing may wait for a click.
        (unset DISPLAY; WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i) \
            >"$dir/wineboot.log" 2>&1 </dev/null || return 1
        "$wineserver" -w
    fi
    wine_own=$WINEPREFIX
    # One server for all the script's programs, so that Wine's services start only once.
    "$wineserver" -p >/dev/null 2>&1 </dev/null
}

# A new session after Wine failed to reach the display: its desktop process is gone for good.
wine_restart() {
    [ -n "$wine_own" ] || return 0
    WINEPREFIX=$wine_own "$wineserver" -k 2>/dev/null
    WINEPREFIX=$wine_own "$wineserver" -w
    WINEPREFIX=$wine_own "$wineserver" -p >/dev/null 2>&1 </dev/null
}

# Ends this script's Wine server and every program in it.
wine_stop() {
    [ -n "$wine_own" ] || return 0
    WINEPREFIX=$wine_own "$wineserver" -k 2>/dev/null
    WINEPREFIX=$wine_own "$wineserver" -w
    # The server's socket folder is named after the prefix's device and inode (in a folder the
    # prefix names, on Debian).
    local name parent
    name=$(printf 'server-%x-%x' "$(stat -c %d "$wine_own")" "$(stat -c %i "$wine_own")")
    for parent in "/tmp/$(cat "$wine_own/wineserver" 2>/dev/null)" "/tmp/.wine-$(id -u)"; do
        rm -rf "${parent:?}/$name"
        rmdir "$parent" 2>/dev/null
    done
    wine_own=
}
