#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built levelc: a source compiles and decompiles back to the same bytes; sources and
# level files the game could not play are refused with one line naming the file and the line or
# brick, a non-zero exit, and no output file left behind.
set -uo pipefail
tool=$(realpath "$1")
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cat >good.lvl <<'EOF'
# every kind of line the compiler reads
red       none      1 120,80
hits3     laser     2 200,100  3600 400,100
40        258       1 300,200
teleport  letter-b  1 448,400
EOF
"$tool" compile good.lvl good.dat || fail "compile good.lvl"
[ "$(stat -c %s good.dat)" -eq $((4 * 24 + 12)) ] || fail "good.dat: wrong size"
"$tool" decompile good.dat back.lvl || fail "decompile good.dat"
"$tool" compile back.lvl back.dat || fail "compile back.lvl"
cmp -s good.dat back.dat || fail "decompiled source compiles to other bytes"

expect_error() {  # name, expected line, command...
  local name=$1 expected=$2
  shift 2
  if "$@" >/dev/null 2>err.txt; then
    fail "$name: succeeded"
  elif [ "$(cat err.txt)" != "$expected" ]; then
    fail "$name: said '$(cat err.txt)', not '$expected'"
  fi
}

# A bad brick on line 3 of a source: the good first brick, a comment, then the fault.
refuse_source() {  # name, brick line, expected fault
  printf 'red none 1 120,80\n# then the bad one\n%s\n' "$2" >"$1.lvl"
  rm -f "$1.dat"
  expect_error "$1" "$1.lvl: line 3: $3" "$tool" compile "$1.lvl" "$1.dat"
  [ ! -e "$1.dat" ] || fail "$1: a level file was written"
}
kinds="(34 to 146, 162, 178, 194, 210 or 226)"
capsules="(0 for none, or 242, 258, ... 498 in steps of 16)"
refuse_source huge_kind "2147483647 none 1 1,1" "kind 2147483647 is not a brick kind $kinds"
refuse_source gap_kind "170 none 1 1,1" "kind 170 is not a brick kind $kinds"
refuse_source small_kind "-5 none 1 1,1" "kind -5 is not a brick kind $kinds"
refuse_source odd_capsule "red 250 1 1,1" "capsule 250 is not a capsule $capsules"
refuse_source far_capsule "red 999 1 1,1" "capsule 999 is not a capsule $capsules"
refuse_source long_leg "red none 1 1,1 3601 2,2" \
  "waypoint 1: a leg of 3601 seconds (1 to 3600 on a moving brick)"
refuse_source overflowing_leg "red none 28633116 1,1 1 2,2" \
  "waypoint 0: a leg of 28633116 seconds (1 to 3600 on a moving brick)"
refuse_source empty_leg "red none 1 1,1 0 2,2" \
  "waypoint 1: a leg of 0 seconds (1 to 3600 on a moving brick)"

# The same faults in a level file, which decompile reads as the game does: brick 1 is bad.
word() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }
standing() { word "$1"; word "$2"; word 1; word 1; word 1128792064; word 1120403456; }  # 200,100
refuse_file() {  # name, kind, capsule, expected fault
  { standing 34 0; standing "$2" "$3"; } >"$1.dat"
  expect_error "$1.dat" "$1.dat: brick 1: $4" "$tool" decompile "$1.dat" -
}
refuse_file file_kind 2147483647 0 "kind 2147483647 is not a brick kind $kinds"
refuse_file file_capsule 34 999 "capsule 999 is not a capsule $capsules"

[ "$failures" -eq 0 ] || exit 1
echo "levelc: all checks passed"
