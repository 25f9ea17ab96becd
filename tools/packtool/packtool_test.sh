#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built packtool: build, list, extract and verify a pack of varied files, then
# damage copies of it and expect one clear error line and a non-zero exit each time.
set -uo pipefail
tool=$(realpath "$1")
work=$2
rm -rf "$work"
mkdir -p "$work/in"
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Inputs: text that compresses well, and the first bytes of each format the tool knows.
for i in $(seq 1 400); do echo "line $i: the ball bounces off the brick and the brick breaks"; done \
  >in/text.txt
head -c 3000 /dev/urandom >in/noise.bin
{ printf '\x89PNG\r\n\x1a\n'; head -c 100 /dev/zero; } >in/a.png
{ printf '\xff\xd8\xff\xe0'; head -c 100 /dev/zero; } >in/b.jpg
{ printf 'II*\x00'; head -c 100 /dev/zero; } >in/c.tif
{ printf 'BM'; head -c 2000 /dev/zero; } >in/d.bmp
{ printf 'RIFF\x10\x00\x00\x00WAVEfmt '; head -c 500 /dev/zero; } >in/e.wav
{ printf 'OggS'; head -c 100 /dev/zero; } >in/f.ogg
{ printf 'OTTO'; head -c 100 /dev/zero; } >in/g.otf
: >in/empty
inputs=(in/text.txt in/noise.bin in/a.png in/b.jpg in/c.tif in/d.bmp in/e.wav in/f.ogg in/g.otf in/empty)
extensions=(bin bin png jpeg tiff bmp wav ogg ttf bin)

"$tool" build game.pak --level 9 "${inputs[@]}" || fail "build"
"$tool" build low.pak --level 0 "${inputs[@]}" || fail "build at level 0"

"$tool" list game.pak >list.txt || fail "list"
[ "$(tail -n +2 list.txt | wc -l)" -eq ${#inputs[@]} ] || fail "list: wrong number of lines"
grep -Eq '^ +0 +24[0-9]{3} +[0-9]+ +compressed +data$' list.txt || fail "list: text entry"
grep -Eq '^ +1 +3000 +3000 +stored +data$' list.txt || fail "list: noise entry is stored"
for format in png jpeg tiff bmp wav ogg ttf; do
  grep -Eq " $format\$" list.txt || fail "list: no $format entry"
done
grep -Eq '^ +9 +0 +0 +stored +data$' list.txt || fail "list: empty entry"

for pack in game low; do
  "$tool" extract $pack.pak out_$pack || fail "extract $pack"
  for i in "${!inputs[@]}"; do
    name=$(printf 'out_%s/%04d.%s' $pack "$i" "${extensions[$i]}")
    cmp -s "${inputs[$i]}" "$name" || fail "extract $pack: $name differs from ${inputs[$i]}"
  done
done
"$tool" verify game.pak >verify.txt || fail "verify"
grep -q "10 entries" verify.txt || fail "verify: entry count"

# Damaged copies. Entry 0 is compressed: its stream starts at byte 8, the checksum at 14.
expect_error() {  # name, pattern, command...
  local name=$1 pattern=$2
  shift 2
  if "$@" >/dev/null 2>err.txt; then
    fail "$name: succeeded"
  elif [ "$(wc -l <err.txt)" -ne 1 ] || ! grep -q "$pattern" err.txt; then
    fail "$name: unexpected message: $(cat err.txt)"
  fi
}
patch_byte() {  # file, offset, byte value
  printf "$(printf '\\%03o' "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
byte_at() { od -An -tu1 -j"$2" -N1 "$1" | tr -d ' '; }

cp game.pak checksum.pak && patch_byte checksum.pak 15 $((($(byte_at game.pak 15) + 1) % 256))
expect_error "checksum" "checksum.pak: entry 0: checksum mismatch" "$tool" verify checksum.pak

cp game.pak magic.pak && patch_byte magic.pak 8 90
expect_error "magic" "magic.pak: entry 0: bad magic" "$tool" verify magic.pak
expect_error "magic extract" "magic.pak: entry 0: bad magic" "$tool" extract magic.pak out_magic

head -c 30 game.pak >cut.pak
expect_error "truncated data" "cut.pak: entry 0: truncated entry" "$tool" list cut.pak
size=$(stat -c %s game.pak)
head -c $((size - 1)) game.pak >cut_end.pak
expect_error "truncated last entry" "cut_end.pak: entry 9: truncated entry" "$tool" verify cut_end.pak

expect_error "missing input" "missing.pak: entry 1: cannot read" \
  "$tool" build missing.pak in/text.txt in/nothing.txt
expect_error "missing pack" "nothing.pak: cannot open" "$tool" list nothing.pak
"$tool" frobnicate x.pak >/dev/null 2>&1 && fail "unknown command accepted"

if [ "$failures" -ne 0 ]; then
  echo "$failures packtool check(s) failed"
  exit 1
fi
echo "packtool: all checks passed"
