#!/usr/bin/env bash
# vornpack end to end: create -> list -> extract gives the same bytes; append to a real
# executable leaves it runnable and replaces its archive; no command loses a file that was
# there (full disk, existing files, links, crafted names); memory stays flat for big inputs.
# A Windows build runs vornpack.exe under Wine.
set -euo pipefail
build=$(cd "${1:?usage: vornpack_roundtrip.sh BUILD_DIR}" && pwd)
source "$(dirname "$0")/lib/wine.sh"
if ! find_program "$build" vornpack; then
    echo "SKIP: $program not built or no Wine"
    exit 77
fi
work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT
cd "$work"
# vornpack, and any copy of it, runs as a command of its own or under Wine.
run() { ${wine:+"$wine"} "$@"; }
vornpack() { run "$program" "$@"; }
# The same as words, for tools that run it, and quoted, for a shell.
vp=(${wine:+"$wine"} "$program")
command=$(printf '%q ' "${vp[@]}")
if [ -n "$wine" ]; then
    wine_session "$work" || { echo "FAIL: no Wine session"; exit 1; }
fi

fail() { echo "FAIL: $*"; exit 1; }
expect_status() { # STATUS COMMAND...
    local want=$1 got=0
    shift
    "$@" >out.txt 2>err.txt || got=$?
    [ -z "$wine" ] || sed -i 's/\r$//' out.txt err.txt # Windows ends lines with CR LF
    [ "$got" -eq "$want" ] || { cat out.txt err.txt; fail "'$*' exited $got, wanted $want"; }
}
expect_error() { # TEXT COMMAND...: exits 1 and says TEXT
    local text=$1
    shift
    expect_status 1 "$@"
    # Windows joins a folder and a name with a backslash.
    grep -qF -- "$text" err.txt || { [ -n "$wine" ] && grep -qF -- "${text//\//\\}" err.txt; } ||
        { cat err.txt; fail "'$*' did not say '$text'"; }
}
no_temp_left() { ! ls -A "${1:-.}" | grep -q vornpack- || fail "temporary file left in ${1:-.}"; }
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }
# craft OUT NAME DATA [NAME DATA]...: an archive with any names, duplicates included.
craft() {
    local out=$1 header=12 offset i
    shift
    local -a args=("$@")
    for ((i = 0; i < ${#args[@]}; i += 2)); do header=$((header + 12 + ${#args[i]})); done
    offset=$header
    local end=$offset
    for ((i = 1; i < ${#args[@]}; i += 2)); do end=$((end + ${#args[i]})); done
    { printf VORN; le32 $((${#args[@]} / 2)); le32 $end
      for ((i = 0; i < ${#args[@]}; i += 2)); do
          le32 ${#args[i]}; le32 0; printf '%s' "${args[i]}"; le32 $offset
          offset=$((offset + ${#args[i + 1]}))
      done
      for ((i = 1; i < ${#args[@]}; i += 2)); do printf '%s' "${args[i]}"; done; } >"$out"
}

mkdir -p in/deeper
printf 'font bytes\n' >in/font_heat.tga
head -c 70000 /dev/urandom >in/leds.tga
: >in/empty.bin
printf '\x00\xff\x80binary' >in/deeper/glowbyjr.tga

# create / list / extract
expect_status 0 vornpack create pack.vorn in/font_heat.tga in/leds.tga in/empty.bin \
    in/deeper/glowbyjr.tga
expect_status 0 vornpack list pack.vorn
awk '{print $1, $2}' out.txt >listed.txt
printf 'font_heat.tga 11\nleds.tga 70000\nempty.bin 0\nglowbyjr.tga 9\n' >want.txt
diff want.txt listed.txt || fail "list of the archive"
# Header 12 + 4 * 12 + 42 name bytes; data follow in order.
[ "$(awk 'NR==1 {print $3}' out.txt)" = 102 ] || fail "first data offset"
[ "$(awk 'NR==2 {print $3}' out.txt)" = 113 ] || fail "second data offset"
[ "$(stat -c %s pack.vorn)" = $((102 + 11 + 70000 + 0 + 9)) ] || fail "archive size"
# Stored hashes: byte sums of the names (font_heat.tga is 1314 = 0x522).
[ "$(od -An -tu4 -j16 -N4 pack.vorn | tr -d ' ')" = 1314 ] || fail "stored hash"
expect_status 0 vornpack extract pack.vorn out
for f in font_heat.tga leds.tga empty.bin; do cmp "in/$f" "out/$f" || fail "extracted $f"; done
cmp in/deeper/glowbyjr.tga out/glowbyjr.tga || fail "extracted glowbyjr.tga"

# extract never replaces a file unless told to, and checks everything before writing anything.
printf 'mine' >out/leds.tga
rm out/glowbyjr.tga
expect_error "'out/font_heat.tga' exists; use --force" vornpack extract pack.vorn out
[ "$(cat out/leds.tga)" = mine ] || fail "extract replaced an existing file"
[ ! -e out/glowbyjr.tga ] || fail "extract wrote before refusing"
expect_status 0 vornpack extract --force pack.vorn out
cmp in/leds.tga out/leds.tga || fail "extract --force"
no_temp_left out
# An entry named like the archive, extracted beside it, does not replace it.
craft self.vorn self.vorn 'other bytes'
cp self.vorn self.orig
expect_error "exists; use --force" vornpack extract self.vorn .
cmp self.vorn self.orig || fail "extract replaced its own archive"

# append to a copy of a real executable, which still runs
cp "$program" tool.exe
size=$(stat -c %s tool.exe)
expect_status 0 vornpack append tool.exe in/font_heat.tga in/leds.tga
grep -q 'without an archive' out.txt || fail "append says what it found"
[ -x tool.exe ] || fail "append kept the permissions"
expect_status 0 run ./tool.exe --help
grep -q '^Usage: vornpack' out.txt || fail "appended executable's help"
[ "$(od -An -tu4 -j$(($(stat -c %s tool.exe) - 4)) -N4 tool.exe | tr -d ' ')" = "$size" ] ||
    fail "trailer names the archive's start"
expect_status 0 vornpack list tool.exe
[ "$(awk '{print $1}' out.txt | tr '\n' ' ')" = "font_heat.tga leds.tga " ] || fail "list exe"
# A second append replaces the first archive rather than stacking another.
expect_status 0 vornpack append tool.exe in/empty.bin
grep -q 'archive of 2 entries; the archive is replaced' out.txt || fail "append replace note"
expect_status 0 vornpack list tool.exe
[ "$(awk '{print $1}' out.txt)" = empty.bin ] || fail "replaced archive"
[ "$(stat -c %s tool.exe)" = $((size + 12 + 12 + 9 + 4)) ] || fail "replaced archive size"
expect_status 0 run ./tool.exe --help
expect_status 0 vornpack extract tool.exe out2
cmp in/empty.bin out2/empty.bin || fail "extract from executable"
# An empty executable appended to twice carries one archive; a plain archive is refused.
: >empty.exe
expect_status 0 vornpack append empty.exe in/font_heat.tga
cp empty.exe once.exe
expect_status 0 vornpack append empty.exe in/font_heat.tga
cmp empty.exe once.exe || fail "second append onto an empty executable"
cp pack.vorn plain.vorn
expect_error "use create" vornpack append plain.vorn in/empty.bin
cmp pack.vorn plain.vorn || fail "append changed a plain archive"

# A full disk leaves the old file whole and no temporary file behind.
head -c 200000 /dev/urandom >big.bin
cp pack.vorn prev.vorn
# Linux stops a process at the file size limit with a signal, which vornpack ignores; Windows
# has no such signal, so under Wine the shell ignores it for vornpack, as Windows would.
xfsz=${wine:+"trap '' XFSZ; "}
expect_status 1 bash -c "${xfsz}ulimit -f 50; exec $command create prev.vorn big.bin"
cmp pack.vorn prev.vorn || fail "failed create damaged the archive"
cp tool.exe prev.exe
expect_status 1 bash -c "trap '' XFSZ; ulimit -f 120; exec $command append prev.exe big.bin"
# Wine reports the host's "File too large" as an invalid argument.
reason="File too large"
[ -z "$wine" ] || reason="Invalid argument"
grep -q "$reason" err.txt || fail "write error names its reason"
cmp tool.exe prev.exe || fail "failed append damaged the executable"
no_temp_left

# Links inside the target folder are never followed, with or without --force. Wine shows the
# host's symbolic links to Windows programs as the files they point to, not as the reparse
# points Windows links are, so no Windows program can tell them there: Linux only.
if [ -z "$wine" ]; then
    mkdir -p elsewhere linked/sub
    printf precious >elsewhere/file
    ln -s ../elsewhere/file linked/leds.tga
    expect_error "'linked/leds.tga' is a symbolic link" vornpack extract pack.vorn linked
    ln -s ../elsewhere linked/sub/deeper
    craft deep.vorn sub/deeper/file new
    expect_error "'linked/sub/deeper' is a symbolic link" vornpack extract --force deep.vorn linked
    [ "$(cat elsewhere/file)" = precious ] || fail "extract wrote through a link"
    [ "$(ls linked | tr '\n' ' ')" = "leds.tga sub " ] || fail "extract wrote before refusing"
fi

# Crafted names are refused before anything is written, and printed escaped.
while IFS='|' read -r names text; do
    # shellcheck disable=SC2086
    craft crafted.vorn $names
    expect_error "$text" vornpack extract crafted.vorn crafted
    [ ! -e crafted ] || fail "extract of $names wrote something"
done <<'CASES'
a.txt 1 a.txt 2|two entries are named 'a.txt'
A.txt 1 a.txt 2|entries 'A.txt' and 'a.txt' differ only in case
d 1 D/x 2|entry 'd' is also the folder of 'D/x'
../zz 1|unsafe name '../zz'
CASES
craft evil.vorn "$(printf 'x\033[2Jy')" 1
expect_status 0 vornpack list evil.vorn
grep -qF 'x\x1b[2Jy' out.txt || fail "list escapes control bytes"
expect_error "unsafe name ''" vornpack extract "$(craft e.vorn '' 1; echo e.vorn)" e
expect_error "cannot create '': No such file" vornpack extract pack.vorn ''

# Sizes are checked before any data is read: inputs of 2 GiB or more, archives past 4 GiB.
truncate -s 4300M huge.bin
truncate -s 1500M part1.bin
ln part1.bin part2.bin
ln part1.bin part3.bin
peak() { # COMMAND...: runs it, its peak memory in KB to rss.txt (scripts/deps.sh test adds time)
    if [ -x /usr/bin/time ]; then /usr/bin/time -f '%M' -o rss.txt "$@"; else echo 0 >rss.txt; "$@"; fi
}
while IFS='|' read -r files text; do
    got=0
    # shellcheck disable=SC2086
    peak "${vp[@]}" create big.vorn $files >out.txt 2>err.txt || got=$?
    [ "$got" = 1 ] && grep -qF "$text" err.txt || { cat err.txt; fail "create $files"; }
    [ "$(tail -1 rss.txt)" -lt 65536 ] || fail "create $files peaked at $(tail -1 rss.txt) KB"
done <<'CASES'
huge.bin|'huge.bin' is 2 GiB or larger (4508876800 bytes)
part1.bin part2.bin part3.bin|'big.vorn' would pass 4 GiB
CASES
[ ! -e big.vorn ] || fail "a refused archive was written"
# Data are streamed: a 128 MB input keeps the tool far below its size.
truncate -s 128M mid.bin
peak "${vp[@]}" create mid.vorn mid.bin
[ "$(tail -1 rss.txt)" -lt 65536 ] || fail "create of 128 MB peaked at $(tail -1 rss.txt) KB"
[ "$(stat -c %s mid.vorn)" = $((134217728 + 12 + 12 + 7)) ] || fail "streamed archive size"
rm -f mid.vorn mid.bin huge.bin part?.bin

# bad input
mkdir -p caps
printf x >caps/Leds.tga
expect_status 1 vornpack
expect_status 1 vornpack frobnicate
expect_status 1 vornpack create only.vorn
expect_status 1 vornpack create --force x.vorn in/leds.tga
expect_error upper-case vornpack create bad.vorn caps/Leds.tga
expect_status 1 vornpack create bad.vorn in/leds.tga in/leds.tga
expect_status 1 vornpack create bad.vorn "in/$(printf 'n%.0s' $(seq 256))"
expect_error "cannot read 'in/missing.tga': No such file or directory" \
    vornpack create bad.vorn in/missing.tga
expect_error "no archive" vornpack list in/leds.tga
expect_error "cannot read 'missing.vorn': No such file" vornpack list missing.vorn
expect_status 1 vornpack extract pack.vorn
printf 'VORN\x01\x00\x00\x00\x1c\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00abcde\x04\x00\x00\x00' >overlap.vorn
expect_error "damaged archive: entry data overlap the archive header" vornpack list overlap.vorn
# The output may not be one of its own inputs.
cp in/font_heat.tga self.tga
expect_error 'output file itself' vornpack create self.tga self.tga
cmp in/font_heat.tga self.tga || fail "create destroyed its input"
cp "$program" self.exe
expect_status 1 vornpack append self.exe in/leds.tga ./self.exe
cmp "$program" self.exe || fail "append packed the executable into itself"
# Directories given as files, and files given as the target folder.
expect_error 'not a regular file: Is a directory' vornpack create bad.vorn in
expect_error 'Is a directory' vornpack append in in/leds.tga
expect_error 'not a directory' vornpack extract pack.vorn self.tga
printf x >'in/back\slash.tga'
expect_status 1 vornpack create bad.vorn 'in/back\slash.tga'
[ ! -e bad.vorn ] || fail "refused archive was written"
no_temp_left
# Help is found after a command too, goes to standard output and names the safeguards.
expect_status 0 vornpack append --help
grep -q '^Usage: vornpack' out.txt || fail "help after a command"
grep -q -- '--force' out.txt && grep -q 'is replaced, so the' out.txt || fail "help text"
echo PASS
