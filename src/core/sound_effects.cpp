// PanFromX and PlayEffect: the game's sound effects, panned by where they happen.
#include "core/sound_effects.h"

#include "core/game_state.h"
#include "media/media.h"

int PanFromX(int x) { return x * 200 / playWidth - 100; }

void PlayEffect(int sound, int pan, int volume, int frequency) {
  if (!game.effectsOn) return;
  if (pan != -1) SoundPan(sound, pan);
  if (volume != -1) SoundVolume(sound, volume);
  if (frequency != -1) SoundFrequency(sound, frequency);
  PlaySound(sound, 0);
}
