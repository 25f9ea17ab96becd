#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game's CPU over all its threads (llvmpipe's rasteriser threads included) and its frame
# rate under Xvfb, the way a machine without a graphics card runs it.
#   [CPU_GAME=kaldovirent] scripts/cpu_per_frame.sh BUILD_DIR [--pause] [game options...]
# e.g. scripts/cpu_per_frame.sh build                      the idle main menu
#      scripts/cpu_per_frame.sh build --level 1 --autopilot level 1 in play
#      scripts/cpu_per_frame.sh build --pause --level 1    level 1 paused with P
# Prints CPU as a share of one core, frames a second, CPU milliseconds a frame and the load
# average (the machine may be shared: CPU a frame is the steadier figure). Needs Xvfb, xdotool
# and perf (frames are counted by uprobes at SDL_RenderPresent, SDL_UpdateWindowSurface and
# SDL_UpdateWindowSurfaceRects, the ways a frame reaches the window, so run it as root).
set -eu
build=$(cd "$1" && pwd)
shift
pause=0
if [ "${1:-}" = "--pause" ]; then pause=1; shift; fi
display=${CPU_DISPLAY:-:95}
settle=${CPU_SETTLE:-5}
span=${CPU_SPAN:-10}
sdl=$(ldd "$build/game/kaldovirent" | awk '/libSDL2-2.0/ {print $3}')

xvfb=""
if ! xdpyinfo -display "$display" > /dev/null 2>&1; then
  Xvfb "$display" -screen 0 1024x768x24 > /dev/null 2>&1 &
  xvfb=$!
  sleep 2
fi
perf probe -q -x "$sdl" SDL_RenderPresent 2> /dev/null || true
perf probe -q -x "$sdl" SDL_UpdateWindowSurface 2> /dev/null || true
perf probe -q -x "$sdl" SDL_UpdateWindowSurfaceRects 2> /dev/null || true

binary=${CPU_GAME:-kaldovirent}
cd "$build/game"
DISPLAY=$display ALSOFT_DRIVERS=null "./$binary" "$@" > /dev/null 2>&1 &
game=$!
cleanup() {
  kill "$game" 2> /dev/null || true
  wait "$game" 2> /dev/null || true
  if [ -n "$xvfb" ]; then kill "$xvfb" 2> /dev/null || true; fi
}
trap cleanup EXIT
sleep "$settle"
if [ "$pause" = 1 ]; then
  DISPLAY=$display xdotool key p
  sleep 1
fi
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
frames=$(perf stat -x, -e probe_libSDL2:SDL_RenderPresent -e probe_libSDL2:SDL_UpdateWindowSurface \
           -e probe_libSDL2:SDL_UpdateWindowSurfaceRects -p "$game" sleep "$span" 2>&1 |
         awk -F, '/probe_libSDL2/ {n += $1} END {print n + 0}')
after=$(ticks)
awk -v t=$((after - before)) -v hz="$hz" -v s="$span" -v f="$frames" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
  'BEGIN { cpu = t / hz; printf "cpu %.0f %% of one core, %.1f fps, %.2f ms cpu a frame (load %s)\n",
           100 * cpu / s, f / s, (f > 0 ? 1000 * cpu / f : 0), load }'
