// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/pong.h"

#include <string>

#include "assets/objects.h"
#include "console/console.h"
#include "core/game_state.h"
#include "core/player_options.h"
#include "core/screen.h"
#include "media/media.h"

namespace {

constexpr int paddleHeight = screenHeight / 8;   // 96
constexpr int paddleWidth = screenWidth / 64;    // 16
constexpr int ballSize = screenWidth / 64;       // 16
constexpr int humanX = 10;
constexpr int cpuX = screenWidth - paddleWidth - 10;  // 998
constexpr int faceReach = 12;                    // the ball is returned once its edge is here
// 996: the ball's left edge there puts it as deep into the computer's paddle as the player's
// paddle lets it in at x 12.
constexpr int cpuReturnX = screenWidth - paddleWidth - faceReach;
constexpr int serveSpeed = 6;
constexpr int maxSpeed = 10;
constexpr int winningScore = 10;
constexpr int serveWait = 750;                   // ms
constexpr int firstAiChange = 4000;              // ms, at most
constexpr int aiChangeSpread = 5000;             // ms, at most, on top of ...
constexpr int aiChangeMinimum = 1500;            // ... this
constexpr int winShown = 4000;                   // ms
constexpr int matchMusicVolume = 0;
constexpr int scoreFontSize = 80;
constexpr int white = RGB(255, 255, 255);
constexpr int black = RGB(0, 0, 0);

enum Direction { rightDown = 0, leftDown = 1, leftUp = 2, rightUp = 3 };
enum PongSound { clickSound, risingSound, fallingSound, hitSound };

constexpr int clickHertz = 500, clickMs = 10;
constexpr int hitHertz = 1500, hitMs = 250;
constexpr int sweepBase = 500, sweepStep = 10, sweepMs = 10;  // 121 tones of 10 ms

bool MovingLeft(int d) { return d == leftDown || d == leftUp; }
bool MovingRight(int d) { return d == rightDown || d == rightUp; }
bool MovingDown(int d) { return d == rightDown || d == leftDown; }
bool MovingUp(int d) { return d == leftUp || d == rightUp; }

// On a thread of its own: a tone blocks until it ends, and the frame loop must not wait.
void PlayTones(int sound) {
  switch (sound) {
    case clickSound: Tone(clickHertz, clickMs); break;
    case hitSound: Tone(hitHertz, hitMs); break;
    case risingSound:
      for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j) Tone(sweepBase + sweepStep * i * j, sweepMs);
      }
      break;
    case fallingSound:
      for (int i = 10; i >= 0; --i) {
        for (int j = 10; j >= 0; --j) Tone(sweepBase + sweepStep * i * j, sweepMs);
      }
      break;
    default: break;
  }
}

void Sound(PongSound sound) { StartThread(PlayTones, sound); }

void WhiteSprite(int number, int width, int height) {
  if (!CreateSprite(number, width, height, 0)) return;
  if (StartDrawing(drawSprite, number)) {
    DrawingMode(0);
    Box(0, 0, width, height, white);
    StopDrawing();
  }
}

void DrawCentred(int y, const std::string& text) {
  DrawText(screenWidth / 2 - TextWidth(text) / 2, y, text, white, black);
}

// The winner's score is held at 10; the result goes to the history once, when the ball stops.
void ShowWin(int& winnerScore, int loserScore, const char* banner, const char* result) {
  PongState& p = game.pong;
  winnerScore = winningScore;
  DrawingFont(obj::fontPong);
  DrawCentred(screenHeight / 4, banner);
  if (p.speed != 0) {
    p.speed = 0;
    p.endTime = ElapsedMilliseconds() + winShown;
    AppendConsoleLine(result + std::to_string(winnerScore) + "-" + std::to_string(loserScore));
  }
  DrawingFont(obj::fontConsole);
  DrawCentred(screenHeight / 5, "Please Wait...");
}

void DrawTable() {
  PongState& p = game.pong;
  if (StartDrawing()) {
    DrawingMode(0);
    Box(screenWidth / 2 - 2, 0, 4, screenHeight, white);
    DrawingFont(obj::fontPong);
    DrawText(screenWidth / 4, screenHeight / 3, std::to_string(p.humanScore), white, black);
    DrawText(screenWidth / 4 + screenWidth / 2, screenHeight / 3, std::to_string(p.cpuScore),
             white, black);
    if (p.cpuScore >= winningScore) ShowWin(p.cpuScore, p.humanScore, "CPU WIN !", "YOU LOSE! ");
    if (p.humanScore >= winningScore) ShowWin(p.humanScore, p.cpuScore, "HUMAN WIN !", "YOU WIN! ");
    StopDrawing();
  }
  DisplaySprite(obj::pongPaddle, humanX, p.humanY);
  DisplaySprite(obj::pongPaddle, cpuX, p.cpuY);
  DisplaySprite(obj::pongBall, p.ballX, p.ballY);
}

int Clamped(int y) {
  if (y < 0) return 0;
  if (y > screenHeight - paddleHeight) return screenHeight - paddleHeight;
  return y;
}

