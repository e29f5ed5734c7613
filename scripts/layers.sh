#!/usr/bin/env bash
# Checks that the folders under src/ include each other one way only. A folder may include
# its own headers and those of folders on a lower level of this order; folders on one level
# may not include each other. "library" is src/ itself (vrx.h, vrx_library.*, vrx_entry.cpp).
ORDER="base < hw_common < winapi < graphics vornfile < image sound < video < hw_win32 < library < game"
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A level
n=0
for word in $ORDER; do
    if [ "$word" = "<" ]; then
        n=$((n + 1))
    else
        level[$word]=$n
    fi
done

folder_of() { # src-relative path -> its folder in the order
    case "$1" in
    */*) echo "${1%%/*}" ;;
    *) echo library ;;
    esac
}

bad=0
while IFS= read -r file; do
    from=$(folder_of "$file")
    if [ -z "${level[$from]+x}" ]; then
        echo "$file: folder '$from' is not in the order of scripts/layers.sh"
        bad=1
        continue
    fi
    while IFS=: read -r line directive; do
        target=$(sed 's/[^"]*"\([^"]*\)".*/\1/' <<<"$directive")
        to=$(folder_of "$target")
        [ "$to" = "$from" ] && continue
        if [ -z "${level[$to]+x}" ]; then
            echo "$file:$line: includes \"$target\" from unknown folder '$to'"
            bad=1
        elif [ "${level[$to]}" -ge "${level[$from]}" ]; then
            echo "$file:$line: $from may not include \"$target\" ($ORDER)"
            bad=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)

if [ "$bad" -ne 0 ]; then
    echo "layers: include order broken"
    exit 1
fi
echo "layers: every include follows $ORDER"
