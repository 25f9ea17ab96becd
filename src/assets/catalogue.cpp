// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/catalogue.h"

#include <cstdio>

#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "media/media.h"

namespace {

std::string Padded4(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", i);
  return text;
}

std::vector<CatalogueRow> MainPictures() {
  std::vector<CatalogueRow> rows;
  auto add = [&rows](LoaderKind loader, int object, std::string name, int key = -1) {
    rows.push_back({loader, object, std::move(name), key});
  };
  const auto texture = LoaderKind::texture;

  add(texture, obj::pointer, "gfx/pointer.png");
  const int balls[] = {obj::ball8, obj::ball16, obj::ball32, obj::ball80, obj::ball160};
  const char* ballNames[] = {"8x8", "16x16", "32x32", "80x80", "160x160"};
  for (int i = 0; i < 5; ++i) add(texture, balls[i], std::string("gfx/ball_") + ballNames[i] + ".tif");
  add(texture, obj::shipUpright, "gfx/ship/ShipOne.00.png");
  for (int i = 1; i <= 5; ++i) {
    add(texture, obj::shipUpright - i, "gfx/ship/gauche/ShipOne.0" + std::to_string(i) + "g.png");
  }
  for (int i = 1; i <= 5; ++i) {
    add(texture, obj::shipUpright + i, "gfx/ship/droite/ShipOne.0" + std::to_string(i) + "d.png");
  }
  add(texture, obj::shipLaser, "gfx/ship/laser.png");

  struct Family { int base; const char* prefix; };
  const Family colours[] = {
      {obj::brickRed, "gfx/tiles/red/red"},         {obj::brickGreen, "gfx/tiles/green/green"},
      {obj::brickBlue, "gfx/tiles/blue/blue"},      {obj::brickYellow, "gfx/tiles/yellow/yellow"},
      {obj::brickMagenta, "gfx/tiles/magenta/magenta"}, {obj::brickCyan, "gfx/tiles/cyan/cyan"},
      {obj::brickWhite, "gfx/tiles/white/white"},   {obj::brickBlack, "gfx/tiles/black/black"}};
  for (int i = 0; i < 16; ++i) {
    for (const Family& f : colours) add(texture, f.base + i, f.prefix + Padded4(i) + ".png");
  }
  const Family special[] = {{obj::brickUnbreakable, "gfx/tiles/ub/ub"},
                            {obj::brickTeleport, "gfx/tiles/tp/tp"},
                            {obj::brick3Hits, "gfx/tiles/3c/3c"},
                            {obj::brick2Hits, "gfx/tiles/2c/2c"},
                            {obj::brick1Hit, "gfx/tiles/1c/1c"}};
  for (int i = 0; i < 16; ++i) {
    for (const Family& f : special) add(texture, f.base + i, f.prefix + Padded4(i) + ".png");
  }
  const Family capsules[] = {{obj::capsuleTriple, "gfx/bonus/t/bonus_t"},
                             {obj::capsuleEnlarge, "gfx/bonus/e/bonus_e"},
                             {obj::capsuleFire, "gfx/bonus/f/bonus_f"},
                             {obj::capsuleLaser, "gfx/bonus/l/bonus_l"},
                             {obj::capsuleGlue, "gfx/bonus/c/bonus_c"},
                             {obj::capsuleMissile, "gfx/bonus/m/bonus_m"},
                             {obj::capsuleDoor, "gfx/bonus/b/bonus_b"},
                             {obj::capsuleRow, "gfx/bonus/r/bonus_r"},
                             {obj::capsuleBigger, "gfx/bonus/s/bonus_s"},
                             {obj::capsuleChaingun, "gfx/bonus/g/bonus_g"},
                             {obj::capsuleExtraLife, "gfx/bonus/p/bonus_p"},
                             {obj::capsuleMalus, "gfx/bonus/malus/malus_"},
                             {obj::letterB, "gfx/bonus/bonus/b/bonus_letters"},
                             {obj::letterO, "gfx/bonus/bonus/o/bonus_letters"},
                             {obj::letterN, "gfx/bonus/bonus/n/bonus_letters"},
                             {obj::letterU, "gfx/bonus/bonus/u/bonus_letters"},
                             {obj::letterS, "gfx/bonus/bonus/s/bonus_letters"}};
  for (int i = 0; i < 16; ++i) {
    for (const Family& f : capsules) add(texture, f.base + i, f.prefix + Padded4(i) + ".png");
  }
  for (int i = 0; i < 22; ++i) add(texture, obj::filSpark + i, "gfx/bonus/f/fil" + Padded4(i) + ".png");
  for (int i = 0; i < 32; ++i) {
    add(texture, obj::missile + i, "gfx/bonus/m/missile" + Padded4(i) + ".png");
  }
  add(texture, obj::targetNormal, "gfx/bonus/m/Target_Normal.png");
  add(texture, obj::targetLight, "gfx/bonus/m/Target_Light.png");
  add(texture, obj::targetText, "gfx/bonus/m/Target_text.png");
  for (int i = 0; i < 4; ++i) {
    add(texture, obj::missileDecal + 32 * i, "gfx/bonus/m/missile_decal_" + std::to_string(i + 1) + ".png");
  }
  for (int i = 0; i < 5; ++i) {
    add(texture, obj::smoke + 32 * i, std::string("gfx/bonus/m/smoke_") + char('a' + i) + ".png");
  }
  add(texture, obj::gaugeWindow, "gfx/bonus/m/P_Tool_Window.png");
  add(texture, obj::gaugeNeedle, "gfx/bonus/m/P_Tool_Bar.png");
  add(LoaderKind::rotatable, obj::chaingun, "gfx/bonus/m/Chaingun.png");
  add(texture, obj::gunTarget, "gfx/bonus/m/GunTarget.png");
  add(texture, obj::muzzleFlash, "gfx/bonus/m/ChaingunMuzzle.png");
  add(texture, obj::bullet, "gfx/bonus/m/Bullet.png");
  for (int i = 0; i < 6; ++i) add(texture, obj::ammoGauge + i, "gfx/bonus/m/Ammo_0" + std::to_string(i) + ".png");
  add(texture, obj::filSegment, "gfx/bonus/f/Laser.png");
  for (int i = 0; i < 31; ++i) {
    add(texture, obj::explosionTiles + i, "gfx/explosion/tiles_explosion" + Padded4(i) + ".png");
  }
  for (int i = 0; i < 24; ++i) {
    add(LoaderKind::opaqueTexture, obj::fireball + i, "gfx/explosion/Explosion" + Padded4(i) + ".jpg");
  }
  for (int i = 0; i < 16; ++i) {
    add(texture, obj::monster02 + i, "gfx/monster/02_" + Padded4(i) + ".png");
    add(texture, obj::monster03 + i, "gfx/monster/03_" + Padded4(i) + ".png");
    add(texture, obj::monster06 + i, "gfx/monster/06_" + Padded4(i) + ".png");
  }
  for (int i = 0; i < 32; ++i) {
    add(texture, obj::monster04 + i, "gfx/monster/04_" + Padded4(i) + ".png");
    add(texture, obj::monster05 + i, "gfx/monster/05_" + Padded4(i) + ".png");
  }
  for (int i = 0; i <= 10; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "gfx/ship/bouclier/Bouclier.%02d.png", i);
    add(texture, obj::shipBody + i, name);
  }
  add(texture, obj::strike, "gfx/strike.tif");
  add(texture, obj::halo, "gfx/halo.png");
  add(texture, obj::shipEnergy, "gfx/ship/ship_energy.png");
  add(texture, obj::nextLevelDoor, "gfx/nextlevel.png");
  for (int c = 0; c < 256; ++c) {
    if (silverGlyphs[c]) {
      add(texture, silverGlyphBase + c, "gfx/fonts/silver/silver-" + std::to_string(silverGlyphs[c]) + ".png");
    }
  }
  for (int c = 0; c < 256; ++c) {
    if (goldGlyphs[c]) {
      add(texture, goldGlyphBase + c, "gfx/fonts/gold/gold-" + std::to_string(goldGlyphs[c]) + ".png");
    }
  }
  const char* flares[] = {"7F7F7F", "000000", "863800", "F3A80C", "FFFF80"};
  for (int i = 0; i < 5; ++i) add(texture, obj::flare + i, std::string("gfx/flare_") + flares[i] + ".png");
  add(LoaderKind::sprite, obj::panel, "gfx/panel.png", RGB(255, 0, 255));
  add(LoaderKind::image, obj::panel2, "gfx/panel2.png");
  add(texture, obj::redBall, "gfx/redball16x16.png");
  add(LoaderKind::image, obj::bonusPicture, "gfx\\bonus.png");
  add(LoaderKind::image, obj::winnerPicture, "gfx\\winner.png");
  return rows;
}

