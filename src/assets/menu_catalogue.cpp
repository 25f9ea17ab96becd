// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/menu_catalogue.h"

#include "assets/objects.h"

const CataloguePack& MenuCatalogue() {
  const auto sprite = LoaderKind::sprite;
  const auto texture = LoaderKind::texture;
  static const CataloguePack pack = {
      menuPackName,
      {{sprite, obj::menuTitle, "menu/title.png", -1},
       {texture, obj::menuIntroLetters, "menu/intro_letters.png", -1},
       {texture, obj::menuFlashLetters, "menu/flash_letters.png", -1},
       {texture, obj::menuFlashBand, "menu/flash_band.png", -1},
       {sprite, obj::menuSubtitle, "menu/subtitle.png", -1},
       {sprite, obj::menuFrame, "menu/frame.png", -1},
       {sprite, obj::menuItemStart, "menu/item_start.png", -1},
       {sprite, obj::menuItemCredits, "menu/item_credits.png", -1},
       {sprite, obj::menuItemQuit, "menu/item_quit.png", -1},
       {sprite, obj::menuFooter, "menu/footer.png", -1},
       {sprite, obj::menuSweepHead, "menu/sweep_head.png", -1},
       {texture, obj::menuSpark, "menu/spark.png", -1},
       {texture, obj::menuGlow, "menu/glow.png", -1},
       {texture, obj::menuBand, "menu/band.png", -1},
       {sprite, obj::menuBackground, "menu/background.png", -1},
       {sprite, obj::menuPointer, "menu/pointer.png", -1},
       {sprite, obj::menuItemOptions, "menu/item_options.png", -1},
       {sprite, obj::menuItemHighScores, "menu/item_high_scores.png", -1},
       {LoaderKind::sound, obj::menuIntroSound, "sfx/menu_intro.wav", -1}}};
  return pack;
}
