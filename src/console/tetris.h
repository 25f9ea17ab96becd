// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game the console's "TETRIS" starts: pieces fall into a 20 x 20 board over
// a lit relief; full rows clear with a flash; a level is won once its bug tiles are cleared.
// It takes over the screen with a frame loop of its own; Backspace leaves it.
#pragma once

// Loads packs/tetris.pak, makes the lit background and the first pieces, starts the music
// (when music is on) and sets up the level's board. Level and score are kept from the last game.
void SetUpTetris();

// One frame: background and falling cells, pieces, keys and gravity, full rows, flashes, the
// game-over and level tests, the texts, then the frame is presented. True when Backspace is
// held: the music has stopped and the game is left.
bool TetrisFrame();

// Frames until the player leaves.
void RunTetris();
