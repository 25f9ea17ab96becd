#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A recorded game played back headless must end on the line stored beside it.
# Usage: replay_check.sh GAME DATA_DIR RECORDING (the expected line: RECORDING, .end for .rec)
set -u
game=$1 data=$2 recording=$3
expected_file=${recording%.rec}.end
[ -f "$expected_file" ] || { echo "no expected end line: $expected_file"; exit 1; }
expected=$(head -n 1 "$expected_file")
# Nothing here looks at the pictures: Mesa's software renderer (llvmpipe) takes every frame's
# drawing as a player's game sends it and leaves only the pixels unfilled (LP_NO_RAST), nine
# tenths of a frame's CPU. Other drivers ignore the variable. The render tests check pixels.
out=$(cd "$data" && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null LP_NO_RAST=1 \
      "$game" --replay "$recording" --fast --unwatched 2>&1)
status=$?
if [ "$status" -ne 0 ]; then
  echo "the replay exited with status $status:"; echo "$out"; exit 1
fi
got=$(grep -E '^frames [0-9]+ level' <<<"$out" | tail -n 1)
if [ "$got" != "$expected" ]; then
  echo "expected: $expected"; echo "got:      $got"; echo "$out" | tail -n 5; exit 1
fi
echo "$got"
