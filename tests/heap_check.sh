#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A level played for 20 000 frames keeps its heap flat once it has settled. The level is the
# player's own: one breakable brick walled in by unbreakable ones, so the autopilot plays on and
# on without ever finishing it.
# Usage: heap_check.sh GAME LEVELC DATA_DIR WORK_DIR
set -u
game=$1 levelc=$2 data=$3 work=$4
frames=20000 settled=5000 allowed_kb=16
rm -rf "$work" && mkdir -p "$work/data/kaldovirent/levels" "$work/config"
cat > "$work/walled.lvl" <<'LEVEL'
# kind       capsule    waypoints: seconds x,y
unbreakable  none       1 380,78
unbreakable  none       1 448,78
unbreakable  none       1 516,78
unbreakable  none       1 380,100
red          none       1 448,100
unbreakable  none       1 516,100
unbreakable  none       1 380,122
unbreakable  none       1 448,122
unbreakable  none       1 516,122
LEVEL
"$levelc" compile "$work/walled.lvl" "$work/data/kaldovirent/levels/level0.dat" || exit 1
# Nothing here looks at the pictures: Mesa's software renderer (llvmpipe) takes every frame's
# drawing as a player's game sends it and leaves only the pixels unfilled (LP_NO_RAST), nine
# tenths of a frame's CPU. Other drivers ignore the variable. The render tests check pixels.
out=$(cd "$data" && XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
      SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null LP_NO_RAST=1 \
      "$game" --level 0 --autopilot --fast --unwatched --frames "$frames" --memory-every 1000 2>&1)
samples=$(grep -E '^frame [0-9]+ level [0-9]+ resident [0-9]+ kB heap [0-9]+ kB' <<<"$out")
echo "$samples"
# The run ends on its last frame before that frame's sample.
[ "$(wc -l <<<"$samples")" -ge $((frames / 1000 - 1)) ] || { echo "expected a sample every 1000 frames"; echo "$out" | tail -n 5; exit 1; }
grep -qv ' level 1 ' <<<"$samples" && { echo "the walled level did not hold the game"; exit 1; }
awk -v settled="$settled" -v allowed="$allowed_kb" '
  $2 == settled { base = $9 }
  $2 > settled && $9 > top { top = $9 }
  END {
    printf "heap at frame %d: %d kB; highest after: %d kB (allowed %d kB more)\n", settled, base, top, allowed
    exit !(base > 0 && top <= base + allowed)
  }' <<<"$samples"
