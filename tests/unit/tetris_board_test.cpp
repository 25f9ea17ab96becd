// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game's rules on the game record, without the screen: pieces, moves,
// rotations, locking, scoring, full rows, falling cells, bugs and levels.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/objects.h"
#include "console/tetris_board.h"
#include "core/game_state.h"
#include "media/media.h"

namespace {

enum Kind { pieceA, pieceB, pieceC, pieceD, pieceE };
constexpr int red = obj::tetrisTileFirst + 1;

class TetrisRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SetManualClock(true);
    RandomSeed(19);
  }
  void TearDown() override { SetManualClock(false); }

  // The current piece of a kind with its top-left grid cell at (column, row), flush on the row.
  static void Place(int kind, int column, int row, int rotation = 0) {
    TetrisPiece& p = game.tetris.current;
    CopyPieceShape(p, kind);
    p.tile = red;
    p.x = column * tetrisCell;
    p.y = row * tetrisCell;
    p.rotation = rotation;
    UpdatePieceCell(p);
  }
  static TetrisCell& Cell(int column, int row) { return game.tetris.board[row][column]; }
  static void Fill(int column, int row, bool bug = false) {
    Cell(column, row).tile = bug ? obj::tetrisBug : red;
    Cell(column, row).bug = bug;
  }
  static int Occupied() {
    int n = 0;
    for (auto& row : game.tetris.board) {
      for (TetrisCell& cell : row) n += cell.tile != 0;
    }
    return n;
  }
  TetrisState& t = game.tetris;
};

TEST_F(TetrisRules, APositionMapsToItsCellAndAboveTheBoardToRowZero) {
  TetrisPiece p;
  p.x = tetrisSpawnX;
  const int rowsAt[][2] = {{-128, 0}, {-1, 0}, {0, 0}, {1, 1}, {32, 1}, {33, 2}, {95, 2},
                           {96, 3}, {127, 3}, {608, 19}, {700, 19}};
  for (const auto& [y, row] : rowsAt) {
    p.y = y;
    UpdatePieceCell(p);
    EXPECT_EQ(p.row, row) << "y " << y;
    EXPECT_EQ(p.column, 10);
  }
  p.x = 0;
  UpdatePieceCell(p);
  EXPECT_EQ(p.column, 0);
  p.x = 19 * tetrisCell;
  UpdatePieceCell(p);
  EXPECT_EQ(p.column, 19);
}

TEST_F(TetrisRules, NewPiecesStartAboveTheBoardFromTheShapeTable) {
  FirstTetrisPieces();
  for (int i = 0; i < 50; ++i) {
    const TetrisPiece next = t.next;
    NewTetrisPiece();
    EXPECT_EQ(t.current.x, 320);
    EXPECT_EQ(t.current.y, -128);
    EXPECT_EQ(t.current.row, 0);
    EXPECT_EQ(t.current.column, 10);
    EXPECT_EQ(t.current.rotation, 0);
    EXPECT_EQ(t.current.tile, next.tile);
    EXPECT_EQ(0, std::memcmp(t.current.grids, next.grids, sizeof next.grids));
    EXPECT_GE(t.next.tile, obj::tetrisTileFirst);
    EXPECT_LT(t.next.tile, obj::tetrisTileFirst + obj::tetrisTileCount);
    int cells = 0;
    for (uint8_t b : t.next.grids[0]) cells += b;
    EXPECT_TRUE(cells == 1 || cells == 4 || cells == 5) << cells;
  }
}

TEST_F(TetrisRules, AOneCellPieceTurnsWithoutChangingShape) {
  Place(pieceC, 5, 5);
  for (int r = 1; r <= 4; ++r) {
    ASSERT_TRUE(RotatePiece(r % 4));
    EXPECT_EQ(t.current.rotation, r % 4);
    int cells = 0;
    for (uint8_t b : t.current.grids[t.current.rotation]) cells += b;
    EXPECT_EQ(cells, 1);
    EXPECT_EQ(t.current.grids[t.current.rotation][0], 1);
  }
}

TEST_F(TetrisRules, ARotationNextToAnOccupiedCellOrOffTheBoardIsRefused) {
  Place(pieceB, 5, 5);  // a line across row 5, columns 5..8
  // Turned upright it would fill column 5, rows 5..8; (4, 9) only touches its corner.
  Fill(4, 9);
  EXPECT_FALSE(RotatePiece(1));
  EXPECT_EQ(t.current.rotation, 0);
  Cell(4, 9).tile = 0;
  EXPECT_TRUE(RotatePiece(1));
  EXPECT_EQ(t.current.rotation, 1);

  // Upright from row 17 it would reach row 20.
  Place(pieceB, 5, 17);
  EXPECT_FALSE(RotatePiece(1));
  EXPECT_EQ(t.current.rotation, 0);
}

