// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game's rules on game.tetris: pieces, moves, rotations, locking, full rows,
// falling cells, bugs and levels. No drawing and no keys: tetris.cpp reads the keys and draws.
#pragma once

#include "core/tetris_record.h"

enum TetrisDirection { tetrisLeft, tetrisRight, tetrisDown };

constexpr int tetrisSpawnX = 320;          // column 10 ...
constexpr int tetrisSpawnY = -128;         // ... four cells above the board
constexpr int tetrisLockDelay = 500;       // ms a resting piece waits before it locks
constexpr int tetrisFallTick = 50;         // ms between two drops of the falling cells
constexpr int tetrisLockPoints = 10;       // per locked cell
constexpr int tetrisRowCellPoints = 100;   // per cleared cell: 2000 a row
constexpr int tetrisBugRainLevel = 5;      // from this level on, every 30th piece brings bugs
constexpr int tetrisPiecesPerRain = 30;
constexpr int tetrisSparkleSpread = 10000;  // ms: a cell's next sparkle comes within this

// The game's record, game.tetris; short, since nearly every procedure of the game names it.
TetrisState& T();

// The shape table: piece kind 0..4 (A to E), rotation 0..3, as 4 x 4 grids.
void CopyPieceShape(TetrisPiece& piece, int kind);

// A random kind and colour for the next piece; the current piece takes the old next one and
// starts above the board. From level 5 on, every 30th piece also brings one bug rain.
void NewTetrisPiece();

// The cell the piece's position maps to, clamped to the board (rows above it are row 0).
void UpdatePieceCell(TetrisPiece& piece);

// Whether the current piece may move one cell that way: each filled cell must stay on the
// board and find the neighbouring cell free.
bool PieceCanMove(int direction);

// Turns the current piece to rotation r unless a filled cell of the new grid would lie off the
// board or next to (or on) an occupied cell; true when it turned.
bool RotatePiece(int r);

// Writes the current piece into the board if it rests (10 points a cell); otherwise it falls on.
// True when it locked.
bool LockPiece();

// One frame of gravity: the piece falls by the fall step, settles flush on what it meets, waits
// the lock delay and locks; a locked piece is followed by the next one.
void StepPieceGravity();

// Empties every full row (100 points a cell, the bugs in it counted off), starts its flash and
// lets the cells above drop. The number of rows cleared.
int ClearFullRows();

// One fall tick: each falling cell drops a row into a free cell below, or stops falling.
void DropFallingCells();

// n + 1 rows of bugs from row 4 down, each free cell of columns 0..18 by even chance, falling.
void BugRain(int rows);

// A level's board: bug rows at the bottom for levels 0..5; later levels keep the board, lose
// its old bugs and get a bug rain of 6 rows. The piece starts again above the board.
void SetUpTetrisLevel();

// Game over: any cell of the top row is occupied.
bool TetrisBoardFull();

// The game's first pieces: a random next piece, then the current one from it.
void FirstTetrisPieces();
