// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/sweets.h"

#include <cmath>

#include "assets/objects.h"
#include "assets/side_game_catalogue.h"
#include "console/side_games.h"
#include "core/game_state.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int skyPink = RGB(243, 190, 240);
constexpr int spawnPeriod = 4 * frameRate;       // a new balloon every 4 s
constexpr int speedUpPeriod = 30 * frameRate;
constexpr float speedUp = 0.05f;
constexpr float drift = 0.5f;                    // pixels a frame before the speed factor
constexpr int spawnTop = 128, spawnSpread = 128; // a balloon's string top, 128..256
constexpr int balloonColours = 6, sweetKinds = 25;
constexpr double bob = 32;                       // pixels the balloon rises and falls
constexpr double wobble = 10;                    // pixels of breathing, degrees of swing
constexpr double swingPeriod = 32;               // pixels of travel per radian of swing
constexpr double bobPeriod = 64;
constexpr double stringLength = 60;              // balloon centre to sweet centre
constexpr int balloonAlpha = 230;
constexpr int riseStep = 1;                      // an empty balloon rises a pixel a frame
constexpr int riseGone = -64;
constexpr double fallGrowth = 1.01;              // a falling sweet speeds up 1% a frame
constexpr int caughtAt = screenHeight;
constexpr int sweetReach = 32, balloonReach = 64;
constexpr int sweetHitCost = 5, emptyPopScore = 5, caughtScore = 10;
constexpr int flashFrames = 5;
constexpr double shotSpeed = 16;
constexpr double launcherX = 512, launcherY = 705;
constexpr double shotRest = 48;                  // behind the launcher
constexpr double launcherTurn = 6.4;             // mouse pixels per degree
constexpr double launcherAtLeftEdge = 280;       // degrees: 280 (-80) to 440 (+80) across
constexpr int lastColumn = screenWidth - 1, lastRow = screenHeight - 1;
// The sky: two tilings of stars, 128 pixels apart, drifting in opposite directions.
constexpr int starStep = 128;
constexpr int firstColumn = -63, lastStarColumn = 1001;
constexpr int mirroredColumn = 1087;
constexpr int starDrift = 4;
constexpr double starWave = 20, starWavePeriod = 128;

int BalloonWidth() { return SpriteWidth(obj::sugarBalloon); }
int BalloonHeight() { return SpriteHeight(obj::sugarBalloon); }

int Distance(int x1, int y1, int x2, int y2) {
  return RoundHalfAway(std::hypot(static_cast<double>(x1 - x2), static_cast<double>(y1 - y2)));
}

bool ShotWithin(int x, int y, int reach) {
  const SweetsState& s = game.sweets;
  return s.shotInFlight && Distance(x, y, RoundHalfAway(s.shotX), RoundHalfAway(s.shotY)) < reach;
}

// The shot ends and the flash shows where it hit.
void Hit(int x, int y) {
  SweetsState& s = game.sweets;
  s.shotInFlight = false;
  s.flashX = x;
  s.flashY = y;
  s.flashTimer = flashFrames;
}

// One shot at a time, and one per press.
void Launch() {
  SweetsState& s = game.sweets;
  const bool pressed = MouseButton(1);
  if (s.clickLatch && !pressed) s.clickLatch = false;
  if (!pressed || s.clickLatch || s.shotInFlight) return;
  s.shotInFlight = true;
  PlaySideTone(toneShot);
  s.clickLatch = true;
  const double a = RadiansDouble(s.launcherAngle) + 3 * piDouble / 2;
  s.shotVX = static_cast<float>(shotSpeed * std::cos(a));
  s.shotVY = static_cast<float>(shotSpeed * std::sin(a));
}

void AddBalloon() {
  SweetBalloon& b = game.sweets.balloons.Append();
  b.y = spawnTop + Random(spawnSpread);
  b.balloonSprite = obj::sugarBalloon + Random(balloonColours - 1);
  b.sweetSprite = obj::sugarSweet + Random(sweetKinds - 1);
  b.state = balloonCarrying;
  if (Random(10) < 5) {
    b.x = -BalloonWidth() / 2.0f;
    b.vx = drift;
  } else {
    b.x = lastColumn + BalloonWidth() / 2.0f;
    b.vx = -drift;
  }
}

