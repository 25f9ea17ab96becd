// SPDX-License-Identifier: GPL-3.0-or-later
// Maps the scenery's catalogue names onto the scenery pictures; nullptr for any other name.
#include <string>
#include <string_view>

#include "arena_common.h"
#include "generators.h"
#include "scenery_pictures.h"

cairo_surface_t* DrawSceneryPicture(const std::string& fileName) {
  using arena::EndsWith;
  using arena::StartsWith;
  using namespace scenery;
  const std::string_view name = fileName;
  if (StartsWith(name, "gfx/background/panel_") && EndsWith(name, ".png")) {
    return DrawPanelPicture(std::string(name.substr(21, name.size() - 25)));
  }
  if (StartsWith(name, "gfx/background/") && EndsWith(name, ".jpg")) {
    const std::string_view rest = name.substr(15);
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return nullptr;
    const std::string style(rest.substr(0, slash));
    if (rest.substr(slash + 1) != style + ".jpg") return nullptr;
    return DrawBackgroundPicture(style);
  }
  if (name == "gfx/flare/starFF0000_128x128.png") return DrawStar(1.0, 0.25, 0.15);
  if (name == "gfx/flare/centralglowFF0000.png") return DrawGlow(1.0, 0.2, 0.1, 0);
  if (name == "gfx/flare/centralglowFF0000_3.png") return DrawGlow(1.0, 0.25, 0.15, 1);
  if (name == "gfx/flare/centralglow0000FF_3.png") return DrawGlow(0.2, 0.35, 1.0, 1);
  if (name == "gfx/flare/centralrainbow.png") return DrawRainbowGlow();
  if (name == "gfx/flare/barre.png") return DrawBar();
  if (name == "gfx/flare/anamorphicstreaks.png") return DrawStreaks();
  if (name == "gfx/flare/2branches_64x64.png" || name == "gfx\\flare\\2branches_64x64.png") {
    return DrawBranches();
  }
  if (StartsWith(name, "gfx/plaque/plaque_128x128_") && EndsWith(name, ".png")) {
    const int number = arena::TrailingNumber(name);
    return number >= 1 && number <= 4 ? DrawPlate(number) : nullptr;
  }
  if (name == "gfx/cloudwa.jpg") return DrawCloudPuff(0.92, 0.94, 1.0);
  if (name == "gfx/cloudff0000wa.jpg") return DrawCloudPuff(1.0, 0.25, 0.12);
  if (name == "gfx\\background\\water\\water.png") return DrawWaterPicture();
  if (name == "gfx/goutte.png") return DrawDrop();
  if (name == "gfx\\background\\psyche\\psyche1.png") return DrawPsyche(1);
  if (name == "gfx\\background\\psyche\\psyche2.png") return DrawPsyche(2);
  if (name == "gfx/mariostar.png") return DrawGoldStar();
  if (StartsWith(name, "gfx/taron/taron") && EndsWith(name, ".png")) {
    if (name == "gfx/taron/taronwin.png") return DrawGuardianWon();
    if (name == "gfx/taron/taronlost.png") return DrawGuardianLost();
    if (name == "gfx/taron/taronmask.png") return DrawGuardianMask();
    const int frame = arena::TrailingNumber(name);
    if (frame >= 0 && frame < 8 && name.size() == std::string_view("gfx/taron/taron0.png").size()) {
      return DrawGuardianFrame(frame);
    }
  }
  return nullptr;
}
