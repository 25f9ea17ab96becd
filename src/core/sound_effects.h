// Sound effects of the game: a pan from a screen position, and one call that sets and plays.
#pragma once

// The stereo pan for a screen x: x * 200 / playWidth - 100, truncated towards zero.
int PanFromX(int x);

// Plays a sound effect once, setting each of pan, volume and frequency unless it is -1.
void PlayEffect(int sound, int pan, int volume, int frequency);