void MoveBall() {
  PongState& p = game.pong;
  if (ElapsedMilliseconds() <= p.serveTime) return;
  p.ballX += MovingRight(p.direction) ? p.speed : -p.speed;
  p.ballY += MovingDown(p.direction) ? p.speed : -p.speed;
}

void CountGoals() {
  PongState& p = game.pong;
  if (p.ballX < 0 && MovingLeft(p.direction)) {
    ++p.cpuScore;
    Sound(fallingSound);
    NewPongServe();
  } else if (p.ballX > screenWidth - ballSize && MovingRight(p.direction)) {
    ++p.humanScore;
    Sound(risingSound);
    NewPongServe();
  }
}

void BounceOffWalls() {
  PongState& p = game.pong;
  if (p.ballY > screenHeight - ballSize && MovingDown(p.direction)) {
    p.direction = p.direction == rightDown ? rightUp : leftUp;
    Sound(clickSound);
  }
  if (p.ballY < 0 && MovingUp(p.direction)) {
    p.direction = p.direction == rightUp ? rightDown : leftDown;
    Sound(clickSound);
  }
}

bool BesidePaddle(int paddleY) {
  const PongState& p = game.pong;
  return p.ballY + ballSize > paddleY && p.ballY < paddleY + paddleHeight;
}

// The computer's return speeds the ball up; the player's does not.
void BounceOffPaddles() {
  PongState& p = game.pong;
  if (p.ballX <= faceReach && BesidePaddle(p.humanY) && MovingLeft(p.direction)) {
    p.direction = p.direction == leftDown ? rightDown : rightUp;
    Sound(hitSound);
  }
  if (p.ballX >= cpuReturnX && BesidePaddle(p.cpuY) && MovingRight(p.direction)) {
    p.direction = p.direction == rightDown ? leftDown : leftUp;
    Sound(hitSound);
    ++p.speed;
  }
  if (p.speed >= maxSpeed) p.speed = maxSpeed;
}

bool CpuFollows() {
  const int x = game.pong.ballX;
  switch (game.pong.aiMode) {
    case 0: return x >= screenWidth / 8;
    case 1: return x >= screenWidth / 2 || x <= screenWidth / 6;
    case 2: return x >= screenWidth / 2 || x <= screenWidth / 8;
    default: return x >= screenWidth / 2 + screenWidth / 4 || x <= screenWidth / 8;
  }
}

// As fast as the ball, and still once the ball has stopped.
void PlayComputer() {
  PongState& p = game.pong;
  const int64_t now = ElapsedMilliseconds();
  if (now > p.aiChangeTime) {
    p.aiChangeTime = now + Random(aiChangeSpread) + aiChangeMinimum;
    p.aiMode = Random(3);
  }
  if (!CpuFollows()) return;
  const int ballCentre = p.ballY + ballSize / 2;
  const int paddleCentre = p.cpuY + paddleHeight / 2;
  if (ballCentre < paddleCentre) p.cpuY -= p.speed;
  if (ballCentre > paddleCentre) p.cpuY += p.speed;
}

void Finish() {
  AppendConsoleLine("Pong finished.");
  AppendConsoleLine("");
  SoundVolume(obj::music, playerSettings.musicVolume);
}

}  // namespace

void SetUpPong() {
  LoadFont(obj::fontPong, "Arial black", scoreFontSize);
  WhiteSprite(obj::pongPaddle, paddleWidth, paddleHeight);
  WhiteSprite(obj::pongBall, ballSize, ballSize);
}

void NewPongServe() {
  PongState& p = game.pong;
  const int64_t now = ElapsedMilliseconds();
  p.direction = Random(3);
  p.ballX = screenWidth / 2 - ballSize / 2;
  p.ballY = screenHeight / 2 - ballSize / 2;
  p.speed = serveSpeed;
  p.serveTime = now + serveWait;
  p.humanY = screenHeight / 2 - paddleHeight / 2;
  p.cpuY = p.humanY;
  p.aiMode = Random(3);
  p.aiChangeTime = now + Random(firstAiChange);
}

void NewPongMatch() {
  game.pong.humanScore = 0;
  game.pong.cpuScore = 0;
  SoundVolume(obj::music, matchMusicVolume);
}

bool PongFrame() {
  PongState& p = game.pong;
  ClearScreen(black);
  ExamineKeyboard();
  ExamineMouse();
  DrawTable();
  p.humanY = Clamped(p.humanY + MouseDeltaY());
  p.cpuY = Clamped(p.cpuY);
  MoveBall();
  CountGoals();
  BounceOffWalls();
  BounceOffPaddles();
  PlayComputer();
  if (ElapsedMilliseconds() > p.endTime && p.speed == 0) {
    Finish();
    return true;
  }
  FlipBuffers();
  EndIfCloseRequested();
  if (KeyboardPushed(keyEscape)) {
    // The shell would read a held Escape as the end of the game.
    while (KeyboardPushed(keyEscape)) {
      Delay(10);
      ExamineKeyboard();
      EndIfCloseRequested();
    }
    Finish();
    return true;
  }
  return false;
}

void RunPong() {
  while (!PongFrame()) {
  }
}
