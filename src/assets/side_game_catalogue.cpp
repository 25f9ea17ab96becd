#include "assets/side_game_catalogue.h"

#include <string>

#include "assets/objects.h"

namespace {

// The folder name serves the "loading problem" message and keeps the pack's names apart from
// the main pack's for the data builder.
constexpr const char* duckFolder = "MiniGames\\canards\\";

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

}  // namespace

const CataloguePack& DuckCatalogue() {
  static const CataloguePack pack = MakeDuckPack();
  return pack;
}
