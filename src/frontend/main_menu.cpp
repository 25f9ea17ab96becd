// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/main_menu.h"

#include <cmath>
#include <iterator>

#include "assets/asset_loader.h"
#include "assets/menu_catalogue.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/player_options.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/sound_effects.h"
#include "frontend/credits.h"
#include "frontend/high_score_screen.h"
#include "frontend/menu_input.h"
#include "frontend/options_screen.h"
#include "frontend/pause_screen.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

// The pointer stays where its picture is wholly on a 1024 x 768 screen.
constexpr int pointerMaxX = 1000;
constexpr int pointerMaxY = 744;

constexpr int titleY = 50;
constexpr int titleStep = 9;         // pixels a frame; it comes to rest at -3
constexpr int zoomLetterGap = 60;    // the intro letters are shown three times, side by side
constexpr int zoomEndSize = 256;
constexpr int flashFade = 2;         // alpha a frame
constexpr int flashDone = 10;
constexpr int flashBandY = 50;
constexpr int flashBandTile = 256;
constexpr int subtitleY = 220;
constexpr int pointerGlowAlpha = 150;
constexpr int introLettersAlpha = 150;

enum class MenuChoice { start, options, highScores, credits, quit };
struct Item {
  int picture;
  MenuChoice choice;
};
// Top to bottom; a new item is one more row here.
constexpr Item items[] = {{obj::menuItemStart, MenuChoice::start},
                          {obj::menuItemOptions, MenuChoice::options},
                          {obj::menuItemHighScores, MenuChoice::highScores},
                          {obj::menuItemCredits, MenuChoice::credits},
                          {obj::menuItemQuit, MenuChoice::quit}};
constexpr int itemCount = static_cast<int>(std::size(items));
// The first item stays at y 380, where the autopilot and the recorded games find START. The
// items are 44 high and 70 apart: the 26 pixels between two are more than the pointer's 24, so
// it never touches two at once (the pointer meets an item by their whole pictures). Five end at
// y 704; the footer's two lines, 22 and 52 pixels into its picture, sit between them and the
// frame's lower edge.
constexpr int firstItemY = 380;
constexpr int itemStep = 70;
constexpr int bandAboveItem = 31;    // the highlight band starts this far above its item
// Time untouched before the high scores show: on the clock, so a slow machine waits as long.
// The table then stands as long again before the demo plays.
constexpr int64_t attractDelayMs = highScoreAttractMs;
constexpr int footerY = 694;

constexpr int sweepStartX = -65;
constexpr int sweepStep = 15;        // pixels a frame
constexpr int sweepEndX = 1224;
constexpr int sweepGlowAlpha = 200;
constexpr int highlightStart = 200;
constexpr int highlightFloor = 70;
constexpr int bandTile = 128;
constexpr int bandTiles = 9;

constexpr float sparkDrag = 0.2f;
constexpr float sparkGravity = 0.35f;
constexpr float sparkSpread = 15.0f;
constexpr int sparkRebornAlpha = 130;

MenuState& menu() { return game.menu; }

// Where item 1.. itemCount is shown, at x 0.
int ItemY(int item) { return firstItemY + (item - 1) * itemStep; }
const Item& ItemAt(int item) { return items[item - 1]; }

// -3.75 to 3.75 pixels a frame, the difference of two random draws.
float SparkSpeedY() {
  const float up = Random(100) / 400.0f * sparkSpread;
  const float down = Random(100) / 400.0f * sparkSpread;
  return -up + down;
}
float SparkSpeedX() { return Random(100) / 100.0f * 10; }

void ResetSparks() {
  for (MenuSpark& spark : menu().sparks) {
    spark.x = menu().sweepX;
    spark.y = menu().sweepY;
    spark.speedY = SparkSpeedY();
    spark.drag = sparkDrag;
    spark.speedX = SparkSpeedX();
    spark.alpha = 200 + Random(55);
  }
}

void Select(int item) {
  menu().selected = static_cast<int16_t>(item);
  menu().sweepX = sweepStartX;
  menu().sweepY = static_cast<int16_t>(ItemY(item) + 1);
  menu().sweepActive = true;
  menu().highlightAlpha = highlightStart;
  ResetSparks();
}

