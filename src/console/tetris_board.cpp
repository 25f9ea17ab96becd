// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/tetris_board.h"

#include <algorithm>

#include "assets/objects.h"
#include "core/game_state.h"
#include "media/media.h"

namespace {

constexpr int pieceKinds = 5;
constexpr int bugRainTop = 4;              // the first row a bug rain fills
constexpr int bugRainColumns = tetrisColumns - 1;  // the last column stays free: no row is full
constexpr int lateLevel = 6;               // from here on the board stays between levels
constexpr int lateLevelRain = 6;

// Rows of each rotation, top to bottom; '#' filled. Piece E turns between its mirror forms.
constexpr const char* shapes[pieceKinds][4][tetrisGrid] = {
    {{"####", "...#"}, {".#..", ".#..", ".#..", "##.."}, {"#...", "####"}, {"##..", "#...", "#...", "#..."}},
    {{"####"}, {"#...", "#...", "#...", "#..."}, {"####"}, {"#...", "#...", "#...", "#..."}},
    {{"#..."}, {"#..."}, {"#..."}, {"#..."}},
    {{"##..", "##.."}, {"##..", "##.."}, {"##..", "##.."}, {"##..", "##.."}},
    {{"##..", ".##."}, {".#..", "##..", "#..."}, {".##.", "##.."}, {"#...", "##..", ".#.."}}};

bool OnBoard(int column, int row) {
  return column >= 0 && column < tetrisColumns && row >= 0 && row < tetrisRows;
}

// Off the board counts as free: the callers test the board's edges themselves.
bool Occupied(int column, int row) {
  return OnBoard(column, row) && T().board[row][column].tile != 0;
}

bool Filled(const TetrisPiece& piece, int rotation, int c, int w) {
  return piece.grids[rotation][w * tetrisGrid + c] != 0;
}

void MakeRandomPiece(TetrisPiece& piece) {
  CopyPieceShape(piece, Random(pieceKinds - 1));
  piece.tile = obj::tetrisTileFirst + Random(obj::tetrisTileCount - 1);
}

int64_t NextSparkle() { return ElapsedMilliseconds() + Random(tetrisSparkleSpread); }

void EmptyCell(TetrisCell& cell) { cell = TetrisCell{}; }

void PutBug(TetrisCell& cell, bool falling) {
  cell.tile = obj::tetrisBug;
  cell.bug = true;
  cell.falling = falling;
  cell.sparkleTime = NextSparkle();
  ++T().bugCount;
}

// Where the piece sits flush on the cell its row maps to.
int FlushY(const TetrisPiece& piece) { return piece.row * tetrisCell; }

}  // namespace

TetrisState& T() { return game.tetris; }

void CopyPieceShape(TetrisPiece& piece, int kind) {
  for (int r = 0; r < 4; ++r) {
    for (int w = 0; w < tetrisGrid; ++w) {
      const char* line = shapes[kind][r][w];
      for (int c = 0; c < tetrisGrid; ++c) {
        piece.grids[r][w * tetrisGrid + c] = line && line[c] == '#' ? 1 : 0;
      }
    }
  }
}

void NewTetrisPiece() {
  TetrisState& t = T();
  if (t.level >= tetrisBugRainLevel && ++t.pieceCounter >= tetrisPiecesPerRain) {
    t.pieceCounter = 0;
    BugRain(1);
  }
  std::copy(&t.next.grids[0][0], &t.next.grids[0][0] + sizeof t.next.grids, &t.current.grids[0][0]);
  t.current.tile = t.next.tile;
  MakeRandomPiece(t.next);
  t.current.x = tetrisSpawnX;
  t.current.y = tetrisSpawnY;
  t.current.rotation = 0;
  UpdatePieceCell(t.current);
  t.fallStep = 1;
}

void UpdatePieceCell(TetrisPiece& piece) {
  // The division truncates towards zero: from y 64 down a moving piece maps to the upper of the
  // two rows it overlaps, but nearer the top the row runs ahead of it (y 33 is already row 2).
  piece.column = std::clamp((piece.x - 64) / tetrisCell + 2, 0, tetrisColumns - 1);
  piece.row = std::clamp((piece.y - 64) / tetrisCell + 2, 0, tetrisRows - 1);
}

bool PieceCanMove(int direction) {
  TetrisPiece& p = T().current;
  UpdatePieceCell(p);
  for (int w = 0; w < tetrisGrid; ++w) {
    for (int c = 0; c < tetrisGrid; ++c) {
      if (!Filled(p, p.rotation, c, w)) continue;
      const int column = p.column + c, row = p.row + w;
      switch (direction) {
        case tetrisLeft:
          if (column < 1 || Occupied(column - 1, row)) return false;
          break;
        case tetrisRight:
          if (column > tetrisColumns - 2 || Occupied(column + 1, row)) return false;
          break;
        default:
          if (row > tetrisRows - 2 || Occupied(column, row + 1)) return false;
          break;
      }
    }
  }
  return true;
}

bool RotatePiece(int r) {
  TetrisPiece& p = T().current;
  UpdatePieceCell(p);
  for (int w = 0; w < tetrisGrid; ++w) {
    for (int c = 0; c < tetrisGrid; ++c) {
      if (!Filled(p, r, c, w)) continue;
      const int column = p.column + c, row = p.row + w;
      if (column > tetrisColumns - 1 || row > tetrisRows - 1) return false;
      for (int dw = -1; dw <= 1; ++dw) {
        for (int dc = -1; dc <= 1; ++dc) {
          if (Occupied(column + dc, row + dw)) return false;
        }
      }
    }
  }
  p.rotation = r;
  return true;
}

