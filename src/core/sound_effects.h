// SPDX-License-Identifier: GPL-3.0-or-later
// Sound effects of the game: a pan from a screen position, and one call that sets and plays.
#pragma once

// The stereo pan for a screen x: x * 200 / playWidth - 100, truncated towards zero.
int PanFromX(int x);

// An effect's volume (0..100) as the player's effects volume makes it: volume * effects / 100,
// rounded to the nearest; at the effects volume 100 it is the volume itself.
int EffectVolume(int volume);

// Plays a sound effect once, setting each of pan and frequency unless it is -1. The volume
// (-1: the sound's full volume, 100) is scaled by the player's effects volume.
void PlayEffect(int sound, int pan, int volume, int frequency);
