#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and starts the installed game headless from another
# folder: it finds its data from its own location, runs a few frames, and writes only where the
# player started it. Usage: install_check.sh CMAKE BUILD_DIR SCRATCH_DIR
set -u
cmake=$1 build=$2 scratch=$3
fail() { echo "$*"; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch/start" "$scratch/xdg"
prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

for file in games/kaldovirent share/kaldovirent/packs/maingfx.pak share/kaldovirent/level0.dat \
            share/kaldovirent/DESIB___.otf share/kaldovirent/gfx/gamepaused.png \
            share/applications/kaldovirent.desktop \
            share/icons/hicolor/256x256/apps/kaldovirent.png share/man/man6/kaldovirent.6.gz \
            share/metainfo/org.kaldovirent.kaldovirent.metainfo.xml; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done
[ -e "$prefix/share/kaldovirent/icons" ] && fail "the icon is installed with the game's data"
# The icon is a PNG of 256 x 256 pixels (width and height in its header).
size=$(od -An -tx1 -j16 -N8 "$prefix/share/icons/hicolor/256x256/apps/kaldovirent.png" | tr -d ' \n')
[ "$size" = "0000010000000100" ] || fail "the icon is not 256 x 256 (header $size)"
grep -qx 'Categories=Game;ArcadeGame;' "$prefix/share/applications/kaldovirent.desktop" ||
  fail "the desktop entry lacks its categories"

data_before=$(cd "$prefix/share/kaldovirent" && find . | sort)
run() {
  (cd "$scratch/start" && env SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null \
     XDG_DATA_HOME="$scratch/xdg" timeout 120 "$prefix/games/kaldovirent" "$@")
}

out=$(run --frames 40 --fast --screenshot last.png) || fail "the installed game exited with $?"
grep -q '^frames 40 ' <<<"$out" || fail "no end line after 40 frames: $out"
magic=$(od -An -c -N4 "$scratch/start/last.png" 2>/dev/null | tr -d ' ')
[ "$magic" = '211PNG' ] || fail "no PNG screenshot in the start folder"

out=$(run --level 3 --frames 40 --fast) || fail "--level 3 exited with $?"
grep -q ' level 4 ' <<<"$out" || fail "the installed level file was not played: $out"

out=$(run --version) || fail "--version exited with $?"
grep -q '^kaldovirent [0-9]' <<<"$out" || fail "--version printed: $out"

data_after=$(cd "$prefix/share/kaldovirent" && find . | sort)
[ "$data_before" = "$data_after" ] || fail "the game wrote into its installed data"
rm -rf "$scratch"
echo "installed, started from another folder, ran 40 frames"
