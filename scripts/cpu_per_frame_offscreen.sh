#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game's CPU time per frame over all its threads on the offscreen driver, frames drawn as
# fast as they come (--fast): a run of 600 frames less a run of 100, so start-up drops out.
#   [CPU_GAME=kaldovirent] scripts/cpu_per_frame_offscreen.sh BUILD_DIR [VAR=value...] [game options...]
# e.g. scripts/cpu_per_frame_offscreen.sh build LP_NUM_THREADS=1 --level 1 --autopilot
set -eu
build=$(cd "$1" && pwd)
shift
environment=()
while [ $# -gt 0 ] && [[ "$1" == *=* ]]; do environment+=("$1"); shift; done
binary=${CPU_GAME:-kaldovirent}
times=$(mktemp)
trap 'rm -f "$times"' EXIT
cd "$build/game"
for frames in 100 600; do
  /usr/bin/time -a -o "$times" -f "%U %S %e" env SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null \
    "${environment[@]}" "./$binary" "$@" --fast --frames "$frames" > /dev/null 2>&1
done
tr '\n' ' ' < "$times" | awk -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
  '{ printf "%.1f ms cpu a frame, %.1f ms wall a frame (load %s)\n",
     1000 * (($4 + $5) - ($1 + $2)) / 500, 1000 * ($6 - $3) / 500, load }'