// CREDITS: the menu gives way to the credits screen, then starts over with its intro.
void ShowCredits() {
  TearDownMenu();
  RunCredits();
  SetUpMenu();
}

void Choose(int item) {
  switch (ItemAt(item).choice) {
    case MenuChoice::start: menu().result = menuStart; break;
    case MenuChoice::options: OpenOptionsScreen(); break;
    case MenuChoice::highScores: OpenHighScoreScreen(playerSettings.difficulty, false); break;
    case MenuChoice::credits: ShowCredits(); break;
    case MenuChoice::quit: menu().result = menuQuit; break;
  }
}

void DrawStill() {
  DisplayTransparentSprite(obj::menuFrame, 0, 0);
  DisplayTransparentSprite(obj::menuTitle, menu().titleX, titleY);
  if (menu().titleX > 0) menu().titleX -= titleStep;
  for (int i = 1; i <= itemCount; ++i) DisplayTransparentSprite(ItemAt(i).picture, 0, ItemY(i));
  DisplayTransparentSprite(obj::menuFooter, 0, footerY);
}

void FreeLettersAtRest() {
  FreeSprite3D(obj::menuLettersAtRest);
  FreeSprite(obj::menuLettersAtRest);
}

// The three letters at rest add their light to an opaque screen, and light adds up the same in
// any grouping: they are added together once into a picture of their own, and that picture is
// added each frame: the same pixels from half the blended pixels, a fifth of the idle menu's CPU
// on a software rasteriser. On a sharp screen the picture, made at the screen's size, would be
// magnified: there the letters are drawn as they are.
bool ShowLettersAtRest(const MenuState& m) {
  if (m.zoomSize > zoomEndSize || DrawingSharp()) {
    FreeLettersAtRest();
    return false;
  }
  if (!IsSprite3D(obj::menuLettersAtRest)) {
    if (!CreateSprite(obj::menuLettersAtRest, zoomLetterGap * 2 + m.zoomSize, m.zoomSize,
                      spriteTexture | spriteAlpha)) {
      return false;
    }
    // The letters' size lags a frame behind the zoom: bring it to rest first.
    ZoomSprite3D(obj::menuIntroLetters, m.zoomSize, m.zoomSize);
    DrawIntoSprite(obj::menuLettersAtRest);
    Sprite3DBlendingMode(blendAdditive);
    for (int i = 0; i < 3; ++i) DisplaySprite3D(obj::menuIntroLetters, zoomLetterGap * i, 0, introLettersAlpha);
    DrawIntoScreen();
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    if (!CreateSprite3D(obj::menuLettersAtRest, obj::menuLettersAtRest)) {
      FreeSprite(obj::menuLettersAtRest);
      return false;
    }
  }
  // The picture's light as it stands, added to the screen's colour kept by its (opaque) alpha.
  Sprite3DBlendingMode(BlendPair{blendOne, blendDestinationAlpha});
  DisplaySprite3D(obj::menuLettersAtRest, m.zoomX, m.zoomY);
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  return true;
}

void DrawIntro() {
  MenuState& m = menu();
  if (!ShowLettersAtRest(m)) {
    for (int i = 0; i < 3; ++i) {
      DisplaySprite3D(obj::menuIntroLetters, m.zoomX + zoomLetterGap * i, m.zoomY, introLettersAlpha);
    }
  }
  ZoomSprite3D(obj::menuIntroLetters, m.zoomSize, m.zoomSize);
  if (m.zoomSize > zoomEndSize) {
    m.zoomX += 7;
    m.zoomSize -= 2;
    m.zoomY += 1;
  }
  if (m.zoomSize <= zoomEndSize && !m.flashStarted) {
    m.flashAlpha = 255;
    m.flashStarted = true;
    PlayEffect(obj::menuIntroSound, -1, -1, -1);
  }
  if (m.flashAlpha > flashDone) {
    for (int i = 0; i < 3; ++i) {
      DisplaySprite3D(obj::menuFlashLetters, m.zoomX + zoomLetterGap * i, m.zoomY, m.flashAlpha);
    }
    for (int i = 0; i < 5; ++i) {
      DisplaySprite3D(obj::menuFlashBand, i * flashBandTile, flashBandY, m.flashAlpha);
    }
    m.flashAlpha -= flashFade;
  }
  if (m.flashAlpha <= flashDone && m.flashStarted) {
    DisplayTransparentSprite(obj::menuSubtitle, 0, subtitleY);
  }
}

