// SPDX-License-Identifier: GPL-3.0-or-later
// The credits screen's pack: its title picture and its music, in pack order.
#pragma once

#include "assets/catalogue.h"

constexpr const char* creditsPackName = "packs/credits.pak";

const CataloguePack& CreditsCatalogue();

// Loads the pack's rows into their objects (fatal when the pack or an entry is missing) and
// leaves the main pack current again.
void LoadCreditsAssets();
// Frees the title picture and its quad and the music (stopping it first).
void FreeCreditsAssets();
