// SPDX-License-Identifier: GPL-3.0-or-later
// What the player asks of a menu screen (the main menu, the options): move, change, choose, go
// back. Today the keyboard answers; a gamepad's d-pad and buttons join here, once for every
// screen.
#pragma once

// Each reads the snapshot the frame took with ExamineKeyboard, and holds on the one frame after
// the key was let go: a key held down acts once.
bool MenuUp();      // Up
bool MenuDown();    // Down
bool MenuLeft();    // Left
bool MenuRight();   // Right
bool MenuChoose();  // Enter (either) or Space
bool MenuBack();    // Escape
