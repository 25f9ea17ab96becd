// SPDX-License-Identifier: GPL-3.0-or-later
// Program-wide settings: fixed for the whole run.
#pragma once

constexpr int screenWidth = 1024;
constexpr int screenHeight = 768;
constexpr int screenDepth = 32;
constexpr int frameRate = 75;  // frames per second, and the game's unit of time
constexpr int musicVolume = 50;  // the music's volume until the player sets one, 0..100

constexpr int playLeft = 88;
constexpr int playTop = 20;
constexpr int playRight = 808;
constexpr int playBottom = 768;
constexpr int playWidth = playRight - playLeft;     // 720
constexpr int playHeight = playBottom - playTop;    // 748
constexpr int playCentreX = playLeft + playWidth / 2;  // 448
constexpr int playCentreY = playTop + playHeight / 2;  // 394
// Play is drawn clipped from 12 pixels below the playfield's top: the top panel's lower edge
// covers those rows, and the bricks slide in from behind it.
constexpr int playClipInset = 12;
constexpr int playClipTop = playTop + playClipInset;           // 32
constexpr int playClipHeight = playHeight - playClipInset;     // 736

constexpr int cellWidth = 64;
constexpr int cellHeight = 20;
constexpr int gridColumns = playWidth / cellWidth;        // 11
constexpr int gridRows = playHeight / cellHeight - 8;     // 29

constexpr int gameWindow = 1;
constexpr const char* windowTitle = "Kaldov1rent";
constexpr int bonusLevel = 102;
constexpr int guardianLevel = 50;  // the temple's guardian, fought instead of bricks
// Play runs on through the levels below this one. The levels from here on (the guardian at 50,
// the heart at 101, the bonus level) are reached only by the console, --level or the letters.
constexpr int firstSpecialLevel = 50;
constexpr int allLetters = 31;     // B 16, O 8, N 4, U 2, S 1
// The credits' title block names the maker where a web address would stand: the project has no
// address on the web yet, and an invented one would send players nowhere.
constexpr const char* makerName = "The Kaldovirent project";