std::vector<CatalogueRow> Sounds() {
  std::vector<CatalogueRow> rows;
  rows.push_back({LoaderKind::sound, obj::music, "sfx/kolt3.ogg", -1});
  const char* names[] = {"bounce.wav",  "bounce_f.wav",        "bounce_ball.wav",    "explode.wav",
                         "PrSelect.wav", "zap.wav",            "bouclier.wav",       "laser3.wav",
                         "missile_loading.wav", "missile_launch.wav", "ball_launch.wav", "onfire.wav",
                         "Explosion.wav", "m2fire.wav",        "HAPPYBEL.WAV",       "SOUND827.WAV"};
  for (int i = 0; i < 16; ++i) {
    rows.push_back({LoaderKind::sound, obj::soundBounce + i, std::string("sfx/") + names[i], -1});
  }
  return rows;
}

}  // namespace

const std::vector<CataloguePack>& MainCatalogue() {
  static const std::vector<CataloguePack> catalogue = {{mainPackName, MainPictures()},
                                                       {soundPackName, Sounds()}};
  return catalogue;
}

std::string DetailPackName(const std::string& packName) {
  const std::string folder = packFolder;
  if (packName.rfind(folder, 0) == 0) return detailPackFolder + packName.substr(folder.size());
  return detailPackFolder + packName;
}
