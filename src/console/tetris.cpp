// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/tetris.h"

#include <cmath>
#include <string>

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "assets/tetris_catalogue.h"
#include "console/tetris_board.h"
#include "console/tetris_light.h"
#include "core/game_state.h"
#include "core/screen.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int boardLeft = 32;              // the board's top-left corner on the screen
constexpr int boardTop = 32;
constexpr int boardSize = tetrisColumns * tetrisCell;  // 640
constexpr int previewLeft = 834;           // the next piece
constexpr int previewTop = 85;
constexpr int sideRepeat = 100;            // ms between two sideways steps while an arrow is held
constexpr int fastFall = 8;                // pixels a frame while Space is held
constexpr int nextLevelShown = 2000;       // ms
constexpr int flashLength = 450;           // ms a cleared row glows
constexpr int sparkleLength = 350;         // ms a cell's sparkle lasts, ending at its sparkle time
constexpr int sparkleSize = 56;
constexpr int lightSpotSize = 320;
constexpr int lightSpotAlpha = 45;
constexpr int largeFontSize = 25;
constexpr int smallFontSize = 12;
constexpr int textCentre = 380;
constexpr int panelCentre = 910;
constexpr int playingColour = RGB(0, 255, 168);
constexpr int endColour = RGB(255, 168, 0);
constexpr int panelColour = RGB(0, 128, 255);
constexpr const char* leaveHint = "APPUIE SUR EFFACER POUR QUITTER";

// ---------------------------------------------------------------- drawing

void DrawQuad(int quad, int x, int y, int width, int height, int alpha) {
  ZoomSprite3D(quad, width, height);
  DisplaySprite3D(quad, x, y, alpha);
}

void DrawScenery(int64_t now) {
  Sprite3DBlendingMode(blendTransparent);
  Sprite3DQuality(1);
  DisplaySprite3D(obj::tetrisFond, 0, 0);
  DrawQuad(obj::tetrisLitBackground, boardLeft, boardTop, boardSize, boardSize, 255);
  const LightPlace light = LightAt(now);
  const float scale = static_cast<float>(boardSize) / litSize;
  Sprite3DBlendingMode(blendAdditive);
  DrawQuad(obj::tetrisLight, RoundHalfAway(boardLeft + light.x * scale - lightSpotSize / 2.0f),
           RoundHalfAway(boardTop + light.y * scale - lightSpotSize / 2.0f), lightSpotSize,
           lightSpotSize, lightSpotAlpha);
  Sprite3DBlendingMode(blendTransparent);
  DisplaySprite3D(obj::tetrisBackground, 0, 0);
}

// A cell glints in the moments before its sparkle time, then picks its next one.
void DrawCells(int64_t now) {
  TetrisState& t = T();
  Sprite3DBlendingMode(blendTransparent);
  for (int row = 0; row < tetrisRows; ++row) {
    for (int column = 0; column < tetrisColumns; ++column) {
      const TetrisCell& cell = t.board[row][column];
      if (cell.tile) DisplaySprite3D(cell.tile, boardLeft + column * tetrisCell, boardTop + row * tetrisCell);
    }
  }
  Sprite3DBlendingMode(blendAdditive);
  for (int row = 0; row < tetrisRows; ++row) {
    for (int column = 0; column < tetrisColumns; ++column) {
      TetrisCell& cell = t.board[row][column];
      if (!cell.tile) continue;
      if (now >= cell.sparkleTime) {
        cell.sparkleTime = now + sparkleLength + Random(tetrisSparkleSpread);
      }
      const int64_t left = cell.sparkleTime - now;
      if (left >= sparkleLength) continue;
      const float phase = 1.0f - static_cast<float>(left) / sparkleLength;
      const int alpha = static_cast<int>(255 * std::sin(phase * pi));
      const int size = sparkleSize / 2 + static_cast<int>(phase * sparkleSize / 2);
      DrawQuad(obj::tetrisLight, boardLeft + column * tetrisCell + tetrisCell / 2 - size / 2,
               boardTop + row * tetrisCell + tetrisCell / 2 - size / 2, size, size, alpha);
    }
  }
  Sprite3DBlendingMode(blendTransparent);
}

void DrawPiece(const TetrisPiece& piece, int left, int top) {
  for (int w = 0; w < tetrisGrid; ++w) {
    for (int c = 0; c < tetrisGrid; ++c) {
      if (piece.grids[piece.rotation][w * tetrisGrid + c]) {
        DisplaySprite3D(piece.tile, left + c * tetrisCell, top + w * tetrisCell);
      }
    }
  }
}

// The falling piece shows only inside the board: it slides in from under the top edge.
void DrawPieces() {
  TetrisState& t = T();
  UpdatePieceCell(t.current);
  Sprite3DBlendingMode(blendTransparent);
  Set3DViewport(boardLeft, boardTop, boardSize, boardSize);
  DrawPiece(t.current, boardLeft + t.current.x, boardTop + t.current.y);
  Set3DViewport(0, 0, screenWidth, screenHeight);
  DrawPiece(t.next, previewLeft, previewTop);
}

void DrawFlashes(int64_t now) {
  TetrisState& t = T();
  std::erase_if(t.flashes, [now](const TetrisFlash& f) { return now - f.startTime >= flashLength; });
  Sprite3DBlendingMode(blendAdditive);
  for (const TetrisFlash& f : t.flashes) {
    const float age = static_cast<float>(now - f.startTime) / flashLength;
    const int spread = static_cast<int>(tetrisCell * (1.0f + age));
    DrawQuad(obj::tetrisLine, boardLeft, boardTop + f.row * tetrisCell + tetrisCell / 2 - spread, boardSize,
             2 * spread, static_cast<int>(255 * (1.0f - age)));
  }
  Sprite3DBlendingMode(blendTransparent);
}

