#!/usr/bin/env bash
# vornpack end to end: create -> list -> extract gives the same bytes; an archive appended to a
# copy of a real executable leaves it runnable and is replaced by a second append; bad input
# fails with status 1.
set -euo pipefail
build=$(cd "${1:?usage: vornpack_roundtrip.sh BUILD_DIR}" && pwd)
vornpack=$build/vornpack
if [ ! -x "$vornpack" ]; then
    echo "SKIP: $vornpack not built"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*"; exit 1; }
expect_status() { # STATUS COMMAND...
    local want=$1 got=0
    shift
    "$@" >out.txt 2>err.txt || got=$?
    [ "$got" -eq "$want" ] || { cat out.txt err.txt; fail "'$*' exited $got, wanted $want"; }
}

mkdir -p in/deeper
printf 'font bytes\n' >in/font_heat.tga
head -c 70000 /dev/urandom >in/leds.tga
: >in/empty.bin
printf '\x00\xff\x80binary' >in/deeper/glowbyjr.tga

# create / list / extract
expect_status 0 "$vornpack" create pack.vorn in/font_heat.tga in/leds.tga in/empty.bin \
    in/deeper/glowbyjr.tga
expect_status 0 "$vornpack" list pack.vorn
awk '{print $1, $2}' out.txt >listed.txt
printf 'font_heat.tga 11\nleds.tga 70000\nempty.bin 0\nglowbyjr.tga 9\n' >want.txt
diff want.txt listed.txt || fail "list of the archive"
# Header 12 + 4 * 12 + 42 name bytes; data follow in order.
[ "$(awk 'NR==1 {print $3}' out.txt)" = 102 ] || fail "first data offset"
[ "$(awk 'NR==2 {print $3}' out.txt)" = 113 ] || fail "second data offset"
[ "$(stat -c %s pack.vorn)" = $((102 + 11 + 70000 + 0 + 9)) ] || fail "archive size"
# Stored hashes: byte sums of the names (font_heat.tga is 1314 = 0x522).
[ "$(od -An -tu4 -j16 -N4 pack.vorn | tr -d ' ')" = 1314 ] || fail "stored hash"
expect_status 0 "$vornpack" extract pack.vorn out
for f in font_heat.tga leds.tga empty.bin; do cmp "in/$f" "out/$f" || fail "extracted $f"; done
cmp in/deeper/glowbyjr.tga out/glowbyjr.tga || fail "extracted glowbyjr.tga"

# append to a copy of a real executable, which still runs
cp "$vornpack" tool.exe
size=$(stat -c %s tool.exe)
expect_status 0 "$vornpack" append tool.exe in/font_heat.tga in/leds.tga
expect_status 0 ./tool.exe --help
grep -q '^Usage: vornpack' out.txt || fail "appended executable's help"
[ "$(od -An -tu4 -j$(($(stat -c %s tool.exe) - 4)) -N4 tool.exe | tr -d ' ')" = "$size" ] ||
    fail "trailer names the archive's start"
expect_status 0 "$vornpack" list tool.exe
[ "$(awk '{print $1}' out.txt | tr '\n' ' ')" = "font_heat.tga leds.tga " ] || fail "list exe"
# A second append replaces the first archive rather than stacking another.
expect_status 0 "$vornpack" append tool.exe in/empty.bin
expect_status 0 "$vornpack" list tool.exe
[ "$(awk '{print $1}' out.txt)" = empty.bin ] || fail "replaced archive"
[ "$(stat -c %s tool.exe)" = $((size + 12 + 12 + 9 + 4)) ] || fail "replaced archive size"
expect_status 0 ./tool.exe --help
expect_status 0 "$vornpack" extract tool.exe out2
cmp in/empty.bin out2/empty.bin || fail "extract from executable"

# bad input
mkdir -p caps
printf x >caps/Leds.tga
expect_status 1 "$vornpack"
expect_status 1 "$vornpack" frobnicate
expect_status 1 "$vornpack" create only.vorn
expect_status 1 "$vornpack" create bad.vorn caps/Leds.tga
grep -q 'upper-case' err.txt || fail "upper-case message"
[ ! -e bad.vorn ] || fail "refused archive was written"
expect_status 1 "$vornpack" create bad.vorn in/leds.tga in/leds.tga
expect_status 1 "$vornpack" create bad.vorn "in/$(printf 'n%.0s' $(seq 256))"
expect_status 1 "$vornpack" create bad.vorn in/missing.tga
expect_status 1 "$vornpack" list in/leds.tga
grep -q 'no archive' err.txt || fail "list of a non-archive"
expect_status 1 "$vornpack" list missing.vorn
expect_status 1 "$vornpack" extract pack.vorn
# An archive whose names would escape the target folder is refused.
printf 'VORN\x01\x00\x00\x00\x1c\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00../zz\x1c\x00\x00\x00' >evil.vorn
expect_status 1 "$vornpack" extract evil.vorn safe
[ ! -e zz ] || fail "extract escaped its folder"
# Data offsets pointing into the header are refused as well.
printf 'VORN\x01\x00\x00\x00\x1c\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00abcde\x04\x00\x00\x00' >overlap.vorn
expect_status 1 "$vornpack" list overlap.vorn
grep -q 'inside the archive header' err.txt || fail "overlapping data offset"

# The output may not be one of its own inputs, which it would destroy.
cp in/font_heat.tga self.tga
expect_status 1 "$vornpack" create self.tga self.tga
grep -q 'output file itself' err.txt || fail "create onto an input"
cmp in/font_heat.tga self.tga || fail "create destroyed its input"
cp "$vornpack" self.exe
expect_status 1 "$vornpack" append self.exe in/leds.tga ./self.exe
cmp "$vornpack" self.exe || fail "append packed the executable into itself"
# Directories given as files, and files given as the target folder.
expect_status 1 "$vornpack" create bad.vorn in
grep -q 'not a regular file' err.txt || fail "directory as a file"
expect_status 1 "$vornpack" append in in/leds.tga
grep -q 'Is a directory' err.txt || fail "directory as the executable"
expect_status 1 "$vornpack" extract pack.vorn self.tga
grep -q 'not a directory' err.txt || fail "extract into a file"
printf x >'in/back\slash.tga'
expect_status 1 "$vornpack" create bad.vorn 'in/back\slash.tga'
[ ! -e bad.vorn ] || fail "refused archive was written"
# Help is found after a command too, and goes to standard output.
expect_status 0 "$vornpack" append --help
grep -q '^Usage: vornpack' out.txt || fail "help after a command"
echo PASS