void Hover() {
  if (menu().keyboardSelected) return;
  for (int i = 1; i <= itemCount; ++i) {
    if (menu().selected != i &&
        SpriteCollision(obj::menuPointer, menu().pointerX, menu().pointerY, ItemAt(i).picture, 0, ItemY(i))) {
      Select(i);
    }
  }
}

bool SparkOffScreen(const MenuSpark& spark) {
  return spark.y > 780 || spark.y < -32 || spark.x < -50 || spark.x > 1064;
}

void StepSweep() {
  MenuState& m = menu();
  if (!m.sweepActive) return;
  DisplayTransparentSprite(obj::menuSweepHead, m.sweepX, m.sweepY);
  DisplaySprite3D(obj::menuGlow, m.sweepX - 32, m.sweepY - 32, sweepGlowAlpha);
  m.sweepX += sweepStep;
  if (m.sweepX > sweepEndX) m.sweepActive = false;
  for (MenuSpark& spark : m.sparks) {
    spark.speedX = spark.speedX - spark.drag + sparkGravity;
    spark.y += spark.speedY;
    spark.x -= spark.speedX;
    if (spark.alpha > 5) spark.alpha -= 2;
    // Reborn at the sweep head, not where it left.
    if (SparkOffScreen(spark)) {
      spark.x = m.sweepX;
      spark.y = m.sweepY;
      spark.speedY = SparkSpeedY();
      spark.drag = sparkDrag;
      spark.speedX = SparkSpeedX();
      spark.alpha = sparkRebornAlpha;
    }
    DisplaySprite3D(obj::menuSpark, RoundHalfAway(spark.x), RoundHalfAway(spark.y), spark.alpha);
  }
}

void DrawHighlight() {
  MenuState& m = menu();
  if (m.selected == 0) return;
  for (int i = 0; i < bandTiles; ++i) {
    DisplaySprite3D(obj::menuBand, i * bandTile, ItemY(m.selected) - bandAboveItem, m.highlightAlpha);
  }
  if (m.highlightAlpha > highlightFloor) --m.highlightAlpha;
}

// Up and Down, on the keyboard or a pad's d-pad, move the selection as hovering does (sweep and
// sparks included); Enter, Space or the pad's A chooses it. The pointer takes over again as soon
// as it moves.
void HandleKeys() {
  ExamineKeyboard();
  MenuState& m = menu();
  if (MenuDown()) {
    Select(m.selected % itemCount + 1);
    m.keyboardSelected = true;
  }
  if (MenuUp()) {
    Select(m.selected <= 1 ? itemCount : m.selected - 1);
    m.keyboardSelected = true;
  }
  if (MenuChoose() && m.selected != 0) Choose(m.selected);
}

// The click that chose an item, held on, does not choose it again; after the options screen
// the pointer still rests on OPTIONS, so the button must be let go first.
void HandleClick() {
  MenuState& m = menu();
  if (!MouseButton(1)) m.waitForRelease = false;
  if (MouseButton(1) && !m.waitForRelease && m.selected != 0) Choose(m.selected);
}

// A menu nobody touches for a while shows the high scores, then plays a demo game, as arcade
// machines do.
void WatchIdleTime() {
  const bool touched = MouseDeltaX() != 0 || MouseDeltaY() != 0 || MouseButton(1) || MouseButton(2) ||
                       MouseButton(3) || KeyboardPushed(-1) || GamepadTouched();
  const int64_t now = ElapsedMilliseconds();
  if (touched || menu().idleSince < 0) menu().idleSince = now;
  if (now - menu().idleSince >= attractDelayMs && menu().result == menuStay) {
    OpenHighScoreScreen(playerSettings.difficulty, true);
  }
}

}  // namespace