void DrawCentred(int centre, int y, const std::string& text, int colour) {
  DrawText(centre - TextWidth(text) / 2, y, text, colour, 0);
}

void DrawTexts() {
  const TetrisState& t = T();
  if (!StartDrawing()) return;
  DrawingMode(1);
  DrawingFont(obj::fontTetrisSmall);
  DrawText(0, 0, leaveHint, playingColour, 0);
  DrawCentred(panelCentre, 310, "LEVEL : " + std::to_string(t.level + 1), panelColour);
  DrawCentred(panelCentre, 330, "SCORE:", panelColour);
  DrawCentred(panelCentre, 350, std::to_string(t.score), panelColour);
  const char* large = nullptr;
  std::string small;
  int colour = endColour;
  std::string levelBanner;
  if (t.paused) {
    large = "PAUSE";
    small = "Press <P> to continue.";
    colour = playingColour;
  } else if (t.gameOver) {
    large = "PERDU...";
    small = "Score : " + std::to_string(t.score);
  } else if (t.levelWon != tetrisPlaying) {
    levelBanner = "LEVEL " + std::to_string(t.level + 2);
    large = levelBanner.c_str();
    small = "Next level...";
  }
  if (large) {
    DrawCentred(textCentre, 340, small, colour);
    DrawingFont(obj::fontText);
    DrawCentred(textCentre, 300, large, colour);
  }
  StopDrawing();
}

// ---------------------------------------------------------------- keys and levels

// A sideways arrow moves the piece at once and then every 100 ms while it is held.
void SidewaysKey(int key, int direction, int step, bool& held, bool& repeating, int64_t& repeatTime) {
  const TetrisState& t = T();
  const bool down = KeyboardPushed(key);
  if (down && !held && !t.paused && PieceCanMove(direction)) repeating = true;
  held = down;
  if (KeyboardReleased(key) || !down) repeating = false;
  const int64_t now = ElapsedMilliseconds();
  if (repeating && !t.paused && now >= repeatTime && PieceCanMove(direction)) {
    T().current.x += step;
    UpdatePieceCell(T().current);
    repeatTime = now + sideRepeat;
  }
}

void ReadPieceKeys() {
  TetrisState& t = T();
  SidewaysKey(keyRight, tetrisRight, tetrisCell, t.rightHeld, t.rightRepeating, t.rightRepeatTime);
  SidewaysKey(keyLeft, tetrisLeft, -tetrisCell, t.leftHeld, t.leftRepeating, t.leftRepeatTime);
  if (!t.paused && !t.locking) {
    if (KeyboardReleased(keyUp)) RotatePiece((t.current.rotation + 1) % 4);
    if (KeyboardReleased(keyDown)) RotatePiece((t.current.rotation + 3) % 4);
  }
  if (!t.paused && PieceCanMove(tetrisDown)) {
    if (KeyboardPushed(keySpace)) t.fallStep = fastFall;
    if (KeyboardReleased(keySpace)) t.fallStep = 1;
  }
  if (KeyboardReleased(keyP)) t.paused = !t.paused;
}

void HandleLevelWon(int64_t now) {
  TetrisState& t = T();
  if (t.levelWon == tetrisPlaying && t.bugCount <= 0 && !t.gameOver) {
    t.levelWon = tetrisShowingNextLevel;
    t.levelWonTime = now + nextLevelShown;
  }
  if (t.levelWon == tetrisShowingNextLevel && now > t.levelWonTime) {
    t.levelWon = tetrisAdvancing;
    ++t.level;
    SetUpTetrisLevel();
    t.levelWon = tetrisPlaying;
  }
}

}  // namespace

void SetUpTetris() {
  LoadCataloguePack(TetrisCatalogue());
  PrepareLitBackground();
  TetrisState& t = T();
  t.paused = false;
  t.gameOver = false;
  t.levelWon = tetrisPlaying;
  t.locking = false;
  t.leftHeld = t.rightHeld = t.leftRepeating = t.rightRepeating = false;
  t.flashes.clear();
  t.nextFallTick = 0;
  FirstTetrisPieces();
  if (game.musicOn) PlaySound(obj::tetrisMusic, soundLoop);
  SetUpTetrisLevel();
  LoadFont(obj::fontText, "Arial black", largeFontSize);
  LoadFont(obj::fontTetrisSmall, "DejaVu Sans", smallFontSize);
}

bool TetrisFrame() {
  TetrisState& t = T();
  ClearScreen(0);
  ExamineKeyboard();
  ExamineMouse();
  const int64_t now = ElapsedMilliseconds();
  if (now >= t.nextFallTick) {
    t.nextFallTick = now + tetrisFallTick;
    RelightBackground(now);
    DropFallingCells();
  }
  DrawScenery(now);
  DrawCells(now);
  DrawPieces();
  if (!t.gameOver && t.levelWon == tetrisPlaying) {
    ReadPieceKeys();
    if (!t.paused) StepPieceGravity();
  }
  ClearFullRows();
  DrawFlashes(now);
  if (TetrisBoardFull()) t.gameOver = true;
  HandleLevelWon(now);
  Stop3D();
  DrawTexts();
  Start3D();
  FlipBuffers();
  EndIfCloseRequested();
  if (KeyboardPushed(keyBackspace)) {
    StopSound(obj::tetrisMusic);
    return true;
  }
  return false;
}

void RunTetris() {
  while (!TetrisFrame()) {
  }
}
