// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/backgrounds.h"

#include <cmath>

#include "assets/asset_loader.h"
#include "assets/catalogue.h"
#include "assets/objects.h"
#include "assets/scenery_catalogue.h"
#include "core/game_state.h"
#include "levels/scenery_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int backgroundX = 80, backgroundY = 20;
constexpr int panelTopX = 80, panelRightX = 820;

void LoadRow(const CatalogueRow& row) {
  switch (row.loader) {
    case LoaderKind::sprite: LoadLevelSprite(row.object, row.fileName); break;
    case LoaderKind::opaqueTexture: LoadLevelOpaqueTexture(row.object, row.fileName); break;
    default: LoadLevelTexture(row.object, row.fileName); break;
  }
}

void LoadPack(const CataloguePack& pack) {
  SwitchPack(pack.packName);
  for (const CatalogueRow& row : pack.rows) LoadRow(row);
}

// The style's background, then the panels; the level's own pack is current again afterwards.
void LoadStyle(const std::string& style) {
  LoadPack(StylePack(style));
  LoadPack(PanelPack());
  SwitchPack(LevelPackName(game.levelNumber));
}

void SetUpEffect(int level) {
  switch (level) {
    case 0: SetUpLightning(); break;
    case 1: SetUpFallingStars(); break;
    case 2: SetUpFountain(obj::glowQuad, false); break;
    case 7: SetUpClouds(); break;
    case 15: SetUpWater(); break;
    case 17: SetUpDrops(); break;
    case 18: SetUpDrawnSprite(); break;
    case 19: SetUpPsyche(); break;
    case guardianLevel: break;  // the guardian's scene is set up with its fight
    case bonusLevel: SetUpFountain(obj::glowQuad, true); break;
    default: SetUpFlares(level); break;
  }
}

void DrawEffect(int level) {
  switch (level) {
    case 0: DrawLightning(); break;
    case 1: DrawFallingStars(); break;
    case 2: DrawFountain(); break;
    case 7: DrawClouds(); break;
    case 15: DrawWater(); break;
    case 16: break;  // the dead land stands still
    case 17: DrawDrops(); break;
    case 18: DrawDrawnSprite(); break;
    case 19: DrawPsyche(); break;
    case bonusLevel: DrawStarFountain(); break;
    default: DrawFlares(level); break;
  }
}

}  // namespace

void DrawSceneryQuad(int quad, int x, int y, int alpha) {
  // Counted even past the limit, so a test sees an effect that asks for too many.
  if (++game.sceneryQuadsThisFrame > maxSceneryQuads) return;
  DisplaySprite3D(quad, x, y, alpha);
}

void DrawCentredQuad(int quad, float cx, float cy, int size, int alpha) {
  ZoomSprite3D(quad, size, size);
  const int x = Nearest(playLeft + cx - size / 2.0f);
  const int y = Nearest(playTop + cy - size / 2.0f);
  DrawSceneryQuad(quad, x, y, alpha);
}

int SceneryQuadsDrawn() { return game.sceneryQuadsThisFrame; }

void SetUpBackground() {
  const int level = game.levelNumber;
  SwitchPack(LevelPackName(level));
  game.backgroundStyle = LevelStyle(level);
  LoadStyle(game.backgroundStyle);
  const CataloguePack own = LevelPack(level);
  for (const CatalogueRow& row : own.rows) LoadRow(row);
  // Closes the level's pack; later loads name their own pack.
  SwitchPack(mainPackName);

  ResetMonsterSpawning();
  for (BackgroundParticle& p : game.backgroundParticles) p = BackgroundParticle{};
  // A level starts with none of the memory that earlier levels' drawing kept.
  ReleaseWater();
  ReleaseScratchMemory();
  SetUpEffect(level);
}

void DrawBackground() {
  game.sceneryQuadsThisFrame = 0;
  const int level = game.levelNumber;
  if (level == guardianLevel) {
    // The scene has no panels: what lies outside the background is kept black.
    ClearScreen(0);
    DisplaySprite(obj::background, backgroundX, backgroundY);
    Set3DViewport(playLeft, playClipTop, playWidth, playClipHeight);
    return;
  }
  DisplaySprite(obj::background, backgroundX, backgroundY);
  DisplaySprite(obj::panelTop, panelTopX, 0);
  DisplaySprite(obj::panelLeft, 0, 0);
  DisplaySprite(obj::panelRight, panelRightX, 0);
  Set3DViewport(playLeft, playClipTop, playWidth, playClipHeight);
  DrawEffect(level);
  Sprite3DBlendingMode(blendTransparent);
}
