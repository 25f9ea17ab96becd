// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/side_games.h"

#include <string>

#include "assets/asset_loader.h"
#include "assets/glyph_tables.h"
#include "core/game_state.h"
#include "core/screen.h"
#include "media/media.h"

namespace {

struct Beep {
  int hertz;
  int milliseconds;
};

constexpr Beep shotBeep{1000, 2}, duckBeep{5000, 10}, trolleyBeep{50, 30}, snailBeep{100, 30},
    henBeep{60, 30}, calfBeep{80, 30}, escapedBeep{500, 1};
constexpr Beep gameOverBeeps[] = {{57, 500}, {47, 500}, {37, 500}};

constexpr int scoreGlyphSize = 64;
constexpr int scoreGlyphStep = 32;
constexpr int scoreCentreX = 900;
constexpr int scoreY = 668;
constexpr int focusWait = 10;  // ms between looks at the focus

void PlayBeeps(int tone) {
  auto play = [](Beep beep) { Tone(beep.hertz, beep.milliseconds); };
  switch (tone) {
    case toneShot: play(shotBeep); break;
    case toneDuckHit: play(duckBeep); break;
    case toneTrolleyHit: play(trolleyBeep); break;
    case toneSnailHit: play(snailBeep); break;
    case toneHenHit: play(henBeep); break;
    case toneCalfHit: play(calfBeep); break;
    case toneDuckEscaped: play(escapedBeep); break;
    case toneGameOver:
      for (Beep beep : gameOverBeeps) play(beep);
      break;
    default: break;
  }
}

}  // namespace

void PlaySideTone(SideTone tone) { StartThread(PlayBeeps, tone); }

void LoadSideGamePack(const CataloguePack& pack) {
  SwitchPack(pack.packName);
  for (const CatalogueRow& row : pack.rows) LoadPackedTexture(row.object, row.fileName);
  SwitchPack(mainPackName);
}

bool ReadSideGameKeys() {
  ExamineKeyboard();
  ExamineMouse();
  HandleFrameRateKey();
  if (KeyboardReleased(keyS)) SaveScreenshot();
  return KeyboardReleased(keyEscape);
}

void DrawSilverScore(int value) {
  const std::string text = std::to_string(value);
  int x = scoreCentreX - static_cast<int>(text.size()) * scoreGlyphStep / 2;
  for (unsigned char c : text) {
    const int quad = silverGlyphBase + c;
    ZoomSprite3D(quad, scoreGlyphSize, scoreGlyphSize);
    RotateSprite3D(quad, 0, 0);
    DisplaySprite3D(quad, x, scoreY);
    x += scoreGlyphStep;
  }
}

void EndSideGameFrame() {
  DrawFrameRate();
  FlipBuffers();
  ++game.frameCounter;
  EndIfCloseRequested();
}

void RecoverSideGameFocus(const CataloguePack& pack) {
  if (ScreenActive()) return;
  ReleaseMouse(true);
  while (!ScreenActive()) {
    FlipBuffers();
    EndIfCloseRequested();
    Delay(focusWait);
  }
  OpenGameScreen();
  LoadSideGamePack(pack);
  ReleaseMouse(false);
}
