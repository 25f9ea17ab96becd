// SPDX-License-Identifier: GPL-3.0-or-later
// A level's bricks: read from its level file at level start, moved along their paths every
// frame, and counted for the test that ends the level once nothing breakable is left.
#pragma once

#include <string>
#include <vector>

#include "levels/bricks.h"
#include "levels/level_source.h"

// "level" + number + ".dat", in the working directory.
std::string LevelFileName(int levelNumber);

// Reads the current level's file into the brick list, then releases the previous level's
// resources. A missing file is the fatal "No level file"; a malformed one is fatal too, with
// a line naming the file, the brick and the fault.
void LoadLevel();
// The same for bricks given whole (the editor's test play): no file is read.
void LoadLevelBricks(const std::vector<BrickRecord>& records);
// Gives one brick the first letter not yet collected and one brick the malus.
void PlaceLetters();
// The indices of all teleporter bricks, in list order; also frees every teleporter.
void BuildTeleportList();
// Once per frame: the second counter, then every live brick moves, animates and is drawn.
void StepBricks();
// The live bricks that keep the level open: those of a breakable kind.
int BreakableBricksLeft();
