// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/tetris_catalogue.h"

#include "assets/objects.h"

namespace {

constexpr const char* folder = "MiniGames/Tetris/";

std::vector<CatalogueRow> TetrisRows() {
  std::vector<CatalogueRow> rows;
  auto add = [&rows](LoaderKind loader, int object, const char* name) {
    rows.push_back({loader, object, std::string(folder) + name, -1});
  };
  const auto texture = LoaderKind::texture;
  const char* tiles[obj::tetrisTileCount] = {"Tile_green.png",  "Tile_red.png",    "Tile_Blue.png",
                                             "Tile_Yellow.png", "Tile_Purple.png", "Tile_Cyan.png"};
  for (int i = 0; i < obj::tetrisTileCount; ++i) add(texture, obj::tetrisTileFirst + i, tiles[i]);
  add(texture, obj::tetrisBackground, "Background_2.png");
  add(LoaderKind::opaqueTexture, obj::tetrisFond, "Fond.png");
  add(texture, obj::tetrisLine, "Line.png");
  add(texture, obj::tetrisLight, "Light.png");
  add(texture, obj::tetrisBug, "Tile_Bug.png");
  add(LoaderKind::sound, obj::tetrisMusic, "koltl01a.ogg");
  add(LoaderKind::image, obj::tetrisBump, "Bump.png");
  add(LoaderKind::image, obj::tetrisDiffuse, "Diffuse.png");
  return rows;
}

}  // namespace

const CataloguePack& TetrisCatalogue() {
  static const CataloguePack pack{tetrisPackName, TetrisRows()};
  return pack;
}
