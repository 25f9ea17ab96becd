// SPDX-License-Identifier: GPL-3.0-or-later
// Attract mode: a menu left alone plays a demo game with the autopilot over a random level, with
// a "DEMO" caption, until a person presses a key or a button.
#pragma once

// After the menu handed over: picks the level and lets the autopilot take the mouse.
void StartAttractDemo();
// The demo is over (a key, a click, or the game ended): the autopilot lets go of the button and
// the mouse is the player's again.
void EndAttractDemo();
// Once a frame during the demo, over everything.
void DrawDemoCaption();
