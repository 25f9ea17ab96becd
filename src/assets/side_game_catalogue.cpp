// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/side_game_catalogue.h"

#include <string>

#include "assets/objects.h"

namespace {

// The folder names only serve the "loading problem" message and keep each pack's names apart
// for the data builder (both games have a "gfx/balle.png").
constexpr const char* duckFolder = "MiniGames\\canards\\";
constexpr const char* sugarFolder = "MiniGames\\sugar\\";

CataloguePack MakeDuckPack() {
  CataloguePack pack{duckPackName, {}};
  auto add = [&pack](int object, const std::string& name) {
    pack.rows.push_back({LoaderKind::texture, object, duckFolder + name, -1});
  };
  add(obj::duckCannon, "gfx/canon.png");
  add(obj::duckBullet, "gfx/balle.png");
  // The figures facing left, then the same seven facing right.
  const char* figures[] = {"canard0", "canard1", "canard2", "caddie", "escargot", "poule", "veau"};
  for (int i = 0; i < 7; ++i) add(obj::duckPlain + i, std::string("gfx/") + figures[i] + ".png");
  for (int i = 0; i < 7; ++i) {
    add(obj::duckPlain + obj::duckFacingRight + i, std::string("gfx/") + figures[i] + "_f.png");
  }
  return pack;
}

CataloguePack MakeSugarPack() {
  CataloguePack pack{sugarPackName, {}};
  auto add = [&pack](int object, const std::string& name) {
    pack.rows.push_back({LoaderKind::texture, object, sugarFolder + name, -1});
  };
  // The ring is the first sweet but comes before the balloons in the pack.
  add(obj::sugarSweet, "gfx/anneau.png");
  const char* balloons[] = {"bleu", "cyan", "jaune", "rose", "rouge", "vert"};
  for (int i = 0; i < 6; ++i) add(obj::sugarBalloon + i, std::string("gfx/ballon_") + balloons[i] + ".png");
  const char* sweets[] = {"biscuit",        "biscuit2",      "bonbon_emballe", "choco",
                          "gel",            "gel2",          "gel3",           "gel4",
                          "loukoum",        "nounours_bleu", "nounours_jaune", "nounours_rose",
                          "nounours_rouge", "nounours_vert", "reglisse",       "reglisse2",
                          "reglisse3",      "reglisse4",     "reglisse5",      "reglisse6",
                          "serpent",        "sucette",       "sucette2",       "sucette3"};
  for (int i = 0; i < 24; ++i) add(obj::sugarSweet + 1 + i, std::string("gfx/") + sweets[i] + ".png");
  add(obj::sugarStar, "gfx/star.png");
  add(obj::sugarLauncher, "gfx/fleche.png");
  add(obj::sugarShot, "gfx/balle.png");
  add(obj::sugarFlash, "gfx/clac.png");
  return pack;
}

}  // namespace

const CataloguePack& DuckCatalogue() {
  static const CataloguePack pack = MakeDuckPack();
  return pack;
}

const CataloguePack& SugarCatalogue() {
  static const CataloguePack pack = MakeSugarPack();
  return pack;
}