void DrawSky() {
  SweetsState& s = game.sweets;
  const int turn = game.frameCounter;
  auto star = [turn](int x, int rowY) {
    const int y = rowY + RoundHalfAway(starWave * std::sin((x + turn) / starWavePeriod));
    // Fainter towards the top of the sky.
    DisplaySprite3D(obj::sugarStar, x, y, rowY / 8 + 32);
    RotateSprite3D(obj::sugarStar, turn, 0);
  };
  for (int rowY : {32, 288, 544}) {
    for (int c = firstColumn; c <= lastStarColumn; c += starStep) star(c + s.skyOffset, rowY);
  }
  for (int rowY : {160, 416, 672}) {
    for (int c = firstColumn; c <= lastStarColumn; c += starStep) {
      star(mirroredColumn - c - s.skyOffset, rowY);
    }
  }
  s.skyOffset = (s.skyOffset - starDrift) & (starStep - 1);
}

bool OffSides(float x) {
  const float half = BalloonWidth() / 2.0f;
  return x >= half + 1026 || x < -half - 2;
}

struct BalloonPose {
  int bx, by;   // the balloon's centre (whole pixels for the hit tests)
  double s;     // the bob and breathing phase
  int sx, sy;   // the sweet's centre
};

// The balloon bobs, breathes and swings; the sweet hangs on the string below it.
BalloonPose DrawBalloon(const SweetBalloon& b, bool withSweet) {
  const double s = std::sin(b.x / bobPeriod);
  const double bx = b.x, by = b.y + bob * s;
  const double swing = wobble * std::sin(b.x / swingPeriod);
  const int w = BalloonWidth(), h = BalloonHeight();
  ZoomSprite3D(b.balloonSprite, RoundHalfAway(w + wobble * s), RoundHalfAway(h + wobble * s));
  RotateSprite3D(b.balloonSprite, RoundHalfAway(swing), 0);
  DisplaySprite3D(b.balloonSprite, RoundHalfAway(bx - w / 2.0), RoundHalfAway(by - h / 2.0),
                  balloonAlpha);
  const double r = RadiansDouble(swing);
  BalloonPose pose{RoundHalfAway(bx), RoundHalfAway(by), s,
                   RoundHalfAway(bx + stringLength * std::cos(r + piDouble / 2)),
                   RoundHalfAway(by + stringLength * std::sin(r + piDouble / 2))};
  if (withSweet) {
    const int sw = SpriteWidth(b.sweetSprite), sh = SpriteHeight(b.sweetSprite);
    ZoomSprite3D(b.sweetSprite, RoundHalfAway(sw + wobble * s), RoundHalfAway(sh + wobble * s));
    RotateSprite3D(b.sweetSprite, RoundHalfAway(wobble * s), 0);
    DisplaySprite3D(b.sweetSprite, pose.sx - sw / 2, pose.sy - sh / 2);
  }
  return pose;
}

// Returns false when the balloon is gone.
bool StepCarrying(SweetBalloon& b) {
  SweetsState& st = game.sweets;
  b.x += b.vx * st.speedFactor;
  if (OffSides(b.x)) return false;
  const BalloonPose pose = DrawBalloon(b, true);
  if (ShotWithin(pose.sx, pose.sy, sweetReach)) {
    Hit(pose.sx, pose.sy);
    b.state = balloonEmpty;
    st.score -= sweetHitCost;
  } else if (ShotWithin(pose.bx, pose.by, balloonReach)) {
    // The sweet falls from where it hung.
    Hit(pose.bx, pose.by);
    b.x = static_cast<float>(pose.sx);
    b.y = pose.sy;
    b.state = sweetFalling;
  }
  return true;
}

bool StepEmpty(SweetBalloon& b) {
  SweetsState& st = game.sweets;
  b.x += b.vx * st.speedFactor;
  b.y -= riseStep;
  if (OffSides(b.x) || b.y <= riseGone) return false;
  const BalloonPose pose = DrawBalloon(b, false);
  if (!ShotWithin(pose.bx, pose.by, balloonReach)) return true;
  Hit(pose.bx, pose.by);
  st.score += emptyPopScore;
  return false;
}

