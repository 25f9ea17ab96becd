// SPDX-License-Identifier: GPL-3.0-or-later
// Maps the catalogue's picture names onto the arena families. Names of other families (the
// weapon pictures) and unknown names give nullptr.
#include <cstdlib>
#include <string>
#include <string_view>

#include "arena_common.h"
#include "arena_families.h"
#include "assets/glyph_tables.h"
#include "generators.h"

namespace {

using namespace arena;

// "<folder>/<stem><4 digits>.png" with a frame 0..15, as the animations are named.
int AnimationFrame(std::string_view name, std::string_view prefix) {
  if (!StartsWith(name, prefix) || !EndsWith(name, ".png")) return -1;
  if (name.size() != prefix.size() + 8) return -1;  // four digits and ".png"
  const int frame = TrailingNumber(name);
  return frame >= 0 && frame < 16 ? frame : -1;
}

cairo_surface_t* DrawBrickByName(std::string_view name) {
  const char* families[] = {"red", "green", "blue", "yellow", "magenta", "cyan", "white",
                            "black", "ub", "tp", "3c", "2c", "1c"};
  for (const char* family : families) {
    const std::string prefix = std::string("gfx/tiles/") + family + "/" + family;
    const int frame = AnimationFrame(name, prefix);
    if (frame >= 0) return DrawBrick(family, frame);
  }
  return nullptr;
}

cairo_surface_t* DrawCapsuleByName(std::string_view name) {
  for (const char* code : {"t", "e", "f", "l", "c", "m", "b", "r", "s", "g", "p"}) {
    const std::string prefix = std::string("gfx/bonus/") + code + "/bonus_" + code;
    const int frame = AnimationFrame(name, prefix);
    if (frame >= 0) return DrawCapsule(code, frame);
  }
  int frame = AnimationFrame(name, "gfx/bonus/malus/malus_");
  if (frame >= 0) return DrawCapsule("malus", frame);
  for (const char* letter : {"b", "o", "n", "u", "s"}) {
    const std::string prefix = std::string("gfx/bonus/bonus/") + letter + "/bonus_letters";
    frame = AnimationFrame(name, prefix);
    if (frame >= 0) return DrawCapsule(std::string(1, static_cast<char>(letter[0] - 'a' + 'A')), frame);
  }
  return nullptr;
}

cairo_surface_t* DrawShipByName(std::string_view name) {
  if (name == "gfx/ship/ShipOne.00.png") return DrawShipCraft(0);
  for (int step = 1; step <= 5; ++step) {
    const std::string digit = std::to_string(step);
    if (name == "gfx/ship/gauche/ShipOne.0" + digit + "g.png") return DrawShipCraft(-step);
    if (name == "gfx/ship/droite/ShipOne.0" + digit + "d.png") return DrawShipCraft(step);
  }
  if (StartsWith(name, "gfx/ship/bouclier/Bouclier.") && EndsWith(name, ".png") &&
      name.size() == std::string_view("gfx/ship/bouclier/Bouclier.00.png").size()) {
    const int index = TrailingNumber(name);
    if (index >= 0 && index <= 10) return DrawShipBody(index);
  }
  if (name == "gfx/ship/ship_energy.png") return DrawShipEnergy();
  return nullptr;
}

cairo_surface_t* DrawGlyphByName(std::string_view name) {
  const bool gold = StartsWith(name, "gfx/fonts/gold/gold-");
  if (!gold && !StartsWith(name, "gfx/fonts/silver/silver-")) return nullptr;
  if (!EndsWith(name, ".png")) return nullptr;
  const std::string_view order = gold ? goldGlyphOrder : silverGlyphOrder;
  const int number = TrailingNumber(name);
  if (number < 1 || number > static_cast<int>(order.size())) return nullptr;
  return DrawGlyph(order[number - 1], gold);
}

cairo_surface_t* DrawMiscByName(std::string_view name) {
  if (name == "gfx/pointer.png") return DrawPointer();
  for (int size : {8, 16, 32, 80, 160}) {
    const std::string n = std::to_string(size);
    if (name == "gfx/ball_" + n + "x" + n + ".tif") return DrawBall(size);
  }
  if (name == "gfx/redball16x16.png") return DrawRedBall();
  if (name == "gfx/halo.png") return DrawHalo();
  if (name == "gfx/nextlevel.png") return DrawNextLevelDoor();
  if (name == "gfx/panel.png") return DrawPanel();
  if (name == "gfx/panel2.png") return DrawPanelReadout();
  if (name == "gfx\\bonus.png") return DrawPixelWord("BONUS");
  if (name == "gfx\\winner.png") return DrawPixelWord("WINNER");
  if (StartsWith(name, "gfx/flare_") && EndsWith(name, ".png") &&
      name.size() == std::string_view("gfx/flare_000000.png").size()) {
    const std::string hex(name.substr(10, 6));
    char* end = nullptr;
    const unsigned long value = std::strtoul(hex.c_str(), &end, 16);
    if (end == hex.c_str() + 6) return DrawFlare(static_cast<unsigned>(value));
  }
  return nullptr;
}

}  // namespace

cairo_surface_t* DrawArenaPicture(const std::string& fileName) {
  using arena::StartsWith;
  const std::string_view name = fileName;
  if (StartsWith(name, "gfx/tiles/")) return DrawBrickByName(name);
  if (StartsWith(name, "gfx/bonus/")) return DrawCapsuleByName(name);
  if (StartsWith(name, "gfx/ship/")) return DrawShipByName(name);
  if (StartsWith(name, "gfx/fonts/")) return DrawGlyphByName(name);
  return DrawMiscByName(name);
}