TEST_F(TetrisRules, MovesStopAtTheEdgesAndAtOccupiedCells) {
  Place(pieceD, 0, 5);
  EXPECT_FALSE(PieceCanMove(tetrisLeft));
  EXPECT_TRUE(PieceCanMove(tetrisRight));
  Fill(2, 6);
  EXPECT_FALSE(PieceCanMove(tetrisRight));
  EXPECT_TRUE(PieceCanMove(tetrisDown));
  Fill(1, 7);
  EXPECT_FALSE(PieceCanMove(tetrisDown));

  Place(pieceB, 16, 10);  // columns 16..19
  EXPECT_FALSE(PieceCanMove(tetrisRight));
  Place(pieceB, 15, 19);
  EXPECT_FALSE(PieceCanMove(tetrisDown));
}

TEST_F(TetrisRules, LockingAFiveCellPieceScores50AndWritesItsCells) {
  Place(pieceA, 3, 18);  // row 18: columns 3..6; row 19: column 6
  ASSERT_TRUE(LockPiece());
  EXPECT_EQ(t.score, 50);
  EXPECT_EQ(Occupied(), 5);
  for (int column = 3; column <= 6; ++column) EXPECT_EQ(Cell(column, 18).tile, red);
  EXPECT_EQ(Cell(6, 19).tile, red);
  EXPECT_FALSE(Cell(6, 19).bug);
}

TEST_F(TetrisRules, AClearedRowScores2000AndCountsOffItsBugs) {
  for (int column = 0; column < tetrisColumns; ++column) Fill(column, 19, column % 7 == 0);
  t.bugCount = 3;
  Fill(4, 18);
  EXPECT_EQ(ClearFullRows(), 1);
  EXPECT_EQ(t.score, 2000);
  EXPECT_EQ(t.bugCount, 0);
  for (int column = 0; column < tetrisColumns; ++column) {
    EXPECT_EQ(Cell(column, 19).tile, 0);
    EXPECT_FALSE(Cell(column, 19).bug);
  }
  ASSERT_EQ(t.flashes.size(), 1u);
  EXPECT_EQ(t.flashes[0].row, 19);
  // The cell above falls into the gap on the next tick and rests there.
  EXPECT_TRUE(Cell(4, 18).falling);
  DropFallingCells();
  EXPECT_EQ(Cell(4, 18).tile, 0);
  EXPECT_EQ(Cell(4, 19).tile, red);
  DropFallingCells();
  EXPECT_FALSE(Cell(4, 19).falling);
  EXPECT_EQ(ClearFullRows(), 0);
}

TEST_F(TetrisRules, ARowBetweenTwoClearedRowsDropsToo) {
  for (int column = 0; column < tetrisColumns; ++column) {
    Fill(column, 19);
    Fill(column, 17);
  }
  Fill(8, 18);
  Fill(8, 16);
  EXPECT_EQ(ClearFullRows(), 2);
  EXPECT_EQ(t.score, 4000);
  for (int tick = 0; tick < 5; ++tick) DropFallingCells();
  EXPECT_EQ(Cell(8, 19).tile, red);
  EXPECT_EQ(Cell(8, 18).tile, red);
  EXPECT_EQ(Occupied(), 2);
}

TEST_F(TetrisRules, APieceRestsFlushWaitsTheLockDelayAndLocks) {
  FirstTetrisPieces();
  Place(pieceD, 9, 0);
  t.current.y = 40;  // row 2 already: it settles to 64, then falls on
  for (int frame = 0; frame < 1000 && !t.locking; ++frame) StepPieceGravity();
  ASSERT_TRUE(t.locking);
  EXPECT_EQ(t.current.y, 18 * tetrisCell);
  EXPECT_EQ(t.fallStep, 0);
  AdvanceManualClock(tetrisLockDelay);
  StepPieceGravity();
  EXPECT_EQ(Occupied(), 0);
  AdvanceManualClock(1);
  StepPieceGravity();
  EXPECT_EQ(Occupied(), 4);
  EXPECT_EQ(Cell(9, 19).tile, red);
  EXPECT_EQ(t.current.y, tetrisSpawnY);  // the next piece
  EXPECT_FALSE(t.locking);
}

TEST_F(TetrisRules, SlidingOffItsSupportDuringTheLockDelayMakesThePieceFallAgain) {
  Fill(10, 19);
  Place(pieceC, 10, 18);
  StepPieceGravity();
  ASSERT_TRUE(t.locking);
  ASSERT_TRUE(PieceCanMove(tetrisRight));
  t.current.x += tetrisCell;
  AdvanceManualClock(tetrisLockDelay + 1);
  StepPieceGravity();
  EXPECT_FALSE(t.locking);
  EXPECT_EQ(Occupied(), 1);
  EXPECT_EQ(t.fallStep, 1);
  const int y = t.current.y;
  StepPieceGravity();
  EXPECT_EQ(t.current.y, y + 1);
  for (int frame = 0; frame < 100 && !t.locking; ++frame) StepPieceGravity();
  AdvanceManualClock(tetrisLockDelay + 1);
  StepPieceGravity();
  EXPECT_EQ(Cell(11, 19).tile, red);
}