bool LockPiece() {
  TetrisState& t = T();
  TetrisPiece& p = t.current;
  UpdatePieceCell(p);
  bool rests = false;
  for (int w = 0; w < tetrisGrid; ++w) {
    for (int c = 0; c < tetrisGrid; ++c) {
      if (!Filled(p, p.rotation, c, w)) continue;
      const int row = p.row + w;
      if (row >= tetrisRows - 1 || Occupied(p.column + c, row + 1)) rests = true;
    }
  }
  if (!rests) {
    t.fallStep = 1;
    return false;
  }
  for (int w = 0; w < tetrisGrid; ++w) {
    for (int c = 0; c < tetrisGrid; ++c) {
      if (!Filled(p, p.rotation, c, w) || !OnBoard(p.column + c, p.row + w)) continue;
      TetrisCell& cell = t.board[p.row + w][p.column + c];
      cell = TetrisCell{};
      cell.tile = p.tile;
      cell.sparkleTime = NextSparkle();
      t.score += tetrisLockPoints;
    }
  }
  return true;
}

void StepPieceGravity() {
  TetrisState& t = T();
  TetrisPiece& p = t.current;
  if (PieceCanMove(tetrisDown)) {
    p.y += t.fallStep;
  } else if (p.y != FlushY(p)) {
    // Near the top the row runs ahead of the piece, and a fast step taken part-way through a
    // cell can carry it past the cell's edge: either way it settles flush on its row before it
    // counts as resting, instead of hanging above the cells it sits on or sinking into them.
    p.y = p.y < FlushY(p) ? std::min(p.y + std::max(t.fallStep, 1), FlushY(p)) : FlushY(p);
  } else if (!t.locking) {
    t.fallStep = 0;
    t.locking = true;
    t.lockTime = ElapsedMilliseconds() + tetrisLockDelay;
  }
  UpdatePieceCell(p);
  if (t.locking && ElapsedMilliseconds() > t.lockTime) {
    t.locking = false;
    if (LockPiece()) NewTetrisPiece();
  }
}

int ClearFullRows() {
  TetrisState& t = T();
  int lowestCleared = -1;
  int cleared = 0;
  for (int row = tetrisRows - 1; row >= 0; --row) {
    bool full = true;
    for (int column = 0; column < tetrisColumns && full; ++column) full = t.board[row][column].tile != 0;
    if (!full) continue;
    t.flashes.push_back({row, ElapsedMilliseconds()});
    for (TetrisCell& cell : t.board[row]) {
      if (cell.bug) --t.bugCount;
      EmptyCell(cell);
      t.score += tetrisRowCellPoints;
    }
    if (lowestCleared < 0) lowestCleared = row;
    ++cleared;
  }
  // Everything above the lowest cleared row drops, so no row is left hanging over a cleared one.
  for (int row = 0; row < lowestCleared; ++row) {
    for (TetrisCell& cell : t.board[row]) {
      if (cell.tile != 0) cell.falling = true;
    }
  }
  return cleared;
}

void DropFallingCells() {
  TetrisState& t = T();
  // Bottom up, so a column of falling cells drops together.
  for (int row = tetrisRows - 1; row >= 0; --row) {
    for (int column = 0; column < tetrisColumns; ++column) {
      TetrisCell& cell = t.board[row][column];
      if (!cell.falling) continue;
      if (row + 1 < tetrisRows && t.board[row + 1][column].tile == 0) {
        t.board[row + 1][column] = cell;
        EmptyCell(cell);
      } else {
        cell.falling = false;
      }
    }
  }
}

void BugRain(int rows) {
  TetrisState& t = T();
  for (int row = bugRainTop; row <= rows + bugRainTop && row < tetrisRows; ++row) {
    for (int column = 0; column < bugRainColumns; ++column) {
      TetrisCell& cell = t.board[row][column];
      if (cell.tile == 0 && Random(1) == 0) PutBug(cell, true);
    }
  }
}

void SetUpTetrisLevel() {
  TetrisState& t = T();
  t.bugCount = 0;
  // A board that ended a game would end every later one at once.
  if (t.level < lateLevel || TetrisBoardFull()) {
    for (auto& row : t.board) {
      for (TetrisCell& cell : row) EmptyCell(cell);
    }
  }
  if (t.level < lateLevel) {
    for (int row = tetrisRows - 1; row >= tetrisRows - 1 - t.level; --row) {
      for (TetrisCell& cell : t.board[row]) {
        if (Random(1) == 0) PutBug(cell, false);
      }
    }
    return;
  }
  for (auto& row : t.board) {
    for (TetrisCell& cell : row) {
      if (cell.bug) EmptyCell(cell);
    }
  }
  BugRain(lateLevelRain);
}

bool TetrisBoardFull() {
  for (const TetrisCell& cell : T().board[0]) {
    if (cell.tile != 0) return true;
  }
  return false;
}

void FirstTetrisPieces() {
  MakeRandomPiece(T().next);
  NewTetrisPiece();
}
