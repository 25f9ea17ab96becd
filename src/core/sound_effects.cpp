// SPDX-License-Identifier: GPL-3.0-or-later
// PanFromX, EffectVolume and PlayEffect: the game's sound effects, panned by where they happen.
#include "core/sound_effects.h"

#include "core/game_state.h"
#include "core/player_options.h"
#include "media/media.h"

namespace {

constexpr int fullVolume = 100;

}  // namespace

int PanFromX(int x) { return x * 200 / playWidth - 100; }

int EffectVolume(int volume) {
  return (volume * playerSettings.effectsVolume + fullVolume / 2) / fullVolume;
}

void PlayEffect(int sound, int pan, int volume, int frequency) {
  if (!game.effectsOn) return;
  if (pan != -1) SoundPan(sound, pan);
  // The plain reading leaves the volume as it was at -1; every sound played so is only ever set
  // to full volume, so full volume scaled plays them as before and follows the player's choice.
  SoundVolume(sound, EffectVolume(volume == -1 ? fullVolume : volume));
  if (frequency != -1) SoundFrequency(sound, frequency);
  PlaySound(sound, 0);
}
