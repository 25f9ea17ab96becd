// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game's record: the board, the pieces and the game's state. Level, score
// and board are program-wide: they stay from one game to the next while the program runs.
#pragma once

#include <cstdint>
#include <vector>

constexpr int tetrisColumns = 20;
constexpr int tetrisRows = 20;
constexpr int tetrisCell = 32;            // pixels, also the sideways step of a piece
constexpr int tetrisGrid = 4;             // a piece's rotation grid is 4 x 4

struct TetrisCell {
  bool falling = false;                   // drops one row per fall tick until it rests
  int tile = 0;                           // object number of its picture, 0 when empty
  int64_t sparkleTime = 0;                // ms: when the cell sparkles next
  bool bug = false;
};

struct TetrisPiece {
  uint8_t grids[4][tetrisGrid * tetrisGrid] = {};  // one per rotation; byte k: row k / 4, column k % 4
  int tile = 0;
  int x = 0;                              // pixels from the board's origin
  int y = 0;
  int column = 0;                         // the cell that x and y map to, 0..19
  int row = 0;
  int rotation = 0;                       // 0..3
};

struct TetrisFlash {
  int row;
  int64_t startTime;                      // ms
};

enum TetrisLevelWon : int { tetrisPlaying = 0, tetrisShowingNextLevel = 1, tetrisAdvancing = 2 };

struct TetrisState {
  TetrisCell board[tetrisRows][tetrisColumns];  // [row][column], row 0 at the top
  TetrisPiece current;
  TetrisPiece next;
  int level = 0;                          // shown as level + 1
  int score = 0;
  int bugCount = 0;
  bool paused = false;
  bool gameOver = false;
  int levelWon = tetrisPlaying;
  int64_t levelWonTime = 0;               // ms: when "Next level..." ends
  int fallStep = 1;                       // pixels a frame: 1, 8 with Space, 0 while locking
  bool locking = false;
  int64_t lockTime = 0;                   // ms: when the lock delay ends
  bool leftHeld = false, rightHeld = false;          // the arrow was down at the last frame
  bool leftRepeating = false, rightRepeating = false;
  int64_t leftRepeatTime = 0, rightRepeatTime = 0;   // ms: the next sideways step
  int pieceCounter = 0;                   // new pieces since the last bug rain (level 5 on)
  int64_t nextFallTick = 0;               // ms: the next drop of the falling cells and relight
  std::vector<TetrisFlash> flashes;       // rows cleared lately, oldest first
};
