#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The player's settings.ini reaches the game, and a recording keeps the options it was played
# with: a game recorded at Easy with a fast mouse replays to the same end under other settings,
# and differs from the same run at the defaults.
# Usage: options_check.sh GAME DATA_DIR WORK_DIR
set -u
game=$1 data=$2 work=$3
rm -rf "$work" && mkdir -p "$work/easy/kaldovirent" "$work/hard/kaldovirent" "$work/none"
printf '[kaldovirent]\ndifficulty = easy\nmouse_speed = 150\n' > "$work/easy/kaldovirent/settings.ini"
printf '[kaldovirent]\ndifficulty = hard\nmouse_speed = 50\n' > "$work/hard/kaldovirent/settings.ini"
# Nothing here looks at the pictures: Mesa's software renderer (llvmpipe) takes every frame's
# drawing as a player's game sends it and leaves only the pixels unfilled (LP_NO_RAST), nine
# tenths of a frame's CPU. Other drivers ignore the variable. The render tests check pixels.
run() {  # config folder, then options
  local config=$1; shift
  (cd "$data" && XDG_CONFIG_HOME="$config" SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null \
     LP_NO_RAST=1 \
     "$game" --fast --unwatched "$@" 2>&1) | grep -E '^frames [0-9]+ level' | tail -n 1
}
# Easy's lives are read at the start, before the autopilot's play can catch an extra one.
starting=$(run "$work/easy" --level 0 --frames 60)
recorded=$(run "$work/easy" --level 0 --autopilot --frames 600 --record "$work/easy.rec")
replayed=$(run "$work/hard" --replay "$work/easy.rec")
plain=$(run "$work/none" --level 0 --autopilot --frames 600)
echo "starting at Easy: $starting"
echo "recorded at Easy, mouse 150: $recorded"
echo "replayed under Hard, mouse 50: $replayed"
echo "the same run at the defaults: $plain"
[[ "$starting" == *" lives 5 "* ]] || { echo "Easy's five lives did not reach the game"; exit 1; }
[[ -n "$recorded" && "$recorded" == "$replayed" ]] || { echo "the replay did not keep the options"; exit 1; }
[[ "$plain" != "$recorded" ]] || { echo "the options changed nothing"; exit 1; }
