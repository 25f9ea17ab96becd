// SPDX-License-Identifier: GPL-3.0-or-later
// The credits screen, opened by the menu's second item: the credits text rises over a flying
// landscape under the title, with its own music, until the player presses Escape (or a pad's A
// or Back); the music then fades out over 100 frames and the screen closes.
#pragma once

#include <string>
#include <vector>

// Runs the credits screen until it closes; it frees its pictures and music before returning.
void RunCredits();

// The pieces of RunCredits, for the tests and the benchmark.
// Loads the credits pack and the font, starts the music looping and sets the screen up.
void OpenCredits();
// One frame: landscape, text, title, the leaving keys and the fade, then the flip (a window
// closed meanwhile ends the program). False once the music has faded out (the frame that
// reaches volume 0 is still shown).
bool CreditsFrame();
// Stops and frees the music, the title and the font, and empties the screen's record.
void CloseCredits();

// The credits text: 138 lines separated by carriage return and line feed.
std::string CreditsText();
// The text's lines, carriage returns and line feeds removed, the last line included.
std::vector<std::string> SplitCreditsText(const std::string& text);
// The y at which the coming frame draws a line (the first line is at 768 in the first frame).
int CreditsLineY(int line);

constexpr int creditsLineSpacing = 35;
constexpr int creditsTextColour = 0 + 128 * 256 + 255 * 65536;  // red 0, green 128, blue 255
constexpr int creditsFontSize = 20;
constexpr int creditsFadeFrames = 100;