bool StepFalling(SweetBalloon& b) {
  SweetsState& st = game.sweets;
  b.y = RoundHalfAway(b.y * fallGrowth);
  if (b.y >= caughtAt) {
    st.score += caughtScore;
    return false;
  }
  const int x = RoundHalfAway(b.x);
  DisplaySprite3D(b.sweetSprite, x - SpriteWidth(b.sweetSprite) / 2, b.y - SpriteHeight(b.sweetSprite) / 2);
  if (!ShotWithin(x, b.y, sweetReach)) return true;
  Hit(x, b.y);
  st.score -= sweetHitCost;
  return false;
}

void StepBalloons() {
  List<SweetBalloon>& balloons = game.sweets.balloons;
  balloons.Reset();
  while (balloons.Next()) {
    SweetBalloon& b = balloons.Current();
    bool kept = true;
    switch (b.state) {
      case balloonCarrying: kept = StepCarrying(b); break;
      case balloonEmpty: kept = StepEmpty(b); break;
      default: kept = StepFalling(b); break;
    }
    if (!kept) balloons.Delete();
  }
}

void DrawLauncher() {
  SweetsState& s = game.sweets;
  s.launcherAngle = static_cast<float>(MouseX() / launcherTurn + launcherAtLeftEdge);
  RotateSprite3D(obj::sugarLauncher, RoundHalfAway(s.launcherAngle), 0);
  DisplaySprite3D(obj::sugarLauncher,
                  RoundHalfAway(launcherX) - SpriteWidth(obj::sugarLauncher) / 2,
                  RoundHalfAway(launcherY) - SpriteHeight(obj::sugarLauncher) / 2);
}

// At rest behind the launcher; in flight it bounces off the sides and ends at the top or the
// bottom. It turns only while moving outwards, so a shot that grazes a side cannot turn back
// and forth on the edge.
void StepShot() {
  SweetsState& s = game.sweets;
  if (!s.shotInFlight) {
    const double a = RadiansDouble(s.launcherAngle) + piDouble / 2;
    s.shotX = static_cast<float>(launcherX + shotRest * std::cos(a));
    s.shotY = static_cast<float>(launcherY + shotRest * std::sin(a));
  } else {
    s.shotX += s.shotVX;
    s.shotY += s.shotVY;
    if ((s.shotX <= 0 && s.shotVX < 0) || (s.shotX >= lastColumn && s.shotVX > 0)) s.shotVX = -s.shotVX;
    if (s.shotY <= 0 || s.shotY >= lastRow) s.shotInFlight = false;
  }
  DisplaySprite3D(obj::sugarShot, RoundHalfAway(s.shotX) - SpriteWidth(obj::sugarShot) / 2,
                  RoundHalfAway(s.shotY) - SpriteHeight(obj::sugarShot) / 2);
}

void StepFlash() {
  SweetsState& s = game.sweets;
  if (s.flashTimer <= 0) return;
  --s.flashTimer;
  DisplaySprite3D(obj::sugarFlash, s.flashX - SpriteWidth(obj::sugarFlash) / 2,
                  s.flashY - SpriteHeight(obj::sugarFlash) / 2);
}

}  // namespace

void SetUpSweets() {
  SweetsState& s = game.sweets;
  s.balloons.Clear();
  s.score = 0;
  s.speedFactor = 1.0f;
  s.shotInFlight = false;
  s.clickLatch = false;
  s.launcherAngle = 0;
  s.shotX = s.shotY = 0;
  s.flashX = s.flashY = 0;
  s.flashTimer = 0;
  LoadSideGamePack(SugarCatalogue());
}

bool SweetsFrame() {
  SweetsState& s = game.sweets;
  if (ReadSideGameKeys()) s.quit = true;
  Launch();
  if (game.frameCounter % spawnPeriod == 0) AddBalloon();
  if (game.frameCounter % speedUpPeriod == 0) s.speedFactor += speedUp;
  ClearScreen(skyPink);
  if (Start3D()) {
    Sprite3DBlendingMode(blendTransparent);
    DrawSky();
    StepBalloons();
    DrawLauncher();
    StepShot();
    StepFlash();
    DrawSilverScore(s.score);
    Stop3D();
  }
  EndSideGameFrame();
  RecoverSideGameFocus(SugarCatalogue());
  if (!s.quit) return false;
  s.quit = false;
  return true;
}

void RunSweets() {
  SetUpSweets();
  while (!SweetsFrame()) {
  }
}
