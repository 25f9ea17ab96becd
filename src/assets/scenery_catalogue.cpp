// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/scenery_catalogue.h"

#include <cstdio>

#include "assets/objects.h"

namespace {

constexpr LoaderKind texture = LoaderKind::texture;

struct LevelStyleEntry {
  int level;
  const char* style;
};

constexpr LevelStyleEntry levelStyles[] = {
    {0, "storm"},  {1, "black"},  {2, "black"},  {3, "black"}, {4, "black"},  {5, "black"},
    {6, "black"},  {7, "clouds"}, {8, "black"},  {9, "blue"},  {10, "black"}, {11, "black"},
    {12, "black"}, {13, "black"}, {14, "black"}, {15, "water"}, {16, "death"}, {17, "sea"},
    {18, "sea"},   {19, "black"}, {50, "temple"}, {101, "black"}, {102, "black"}};

constexpr const char* redStar = "gfx/flare/starFF0000_128x128.png";
constexpr const char* redGlow = "gfx/flare/centralglowFF0000.png";
constexpr const char* rainbowGlow = "gfx/flare/centralrainbow.png";
constexpr const char* branches = "gfx/flare/2branches_64x64.png";

}  // namespace

std::string LevelStyle(int level) {
  for (const LevelStyleEntry& entry : levelStyles) {
    if (entry.level == level) return entry.style;
  }
  return "black";
}

std::string LevelPackName(int level) {
  char text[32];
  std::snprintf(text, sizeof text, "packs/%04d.pak", level);
  return text;
}

CataloguePack StylePack(const std::string& style) {
  return {"packs/" + style + ".pak",
          {{LoaderKind::sprite, obj::background,
            "gfx/background/" + style + "/" + style + ".jpg", -1}}};
}

const CataloguePack& PanelPack() {
  static const CataloguePack pack = {
      "packs/panel.pak",
      {{LoaderKind::sprite, obj::panelTop, "gfx/background/panel_top.png", -1},
       {LoaderKind::sprite, obj::panelLeft, "gfx/background/panel_left.png", -1},
       {LoaderKind::sprite, obj::panelRight, "gfx/background/panel_right.png", -1}}};
  return pack;
}

CataloguePack LevelPack(int level) {
  CataloguePack pack{LevelPackName(level), {}};
  auto add = [&pack](LoaderKind loader, int object, std::string name) {
    pack.rows.push_back({loader, object, std::move(name), -1});
  };
  switch (level) {
    case 1: add(texture, obj::starQuad, redStar); break;
    case 2: case 101: add(texture, obj::glowQuad, redGlow); break;
    case 3: case 10: add(texture, obj::effectQuad, rainbowGlow); break;
    case 4: add(texture, obj::effectQuad, "gfx/flare/barre.png"); break;
    case 5:
      for (int i = 0; i < 4; ++i) {
        add(texture, obj::plateQuad + i, "gfx/plaque/plaque_128x128_" + std::to_string(i + 1) + ".png");
      }
      break;
    case 6: add(texture, obj::cloudQuad, "gfx/flare/anamorphicstreaks.png"); break;
    case 7: add(LoaderKind::opaqueTexture, obj::cloudQuad, "gfx/cloudwa.jpg"); break;
    case 8: add(texture, obj::glowQuad, redGlow); break;
    case 9: add(texture, obj::effectQuad, branches); break;
    case 11: case 12: add(texture, obj::effectQuad, redStar); break;
    case 13: add(texture, obj::effectQuad, redGlow); break;
    case 14:
      add(texture, obj::glowQuad, "gfx/flare/centralglowFF0000_3.png");
      add(texture, obj::blueGlowQuad, "gfx/flare/centralglow0000FF_3.png");
      break;
    // Read pixel by pixel into the ripple table, then rippled in place.
    case 15: add(texture, obj::waterRipple, "gfx\\background\\water\\water.png"); break;
    case 17: add(texture, obj::dropQuad, "gfx/goutte.png"); break;
    case 19:
      add(texture, obj::layerQuad, "gfx\\background\\psyche\\psyche1.png");
      add(texture, obj::layerQuad2, "gfx\\background\\psyche\\psyche2.png");
      break;
    case 50:
      for (int i = 0; i < 8; ++i) {
        add(texture, obj::guardianFrame + i, "gfx/taron/taron" + std::to_string(i) + ".png");
      }
      add(texture, obj::guardianWon, "gfx/taron/taronwin.png");
      add(texture, obj::guardianLost, "gfx/taron/taronlost.png");
      add(texture, obj::layerQuad, "gfx\\flare\\2branches_64x64.png");
      add(texture, obj::guardianMask, "gfx/taron/taronmask.png");
      add(LoaderKind::opaqueTexture, obj::cloudQuad, "gfx/cloudff0000wa.jpg");
      break;
    case 102: add(texture, obj::glowQuad, "gfx/mariostar.png"); break;
    default: break;
  }
  return pack;
}

const std::vector<std::string>& StyleNames() {
  static const std::vector<std::string> names = {"storm", "black", "clouds", "blue",
                                                 "water", "death", "sea",    "temple"};
  return names;
}

const std::vector<int>& SceneryLevels() {
  static const std::vector<int> levels = [] {
    std::vector<int> list;
    for (const LevelStyleEntry& entry : levelStyles) list.push_back(entry.level);
    return list;
  }();
  return levels;
}

const std::vector<CataloguePack>& SceneryCatalogue() {
  static const std::vector<CataloguePack> packs = [] {
    std::vector<CataloguePack> list;
    for (const std::string& style : StyleNames()) list.push_back(StylePack(style));
    list.push_back(PanelPack());
    for (int level : SceneryLevels()) {
      CataloguePack pack = LevelPack(level);
      if (!pack.rows.empty()) list.push_back(std::move(pack));
    }
    return list;
  }();
  return packs;
}
