// SPDX-License-Identifier: GPL-3.0-or-later
// The autopilot: the game plays itself through the same input as a player, by mouse motion and
// clicks fed into the media layer, so a game it plays records and replays like any other.
#pragma once

// Once after every presented frame: decides the motion and the button for the next frame. It
// does nothing while the focus-loss pause waits for the player.
void AutopilotStep();

// Lets go of the button the autopilot holds, if it holds it: what it pressed ends with its game
// and is never taken for the player's press (a demo's end, a new game).
void ReleaseAutopilotButton();

// The ship's target for the coming frame: under the ball that will come down to the ship first
// (reflected off the side walls on its way), or under the lowest ball when none is coming down.
float AutopilotTargetX();
