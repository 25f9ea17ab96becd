// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/level_won.h"

#include "core/game_state.h"
#include "core/settings.h"
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
  // The bonus level is left through the door, never by clearing it. Its door opens once its last
  // breakable brick is gone: with the door's capsule missed, nothing would be left to play and no
  // way on but losing every ball.
  if (game.enteringBonus) {
    if (game.levelNumber == bonusLevel && BreakableBricksLeft() == 0 && !game.shipLeaving) game.doorOpen = 1;
    return;
  }
  if ((BreakableBricksLeft() == 0 || game.letterMask == allLetters) && !game.pictureEffectOn) {
    WinLevel();
  }
}