TEST_F(TetrisRules, BugRainFallsIntoTheFreeCellsOfAllButTheLastColumn) {
  for (int column = 0; column < tetrisColumns; ++column) Fill(column, 19);
  Cell(3, 19).tile = 0;
  BugRain(6);
  ASSERT_GT(t.bugCount, 20);
  int bugs = 0;
  for (int row = 0; row < tetrisRows; ++row) {
    for (int column = 0; column < tetrisColumns; ++column) {
      const TetrisCell& cell = Cell(column, row);
      if (!cell.bug) continue;
      ++bugs;
      EXPECT_TRUE(row >= 4 && row <= 10) << row;
      EXPECT_LT(column, 19);
      EXPECT_TRUE(cell.falling);
      EXPECT_EQ(cell.tile, obj::tetrisBug);
    }
  }
  EXPECT_EQ(bugs, t.bugCount);
  for (int tick = 0; tick < 25; ++tick) DropFallingCells();
  // Every column is a solid stack from the bottom, and nothing falls any more.
  for (int column = 0; column < tetrisColumns; ++column) {
    bool gap = false;
    for (int row = tetrisRows - 1; row >= 0; --row) {
      EXPECT_FALSE(Cell(column, row).falling);
      if (Cell(column, row).tile == 0) gap = true;
      else EXPECT_FALSE(gap) << column << "," << row;
    }
  }
  EXPECT_EQ(Occupied(), bugs + 19);
}

TEST_F(TetrisRules, EveryThirtiethPieceFromLevelFiveBringsABugRain) {
  FirstTetrisPieces();
  t.level = 4;
  for (int i = 0; i < 40; ++i) NewTetrisPiece();
  EXPECT_EQ(t.bugCount, 0);
  t.level = 5;
  t.pieceCounter = 0;
  for (int i = 0; i < 29; ++i) NewTetrisPiece();
  EXPECT_EQ(t.bugCount, 0);
  NewTetrisPiece();
  EXPECT_GT(t.bugCount, 0);
  EXPECT_EQ(t.pieceCounter, 0);
}

TEST_F(TetrisRules, EarlyLevelsStartWithOneMoreBugRowEachOnAnEmptyBoard) {
  Fill(5, 2);
  t.level = 3;
  SetUpTetrisLevel();
  EXPECT_EQ(Cell(5, 2).tile, 0);
  int bugs = 0;
  for (int row = 0; row < tetrisRows; ++row) {
    for (int column = 0; column < tetrisColumns; ++column) {
      if (Cell(column, row).tile == 0) continue;
      EXPECT_TRUE(Cell(column, row).bug);
      EXPECT_GE(row, 16);
      ++bugs;
    }
  }
  EXPECT_EQ(bugs, t.bugCount);
  EXPECT_GT(bugs, 10);
  EXPECT_LT(bugs, 70);
}

TEST_F(TetrisRules, LaterLevelsKeepTheBoardButReplaceItsBugs) {
  Fill(2, 19);
  Fill(7, 19, true);
  t.level = 6;
  SetUpTetrisLevel();
  EXPECT_EQ(Cell(2, 19).tile, red);
  EXPECT_EQ(Cell(7, 19).tile, 0);  // the old bug is gone; the new ones are still falling
  int bugs = 0;
  for (auto& row : t.board) {
    for (TetrisCell& cell : row) bugs += cell.bug;
  }
  EXPECT_EQ(bugs, t.bugCount);
  EXPECT_GT(bugs, 20);
}

TEST_F(TetrisRules, AFullBoardEndsTheGameAndIsNotKeptForTheNext) {
  for (int row = 0; row < tetrisRows; ++row) {
    for (int column = 0; column < tetrisColumns - 1; ++column) Fill(column, row);
  }
  EXPECT_TRUE(TetrisBoardFull());
  EXPECT_EQ(ClearFullRows(), 0);
  // A piece that cannot enter locks on top and stays in row 0.
  FirstTetrisPieces();
  for (int frame = 0; frame < 200 && !t.locking; ++frame) StepPieceGravity();
  EXPECT_TRUE(t.locking);
  EXPECT_EQ(t.current.row, 0);
  t.level = 7;
  SetUpTetrisLevel();
  EXPECT_FALSE(TetrisBoardFull());
  EXPECT_EQ(Occupied(), t.bugCount);
}

}  // namespace