bool MoveMenuPointer() {
  ExamineMouse();
  const int dx = MouseDeltaX();
  const int dy = MouseDeltaY();
  if (dx != 0 || dy != 0) menu().keyboardSelected = false;
  if (menu().pointerX + dx >= 0 && menu().pointerX + dx <= pointerMaxX) menu().pointerX += dx;
  if (menu().pointerY + dy >= 0 && menu().pointerY + dy <= pointerMaxY) menu().pointerY += dy;
  return dx != 0 || dy != 0;
}

// The background scrolls up a row a frame. It once did so by copying the picture into itself
// (its top row to the bottom, then the rest a row up), which lost the bottom row on the first
// scroll and from then on cycled the other rows with the last shown twice. The picture now
// stays as loaded and is drawn in pieces from the scroll's row: the same frames, without two
// full-screen copies a frame.
void ScrollMenuBackground() {
  MenuState& m = menu();
  const int width = SpriteWidth(obj::menuBackground);
  const int height = SpriteHeight(obj::menuBackground);
  const int cycle = height - 1;  // the rows that go round; the bottom one repeats the one above
  if (m.backgroundRow < 0 || cycle < 1) {
    DisplaySprite(obj::menuBackground, 0, 0);
    m.backgroundRow = cycle < 1 ? -1 : static_cast<int16_t>(1 % cycle);
    return;
  }
  const int row = m.backgroundRow;
  auto piece = [width](int from, int rows, int y) {
    if (rows <= 0) return;
    ClipSprite(obj::menuBackground, 0, from, width, rows);
    DisplaySprite(obj::menuBackground, 0, y);
  };
  piece(row, cycle - row, 0);
  piece(0, row, cycle - row);
  piece((row + cycle - 1) % cycle, 1, cycle);
  ClipSprite(obj::menuBackground, -1, -1, -1, -1);
  m.backgroundRow = static_cast<int16_t>((row + 1) % cycle);
}

void DrawMenuPointer() {
  DisplayTransparentSprite(obj::menuPointer, menu().pointerX, menu().pointerY);
  DisplaySprite3D(obj::menuGlow, menu().pointerX - 52, menu().pointerY - 51, pointerGlowAlpha);
}

void SetUpMenu() {
  menu() = MenuState{};
  menu().shown = true;
  ResetSparks();
  LoadCataloguePack(MenuCatalogue());
}

void ReloadMenuPictures() {
  FreeLettersAtRest();  // made again from the letters as reloaded
  LoadCataloguePack(MenuCatalogue());
  menu().backgroundRow = -1;  // the picture is as loaded again
  ReleaseMouse(false);
}

void TearDownMenu() {
  menu().shown = false;
  FreeLettersAtRest();
  for (const CatalogueRow& row : MenuCatalogue().rows) {
    if (row.loader == LoaderKind::sound) {
      StopSound(row.object);
      FreeSound(row.object);
      continue;
    }
    if (row.loader == LoaderKind::texture) FreeSprite3D(row.object);
    FreeSprite(row.object);
  }
  Sprite3DBlendingMode(blendTransparent);
}

int MenuFrame() {
  if (menu().options.open) {
    OptionsFrame();
    return menu().result;
  }
  if (menu().highScores.open) {
    HighScoreFrame();
    return menu().result;
  }
  if (!FocusCheck()) ReloadMenuPictures();
  MoveMenuPointer();
  HandleClick();
  // CREDITS starts the menu over: the rest of this frame belongs to the fresh menu.
  // A background as large as the screen leaves nothing of a clear showing.
  if (SpriteWidth(obj::menuBackground) < screenWidth || SpriteHeight(obj::menuBackground) < screenHeight) {
    ClearScreen(0);
  }
  ScrollMenuBackground();
  DrawStill();
  if (Start3D()) {
    Sprite3DBlendingMode(blendAlphaWeightedSum);
    DrawIntro();
    DrawMenuPointer();
    Hover();
    StepSweep();
    DrawHighlight();
    Stop3D();
  }
  PresentFrame();
  HandleKeys();
  WatchIdleTime();
  return menu().result;
}

bool RunMainMenu() {
  SetUpMenu();
  for (;;) {
    const int result = MenuFrame();
    if (result == menuQuit) return false;
    if (result == menuStart || result == menuDemo) {
      game.attractDemo = result == menuDemo;
      menu().result = menuStay;
      TearDownMenu();
      return true;
    }
  }
}
