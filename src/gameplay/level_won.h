// SPDX-License-Identifier: GPL-3.0-or-later
// A level won: cleared of its breakable bricks, all five letters in, or left through the open
// door. Either way play stops, the end-of-level picture starts and the balls leave play.
#pragma once

// Play stops on a won level: the picture of the five letters when all are in, else the winner's.
void WinLevel();

// Once a frame of play: wins the level once no breakable brick is left or all five letters are
// in (not on the bonus level, which is left through the door).
void CheckLevelCleared();
