#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest and test discovery. Wine's helper processes
# (services, the desktop) outlive the program and inherit its standard output; a caller reading
# that pipe would wait for them forever. So the output goes through a file, which they may keep.
wine=${VRX_WINE:-/usr/lib/wine/wine64}
out=$(mktemp)
status=0
"$wine" "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
rm -f "$out"
exit "$status"
