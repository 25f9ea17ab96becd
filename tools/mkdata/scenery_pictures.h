// SPDX-License-Identifier: GPL-3.0-or-later
// The scenery pictures by kind; DrawSceneryPicture (generators.h) maps catalogue names onto them.
#pragma once

#include <cairo.h>

#include <string>

namespace scenery {

cairo_surface_t* DrawBackgroundPicture(const std::string& style);  // 740 x 748, opaque
cairo_surface_t* DrawPanelPicture(const std::string& which);       // "top", "left", "right"

// Effect pictures.
cairo_surface_t* DrawGlow(double r, double g, double b, int ring);  // ring 0: plain
cairo_surface_t* DrawRainbowGlow();
cairo_surface_t* DrawStar(double r, double g, double b);
cairo_surface_t* DrawBar();
cairo_surface_t* DrawStreaks();
cairo_surface_t* DrawPlate(int number);
cairo_surface_t* DrawBranches();
cairo_surface_t* DrawCloudPuff(double r, double g, double b);
cairo_surface_t* DrawWaterPicture();
cairo_surface_t* DrawDrop();
cairo_surface_t* DrawPsyche(int layer);
cairo_surface_t* DrawGoldStar();

// The guardian of the temple.
cairo_surface_t* DrawGuardianFrame(int frame);
cairo_surface_t* DrawGuardianWon();
cairo_surface_t* DrawGuardianLost();
cairo_surface_t* DrawGuardianMask();

}  // namespace scenery
