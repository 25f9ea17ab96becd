// SPDX-License-Identifier: GPL-3.0-or-later
// The play button: the left mouse button, Space, either Ctrl key or a pad's A, one for all.
#pragma once

// The keys count only while the console is hidden and the run lets them (runOptions.playKeys).
// Held in the last snapshots (launch, fire, release glued balls, missiles, go on after a level).
bool PlayButtonDown();
// Pressed since the snapshots before: a click, a pad's A going down, or Space or Ctrl let go
// (keys choose on their release all through the game, as in the menu).
bool PlayButtonPushed();
