// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game_state.h"
#include "levels/level_file.h"
#include "media/media.h"

namespace {

struct Letter {
  int bit;
  int capsule;
};
constexpr Letter letters[] = {{16, obj::letterB}, {8, obj::letterO}, {4, obj::letterN},
                              {2, obj::letterU},  {1, obj::letterS}};

// From a random brick towards the end of the list, the first one without a capsule gets this
// one. The walk does not wrap round, so a late start may place nothing. The start is drawn even
// when there is nothing to place, so every level start draws the same number of times.
void PlaceFromRandomStart(int capsule) {
  const int count = game.bricks.Count();
  const int start = Random(count - 1);
  if (capsule == 0) return;
  for (int i = start; i < count; ++i) {
    game.bricks.Select(i);
    Brick& b = game.bricks.Current();
    if (b.capsule == 0) {
      b.capsule = capsule;
      return;
    }
  }
}

}  // namespace

void PlaceLetters() {
  // Small levels carry neither a letter nor the malus.
  if (game.bricks.Count() < 6) return;
  int letter = 0;
  for (const Letter& l : letters) {
    if ((game.letterMask & l.bit) == 0) {
      letter = l.capsule;
      break;
    }
  }
  PlaceFromRandomStart(letter);
  PlaceFromRandomStart(obj::capsuleMalus);
}
