// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/level_won.h"

#include "core/game_state.h"
#include "gameplay/balls.h"
#include "gameplay/picture_effect.h"
#include "levels/level_file.h"

void WinLevel() {
  game.paused = 1;
  game.levelComplete = 1;
  StartPictureEffect(game.letterMask == allLetters ? obj::bonusPicture : obj::winnerPicture);
  RemoveAllBalls();
}

void CheckLevelCleared() {
  // The bonus level is left through the door, never by clearing it.
  if (game.enteringBonus) return;
  if ((BreakableBricksLeft() == 0 || game.letterMask == allLetters) && !game.pictureEffectOn) {
    WinLevel();
  }
}
