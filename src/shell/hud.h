// SPDX-License-Identifier: GPL-3.0-or-later
// The heads-up display in the right-hand panel and the two side-panel pictures.
#pragma once

#include <string>

// Right-aligned silver text: glyphs 20 pixels apart, each drawn 36 x 36 (they overlap).
void DrawSilverText(const std::string& text, int rightEdge, int y);
// The team's name as the silver glyphs show it: letters in capitals, and a '?' for each
// character without a glyph (accented letters among them).
std::string SilverName(const std::string& name);
// Team name, score, lives and collected letters; drawn after the playfield clip is lifted.
void DrawHud(const std::string& teamName, int score, int letterMask);
// The panel pictures, drawn every frame right after the background; the lower one scrolls.
void DrawSidePanels();
// Drawing on the screen changes only the lower panel's picture until EndScreenChangeLimit: the
// one part of the screen that moves while the game is paused.
void LimitScreenToLowerPanel();
// The lower panel's picture as DrawSidePanels last showed it, once more (a still frame's).
void ShowLowerPanelAgain();
